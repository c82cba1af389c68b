#pragma once

#include "character/Agent.h"
#include "character/Character.h"

#include <map>
#include <memory>

namespace vortana {

class AudioSink;
class StageHost;
class RequestQueue;

// The loaded characters by id; ids are matched without regard to case.
class CharacterCollection final : public AgentCharacters
{
public:
    CharacterCollection(RequestQueue &queue, AudioSink &sink, const StageHost &host)
        : m_queue(queue), m_sink(sink), m_host(host)
    {
    }
    CharacterCollection(const CharacterCollection &) = delete;
    CharacterCollection &operator=(const CharacterCollection &) = delete;

    void Load(const QString &id, const QString &file, const QStringList &animations = {}) override;
    Character &Item(const QString &id) override;

private:
    RequestQueue &m_queue;
    AudioSink &m_sink;
    const StageHost &m_host;
    std::map<QString, std::unique_ptr<Character>> m_characters;
};

} // namespace vortana
