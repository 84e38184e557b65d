#include "analysis/ThreeDigitFollowUp.h"

#include "analysis/BoxLines.h"
#include "analysis/CellSort.h"
#include "common/Strings.h"

namespace veltrix {
namespace {

constexpr size_t kLineMaxBytes = 8;
constexpr size_t kDigitPositions[3] = {1, 4, 7};

} // namespace

ThreeDigitTally TallyThreeDigitFollowUps(const std::vector<std::string_view>& lines) {
    ThreeDigitTally tally{};
    const int lineCount = static_cast<int>(lines.size());

    // The pattern: the two lowest lines that hold all three digits.
    int pattern[2] = {-1, -1};
    int found = 0;
    for (int i = lineCount - 1; i >= 0 && found < 2; --i) {
        if (lines[static_cast<size_t>(i)].size() >= kLineMaxBytes)
            pattern[found++] = i;
    }
    if (found < 2)
        return tally;
    std::string_view newest = lines[static_cast<size_t>(pattern[0])];
    std::string_view older = lines[static_cast<size_t>(pattern[1])];

    // Pairs (i, i+1) followed by i+2, up to the follow line just above the
    // older pattern row.
    const int pairCount = pattern[1] - 2;
    for (int i = 0; i < pairCount; ++i) {
        std::string_view first = lines[static_cast<size_t>(i)];
        std::string_view second = lines[static_cast<size_t>(i) + 1];
        std::string_view follow = lines[static_cast<size_t>(i) + 2];
        for (size_t p = 0; p < 3; ++p) {
            size_t pos = kDigitPositions[p];
            if (ByteAt(second, pos) != ByteAt(newest, pos) ||
                ByteAt(first, pos) != ByteAt(older, pos))
                continue;
            int digit = ByteAt(follow, pos) - '0';
            if (digit >= 0 && digit <= 9)
                ++tally[p][static_cast<size_t>(digit)];
        }
    }
    return tally;
}

std::string ThreeDigitReportText(const ThreeDigitTally& tally) {
    std::array<std::vector<std::string>, 3> cells;
    for (size_t p = 0; p < 3; ++p) {
        for (int digit = 0; digit <= 9; ++digit) {
            std::string cell;
            AppendInt(cell, tally[p][static_cast<size_t>(digit)], 2, true);
            cell += " = [";
            AppendInt(cell, digit);
            cell += ']';
            cells[p].push_back(std::move(cell));
        }
        SortCellsDescending(cells[p]);
    }

    std::string out;
    for (size_t r = 0; r < 10; ++r) {
        out += cells[0][r];
        out += ' ';
        out += cells[1][r];
        out += ' ';
        out += cells[2][r];
        out += "      [";
        // The digit is the one before the closing bracket.
        for (size_t p = 0; p < 3; ++p)
            out += cells[p][r][cells[p][r].size() - 2];
        out += "]\n";
    }
    return out;
}

std::optional<std::string> ThreeDigitFollowUpReport(std::string_view boxText) {
    std::vector<std::string_view> lines = BoxLines(boxText, kLineMaxBytes);
    if (lines.size() <= 3)
        return std::nullopt;
    return ThreeDigitReportText(TallyThreeDigitFollowUps(lines));
}

} // namespace veltrix
