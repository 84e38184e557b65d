// Result text → "统计个数" count list, checked against the counting rule read
// step by step: pairs of adjacent digits from the left without overlap, 35
// counters in number order, a stable exchange sort of 34 passes, a line per
// number and an empty line between groups of different count.

#include "analysis/LiteralReports.h"
#include "analysis/NumberCount.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (veltrix::NumberCountText(text) != veltrix::test::LiteralNumberCount(text)) {
        std::fprintf(stderr, "number_count_fuzz: the count list differs from the rule\n");
        std::abort();
    }
    return 0;
}
