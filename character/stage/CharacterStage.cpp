#include "character/stage/CharacterStage.h"

#include <QRandomGenerator>

#include <cmath>

namespace vortana {

namespace {

constexpr int BalloonLingerMs = 900;
constexpr int Margin = 8;

} // namespace

CharacterStage::CharacterStage(std::shared_ptr<const CharacterData> data, QWidget *host)
    : m_data(std::move(data)), m_view(new CharacterView(host)), m_balloon(new SpeechBalloon(host)),
      m_frames(m_data->art, m_data->ground)
{
    m_view->hide();
    m_balloon->hide();
    // Screen readers meet him among the game's controls, each with a name.
    m_view->setAccessibleName(m_data->name);
    m_balloon->setAccessibleName(QStringLiteral("Fumetto di %1").arg(m_data->name));
    m_idleTimer.setSingleShot(true);
    m_blinkTimer.setSingleShot(true);
    m_balloonTimer.setSingleShot(true);
    connect(&m_idleTimer, &QTimer::timeout, this, &CharacterStage::idleStep);
    connect(&m_blinkTimer, &QTimer::timeout, this, &CharacterStage::blink);
    connect(&m_balloonTimer, &QTimer::timeout, m_balloon.data(), &QWidget::hide);
    m_frames.setHeight(m_data->height, m_view->devicePixelRatioF());
    // Until he is sent somewhere he waits in the host's far corner, standing on its foot.
    const QSize size = m_frames.pixelSize();
    m_place = host ? QRect(QPoint(host->width() - size.width() - Margin, host->height() - m_frames.ground()), size)
                   : QRect(QPoint(), size);
    m_view->setGeometry(m_place);
    m_pose = m_data->require(CharacterData::RestName).frames.constFirst();
}

CharacterStage::~CharacterStage()
{
    delete m_view;
    delete m_balloon;
}

void CharacterStage::showWindow()
{
    if (m_shown)
        return;
    m_shown = true;
    redraw();
    if (m_view) {
        m_view->raise();
        m_view->show();
    }
    armBlink();
}

void CharacterStage::moveWindow(QPoint topLeft)
{
    m_place.moveTopLeft(topLeft);
    if (m_view)
        m_view->move(topLeft);
    if (m_balloon && !m_balloon->isHidden())
        m_balloon->follow(m_place, ground());
}

void CharacterStage::setHeight(int pixels)
{
    m_frames.setHeight(pixels, m_view ? m_view->devicePixelRatioF() : 1.0);
    m_place.setSize(m_frames.pixelSize());
    if (m_view)
        m_view->resize(m_place.size());
    redraw();
    if (m_balloon && !m_balloon->isHidden())
        m_balloon->follow(m_place, ground());
}

void CharacterStage::pose(const AnimationFrame &frame)
{
    // A balloon left over from the last words would hide the magic.
    if (m_balloonTimer.isActive())
        closeBalloon();
    m_resting = false;
    m_idleTimer.stop();
    m_pose = frame;
    redraw();
}

void CharacterStage::rest()
{
    m_mouth = 0;
    if (!m_resting) {
        m_resting = true;
        m_idleClock.start();
    }
    idleStep();
}

void CharacterStage::idleStep()
{
    if (!m_resting)
        return;
    if (!m_idleClock.isValid())
        m_idleClock.start();
    const Animation &idle = m_data->require(CharacterData::IdleName);
    const auto elapsed = std::chrono::nanoseconds(m_idleClock.nsecsElapsed());
    m_pose = idle.frameAt(elapsed, true);
    redraw();
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(idle.remainingAt(elapsed, true));
    m_idleTimer.start(std::max<std::chrono::milliseconds>(wait, std::chrono::milliseconds(20)));
}

void CharacterStage::setMouth(qreal openness)
{
    const int shapes = int(m_data->mouths.size());
    const int mouth = std::clamp(int(std::lround(openness * (shapes - 1))), 0, shapes - 1);
    if (mouth == m_mouth)
        return;
    m_mouth = mouth;
    redraw();
}

void CharacterStage::armBlink()
{
    m_blinkTimer.start(QRandomGenerator::global()->bounded(BlinkEveryMinMs, BlinkEveryMaxMs));
}

void CharacterStage::blink()
{
    m_eyesClosed = !m_eyesClosed;
    redraw();
    if (m_eyesClosed)
        m_blinkTimer.start(BlinkMs);
    else
        armBlink();
}

void CharacterStage::openBalloon(const QString &text)
{
    m_balloonTimer.stop();
    if (!m_balloon)
        return;
    m_balloon->open(text, m_place, ground());
    m_balloon->setAccessibleDescription(text);
    if (m_shown) {
        m_balloon->raise();
        m_balloon->show();
    }
}

void CharacterStage::closeBalloonSoon()
{
    m_balloonTimer.start(BalloonLingerMs);
}

void CharacterStage::closeBalloon()
{
    m_balloonTimer.stop();
    if (m_balloon)
        m_balloon->hide();
}

void CharacterStage::redraw()
{
    QList<LayerRef> layers = m_pose.layers;
    for (LayerRef &layer : layers) {
        if (m_eyesClosed && layer.id == m_data->eyesOpen)
            layer.id = m_data->eyesClosed;
        else if (m_mouth > 0 && layer.id == m_data->mouths.constFirst())
            layer.id = m_data->mouths.at(m_mouth);
    }
    // Frames are drawn only for a character on show: one never seen costs nothing.
    if (!m_shown || !m_view || m_frames.shows(layers, m_pose.scale))
        return;
    m_view->setFrame(m_frames.frame(layers, m_pose.scale));
}

} // namespace vortana
