#include "window/Tavola.h"

#include "quiz/Boxes.h"
#include "quiz/controls/Art.h"
#include "quiz/controls/ClientArea.h"
#include "quiz/controls/Look.h"
#include "quiz/controls/PictureButton.h"
#include "quiz/controls/TextBox.h"
#include "runtime/RuntimeError.h"
#include "runtime/TickTimer.h"
#include "runtime/Trace.h"
#include "window/ControlBuilder.h"
#include "window/CreditMenus.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QMenuBar>
#include <QTimer>

namespace vortana {

namespace {

constexpr QSize ClientSize(look::px(11775), look::px(8340));

} // namespace

Tavola::Tavola(Services services, QWidget *parent)
    : QMainWindow(parent)
    , m_services(std::move(services))
    , m_dispatcher({[this](const QString &message) { m_services.boxes.MsgBox(message); },
                    [this](int status) {
                        hide();
                        m_services.endProgram(status);
                    }})
{
    look::registerFontSubstitutions();
    setWindowTitle(windowTitleText());
    setWindowIcon(art::icon(QStringLiteral("window-icon")));
    setCursor(art::pointer(QStringLiteral("pointer-head"), 48, QPoint(2, 2)));
    addCreditMenus(menuBar());

    auto *area = new ClientArea(this);
    setCentralWidget(area);
    m_controls = buildControls(area, m_services.clock);
    m_quiz = std::make_unique<Quiz>(m_controls, QuizServices{m_services.boxes, m_services.agent, m_services.random,
                                                             m_services.records});
    connectEvents();
    QCoreApplication::instance()->installEventFilter(&m_heldKeys);
    resize(ClientSize.width(), ClientSize.height() + menuBar()->sizeHint().height());
    // Lay the client area out now, so it has its size before the window is shown.
    layout()->activate();
}

Tavola::~Tavola() = default;

void Tavola::connectEvents()
{
    Quiz *quiz = m_quiz.get();
    connect(m_controls.cmdNext, &PictureButton::clicked, this,
            [this, quiz] { m_dispatcher.dispatch([quiz] { quiz->cmdNext_Click(); }); });
    connect(m_controls.Command3, &PictureButton::clicked, this,
            [this, quiz] { m_dispatcher.dispatch([quiz] { quiz->Command3_Click(); }); });
    connect(m_controls.cmdExit1, &PictureButton::clicked, this,
            [this, quiz] { m_dispatcher.dispatch([quiz] { quiz->cmdExit1_Click(); }); });
    connect(m_controls.Text3, &TextBox::characterKey, this, &Tavola::onText3Key);
    connect(m_controls.Timer1, &TickTimer::tick, this,
            [this, quiz] { m_dispatcher.dispatch([quiz] { quiz->Timer1_Timer(); }); });
}

void Tavola::onText3Key(char16_t code)
{
    m_dispatcher.dispatch([this, code] {
        char16_t keyAscii = code;
        m_quiz->Text3_KeyPress(keyAscii);
    });
}

bool Tavola::load()
{
    m_dispatcher.dispatch([this] { m_quiz->Form_Load(); });
    return !m_dispatcher.ended();
}

void Tavola::activate()
{
    if (m_activated || m_dispatcher.ended())
        return;
    m_activated = true;
    m_dispatcher.dispatch([this] { m_quiz->Form_Activate(); });
    trace("first-question-asked");
}

bool Tavola::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        activate();
    return QMainWindow::event(event);
}

void Tavola::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_activated)
        return;
    // Without a window manager nothing activates the window, yet the first
    // question must still come right after it is shown.
    activateWindow();
    QTimer::singleShot(0, this, &Tavola::activate);
}

void Tavola::closeEvent(QCloseEvent *event)
{
    // Closing from the title bar ends the program at once, with no goodbye.
    event->accept();
    if (!m_dispatcher.ended() && !m_dispatcher.dispatch([] { throw ProgramEnd(0); }))
        m_services.endProgram(0);
}

} // namespace vortana
