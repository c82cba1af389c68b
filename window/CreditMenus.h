#pragma once

class QMenuBar;
class QString;

namespace vortana {

// The three menus of credit lines; choosing an entry only closes the menu.
void addCreditMenus(QMenuBar *bar);

// The title-bar text: the product name pushed towards the middle, then the contact.
QString windowTitleText();

} // namespace vortana
