#include "update/feeds/FeedDraw.h"

#include "common/Strings.h"
#include "update/DrawLine.h"

#include <algorithm>
#include <map>

namespace veltrix {
namespace {

struct NumberRules {
    DrawShape shape;
    int mainLow = 0, mainHigh = 9;
    int backLow = 0, backHigh = 9;
    bool lottoStyle = false; // main numbers distinct and kept ascending
    size_t issueDigits = 5;
};

NumberRules RulesFor(LotteryKind kind) {
    switch (kind) {
    case LotteryKind::Dlt:
        return {{5, 2}, 1, 35, 1, 12, true, 5};
    case LotteryKind::Ssq:
        return {{6, 1}, 1, 33, 1, 16, true, 7};
    case LotteryKind::P5:
        return {{5, 0}, 0, 9, 0, 0, false, 5};
    case LotteryKind::P3:
        return {{3, 0}, 0, 9, 0, 0, false, 5};
    case LotteryKind::ThreeD:
        return {{3, 0}, 0, 9, 0, 0, false, 7};
    case LotteryKind::SevenXc:
        // The seventh number has run from 0 to 14 since the 2020 rules.
        return {{6, 1}, 0, 9, 0, 14, false, 5};
    case LotteryKind::SevenLc:
        return {{7, 1}, 1, 30, 1, 30, true, 7};
    case LotteryKind::T22x5:
        break;
    }
    return {};
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsAsciiDigit);
}

bool TwoDigitNumbers(LotteryKind kind) {
    return kind == LotteryKind::Dlt || kind == LotteryKind::Ssq || kind == LotteryKind::SevenLc;
}

} // namespace

DrawShape FeedDrawShape(LotteryKind kind) {
    return RulesFor(kind).shape;
}

std::optional<std::string> NormalizeFeedIssue(LotteryKind kind, std::string_view text) {
    NumberRules rules = RulesFor(kind);
    if (rules.shape.mainCount == 0 || !AllDigits(text))
        return std::nullopt;
    std::string issue(text);
    bool shortForm = kind == LotteryKind::Ssq || kind == LotteryKind::SevenLc;
    if (shortForm && issue.size() == 5)
        issue = "20" + issue;
    if (issue.size() != rules.issueDigits)
        return std::nullopt;
    return issue;
}

std::optional<std::string> FeedDateOnly(std::string_view text) {
    if (text.size() < 10)
        return std::nullopt;
    std::string_view date = text.substr(0, 10);
    if (date[4] != '-' || date[7] != '-')
        return std::nullopt;
    // Whatever follows the date must be set off from it (a weekday in
    // brackets, a time after a blank), not more digits.
    if (text.size() > 10 && IsAsciiDigit(text[10]))
        return std::nullopt;
    return NormalizeDrawDate(date);
}

std::optional<std::vector<int>> ParseFeedNumbers(std::string_view text,
                                                 std::string_view separators) {
    std::vector<int> numbers;
    size_t start = 0;
    while (true) {
        size_t end = text.find_first_of(separators, start);
        std::string_view token = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (token.empty() || token.size() > 2 || !AllDigits(token))
            return std::nullopt;
        numbers.push_back(AtoiPrefix(token));
        if (end == std::string_view::npos)
            return numbers;
        start = end + 1;
    }
}

std::string FeedDrawError(std::string_view issue, std::string_view what) {
    return std::string("draw ") + std::string(issue) + ": " + std::string(what);
}

Status CheckFeedDraw(LotteryKind kind, FeedDraw* draw) {
    NumberRules rules = RulesFor(kind);
    auto main = static_cast<size_t>(rules.shape.mainCount);
    size_t expected = main + static_cast<size_t>(rules.shape.backCount);
    if (draw->numbers.size() != expected)
        return Fail(FeedDrawError(draw->issue, StrFormat("%zu numbers where the game draws %zu",
                                                         draw->numbers.size(), expected)));
    for (size_t i = 0; i < expected; ++i) {
        int low = i < main ? rules.mainLow : rules.backLow;
        int high = i < main ? rules.mainHigh : rules.backHigh;
        int n = draw->numbers[i];
        if (n < low || n > high)
            return Fail(
                FeedDrawError(draw->issue, StrFormat("number %d is outside %d..%d", n, low, high)));
    }
    if (!rules.lottoStyle)
        return Status::Ok();
    SortDrawNumbers(kind, &draw->numbers);
    auto first = draw->numbers.begin();
    auto last = first + static_cast<long>(main);
    if (std::adjacent_find(first, last) != last)
        return Fail(FeedDrawError(draw->issue, "a main number is drawn twice"));
    if (kind == LotteryKind::Dlt && draw->numbers[5] == draw->numbers[6])
        return Fail(FeedDrawError(draw->issue, "a back-zone number is drawn twice"));
    if (kind == LotteryKind::SevenLc && std::binary_search(first, first + 7, draw->numbers[7]))
        return Fail(FeedDrawError(draw->issue, "the special number is one of the main numbers"));
    return Status::Ok();
}

void SortDrawNumbers(LotteryKind kind, std::vector<int>* numbers) {
    NumberRules rules = RulesFor(kind);
    auto main = static_cast<size_t>(rules.shape.mainCount);
    if (!rules.lottoStyle || numbers->size() < main)
        return;
    std::sort(numbers->begin(), numbers->begin() + static_cast<long>(main));
    if (kind == LotteryKind::Dlt && numbers->size() == 7)
        std::sort(numbers->begin() + 5, numbers->end());
}

std::string FormatDrawFileText(LotteryKind kind, std::vector<FeedDraw> draws) {
    // Issues of a game have one width, so text order is number order.
    std::map<std::string, const FeedDraw*> byIssue;
    for (const FeedDraw& draw : draws)
        byIssue.emplace(draw.issue, &draw);
    bool twoDigits = TwoDigitNumbers(kind);
    std::string text;
    for (const auto& [issue, draw] : byIssue) {
        text += issue;
        text += ' ';
        text += draw->date;
        for (int n : draw->numbers)
            text += twoDigits ? StrFormat(" %02d", n) : StrFormat(" %d", n);
        text += "\r\n";
    }
    return text;
}

} // namespace veltrix
