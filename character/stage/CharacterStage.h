#pragma once

#include "character/file/CharacterData.h"
#include "character/stage/CharacterView.h"
#include "character/stage/FrameRenderer.h"
#include "character/stage/SpeechBalloon.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace vortana {

// What a character shows at this moment: the pose an animation gives it, the
// blink and the mouth drawn over that pose, and, when nothing else is going
// on, a calm idle that repaints only when its picture changes. He and his
// balloon are layers over the widget he stands in, so they move, hide and
// stack with it; places are in that widget's coordinates.
class CharacterStage : public QObject
{
    Q_OBJECT

public:
    static constexpr int BlinkMs = 140;
    static constexpr int BlinkEveryMinMs = 2200;
    static constexpr int BlinkEveryMaxMs = 6000;

    // `host` owns what is seen of him; it may go first, at the program's end.
    CharacterStage(std::shared_ptr<const CharacterData> data, QWidget *host);
    ~CharacterStage() override;

    const CharacterData &data() const { return *m_data; }

    bool isShown() const { return m_shown; }
    void showWindow();
    QPoint position() const { return m_place.topLeft(); }
    void moveWindow(QPoint topLeft);
    QRect geometry() const { return m_place; }
    // Where his feet stand, in the host's coordinates.
    int ground() const { return m_place.top() + m_frames.ground(); }
    int height() const { return m_frames.height(); }
    void setHeight(int pixels);

    // An animation takes over the picture until rest().
    void pose(const AnimationFrame &frame);
    void rest();
    bool isResting() const { return m_resting; }
    // 0 closed .. 1 wide open; only while speaking.
    void setMouth(qreal openness);

    // The balloon shows only beside a character that is on screen.
    void openBalloon(const QString &text);
    void revealText(qsizetype characters)
    {
        if (m_balloon)
            m_balloon->reveal(characters);
    }
    void closeBalloonSoon();
    void closeBalloon();
    const SpeechBalloon &balloon() const { return *m_balloon; }
    const CharacterView &view() const { return *m_view; }
    const FrameRenderer &frames() const { return m_frames; }

private:
    void redraw();
    void idleStep();
    void blink();
    void armBlink();

    std::shared_ptr<const CharacterData> m_data;
    QPointer<CharacterView> m_view;
    QPointer<SpeechBalloon> m_balloon;
    FrameRenderer m_frames;
    QRect m_place;
    bool m_shown = false;
    AnimationFrame m_pose;
    int m_mouth = 0;
    bool m_eyesClosed = false;
    bool m_resting = true;
    QElapsedTimer m_idleClock;
    QTimer m_idleTimer;
    QTimer m_blinkTimer;
    QTimer m_balloonTimer;
};

} // namespace vortana
