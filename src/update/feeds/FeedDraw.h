#pragma once
// One draw as a public draw-list feed reports it, checked against what the
// game's draws look like and turned into draw-file lines the import reads.
//
// Every feed parser ends in the same place: a list of draws with the issue in
// the width the tables use (7 digits for ssq, 3d and 7lc, 5 for the others),
// an ISO date and the numbers in the table's column order (main numbers, then
// the back zone). Anything else fails the feed; nothing half-checked reaches a
// draw file.

#include "common/Result.h"
#include "db/LotteryCatalogue.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

struct FeedDraw {
    std::string issue; // digits only, the table's width
    std::string date;  // "YYYY-MM-DD"
    std::vector<int> numbers;
};

// What a page (or a whole list) of a feed gave: the draws in the order the
// feed listed them and how many pages the feed says it has (1 for a whole
// list). A parser that finds the answer unusable fails instead.
struct FeedPage {
    std::vector<FeedDraw> draws;
    int pageCount = 1;
};

// How many main and back-zone numbers a game's draw has; {0, 0} for a game
// no feed serves (22选5).
struct DrawShape {
    int mainCount = 0;
    int backCount = 0;
};
DrawShape FeedDrawShape(LotteryKind kind);

// The issue as the table holds it: digits only, 5-digit ssq and 7lc issues
// get "20" in front (the feeds that list them short mean this century). None
// when the text is not an issue of the game's width.
std::optional<std::string> NormalizeFeedIssue(LotteryKind kind, std::string_view text);

// The date at the start of a feed's time text ("2026-01-25(日)",
// "2026-08-22 21:25:00"), as "YYYY-MM-DD"; none when it is no real date.
std::optional<std::string> FeedDateOnly(std::string_view text);

// Reads a list of small numbers separated by any of `separators`; none when
// an element is empty or not 1 or 2 digits.
std::optional<std::vector<int>> ParseFeedNumbers(std::string_view text,
                                                 std::string_view separators);

// Checks the count and ranges of the numbers (the main numbers of the lottery
// games distinct, the 七乐彩 special number not one of them) and puts the
// main numbers and the dlt back zone in ascending order, as the tables keep
// them. Fails saying why the draw is not one of the game's.
Status CheckFeedDraw(LotteryKind kind, FeedDraw* draw);

// The numbers in the order the tables keep them: the main numbers of dlt,
// ssq and 7lc ascending, and the dlt back zone too; other games as drawn.
void SortDrawNumbers(LotteryKind kind, std::vector<int>* numbers);

// The draw-file text: one line per draw, oldest first, "ISSUE DATE N1 N2 ...",
// two-digit numbers for dlt, ssq and 7lc, CR LF after every line. Two draws
// with one issue keep only the first.
std::string FormatDrawFileText(LotteryKind kind, std::vector<FeedDraw> draws);

// Builds the error text for a draw: "draw 2026011: <what>".
std::string FeedDrawError(std::string_view issue, std::string_view what);

} // namespace veltrix
