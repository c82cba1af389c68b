#include "character/file/CharacterParser.h"

#include "character/file/AnimationReader.h"
#include "character/file/SvgScreen.h"
#include "character/file/VoiceReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSvgRenderer>

namespace vortana {

CharacterData CharacterParser::parse(const QByteArray &bytes) const
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        m_reader.fail(QStringLiteral("JSON non valido al byte %1 (%2): il file è troncato o danneggiato")
                          .arg(error.offset).arg(error.errorString()));
    if (!document.isObject())
        m_reader.fail(QStringLiteral("il contenuto non è un oggetto JSON"));
    const QJsonObject root = document.object();
    if (root.value(QLatin1String("format")).toString() != QLatin1String("vortana-character"))
        m_reader.fail(QStringLiteral("non è un file di personaggio (manca \"format\": \"vortana-character\")"));
    const QString top = QStringLiteral("radice");
    m_reader.integer(root, "version", FormatVersion, FormatVersion, top);

    CharacterData data;
    data.name = m_reader.text(root, "name", top);
    data.height = m_reader.integer(root, "height", MinHeight, MaxHeight, top);
    data.voice = VoiceReader(m_reader).read(root.value(QLatin1String("voice")));
    data.art = m_reader.text(root, "art", top).toUtf8();
    // Made for the worst case of three bytes a character, it is kept as long as he lives.
    data.art.squeeze();
    readFaces(root, data);
    readAnimations(root, data);
    const QRectF view = checkArt(data);
    data.ground = m_reader.number(root, "ground", view.top(), view.bottom(), top, view.bottom());
    return data;
}

void CharacterParser::readFaces(const QJsonObject &root, CharacterData &data) const
{
    const QString where = QStringLiteral("eyes");
    const QJsonObject eyes = m_reader.object(root.value(QLatin1String("eyes")), where);
    data.eyesOpen = m_reader.text(eyes, "open", where);
    data.eyesClosed = m_reader.text(eyes, "closed", where);
    const QJsonArray mouths = root.value(QLatin1String("mouths")).toArray();
    if (mouths.size() < 2 || mouths.size() > 8)
        m_reader.fail(QStringLiteral("mouths deve elencare da 2 a 8 forme della bocca"));
    for (const QJsonValue &mouth : mouths) {
        if (!mouth.isString() || mouth.toString().isEmpty())
            m_reader.fail(QStringLiteral("mouths contiene un elemento che non è un nome"));
        data.mouths.append(mouth.toString());
    }
}

void CharacterParser::readAnimations(const QJsonObject &root, CharacterData &data) const
{
    const QJsonObject animations = m_reader.object(root.value(QLatin1String("animations")),
                                                   QStringLiteral("animations"));
    if (animations.size() > MaxAnimations)
        m_reader.fail(QStringLiteral("troppe animazioni (al massimo %1)").arg(MaxAnimations));
    const AnimationReader reader(m_reader);
    for (auto it = animations.begin(); it != animations.end(); ++it) {
        const QString key = it.key().toLower();
        if (data.animations.contains(key))
            m_reader.fail(QStringLiteral("l'animazione \"%1\" compare due volte").arg(it.key()));
        data.animations.insert(key, reader.read(it.key(), it.value()));
    }
    QStringList required = m_required;
    for (const char *own : {CharacterData::RestName, CharacterData::IdleName, CharacterData::AppearName,
                            CharacterData::GlideName})
        required << QLatin1String(own);
    for (const QString &name : required) {
        if (!data.find(name))
            m_reader.fail(QStringLiteral("manca l'animazione \"%1\"").arg(name));
    }
}

QRectF CharacterParser::checkArt(const CharacterData &data) const
{
    const QString unsafe = SvgScreen::problem(data.art);
    if (!unsafe.isEmpty())
        m_reader.fail(QStringLiteral("il disegno SVG non è accettabile: %1").arg(unsafe));
    const QSvgRenderer art(data.art);
    if (!art.isValid() || art.viewBoxF().isEmpty())
        m_reader.fail(QStringLiteral("il disegno SVG non è valido o non ha dimensioni"));
    const QRectF view = art.viewBoxF();
    if (view.width() > view.height() * MaxWidthPerHeight)
        m_reader.fail(QStringLiteral("il disegno è troppo largo (%1 x %2; al massimo %3 volte più largo che alto)")
                          .arg(view.width()).arg(view.height()).arg(MaxWidthPerHeight));

    auto check = [&](const QString &id, const QString &where) {
        if (!art.elementExists(id))
            m_reader.fail(QStringLiteral("%1 nomina \"%2\", che nel disegno non c'è").arg(where, id));
    };
    check(data.eyesOpen, QStringLiteral("eyes.open"));
    check(data.eyesClosed, QStringLiteral("eyes.closed"));
    for (const QString &mouth : data.mouths)
        check(mouth, QStringLiteral("mouths"));
    for (const Animation &animation : data.animations) {
        for (const AnimationFrame &frame : animation.frames) {
            for (const LayerRef &layer : frame.layers)
                check(layer.id, QStringLiteral("animations.%1").arg(animation.name));
        }
    }
    return view;
}

} // namespace vortana
