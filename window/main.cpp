#include "character/AgentControl.h"
#include "quiz/RandomSource.h"
#include "record/RecordStore.h"
#include "runtime/Clock.h"
#include "window/DialogBoxes.h"
#include "window/RecordDirectory.h"
#include "window/Tavola.h"
#include "window/controls/Look.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    using namespace vortana;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vortana"));
    look::registerFontSubstitutions();

    SteadyClock clock;
    ClockRandomSource random;
    RecordStore records(recordDirectory());
    DialogBoxes boxes;
    AgentControl agent;

    int status = 0;
    Tavola window({boxes, agent, random, records, clock, [&status](int endStatus) {
                       status = endStatus;
                       QCoreApplication::exit(endStatus);
                   }});
    if (!window.load())
        return status;
    window.show();
    QApplication::exec();
    return status;
}
