#pragma once
// The import of one game's draw file: asks for the newest stored issue, then
// inserts every line with a newer issue and enough well-formed fields, one
// INSERT at a time through the statement runner, counting the rows in the
// title and putting the title back when done.
//
// Lines are read in pieces of at most 254 bytes (a longer line gives several
// pieces, each judged on its own). A draw listed twice is inserted once (the
// first line wins); an INSERT that fails is not counted. An INSERT the table
// refuses (a duplicate key) is skipped; any other failure ends the import at
// that line, so that no draw is stored past one that is missing. What was
// skipped and why is returned for the callers that have somewhere to say it.

#include "db/LotteryCatalogue.h"
#include "update/UpdatePorts.h"

#include <array>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

enum class SkipReason {
    NotNewer,
    TooFewFields,
    BadIssue,
    BadNumber,
    BadDate,
    Duplicate,
    InsertFailed,
};
inline constexpr size_t kSkipReasonCount = 7;
// How many line numbers of each reason a summary keeps.
inline constexpr size_t kSkippedLinesKept = 5;

struct SkippedLines {
    int count = 0;
    std::vector<int> firstLines; // file line numbers, at most kSkippedLinesKept
};

struct ImportSummary {
    bool fileOpened = false;
    bool readFailed = false;        // the file stopped giving bytes before its end
    bool newestQueryFailed = false; // every positive issue counted as new
    int newestIssue = 0;
    int inserted = 0;
    int stoppedAtLine = 0; // the line whose row the database would not take
    std::array<SkippedLines, kSkipReasonCount> skipped{};

    const SkippedLines& Skipped(SkipReason reason) const {
        return skipped[static_cast<size_t>(reason)];
    }
    int SkippedTotal() const;
    // The file was read to its end and every statement ran.
    bool Succeeded() const;
};

// Imports from an open stream; a null stream is a file that could not be
// opened (nothing happens but the title being put back).
ImportSummary ImportDraws(const LotteryInfo& game, std::istream* file, SqlRunner& runner,
                          TitleProgress& progress);

// Opens `path` as raw bytes (anything but a regular file counts as missing)
// and imports it.
ImportSummary ImportDrawFileAt(LotteryKind kind, const std::string& path, SqlRunner& runner,
                               TitleProgress& progress);

std::string_view SkipReasonText(SkipReason reason);

// One line per reason that occurred, for the command-line tool's stderr:
// "12 lines not newer than the stored issue 26094 (lines 1, 2, 3, 4, 5, ...)".
std::vector<std::string> DescribeSkippedLines(const ImportSummary& summary);

} // namespace veltrix
