#pragma once

#include "FixedRandom.h"
#include "ScriptedBoxes.h"

#include "character/Agent.h"
#include "record/RecordStore.h"
#include "runtime/Clock.h"
#include "window/Tavola.h"

#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace vortana::test {

// A character host, and its one character, that write down every request
// instead of performing it.
class RecordingAgent final : public Agent, public AgentCharacters, public AgentCharacter
{
public:
    QStringList requests;

    AgentCharacters &Characters() override { return *this; }
    QString characterFile(const QString &id) const override { return QStringLiteral("/chars/") + id; }
    void Load(const QString &id, const QString &file, const QStringList &animations) override
    {
        requests << QStringLiteral("Load %1 %2 ").arg(id, file) + animations.join(u' ');
    }
    AgentCharacter &Item(const QString &) override { return *this; }
    void Show() override { requests << QStringLiteral("Show"); }
    void MoveTo(int x, int y) override { requests << QStringLiteral("MoveTo %1 %2").arg(x).arg(y); }
    void Play(const QString &animation) override { requests << QStringLiteral("Play ") + animation; }
    void Height(int pixels) override { requests << QStringLiteral("Height %1").arg(pixels); }
    void Speak(const QString &text) override { requests << QStringLiteral("Speak ") + text; }
};

// A main window wired to scripted collaborators and a record directory of its own.
struct GameFixture
{
    QTemporaryDir dir;
    QString directory;
    ScriptedBoxes boxes;
    RecordingAgent agent;
    Agent *host = &agent; // the character host the window drives
    FixedRandom random;
    RandomSource *randomSource = &random; // what the window draws from
    std::unique_ptr<RecordStore> records;
    ManualClock clock;
    std::optional<int> endedWith;
    std::unique_ptr<Tavola> window;

    // A record directory of its own, unless another is given.
    explicit GameFixture(const QString &name = QStringLiteral("Mario"), const QString &otherDirectory = {})
        : directory(otherDirectory.isEmpty() ? dir.path() + QStringLiteral("/records") : otherDirectory)
    {
        boxes.name = name;
        use(std::make_unique<RecordStore>(directory));
    }

    // The window built anew over the store given.
    void use(std::unique_ptr<RecordStore> store)
    {
        window.reset();
        records = std::move(store);
        window = std::make_unique<Tavola>(
            Tavola::Services{boxes, *host, *randomSource, *records, clock, [this](int status) { endedWith = status; }});
    }

    QString scorePath() const { return directory + QStringLiteral("/aquizrec6.txt"); }
    QString namePath() const { return directory + QStringLiteral("/nquizrec6.txt"); }

    const Controls &c() const { return window->controls(); }
    Quiz &quiz() { return window->quiz(); }

    // Start-up and activation, as the program does them, with the boxes and
    // requests of both forgotten afterwards.
    void start(int factor2 = 7)
    {
        random.draws = {FixedRandom::forValue(1), FixedRandom::forValue(factor2)};
        window->load();
        window->activate();
        boxes.shown.clear();
        agent.requests.clear();
    }

    // Runs a handler the way the window does, failures and ending included.
    template<typename Handler>
    void run(Handler handler)
    {
        window->dispatcher().dispatch(handler);
    }
};

} // namespace vortana::test
