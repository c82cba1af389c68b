#include "record/HelperRecordStore.h"

#include "record/RecordText.h"
#include "record/helper/HelperProtocol.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QProcess>

#include <array>

namespace vortana {

namespace {

using namespace helperprotocol;

// Writing two small files takes milliseconds, and the helper waits for another
// game's lock no longer than StoreLockWait: past this, it hangs.
constexpr int HelperTimeoutMs = 3 * int(StoreLockWait.count());
constexpr qsizetype MaxReasonBytes = 4096;

constexpr std::array ReportedCodes{ErrorCode::InvalidCall,      ErrorCode::FileNotFound,     ErrorCode::FileAlreadyOpen,
                                   ErrorCode::DeviceIO,         ErrorCode::PermissionDenied, ErrorCode::PathFileAccess,
                                   ErrorCode::PathNotFound};

ErrorCode codeForStatus(int status)
{
    for (const ErrorCode code : ReportedCodes) {
        if (static_cast<int>(code) == status)
            return code;
    }
    return ErrorCode::PathFileAccess;
}

} // namespace

HelperRecordStore::HelperRecordStore(QString directory, QString helperProgram)
    : RecordStore(std::move(directory)), m_helper(std::move(helperProgram))
{
}

void HelperRecordStore::requireRecordFile(const QString &path, std::initializer_list<const char *> fileNames) const
{
    for (const char *fileName : fileNames) {
        if (QDir::cleanPath(path) == QDir::cleanPath(GetSystemDir() + QLatin1String(fileName)))
            return;
    }
    throw RuntimeError(ErrorCode::InvalidCall,
                       QStringLiteral("«%1» non è un file dei record che «%2» può scrivere").arg(path, m_helper));
}

void HelperRecordStore::appendAndClose(const QString &path) const
{
    requireRecordFile(path, {ScoreFileName, NameFileName});
    run({QLatin1String(CreateCommand)});
}

void HelperRecordStore::replacePair(const QString &scorePath, const QString &scoreLine, const QString &namePath,
                                    const QString &nameLine) const
{
    requireRecordFile(scorePath, {ScoreFileName});
    requireRecordFile(namePath, {NameFileName});
    run({QLatin1String(StoreCommand), storedLine(scoreLine), storedLine(nameLine)});
}

void HelperRecordStore::run(const QStringList &arguments) const
{
    QProcess helper;
    helper.setProgram(m_helper);
    helper.setArguments(arguments);
    helper.setProcessChannelMode(QProcess::SeparateChannels);
    helper.setStandardInputFile(QProcess::nullDevice());
    helper.setStandardOutputFile(QProcess::nullDevice());
    helper.start();
    if (!helper.waitForStarted(HelperTimeoutMs))
        throw RuntimeError(ErrorCode::PathFileAccess,
                           QStringLiteral("Impossibile avviare «%1»: %2").arg(m_helper, helper.errorString()));
    if (!helper.waitForFinished(HelperTimeoutMs)) {
        helper.kill();
        helper.waitForFinished();
        throw RuntimeError(ErrorCode::PathFileAccess, QStringLiteral("«%1» non ha risposto").arg(m_helper));
    }
    if (helper.exitStatus() != QProcess::NormalExit)
        throw RuntimeError(ErrorCode::PathFileAccess, QStringLiteral("«%1» si è interrotto").arg(m_helper));
    if (helper.exitCode() == 0)
        return;
    const QString reason = QString::fromUtf8(helper.readAllStandardError().left(MaxReasonBytes)).trimmed();
    throw RuntimeError(codeForStatus(helper.exitCode()),
                       reason.isEmpty() ? QStringLiteral("«%1» è terminato con lo stato %2")
                                              .arg(m_helper)
                                              .arg(helper.exitCode())
                                        : reason);
}

} // namespace vortana
