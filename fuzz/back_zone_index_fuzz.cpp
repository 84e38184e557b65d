// Result text → "后区索引" text, and five-character texts → pair index,
// checked against the rule read step by step: the first and last two
// characters as C's atoi reads them, -1 outside 1..12 or for equal numbers,
// else (hi - lo) plus the pairs before lo, which numbers the 66 pairs in
// order; the text keeps the lines of exactly five characters.

#include "analysis/BackZoneIndex.h"
#include "common/Strings.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "back_zone_index_fuzz: %s\n", what);
    std::abort();
}

int LiteralPairIndex(std::string_view pairText) {
    // A zero-terminated copy, read by the C library itself.
    std::string first(pairText.substr(0, 2));
    std::string last(pairText.substr(pairText.size() >= 2 ? pairText.size() - 2 : 0));
    const int a = std::atoi(first.c_str());
    const int b = std::atoi(last.c_str());
    if (a < 1 || a > 12 || b < 1 || b > 12 || a == b)
        return -1;
    const int lo = std::min(a, b);
    const int hi = std::max(a, b);
    // The position of (lo, hi) among (1,2), (1,3), ..., (11,12).
    int index = 0;
    for (int x = 1; x <= 12; ++x) {
        for (int y = x + 1; y <= 12; ++y) {
            ++index;
            if (x == lo && y == hi)
                return index;
        }
    }
    return -1;
}

std::string LiteralIndexText(std::string_view boxText) {
    std::string out;
    for (std::string_view line : veltrix::SplitEditLines(boxText)) {
        line = line.substr(0, 255);
        if (line.size() != 5)
            continue;
        char index[16];
        std::snprintf(index, sizeof index, " %02d\r\n", LiteralPairIndex(line));
        out += std::string(line) + index;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    // Every five-byte window as a pair text, and the input's own start.
    for (size_t at = 0; at + 5 <= text.size() && at < 64; ++at) {
        std::string_view pair = text.substr(at, 5);
        if (veltrix::BackZonePairIndex(pair) != LiteralPairIndex(pair))
            Fail("a pair index differs from the rule");
    }
    std::string_view head = text.substr(0, std::min<size_t>(text.size(), 5));
    if (veltrix::BackZonePairIndex(head) != LiteralPairIndex(head))
        Fail("a short text's pair index differs from the rule");
    if (veltrix::BackZoneIndexText(text) != LiteralIndexText(text))
        Fail("the index text differs from the rule");
    return 0;
}
