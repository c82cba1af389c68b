#pragma once

#include <QStringView>

namespace vortana {

// The leading number of a text, as the old runtime read it: blanks before it
// are skipped, then an optional sign, digits, a fraction and an exponent are
// taken as far as they go; a text that does not begin with a number gives 0.
double Val(QStringView text);

} // namespace vortana
