#pragma once

#include "character/file/VoiceSettings.h"
#include "character/voice/Utterance.h"

#include <QString>

#include <atomic>
#include <cstdint>

namespace vortana {

class SampleChannel;
class SpeechText;

// The espeak-ng library, which is one global instance and not thread-safe:
// only the speech thread creates and uses this.
class EspeakSynthesizer
{
public:
    static constexpr int SampleRate = 22050;

    EspeakSynthesizer();
    ~EspeakSynthesizer();
    EspeakSynthesizer(const EspeakSynthesizer &) = delete;
    EspeakSynthesizer &operator=(const EspeakSynthesizer &) = delete;

    // Empty when the engine is ready, otherwise why it is not.
    const QString &failure() const { return m_failure; }

    // Empty when the engine is ready and has the voice, otherwise why not.
    QString check(const VoiceSettings &voice);

    // Plain text only: nothing in it is read as markup or phonemes. Once
    // `abandon` is set the synthesis stops where it is.
    // Audio longer than `keptSamples` is not kept: only its length, words
    // and mouth, and stream() renders it again when it plays.
    Utterance synthesize(const QString &text, const VoiceSettings &voice, const std::atomic<bool> *abandon = nullptr,
                         std::size_t keptSamples = SIZE_MAX);
    // The same audio again, into `channel`, until it is all there or the
    // channel's reader has gone; the channel is finished either way.
    void stream(const QString &text, const VoiceSettings &voice, SampleChannel &channel,
                const std::atomic<bool> *abandon);
    QString phonemes(const QString &text, const VoiceSettings &voice);

private:
    bool select(const VoiceSettings &voice);
    void speak(const QString &text, const SpeechText &plain, void *collector);
    void noteText(const QString &text);

    QString m_failure;
    QByteArray m_voiceName; // the voice the engine has loaded, empty for none
    bool m_voiceKept = false;
};

} // namespace vortana
