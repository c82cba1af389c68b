#pragma once

#include <QAbstractButton>
#include <QIcon>

namespace vortana {

// A push button in the old "picture" style: a face of its own colour, a
// picture above the caption, and a picture of its own while pressed or
// disabled. Like the old buttons it answers Enter as well as Space.
class PictureButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit PictureButton(QWidget *parent = nullptr);

    void setFaceColor(const QColor &color);
    void setPictures(const QIcon &normal, const QIcon &down = {}, const QIcon &disabled = {});
    // The picture the button's state calls for, as it is drawn.
    const QIcon &currentPicture() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QColor m_face;
    QIcon m_normal;
    QIcon m_down;
    QIcon m_disabled;
};

} // namespace vortana
