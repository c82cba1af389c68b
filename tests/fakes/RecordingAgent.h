#pragma once

#include "character/Agent.h"
#include "runtime/RuntimeError.h"

#include <QStringList>

#include <map>

namespace vortana::test {

// A character host that writes down every request instead of performing it.
class RecordingAgent final : public Agent, public AgentCharacters
{
public:
    QStringList requests;
    bool failLoad = false;

    AgentCharacters &Characters() override { return *this; }
    QString characterFile(const QString &id) const override { return QStringLiteral("/chars/") + id; }

    void Load(const QString &id, const QString &file) override
    {
        if (failLoad)
            throw RuntimeError(ErrorCode::FileNotFound, QStringLiteral("«%1» non trovato").arg(file));
        requests << QStringLiteral("Load %1 %2").arg(id, file);
        m_loaded.try_emplace(id, *this);
    }

    AgentCharacter &Item(const QString &id) override
    {
        const auto found = m_loaded.find(id);
        if (found == m_loaded.end())
            throw RuntimeError(ErrorCode::InvalidCall, QStringLiteral("personaggio «%1» non caricato").arg(id));
        return found->second;
    }

private:
    class Recorder final : public AgentCharacter
    {
    public:
        explicit Recorder(RecordingAgent &agent) : m_agent(agent) {}
        void Show() override { m_agent.requests << QStringLiteral("Show"); }
        void MoveTo(int x, int y) override { m_agent.requests << QStringLiteral("MoveTo %1 %2").arg(x).arg(y); }
        void Play(const QString &animation) override { m_agent.requests << QStringLiteral("Play ") + animation; }
        void Height(int pixels) override { m_agent.requests << QStringLiteral("Height %1").arg(pixels); }
        void Speak(const QString &text) override { m_agent.requests << QStringLiteral("Speak ") + text; }

    private:
        RecordingAgent &m_agent;
    };

    std::map<QString, Recorder> m_loaded;
};

} // namespace vortana::test
