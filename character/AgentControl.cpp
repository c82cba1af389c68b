#include "character/AgentControl.h"

#include "character/file/CharacterFile.h"
#include "character/voice/PulseAudioOutput.h"
#include "character/voice/SpeechEngine.h"
#include "runtime/RuntimeError.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace vortana {

AgentControl::AgentControl()
    : m_ownClock(std::make_unique<SteadyClock>()), m_sink(std::make_unique<PulseAudioOutput>()),
      m_queue(*m_ownClock), m_characters(m_queue, *m_sink, m_host)
{
    SpeechEngine::instance().prepare(VoiceSettings{});
}

AgentControl::AgentControl(const Clock &clock, std::unique_ptr<AudioSink> sink)
    : m_sink(std::move(sink)), m_queue(clock), m_characters(m_queue, *m_sink, m_host)
{
}

AgentControl::~AgentControl()
{
    // The running request still needs its character to end cleanly.
    m_queue.clear();
}

QString AgentControl::characterFile(const QString &id) const
{
    const auto plain = [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'-';
    };
    if (id.isEmpty() || id.size() > 64 || !std::all_of(id.cbegin(), id.cend(), plain))
        throw RuntimeError(ErrorCode::InvalidCall, QStringLiteral("\"%1\" non è il nome di un personaggio").arg(id));
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/vortana/chars/") + id
                           + QLatin1String(CharacterFile::Extension));
}

} // namespace vortana
