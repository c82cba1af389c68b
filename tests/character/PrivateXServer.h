#pragma once

#include <QProcess>
#include <QString>

namespace vortana {

// An Xvfb display of the test's own, without a window manager or compositor:
// the harshest place for a shaped, translucent window. Started before the
// QApplication, which then connects to it.
class PrivateXServer
{
public:
    PrivateXServer();
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer &) = delete;
    PrivateXServer &operator=(const PrivateXServer &) = delete;

    // Empty once the display answers; otherwise why it could not start.
    const QString &failure() const { return m_failure; }
    const QString &display() const { return m_display; }

private:
    QProcess m_server;
    QString m_display;
    QString m_failure;
};

} // namespace vortana
