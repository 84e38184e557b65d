// Result text → 3D follow-up report, checked against the report's rule read
// step by step: lines cut to 8 bytes, the newest two lines of 8 bytes as the
// pattern, pairs (i, i+1) followed by line i+2 up to the line above the older
// pattern row, digits at bytes 1, 4 and 7 compared as bytes, cells
// "%02d = [%d]" sorted by exchanges, ten lines with the suggested digits.

#include "analysis/LiteralReports.h"
#include "analysis/ThreeDigitFollowUp.h"
#include "common/Strings.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::optional<std::string> LiteralReport(std::string_view text) {
    std::vector<std::string> lines;
    for (std::string_view line : veltrix::SplitEditLines(text)) {
        lines.emplace_back(line.substr(0, 8));
    }
    const int n = static_cast<int>(lines.size());
    if (n <= 3)
        return std::nullopt;
    // A line is read into a cleared buffer: bytes past its end read as NUL.
    auto byteAt = [&](int line, int pos) {
        const std::string& l = lines[static_cast<size_t>(line)];
        return pos < static_cast<int>(l.size()) ? l[static_cast<size_t>(pos)] : '\0';
    };
    int pattern[2];
    int found = 0;
    for (int i = n - 1; i >= 0 && found < 2; --i) {
        if (lines[static_cast<size_t>(i)].size() >= 8)
            pattern[found++] = i;
    }
    int tally[3][10] = {};
    if (found == 2) {
        const int m = pattern[1] - 2;
        const int positions[3] = {1, 4, 7};
        for (int i = 0; i < m; ++i) {
            for (int p = 0; p < 3; ++p) {
                const int pos = positions[p];
                if (byteAt(i + 1, pos) == byteAt(pattern[0], pos) &&
                    byteAt(i, pos) == byteAt(pattern[1], pos)) {
                    const int digit = byteAt(i + 2, pos) - '0';
                    if (digit >= 0 && digit <= 9)
                        ++tally[p][digit];
                }
            }
        }
    }
    std::vector<std::string> cells[3];
    for (int p = 0; p < 3; ++p) {
        for (int d = 0; d <= 9; ++d) {
            char cell[32];
            std::snprintf(cell, sizeof cell, "%02d = [%d]", tally[p][d], d);
            cells[p].push_back(cell);
        }
        veltrix::test::ExchangeSortDescending(cells[p]);
    }
    std::string out;
    for (size_t r = 0; r < 10; ++r) {
        const std::string& a = cells[0][r];
        const std::string& b = cells[1][r];
        const std::string& c = cells[2][r];
        char digits[32];
        std::snprintf(digits, sizeof digits, "      [%c%c%c]\n", a[a.size() - 2], b[b.size() - 2],
                      c[c.size() - 2]);
        out += a + " " + b + " " + c + digits;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (veltrix::ThreeDigitFollowUpReport(text) != LiteralReport(text)) {
        std::fprintf(stderr, "three_digit_follow_up_fuzz: the report differs from the rule\n");
        std::abort();
    }
    return 0;
}
