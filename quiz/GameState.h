#pragma once

#include "runtime/Int16.h"

#include <QString>

namespace vortana {

// The window's variables, one instance for the window's life, all zero or
// empty at creation.
struct GameState
{
    Int16 expectedAnswer;
    Int16 rightCount;
    Int16 wrongCount;
    Int16 factor1;
    Int16 backdropTint;
    Int16 fileNumber;
    QString recordLine;
    Int16 clockHours;
    Int16 clockMinutes;
    float clockSeconds = 0.0f;
    Int16 secondsLeft;
    Int16 factor2;
    QString windowsDir;
};

} // namespace vortana
