#pragma once

#include "FakeAudioSink.h"

#include "character/AgentControl.h"

#include <memory>

namespace vortana::test {

// The real character host, loading its character from a file of the test's
// choosing, with no sound server.
class FileAgent final : public Agent
{
public:
    FileAgent(const Clock &clock, QString file)
        : m_control(clock, std::make_unique<FakeAudioSink>(FakeAudioSink::Mode::Absent)), m_file(std::move(file))
    {
    }

    AgentCharacters &Characters() override { return m_control.Characters(); }
    QString characterFile(const QString &) const override { return m_file; }

private:
    AgentControl m_control;
    QString m_file;
};

} // namespace vortana::test
