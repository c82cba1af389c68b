#pragma once

#include "character/file/Animation.h"
#include "character/queue/Request.h"

#include <QPoint>

namespace vortana {

class CharacterStage;

// Glides the character's top left corner to a point of the screen.
class MoveRequest final : public Request
{
public:
    static constexpr int DefaultSpeed = 700; // pixels a second
    static constexpr std::chrono::milliseconds Shortest{200};
    static constexpr std::chrono::milliseconds Longest{2500};

    MoveRequest(CharacterStage &stage, QPoint target, int speed = DefaultSpeed);

    const void *owner() const override { return &m_stage; }
    void start(Clock::Duration now) override;
    bool advance(Clock::Duration now) override;
    void cancel() override;
    Clock::Duration limit() const override { return m_duration + std::chrono::seconds(2); }

private:
    CharacterStage &m_stage;
    const Animation &m_glide;
    QPoint m_target;
    QPoint m_from;
    int m_speed;
    Clock::Duration m_startedAt{};
    Clock::Duration m_duration{};
    bool m_active = false;
};

} // namespace vortana
