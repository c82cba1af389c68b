#pragma once

#include "character/queue/PlayRequest.h"

namespace vortana {

// Brings the character on screen with its appearing animation; a character
// already on screen shows nothing new.
class ShowRequest final : public PlayRequest
{
public:
    explicit ShowRequest(CharacterStage &stage);

    void start(Clock::Duration now) override;
};

} // namespace vortana
