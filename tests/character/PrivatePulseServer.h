#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace vortana {

// A PulseAudio daemon of the test's own, with one null sink whose monitor can
// be recorded. It lives in a temporary directory, so it neither needs nor
// touches a desktop's sound server.
class PrivatePulseServer
{
public:
    static constexpr int SampleRate = 22050;

    PrivatePulseServer();
    ~PrivatePulseServer();
    PrivatePulseServer(const PrivatePulseServer &) = delete;
    PrivatePulseServer &operator=(const PrivatePulseServer &) = delete;

    // Empty once the server answers; otherwise why it could not start.
    const QString &failure() const { return m_failure; }
    QString address() const { return QStringLiteral("unix:") + m_dir.filePath(QStringLiteral("native")); }
    qint64 pid() const { return m_daemon.processId(); }

    // Records what the sink plays, as 16-bit mono samples, until stopRecording().
    bool startRecording();
    QByteArray stopRecording();

private:
    bool answers();
    bool recording();

    QTemporaryDir m_dir;
    QProcess m_daemon;
    QProcess m_recorder;
    QString m_failure;
};

} // namespace vortana
