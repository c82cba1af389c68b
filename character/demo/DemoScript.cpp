#include "DemoScript.h"

namespace vortana {

const QString DemoScript::Introduction = QStringLiteral(
    "Allora attenzione, iniziamo la nostra avventura con la tabellina del 6. Io detto e tu scrivi il risultato "
    "nello spazio sotto di me. Mi raccomando inserisci il risultato e premi invio e poi aspetta che io finisca "
    "di parlare e premi ancora invio per avere la domanda successiva");

const QList<DemoStep> DemoScript::Steps = {
    {DemoStep::Show, {}},
    {DemoStep::Move, {}},
    {DemoStep::Play, QStringLiteral("Announce")},
    {DemoStep::Height, {}},
    {DemoStep::Speak, Introduction},
    {DemoStep::Play, QStringLiteral("Greet")},
    {DemoStep::Speak, QStringLiteral("6")},
    {DemoStep::Speak, QStringLiteral("per")},
    {DemoStep::Speak, QStringLiteral("sette")},
    {DemoStep::Play, QStringLiteral("congratulate")},
    {DemoStep::Speak, QStringLiteral("Sei grande")},
    {DemoStep::Play, QStringLiteral("domagic1")},
    {DemoStep::Speak, QStringLiteral("Sei forte")},
    {DemoStep::Play, QStringLiteral("domagic2")},
    {DemoStep::Speak, QStringLiteral("Sei in gamba")},
};

QString DemoScript::describe(const DemoStep &step)
{
    switch (step.kind) {
    case DemoStep::Show: return QStringLiteral("Show");
    case DemoStep::Move: return QStringLiteral("MoveTo 250 175");
    case DemoStep::Play: return QStringLiteral("Play %1").arg(step.text);
    case DemoStep::Height: return QStringLiteral("Height 205");
    case DemoStep::Speak: return QStringLiteral("Speak %1").arg(step.text.left(40));
    }
    return {};
}

} // namespace vortana
