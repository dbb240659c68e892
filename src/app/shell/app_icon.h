#pragma once

#include <QIcon>

namespace i40::app {

// The program's icon, for the frame and every window and dialog: the SVG of the
// resources where an SVG reader is present, else the same picture painted.
QIcon AppIcon();

// Where the icon's SVG lives among the resources.
inline constexpr const char* kAppIconResource = ":/icons/i40seted.svg";

}  // namespace i40::app
