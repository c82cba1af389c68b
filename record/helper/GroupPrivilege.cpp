#include "record/helper/GroupPrivilege.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace vortana {

namespace {

// A change of group that did not happen leaves the program with more rights
// than it believes it has: nothing more may run.
void require(bool changed)
{
    if (!changed) {
        std::fputs("vortana-record: impossibile cambiare gruppo\n", stderr);
        std::_Exit(EXIT_FAILURE);
    }
}

} // namespace

GroupPrivilege::GroupPrivilege() : m_real(::getgid()), m_privileged(::getegid())
{
    require(::setegid(m_real) == 0);
}

void GroupPrivilege::dropForGood()
{
    require(::setresgid(m_real, m_real, m_real) == 0);
    gid_t real = 0;
    gid_t effective = 0;
    gid_t saved = 0;
    require(::getresgid(&real, &effective, &saved) == 0 && real == m_real && effective == m_real
            && saved == m_real);
    m_dropped = true;
}

GroupPrivilege::Raised::Raised(const GroupPrivilege &privilege) : m_privilege(privilege)
{
    require(!privilege.m_dropped && ::setegid(privilege.m_privileged) == 0);
}

GroupPrivilege::Raised::~Raised()
{
    require(::setegid(m_privilege.m_real) == 0);
}

} // namespace vortana
