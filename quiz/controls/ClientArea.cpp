#include "quiz/controls/ClientArea.h"

#include "quiz/controls/Look.h"

#include <QPainter>

#include <array>

namespace vortana {

namespace {

enum class ShapeForm { Rectangle, Circle };

struct Shape
{
    ShapeForm form;
    QRect bounds;
    QRgb fill;
};

// Bottom of the stack first: Shape5, Shape4, Shape3, Shape2, Shape1.
constexpr std::array<Shape, 5> Shapes{{
    {ShapeForm::Circle, look::rect(8400, 0, 3495, 2055), 0xFF00C0C0},
    {ShapeForm::Rectangle, look::rect(0, 0, 3375, 4455), 0xFF00C0C0},
    {ShapeForm::Circle, look::rect(8510, 50, 3300, 1965), 0xFF00FFFF},
    {ShapeForm::Rectangle, look::rect(120, 120, 3135, 4215), 0xFF00FFFF},
    {ShapeForm::Rectangle, look::rect(2880, 4920, 7335, 1335), 0xFF00FFFF},
}};

} // namespace

ClientArea::ClientArea(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClientArea::paintBackdrop(int red, int green)
{
    m_backdrop = true;
    m_red = red;
    m_green = green;
    update();
}

void ClientArea::Cls()
{
    if (!m_backdrop)
        return;
    m_backdrop = false;
    update();
}

void ClientArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), look::systemColor(look::SystemColor::ScrollBar));
    if (m_backdrop)
        paintBands(painter);
    paintShapes(painter);
}

void ClientArea::paintBands(QPainter &painter) const
{
    // Each band is 1/256 of the client height, reaching across the full width.
    const int h = height();
    for (int k = 0; k < BandCount; ++k) {
        const int top = k * h / BandCount;
        const int bottom = (k + 1) * h / BandCount;
        painter.fillRect(0, top, width(), bottom - top, QColor(m_red, m_green, k));
    }
}

void ClientArea::paintShapes(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(look::systemColor(look::SystemColor::WindowText), 1));
    for (const Shape &shape : Shapes) {
        painter.setBrush(QColor::fromRgb(shape.fill));
        if (shape.form == ShapeForm::Rectangle) {
            painter.drawRect(shape.bounds.adjusted(0, 0, -1, -1));
        } else {
            // The largest circle that fits, centred in the bounds.
            const int side = std::min(shape.bounds.width(), shape.bounds.height());
            QRect circle(0, 0, side, side);
            circle.moveCenter(shape.bounds.center());
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.drawEllipse(QRectF(circle).adjusted(0.5, 0.5, -0.5, -0.5));
            painter.setRenderHint(QPainter::Antialiasing, false);
        }
    }
}

} // namespace vortana
