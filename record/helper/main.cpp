// The record helper: the only program that writes the shared record directory
// once the game is installed, and the only one that may take its lock. It is
// installed set-group-id to the group that owns that directory, so it trusts
// nothing it is given: no environment, no directory but the one it was built
// with, and only the three checked commands.

#include "record/RecordStore.h"
#include "record/helper/GroupPrivilege.h"
#include "record/helper/HelperCommand.h"
#include "runtime/RuntimeError.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// With a standard stream closed by the caller, a record file opened later
// would take its number and receive the error text.
void openStandardStreams()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && ::open("/dev/null", O_RDWR) != fd)
            std::_Exit(EXIT_FAILURE);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    using namespace vortana;

    openStandardStreams();
    GroupPrivilege privilege;
    ::clearenv();
    // Files and the directory stay writable by the group they belong to.
    ::umask(S_IWOTH);

    try {
        const HelperCommand command = HelperCommand::parse(argc, argv);
        // Making the shared directory, and choosing its owner, is the installer's job.
        const RecordStore store(QStringLiteral(VORTANA_HELPER_RECORD_DIR), MissingDirectory::Refuse);
        QByteArray answer;
        {
            const GroupPrivilege::Raised raised(privilege);
            answer = command.run(store);
        }
        privilege.dropForGood();
        // Written once the lock is gone: a caller that does not read its end
        // of the pipe holds nobody up.
        const bool told = std::fwrite(answer.constData(), 1, size_t(answer.size()), stdout) == size_t(answer.size());
        return told && std::fflush(stdout) == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
    } catch (const RuntimeError &error) {
        privilege.dropForGood();
        std::fprintf(stderr, "%s\n", error.detail().toUtf8().constData());
        return error.number();
    }
}
