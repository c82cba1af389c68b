#include "character/queue/PlayRequest.h"

#include "character/stage/CharacterStage.h"

namespace vortana {

void PlayRequest::start(Clock::Duration now)
{
    m_startedAt = now;
    m_active = m_stage.isShown();
}

bool PlayRequest::advance(Clock::Duration now)
{
    if (!m_active)
        return true;
    const Clock::Duration elapsed = now - m_startedAt;
    if (elapsed >= m_animation.length()) {
        m_active = false;
        m_stage.rest();
        return true;
    }
    m_stage.pose(m_animation.frameAt(elapsed, false));
    return false;
}

void PlayRequest::cancel()
{
    if (m_active)
        m_stage.rest();
    m_active = false;
}

} // namespace vortana
