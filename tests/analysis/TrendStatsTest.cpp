#include "analysis/TrendStats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <set>
#include <sstream>

namespace veltrix {
namespace {

// The printed table's lines, without the trailing line end.
std::vector<std::string> TableLines(std::string_view command, std::string_view text) {
    std::vector<std::string> lines;
    std::istringstream in(FormatTrendStatsTable(ComputeTrendStats(command, text)));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

constexpr const char* kDrawHeader = "行\t和值\t跨度\t奇偶\t大小\t区间\t012路\tAC\t重号\t连号";
constexpr const char* kNumberHeader = "号码\t出现次数\t当前遗漏\t平均遗漏\t最大遗漏\t最大连出";

TEST(TrendStats, GameIsTheFirstCatalogueTagFound) {
    const std::pair<const char*, LotteryKind> cases[] = {
        {"select * from ssq", LotteryKind::Ssq},
        {"", LotteryKind::Dlt},
        {"select * from 7xc, dlt", LotteryKind::Dlt},
        {"select * from P3", LotteryKind::P3},
        {"from 3d, p3", LotteryKind::P3},
        {"t22x5", LotteryKind::T22x5},
        {"7lc 7xc", LotteryKind::SevenXc},
        {"ap5", LotteryKind::P5},
    };
    for (const auto& [command, kind] : cases) {
        SCOPED_TRACE(command);
        EXPECT_EQ(StatsGameOf(command), kind);
    }
}

TEST(TrendStats, LinesThatAreNotDrawRows) {
    struct Case {
        const char* command;
        const char* text;
        size_t draws;
    };
    const Case cases[] = {
        {"dlt", "01 02 03 04 05 06", 0},    // too few numbers
        {"dlt", "01 02 03 04 05 13 01", 0}, // back number above 12
        {"dlt", "00 02 03 04 05 01 01", 0}, // 0 is not a pool number
        {"dlt", "01 02 03 04 36 01 02", 0}, // front number above 35
        {"dlt", "01 02 03 04 05 01 0000000000000000000000000000000000002", 1}, // by value
        {"dlt", "01 02 03 04 05 01 99999999999999999999999999999", 0},         // no overflow
        {"dlt", "01 02 03 04 05 01 02x", 0},                                   // "02x" is no number
        {"dlt", "01 02 03 04 05 01 02 x", 1},   // other tokens are ignored
        {"dlt", "01\t02 03 04 05 01 02 03", 0}, // a tab joins two tokens
        {"3d", "1 2 10", 0},                    // a digit above 9
        {"7xc", "1 2 3 4 5 6 15", 0},           // the seventh above 14
        {"7xc", "1 2 3 4 5 10 1", 0},           // the sixth above 9
        {"ssq", "", 0},
        {"ssq", "\r\n\r\n", 0},
        {"ssq", "01 02 03 04 05 06 16\n01 02 03 04 05 06 17\r\n", 1}, // LF ends a line too
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ComputeTrendStats(c.command, c.text).draws.size(), c.draws);
    }
}

TEST(TrendStats, TableListsZonesInOrder) {
    const std::vector<std::string> lines = TableLines("dlt", "01 02 03 04 05 01 02\r\n");
    ASSERT_EQ(lines.size(), 2u + 1u + 1u + 35u + 12u);
    EXPECT_EQ(lines[0], kDrawHeader);
    EXPECT_EQ(lines[1], "1\t15\t4\t3:2\t0:5\t5:0:0\t1:2:2\t0\t-\t5");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], kNumberHeader);
    EXPECT_EQ(lines[4], "01\t1\t0\t0\t0\t1");
    EXPECT_EQ(lines[38], "35\t0\t1\t1\t1\t0");
    EXPECT_EQ(lines[39], "+01\t1\t0\t0\t0\t1");
    EXPECT_EQ(lines.back(), "+12\t0\t1\t1\t1\t0");
    EXPECT_EQ(FormatTrendStatsTable(ComputeTrendStats("dlt", "no draws\r\n")),
              std::string(kDrawHeader) + "\n\n" + kNumberHeader + "\n")
        << "without draw rows: the two headers";
    // Digit games: "-" where a figure does not apply, "position:value" labels.
    const std::vector<std::string> digits = TableLines("7xc", "1 2 3 4 5 6 14\r\n");
    ASSERT_EQ(digits.size(), 4u + 6u * 10u + 15u);
    EXPECT_EQ(digits[1], "1\t21\t5\t3:3\t2:4\t-\t2:2:2\t-\t-\t-");
    EXPECT_EQ(digits.back(), "7:14\t1\t0\t0\t0\t1");
}

