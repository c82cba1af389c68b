#pragma once

#include "quiz/Quiz.h"
#include "quiz/controls/Controls.h"
#include "quiz/controls/HeldKeyFilter.h"
#include "runtime/Dispatcher.h"

#include <QMainWindow>

#include <functional>
#include <memory>

namespace vortana {

class Clock;

// The main window. It builds the controls and hands their events to the
// quiz's handlers, one at a time, through the dispatcher.
class Tavola : public QMainWindow
{
    Q_OBJECT

public:
    struct Services
    {
        Boxes &boxes;
        Agent &agent;
        RandomSource &random;
        RecordStore &records;
        const Clock &clock;
        // Ends the program with the given exit status; called once.
        std::function<void(int status)> endProgram;
    };

    explicit Tavola(Services services, QWidget *parent = nullptr);
    ~Tavola() override;

    // Runs the load handler before the window is first shown; false when it
    // ended the program instead.
    bool load();
    // Runs the activation handler, once: at the first activation, or right
    // after the window is first shown.
    void activate();

    const Controls &controls() const { return m_controls; }
    Quiz &quiz() { return *m_quiz; }
    Dispatcher &dispatcher() { return m_dispatcher; }

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectEvents();
    void onText3Key(char16_t code);

    Services m_services;
    Dispatcher m_dispatcher;
    Controls m_controls;
    std::unique_ptr<Quiz> m_quiz;
    bool m_activated = false;
    HeldKeyFilter m_heldKeys;
};

} // namespace vortana
