#pragma once
// Paints a chart scene with QPainter: the window's paint event, the PNG
// exporter and the tests all go through here, so they agree to the pixel.

#include "chart/ChartScene.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <string>
#include <unordered_map>

class QPainter;

namespace veltrix {

// The chart font: bold, a character cell 12 pixels high, "宋体" where it is
// installed and otherwise a CJK font with a 12-pixel bitmap strike or the
// largest size whose cell fits; no antialiasing, like the bitmap face it
// stands in for.
QFont CreateChartFont();

// Fills [x1, x2) x [y1, y2). A line covers its pixels from the start point
// up to, not including, the end point; a 2-pixel line along an axis covers
// the line's pixel row (column) and the one above (left of) it, a slanted one
// the 2-pixel band around the segment, cut square at the ends. A text's
// character cell has its top-left corner at (x, y). Antialiasing is off.
// Labels are not pixels and are skipped. The painter's state is restored.
//
// A chart repaints the same few hundred short texts on every scroll step, so
// each text is rendered once per colour into a small image and reused; keep
// one ChartPainter for as long as the font stays the same.
class ChartPainter {
public:
    explicit ChartPainter(const QFont& font);

    const QFont& Font() const { return m_font; }
    void Paint(QPainter& painter, const ChartScene& scene);

private:
    struct Sprite {
        QImage image;
        QPoint offset; // from the text's position to the image's corner
    };
    const Sprite& SpriteFor(const ChartText& text);

    QFont m_font;
    QFont m_smallFont; // the notes'
    int m_ascent;
    int m_smallAscent;
    std::unordered_map<std::string, Sprite> m_sprites; // by colour and text
};

// Paints one scene with a painter made for the occasion.
void PaintChartScene(QPainter& painter, const ChartScene& scene, const QFont& font);

// The pixels a scene can touch, for repainting only that part of a window.
// Texts are taken to fit their 12-pixel cell and 12 pixels per byte.
QRect ChartSceneBounds(const ChartScene& scene);

// The scene on a background of the given colour, in an image of the given size.
QImage RenderChartImage(const ChartScene& scene, QSize size, const QFont& font, QColor background);

} // namespace veltrix
