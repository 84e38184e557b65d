#include "chart/ChartSceneText.h"

#include "common/Strings.h"

namespace veltrix {

namespace {

std::string Rgb(ChartColor c) {
    return StrFormat("%d,%d,%d", c.r, c.g, c.b);
}

struct Formatter {
    std::string operator()(const ChartFill& f) const {
        return StrFormat("fill %d %d %d %d ", f.x1, f.y1, f.x2, f.y2) + Rgb(f.color);
    }
    std::string operator()(const ChartLine& l) const {
        return StrFormat("line %d %d %d %d ", l.x1, l.y1, l.x2, l.y2) + Rgb(l.color) +
               StrFormat(" %d", l.width);
    }
    std::string operator()(const ChartText& t) const {
        return StrFormat(t.small ? "note %d %d " : "text %d %d ", t.x, t.y) + Rgb(t.color) + " " +
               t.text;
    }
    std::string operator()(const ChartLabel& l) const { return "label " + l.text; }
};

} // namespace

std::string FormatChartPrimitive(const ChartPrimitive& primitive) {
    return std::visit(Formatter{}, primitive);
}

std::string FormatChartScene(const ChartScene& scene) {
    std::string out;
    out.reserve(scene.primitives.size() * 24);
    for (const ChartPrimitive& primitive : scene.primitives) {
        out += FormatChartPrimitive(primitive);
        out += '\n';
    }
    return out;
}

} // namespace veltrix
