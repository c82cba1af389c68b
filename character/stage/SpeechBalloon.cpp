#include "character/stage/SpeechBalloon.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace vortana {

namespace {

constexpr int Radius = BalloonShape::Radius;
const QColor Paper(0xFF, 0xFB, 0xE8);
const QColor Ink(0x1F, 0x2A, 0x5C);

} // namespace

SpeechBalloon::SpeechBalloon(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(17);
    setFont(font);
}

void SpeechBalloon::open(const QString &text, const QRect &character, int ground)
{
    m_text = text;
    m_shown = 0;
    m_layout.clearLayout();
    m_layout.setText(text);
    m_layout.setFont(font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_layout.setTextOption(option);
    m_layout.beginLayout();
    for (QTextLine line = m_layout.createLine(); line.isValid(); line = m_layout.createLine())
        line.setLineWidth(TextWidth);
    m_layout.endLayout();
    follow(character, ground);
    update();
}

void SpeechBalloon::reveal(qsizetype characters)
{
    characters = std::clamp<qsizetype>(characters, 0, m_text.size());
    if (characters == m_shown)
        return;
    m_shown = characters;
    update();
}

int SpeechBalloon::visibleLines() const
{
    return std::clamp(m_layout.lineCount(), 1, MaxLines);
}

int SpeechBalloon::firstVisibleLine() const
{
    // A long text scrolls: the newest words stay in sight.
    int last = 0;
    for (int i = 0; i < m_layout.lineCount(); ++i) {
        if (m_layout.lineAt(i).textStart() < m_shown)
            last = i;
    }
    return std::max(0, last - MaxLines + 1);
}

QRect SpeechBalloon::bodyRect() const
{
    qreal widest = 40;
    for (int i = 0; i < m_layout.lineCount(); ++i)
        widest = std::max(widest, m_layout.lineAt(i).naturalTextWidth());
    const int width = int(std::ceil(std::min<qreal>(widest, TextWidth))) + 2 * Padding;
    const int height = visibleLines() * QFontMetrics(font()).lineSpacing() + 2 * Padding;
    return {m_tailLeft ? Tail : 0, 0, width, height};
}

void SpeechBalloon::follow(const QRect &character, int ground)
{
    QRect room = parentWidget() ? parentWidget()->rect() : QRect(0, 0, 1280, 1024);
    room.setBottom(std::min(room.bottom(), ground));
    m_tailLeft = true;
    QRect body = bodyRect();
    // The tail points at the mouth, from beside the beard.
    QPoint tip(character.left() + character.width() * 39 / 50, character.top() + character.height() * 21 / 50);
    if (tip.x() + Tail + body.width() > room.right()) {
        m_tailLeft = false;
        body = bodyRect();
        tip.setX(character.left() + character.width() * 11 / 50);
    }
    const int width = body.width() + Tail;
    const int top = std::clamp(tip.y() - 3 * Radius, room.top(), std::max(room.top(), room.bottom() - body.height()));
    m_shape = {body, width, m_tailLeft,
               std::clamp(tip.y() - top, Radius + 8, std::max(Radius + 8, body.height() - Radius - 8))};
    setGeometry(m_tailLeft ? tip.x() : tip.x() - width, top, width, body.height());
}

void SpeechBalloon::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Ink, 2.5));
    painter.setBrush(Paper);
    painter.drawPath(m_shape.outline());

    painter.setPen(Ink);
    const QFontMetrics metrics(font());
    const QRect body = bodyRect();
    const QStringList lines = linesInSight();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int baseline = body.top() + Padding + int(i) * metrics.lineSpacing() + metrics.ascent();
        painter.drawText(QPoint(body.left() + Padding, baseline), lines.at(i));
    }
}

QStringList SpeechBalloon::linesInSight() const
{
    QStringList lines;
    const int first = firstVisibleLine();
    for (int i = first; i < std::min(m_layout.lineCount(), first + MaxLines); ++i) {
        const QTextLine line = m_layout.lineAt(i);
        const qsizetype end = std::min<qsizetype>(line.textStart() + line.textLength(), m_shown);
        if (end <= line.textStart())
            break;
        lines.append(m_text.mid(line.textStart(), end - line.textStart()));
    }
    return lines;
}

} // namespace vortana
