#pragma once

#include <QByteArray>
#include <QList>

#include <optional>
#include <sys/types.h>

namespace vortana::test {

// What a run of the record helper left: its exit status (or -1 after a
// signal) and what it wrote on standard error.
struct HelperOutcome
{
    int status = -1;
    QByteArray error;
};

// Who the helper runs as: an ordinary user, without root's supplementary groups.
struct RunAs
{
    uid_t user;
    gid_t group;
};

// The status a child reports when it could not even start the helper.
constexpr int CouldNotExecute = 126;

// Runs the helper with raw argument bytes (so that invalid UTF-8 can be
// passed), only the given environment, and, as root, optionally as another user.
HelperOutcome runHelper(const QByteArray &program, const QList<QByteArray> &arguments,
                        const QList<QByteArray> &environment = {}, std::optional<RunAs> runAs = {});

} // namespace vortana::test
