#include "character/voice/EspeakSynthesizer.h"

#include "character/voice/LoudnessMeter.h"
#include "character/voice/SampleChannel.h"
#include "character/voice/SpeechText.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <clocale>
#include <string>

namespace vortana {

namespace {

// Where the audio goes: into an utterance, with its words and mouth, or,
// when it plays again, into a channel.
struct Collector
{
    const std::atomic<bool> *abandon;
    Utterance *utterance = nullptr;
    const SpeechText *text = nullptr;
    LoudnessMeter *meter = nullptr;
    std::size_t keptSamples = 0;
    SampleChannel *channel = nullptr;

    // False ends the synthesis.
    bool take(const std::int16_t *wav, std::size_t count)
    {
        if (channel)
            return channel->write(wav, count);
        utterance->sampleCount += count;
        meter->add(wav, count);
        if (utterance->sampleCount <= keptSamples) {
            utterance->samples.insert(utterance->samples.end(), wav, wav + count);
        } else if (!utterance->samples.empty()) {
            utterance->samples.clear();
            utterance->samples.shrink_to_fit();
        }
        return true;
    }
};

int collect(short *wav, int count, espeak_EVENT *events)
{
    auto *collector = static_cast<Collector *>(events->user_data);
    if (!collector)
        return 0;
    // Non-zero ends the synthesis: the program is leaving, or nobody listens.
    if (collector->abandon && collector->abandon->load())
        return 1;
    if (wav && count > 0 && !collector->take(wav, std::size_t(count)))
        return 1;
    for (const espeak_EVENT *event = events; collector->utterance && event->type != espeakEVENT_LIST_TERMINATED;
         ++event) {
        if (event->type == espeakEVENT_WORD)
            collector->utterance->words.append(
                collector->text->mark(event->text_position, event->length, event->audio_position));
    }
    return 0;
}

// The library switches the process's locale while it starts; the rest of
// the program must keep the one it had.
class LocaleGuard
{
public:
    LocaleGuard() : m_saved(std::setlocale(LC_ALL, nullptr)) {}
    ~LocaleGuard()
    {
        if (m_saved != std::setlocale(LC_ALL, nullptr))
            std::setlocale(LC_ALL, m_saved.c_str());
    }
    LocaleGuard(const LocaleGuard &) = delete;
    LocaleGuard &operator=(const LocaleGuard &) = delete;

private:
    std::string m_saved;
};

QString describe(espeak_ng_STATUS status)
{
    char message[512] = {};
    espeak_ng_GetStatusCodeMessage(status, message, sizeof message);
    return QString::fromLocal8Bit(message);
}

} // namespace

EspeakSynthesizer::EspeakSynthesizer()
{
    const LocaleGuard guard;
    espeak_ng_InitializePath(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    if (status != ENS_OK) {
        m_failure = QStringLiteral("sintesi vocale non disponibile: %1").arg(describe(status));
        espeak_ng_ClearErrorContext(&context);
        return;
    }
    status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr);
    if (status != ENS_OK) {
        m_failure = QStringLiteral("sintesi vocale non disponibile: %1").arg(describe(status));
        return;
    }
    espeak_SetSynthCallback(collect);
}

EspeakSynthesizer::~EspeakSynthesizer()
{
    if (m_failure.isEmpty())
        espeak_ng_Terminate();
}

bool EspeakSynthesizer::select(const VoiceSettings &voice)
{
    // Choosing a voice reads its rules and dictionary from disk again (about
    // 4 ms), so a voice is kept from one text to the next. But a text in
    // another script makes the engine switch language by itself, and the
    // switch would outlive that text: after any text that was not all
    // Latin-1 the voice is chosen afresh.
    if (!m_voiceKept || m_voiceName != voice.voice) {
        m_voiceName.clear();
        if (espeak_SetVoiceByName(voice.voice.constData()) != EE_OK)
            return false;
        m_voiceName = voice.voice;
    }
    espeak_SetParameter(espeakRATE, voice.rate, 0);
    espeak_SetParameter(espeakPITCH, voice.pitch, 0);
    espeak_SetParameter(espeakRANGE, voice.range, 0);
    espeak_SetParameter(espeakVOLUME, voice.volume, 0);
    m_voiceKept = true;
    return true;
}

void EspeakSynthesizer::noteText(const QString &text)
{
    m_voiceKept = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x100; });
}

QString EspeakSynthesizer::check(const VoiceSettings &voice)
{
    if (!m_failure.isEmpty())
        return m_failure;
    if (!select(voice))
        return QStringLiteral("la sintesi vocale non ha la voce \"%1\"").arg(QString::fromUtf8(voice.voice));
    return {};
}

Utterance EspeakSynthesizer::synthesize(const QString &text, const VoiceSettings &voice,
                                        const std::atomic<bool> *abandon, std::size_t keptSamples)
{
    Utterance utterance;
    utterance.sampleRate = espeak_ng_GetSampleRate();
    if (!m_failure.isEmpty() || !select(voice))
        return utterance;
    const SpeechText plain(text);
    LoudnessMeter meter(utterance.sampleRate);
    Collector collector{abandon, &utterance, &plain, &meter, keptSamples};
    speak(text, plain, &collector);
    utterance.mouth = meter.track();
    return utterance;
}

void EspeakSynthesizer::stream(const QString &text, const VoiceSettings &voice, SampleChannel &channel,
                               const std::atomic<bool> *abandon)
{
    if (m_failure.isEmpty() && select(voice)) {
        Collector collector{abandon};
        collector.channel = &channel;
        speak(text, SpeechText(text), &collector);
    }
    channel.finish();
}

void EspeakSynthesizer::speak(const QString &text, const SpeechText &plain, void *collector)
{
    const QByteArray bytes = plain.utf8();
    noteText(text);
    espeak_Synth(bytes.constData(), size_t(bytes.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                 collector);
}

QString EspeakSynthesizer::phonemes(const QString &text, const VoiceSettings &voice)
{
    if (!m_failure.isEmpty() || !select(voice))
        return {};
    const QByteArray bytes = SpeechText(text).utf8();
    noteText(text);
    const void *cursor = bytes.constData();
    QString result;
    while (cursor) {
        const char *clause = espeak_TextToPhonemes(&cursor, espeakCHARS_UTF8, 0);
        if (!clause)
            break;
        result += QString::fromUtf8(clause).trimmed() + QLatin1Char(' ');
    }
    return result.trimmed();
}

} // namespace vortana
