// Result text → "后区索引" text, and five-character texts → pair index,
// checked against the rule read step by step: the first and last two
// characters as C's atoi reads them, -1 outside 1..12 or for equal numbers,
// else (hi - lo) plus the pairs before lo, which numbers the 66 pairs in
// order; the text keeps the lines of exactly five characters.

#include "analysis/BackZoneIndex.h"
#include "analysis/LiteralReports.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "back_zone_index_fuzz: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    // Every five-byte window as a pair text, and the input's own start.
    for (size_t at = 0; at + 5 <= text.size() && at < 64; ++at) {
        std::string_view pair = text.substr(at, 5);
        if (veltrix::BackZonePairIndex(pair) != veltrix::test::LiteralPairIndex(pair))
            Fail("a pair index differs from the rule");
    }
    std::string_view head = text.substr(0, std::min<size_t>(text.size(), 5));
    if (veltrix::BackZonePairIndex(head) != veltrix::test::LiteralPairIndex(head))
        Fail("a short text's pair index differs from the rule");
    if (veltrix::BackZoneIndexText(text) != veltrix::test::LiteralIndexText(text))
        Fail("the index text differs from the rule");
    return 0;
}
