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
    static const bool registered = [] {
        // Liberation has Arial's and Times New Roman's widths, glyph for glyph.
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
        // The old bitmap face has no metric twin; of the faces Debian ships, Lato
        // brings the self-sizing labels closest to the sizes they were drawn at.
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Lato"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        // Lato has a true Black; Liberation Sans stops at bold.
        QFont::insertSubstitutions(QStringLiteral("Arial Black"), {QStringLiteral("Lato"), QStringLiteral("Liberation Sans")});
        return true;
    }();
    Q_UNUSED(registered);
}

QFont font(const QString &face, double points, int style)
{
    QFont f;
    // Straight to the faces that stand in for an old one: asked for by its
    // own name, a face that is not installed costs a search of every font
    // on the machine before its substitutes are tried.
    const QStringList substitutes = QFont::substitutes(face);
    if (substitutes.isEmpty())
        f.setFamily(face);
    else
        f.setFamilies(substitutes);
    f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    // Arial Black is a weight of its own, heavier than bold.
    if (face == QLatin1String("Arial Black"))
        f.setWeight(QFont::Black);
    else if (style & Bold)
        f.setWeight(QFont::Bold);
    f.setItalic(style & Italic);
    // Glyph after glyph, as the old system set text: Latin text is not
    // shaped, so no ligatures and none of the kerning the faces keep in their
    // layout tables, and the widths that make Liberation Arial's twin. It also
    // spares a copy of those tables for every size text is shaped at.
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::PreferNoShaping));
    return f;
}

} // namespace vortana::look
