// The yardstick for the game's start-up and memory: the least a Qt widgets
// program does to show a window, measured by the same harness on the same
// screen. It writes its first paint in the game's trace format and then waits
// to be killed.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QVBoxLayout>

#include <cstdio>
#include <ctime>

namespace {

void trace(const char *event)
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "vortana-trace %lld %s\n",
                 static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, event);
    std::fflush(stderr);
}

class FirstPaintLabel final : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        if (!m_painted) {
            m_painted = true;
            trace("first-paint");
        }
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto *central = new QWidget(&window);
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(new FirstPaintLabel(QStringLiteral("6 x 7 ="), central));
    layout->addWidget(new QLineEdit(central));
    window.setCentralWidget(central);
    window.resize(785, 556);
    window.show();
    return QApplication::exec();
}
