#pragma once

#include "quiz/GameState.h"
#include "quiz/QuizServices.h"
#include "quiz/controls/Controls.h"

namespace vortana {

class AgentCharacter;

// The game behind the window: its state and the handlers of its events,
// named after control and event. Handlers report failures by throwing; the
// window's dispatcher turns them into the error box and the end.
class Quiz
{
public:
    Quiz(const Controls &controls, QuizServices services);
    Quiz(const Quiz &) = delete;
    Quiz &operator=(const Quiz &) = delete;

    void Form_Load();
    void ResetCountdown();
    void Form_Activate();
    void cmdNext_Click();
    void Text3_KeyPress(char16_t &KeyAscii);
    void Command3_Click();
    void Timer1_Timer();
    // Never returns: every path ends the program by throwing ProgramEnd.
    [[noreturn]] void cmdExit1_Click();

    const GameState &state() const { return m_state; }
    GameState &state() { return m_state; }

    static constexpr int CharacterX = 250;
    static constexpr int CharacterY = 175;
    static constexpr int CharacterHeight = 205;

private:
    void setQuestionVisible(bool visible);
    AgentCharacter &merlin();
    QString scoreFile() const;
    QString nameFile() const;

    const Controls &c;
    QuizServices m_services;
    GameState m_state;
};

} // namespace vortana
