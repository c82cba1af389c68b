#include "character/queue/ShowRequest.h"

#include "character/stage/CharacterStage.h"

namespace vortana {

ShowRequest::ShowRequest(CharacterStage &stage)
    : PlayRequest(stage, stage.data().require(CharacterData::AppearName))
{
}

void ShowRequest::start(Clock::Duration now)
{
    m_startedAt = now;
    m_active = !m_stage.isShown();
    if (!m_active)
        return;
    m_stage.pose(m_animation.frames.constFirst());
    m_stage.showWindow();
}

} // namespace vortana
