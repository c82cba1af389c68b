// The character file: the JSON manifest with its SVG art, as the loader reads
// it. Anything it accepts must hold what the character relies on; anything it
// refuses must be refused with an error that names the file.
#include "character/file/CharacterArt.h"
#include "character/file/CharacterFile.h"
#include "runtime/RuntimeError.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace vortana;

namespace {

const QString Path = QStringLiteral("/usr/share/vortana/chars/Merlin.vchar");
// Each frame is an image of the character's size, and dozens are kept: one of
// 16 million pixels already takes 64 MB.
constexpr qint64 MaxFramePixels = 16 * 1000 * 1000;

[[noreturn]] void fail(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "%s %s\n", what, qUtf8Printable(detail));
    std::abort();
}

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

void checkAccepted(const CharacterData &character)
{
    for (const char *name : {CharacterData::RestName, CharacterData::IdleName, CharacterData::AppearName,
                             CharacterData::GlideName}) {
        if (!character.find(QLatin1String(name)))
            fail("accepted without the animation", QLatin1String(name));
    }
    for (const Animation &animation : character.animations) {
        if (animation.frames.isEmpty())
            fail("accepted an animation without frames", animation.name);
        for (const AnimationFrame &frame : animation.frames) {
            if (frame.duration.count() <= 0 || frame.layers.isEmpty() || !(frame.scale > 0))
                fail("accepted a frame that cannot be shown", animation.name);
        }
    }
    if (character.mouths.size() < 2 || character.height <= 0 || character.art.isEmpty())
        fail("accepted a character without a face or a size");
    const QSize frame = CharacterArt(character.art, character.ground).pixelSize(character.height);
    if (qint64(frame.width()) * frame.height() > MaxFramePixels)
        fail("accepted art whose every frame is a giant image:",
             QStringLiteral("%1 x %2 pixels").arg(frame.width()).arg(frame.height()));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    try {
        checkAccepted(CharacterFile::parse(bytes, Path));
    } catch (const RuntimeError &error) {
        if (!error.detail().contains(Path))
            fail("refused without naming the file:", error.message());
    }
    return 0;
}
