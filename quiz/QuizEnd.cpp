#include "quiz/Quiz.h"

#include "quiz/Boxes.h"
#include "quiz/Countdown.h"
#include "quiz/controls/Label.h"
#include "record/RecordStore.h"
#include "runtime/RuntimeError.h"
#include "runtime/Val.h"

namespace vortana {

void Quiz::Timer1_Timer()
{
    if (c.lblconto->caption() == QLatin1String("00:00:00"))
        cmdExit1_Click();
    if (m_state.secondsLeft < 1) {
        m_services.boxes.MsgBox(QStringLiteral("Tempo scaduto"));
        cmdExit1_Click();
    }
    countdown::advance(m_state);
    c.lblconto->setCaption(countdown::text(m_state));
}

void Quiz::cmdExit1_Click()
{
    m_services.boxes.MsgBox(QStringLiteral("Ciao. Ti aspetto per la prossima sfida "));

    // The record shown at start-up is the one to beat, even if another game
    // on this machine has stored a better one since.
    const double record = Val(c.lblpunti->caption());
    const double score = Val(c.lblScore->caption());
    if (record >= score)
        throw ProgramEnd(0);

    m_state.fileNumber = Int16::fromWide(m_services.records.FreeFile());
    m_state.recordLine = c.lblScore->caption();
    const QString scoreLine = m_state.recordLine;
    m_state.fileNumber = Int16::fromWide(m_services.records.FreeFile());
    m_state.recordLine = c.lblnome1->caption();
    m_services.records.replacePair(scoreFile(), scoreLine, nameFile(), m_state.recordLine);

    m_services.boxes.MsgBox(QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\""));
    throw ProgramEnd(0);
}

} // namespace vortana
