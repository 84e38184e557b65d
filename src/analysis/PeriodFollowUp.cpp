#include "analysis/PeriodFollowUp.h"

#include "analysis/BoxLines.h"
#include "analysis/CellSort.h"
#include "common/Strings.h"
#include "db/LotteryCatalogue.h"

namespace veltrix {
namespace {

constexpr size_t kLineMaxBytes = 20;
constexpr int kColumns = 7;
constexpr int kHighestReported = 35;
constexpr int kHighestCounted = 36;

using RowValues = std::array<int, kColumns>;

RowValues ValuesOf(std::string_view line) {
    RowValues values{};
    for (int c = 0; c < kColumns; ++c)
        values[static_cast<size_t>(c)] = AtoiPrefix(RowField(line, c));
    return values;
}

} // namespace

int NormaliseRunLength(int runLength) {
    return runLength == 3 ? 3 : 2;
}

PeriodTally TallyPeriodFollowUps(const std::vector<std::string_view>& lines, int runLength) {
    PeriodTally tally{};
    const int run = NormaliseRunLength(runLength);
    const int lineCount = static_cast<int>(lines.size());

    // The pattern: the three lowest lines that reach all seven fields,
    // newest first.
    int pattern[3] = {-1, -1, -1};
    int found = 0;
    for (int i = lineCount - 1; i >= 0 && found < 3; --i) {
        if (lines[static_cast<size_t>(i)].size() >= kLineMaxBytes)
            pattern[found++] = i;
    }
    if (found < 3)
        return tally;

    // Every line down to the oldest pattern row plays a part in several
    // runs; read its values once.
    std::vector<RowValues> values;
    values.reserve(static_cast<size_t>(pattern[2]) + 1);
    for (int i = 0; i <= pattern[2]; ++i)
        values.push_back(ValuesOf(lines[static_cast<size_t>(i)]));
    const RowValues p0 = ValuesOf(lines[static_cast<size_t>(pattern[0])]);
    const RowValues p1 = ValuesOf(lines[static_cast<size_t>(pattern[1])]);
    const RowValues& p2 = values[static_cast<size_t>(pattern[2])];

    // Runs end at line i-1 (two rows) or line i (three rows), for i = 2 up
    // to the line just above the oldest pattern row; the follow line is the
    // next one.
    for (size_t i = 2; i + 1 <= static_cast<size_t>(pattern[2]); ++i) {
        const RowValues& a = values[i - 2];
        const RowValues& b = values[i - 1];
        const RowValues& c = values[i];
        const RowValues& follow = run == 3 ? values[i + 1] : values[i];
        for (size_t col = 0; col < kColumns; ++col) {
            bool matches = run == 2 ? (b[col] == p0[col] && a[col] == p1[col])
                                    : (c[col] == p0[col] && b[col] == p1[col] && a[col] == p2[col]);
            int value = follow[col];
            if (matches && value >= 1 && value <= kHighestCounted)
                ++tally[col][static_cast<size_t>(value)];
        }
    }
    return tally;
}

std::string PeriodReportText(const PeriodTally& tally, bool ssq) {
    std::array<std::vector<std::string>, kColumns> cells;
    for (size_t col = 0; col < kColumns; ++col) {
        for (int number = 1; number <= kHighestReported; ++number) {
            std::string cell;
            AppendInt(cell, tally[col][static_cast<size_t>(number)], 2, true);
            cell += "=[";
            AppendInt(cell, number, 2, true);
            cell += ']';
            cells[col].push_back(std::move(cell));
        }
        SortCellsDescending(cells[col]);
    }

    std::string out = ssq ? "'---H1------H2------H3------H4------H5------H6------L1\n"
                          : "'---H1------H2------H3------H4------H5------L1------L2\n";
    for (size_t r = 0; r < kHighestReported; ++r) {
        for (size_t col = 0; col < kColumns; ++col) {
            if (col > 0)
                out += ' ';
            const std::string& cell = cells[col][r];
            if (cell.compare(0, 2, "00") == 0)
                out += "       ";
            else
                out += cell;
        }
        out += '\n';
    }
    return out;
}

std::optional<PeriodReport> PeriodFollowUpReport(std::string_view boxText,
                                                 std::string_view commandText, int runLength) {
    std::vector<std::string_view> lines = BoxLines(boxText, kLineMaxBytes);
    if (lines.size() <= 3)
        return std::nullopt;
    bool ssq = CommandNamesGame(commandText, LotteryKind::Ssq);
    return PeriodReport{ssq ? "./SSQ_FX_QS.txt" : "./DLT_FX_QS.txt",
                        PeriodReportText(TallyPeriodFollowUps(lines, runLength), ssq)};
}

} // namespace veltrix
