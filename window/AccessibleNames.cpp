#include "window/AccessibleNames.h"

#include "quiz/controls/ClientArea.h"
#include "quiz/controls/Controls.h"
#include "quiz/controls/Label.h"
#include "quiz/controls/TextBox.h"
#include "window/LabelAccessible.h"

namespace vortana {

void nameControlsForScreenReaders(const Controls &c)
{
    c.Form->setAccessibleName(QStringLiteral("Tabellina del 6"));

    LabelAccessible::setMeaning(c.lblNum1, QStringLiteral("Primo fattore"));
    c.Label10->setAccessibleName(QStringLiteral("per"));
    LabelAccessible::setMeaning(c.lblNum2, QStringLiteral("Secondo fattore"));
    LabelAccessible::setMeaning(c.lblMessage, QStringLiteral("Verdetto"));
    c.Text3->setAccessibleName(QStringLiteral("Risposta"));

    LabelAccessible::setMeaning(c.lblScore, QStringLiteral("Punteggio"));
    LabelAccessible::setMeaning(c.lblScore1, QStringLiteral("Errori"));
    LabelAccessible::setMeaning(c.lblScore2, QStringLiteral("Risposte date"));

    c.Image1->setAccessibleName(QStringLiteral("Cronometro"));
    LabelAccessible::setMeaning(c.lblconto, QStringLiteral("Conto alla rovescia"));

    LabelAccessible::setMeaning(c.lblnome1, QStringLiteral("Nome dello sfidante"));
    LabelAccessible::setMeaning(c.lblnome, QStringLiteral("Nome del record"));
    LabelAccessible::setMeaning(c.lblpunti, QStringLiteral("Punti del record"));
}

} // namespace vortana
