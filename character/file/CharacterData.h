#pragma once

#include "character/file/Animation.h"
#include "character/file/VoiceSettings.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace vortana {

// Everything a character file holds, checked and ready to perform.
struct CharacterData
{
    // Animations the character itself relies on, besides those the game plays.
    static constexpr const char *RestName = "Rest";
    static constexpr const char *IdleName = "Idle";
    static constexpr const char *AppearName = "Appear";
    static constexpr const char *GlideName = "Glide";

    QString name;
    QString file; // where it was read from, for messages
    QByteArray art; // one SVG document; layers are its elements by id
    int height = 128;
    // Where the feet stand, in the art's units from the top of its view box:
    // growth is about this line, and the game sets the character on it.
    qreal ground = 0;
    VoiceSettings voice;
    // A blink swaps the open eyes for the closed ones wherever a frame draws them.
    QString eyesOpen;
    QString eyesClosed;
    // Mouth shapes from closed to wide open; speech swaps them for the first.
    QStringList mouths;
    QHash<QString, Animation> animations; // keyed by lower-case name

    const Animation *find(const QString &animationName) const;
    const Animation &require(const char *animationName) const;
};

} // namespace vortana
