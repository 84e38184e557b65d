#pragma once
// Paints a chart scene with QPainter: the window's paint event, the PNG
// exporter and the tests all go through here, so they agree to the pixel.

#include "chart/ChartScene.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;

namespace veltrix {

// The chart font: bold, a character cell 12 pixels high, "宋体" where it is
// installed and a CJK font with a 12-pixel bitmap strike or the nearest size
// that fits the cell elsewhere; no antialiasing, like the bitmap face it
// stands in for.
QFont CreateChartFont();

// Fills [x1, x2) x [y1, y2). A line covers its pixels from the start point
// up to, not including, the end point; a 2-pixel line along an axis covers
// the line's pixel row (column) and the one above (left of) it, a slanted one
// the 2-pixel band around the segment, cut square at the ends. A text's
// character cell has its top-left corner at (x, y). Antialiasing is off. Labels are not pixels and
// are skipped. The painter's state is restored afterwards.
void PaintChartScene(QPainter& painter, const ChartScene& scene, const QFont& font);

// The pixels a scene can touch, for repainting only that part of a window.
QRect ChartSceneBounds(const ChartScene& scene, const QFont& font);

// The scene on a background of the given colour, in an image of the given size.
QImage RenderChartImage(const ChartScene& scene, QSize size, const QFont& font, QColor background);

} // namespace veltrix
