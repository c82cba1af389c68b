#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

// A PulseAudio server of the test's own, in a directory of its own, with one
// null sink whose monitor is recorded from the start. This process and its
// children speak only to it, and reach no desktop's sound server or bus.
class PrivateSound
{
public:
    static constexpr int Rate = 22050;

    ~PrivateSound()
    {
        for (QProcess *process : {&m_recorder, &m_server}) {
            process->kill();
            process->waitForFinished();
        }
    }

    // Empty once the recording flows, otherwise why it does not.
    QString start()
    {
        const QByteArray dir = m_dir.path().toUtf8();
        if (!m_dir.isValid())
            return QStringLiteral("no directory for the sound server");
        for (const char *name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "PULSE_RUNTIME_PATH"})
            qputenv(name, dir);
        qputenv("PULSE_SERVER", "unix:" + dir + "/native");
        // A bus that is not there: none is found, none is started.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir + "/no-bus");
        m_server.setProcessChannelMode(QProcess::MergedChannels);
        m_server.start(QStringLiteral("pulseaudio"),
                       {"-n", "--exit-idle-time=-1", "--daemonize=no", "--use-pid-file=no", "--realtime=no",
                        "--high-priority=no", "--log-target=stderr", "-L", "module-null-sink sink_name=heard rate=22050 channels=1",
                        "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + dir + "/native"});
        if (!m_server.waitForStarted())
            return QStringLiteral("pulseaudio: ") + m_server.errorString();
        // A busy machine may take long to start it; one that cannot start it says so by its ending.
        for (QDeadlineTimer deadline(std::chrono::minutes(2)); m_recorded.isEmpty(); recorded()) {
            if (m_server.state() == QProcess::NotRunning || deadline.hasExpired())
                return QLatin1String(deadline.hasExpired() ? "nothing recorded from pulseaudio in two minutes: "
                                                           : "pulseaudio ended at once: ") + QString::fromLocal8Bit(m_server.readAll());
            // The recorder gives up while the server is not listening yet: a while later it tries again.
            if (m_recorder.state() == QProcess::NotRunning && !m_server.waitForFinished(100)) {
                m_recorder.start(QStringLiteral("parec"), {"--device=heard.monitor", "--raw", "--format=s16le",
                                                           "--channels=1", "--rate=22050", "--latency-msec=20"});
                if (!m_recorder.waitForStarted())
                    return QStringLiteral("parec: ") + m_recorder.errorString();
            }
            m_recorder.waitForReadyRead(100);
        }
        return {};
    }

    // How many samples the sink has played since the recording began, silence included.
    std::size_t recorded()
    {
        m_recorded += m_recorder.readAllStandardOutput();
        return std::size_t(m_recorded.size()) / 2;
    }
    // The mean power of each stretch of `step` samples recorded so far.
    std::vector<double> power(std::size_t step)
    {
        std::vector<double> steps(recorded() / step);
        const auto *samples = reinterpret_cast<const std::int16_t *>(m_recorded.constData());
        for (std::size_t i = 0; i < steps.size() * step; ++i)
            steps[i / step] += double(samples[i]) * samples[i] / double(step);
        return steps;
    }

private:
    QTemporaryDir m_dir;
    QProcess m_server;
    QProcess m_recorder;
    QByteArray m_recorded;
};
