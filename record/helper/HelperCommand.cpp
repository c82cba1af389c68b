#include "record/helper/HelperCommand.h"

#include "record/RecordStore.h"
#include "record/helper/HelperProtocol.h"
#include "runtime/RuntimeError.h"

#include <QList>
#include <QStringDecoder>

#include <cstdlib>
#include <cstring>

namespace vortana {

namespace {

using namespace helperprotocol;

[[noreturn]] void refuse(const QString &reason)
{
    throw RuntimeError(ErrorCode::InvalidCall, reason);
}

QString usage()
{
    return QStringLiteral("Uso: %1 %2 | %1 %3 | %1 %4 PUNTI NOME")
        .arg(QLatin1String(ProgramName), QLatin1String(CreateCommand), QLatin1String(ReadCommand),
             QLatin1String(StoreCommand));
}

// Only what a game can score: plain digits, no sign, no leading zero, no more
// than a 16-bit count.
QString checkedScore(const char *argument)
{
    const size_t length = std::strlen(argument);
    bool digits = length >= 1 && length <= MaxScoreDigits && (argument[0] != '0' || length == 1);
    for (size_t i = 0; digits && i < length; ++i)
        digits = argument[i] >= '0' && argument[i] <= '9';
    if (!digits || std::atoi(argument) > MaxScore)
        refuse(QStringLiteral("Punteggio non valido: servono da 1 a %1 cifre, al massimo %2")
                   .arg(MaxScoreDigits)
                   .arg(MaxScore));
    return QString::fromLatin1(argument);
}

// One line of text: strict UTF-8, bounded, and nothing that could break the
// line or hide in it (control characters, line and paragraph separators).
QString checkedName(const char *argument)
{
    // A byte-order mark is part of the name like any other character.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString name = decoder.decode(QByteArrayView(argument));
    if (decoder.hasError())
        refuse(QStringLiteral("Nome non valido: non è testo UTF-8"));
    const QList<uint> characters = name.toUcs4();
    if (characters.isEmpty())
        refuse(QStringLiteral("Nome non valido: è vuoto"));
    if (characters.size() > MaxNameCharacters)
        refuse(QStringLiteral("Nome non valido: più di %1 caratteri").arg(MaxNameCharacters));
    for (const uint character : characters) {
        const QChar::Category category = QChar::category(character);
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            refuse(QStringLiteral("Nome non valido: contiene caratteri di controllo"));
    }
    return name;
}

} // namespace

HelperCommand::HelperCommand(Kind kind, QString score, QString name)
    : m_kind(kind), m_score(std::move(score)), m_name(std::move(name))
{
}

HelperCommand HelperCommand::parse(int argc, const char *const *argv)
{
    if (argc == 2 && std::strcmp(argv[1], CreateCommand) == 0)
        return HelperCommand(Kind::Create, {}, {});
    if (argc == 2 && std::strcmp(argv[1], ReadCommand) == 0)
        return HelperCommand(Kind::Read, {}, {});
    if (argc == 4 && std::strcmp(argv[1], StoreCommand) == 0)
        return HelperCommand(Kind::Store, checkedScore(argv[2]), checkedName(argv[3]));
    refuse(usage());
}

QByteArray HelperCommand::run(const RecordStore &store) const
{
    const QString scorePath = store.GetSystemDir() + QLatin1String(ScoreFileName);
    const QString namePath = store.GetSystemDir() + QLatin1String(NameFileName);
    switch (m_kind) {
    case Kind::Create:
        store.appendAndClose(scorePath);
        store.appendAndClose(namePath);
        break;
    case Kind::Read: {
        const RecordPair pair = store.readPair(scorePath, namePath);
        const QByteArray score = pair.score.toUtf8();
        return QByteArray::number(score.size()) + '\n' + score + pair.name.toUtf8();
    }
    case Kind::Store: store.replacePair(scorePath, m_score, namePath, m_name); break;
    }
    return {};
}

} // namespace vortana
