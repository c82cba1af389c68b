#include "quiz/Quiz.h"

#include "character/Agent.h"
#include "quiz/Boxes.h"
#include "quiz/Countdown.h"
#include "quiz/PraiseLadder.h"
#include "quiz/controls/Label.h"
#include "quiz/controls/TextBox.h"
#include "record/RecordStore.h"
#include "runtime/TickTimer.h"

namespace vortana {

namespace {

const QString CharacterId = QStringLiteral("Merlin");

const QString Introduction = QStringLiteral(
    "Allora attenzione, iniziamo la nostra avventura con la tabellina del 6. Io detto e tu scrivi il risultato "
    "nello spazio sotto di me. Mi raccomando inserisci il risultato e premi invio e poi aspetta che io finisca di "
    "parlare e premi ancora invio per avere la domanda successiva");

// Every animation the game plays: a character without one of them is refused
// when loaded, not at the first move that needs it.
QStringList playedAnimations()
{
    QStringList names{QStringLiteral("Announce"), QStringLiteral("Greet")};
    for (const Praise &praise : PraiseLadder)
        names << praise.animation.toString();
    names.removeDuplicates();
    return names;
}

} // namespace

Quiz::Quiz(const Controls &controls, QuizServices services) : c(controls), m_services(services) {}

AgentCharacter &Quiz::merlin()
{
    return m_services.agent.Characters().Item(CharacterId);
}

QString Quiz::scoreFile() const
{
    return m_state.windowsDir + QStringLiteral("/aquizrec6.txt");
}

QString Quiz::nameFile() const
{
    return m_state.windowsDir + QStringLiteral("/nquizrec6.txt");
}

void Quiz::setQuestionVisible(bool visible)
{
    c.lblNum1->setVisible(visible);
    c.lblNum2->setVisible(visible);
    c.Label10->setVisible(visible);
}

void Quiz::Form_Load()
{
    const QString name = m_services.boxes.InputBox(QStringLiteral("Come ti chiami?"));
    m_services.boxes.MsgBox(QLatin1Char(' ') + name + QStringLiteral(" vediamo se sei un vero campione  "));

    c.lblnome1->setCaption(name);
    if (c.lblnome1->caption().isEmpty())
        c.lblnome1->setCaption(QStringLiteral("Amico"));
    c.Txtnome1->setText(c.lblnome1->caption());

    ResetCountdown();

    m_state.windowsDir = m_services.records.GetSystemDir();
    m_state.fileNumber = Int16::fromWide(m_services.records.FreeFile());
    m_services.records.appendAndClose(scoreFile());
    m_services.records.appendAndClose(nameFile());
    // A game ending right now may be between the two files: they are read
    // with Leggifiletxt under its lock, so the score shown comes with its own
    // holder.
    const RecordPair record = m_services.records.readPair(scoreFile(), nameFile());
    c.lblpunti->setCaption(record.score);
    c.lblnome->setCaption(record.name);

    AgentCharacters &characters = m_services.agent.Characters();
    characters.Load(CharacterId, m_services.agent.characterFile(CharacterId), playedAnimations());
    AgentCharacter &character = characters.Item(CharacterId);
    character.Show();
    character.MoveTo(CharacterX, CharacterY);
    character.Play(QStringLiteral("Announce"));
    character.Height(CharacterHeight);
    character.Speak(Introduction);

    setQuestionVisible(false);
}

void Quiz::ResetCountdown()
{
    c.Timer1->setEnabled(true);
    countdown::reset(m_state);
}

} // namespace vortana
