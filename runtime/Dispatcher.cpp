#include "runtime/Dispatcher.h"

#include "runtime/RuntimeError.h"

#include <new>

namespace vortana {

Dispatcher::Dispatcher(Hooks hooks) : m_hooks(std::move(hooks)) {}

bool Dispatcher::dispatch(const std::function<void()> &handler)
{
    if (m_busy || m_ended)
        return false;
    m_busy = true;
    try {
        handler();
    } catch (const ProgramEnd &end) {
        m_busy = false;
        this->end(end.status());
    } catch (const RuntimeError &error) {
        m_busy = false;
        m_ended = true;
        if (m_hooks.showError)
            m_hooks.showError(error.message());
        end(ErrorExitStatus);
    } catch (const std::bad_alloc &) {
        m_busy = false;
        m_ended = true;
        if (m_hooks.showError)
            m_hooks.showError(QStringLiteral("Errore di run-time '7':\n\nMemoria esaurita"));
        end(ErrorExitStatus);
    }
    m_busy = false;
    return true;
}

void Dispatcher::end(int status)
{
    m_ended = true;
    m_exitStatus = status;
    if (m_hooks.endProgram)
        m_hooks.endProgram(status);
}

} // namespace vortana
