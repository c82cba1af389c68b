#pragma once

#include "speller/Currency.h"

#include <QString>

namespace vortana {

// The whole part of n as Italian words written as one word, lower case and
// without blanks (42: "quarantadue"). Below 1, and from 10^12 on, the text is
// empty.
QString numlett(Currency n);

} // namespace vortana
