#pragma once

namespace vortana {

// Writes "vortana-trace <monotonic ns> <event>" to standard error when the
// environment variable VORTANA_TRACE is set, so an outside harness can time
// the program's milestones against its own clock; otherwise does nothing.
void trace(const char *event);

} // namespace vortana
