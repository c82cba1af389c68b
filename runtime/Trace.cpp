#include "runtime/Trace.h"

#include <QtGlobal>

#include <cstdio>
#include <ctime>

namespace vortana {

void trace(const char *event)
{
    if (!qEnvironmentVariableIsSet("VORTANA_TRACE"))
        return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "vortana-trace %lld %s\n",
                 static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, event);
    std::fflush(stderr);
}

} // namespace vortana
