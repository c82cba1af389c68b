#include "runtime/Int16.h"

#include "runtime/RuntimeError.h"

#include <limits>

namespace vortana {

Int16 Int16::fromWide(long long value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw RuntimeError(ErrorCode::Overflow);
    return Int16(static_cast<std::int16_t>(value));
}

} // namespace vortana
