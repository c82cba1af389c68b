#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <mutex>

namespace vortana {

// Lets a worker thread hand work to an object on the GUI thread that may be
// gone by then: the owner closes the mailbox before it dies, and anything
// posted afterwards is dropped.
class GuiMailbox
{
public:
    static std::shared_ptr<GuiMailbox> create(QObject *target)
    {
        return std::shared_ptr<GuiMailbox>(new GuiMailbox(target));
    }
    GuiMailbox(const GuiMailbox &) = delete;
    GuiMailbox &operator=(const GuiMailbox &) = delete;

    void post(std::function<void()> work)
    {
        std::lock_guard lock(m_mutex);
        // Qt drops queued calls of an object deleted before they are delivered.
        if (m_target)
            QMetaObject::invokeMethod(m_target, std::move(work), Qt::QueuedConnection);
    }

    void close()
    {
        std::lock_guard lock(m_mutex);
        m_target = nullptr;
    }

private:
    explicit GuiMailbox(QObject *target) : m_target(target) {}

    std::mutex m_mutex;
    QObject *m_target;
};

} // namespace vortana
