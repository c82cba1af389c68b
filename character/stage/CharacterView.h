#pragma once

#include <QImage>
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

    // The picture is drawn from where it stands, not copied: its owner keeps
    // it for as long as the view lives.
    void setFrame(const QImage &picture);
    quint64 framesShown() const { return m_framesShown; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QImage *m_picture = nullptr;
    quint64 m_framesShown = 0;
};

} // namespace vortana
