#include "character/file/VoiceReader.h"

#include <QRegularExpression>

namespace vortana {

VoiceSettings VoiceReader::read(const QJsonValue &value) const
{
    // A language, maybe a region, maybe a "+variant": nothing the engine
    // could take for a path.
    static const QRegularExpression voiceName(
        QStringLiteral("^[a-z]{2,3}(-[a-z0-9]{1,8})*(\\+[A-Za-z0-9_-]{1,32})?$"));
    const QString where = QStringLiteral("voice");
    const QJsonObject object = m_reader.object(value, where);
    VoiceSettings voice;
    const QString name = m_reader.text(object, "voice", where);
    if (!voiceName.match(name).hasMatch())
        m_reader.fail(QStringLiteral("voice.voice \"%1\" non è il nome di una voce").arg(name));
    voice.voice = name.toLatin1();
    voice.rate = m_reader.integer(object, "rate", 80, 450, where, voice.rate);
    voice.pitch = m_reader.integer(object, "pitch", 0, 99, where, voice.pitch);
    voice.range = m_reader.integer(object, "range", 0, 99, where, voice.range);
    voice.volume = m_reader.integer(object, "volume", 0, 200, where, voice.volume);
    return voice;
}

} // namespace vortana
