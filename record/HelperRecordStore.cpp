#include "record/HelperRecordStore.h"

#include "record/RecordText.h"
#include "record/helper/HelperProtocol.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QProcess>

#include <algorithm>
#include <array>

namespace vortana {

namespace {

using namespace helperprotocol;

// Writing two small files takes milliseconds, and the helper waits for another
// game's lock no longer than StoreLockWait: past this, it hangs.
constexpr int HelperTimeoutMs = 3 * int(StoreLockWait.count());
constexpr qsizetype MaxReasonBytes = 4096;
// Two files read up to 64 KiB each, every byte at most three in UTF-8.
constexpr qsizetype MaxAnswerBytes = 2 * 3 * 64 * 1024 + 32;

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

RecordPair HelperRecordStore::readPair(const QString &scorePath, const QString &namePath) const
{
    requireRecordFile(scorePath, {ScoreFileName});
    requireRecordFile(namePath, {NameFileName});
    const QByteArray answer = run({QLatin1String(ReadCommand)});
    const qsizetype newline = answer.indexOf('\n');
    bool number = false;
    const qlonglong scoreBytes = answer.left(std::max<qsizetype>(newline, 0)).toLongLong(&number);
    if (newline < 0 || !number || scoreBytes < 0 || scoreBytes > answer.size() - newline - 1)
        throw RuntimeError(ErrorCode::PathFileAccess, QStringLiteral("«%1» ha dato una risposta non valida").arg(m_helper));
    return {QString::fromUtf8(answer.mid(newline + 1, scoreBytes)), QString::fromUtf8(answer.mid(newline + 1 + scoreBytes))};
}

void HelperRecordStore::replacePair(const QString &scorePath, const QString &scoreLine, const QString &namePath,
                                    const QString &nameLine) const
{
    requireRecordFile(scorePath, {ScoreFileName});
    requireRecordFile(namePath, {NameFileName});
    run({QLatin1String(StoreCommand), storedLine(scoreLine), storedLine(nameLine)});
}

QByteArray HelperRecordStore::run(const QStringList &arguments) const
{
    QProcess helper;
    helper.setProgram(m_helper);
    helper.setArguments(arguments);
    helper.setProcessChannelMode(QProcess::SeparateChannels);
    helper.setStandardInputFile(QProcess::nullDevice());
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
    if (helper.exitCode() == 0) {
        const QByteArray answer = helper.readAllStandardOutput();
        if (answer.size() > MaxAnswerBytes)
            throw RuntimeError(ErrorCode::PathFileAccess, QStringLiteral("«%1» ha dato una risposta troppo lunga").arg(m_helper));
        return answer;
    }
    const QString reason = QString::fromUtf8(helper.readAllStandardError().left(MaxReasonBytes)).trimmed();
    throw RuntimeError(codeForStatus(helper.exitCode()),
                       reason.isEmpty() ? QStringLiteral("«%1» è terminato con lo stato %2")
                                              .arg(m_helper)
                                              .arg(helper.exitCode())
                                        : reason);
}

} // namespace vortana
