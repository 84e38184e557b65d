#include "analysis/BackZoneIndex.h"

#include "analysis/BoxLines.h"
#include "common/Strings.h"

#include <algorithm>

namespace veltrix {
namespace {

constexpr int kBackZoneHighest = 12;
constexpr size_t kLineMaxBytes = 255;
constexpr size_t kPairTextLength = 5;

} // namespace

int BackZonePairIndex(std::string_view pairText) {
    int a = AtoiPrefix(pairText.substr(0, 2));
    int b = AtoiPrefix(pairText.substr(pairText.size() >= 2 ? pairText.size() - 2 : 0));
    if (a < 1 || a > kBackZoneHighest || b < 1 || b > kBackZoneHighest || a == b)
        return -1;
    int lo = std::min(a, b);
    int hi = std::max(a, b);
    int index = hi - lo;
    for (int k = 1; k < lo; ++k)
        index += kBackZoneHighest - k;
    return index;
}

std::string BackZoneIndexText(std::string_view boxText) {
    std::string out;
    for (std::string_view line : BoxLines(boxText, kLineMaxBytes)) {
        if (line.size() != kPairTextLength)
            continue;
        out += line;
        out += ' ';
        AppendInt(out, BackZonePairIndex(line), 2, true);
        out += "\r\n";
    }
    return out;
}

} // namespace veltrix
