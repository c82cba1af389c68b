#pragma once

#include "quiz/Boxes.h"

#include <QStringList>

namespace vortana::test {

// Answers the name prompt from a script and writes down every box shown.
class ScriptedBoxes final : public Boxes
{
public:
    QString name;
    QStringList shown;

    QString InputBox(const QString &prompt) override
    {
        shown << QStringLiteral("? ") + prompt;
        return name;
    }
    void MsgBox(const QString &text) override { shown << text; }
};

} // namespace vortana::test
