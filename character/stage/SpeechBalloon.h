#pragma once

#include "character/stage/BalloonShape.h"

#include <QTextLayout>
#include <QWidget>

namespace vortana {

// The balloon beside the character: the words of the text appear in it as
// they are spoken.
class SpeechBalloon : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TextWidth = 250;
    static constexpr int MaxLines = 7;
    static constexpr int Padding = 12;
    static constexpr int Tail = 22;

    explicit SpeechBalloon(QWidget *parent = nullptr);

    // Lays the whole text out at once, so that nothing moves as words come.
    void open(const QString &text, const QRect &character);
    void reveal(qsizetype characters);
    // Keeps beside the character as it moves.
    void follow(const QRect &character);

    const QString &text() const { return m_text; }
    QString shownText() const { return m_text.left(m_shown); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect bodyRect() const;
    int visibleLines() const;
    int firstVisibleLine() const;

    QString m_text;
    QTextLayout m_layout;
    qsizetype m_shown = 0;
    bool m_tailLeft = true;
    BalloonShape m_shape;
};

} // namespace vortana
