// Result text → period follow-up report, checked against the report's rule
// read step by step: lines cut to 20 bytes, seven atoi fields at bytes 0, 3,
// ..., 18, the newest three lines of 20 bytes as the pattern, runs of two or
// three rows and their follow line up to the oldest pattern row, values 1 to
// 36 tallied, cells "%02d=[%02d]" sorted by exchanges, blank cells of tally 0.
//
// Input: byte 0 picks the run length as the settings could give it and the
// command text; the rest is the result box's text.

#include "analysis/LiteralReports.h"
#include "analysis/PeriodFollowUp.h"
#include "common/Strings.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kRunLengths[] = {2, 3, 0, 1, 4, -3, 33};
constexpr const char* kCommands[] = {"select * from dlt", "select * from ssq", "Ssq", ""};

std::optional<veltrix::PeriodReport> LiteralReport(std::string_view text, std::string_view command,
                                                   int setting) {
    std::vector<std::string_view> lines = veltrix::SplitEditLines(text);
    for (std::string_view& line : lines)
        line = line.substr(0, 20);
    const int n = static_cast<int>(lines.size());
    if (n <= 3)
        return std::nullopt;
    const int w = setting < 2 || setting > 3 ? 2 : setting;
    auto value = [&](int line, int column) {
        return std::atoi(
            veltrix::test::LiteralField(lines[static_cast<size_t>(line)], column).c_str());
    };

    int pattern[3];
    int found = 0;
    for (int i = n - 1; i >= 0 && found < 3; --i) {
        if (lines[static_cast<size_t>(i)].size() >= 20)
            pattern[found++] = i;
    }
    int tally[7][37] = {};
    const int t = found == 3 ? pattern[2] : 0;
    const int m = t - 2;
    if (found == 3 && m > 0) {
        for (int i = 2; i <= m + 1; ++i) {
            for (int c = 0; c < 7; ++c) {
                bool matches = false;
                int follow = 0;
                if (w == 2) {
                    matches = value(i - 1, c) == value(pattern[0], c) &&
                              value(i - 2, c) == value(pattern[1], c);
                    follow = value(i, c);
                } else {
                    matches = value(i, c) == value(pattern[0], c) &&
                              value(i - 1, c) == value(pattern[1], c) &&
                              value(i - 2, c) == value(pattern[2], c);
                    follow = value(i + 1, c);
                }
                if (matches && follow >= 1 && follow <= 36)
                    ++tally[c][follow];
            }
        }
    }

    const bool ssq = veltrix::ToUpperAscii(command).find("SSQ") != std::string::npos;
    std::vector<std::string> cells[7];
    for (int c = 0; c < 7; ++c) {
        for (int v = 1; v <= 35; ++v) {
            char cell[32];
            std::snprintf(cell, sizeof cell, "%02d=[%02d]", tally[c][v], v);
            cells[c].push_back(cell);
        }
        veltrix::test::ExchangeSortDescending(cells[c]);
    }
    std::string out = ssq ? "'---H1------H2------H3------H4------H5------H6------L1\n"
                          : "'---H1------H2------H3------H4------H5------L1------L2\n";
    for (size_t r = 0; r < 35; ++r) {
        for (int c = 0; c < 7; ++c) {
            if (c > 0)
                out += ' ';
            out += cells[c][r].compare(0, 2, "00") == 0 ? std::string(7, ' ') : cells[c][r];
        }
        out += '\n';
    }
    return veltrix::PeriodReport{ssq ? "./SSQ_FX_QS.txt" : "./DLT_FX_QS.txt", out};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int runLength = kRunLengths[data[0] % std::size(kRunLengths)];
    const char* command = kCommands[data[0] / std::size(kRunLengths) % std::size(kCommands)];
    std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::optional<veltrix::PeriodReport> fast =
        veltrix::PeriodFollowUpReport(text, command, runLength);
    std::optional<veltrix::PeriodReport> literal = LiteralReport(text, command, runLength);
    if (fast.has_value() != literal.has_value() ||
        (fast && (fast->path != literal->path || fast->text != literal->text))) {
        std::fprintf(stderr, "period_follow_up_fuzz: the report differs from the rule\n");
        std::abort();
    }
    return 0;
}
