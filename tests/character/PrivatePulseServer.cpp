#include "PrivatePulseServer.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

namespace vortana {

namespace {

QProcessEnvironment environmentFor(const QString &dir, const QString &address)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), dir);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir);
    environment.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir);
    environment.insert(QStringLiteral("PULSE_SERVER"), address);
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    return environment;
}

} // namespace

PrivatePulseServer::PrivatePulseServer()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (daemon.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty()) {
        m_failure = QStringLiteral("pulseaudio or parec is not installed");
        return;
    }
    if (!m_dir.isValid()) {
        m_failure = QStringLiteral("no temporary directory");
        return;
    }
    m_daemon.setProcessEnvironment(environmentFor(m_dir.path(), address()));
    m_daemon.setProcessChannelMode(QProcess::MergedChannels);
    m_daemon.start(daemon, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                            QStringLiteral("--use-pid-file=no"), QStringLiteral("--disable-shm=yes"),
                            QStringLiteral("--log-target=stderr"), QStringLiteral("-L"),
                            QStringLiteral("module-null-sink sink_name=vortana_test rate=%1 channels=1").arg(SampleRate),
                            QStringLiteral("-L"),
                            QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=%1")
                                .arg(m_dir.filePath(QStringLiteral("native")))});
    // Generous: a busy machine may take long to start it; a server that
    // cannot start says so at once by ending.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 120000) {
        if (m_daemon.state() == QProcess::NotRunning) {
            m_failure = QStringLiteral("pulseaudio ended at once: ") + QString::fromLocal8Bit(m_daemon.readAll()).right(400);
            return;
        }
        if (answers())
            return;
        QThread::msleep(100);
    }
    m_failure = QStringLiteral("pulseaudio did not answer within two minutes");
}

PrivatePulseServer::~PrivatePulseServer()
{
    for (QProcess *process : {&m_recorder, &m_daemon}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->kill();
        process->waitForFinished(3000);
    }
}

bool PrivatePulseServer::answers()
{
    QProcess info;
    info.setProcessEnvironment(environmentFor(m_dir.path(), address()));
    info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
    return info.waitForFinished(-1) && info.exitStatus() == QProcess::NormalExit && info.exitCode() == 0;
}

bool PrivatePulseServer::recording()
{
    QProcess list;
    list.setProcessEnvironment(environmentFor(m_dir.path(), address()));
    list.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("source-outputs")});
    return list.waitForFinished(-1) && !list.readAllStandardOutput().trimmed().isEmpty();
}

bool PrivatePulseServer::startRecording()
{
    m_recorder.setProcessEnvironment(environmentFor(m_dir.path(), address()));
    m_recorder.start(QStringLiteral("parec"), {QStringLiteral("--device=vortana_test.monitor"), QStringLiteral("--raw"),
                                               QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                                               QStringLiteral("--rate=%1").arg(SampleRate), QStringLiteral("--latency-msec=20")});
    if (!m_recorder.waitForStarted(-1))
        return false;
    // Nothing may play before the recording stream is connected.
    while (m_recorder.state() == QProcess::Running && !recording())
        QThread::msleep(20);
    return m_recorder.state() == QProcess::Running;
}

QByteArray PrivatePulseServer::stopRecording()
{
    QThread::msleep(300);
    m_recorder.terminate();
    m_recorder.waitForFinished(3000);
    return m_recorder.readAllStandardOutput();
}

} // namespace vortana
