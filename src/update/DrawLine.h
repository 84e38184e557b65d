#pragma once
// Judging one draw-file line for the import and building its INSERT.
//
// A line is new when its issue (field 1, read as a signed integer from the
// start of the field) is greater than the newest stored issue and it has at
// least the game's minimum number of fields. On top of that the import refuses
// what would let a hostile file reach the database: the issue is quoted with
// its single quotes doubled, every number field must be a plain integer, and
// the draw date must be a real date, which is stored as "YYYY-MM-DD".

#include "db/LotteryCatalogue.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

// Why a line is not inserted. NotNewer lines are passed over; the others,
// on a line whose issue is newer, end the import there.
enum class DrawLineFault {
    None,
    NotNewer,     // issue not greater than the newest stored one (headings too)
    TooFewFields, // fewer fields than the game's INSERT needs
    BadIssue,     // the issue field holds a NUL byte
    BadNumber,    // a number field is not a plain integer
    BadDate,      // the date is not a real date in a known form
    NotDrawnYet,  // a draw that is listed before it is drawn ("-" for its numbers)
};

struct DrawLineVerdict {
    DrawLineFault fault = DrawLineFault::None;
    int issue = 0;
    int field = 0;         // the field (from 1) the fault was found in, 0 for none
    std::string statement; // the INSERT, when fault is None
};

// Why the fault stops a line, for the import's report ("not a real date").
std::string_view DrawLineFaultText(DrawLineFault fault);

// The column a field (from 1) of the game's lines goes to: "QS", "RQ", "H1".
std::string_view DrawFieldColumn(const LotteryInfo& game, int field);

// The range the game's numbers are drawn from, for the field (from 1), when
// the game has a known one for it.
struct DrawNumberRange {
    int low = 0;
    int high = 0;
};
std::optional<DrawNumberRange> DrawFieldRange(const LotteryInfo& game, int field);

// True when the bytes hold at least one line the import could take: an issue
// number followed by the game's fields (a heading may come first). An empty
// body or an HTML page holds none.
bool HoldsDrawLine(const LotteryInfo& game, std::string_view bytes);

// The issue number as the import compares it: C atoi on the field.
int DrawIssueNumber(std::string_view field);

// An optional sign, then 1 to 9 digits. When `endsLine` the field may end in
// the line's CR LF (or LF alone), which the statement keeps: the database
// takes it as white space.
bool IsPlainDrawNumber(std::string_view field, bool endsLine);

// "YYYY-M-D", "YYYY/M/D" or "YYYY.M.D" (month and day with one or two digits,
// one separator throughout) or "YYYYMMDD", as "YYYY-MM-DD"; nothing when the
// text is not such a date or names no real day.
std::optional<std::string> NormalizeDrawDate(std::string_view field);

// The text with every single quote doubled, for a quoted SQL literal.
std::string EscapeSqlQuotes(std::string_view text);

// Fills the game's INSERT format: the issue and the date quoted (their
// quotes doubled), the numbers as they are, NULL for columns past them.
std::string BuildDrawInsert(const LotteryInfo& game, std::string_view issue, std::string_view date,
                            std::span<const std::string_view> numbers);

// How many fields of a line of `fieldCount` fields the INSERT takes: the
// game's minimum token count, except for a 3d line of exactly five fields
// (issue, date and the three drawn digits, as the public feeds give 3d),
// which is taken with its test numbers S1..S3 NULL. A 3d line with six or
// seven fields is too short: its test numbers would be partly made up.
size_t DrawFieldsUsed(const LotteryInfo& game, size_t fieldCount);

// Judges a line already split into fields against the newest stored issue.
DrawLineVerdict JudgeDrawLine(const LotteryInfo& game, const std::vector<std::string_view>& fields,
                              int newestIssue);

// The progress text of the game with the running count in place of "%d".
std::string DrawProgressText(const LotteryInfo& game, int count);

} // namespace veltrix
