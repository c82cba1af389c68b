#include "quiz/Quiz.h"

#include "character/Agent.h"
#include "quiz/RandomSource.h"
#include "quiz/controls/ClientArea.h"
#include "quiz/controls/Label.h"
#include "quiz/controls/TextBox.h"
#include "runtime/Picture.h"
#include "speller/Currency.h"
#include "speller/Numlett.h"

#include <cmath>

namespace vortana {

namespace {

// A whole number from 1 to 10, each equally likely.
Int16 drawOneToTen(RandomSource &random)
{
    return Int16::fromWide(static_cast<long long>(std::floor(random.Rnd() * 10.0f))) + Int16(1);
}

} // namespace

void Quiz::Form_Activate()
{
    cmdNext_Click();
    m_state.wrongCount = 0;
    m_state.rightCount = 0;
    c.lblconto->setCaption(QStringLiteral("00.07.00"));
}

void Quiz::cmdNext_Click()
{
    setQuestionVisible(false);
    c.lblMessage->setCaption(QString());
    m_services.random.Randomize();
    m_state.factor1 = 6;
    m_state.backdropTint = drawOneToTen(m_services.random);
    c.Text1->setText(formatPicture(static_cast<long long>(m_state.factor1), u"#0"));
    c.lblNum1->setCaption(QString::number(m_state.factor1));
    m_state.factor2 = drawOneToTen(m_services.random);
    c.lblNum2->setCaption(QString::number(m_state.factor2));
    m_state.expectedAnswer = m_state.factor2 * m_state.factor1;
    c.Text7->setText(QString::number(m_state.expectedAnswer));
    c.Text6->setText(numlett(Currency::fromWhole(m_state.factor2)));

    AgentCharacter &character = merlin();
    character.Show();
    character.MoveTo(CharacterX, CharacterY);
    character.Play(QStringLiteral("Greet"));
    character.Height(CharacterHeight);
    character.Speak(c.Text1->text());
    character.Speak(QStringLiteral("per"));
    character.Speak(c.Text6->text());

    setQuestionVisible(false);
    c.Text3->setText(QString());
    c.Text3->setFocus();

    const Int16 red = Int16(20) * m_state.factor1;
    const Int16 green = Int16(20) * m_state.backdropTint;
    c.Form->paintBackdrop(red, green);
}

} // namespace vortana
