// Merlin on his own: shows him, moves him, plays the game's animations and has
// him speak, printing each request as it starts. --sheet draws every frame of
// the character file; --wav renders speech to a file with its word times.
#include "ContactSheet.h"
#include "DemoScript.h"
#include "WavWriter.h"

#include "character/AgentControl.h"
#include "character/file/CharacterFile.h"
#include "character/voice/SpeechEngine.h"
#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

using namespace vortana;

namespace {

int renderSpeech(const QString &text, const QString &file, const CharacterData &character)
{
    auto pending = SpeechEngine::instance().render(text, character.voice);
    if (!pending->wait(std::chrono::seconds(30)) || !pending->utterance()) {
        std::fprintf(stderr, "%s\n", qPrintable(pending->error()));
        return 1;
    }
    for (const WordMark &word : pending->utterance()->words)
        std::printf("%6lld ms  %s\n", qlonglong(word.at.count()), qPrintable(text.mid(word.start, word.length)));
    return WavWriter::write(*pending->utterance(), file) ? 0 : 1;
}

void report(const QElapsedTimer &clock, const DemoStep &step, const char *note = "")
{
    std::printf("%6lld ms  %s%s\n", clock.elapsed(), qPrintable(DemoScript::describe(step)), note);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("merlin_demo"));
    QCommandLineParser options;
    options.addHelpOption();
    const QCommandLineOption sheet(QStringLiteral("sheet"), QStringLiteral("Draw every frame into FILE and quit."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption wav(QStringLiteral("wav"), QStringLiteral("Say the introduction (or TEXT) into FILE and quit."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption quit(QStringLiteral("quit"), QStringLiteral("Quit once Merlin has finished."));
    options.addOptions({sheet, wav, quit});
    options.addPositionalArgument(QStringLiteral("TEXT"), QStringLiteral("What --wav says."));
    options.process(app);

    try {
        AgentControl agent;
        const QString file = agent.characterFile(QStringLiteral("Merlin"));
        if (options.isSet(sheet))
            return ContactSheet::render(CharacterFile::load(file), 205).save(options.value(sheet)) ? 0 : 1;
        if (options.isSet(wav)) {
            const QStringList words = options.positionalArguments();
            return renderSpeech(words.isEmpty() ? DemoScript::Introduction : words.join(u' '), options.value(wav),
                                CharacterFile::load(file));
        }

        agent.Characters().Load(QStringLiteral("Merlin"), file);
        AgentCharacter &merlin = agent.Characters().Item(QStringLiteral("Merlin"));
        QElapsedTimer clock;
        clock.start();
        QList<DemoStep> queued;
        for (const DemoStep &step : DemoScript::Steps) {
            switch (step.kind) {
            case DemoStep::Show: merlin.Show(); break;
            case DemoStep::Move: merlin.MoveTo(250, 175); break;
            case DemoStep::Play: merlin.Play(step.text); break;
            case DemoStep::Speak: merlin.Speak(step.text); break;
            case DemoStep::Height:
                merlin.Height(205);
                report(clock, step, " (at once)");
                continue;
            }
            queued.append(step);
        }
        QObject::connect(&agent.queue(), &RequestQueue::requestStarted, [&] { report(clock, queued.takeFirst()); });
        if (options.isSet(quit)) {
            QObject::connect(&agent.queue(), &RequestQueue::requestFinished, [&] {
                if (agent.queue().isIdle())
                    QTimer::singleShot(1500, &app, [] { QCoreApplication::exit(0); });
            });
        }
        return app.exec();
    } catch (const RuntimeError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
