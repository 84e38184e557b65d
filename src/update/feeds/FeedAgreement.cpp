#include "update/feeds/FeedAgreement.h"

#include "common/Strings.h"
#include "update/DrawLine.h"

#include <algorithm>
#include <map>

namespace veltrix {
namespace {

std::string NumbersText(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers) {
        text += text.empty() ? "" : " ";
        text += std::to_string(n);
    }
    return text;
}

std::vector<std::string_view> SplitBlanks(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t at = 0;
    while (at < line.size()) {
        size_t start = line.find_first_not_of(' ', at);
        if (start == std::string_view::npos)
            break;
        size_t end = line.find(' ', start);
        fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        at = end == std::string_view::npos ? line.size() : end;
    }
    return fields;
}

} // namespace

std::vector<FeedDraw> RepeatedDraws(std::span<const FeedDraw> answer, int newestStoredIssue) {
    std::vector<FeedDraw> repeated;
    for (const FeedDraw& draw : answer) {
        if (DrawIssueNumber(draw.issue) <= newestStoredIssue)
            repeated.push_back(draw);
    }
    std::sort(repeated.begin(), repeated.end(),
              [](const FeedDraw& a, const FeedDraw& b) { return a.issue > b.issue; });
    if (repeated.size() > kAgreementWindow)
        repeated.resize(kAgreementWindow);
    return repeated;
}

std::string StoredDrawsQuery(LotteryKind kind, std::string_view lowIssue,
                             std::string_view highIssue) {
    const LotteryInfo& game = Lottery(kind);
    std::string columns = "qs,rq";
    std::string_view all = game.columns;
    while (!all.empty()) {
        size_t comma = all.find(',');
        std::string_view column = all.substr(0, comma);
        bool drawn = column != "QS" && column != "RQ" && column != "T" && !column.starts_with("S");
        if (drawn)
            columns += std::string(",") + ToLowerAscii(column);
        all = comma == std::string_view::npos ? std::string_view{} : all.substr(comma + 1);
    }
    // The issues are digits only (the feeds' answers are checked), so they
    // need no quoting beyond the quotes.
    return std::string("select ") + columns + " from " + std::string(game.code) + " where qs>='" +
           std::string(lowIssue) + "' and qs<='" + std::string(highIssue) + "'";
}

std::string FindDisagreement(LotteryKind kind, std::span<const FeedDraw> repeated,
                             std::string_view storedRows) {
    std::map<std::string, FeedDraw> stored;
    for (std::string_view line : SplitEditLines(storedRows)) {
        std::vector<std::string_view> fields = SplitBlanks(line);
        if (fields.size() < 2)
            continue;
        FeedDraw draw{std::string(fields[0]), std::string(fields[1]), {}};
        for (size_t i = 2; i < fields.size(); ++i)
            draw.numbers.push_back(AtoiPrefix(fields[i]));
        SortDrawNumbers(kind, &draw.numbers);
        stored.emplace(draw.issue, std::move(draw));
    }
    for (const FeedDraw& draw : repeated) {
        auto it = stored.find(draw.issue);
        if (it == stored.end())
            continue;
        const FeedDraw& kept = it->second;
        std::optional<std::string> keptDate = NormalizeDrawDate(kept.date);
        if (keptDate.value_or(kept.date) != draw.date || kept.numbers != draw.numbers)
            return std::string("draw ") + draw.issue + " is " + draw.date + " " +
                   NumbersText(draw.numbers) + " in the feed but " + kept.date + " " +
                   NumbersText(kept.numbers) + " in the database";
    }
    return {};
}

} // namespace veltrix
