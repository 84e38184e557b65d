#pragma once
// Fonts and the icon of the program.

#include <QFont>
#include <QIcon>

namespace veltrix {

// The dialogs and the chart ask for "宋体", which Linux does not have. Qt's
// fallback for it on Debian is DejaVu Sans, where "─" is as narrow as a
// letter; the fonts named here draw ASCII one column and CJK and box-drawing
// characters two columns wide, as the result texts are laid out.
void InstallFontSubstitutions();

// The window's font: "宋体" at 9 points (12 pixels).
QFont DialogFont();

// The window icon: a small trend chart.
QIcon AppIcon();

} // namespace veltrix
