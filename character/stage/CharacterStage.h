#pragma once

#include "character/file/CharacterData.h"
#include "character/stage/CharacterWindow.h"
#include "character/stage/FrameCache.h"
#include "character/stage/SpeechBalloon.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

namespace vortana {

// What a character shows at this moment: the pose an animation gives it, the
// blink and the mouth drawn over that pose, and, when nothing else is going
// on, a calm idle that repaints only when its picture changes.
class CharacterStage : public QObject
{
    Q_OBJECT

public:
    static constexpr int BlinkMs = 140;
    static constexpr int BlinkEveryMinMs = 2200;
    static constexpr int BlinkEveryMaxMs = 6000;

    explicit CharacterStage(std::shared_ptr<const CharacterData> data, QObject *parent = nullptr);
    ~CharacterStage() override;

    const CharacterData &data() const { return *m_data; }

    bool isShown() const { return m_window.isVisible(); }
    void showWindow();
    QPoint position() const { return m_window.pos(); }
    void moveWindow(QPoint topLeft);
    QRect geometry() const { return m_window.geometry(); }
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
    void revealText(qsizetype characters) { m_balloon.reveal(characters); }
    void closeBalloonSoon();
    void closeBalloon();
    const SpeechBalloon &balloon() const { return m_balloon; }
    const CharacterWindow &window() const { return m_window; }
    const FrameCache &frames() const { return m_frames; }

private:
    void redraw();
    void idleStep();
    void blink();
    void armBlink();

    std::shared_ptr<const CharacterData> m_data;
    CharacterWindow m_window;
    SpeechBalloon m_balloon;
    FrameCache m_frames;
    AnimationFrame m_pose;
    QString m_shownKey;
    int m_mouth = 0;
    bool m_eyesClosed = false;
    bool m_resting = true;
    QElapsedTimer m_idleClock;
    QTimer m_idleTimer;
    QTimer m_blinkTimer;
    QTimer m_balloonTimer;
};

} // namespace vortana
