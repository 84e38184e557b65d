#include "update/DrawCheck.h"

#include "common/Strings.h"
#include "update/DrawLine.h"

#include <algorithm>
#include <map>

namespace veltrix {
namespace {

long long IssueValue(const std::string& issue) {
    long long value = 0;
    for (char c : issue) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsAsciiDigit);
}

// A year's run of issues: the year's digits in front, the draw's number
// behind, which grows by one from draw to draw.
struct YearKey {
    std::string prefix; // "2024" or "24"
    size_t width = 0;   // of the whole issue
    bool operator<(const YearKey& other) const {
        return std::tie(prefix, width) < std::tie(other.prefix, other.width);
    }
};

void FindGaps(const std::string& code, const std::vector<StoredDraw>& draws,
              std::vector<std::string>* findings) {
    std::map<YearKey, std::vector<long long>> years;
    for (const StoredDraw& draw : draws) {
        if (!AllDigits(draw.issue) || draw.date.size() < 4)
            continue;
        std::string year = draw.date.substr(0, 4);
        for (size_t digits : {size_t{4}, size_t{2}}) {
            std::string prefix = year.substr(4 - digits);
            if (draw.issue.size() > digits + 1 && draw.issue.starts_with(prefix)) {
                years[{prefix, draw.issue.size()}].push_back(IssueValue(draw.issue.substr(digits)));
                break;
            }
        }
    }
    for (auto& [key, numbers] : years) {
        std::sort(numbers.begin(), numbers.end());
        std::string missing;
        int count = 0;
        const int sequenceWidth = static_cast<int>(key.width - key.prefix.size());
        for (size_t i = 1; i < numbers.size(); ++i) {
            for (long long n = numbers[i - 1] + 1; n < numbers[i]; ++n) {
                missing +=
                    (count++ ? ", " : "") + key.prefix + StrFormat("%0*lld", sequenceWidth, n);
            }
        }
        if (count > 0)
            findings->push_back(code +
                                StrFormat(": %d issue%s missing in %s: ", count,
                                          count == 1 ? "" : "s", key.prefix.c_str()) +
                                missing);
    }
}

} // namespace

std::string DrawCheckQuery(const LotteryInfo& game) {
    std::string sql = "select qs, format(rq,'yyyy-mm-dd')";
    for (int field = 3; field <= game.minTokenCount; ++field)
        sql += ", " + ToLowerAscii(DrawFieldColumn(game, field));
    return sql + " from " + std::string(game.code);
}

std::vector<StoredDraw> ParseStoredDraws(std::string_view resultText) {
    std::vector<StoredDraw> draws;
    for (std::string_view line : SplitEditLines(resultText)) {
        std::vector<std::string_view> fields;
        size_t at = 0;
        while (at <= line.size()) {
            size_t blank = line.find(' ', at);
            if (blank == std::string_view::npos)
                blank = line.size();
            fields.push_back(line.substr(at, blank - at));
            at = blank + 1;
        }
        if (fields.size() < 2 || fields[0].empty())
            continue;
        StoredDraw draw{std::string(fields[0]), std::string(fields[1]), {}};
        for (size_t i = 2; i < fields.size(); ++i)
            draw.numbers.emplace_back(fields[i]);
        draws.push_back(std::move(draw));
    }
    return draws;
}

std::vector<std::string> CheckDraws(const LotteryInfo& game, std::vector<StoredDraw> draws) {
    const std::string code(game.code);
    std::vector<std::string> findings;
    std::stable_sort(draws.begin(), draws.end(), [](const StoredDraw& a, const StoredDraw& b) {
        return IssueValue(a.issue) < IssueValue(b.issue);
    });

    std::map<size_t, std::string> widths; // width -> first issue of that width
    for (const StoredDraw& draw : draws)
        widths.emplace(draw.issue.size(), draw.issue);
    if (widths.size() > 1) {
        std::string text = code + ": issue numbers change width:";
        for (const auto& [width, issue] : widths)
            text += StrFormat(" %zu digits (first %s)", width, issue.c_str());
        findings.push_back(text);
    }

    FindGaps(code, draws, &findings);

    std::map<std::string, std::string> byDate; // date -> first issue drawn on it
    for (size_t i = 0; i < draws.size(); ++i) {
        const StoredDraw& draw = draws[i];
        if (i > 0 && !draw.date.empty() && draw.date < draws[i - 1].date)
            findings.push_back(code + ": issue " + draw.issue + " is dated " + draw.date +
                               ", before issue " + draws[i - 1].issue + " (" + draws[i - 1].date +
                               ")");
        auto [at, inserted] = byDate.emplace(draw.date, draw.issue);
        if (!inserted && !draw.date.empty())
            findings.push_back(code + ": issues " + at->second + " and " + draw.issue +
                               " are both dated " + draw.date);
        for (size_t n = 0; n < draw.numbers.size(); ++n) {
            const int field = static_cast<int>(n) + 3;
            std::optional<DrawNumberRange> range = DrawFieldRange(game, field);
            int value = AtoiPrefix(draw.numbers[n]);
            if (range && (value < range->low || value > range->high || draw.numbers[n].empty()))
                findings.push_back(code + ": issue " + draw.issue + " " +
                                   std::string(DrawFieldColumn(game, field)) + " = " +
                                   draw.numbers[n] +
                                   StrFormat(", outside %d to %d", range->low, range->high));
        }
    }
    return findings;
}

} // namespace veltrix
