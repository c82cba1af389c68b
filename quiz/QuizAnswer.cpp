#include "quiz/Quiz.h"

#include "character/Agent.h"
#include "quiz/PraiseLadder.h"
#include "quiz/controls/ClientArea.h"
#include "quiz/controls/Label.h"
#include "quiz/controls/PictureButton.h"
#include "quiz/controls/TextBox.h"
#include "runtime/Picture.h"
#include "runtime/Val.h"

#include <algorithm>

namespace vortana {

namespace {

constexpr char16_t EnterKey = 13;
const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

} // namespace

void Quiz::Text3_KeyPress(char16_t &KeyAscii)
{
    c.Form->Cls();
    setQuestionVisible(true);
    if (KeyAscii == EnterKey)
        Command3_Click();
}

void Quiz::Command3_Click()
{
    setQuestionVisible(false);
    AgentCharacter &character = merlin();

    if (c.Text3->text() == c.Text7->text()) {
        c.lblMessage->setForeColor(Blue);
        c.lblMessage->setCaption(QStringLiteral("Esatto. Sei forte!!!"));
        m_state.rightCount += 1;
        character.Show();
        character.MoveTo(CharacterX, CharacterY);
        character.Height(CharacterHeight);

        const double before = Val(c.lblScore->caption());
        if (before < 10)
            character.Speak(QStringLiteral("Esatto"));
        else if (before > 10)
            character.Speak(QStringLiteral("Giusto"));
        if (std::find(NameCalls.begin(), NameCalls.end(), before) != NameCalls.end())
            character.Speak(c.Txtnome1->text());
        character.Speak(c.Text7->text());
        if (const auto praise = praiseAfter(before)) {
            character.Play(praise->animation.toString());
            character.Speak(praise->words.toString());
        }
    } else {
        c.lblMessage->setForeColor(Red);
        c.lblMessage->setCaption(QStringLiteral("Sbagliato!! ") + c.Text7->text());
        m_state.wrongCount += 1;
        character.Show();
        character.MoveTo(CharacterX, CharacterY);
        character.Play(QStringLiteral("Greet"));
        character.Height(CharacterHeight);
        character.Speak(QStringLiteral("Sbagliato"));
        character.Speak(c.Text7->text());
        c.lblScore1->setCaption(formatPicture(static_cast<long long>(m_state.wrongCount), u"###0"));
    }

    c.lblScore->setCaption(formatPicture(static_cast<long long>(m_state.rightCount), u"####0"));
    c.cmdNext->setEnabled(true);
    c.cmdNext->setFocus();
    c.lblScore2->setCaption(formatPicture(static_cast<long long>(m_state.wrongCount + m_state.rightCount), u"####0"));
}

} // namespace vortana
