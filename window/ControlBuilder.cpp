#include "window/ControlBuilder.h"

#include "quiz/controls/Art.h"
#include "quiz/controls/ClientArea.h"
#include "quiz/controls/Label.h"
#include "quiz/controls/Look.h"
#include "quiz/controls/PictureButton.h"
#include "quiz/controls/TextBox.h"
#include "runtime/TickTimer.h"
#include "window/AccessibleNames.h"

namespace vortana {

namespace {

using look::Bold;
using look::Italic;
using look::Regular;

enum LabelFlag { Plain = 0, Centred = 1, Border = 2, AutoSize = 4, Hidden = 8 };

struct LabelSpec
{
    Label *Controls::*member;
    const char *name;
    const char16_t *caption;
    QRect twips;
    const char *face;
    double points;
    int style;
    QRgb fore;
    std::optional<QRgb> back;
    int flags;
    const char16_t *toolTip;
};

constexpr QRgb ButtonText = 0xFF000000;
constexpr auto Transparent = std::nullopt;

// In stacking order: later labels lie above earlier ones where they overlap.
const LabelSpec Labels[] = {
    {&Controls::lblNum1, "lblNum1", u"", {3840, 0, 345, 1185}, "Arial", 48, Bold, ButtonText, 0xFF00FFFF, Centred | Border | AutoSize | Hidden, nullptr},
    {&Controls::Label10, "Label10", u"X", {5640, 120, 615, 975}, "Arial", 48, Regular, ButtonText, 0xFF80FFFF, Centred | Hidden, nullptr},
    {&Controls::lblNum2, "lblNum2", u"", {7560, 0, 345, 1185}, "Arial", 48, Bold, ButtonText, 0xFF00FFFF, Centred | Border | AutoSize | Hidden, nullptr},
    {&Controls::lblMessage, "lblMessage", u"io", {6360, 2040, 1305, 1275}, "MS Sans Serif", 24, Bold | Italic, 0xFFFF0000, Transparent, Centred | AutoSize, nullptr},
    {&Controls::Label6, "Label6", u"Risposte esatte", {360, 240, 2625, 555}, "Times New Roman", 21.75, Regular, 0xFFFFFF80, Transparent, Centred | Border | AutoSize, nullptr},
    {&Controls::lblScore, "lblScore", u"0", {1440, 840, 315, 540}, "Times New Roman", 21.75, Bold, 0xFFFFFF80, Transparent, Centred | Border | AutoSize, u"Questo è il tuo punteggio. Forza con il  record"},
    {&Controls::Label1, "Label1", u"Risposte errate", {360, 1560, 2595, 555}, "Times New Roman", 21.75, Regular, 0xFFFF0000, Transparent, Border | AutoSize, nullptr},
    {&Controls::lblScore1, "lblScore1", u"0", {1560, 2160, 300, 540}, "Times New Roman", 21.75, Bold, 0xFFFF0000, Transparent, Centred | Border | AutoSize, nullptr},
    {&Controls::Label3, "Label3", u"Risposte totali", {360, 2880, 2505, 555}, "Times New Roman", 21.75, Regular, 0xFF0000FF, Transparent, Border | AutoSize, nullptr},
    {&Controls::lblScore2, "lblScore2", u"0", {1560, 3600, 315, 540}, "Times New Roman", 21.75, Bold, 0xFF0000FF, Transparent, Centred | Border | AutoSize, nullptr},
    {&Controls::Image1, "Image1", u"", {9885, 120, 480, 480}, "MS Sans Serif", 8.25, Regular, ButtonText, Transparent, Plain, u"Clicca sotto di me per impostare il Timer"},
    {&Controls::Label11, "Label11", u"Tempo restante", {9270, 720, 1815, 615}, "Times New Roman", 14.25, Regular, 0xFFFFFF00, Transparent, Plain, nullptr},
    {&Controls::lblconto, "lblconto", u"00.07.00", {9360, 1200, 1575, 375}, "Arial Black", 12, Bold, 0xFFFFFF00, 0xFF8080FF, Centred | Border, nullptr},
    {&Controls::Label14, "Label14", u"Sfidante", {120, 6360, 1425, 420}, "MS Sans Serif", 13.5, Regular, 0xFFFFFF00, Transparent, Centred | Border | AutoSize, nullptr},
    {&Controls::lblnome1, "lblnome1", u"", {120, 7200, 645, 420}, "MS Sans Serif", 13.5, Bold, 0xFFFFFF00, Transparent, Border | AutoSize, nullptr},
    {&Controls::Label12, "Label12", u"Il record  è di ", {120, 7680, 2295, 375}, "MS Sans Serif", 18, Regular, 0xFFC000C0, Transparent, Plain, nullptr},
    {&Controls::lblnome, "lblnome", u"nome", {2400, 7680, 990, 435}, "MS Sans Serif", 18, Bold, 0xFF0000FF, Transparent, AutoSize, nullptr},
    {&Controls::Label13, "Label13", u"con punti", {6000, 7680, 1455, 435}, "MS Sans Serif", 18, Regular, 0xFFC000C0, Transparent, AutoSize, nullptr},
    {&Controls::lblpunti, "lblpunti", u"0", {7680, 7680, 195, 435}, "MS Sans Serif", 18, Regular, 0xFFC000C0, Transparent, AutoSize, nullptr},
};

QRect pixels(const QRect &twips)
{
    return look::rect(twips.x(), twips.y(), twips.width(), twips.height());
}

Label *makeLabel(QWidget *parent, const LabelSpec &spec)
{
    auto *label = new Label(parent);
    label->setObjectName(QLatin1String(spec.name));
    label->setFont(look::font(QString::fromLatin1(spec.face), spec.points, spec.style));
    label->setForeColor(QColor::fromRgb(spec.fore));
    label->setBackColor(spec.back ? std::optional<QColor>(QColor::fromRgb(*spec.back)) : std::nullopt);
    label->setGeometry(pixels(spec.twips));
    label->setAlignment(spec.flags & Centred ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
    label->setBorder(spec.flags & Border);
    // Caption first: a label that fits its text then measures it only once.
    label->setCaption(QString::fromUtf16(spec.caption));
    label->setAutoSize(spec.flags & AutoSize);
    label->setVisible(!(spec.flags & Hidden));
    if (spec.toolTip)
        label->setToolTip(QString::fromUtf16(spec.toolTip));
    return label;
}

TextBox *makeTextBox(QWidget *parent, const char *name, const QString &text, const QRect &twips, bool visible)
{
    auto *box = new TextBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setFont(look::font(QStringLiteral("MS Sans Serif"), 8.25));
    QPalette p = box->palette();
    p.setColor(QPalette::Text, look::systemColor(look::SystemColor::WindowText));
    p.setColor(QPalette::Base, look::systemColor(look::SystemColor::Window));
    box->setPalette(p);
    box->setGeometry(pixels(twips));
    box->setText(text);
    box->setCursorPosition(0);
    box->setVisible(visible);
    return box;
}

PictureButton *makeButton(QWidget *parent, const char *name, const QString &caption, const QRect &twips, QRgb face)
{
    auto *button = new PictureButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFont(look::font(QStringLiteral("MS Sans Serif"), 8.25, Bold));
    button->setText(caption);
    button->setFaceColor(QColor::fromRgb(face));
    button->setGeometry(pixels(twips));
    return button;
}

} // namespace

Controls buildControls(ClientArea *area, const Clock &clock)
{
    Controls c;
    c.Form = area;
    for (const LabelSpec &spec : Labels)
        c.*spec.member = makeLabel(area, spec);
    c.Image1->setPixmap(art::icon(QStringLiteral("stopwatch")).pixmap(QSize(32, 32), area->devicePixelRatioF()));
    const QCursor iconPointer = art::pointer(QStringLiteral("pointer-icon"), 16, QPoint(8, 8));
    c.lblMessage->setCursor(iconPointer);

    // Text boxes and buttons lie above every label, shape and image.
    c.Text1 = makeTextBox(area, "Text1", QStringLiteral("0"), {3600, 2040, 1935, 405}, false);
    c.Text1->setFont(look::font(QStringLiteral("MS Sans Serif"), 12, Bold));
    QPalette text1 = c.Text1->palette();
    text1.setColor(QPalette::Base, QColor(0xFF, 0x80, 0xFF));
    c.Text1->setPalette(text1);
    c.Text1->setMaxLength(12);

    c.Text3 = makeTextBox(area, "Text3", QStringLiteral("Text3"), {3120, 5040, 6855, 1125}, true);
    c.Text3->setFont(look::font(QStringLiteral("Arial"), 48));
    QPalette text3 = c.Text3->palette();
    text3.setColor(QPalette::Text, QColor(0x00, 0x00, 0xFF));
    text3.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0x80));
    c.Text3->setPalette(text3);
    c.Text3->setAlignment(Qt::AlignCenter);
    c.Text3->setMaxLength(250);
    c.Text3->setToolTip(QStringLiteral("Scrivi il numero e poi premi  il tasto Return (Invio)"));

