#include "character/AgentControl.h"
#include "quiz/RandomSource.h"
#include "record/RecordStore.h"
#include "runtime/Clock.h"
#include "window/ClassicFrame.h"
#include "window/DialogBoxes.h"
#include "window/LeanStyle.h"
#include "window/RecordDirectory.h"
#include "window/RecordStoreChoice.h"
#include "window/Tavola.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    using namespace vortana;

    QApplication app(argc, argv);
    QApplication::setStyle(new LeanStyle);
    QApplication::setApplicationName(QStringLiteral("Vortana"));
    // Lets the desktop match the window to the installed menu entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("org.example.Vortana"));
    // Made first: its voice loads on the speech thread while the window is
    // built and the child types a name, not when Merlin first speaks.
    AgentControl agent;

    SteadyClock clock;
    ClockRandomSource random;
    const std::unique_ptr<RecordStore> records =
        chooseRecordStore(recordDirectory(), QStringLiteral(VORTANA_RECORD_DIR_DEFAULT),
                          QCoreApplication::applicationDirPath() + QStringLiteral("/" VORTANA_HELPER_RELATIVE_PATH));
    DialogBoxes boxes;

    int status = 0;
    Tavola window({boxes, agent, random, *records, clock, [&status](int endStatus) {
                       status = endStatus;
                       QCoreApplication::exit(endStatus);
                   }});
    // Boxes stand over the game, wherever a window manager put it.
    boxes.setParent(&window);
    agent.setStage(window.centralWidget(), ClassicClientCorner);
    if (!window.load())
        return status;
    window.show();
    QApplication::exec();
    return status;
}
