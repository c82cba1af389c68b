#pragma once

#include <QProxyStyle>

namespace vortana {

// The platform's own style, whose standard pictures are made only when first
// drawn or measured. Widgets ask for them as they are made, and most are never
// shown here: the boxes take the pictures off their buttons before they
// show, and the menu bar's overflow arrow appears only in a window too narrow
// for its menus. Looking them up costs start-up time (a search of the icon
// theme) and memory (every image plugin installed is loaded to probe one).
class LeanStyle final : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override;
};

} // namespace vortana
