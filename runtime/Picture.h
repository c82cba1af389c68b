#pragma once

#include <QString>

namespace vortana {

// Writes a whole number through a numeric format picture made of '0' (a digit
// always shown) and '#' (a digit shown only when needed), as in "#0", "00",
// "####0": at least as many digits as the picture has zeros, no grouping.
QString formatPicture(long long value, QStringView picture);

// Floating values are rounded half to even first, as the old runtime did.
QString formatPicture(double value, QStringView picture);

} // namespace vortana
