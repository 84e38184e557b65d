#pragma once
// A trend chart as data: the ordered list of drawing primitives that the
// window's painter (or the PNG exporter) walks. Computed by the core from the
// command text and the visible result lines; knows nothing of Qt.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace veltrix {

struct ChartColor {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const ChartColor&, const ChartColor&) = default;
};

// [x1, x2) x [y1, y2): left and top edges included, right and bottom excluded.
struct ChartFill {
    int x1, y1, x2, y2;
    ChartColor color;
    friend bool operator==(const ChartFill&, const ChartFill&) = default;
};

// From (x1, y1) to (x2, y2), the end point itself not drawn.
struct ChartLine {
    int x1, y1, x2, y2;
    ChartColor color;
    int width;
    friend bool operator==(const ChartLine&, const ChartLine&) = default;
};

// Text whose character cell has its top-left corner at (x, y). Small texts
// (notes: the omission values and statistics rows) use a smoothed font 9
// pixels high whose digits are about 5 pixels wide.
struct ChartText {
    int x, y;
    ChartColor color;
    std::string text;
    bool small = false;
    friend bool operator==(const ChartText&, const ChartText&) = default;
};

// Sets the record-count label.
struct ChartLabel {
    std::string text;
    friend bool operator==(const ChartLabel&, const ChartLabel&) = default;
};

using ChartPrimitive = std::variant<ChartFill, ChartLine, ChartText, ChartLabel>;

struct ChartScene {
    std::vector<ChartPrimitive> primitives;
};

} // namespace veltrix
