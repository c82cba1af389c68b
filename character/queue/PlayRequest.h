#pragma once

#include "character/file/Animation.h"
#include "character/queue/Request.h"

namespace vortana {

class CharacterStage;

// Plays one animation once, then the character rests. A hidden character has
// nothing to show, so the request ends at once.
class PlayRequest : public Request
{
public:
    static constexpr std::chrono::seconds Slack{2};

    PlayRequest(CharacterStage &stage, const Animation &animation) : m_stage(stage), m_animation(animation) {}

    const void *owner() const override { return &m_stage; }
    void start(Clock::Duration now) override;
    bool advance(Clock::Duration now) override;
    void cancel() override;
    Clock::Duration limit() const override { return m_animation.length() + Slack; }

protected:
    CharacterStage &m_stage;
    const Animation &m_animation;
    Clock::Duration m_startedAt{};
    bool m_active = false;
};

} // namespace vortana
