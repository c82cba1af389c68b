#pragma once

#include "character/Agent.h"
#include "character/CharacterData.h"
#include "character/CharacterStage.h"

#include <memory>

namespace vortana {

class AudioSink;
class RequestQueue;

// A loaded character. Each operation checks its arguments at the call and
// queues the request; Height is a setting and takes effect at once.
class Character final : public AgentCharacter
{
public:
    static constexpr qsizetype MaxSpeech = 10000; // characters in one Speak
    static constexpr int MaxCoordinate = 100000;

    Character(std::shared_ptr<const CharacterData> data, RequestQueue &queue, AudioSink &sink);
    ~Character() override;
    Character(const Character &) = delete;
    Character &operator=(const Character &) = delete;

    void Show() override;
    void MoveTo(int x, int y) override;
    void Play(const QString &animation) override;
    void Height(int pixels) override;
    void Speak(const QString &text) override;

    const CharacterStage &stage() const { return m_stage; }

private:
    std::shared_ptr<const CharacterData> m_data;
    RequestQueue &m_queue;
    AudioSink &m_sink;
    CharacterStage m_stage;
};

} // namespace vortana
