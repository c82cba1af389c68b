#include "window/CreditMenus.h"

#include "window/Credits.h"

#include <QMenu>
#include <QMenuBar>

namespace vortana {

namespace {

QString text(const char16_t *utf16)
{
    return QString::fromUtf16(utf16);
}

// Menu texts are plain: an ampersand in a credit line is shown, not taken as a key.
QString plain(const char16_t *utf16)
{
    return text(utf16).replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

void addCreditMenus(QMenuBar *bar)
{
    QMenu *site = bar->addMenu(plain(credits::Site));
    site->addAction(plain(credits::School));

    QMenu *authors = bar->addMenu(plain(credits::Authors));
    authors->addAction(plain(credits::AuthorsAddress));
    authors->addAction(plain(credits::Email));

    QMenu *freeware = bar->addMenu(QStringLiteral("Software freeware"));
    freeware->addAction(plain(credits::Dedication));
}

QString windowTitleText()
{
    return QString(83, QLatin1Char(' ')) + QStringLiteral("VORTANA") + QString(31, QLatin1Char(' '))
        + text(credits::Email) + QString(4, QLatin1Char(' '));
}

} // namespace vortana
