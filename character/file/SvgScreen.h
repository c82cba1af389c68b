#pragma once

#include <QByteArray>
#include <QString>

namespace vortana {

// Character art comes from a file anyone could write: it must be one
// self-contained drawing, with nothing that reaches outside it.
class SvgScreen
{
public:
    static constexpr int MaxElements = 20000;

    // Empty when the art is acceptable, otherwise what is wrong with it.
    static QString problem(const QByteArray &svg);
};

} // namespace vortana
