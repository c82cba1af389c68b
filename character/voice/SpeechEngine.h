#pragma once

#include "character/file/VoiceSettings.h"
#include "character/voice/PendingUtterance.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace vortana {

class EspeakSynthesizer;
class SampleChannel;

// The program's one speech engine. Synthesis runs on its own thread, one text
// after the other, so the GUI thread only hands texts over and picks results up.
class SpeechEngine
{
public:
    // Audio longer than this is rendered again as it plays, not kept whole:
    // a long speech would otherwise hold seconds of audio while it plays.
    static constexpr std::chrono::seconds KeptAudio{4};
    // How far the renderer runs ahead of the player when it renders again.
    // Until that speech is all rendered, texts handed over later wait behind
    // it: the game hands over what follows a long speech before it plays.
    static constexpr std::chrono::milliseconds StreamAhead{500};

    // Created on first use, which must come after the QApplication exists.
    static SpeechEngine &instance();

    SpeechEngine(const SpeechEngine &) = delete;
    SpeechEngine &operator=(const SpeechEngine &) = delete;

    // Loads the engine and the voice before the first text needs them; the
    // answer is empty when both are there, otherwise why the voice cannot speak.
    std::shared_future<QString> prepare(const VoiceSettings &voice);
    // `whenReady` runs on the speech thread once the result is in.
    std::shared_ptr<PendingUtterance> render(const QString &text, const VoiceSettings &voice,
                                             std::function<void()> whenReady = {});
    // The engine's phoneme spelling, to check how it pronounces a text.
    // Blocks until the speech thread answers: for tests and tools only.
    QString phonemes(const QString &text, const VoiceSettings &voice);

private:
    SpeechEngine();
    ~SpeechEngine();

    void post(std::function<void(EspeakSynthesizer &)> job);
    std::shared_ptr<SampleChannel> stream(const QString &text, const VoiceSettings &voice);
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void(EspeakSynthesizer &)>> m_jobs;
    bool m_quit = false;
    // Those a renderer may be waiting on, to be closed when the program leaves.
    std::vector<std::weak_ptr<SampleChannel>> m_channels;
    std::atomic<bool> m_leaving = false;
    std::thread m_thread;
};

} // namespace vortana
