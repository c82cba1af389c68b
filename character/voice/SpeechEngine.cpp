#include "character/voice/SpeechEngine.h"

#include "character/voice/EspeakSynthesizer.h"
#include "character/voice/SampleChannel.h"

#include <future>

namespace vortana {

SpeechEngine &SpeechEngine::instance()
{
    static SpeechEngine engine;
    return engine;
}

SpeechEngine::SpeechEngine() : m_thread([this] { run(); }) {}

SpeechEngine::~SpeechEngine()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_leaving = true;
        m_jobs.clear();
        for (const std::weak_ptr<SampleChannel> &channel : m_channels) {
            if (const std::shared_ptr<SampleChannel> open = channel.lock())
                open->close();
        }
    }
    m_wake.notify_all();
    m_thread.join();
}

void SpeechEngine::post(std::function<void(EspeakSynthesizer &)> job)
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
}

void SpeechEngine::run()
{
    // Created here so that every call into the library comes from this thread.
    EspeakSynthesizer synthesizer;
    for (;;) {
        std::function<void(EspeakSynthesizer &)> job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_quit || !m_jobs.empty(); });
            if (m_quit)
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        job(synthesizer);
    }
}

std::shared_future<QString> SpeechEngine::prepare(const VoiceSettings &voice)
{
    auto promise = std::make_shared<std::promise<QString>>();
    std::shared_future<QString> answer = promise->get_future().share();
    post([promise, voice](EspeakSynthesizer &synthesizer) {
        const QString failure = synthesizer.check(voice);
        promise->set_value(failure);
        if (failure.isEmpty())
            synthesizer.synthesize(QStringLiteral(" "), voice);
    });
    return answer;
}

std::shared_ptr<PendingUtterance> SpeechEngine::render(const QString &text, const VoiceSettings &voice,
                                                        std::function<void()> whenReady)
{
    auto pending = std::make_shared<PendingUtterance>();
    post([this, pending, text, voice, whenReady = std::move(whenReady)](EspeakSynthesizer &synthesizer) {
        if (!synthesizer.failure().isEmpty()) {
            pending->fulfil(nullptr, synthesizer.failure());
        } else {
            constexpr auto kept = std::size_t(EspeakSynthesizer::SampleRate * KeptAudio.count());
            Utterance utterance = synthesizer.synthesize(text, voice, &m_leaving, kept);
            if (utterance.samples.empty() && utterance.sampleCount > 0)
                utterance.replay = [this, text, voice] { return stream(text, voice); };
            pending->fulfil(std::make_shared<const Utterance>(std::move(utterance)));
        }
        if (whenReady)
            whenReady();
    });
    return pending;
}

std::shared_ptr<SampleChannel> SpeechEngine::stream(const QString &text, const VoiceSettings &voice)
{
    constexpr auto ahead = std::size_t(EspeakSynthesizer::SampleRate * StreamAhead.count() / 1000);
    auto channel = std::make_shared<SampleChannel>(ahead);
    {
        std::lock_guard lock(m_mutex);
        std::erase_if(m_channels, [](const std::weak_ptr<SampleChannel> &old) { return old.expired(); });
        m_channels.push_back(channel);
    }
    post([this, channel, text, voice](EspeakSynthesizer &synthesizer) {
        synthesizer.stream(text, voice, *channel, &m_leaving);
    });
    return channel;
}

QString SpeechEngine::phonemes(const QString &text, const VoiceSettings &voice)
{
    auto promise = std::make_shared<std::promise<QString>>();
    std::future<QString> answer = promise->get_future();
    post([promise, text, voice](EspeakSynthesizer &synthesizer) {
        promise->set_value(synthesizer.phonemes(text, voice));
    });
    return answer.get();
}

} // namespace vortana
