#pragma once

#include <sys/types.h>

namespace vortana {

// The group a set-group-id program was started with, held back from
// everything but the few calls that need it. Construction lowers the
// effective group to the real one at once; Raised lends it back for one
// scope; dropForGood() gives it up so that not even the saved group keeps it.
// Started without the set-group-id bit (or by root), it changes nothing.
class GroupPrivilege
{
public:
    GroupPrivilege();
    GroupPrivilege(const GroupPrivilege &) = delete;
    GroupPrivilege &operator=(const GroupPrivilege &) = delete;

    void dropForGood();

    class Raised
    {
    public:
        explicit Raised(const GroupPrivilege &privilege);
        ~Raised();
        Raised(const Raised &) = delete;
        Raised &operator=(const Raised &) = delete;

    private:
        const GroupPrivilege &m_privilege;
    };

private:
    gid_t m_real;
    gid_t m_privileged;
    bool m_dropped = false;
};

} // namespace vortana
