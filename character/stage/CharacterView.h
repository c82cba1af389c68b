#pragma once

#include <QPixmap>
#include <QWidget>

namespace vortana {

// What is seen of the character: a layer over the widget he stands in. He
// takes neither the focus nor the pointer, so whatever shows through him can
// still be typed in and clicked.
class CharacterView : public QWidget
{
    Q_OBJECT

public:
    explicit CharacterView(QWidget *parent = nullptr);

    void setFrame(const QPixmap &picture);
    quint64 framesShown() const { return m_framesShown; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    quint64 m_framesShown = 0;
};

} // namespace vortana
