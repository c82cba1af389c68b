#include "character/Character.h"

#include "character/StageHost.h"
#include "character/queue/MoveRequest.h"
#include "character/queue/PlayRequest.h"
#include "character/queue/RequestQueue.h"
#include "character/queue/ShowRequest.h"
#include "character/queue/SpeakRequest.h"
#include "character/voice/SpeechEngine.h"
#include "runtime/GuiMailbox.h"
#include "runtime/RuntimeError.h"

namespace vortana {

Character::Character(std::shared_ptr<const CharacterData> data, RequestQueue &queue, AudioSink &sink,
                     const StageHost &host)
    : m_data(std::move(data)), m_queue(queue), m_sink(sink), m_host(host), m_stage(m_data, host.widget())
{
    m_voiceCheck = SpeechEngine::instance().prepare(m_data->voice);
}

Character::~Character()
{
    m_queue.discard(&m_stage);
}

void Character::Show()
{
    requireVoice();
    m_queue.enqueue(std::make_unique<ShowRequest>(m_stage));
}

void Character::MoveTo(int x, int y)
{
    if (std::abs(x) > MaxCoordinate || std::abs(y) > MaxCoordinate)
        throw RuntimeError(ErrorCode::InvalidCall,
                           QStringLiteral("MoveTo(%1, %2): il punto è fuori da ogni schermo").arg(x).arg(y));
    m_queue.enqueue(std::make_unique<MoveRequest>(m_stage, m_host.place(QPoint(x, y))));
}

void Character::Play(const QString &animation)
{
    const Animation *found = m_data->find(animation);
    if (!found)
        throw RuntimeError(ErrorCode::InvalidCall, QStringLiteral("Il personaggio \"%1\" non ha l'animazione \"%2\"")
                                                       .arg(m_data->name, animation));
    m_queue.enqueue(std::make_unique<PlayRequest>(m_stage, *found));
}

void Character::Height(int pixels)
{
    if (pixels < 8 || pixels > 2000)
        throw RuntimeError(ErrorCode::InvalidCall,
                           QStringLiteral("Altezza %1 non valida per il personaggio \"%2\" (da 8 a 2000 pixel)")
                               .arg(pixels).arg(m_data->name));
    m_stage.setHeight(pixels);
}

void Character::requireVoice()
{
    // The engine gets ready on its own thread from the moment the character is
    // loaded; its verdict is awaited before the character first shows or
    // speaks, so that a mute one never appears.
    if (!m_voiceFailure) {
        if (m_voiceCheck.wait_for(VoiceTimeout) != std::future_status::ready)
            m_voiceFailure = QStringLiteral("la sintesi vocale non risponde");
        else
            m_voiceFailure = m_voiceCheck.get();
    }
    if (!m_voiceFailure->isEmpty())
        throw RuntimeError(ErrorCode::ObjectCreation,
                           QStringLiteral("Personaggio \"%1\" (%2): %3").arg(m_data->name, m_data->file, *m_voiceFailure));
}

void Character::Speak(const QString &text)
{
    requireVoice();
    if (text.size() > MaxSpeech)
        throw RuntimeError(ErrorCode::InvalidCall, QStringLiteral("Testo troppo lungo da dire (%1 caratteri, al massimo %2)")
                                                       .arg(text.size()).arg(MaxSpeech));
    // Synthesis starts now, so the sound is ready when the request's turn comes.
    const std::shared_ptr<GuiMailbox> mailbox = m_queue.mailbox();
    RequestQueue *queue = &m_queue;
    auto nudge = [mailbox, queue] { mailbox->post([queue] { queue->poll(); }); };
    auto pending = SpeechEngine::instance().render(text, m_data->voice, nudge);
    m_queue.enqueue(std::make_unique<SpeakRequest>(m_stage, m_sink, m_queue.clock(), text, std::move(pending), nudge));
}

} // namespace vortana
