#include "quiz/controls/Label.h"

#include "quiz/controls/Bevel.h"

#include <QPainter>

namespace vortana {

namespace {

constexpr int BorderWidth = 2;

// Line breaks as the old labels showed them: CR LF, or CR or LF alone.
QString displayText(const QString &caption)
{
    QString text = caption;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

Label::Label(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(false);
}

void Label::setCaption(const QString &caption)
{
    m_caption = caption;
    setText(displayText(caption));
    fit();
}

void Label::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    setWordWrap(!autoSize);
    fit();
}

void Label::setBorder(bool border)
{
    m_border = border;
    // QLabel's own margin: the style's polish resets contents margins.
    setMargin(border ? BorderWidth : 0);
    fit();
}

void Label::setForeColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void Label::setBackColor(std::optional<QColor> color)
{
    setAutoFillBackground(color.has_value());
    if (color) {
        QPalette p = palette();
        p.setColor(QPalette::Window, *color);
        setPalette(p);
    }
}

QSize Label::sizeHint() const
{
    // An empty caption still takes one line's height, as the old labels did.
    const QFontMetrics metrics(font());
    const QString shown = text();
    const QRect bounds = metrics.boundingRect(QRect(), Qt::AlignLeft | Qt::TextExpandTabs, shown);
    int lines = static_cast<int>(shown.count(QLatin1Char('\n'))) + 1;
    const int height = std::max(bounds.height(), lines * metrics.lineSpacing());
    return QSize(bounds.width() + 2 * margin(), height + 2 * margin());
}

void Label::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (m_border) {
        QPainter painter(this);
        paintSunkenEdge(painter, rect());
    }
}

void Label::fit()
{
    if (m_autoSize)
        resize(sizeHint());
}

} // namespace vortana
