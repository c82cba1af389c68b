#include "window/LeanStyle.h"

#include "window/DeferredIconEngine.h"

namespace vortana {

QIcon LeanStyle::standardIcon(StandardPixmap icon, const QStyleOption *, const QWidget *) const
{
    // The option and the widget may be gone by the time the picture is drawn;
    // the base style's pictures do not depend on them.
    return QIcon(new DeferredIconEngine([style = baseStyle(), icon] { return style->standardIcon(icon); }));
}

} // namespace vortana
