#include "character/file/CharacterData.h"

namespace vortana {

const Animation *CharacterData::find(const QString &animationName) const
{
    const auto it = animations.constFind(animationName.toLower());
    return it == animations.constEnd() ? nullptr : &it.value();
}

const Animation &CharacterData::require(const char *animationName) const
{
    // The loader refuses files without these, so the lookup cannot miss.
    return *find(QLatin1String(animationName));
}

} // namespace vortana
