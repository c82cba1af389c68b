#pragma once

#include "character/file/CharacterData.h"

#include <QString>
#include <QStringList>

namespace vortana {

// Reads a character file: a JSON manifest with the art embedded as SVG.
// Every failure is a RuntimeError whose detail names the file and the fault.
class CharacterFile
{
public:
    static constexpr qint64 MaxBytes = 4 * 1024 * 1024;
    static constexpr const char *Extension = ".vchar";

    // `required` names the animations the caller will play: a file without
    // one of them is refused now, not at the first move that needs it.
    static CharacterData load(const QString &path, const QStringList &required = {});
    static CharacterData parse(const QByteArray &bytes, const QString &path, const QStringList &required = {});

private:
    static QByteArray read(const QString &path);
};

} // namespace vortana
