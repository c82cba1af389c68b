#pragma once

#include "character/Agent.h"
#include "character/file/CharacterData.h"
#include "character/stage/CharacterStage.h"

#include <chrono>
#include <future>
#include <memory>
#include <optional>

namespace vortana {

class AudioSink;
class StageHost;
class RequestQueue;

// A loaded character. Each operation checks its arguments at the call and
// queues the request; Height is a setting and takes effect at once.
class Character final : public AgentCharacter
{
public:
    static constexpr qsizetype MaxSpeech = 10000; // characters in one Speak
    static constexpr int MaxCoordinate = 100000;
    static constexpr std::chrono::seconds VoiceTimeout{20};

    Character(std::shared_ptr<const CharacterData> data, RequestQueue &queue, AudioSink &sink, const StageHost &host);
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
    void requireVoice();

    std::shared_ptr<const CharacterData> m_data;
    std::shared_future<QString> m_voiceCheck;
    std::optional<QString> m_voiceFailure;
    RequestQueue &m_queue;
    AudioSink &m_sink;
    const StageHost &m_host;
    CharacterStage m_stage;
};

} // namespace vortana
