#pragma once

#include "character/stage/BalloonShape.h"

#include <QTextLayout>
#include <QWidget>

namespace vortana {

// The balloon beside the character, inside the widget he stands in: the words
// of the text appear in it as they are spoken. It keeps above the ground he
// stands on, so it never hides what lies below his feet.
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
    // `character` and `ground` are in the parent's coordinates.
    void open(const QString &text, const QRect &character, int ground);
    void reveal(qsizetype characters);
    // Keeps beside the character as it moves.
    void follow(const QRect &character, int ground);

    const QString &text() const { return m_text; }
    QString shownText() const { return m_text.left(m_shown); }
    // What the balloon shows, line by line: a long text scrolls so that the
    // newest words stay in sight.
    QStringList linesInSight() const;

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
