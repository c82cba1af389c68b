#pragma once

#include "character/file/CharacterData.h"
#include "character/file/ManifestReader.h"

#include <QRectF>

class QSvgRenderer;

namespace vortana {

// Turns the bytes of a character file into CharacterData, refusing anything
// the character could not perform.
class CharacterParser
{
public:
    static constexpr int FormatVersion = 1;
    static constexpr int MaxAnimations = 256;
    static constexpr int MinHeight = 8;
    static constexpr int MaxHeight = 2000;
    // Every frame is an image as wide as the art at the character's height,
    // and dozens are kept: a far wider than tall drawing would fill the memory.
    static constexpr double MaxWidthPerHeight = 4.0;

    // `required`: animations the caller will play, besides the character's own.
    explicit CharacterParser(QString path, QStringList required = {})
        : m_reader(std::move(path)), m_required(std::move(required))
    {
    }

    CharacterData parse(const QByteArray &bytes) const;

private:
    void readFaces(const QJsonObject &root, CharacterData &data) const;
    void readAnimations(const QJsonObject &root, CharacterData &data) const;
    // The art's view box, once the art is known to be safe and valid.
    QRectF checkArt(const CharacterData &data) const;

    ManifestReader m_reader;
    QStringList m_required;
};

} // namespace vortana
