#pragma once

#include <QList>
#include <QString>

namespace vortana {

struct DemoStep
{
    enum Kind { Show, Move, Play, Height, Speak } kind;
    QString text;
};

// What the game asks of Merlin at start-up and over a first question.
struct DemoScript
{
    static const QString Introduction;
    static const QList<DemoStep> Steps;
    static QString describe(const DemoStep &step);
};

} // namespace vortana
