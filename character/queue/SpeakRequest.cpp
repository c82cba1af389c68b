#include "character/queue/SpeakRequest.h"

#include "runtime/Trace.h"

#include "character/stage/CharacterStage.h"
#include "character/voice/AudioSink.h"

#include <QtDebug>

namespace vortana {

SpeakRequest::SpeakRequest(CharacterStage &stage, AudioSink &sink, const Clock &clock, QString text,
                           std::shared_ptr<PendingUtterance> pending, std::function<void()> nudge)
    : m_stage(stage), m_sink(sink), m_clock(clock), m_text(std::move(text)), m_pending(std::move(pending)),
      m_nudge(std::move(nudge))
{
}

SpeakRequest::~SpeakRequest()
{
    if (m_sinkBusy)
        m_sink.stop();
}

void SpeakRequest::start(Clock::Duration now)
{
    m_startedAt = now;
    if (m_text.trimmed().isEmpty()) {
        m_state = State::Done;
        return;
    }
    m_stage.openBalloon(m_text);
}

Clock::Duration SpeakRequest::limit() const
{
    if (m_state == State::Rendering)
        return RenderWait;
    return (m_soundAt - m_startedAt) + m_length + Slack;
}

void SpeakRequest::begin(Clock::Duration now)
{
    m_state = State::Playing;
    m_soundAt = now;
    trace("speech-start");
    m_utterance = m_pending->utterance();
    if (!m_utterance) {
        qWarning("Il personaggio non ha voce: %s", qUtf8Printable(m_pending->error()));
        m_length = SilentPace * m_text.size();
        m_reveals.emplace_back(Clock::Duration{}, m_text.size());
        return;
    }
    m_length = m_utterance->length();
    for (const WordMark &word : m_utterance->words) {
        qsizetype end = std::min(word.start + word.length, m_text.size());
        // Punctuation stuck to the word comes with it.
        while (end < m_text.size() && !m_text.at(end).isSpace())
            ++end;
        m_reveals.emplace_back(word.at, end);
    }
    if (m_utterance->sampleCount == 0)
        return;
    m_sinkBusy = true;
    m_sink.play(m_utterance, this);
}

bool SpeakRequest::advance(Clock::Duration now)
{
    if (m_state == State::Rendering) {
        if (!m_pending->ready())
            return false;
        begin(now);
    }
    if (m_state == State::Done)
        return true;
    const Clock::Duration elapsed = now - m_soundAt;
    // Played through a server: done when it says so. Unheard: when the time is up.
    if ((!m_sinkBusy && (m_heard || elapsed >= m_length))) {
        finish();
        return true;
    }
    follow(elapsed);
    return false;
}

void SpeakRequest::follow(Clock::Duration elapsed)
{
    qsizetype shown = 0;
    for (const auto &[at, end] : m_reveals) {
        if (at <= elapsed)
            shown = std::max(shown, end);
    }
    m_stage.revealText(shown);
    qreal openness = 0;
    if (m_utterance && elapsed >= Clock::Duration{}) {
        const auto step = std::size_t(elapsed / Utterance::MouthStep);
        if (step < m_utterance->mouth.size())
            openness = m_utterance->mouth[step] / 255.0;
    }
    m_stage.setMouth(openness);
}

void SpeakRequest::finish()
{
    m_state = State::Done;
    m_stage.revealText(m_text.size());
    m_stage.setMouth(0);
    m_stage.closeBalloonSoon();
}

void SpeakRequest::cancel()
{
    if (m_sinkBusy)
        m_sink.stop();
    m_sinkBusy = false;
    m_state = State::Done;
    m_stage.setMouth(0);
    m_stage.closeBalloon();
}

void SpeakRequest::playbackStarted()
{
    // Words and mouth follow the sound as it actually comes out.
    m_soundAt = m_clock.now();
}

void SpeakRequest::playbackFinished(bool heard)
{
    m_sinkBusy = false;
    m_heard = heard;
    if (m_nudge)
        m_nudge();
}

} // namespace vortana
