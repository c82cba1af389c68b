#pragma once

#include <QString>
#include <QStringList>

namespace vortana {

// What the game asks of its talking character. Every request returns at once;
// the character performs them one after the other while the game goes on.
// A request that cannot be carried out throws RuntimeError at the call.
class AgentCharacter
{
public:
    virtual ~AgentCharacter() = default;

    virtual void Show() = 0;
    virtual void MoveTo(int x, int y) = 0;
    // Animation names are matched without regard to case.
    virtual void Play(const QString &animation) = 0;
    // Sets how many pixels high the character is drawn.
    virtual void Height(int pixels) = 0;
    // The text is spoken as plain words, never read as markup.
    virtual void Speak(const QString &text) = 0;
};

// The collection of loaded characters, addressed by id.
class AgentCharacters
{
public:
    virtual ~AgentCharacters() = default;

    // Has finished when it returns: the id can be fetched at once. A file
    // that lacks one of the animations named is refused.
    virtual void Load(const QString &id, const QString &file, const QStringList &animations = {}) = 0;
    // Throws RuntimeError when no character of that id was loaded.
    virtual AgentCharacter &Item(const QString &id) = 0;
};

// The character host control of the main window.
class Agent
{
public:
    virtual ~Agent() = default;

    virtual AgentCharacters &Characters() = 0;
    // The file of the named character as shipped with the program.
    virtual QString characterFile(const QString &id) const = 0;
};

} // namespace vortana
