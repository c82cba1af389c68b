#pragma once

#include "FileAgent.h"
#include "FixedRandom.h"
#include "ScriptedBoxes.h"

#include "record/RecordStore.h"
#include "runtime/Clock.h"
#include "window/Tavola.h"

#include <QFile>
#include <QTemporaryDir>

#include <optional>

namespace vortana::test {

// A main window with the real character host and a record already standing.
struct CharacterGame
{
    QTemporaryDir dir;
    ScriptedBoxes boxes;
    FixedRandom random;
    ManualClock clock;
    FileAgent agent;
    RecordStore records{dir.path()};
    std::optional<int> endedWith;
    Tavola window{{boxes, agent, random, records, clock, [this](int status) { endedWith = status; }}};

    explicit CharacterGame(const QString &characterFile) : agent(clock, characterFile)
    {
        boxes.name = QStringLiteral("Mario");
        write(QStringLiteral("aquizrec6.txt"), "12\r\n");
        write(QStringLiteral("nquizrec6.txt"), "Anna\r\n");
    }

    QString path(const QString &file) const { return dir.filePath(file); }

    void write(const QString &file, const QByteArray &bytes)
    {
        QFile out(path(file));
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
    }

    QByteArray read(const QString &file) const
    {
        QFile in(path(file));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }

    static QByteArray merlin()
    {
        QFile file(qEnvironmentVariable("VORTANA_TEST_SOURCE_DIR") + QStringLiteral("/assets/chars/Merlin.vchar"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace vortana::test
