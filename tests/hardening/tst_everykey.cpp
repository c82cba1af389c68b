#include "GameFixture.h"

#include "quiz/controls/Label.h"
#include "quiz/controls/TextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

using namespace vortana;
using namespace vortana::test;

namespace {

// The text X11 gives a key: control codes for Ctrl with a letter, the
// character for a printable key, and the few special keys that type one.
QString textOf(int key, Qt::KeyboardModifiers modifiers)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z && (modifiers & Qt::ControlModifier))
        return QString(QChar(char16_t(key - Qt::Key_A + 1)));
    if (key >= Qt::Key_Space && key <= Qt::Key_ydiaeresis) {
        const QChar c{static_cast<char16_t>(key)};
        return QString(modifiers & Qt::ShiftModifier ? c.toUpper() : c.toLower());
    }
    switch (key) {
    case Qt::Key_Escape: return QStringLiteral("\x1b");
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Backspace: return QStringLiteral("\b");
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_Delete: return QStringLiteral("\x7f");
    default: return {};
    }
}

QList<int> allKeys()
{
    QList<int> keys;
    for (int key = Qt::Key_Space; key <= Qt::Key_ydiaeresis; ++key)
        keys << key;
    for (int key = Qt::Key_Escape; key <= 0x010000ff; ++key)
        keys << key;
    for (int key = Qt::Key_AltGr; key <= 0x010012ff; ++key)
        keys << key;
    for (int key = Qt::Key_Back; key <= Qt::Key_LaunchF; ++key)
        keys << key;
    return keys;
}

} // namespace

// Every key the answer box can receive, with every modifier.
class TestEveryKey : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyKey_data();
    void everyKey();
};

void TestEveryKey::everyKey_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("no modifier") << Qt::KeyboardModifiers();
    QTest::newRow("Shift") << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("Ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("Ctrl+Shift") << (Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("Alt") << Qt::KeyboardModifiers(Qt::AltModifier);
    QTest::newRow("Meta") << Qt::KeyboardModifiers(Qt::MetaModifier);
    QTest::newRow("keypad") << Qt::KeyboardModifiers(Qt::KeypadModifier);
}

// Every key runs the key handler exactly when it types a character; only
// code 13 (Enter, Return, Ctrl+M) judges; none ends the game or overfills the box.
void TestEveryKey::everyKey()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    GameFixture game;
    game.start();
    QApplication::clipboard()->setText(QString(40, u'9'));
    int judged = 0;
    for (const int key : allKeys()) {
        const QString text = textOf(key, modifiers);
        // Alt+X and Alt+N are the buttons' own keys.
        if ((modifiers & Qt::AltModifier) && (key == Qt::Key_X || key == Qt::Key_N))
            continue;
        game.c().lblNum1->setVisible(false);
        QTest::sendKeyEvent(QTest::Press, game.c().Text3, Qt::Key(key), text, modifiers);
        QTest::sendKeyEvent(QTest::Release, game.c().Text3, Qt::Key(key), text, modifiers);
        const QByteArray what = QByteArray::number(key, 16) + ' ' + text.toUtf8().toHex();
        QVERIFY2(!game.endedWith, what.constData());
        QVERIFY2(game.c().Text3->text().size() <= 250, what.constData());
        judged += text == QLatin1String("\r");
        QVERIFY2(game.c().lblScore2->caption() == QString::number(judged), what.constData());
        // Tab moves the focus on, as it did on the old platform, typing nothing.
        const bool movesFocus = (key == Qt::Key_Tab || key == Qt::Key_Backtab)
            && !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
        const bool typed = !text.isEmpty() && !movesFocus;
        QVERIFY2(!game.c().lblNum1->isHidden() == (typed && text != QLatin1String("\r")), what.constData());
    }
}

QTEST_MAIN(TestEveryKey)
#include "tst_everykey.moc"
