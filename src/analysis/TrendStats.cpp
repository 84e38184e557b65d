#include "analysis/TrendStats.h"

#include "analysis/ReportFiles.h"
#include "analysis/RowAnalyses.h"
#include "common/FileOpener.h"
#include "common/Strings.h"

#include <algorithm>
#include <bitset>

namespace veltrix {

namespace {

// What a game's draw row holds. Pool games draw mainCount numbers of 1..mainTop
// and extraCount of 1..extraTop; digit games one value per position, 0..9
// (七星彩's last position 0..14), of which the first figurePositions count
// for the row figures.
struct StatsGame {
    bool positional;
    int numbers;
    int mainCount, mainTop;
    int extraCount, extraTop;
    int lastPositionTop;
    int figurePositions;

    int PositionTop(int position) const { return position == numbers - 1 ? lastPositionTop : 9; }
    int FigureTop() const { return positional ? 9 : mainTop; }
    int FigureCount() const { return positional ? figurePositions : mainCount; }
};

StatsGame StatsFactsOf(LotteryKind kind) {
    switch (kind) {
    case LotteryKind::Dlt:
        return {false, 7, 5, 35, 2, 12, 0, 0};
    case LotteryKind::Ssq:
        return {false, 7, 6, 33, 1, 16, 0, 0};
    case LotteryKind::P5:
        return {true, 5, 0, 0, 0, 0, 9, 5};
    case LotteryKind::P3:
    case LotteryKind::ThreeD:
        return {true, 3, 0, 0, 0, 0, 9, 3};
    case LotteryKind::T22x5:
        return {false, 5, 5, 22, 0, 0, 0, 0};
    case LotteryKind::SevenXc:
        return {true, 7, 0, 0, 0, 0, 14, 6};
    case LotteryKind::SevenLc:
        return {false, 8, 7, 30, 1, 30, 0, 0};
    }
    return {false, 7, 5, 35, 2, 12, 0, 0};
}

// Any value too long to matter is taken as this: outside every range.
constexpr int kHugeValue = 1000000;

// The unsigned integer tokens of a line: runs of digits between spaces.
void ReadTokens(std::string_view line, std::vector<int>& values) {
    values.clear();
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ')
            ++i;
        const std::string_view token = line.substr(start, i - start);
        if (token.empty() || !std::all_of(token.begin(), token.end(), IsAsciiDigit))
            continue;
        const size_t first = std::min(token.find_first_not_of('0'), token.size());
        const std::string_view digits = token.substr(first);
        int value = 0;
        if (digits.size() > 6)
            value = kHugeValue;
        else
            for (char c : digits)
                value = value * 10 + (c - '0');
        values.push_back(value);
    }
}

bool InRange(const StatsGame& game, const int* numbers) {
    for (int i = 0; i < game.numbers; ++i) {
        const int v = numbers[i];
        const bool ok = game.positional      ? v <= game.PositionTop(i)
                        : i < game.mainCount ? v >= 1 && v <= game.mainTop
                                             : v >= 1 && v <= game.extraTop;
        if (!ok)
            return false;
    }
    return true;
}

DrawRowFigures FiguresOf(const StatsGame& game, const int* numbers, const int* above) {
    DrawRowFigures f;
    const int count = game.FigureCount();
    const int top = game.FigureTop();
    const int* end = numbers + count;
    f.span = *std::max_element(numbers, end) - *std::min_element(numbers, end);
    for (const int* p = numbers; p != end; ++p) {
        f.sum += *p;
        ++(*p % 2 != 0 ? f.odd : f.even);
        ++(2 * *p > top ? f.big : f.small);
        ++f.roads[static_cast<size_t>(*p % 3)];
    }
    if (game.positional)
        return f;

    const int third = (top + 2) / 3;
    f.intervals = {0, 0, 0};
    std::bitset<64> held, differences;
    for (const int* p = numbers; p != end; ++p) {
        ++f.intervals[static_cast<size_t>((*p - 1) / third)];
        held.set(static_cast<size_t>(*p));
        for (const int* q = numbers; q != p; ++q) {
            if (*p != *q)
                differences.set(static_cast<size_t>(std::abs(*p - *q)));
        }
    }
    f.ac = static_cast<int>(differences.count()) - (count - 1);
    f.consecutive = static_cast<int>(std::count_if(numbers, end, [&](int v) {
        return held.test(static_cast<size_t>(v - 1)) || held.test(static_cast<size_t>(v + 1));
    }));
    if (above != nullptr) {
        std::bitset<64> before;
        for (const int* p = above; p != above + count; ++p)
            before.set(static_cast<size_t>(*p));
        f.repeats = static_cast<int>(std::count_if(
            numbers, end, [&](int v) { return before.test(static_cast<size_t>(v)); }));
    }
    return f;
}

std::vector<NumberFigures> NumberColumns(const StatsGame& game) {
    std::vector<NumberFigures> columns;
    if (game.positional) {
        for (int p = 0; p < game.numbers; ++p)
            for (int v = 0; v <= game.PositionTop(p); ++v)
                columns.push_back({StrFormat("%d:%d", p + 1, v), {}});
        return columns;
    }
    for (int v = 1; v <= game.mainTop; ++v)
        columns.push_back({StrFormat("%02d", v), {}});
    if (game.extraCount > 0)
        for (int v = 1; v <= game.extraTop; ++v)
            columns.push_back({StrFormat("+%02d", v), {}});
    return columns;
}

// Marks the columns a draw row holds: by value in each zone, or by position.
void MarkHeld(const StatsGame& game, const int* numbers, std::vector<bool>& held) {
    std::fill(held.begin(), held.end(), false);
    if (game.positional) {
        size_t first = 0;
        for (int p = 0; p < game.numbers; ++p) {
            held[first + static_cast<size_t>(numbers[p])] = true;
            first += static_cast<size_t>(game.PositionTop(p)) + 1;
        }
        return;
    }
    for (int i = 0; i < game.numbers; ++i) {
        const size_t zoneStart = i < game.mainCount ? 0 : static_cast<size_t>(game.mainTop);
        held[zoneStart + static_cast<size_t>(numbers[i] - 1)] = true;
    }
}

std::string Figure(int value) {
    return value == kNotApplicable ? std::string("-") : std::to_string(value);
}

std::string Ratio(std::initializer_list<int> parts) {
    std::string out;
    for (int part : parts) {
        if (part == kNotApplicable)
            return "-";
        if (!out.empty())
            out += ':';
        out += std::to_string(part);
    }
    return out;
}

using Table = std::vector<std::vector<std::string>>;

std::pair<Table, Table> Tables(const TrendStats& stats) {
    Table draws{{"行", "和值", "跨度", "奇偶", "大小", "区间", "012路", "AC", "重号", "连号"}};
    int index = 0;
    for (const DrawRowFigures& f : stats.draws) {
        draws.push_back({std::to_string(++index), Figure(f.sum), Figure(f.span),
                         Ratio({f.odd, f.even}), Ratio({f.big, f.small}),
                         Ratio({f.intervals[0], f.intervals[1], f.intervals[2]}),
                         Ratio({f.roads[0], f.roads[1], f.roads[2]}), Figure(f.ac),
                         Figure(f.repeats), Figure(f.consecutive)});
    }
    Table numbers{{"号码", "出现次数", "当前遗漏", "平均遗漏", "最大遗漏", "最大连出"}};
    const int rows = static_cast<int>(stats.draws.size());
    for (const NumberFigures& n : stats.numbers) {
        const NumberTally& t = n.tally;
        numbers.push_back({n.label, Figure(t.count), Figure(t.omission),
                           Figure(t.AverageOmission(rows)), Figure(t.maxOmission),
                           Figure(t.maxRun)});
    }
    return {std::move(draws), std::move(numbers)};
}

// Columns a text takes in a monospace font: two for every non-ASCII character.
size_t DisplayWidth(std::string_view text) {
    size_t width = 0;
    for (unsigned char c : text) {
        if (c < 0x80)
            ++width;
        else if (c >= 0xC0)
            width += 2;
    }
    return width;
}

void AppendAligned(const Table& table, std::string& out) {
    std::vector<size_t> widths;
    for (const auto& row : table) {
        widths.resize(std::max(widths.size(), row.size()));
        for (size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    for (const auto& row : table) {
        for (size_t c = 0; c < row.size(); ++c) {
            if (c > 0)
                out += "  ";
            out.append(widths[c] - DisplayWidth(row[c]), ' ');
            out += row[c];
        }
        out += '\n';
    }
}

void AppendTabbed(const Table& table, std::string& out) {
    for (const auto& row : table) {
        for (size_t c = 0; c < row.size(); ++c) {
            if (c > 0)
                out += '\t';
            out += row[c];
        }
        out += '\n';
    }
}

} // namespace

LotteryKind StatsGameOf(std::string_view commandText) {
    for (LotteryKind kind : kCatalogueOrder) {
        if (CommandNamesGame(commandText, kind))
            return kind;
    }
    return LotteryKind::Dlt;
}

TrendStats ComputeTrendStats(std::string_view commandText, std::string_view resultText) {
    TrendStats stats;
    stats.game = StatsGameOf(commandText);
    const StatsGame game = StatsFactsOf(stats.game);
    std::vector<NumberFigures> columns = NumberColumns(game);
    std::vector<bool> held(columns.size());
    std::vector<int> tokens, previous;

    size_t pos = 0;
    while (pos <= resultText.size()) {
        size_t end = resultText.find('\n', pos);
        if (end == std::string_view::npos)
            end = resultText.size();
        std::string_view line = resultText.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        ReadTokens(line, tokens);
        if (tokens.size() < static_cast<size_t>(game.numbers))
            continue;
        const int* numbers = tokens.data() + tokens.size() - static_cast<size_t>(game.numbers);
        if (!InRange(game, numbers))
            continue;
        stats.draws.push_back(
            FiguresOf(game, numbers, previous.empty() ? nullptr : previous.data()));
        MarkHeld(game, numbers, held);
        for (size_t c = 0; c < columns.size(); ++c)
            columns[c].tally.Add(held[c]);
        previous.assign(numbers, numbers + game.numbers);
    }
    if (!stats.draws.empty())
        stats.numbers = std::move(columns);
    return stats;
}

std::string FormatTrendStatsTable(const TrendStats& stats) {
    auto [draws, numbers] = Tables(stats);
    std::string out;
    out.reserve((draws.size() + numbers.size()) * 32);
    AppendTabbed(draws, out);
    out += '\n';
    AppendTabbed(numbers, out);
    return out;
}

std::string FormatTrendStatsReport(const TrendStats& stats) {
    auto [draws, numbers] = Tables(stats);
    std::string out;
    AppendAligned(draws, out);
    out += '\n';
    AppendAligned(numbers, out);
    return out;
}

void WriteTrendStatsReport(std::string_view commandText, std::string_view resultText,
                           const ReportServices& services) {
    const std::string text = FormatTrendStatsReport(ComputeTrendStats(commandText, resultText));
    if (WriteReportFile(kTrendStatsReportPath, text, services.messages))
        services.opener.OpenTextFile(kTrendStatsReportPath);
}

} // namespace veltrix