TEST(TrendStats, ReportAlignsColumnsForMonospace) {
    // Right-aligned columns: every line of a table is as wide as its header
    // when a Chinese character counts two columns.
    const std::string report = FormatTrendStatsReport(ComputeTrendStats(
        "ssq", "01 02 03 04 05 06 07\r\n10 11 12 13 14 15 16\r\n01 02 03 04 05 33 16\r\n"));
    auto width = [](const std::string& line) {
        size_t columns = 0;
        for (unsigned char c : line)
            columns += c < 0x80 ? 1 : c >= 0xC0 ? 2 : 0;
        return columns;
    };
    std::vector<std::vector<std::string>> tables(1);
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);) {
        if (line.empty())
            tables.emplace_back();
        else
            tables.back().push_back(line);
    }
    ASSERT_EQ(tables.size(), 2u);
    for (const std::vector<std::string>& table : tables) {
        ASSERT_GT(table.size(), 1u);
        for (const std::string& row : table)
            EXPECT_EQ(width(row), width(table.front())) << row;
    }
    EXPECT_EQ(report.rfind("行  和值", 0), 0u);
}

// The definitions recounted literally on random texts of every game: draw
// rows after an issue and a date, between lines that are none.
TEST(TrendStats, AgreesWithALiteralRecount) {
    struct Game {
        const char* command;
        std::vector<std::array<int, 3>> zones; // (count, lowest, top) per zone or position
        int figures;                           // how many numbers the row figures take
    };
    const std::array<int, 3> digit = {1, 0, 9};
    const Game games[] = {{"dlt", {{5, 1, 35}, {2, 1, 12}}, 5},
                          {"ssq", {{6, 1, 33}, {1, 1, 16}}, 6},
                          {"7lc", {{7, 1, 30}, {1, 1, 30}}, 7},
                          {"t22x5", {{5, 1, 22}}, 5},
                          {"3d", {digit, digit, digit}, 3},
                          {"p5", std::vector(5, digit), 5},
                          {"7xc", {digit, digit, digit, digit, digit, digit, {1, 0, 14}}, 6}};
    std::mt19937 random(20261207);
    for (const Game& game : games) {
        const bool positional = game.zones[0][1] == 0;
        for (int round = 0; round < 20; ++round) {
            SCOPED_TRACE(std::string(game.command) + " round " + std::to_string(round));
            std::vector<std::vector<int>> draws;
            std::string text;
            const int lines = std::uniform_int_distribution<int>(0, 30)(random);
            for (int i = 0; i < lines; ++i) {
                if (random() % 5 == 0) {
                    text += "2026-01-01 junk 99\r\n";
                    continue;
                }
                std::vector<int> numbers;
                for (auto [count, lo, top] : game.zones) {
                    // Narrow ranges, so numbers repeat and neighbour often.
                    for (int k = 0; k < count; ++k)
                        numbers.push_back(
                            std::uniform_int_distribution<int>(lo, std::min(top, lo + 6))(random));
                }
                draws.push_back(numbers);
                text += std::to_string(1000 + i) + " 2026-01-01";
                for (int v : numbers) {
                    text += v < 10 ? " 0" : " ";
                    text += std::to_string(v);
                }
                text += "\r\n";
            }
            const TrendStats stats = ComputeTrendStats(game.command, text);
            ASSERT_EQ(stats.draws.size(), draws.size());
            const int n = static_cast<int>(draws.size());

            // Per draw row.
            const int mainCount = game.figures;
            const int top = positional ? 9 : game.zones[0][2];
            for (int r = 0; r < n; ++r) {
                const std::vector<int> main(draws[r].begin(), draws[r].begin() + mainCount);
                const DrawRowFigures& f = stats.draws[static_cast<size_t>(r)];
                int sum = 0, odd = 0, big = 0;
                std::array<int, 3> intervals{}, roads{};
                for (int v : main) {
                    sum += v, odd += v % 2, big += 2 * v > top, ++roads[v % 3];
                    if (!positional)
                        ++intervals[(v - 1) / ((top + 2) / 3)];
                }
                EXPECT_EQ(f.sum, sum);
                EXPECT_EQ(f.span, *std::max_element(main.begin(), main.end()) -
                                      *std::min_element(main.begin(), main.end()));
                EXPECT_EQ(std::make_pair(f.odd, f.even), std::make_pair(odd, mainCount - odd));
                EXPECT_EQ(std::make_pair(f.big, f.small), std::make_pair(big, mainCount - big));
                EXPECT_EQ(f.roads, roads);
                if (positional) {
                    const std::array<int, 3> none = {kNotApplicable, kNotApplicable,
                                                     kNotApplicable};
                    EXPECT_EQ(f.intervals, none);
                    EXPECT_EQ(f.ac, kNotApplicable);
                    EXPECT_EQ(f.consecutive, kNotApplicable);
                    EXPECT_EQ(f.repeats, kNotApplicable);
                    continue;
                }
                EXPECT_EQ(f.intervals, intervals);
                std::set<int> differences;
                for (int a : main)
                    for (int b : main)
                        if (a > b)
                            differences.insert(a - b);
                EXPECT_EQ(f.ac, static_cast<int>(differences.size()) - (mainCount - 1));
                int neighbours = 0, repeats = 0;
                for (int v : main) {
                    neighbours += std::count(main.begin(), main.end(), v - 1) +
                                      std::count(main.begin(), main.end(), v + 1) >
                                  0;
                    // The row above counts in its main zone only.
                    if (r > 0)
                        repeats += std::count(draws[r - 1].begin(),
                                              draws[r - 1].begin() + mainCount, v) > 0;
                }
                EXPECT_EQ(f.consecutive, neighbours);
                EXPECT_EQ(f.repeats, r == 0 ? kNotApplicable : repeats);
            }

            // Per number: walk the zones' columns in the table's order.
            size_t column = 0, first = 0;
            for (auto [count, lo, top2] : game.zones) {
                for (int v = lo; v <= top2; ++v, ++column) {
                    if (n == 0)
                        continue;
                    ASSERT_LT(column, stats.numbers.size());
                    auto holds = [&](int r) {
                        return std::find(draws[r].begin() + first, draws[r].begin() + first + count,
                                         v) != draws[r].begin() + first + count;
                    };
                    int k = 0, longestWithout = 0, longestWith = 0, current = 0;
                    for (int a = 0; a < n; ++a) {
                        k += holds(a);
                        for (int b = a; b < n && !holds(b); ++b)
                            longestWithout = std::max(longestWithout, b - a + 1);
                        for (int b = a; b < n && holds(b); ++b)
                            longestWith = std::max(longestWith, b - a + 1);
                    }
                    for (int r = n - 1; r >= 0 && !holds(r); --r)
                        ++current;
                    const NumberTally& t = stats.numbers[column].tally;
                    EXPECT_EQ(t.count, k);
                    EXPECT_EQ(t.omission, current);
                    EXPECT_EQ(t.maxOmission, longestWithout);
                    EXPECT_EQ(t.maxRun, longestWith);
                    EXPECT_EQ(t.AverageOmission(n), (n - k) / (k + 1));
                }
                first += static_cast<size_t>(count);
            }
            EXPECT_EQ(stats.numbers.size(), n == 0 ? 0 : column);
        }
    }
}

} // namespace
} // namespace veltrix
