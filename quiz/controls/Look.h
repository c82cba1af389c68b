#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

namespace vortana::look {

// Places and sizes are designed in twips; 15 make one device-independent pixel.
constexpr int TwipsPerPixel = 15;

constexpr int px(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

constexpr QRect rect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// The classic Windows defaults of the system colours the window uses.
enum class SystemColor { ScrollBar = 0, Window = 5, WindowText = 8, ButtonFace = 15, ButtonText = 18, InactiveCaptionText = 19 };

QColor systemColor(SystemColor which);

enum FontStyle { Regular = 0, Bold = 1, Italic = 2 };

// A font of the old faces by name and size in points, mapped onto faces Debian
// ships and sized in pixels at 96 dots per inch, so the layout does not move
// with the screen's resolution.
QFont font(const QString &face, double points, int style = Regular);

// Registers the face substitutions; the first call does it, before any control is built.
void registerFontSubstitutions();

} // namespace vortana::look
