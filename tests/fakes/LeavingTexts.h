#pragma once

#include <QString>

namespace vortana::test {

// The boxes a game shows when it ends, word for word.
inline const QString Goodbye = QStringLiteral("Ciao. Ti aspetto per la prossima sfida ");
inline const QString Confirmed = QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\"");

} // namespace vortana::test
