#include "update/DrawImport.h"

#include "common/Strings.h"
#include "update/DrawLine.h"
#include "update/DrawLineReader.h"

#include <filesystem>
#include <fstream>
#include <unordered_set>

namespace veltrix {
namespace {

// The SQL state of a statement the table refused for its content.
constexpr std::string_view kConstraintViolationState = "23000";

SkipReason ReasonFor(DrawLineFault fault) {
    switch (fault) {
    case DrawLineFault::NotNewer:
        return SkipReason::NotNewer;
    case DrawLineFault::TooFewFields:
        return SkipReason::TooFewFields;
    case DrawLineFault::BadIssue:
        return SkipReason::BadIssue;
    case DrawLineFault::BadNumber:
        return SkipReason::BadNumber;
    case DrawLineFault::BadDate:
    case DrawLineFault::None:
        break;
    }
    return SkipReason::BadDate;
}

void Skip(ImportSummary* summary, SkipReason reason, int line) {
    SkippedLines& skipped = summary->skipped[static_cast<size_t>(reason)];
    ++skipped.count;
    // A long line read in pieces is still one line to the reader of the report.
    if (skipped.firstLines.size() < kSkippedLinesKept &&
        (skipped.firstLines.empty() || skipped.firstLines.back() != line))
        skipped.firstLines.push_back(line);
}

} // namespace

int ImportSummary::SkippedTotal() const {
    int total = 0;
    for (const SkippedLines& lines : skipped)
        total += lines.count;
    return total;
}

bool ImportSummary::Succeeded() const {
    return fileOpened && !readFailed && !newestQueryFailed &&
           Skipped(SkipReason::InsertFailed).count == 0;
}

ImportSummary ImportDraws(const LotteryInfo& game, std::istream* file, SqlRunner& runner,
                          TitleProgress& progress) {
    ImportSummary summary;
    std::string savedTitle = progress.Title();
    if (file) {
        summary.fileOpened = true;
        QueryOutcome newest = runner.Run(std::string(game.newestIssueQuery));
        summary.newestQueryFailed = newest.failed;
        summary.newestIssue = DrawIssueNumber(newest.resultText);

        DrawLineReader reader(*file);
        std::vector<std::string_view> fields;
        std::unordered_set<int> offered; // issues whose INSERT has run
        std::string_view piece;
        while (reader.Next(&piece)) {
            SplitDrawFields(piece, &fields);
            DrawLineVerdict verdict = JudgeDrawLine(game, fields, summary.newestIssue);
            if (verdict.fault != DrawLineFault::None) {
                Skip(&summary, ReasonFor(verdict.fault), reader.LineNumber());
                continue;
            }
            if (!offered.insert(verdict.issue).second) {
                Skip(&summary, SkipReason::Duplicate, reader.LineNumber());
                continue;
            }
            QueryOutcome outcome = runner.Run(verdict.statement);
            if (outcome.failed) {
                Skip(&summary, SkipReason::InsertFailed, reader.LineNumber());
                // A row the table refuses (its issue is stored already) is
                // skipped. Any other failure is the database's (locked by
                // another program, read-only, full, no table): going on would
                // store later draws past this one, and the next import, which
                // takes only issues newer than the newest stored one, would
                // never fill the gap. So the import ends here.
                if (outcome.sqlState != kConstraintViolationState) {
                    summary.stoppedAtLine = reader.LineNumber();
                    break;
                }
                continue;
            }
            ++summary.inserted;
            progress.SetTitle(DrawProgressText(game, summary.inserted));
        }
        summary.readFailed = reader.ReadFailed();
    }
    progress.SetTitle(savedTitle);
    return summary;
}

ImportSummary ImportDrawFileAt(LotteryKind kind, const std::string& path, SqlRunner& runner,
                               TitleProgress& progress) {
    std::error_code error;
    std::ifstream file;
    if (std::filesystem::is_regular_file(path, error))
        file.open(path, std::ios::in | std::ios::binary);
    return ImportDraws(Lottery(kind), file.is_open() ? &file : nullptr, runner, progress);
}

std::string_view SkipReasonText(SkipReason reason) {
    switch (reason) {
    case SkipReason::NotNewer:
        return "not newer than the stored issue";
    case SkipReason::TooFewFields:
        return "with too few fields";
    case SkipReason::BadIssue:
        return "with a NUL byte in the issue";
    case SkipReason::BadNumber:
        return "with a number field that is not a plain integer";
    case SkipReason::BadDate:
        return "with a date that is not a real date";
    case SkipReason::Duplicate:
        return "repeating an issue already imported from this file";
    case SkipReason::InsertFailed:
        return "refused by the database";
    }
    return "";
}

std::vector<std::string> DescribeSkippedLines(const ImportSummary& summary) {
    std::vector<std::string> out;
    for (size_t i = 0; i < kSkipReasonCount; ++i) {
        const SkippedLines& lines = summary.skipped[i];
        if (lines.count == 0)
            continue;
        auto reason = static_cast<SkipReason>(i);
        std::string text = std::to_string(lines.count) + (lines.count == 1 ? " line " : " lines ");
        text += SkipReasonText(reason);
        if (reason == SkipReason::NotNewer) {
            text += ' ';
            text += std::to_string(summary.newestIssue);
        }
        text += " (line";
        text += lines.firstLines.size() == 1 ? " " : "s ";
        for (size_t n = 0; n < lines.firstLines.size(); ++n) {
            if (n > 0)
                text += ", ";
            text += std::to_string(lines.firstLines[n]);
        }
        if (lines.count > static_cast<int>(lines.firstLines.size()))
            text += ", ...";
        text += ")";
        out.push_back(std::move(text));
    }
    return out;
}

} // namespace veltrix
