#pragma once

#include <QString>

namespace vortana {

// The program's modal boxes: the name prompt and the messages. Each carries
// the application's title, an OK button only and no icon; texts are plain.
class Boxes
{
public:
    virtual ~Boxes() = default;

    // Cancel gives the empty text.
    virtual QString InputBox(const QString &prompt) = 0;
    virtual void MsgBox(const QString &text) = 0;
};

} // namespace vortana
