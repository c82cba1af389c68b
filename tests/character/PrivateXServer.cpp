#include "PrivateXServer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace vortana {

PrivateXServer::PrivateXServer()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        m_failure = QStringLiteral("Xvfb is not installed");
        return;
    }
    for (int number = 140; number < 160 && m_display.isEmpty(); ++number) {
        if (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            continue;
        m_server.start(xvfb, {QStringLiteral(":%1").arg(number), QStringLiteral("-screen"), QStringLiteral("0"),
                              QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!m_server.waitForStarted(3000))
            break;
        QElapsedTimer waited;
        waited.start();
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
        while (waited.elapsed() < 5000 && m_server.state() == QProcess::Running && !QFileInfo::exists(socket))
            QThread::msleep(50);
        if (m_server.state() == QProcess::Running && QFileInfo::exists(socket))
            m_display = QStringLiteral(":%1").arg(number);
        else
            m_server.kill(), m_server.waitForFinished(2000);
    }
    if (m_display.isEmpty())
        m_failure = QStringLiteral("Xvfb did not start: ") + QString::fromLocal8Bit(m_server.readAllStandardError()).right(300);
}

PrivateXServer::~PrivateXServer()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(3000)) {
            m_server.kill();
            m_server.waitForFinished(2000);
        }
    }
}

} // namespace vortana
