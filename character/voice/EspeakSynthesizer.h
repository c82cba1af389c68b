#pragma once

#include "character/file/VoiceSettings.h"
#include "character/voice/Utterance.h"

#include <QString>

#include <atomic>

namespace vortana {

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
    Utterance synthesize(const QString &text, const VoiceSettings &voice, const std::atomic<bool> *abandon = nullptr);
    QString phonemes(const QString &text, const VoiceSettings &voice);

private:
    bool select(const VoiceSettings &voice);
    void noteText(const QString &text);

    QString m_failure;
    QByteArray m_voiceName; // the voice the engine has loaded, empty for none
    bool m_voiceKept = false;
};

} // namespace vortana
