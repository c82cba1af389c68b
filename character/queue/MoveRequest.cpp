#include "character/queue/MoveRequest.h"

#include "character/stage/CharacterStage.h"

#include <QLineF>

#include <algorithm>
#include <cmath>

namespace vortana {

MoveRequest::MoveRequest(CharacterStage &stage, QPoint target, int speed)
    : m_stage(stage), m_glide(stage.data().require(CharacterData::GlideName)), m_target(target),
      m_speed(std::max(1, speed))
{
}

void MoveRequest::start(Clock::Duration now)
{
    m_startedAt = now;
    m_from = m_stage.position();
    const qreal distance = QLineF(m_from, m_target).length();
    // A hidden character is simply put there; there is no glide to watch.
    m_active = m_stage.isShown() && distance >= 1;
    if (!m_active) {
        m_stage.moveWindow(m_target);
        return;
    }
    const auto glide = std::chrono::milliseconds(std::lround(distance * 1000 / m_speed));
    m_duration = std::clamp<std::chrono::milliseconds>(glide, Shortest, Longest);
}

bool MoveRequest::advance(Clock::Duration now)
{
    if (!m_active)
        return true;
    const Clock::Duration elapsed = now - m_startedAt;
    if (elapsed >= m_duration) {
        m_active = false;
        m_stage.moveWindow(m_target);
        m_stage.rest();
        return true;
    }
    const double t = std::chrono::duration<double>(elapsed) / std::chrono::duration<double>(m_duration);
    const double eased = t * t * (3 - 2 * t);
    const QPointF at = QPointF(m_from) + (QPointF(m_target) - QPointF(m_from)) * eased;
    m_stage.pose(m_glide.frameAt(elapsed, true));
    m_stage.moveWindow(at.toPoint());
    return false;
}

void MoveRequest::cancel()
{
    if (m_active) {
        m_stage.moveWindow(m_target);
        m_stage.rest();
    }
    m_active = false;
}

} // namespace vortana
