#include "record/RecordText.h"

#include <array>

namespace vortana {

namespace {

// Bytes 0x80 to 0x9F. The five that Windows-1252 leaves undefined keep their
// C1 code point, as Windows and web browsers decode them: nothing is lost.
constexpr std::array<char16_t, 32> windows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Whether some continuation bytes would make these the start of one valid
// character: bytes that no UTF-8 text can hold (0xFF, say) are no cut character.
bool startsACharacter(QByteArrayView tail, qsizetype missing)
{
    for (const char fill : {'\x80', '\xBF'}) {
        if ((tail.toByteArray() + QByteArray(missing, fill)).isValidUtf8())
            return true;
    }
    return false;
}

// How many bytes at the end start a UTF-8 sequence that the cut left unfinished.
qsizetype unfinishedTail(QByteArrayView bytes)
{
    const qsizetype size = bytes.size();
    for (qsizetype back = 1; back <= 4 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(bytes[size - back]);
        if ((byte & 0xC0) == 0x80)
            continue;
        const qsizetype length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        if (length <= back || !startsACharacter(bytes.last(back), length - back))
            return 0;
        return back;
    }
    return 0;
}

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = QChar(byte >= 0x80 && byte < 0xA0 ? windows1252High[byte - 0x80u] : char16_t{byte});
    }
    return text;
}

} // namespace

QString decodeRecordText(QByteArrayView bytes, bool cut)
{
    const QByteArrayView head = cut ? bytes.first(bytes.size() - unfinishedTail(bytes)) : bytes;
    if (head.isValidUtf8())
        return QString::fromUtf8(head);
    return fromWindows1252(bytes);
}

QString storedLine(QString line)
{
    for (QChar &c : line) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            c = u' ';
    }
    return line;
}

} // namespace vortana
