#pragma once
// The import of one game's draw file: asks for the newest stored issue, then
// inserts every line with a newer issue, one INSERT at a time through the
// statement runner, counting the rows in the title and putting the title
// back when done.
//
// Lines are read in pieces of at most 254 bytes (a longer line gives several
// pieces, each judged on its own); a UTF-8 byte-order mark before the first
// line is not part of it. Lines that are not newer, headings and blank lines
// are passed over. The first newer line the import cannot take (too few
// fields, a number that is not a plain integer, a date that is no real day,
// a database refusal other than a duplicate) ends the import there: a draw
// stored past a missing one would hide the gap for good, as the next import
// takes only issues newer than the newest stored one. A draw listed before it
// is drawn ("-" in its fields) ends the import quietly.
//
// The INSERTs run in transactions of at most kImportBatchLines lines, each
// committed before the next begins and at the end or at a stop; a killed
// import loses at most the batch under way, never a committed one, and the
// next import starts after the last committed draw. At the end the write-
// ahead log is copied into the database file.

#include "db/LotteryCatalogue.h"
#include "update/UpdatePorts.h"

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

inline constexpr int kImportBatchLines = 10'000;
// How many refusals and warnings a summary keeps in full.
inline constexpr size_t kImportProblemsKept = 20;

enum class ImportMode {
    Newer, // lines newer than the newest stored issue; the first bad one ends the import
    Fill,  // every line whose issue is not stored yet, wherever it falls; bad ones are refused
};

struct ImportOptions {
    ImportMode mode = ImportMode::Newer;
    const StopFlag* stop = nullptr; // set: the import commits and ends at the next line
    int batchLines = kImportBatchLines;
};

// A line (from 1) the import refused or warns about: which field (from 1, 0
// for the line as a whole), its column, its text and why.
struct ImportLineNote {
    int line = 0;
    int field = 0;
    std::string column;
    std::string value;
    std::string reason;
};

struct ImportSummary {
    bool fileOpened = false;
    bool readFailed = false;        // the file stopped giving bytes before its end
    bool newestQueryFailed = false; // every positive issue counted as new
    int newestIssue = 0;
    int inserted = 0;   // committed rows
    int passedOver = 0; // not newer (or stored already), headings, blank lines, repeats
    int refusedCount = 0;
    std::vector<ImportLineNote> refused; // the first kImportProblemsKept
    int warningCount = 0;
    std::vector<ImportLineNote> warnings; // numbers outside the game's range, stored as they are
    int notDrawnYetLine = 0;              // the import ended quietly at this line
    bool stoppedByUser = false;
    std::string lostBatch; // why the last batch did not reach the database

    // The line that ended the import, when a bad line did.
    const ImportLineNote* EndedAt() const;
    // The file was read to its end (or to a draw not drawn yet) and every
    // line was taken or passed over.
    bool Succeeded() const;
};

// Imports from an open stream; a null stream is a file that could not be
// opened (nothing happens but the title being put back).
ImportSummary ImportDraws(const LotteryInfo& game, std::istream* file, SqlRunner& runner,
                          TitleProgress& progress, const ImportOptions& options = {});

// Opens `path` as raw bytes (anything but a regular file counts as missing)
// and imports it.
ImportSummary ImportDrawFileAt(LotteryKind kind, const std::string& path, SqlRunner& runner,
                               TitleProgress& progress, const ImportOptions& options = {});

// The summary for people, first line "dlt: 3 inserted, 2910 passed over, 0
// refused" (or "dlt: nothing new, ..."), then one line per refusal, warning
// and other problem, each beginning with the game's code.
std::vector<std::string> DescribeImport(const LotteryInfo& game, const ImportSummary& summary);

} // namespace veltrix
