#include "character/file/VoiceReader.h"

namespace vortana {

namespace {

// A language, maybe regions, maybe one "+variant": nothing the engine could
// take for a path. Checked by hand: a pattern would load the regular
// expression engine for two short names.
bool isVoiceName(QStringView name)
{
    qsizetype at = 0;
    const auto run = [&](auto accepts, qsizetype least, qsizetype most) {
        const qsizetype start = at;
        while (at < name.size() && accepts(name[at]))
            ++at;
        return at - start >= least && at - start <= most;
    };
    const auto lower = [](QChar c) { return c >= u'a' && c <= u'z'; };
    const auto lowerOrDigit = [&](QChar c) { return lower(c) || (c >= u'0' && c <= u'9'); };
    const auto variant = [&](QChar c) { return lowerOrDigit(c) || (c >= u'A' && c <= u'Z') || c == u'_' || c == u'-'; };
    if (!run(lower, 2, 3))
        return false;
    while (at < name.size() && name[at] == u'-') {
        ++at;
        if (!run(lowerOrDigit, 1, 8))
            return false;
    }
    if (at < name.size() && name[at] == u'+') {
        ++at;
        if (!run(variant, 1, 32))
            return false;
    }
    return at == name.size();
}

} // namespace

VoiceSettings VoiceReader::read(const QJsonValue &value) const
{
    const QString where = QStringLiteral("voice");
    const QJsonObject object = m_reader.object(value, where);
    VoiceSettings voice;
    const QString name = m_reader.text(object, "voice", where);
    if (!isVoiceName(name))
        m_reader.fail(QStringLiteral("voice.voice \"%1\" non è il nome di una voce").arg(name));
    voice.voice = name.toLatin1();
    voice.rate = m_reader.integer(object, "rate", 80, 450, where, voice.rate);
    voice.pitch = m_reader.integer(object, "pitch", 0, 99, where, voice.pitch);
    voice.range = m_reader.integer(object, "range", 0, 99, where, voice.range);
    voice.volume = m_reader.integer(object, "volume", 0, 200, where, voice.volume);
    return voice;
}

} // namespace vortana
