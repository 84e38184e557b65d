#include "analysis/BoxLines.h"

#include "common/Strings.h"

namespace veltrix {

std::vector<std::string_view> BoxLines(std::string_view boxText, size_t maxBytes) {
    std::vector<std::string_view> lines = SplitEditLines(boxText);
    for (std::string_view& line : lines) {
        if (line.size() > maxBytes)
            line = line.substr(0, maxBytes);
    }
    return lines;
}

std::string_view RowField(std::string_view line, int j) {
    size_t start = static_cast<size_t>(j) * 3;
    if (j < 0 || start >= line.size())
        return {};
    return line.substr(start, 2);
}

} // namespace veltrix
