#include "quiz/controls/Look.h"

#include <cmath>

namespace vortana::look {

QColor systemColor(SystemColor which)
{
    switch (which) {
    case SystemColor::ScrollBar: return QColor(0xC0, 0xC0, 0xC0);
    case SystemColor::Window: return QColor(0xFF, 0xFF, 0xFF);
    case SystemColor::WindowText: return QColor(0x00, 0x00, 0x00);
    case SystemColor::ButtonFace: return QColor(0xC0, 0xC0, 0xC0);
    case SystemColor::ButtonText: return QColor(0x00, 0x00, 0x00);
    case SystemColor::InactiveCaptionText: return QColor(0xC0, 0xC0, 0xC0);
    }
    return Qt::black;
}

void registerFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

QFont font(const QString &face, double points, int style)
{
    QFont f;
    const bool black = face == QLatin1String("Arial Black");
    f.setFamily(black ? QStringLiteral("Liberation Sans") : face);
    f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    if (black)
        f.setWeight(QFont::Black);
    else if (style & Bold)
        f.setWeight(QFont::Bold);
    f.setItalic(style & Italic);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

} // namespace vortana::look