    c.Text6 = makeTextBox(area, "Text6", QStringLiteral("Text6"), {10320, 5760, 2415, 1095}, false);
    c.Text7 = makeTextBox(area, "Text7", QStringLiteral("Text7"), {4560, 3480, 1095, 1095}, false);
    c.Txtnome1 = makeTextBox(area, "Txtnome1", QStringLiteral("Text8"), {8280, 3720, 1335, 615}, false);

    c.cmdNext = makeButton(area, "cmdNext", QStringLiteral("&Nuovo calcolo"), {3120, 6360, 1815, 855}, 0xFFFF80FF);
    c.cmdNext->setPictures(art::icon(QStringLiteral("next-normal")), art::icon(QStringLiteral("next-pressed")),
                           art::icon(QStringLiteral("next-disabled")));
    c.cmdNext->setEnabled(false);
    c.cmdNext->setCursor(iconPointer);
    c.cmdNext->setToolTip(QStringLiteral("Usa il tasto Return(invio) per l'esercizio successivo"));

    c.cmdExit1 = makeButton(area, "cmdExit1", QStringLiteral("E&xit"), {8160, 6360, 1815, 855}, 0xFF00C0C0);
    c.cmdExit1->setPictures(art::icon(QStringLiteral("exit-normal")));
    c.cmdExit1->setToolTip(QStringLiteral("Ti prego resta ancora, forse riuscirai a farmi uscire "));

    c.Command3 = makeButton(area, "Command3", QStringLiteral("verifica"), {4320, 1920, 975, 435}, 0xFFC0C0C0);
    c.Command3->setFont(look::font(QStringLiteral("MS Sans Serif"), 8.25));
    c.Command3->setVisible(false);

    QWidget::setTabOrder(c.cmdExit1, c.Text1);
    QWidget::setTabOrder(c.Text1, c.Text3);
    QWidget::setTabOrder(c.Text3, c.cmdNext);
    QWidget::setTabOrder(c.cmdNext, c.Command3);
    QWidget::setTabOrder(c.Command3, c.Text6);
    QWidget::setTabOrder(c.Text6, c.Text7);
    QWidget::setTabOrder(c.Text7, c.Txtnome1);

    c.Timer1 = new TickTimer(clock, area);
    c.Timer1->setObjectName(QStringLiteral("Timer1"));
    c.Timer1->setInterval(std::chrono::milliseconds(1000));
    nameControlsForScreenReaders(c);
    return c;
}

} // namespace vortana
