#include "PrivateXServer.h"

#include <QStandardPaths>

namespace vortana {

PrivateXServer::PrivateXServer()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        m_failure = QStringLiteral("Xvfb is not installed");
        return;
    }
    // The server picks a free display itself and writes its number once it
    // accepts connections: no race with another test's server.
    m_server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                          QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                          QStringLiteral("tcp")});
    while (!m_server.canReadLine() && m_server.waitForReadyRead(-1)) {
    }
    const QString number = QString::fromLatin1(m_server.readLine()).trimmed();
    if (!number.isEmpty())
        m_display = u':' + number;
    else
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
