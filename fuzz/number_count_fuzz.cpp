// Result text → "统计个数" count list, checked against the counting rule read
// step by step: pairs of adjacent digits from the left without overlap, 35
// counters in number order, a stable exchange sort of 34 passes, a line per
// number and an empty line between groups of different count.

#include "analysis/NumberCount.h"
#include "common/Strings.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

namespace {

std::string LiteralNumberCount(std::string_view text) {
    if (text.empty())
        return {};
    std::array<std::pair<int, int>, 35> counters; // number, count
    for (int n = 0; n < 35; ++n)
        counters[static_cast<size_t>(n)] = {n + 1, 0};
    size_t i = 0;
    while (i + 1 < text.size()) {
        if (veltrix::IsAsciiDigit(text[i]) && veltrix::IsAsciiDigit(text[i + 1])) {
            for (auto& [number, count] : counters) {
                char label[3];
                std::snprintf(label, sizeof label, "%02d", number);
                if (text[i] == label[0] && text[i + 1] == label[1]) {
                    ++count;
                    break;
                }
            }
            i += 2;
        } else {
            i += 1;
        }
    }
    for (int pass = 0; pass < 34; ++pass) {
        for (size_t k = 0; k < 34; ++k) {
            if (counters[k].second < counters[k + 1].second)
                std::swap(counters[k], counters[k + 1]);
        }
    }
    std::string out;
    for (size_t k = 0; k < counters.size(); ++k) {
        if (k > 0 && counters[k].second != counters[k - 1].second)
            out += "\r\n";
        char line[40];
        std::snprintf(line, sizeof line, "%02d = %d\r\n", counters[k].first, counters[k].second);
        out += line;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (veltrix::NumberCountText(text) != LiteralNumberCount(text)) {
        std::fprintf(stderr, "number_count_fuzz: the count list differs from the rule\n");
        std::abort();
    }
    return 0;
}
