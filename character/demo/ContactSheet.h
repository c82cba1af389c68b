#pragma once

#include "character/file/CharacterData.h"

#include <QImage>

namespace vortana {

// Every frame of every animation side by side, to look the art over at the
// size the game draws it.
class ContactSheet
{
public:
    static QImage render(const CharacterData &data, int height);
};

} // namespace vortana
