// Start-up shows whatever bytes lie under a record file's name, through the
// 64 KiB reader and its UTF-8 or Windows-1252 decoding; leaving stores a name
// that the next start-up must show again as it was typed.
#include "record/RecordStore.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace vortana;

namespace {

constexpr qsizetype ReadCap = 64 * 1024;
constexpr QByteArrayView Bom("\xEF\xBB\xBF");

enum Mode { RawFile, AroundTheCap, StoredName, ModeCount };

[[noreturn]] void fail(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "%s %s\n", what, qUtf8Printable(detail));
    std::abort();
}

QString scratchTemplate()
{
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return base + QStringLiteral("/vortana-fuzz-XXXXXX");
}

struct Place
{
    QTemporaryDir dir{scratchTemplate()};
    RecordStore store{dir.path()};
    QString path = store.GetSystemDir() + QStringLiteral("nquizrec6.txt");
};

Place &place()
{
    static Place p;
    return p;
}

void writeRaw(const QByteArray &bytes)
{
    QFile file(place().path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("cannot write the record file");
}

QString readBack()
{
    try {
        return place().store.Leggifiletxt(place().path);
    } catch (const RuntimeError &error) {
        fail("a regular record file was refused:", error.message());
    }
}

// Read as Windows-1252, each byte is one character of its own, always the same
// one, and no two bytes share a character: nothing is merged or lost.
void checkOneForOne(QByteArrayView bytes, const QString &text)
{
    static std::array<int, 256> charOf = [] { std::array<int, 256> a{}; a.fill(-1); return a; }();
    static std::array<int, 65536> byteOf = [] { std::array<int, 65536> a{}; a.fill(-1); return a; }();
    if (text.size() != bytes.size())
        fail("Windows-1252 text of another length than its bytes");
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const char16_t c = text[i].unicode();
        if (charOf[byte] < 0)
            charOf[byte] = c;
        if (byteOf[c] < 0)
            byteOf[c] = byte;
        if (charOf[byte] != c || byteOf[c] != byte)
            fail("Windows-1252 decoding is not one byte for one character");
    }
}

// Bytes that some continuation would make one valid character.
bool cutCharacter(QByteArrayView tail)
{
    if (tail.isEmpty() || tail.size() > 3)
        return false;
    for (const char fill : {'\x80', '\xBF'}) {
        for (qsizetype more = 1; more <= 4 - tail.size(); ++more) {
            if ((tail.toByteArray() + QByteArray(more, fill)).isValidUtf8())
                return true;
        }
    }
    return false;
}

void checkRead(const QByteArray &bytes)
{
    writeRaw(bytes);
    const QString text = readBack();
    if (!QStringView(text).isValidUtf16())
        fail("the text read holds a lone surrogate");
    const QByteArrayView head = QByteArrayView(bytes).first(std::min(bytes.size(), ReadCap));
    // A byte-order mark is not part of the text.
    const QByteArrayView body = head.startsWith(Bom) ? head.sliced(Bom.size()) : head;
    const QByteArray back = text.toUtf8();
    if (body.isValidUtf8()) {
        if (back != body)
            fail("valid UTF-8 was not read as it is");
        return;
    }
    // Cut by the cap inside a character: the head up to that character.
    if (bytes.size() > ReadCap && body.startsWith(back) && QByteArrayView(back).isValidUtf8()
        && cutCharacter(body.sliced(back.size())))
        return;
    checkOneForOne(head, text);
}

void checkStoredName(QByteArrayView raw)
{
    const QString name = QString::fromUtf16(reinterpret_cast<const char16_t *>(raw.data()), raw.size() / 2);
    try {
        place().store.writeLine(place().path, name);
    } catch (const RuntimeError &error) {
        fail("a name could not be stored:", error.message());
    }
    // UTF-8 cannot hold a lone surrogate: it is stored as '?'.
    QString expected;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            expected += c;
            expected += name[++i];
        } else {
            expected += c.isSurrogate() ? QChar(u'?') : c;
        }
    }
    if (expected.startsWith(QChar(0xFEFF)))
        expected.remove(0, 1);
    expected += QStringLiteral("\r\n");
    if (readBack() != expected)
        fail("a stored name did not come back as it was stored:", name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const QByteArray body(reinterpret_cast<const char *>(data) + 2, static_cast<qsizetype>(size) - 2);
    switch (data[0] % ModeCount) {
    case RawFile: checkRead(body); break;
    case AroundTheCap: {
        const qsizetype before = std::min<qsizetype>(body.size(), data[1]);
        checkRead(QByteArray(ReadCap - before, 'a') + body);
        break;
    }
    case StoredName: checkStoredName(body); break;
    }
    return 0;
}
