#pragma once

#include "character/CharacterData.h"
#include "character/ManifestReader.h"

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

    explicit CharacterParser(QString path) : m_reader(std::move(path)) {}

    CharacterData parse(const QByteArray &bytes) const;

private:
    void readFaces(const QJsonObject &root, CharacterData &data) const;
    void readAnimations(const QJsonObject &root, CharacterData &data) const;
    void checkArt(const CharacterData &data) const;

    ManifestReader m_reader;
};

} // namespace vortana
