#pragma once
// The scene as text, one primitive per line in drawing order, for scripts and
// for comparing a chart against one computed by hand:
//   fill X1 Y1 X2 Y2 R,G,B
//   line X1 Y1 X2 Y2 R,G,B W
//   text X Y R,G,B STRING
//   note X Y R,G,B STRING      (a text in the small font)
//   label STRING

#include "chart/ChartScene.h"

#include <string>

namespace veltrix {

std::string FormatChartPrimitive(const ChartPrimitive& primitive);
// Every primitive's line, each ended by "\n"; the empty text for no primitives.
std::string FormatChartScene(const ChartScene& scene);

} // namespace veltrix
