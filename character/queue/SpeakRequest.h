#pragma once

#include "character/queue/Request.h"
#include "character/voice/AudioListener.h"
#include "character/voice/PendingUtterance.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace vortana {

class AudioSink;
class CharacterStage;

// Says a text: waits for its synthesis (started when the request was made),
// plays it, shows its words in the balloon as they sound and moves the mouth.
// Without a sound server the same happens, paced by the clock.
class SpeakRequest final : public Request, private AudioListener
{
public:
    static constexpr std::chrono::seconds RenderWait{10};
    static constexpr std::chrono::seconds Slack{3};
    static constexpr std::chrono::milliseconds SilentPace{75}; // a character, when there is no voice

    SpeakRequest(CharacterStage &stage, AudioSink &sink, const Clock &clock, QString text,
                 std::shared_ptr<PendingUtterance> pending, std::function<void()> nudge);
    ~SpeakRequest() override;

    const void *owner() const override { return &m_stage; }
    void start(Clock::Duration now) override;
    bool advance(Clock::Duration now) override;
    void cancel() override;
    Clock::Duration limit() const override;

private:
    enum class State { Rendering, Playing, Done };

    void begin(Clock::Duration now);
    void follow(Clock::Duration elapsed);
    void finish();
    void playbackStarted() override;
    void playbackFinished(bool heard) override;

    CharacterStage &m_stage;
    AudioSink &m_sink;
    const Clock &m_clock;
    QString m_text;
    std::shared_ptr<PendingUtterance> m_pending;
    std::shared_ptr<const Utterance> m_utterance;
    std::function<void()> m_nudge;
    // Where the balloon's text has got to when each word starts to sound.
    std::vector<std::pair<Clock::Duration, qsizetype>> m_reveals;
    State m_state = State::Rendering;
    Clock::Duration m_startedAt{};
    Clock::Duration m_soundAt{};
    Clock::Duration m_length{};
    bool m_sinkBusy = false;
    bool m_heard = false;
};

} // namespace vortana
