#pragma once

#include <QString>

namespace vortana {

// The per-machine record directory fixed when the program was built. Tests
// and trial runs may point the program elsewhere with VORTANA_RECORD_DIR.
QString recordDirectory();

} // namespace vortana
