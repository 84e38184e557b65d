#pragma once
// Helpers for reading a chart scene in tests: the primitives of one kind,
// split at the record-count label (everything the grid needs comes before
// it, everything the rows give comes after it), printed as the CLI prints them.

#include "chart/ChartSceneText.h"
#include "chart/TrendChart.h"

#include <concepts>
#include <ostream>
#include <string>
#include <vector>

namespace veltrix {

// Readable failures: a primitive printed as the CLI prints it.
template <class T>
requires std::same_as<T, ChartFill> || std::same_as<T, ChartLine> || std::same_as<T, ChartText> ||
    std::same_as<T, ChartLabel>
void PrintTo(const T& p, std::ostream* os) {
    *os << FormatChartPrimitive(p);
}

namespace test {

inline constexpr ChartColor kBand1{255, 230, 230};
inline constexpr ChartColor kBand2{245, 220, 220};
inline constexpr ChartColor kBand3{230, 230, 255};
inline constexpr ChartColor kBand4{220, 220, 245};
inline constexpr ChartColor kGrid{200, 200, 255};
inline constexpr ChartColor kPenRed{255, 120, 120};
inline constexpr ChartColor kPenBlue{120, 120, 255};
inline constexpr ChartColor kRed{255, 0, 0};
inline constexpr ChartColor kBlue{0, 0, 255};
inline constexpr ChartColor kGrey{128, 128, 128};

enum class Part { All, BeforeLabel, AfterLabel };

template <class T> std::vector<T> Primitives(const ChartScene& scene, Part part = Part::All) {
    std::vector<T> out;
    Part at = Part::BeforeLabel;
    for (const ChartPrimitive& primitive : scene.primitives) {
        if (at == Part::BeforeLabel && std::holds_alternative<ChartLabel>(primitive)) {
            at = Part::AfterLabel;
            if (part != Part::All)
                continue;
        }
        if (const T* p = std::get_if<T>(&primitive); p && (part == Part::All || part == at))
            out.push_back(*p);
    }
    return out;
}

// Input from result lines written as the result box shows them.
inline ChartInput Input(int height, std::vector<std::string> lines, int recordCount = 0) {
    ChartInput input;
    input.clientHeight = height;
    input.recordCount = recordCount;
    input.lines = std::move(lines);
    return input;
}

} // namespace test
} // namespace veltrix
