#include "PrivatePulseServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace vortana {

namespace {

QProcessEnvironment environmentFor(const QString &dir, const QString &address)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), dir);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir + QStringLiteral("/config"));
    environment.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir);
    environment.insert(QStringLiteral("PIPEWIRE_RUNTIME_DIR"), dir);
    environment.insert(QStringLiteral("PULSE_SERVER"), address);
    environment.remove(QStringLiteral("PIPEWIRE_REMOTE"));
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    return environment;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

PrivatePulseServer::PrivatePulseServer(Kind kind)
{
    if (!m_dir.isValid()) {
        m_failure = QStringLiteral("no temporary directory");
        return;
    }
    if (QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty()) {
        m_failure = QStringLiteral("parec is not installed");
        return;
    }
    for (QProcess *process : {&m_pipewire, &m_sessionManager, &m_daemon, &m_recorder})
        process->setProcessEnvironment(environmentFor(m_dir.path(), address()));
    if (kind == Kind::PulseAudio)
        startPulseAudio();
    else
        startPipeWire();
}

PrivatePulseServer::~PrivatePulseServer()
{
    for (QProcess *process : {&m_recorder, &m_daemon, &m_sessionManager, &m_pipewire}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->kill();
        process->waitForFinished(3000);
    }
}

void PrivatePulseServer::startPulseAudio()
{
    if (!start(m_daemon, QStringLiteral("pulseaudio"),
               {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                QStringLiteral("--use-pid-file=no"), QStringLiteral("--disable-shm=yes"),
                QStringLiteral("--log-target=stderr"), QStringLiteral("-L"),
                QStringLiteral("module-null-sink sink_name=vortana_test rate=%1 channels=1").arg(SampleRate),
                QStringLiteral("-L"),
                QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=%1")
                    .arg(m_dir.filePath(QStringLiteral("native")))}))
        return;
    awaitAnswer(m_daemon, QStringLiteral("pactl"), {QStringLiteral("info")});
}

void PrivatePulseServer::startPipeWire()
{
    // WirePlumber gives up where there is no session bus unless everything
    // that wants one is off; there are no devices here to watch anyway.
    const QString config = m_dir.filePath(QStringLiteral("config/wireplumber/"));
    if (!writeFile(config + QStringLiteral("main.lua.d/51-private.lua"),
                   "alsa_monitor.enabled = false\n"
                   "v4l2_monitor.enabled = false\n"
                   "libcamera_monitor.enabled = false\n"
                   "default_access.properties[\"enable-flatpak-portal\"] = false\n")
        || !writeFile(config + QStringLiteral("bluetooth.lua.d/51-private.lua"), "bluez_monitor.enabled = false\n")) {
        m_failure = QStringLiteral("cannot write the session manager's settings");
        return;
    }
    // The other two give up if PipeWire does not answer yet.
    if (!start(m_pipewire, QStringLiteral("pipewire"), {})
        || !awaitAnswer(m_pipewire, QStringLiteral("pw-cli"), {QStringLiteral("info"), QStringLiteral("0")})
        || !start(m_sessionManager, QStringLiteral("wireplumber"), {})
        || !start(m_daemon, QStringLiteral("pipewire-pulse"), {})
        || !awaitAnswer(m_daemon, QStringLiteral("pactl"), {QStringLiteral("info")}))
        return;
    if (!run(QStringLiteral("pactl"), {QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                                       QStringLiteral("sink_name=vortana_test"),
                                       QStringLiteral("rate=%1").arg(SampleRate), QStringLiteral("channels=1")}))
        m_failure = QStringLiteral("pipewire-pulse made no null sink");
    else if (!startRecording())
        m_failure = QStringLiteral("wireplumber linked no stream: ")
            + QString::fromLocal8Bit(m_sessionManager.readAll()).right(400);
    else
        stopRecording();
}

bool PrivatePulseServer::start(QProcess &process, const QString &program, const QStringList &arguments)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        m_failure = program + QStringLiteral(" is not installed");
        return false;
    }
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, arguments);
    return true;
}

bool PrivatePulseServer::awaitAnswer(QProcess &process, const QString &program, const QStringList &arguments)
{
    const QString name = QFileInfo(process.program()).fileName();
    // Generous: a busy machine may take long to start it; a server that
    // cannot start says so at once by ending.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 120000) {
        if (process.state() == QProcess::NotRunning) {
            m_failure = name + QStringLiteral(" ended at once: ") + QString::fromLocal8Bit(process.readAll()).right(400);
            return false;
        }
        if (run(program, arguments))
            return true;
        QThread::msleep(100);
    }
    m_failure = name + QStringLiteral(" did not answer within two minutes");
    return false;
}

bool PrivatePulseServer::run(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.setProcessEnvironment(environmentFor(m_dir.path(), address()));
    tool.setStandardInputFile(QProcess::nullDevice());
    tool.start(program, arguments);
    return tool.waitForFinished(-1) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

bool PrivatePulseServer::startRecording()
{
    m_recorder.start(QStringLiteral("parec"), {QStringLiteral("--device=vortana_test.monitor"), QStringLiteral("--raw"),
                                               QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                                               QStringLiteral("--rate=%1").arg(SampleRate), QStringLiteral("--latency-msec=20")});
    if (!m_recorder.waitForStarted(-1))
        return false;
    // Nothing may play before the monitor's silence comes in. Under PipeWire
    // it flows once the session manager has linked the stream, which one
    // that died would never do.
    const bool managed = !m_sessionManager.program().isEmpty();
    QElapsedTimer waited;
    waited.start();
    while (m_recorder.bytesAvailable() == 0) {
        if (m_recorder.state() == QProcess::NotRunning || (managed && m_sessionManager.waitForFinished(0))
            || waited.elapsed() > 120000) {
            m_recorder.kill();
            m_recorder.waitForFinished(-1);
            return false;
        }
        m_recorder.waitForReadyRead(100);
    }
    return true;
}

QByteArray PrivatePulseServer::stopRecording()
{
    QThread::msleep(300);
    m_recorder.terminate();
    m_recorder.waitForFinished(3000);
    return m_recorder.readAllStandardOutput();
}

} // namespace vortana
