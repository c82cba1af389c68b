#pragma once

#include <QWidget>

namespace vortana {

// The window's client area: its background colour, the run-time drawing that
// stays through repaints until it is cleared, and the decorative shapes, all
// under the controls.
class ClientArea : public QWidget
{
    Q_OBJECT

public:
    static constexpr int BandCount = 256;

    explicit ClientArea(QWidget *parent = nullptr);

    // Paints the backdrop: horizontal bands from top to bottom whose blue runs
    // from 0 to 255 over the client height, with the given red and green.
    void paintBackdrop(int red, int green);
    // Clears everything drawn at run time.
    void Cls();

    bool hasBackdrop() const { return m_backdrop; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintBands(QPainter &painter) const;
    void paintShapes(QPainter &painter) const;

    bool m_backdrop = false;
    int m_red = 0;
    int m_green = 0;
};

} // namespace vortana
