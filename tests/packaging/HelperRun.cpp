#include "HelperRun.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vortana::test {

namespace {

std::vector<char *> pointers(const QList<QByteArray> &strings)
{
    std::vector<char *> list;
    for (const QByteArray &string : strings)
        list.push_back(const_cast<char *>(string.constData()));
    list.push_back(nullptr);
    return list;
}

} // namespace

HelperOutcome runHelper(const QByteArray &program, const QList<QByteArray> &arguments,
                        const QList<QByteArray> &environment, std::optional<RunAs> runAs)
{
    QList<QByteArray> argv{program};
    argv += arguments;
    std::vector<char *> args = pointers(argv);
    std::vector<char *> env = pointers(environment);

    int error[2];
    if (::pipe2(error, O_CLOEXEC) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        // Only async-signal-safe calls from here on.
        ::dup2(error[1], STDERR_FILENO);
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        if (runAs && (::setgroups(0, nullptr) != 0 || ::setgid(runAs->group) != 0 || ::setuid(runAs->user) != 0))
            ::_exit(CouldNotExecute);
        ::execve(args[0], args.data(), env.data());
        ::_exit(CouldNotExecute);
    }
    ::close(error[1]);
    HelperOutcome outcome;
    char buffer[512];
    ssize_t got = 0;
    while ((got = ::read(error[0], buffer, sizeof buffer)) > 0)
        outcome.error.append(buffer, got);
    ::close(error[0]);
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
        outcome.status = WEXITSTATUS(status);
    return outcome;
}

} // namespace vortana::test
