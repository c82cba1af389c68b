#pragma once

#include "character/stage/RenderedFrame.h"

#include <QWidget>

namespace vortana {

// The character's own window: no frame, above the others, never taking the
// focus from the game, shaped to the drawing.
class CharacterWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr Qt::WindowFlags Flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                                           | Qt::WindowDoesNotAcceptFocus;

    explicit CharacterWindow(QWidget *parent = nullptr);

    void setFrame(const RenderedFrame &frame);
    quint64 framesShown() const { return m_framesShown; }
    // Where the window lets the desktop show through is outside this.
    const QRegion &shape() const { return m_shape; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    QRegion m_shape;
    bool m_shapeable;
    quint64 m_framesShown = 0;
};

} // namespace vortana
