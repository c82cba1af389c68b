// One game in a process of its own, for the tests of games that end at once:
// starts on the record directory given, with the name given, prints "ready"
// and what start-up showed of the record, then leaves with the score given
// when a line arrives on its input. Its exit status is the program's.
#include "FixedRandom.h"
#include "RecordingAgent.h"
#include "ScriptedBoxes.h"

#include "quiz/controls/Label.h"
#include "record/RecordStore.h"
#include "runtime/Clock.h"
#include "window/Tavola.h"

#include <QApplication>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

enum ExitStatus { BadArguments = 64, StartUpFailed = 70, NotEnded = 71 };

int main(int argc, char *argv[])
{
    using namespace vortana;
    using namespace vortana::test;

    QApplication application(argc, argv);
    if (argc != 4)
        return BadArguments;
    ScriptedBoxes boxes;
    boxes.name = QString::fromUtf8(argv[2]);
    RecordingAgent agent;
    FixedRandom random;
    ManualClock clock;
    RecordStore records(QString::fromUtf8(argv[1]));
    std::optional<int> ended;
    Tavola window({boxes, agent, random, records, clock, [&ended](int status) { ended = status; }});
    if (!window.load())
        return StartUpFailed;
    window.activate();
    window.controls().lblScore->setCaption(QString::fromUtf8(argv[3]));
    std::printf("ready %s|%s\n", qUtf8Printable(window.controls().lblpunti->caption().trimmed()),
                qUtf8Printable(window.controls().lblnome->caption().trimmed()));
    std::fflush(stdout);

    std::string go;
    std::getline(std::cin, go);
    window.dispatcher().dispatch([&window] { window.quiz().cmdExit1_Click(); });
    return ended.value_or(NotEnded);
}
