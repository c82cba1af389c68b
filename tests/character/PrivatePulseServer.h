#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace vortana {

// A sound server of the test's own that speaks PulseAudio's protocol, with one
// null sink whose monitor can be recorded: the PulseAudio daemon, or PipeWire
// with its pulse service and session manager. It lives in a temporary
// directory, so it neither needs nor touches a desktop's sound server.
class PrivatePulseServer
{
public:
    static constexpr int SampleRate = 22050;
    enum class Kind { PulseAudio, PipeWire };

    explicit PrivatePulseServer(Kind kind = Kind::PulseAudio);
    ~PrivatePulseServer();
    PrivatePulseServer(const PrivatePulseServer &) = delete;
    PrivatePulseServer &operator=(const PrivatePulseServer &) = delete;

    // Empty once the server answers; otherwise why it could not start.
    const QString &failure() const { return m_failure; }
    QString address() const { return QStringLiteral("unix:") + m_dir.filePath(QStringLiteral("native")); }
    // The process the clients speak to.
    qint64 pid() const { return m_daemon.processId(); }

    // Records what the sink plays, as 16-bit mono samples, until stopRecording().
    bool startRecording();
    QByteArray stopRecording();

private:
    void startPulseAudio();
    void startPipeWire();
    bool start(QProcess &process, const QString &program, const QStringList &arguments);
    bool awaitAnswer(QProcess &process, const QString &program, const QStringList &arguments);
    bool run(const QString &program, const QStringList &arguments);

    QTemporaryDir m_dir;
    QProcess m_pipewire;
    QProcess m_sessionManager;
    QProcess m_daemon;
    QProcess m_recorder;
    QString m_failure;
};

} // namespace vortana
