#include "character/CharacterCollection.h"

#include "character/file/CharacterFile.h"
#include "runtime/RuntimeError.h"

namespace vortana {

void CharacterCollection::Load(const QString &id, const QString &file, const QStringList &animations)
{
    if (id.trimmed().isEmpty())
        throw RuntimeError(ErrorCode::InvalidCall, QStringLiteral("Un personaggio non può avere un nome vuoto"));
    const QString key = id.toLower();
    if (m_characters.count(key))
        throw RuntimeError(ErrorCode::InvalidCall, QStringLiteral("Il personaggio \"%1\" è già caricato").arg(id));
    auto data = std::make_shared<const CharacterData>(CharacterFile::load(file, animations));
    m_characters.emplace(key, std::make_unique<Character>(std::move(data), m_queue, m_sink, m_host));
}

Character &CharacterCollection::Item(const QString &id)
{
    const auto it = m_characters.find(id.toLower());
    if (it == m_characters.end())
        throw RuntimeError(ErrorCode::InvalidCall, QStringLiteral("Il personaggio \"%1\" non è stato caricato").arg(id));
    return *it->second;
}

} // namespace vortana
