#include "update/DrawImport.h"

#include "common/Strings.h"
#include "update/DrawLine.h"
#include "update/DrawLineReader.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <unordered_set>

namespace veltrix {
namespace {

// The SQL state of a statement the table refused for its content: in a draw
// table, an issue stored already.
constexpr std::string_view kConstraintViolationState = "23000";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string Printable(std::string_view field) {
    while (!field.empty() && (field.back() == '\n' || field.back() == '\r'))
        field.remove_suffix(1);
    std::string out;
    for (char c : field.substr(0, 40))
        out += c == '\0' ? '?' : c;
    return out;
}

void Note(std::vector<ImportLineNote>* notes, int* count, ImportLineNote note) {
    ++*count;
    if (notes->size() < kImportProblemsKept)
        notes->push_back(std::move(note));
}

ImportLineNote FaultNote(const LotteryInfo& game, const std::vector<std::string_view>& fields,
                         const DrawLineVerdict& verdict, int line) {
    ImportLineNote note;
    note.line = line;
    note.field = verdict.field;
    note.column = std::string(DrawFieldColumn(game, verdict.field));
    if (verdict.field >= 1 && static_cast<size_t>(verdict.field) <= fields.size())
        note.value = Printable(fields[static_cast<size_t>(verdict.field - 1)]);
    note.reason = std::string(DrawLineFaultText(verdict.fault));
    if (verdict.fault == DrawLineFault::TooFewFields)
        note.reason += StrFormat(" (%zu of %d)", fields.size(), game.minTokenCount);
    return note;
}

void WarnAboutRange(const LotteryInfo& game, const std::vector<std::string_view>& fields, int line,
                    ImportSummary* summary) {
    const int used = static_cast<int>(DrawFieldsUsed(game, fields.size()));
    for (int field = 3; field <= used; ++field) {
        std::optional<DrawNumberRange> range = DrawFieldRange(game, field);
        if (!range)
            continue;
        int value = AtoiPrefix(fields[static_cast<size_t>(field - 1)]);
        if (value >= range->low && value <= range->high)
            continue;
        Note(&summary->warnings, &summary->warningCount,
             {line, field, std::string(DrawFieldColumn(game, field)),
              Printable(fields[static_cast<size_t>(field - 1)]),
              StrFormat("outside %d to %d, stored as it is", range->low, range->high)});
    }
}

// The issues stored already, for a fill.
Result<std::unordered_set<int>> StoredIssues(const LotteryInfo& game, SqlRunner& runner) {
    QueryOutcome stored = runner.Run("select qs from " + std::string(game.code));
    if (stored.failed)
        return Fail("the stored issues could not be read");
    std::unordered_set<int> issues;
    for (std::string_view line : SplitEditLines(stored.resultText))
        issues.insert(AtoiPrefix(line));
    return issues;
}

// Runs the INSERTs of one file in batches.
class BatchedInserts {
public:
    BatchedInserts(SqlRunner& runner, int batchLines)
        : m_runner(runner), m_batchLines(batchLines < 1 ? 1 : batchLines) {}

    // Opens a batch when none is open; fails saying why when it cannot.
    Status Ready() {
        if (m_open)
            return {};
        Status begun = m_runner.BeginBatch();
        m_open = begun.ok();
        return begun;
    }
    void Added() { ++m_pending; }
    bool Full() const { return m_pending >= m_batchLines; }
    int Pending() const { return m_pending; }

    // Commits what is pending; the count of rows that reached the database.
    Result<int> Commit() {
        if (!m_open)
            return 0;
        m_open = false;
        int rows = m_pending;
        m_pending = 0;
        if (Status committed = m_runner.CommitBatch(); !committed)
            return Fail(committed.error());
        return rows;
    }

private:
    SqlRunner& m_runner;
    int m_batchLines;
    bool m_open = false;
    int m_pending = 0;
};

} // namespace

const ImportLineNote* ImportSummary::EndedAt() const {
    return refusedCount > 0 && !refused.empty() ? &refused.front() : nullptr;
}

bool ImportSummary::Succeeded() const {
    return fileOpened && !readFailed && !newestQueryFailed && refusedCount == 0 && !stoppedByUser &&
           lostBatch.empty();
}

ImportSummary ImportDraws(const LotteryInfo& game, std::istream* file, SqlRunner& runner,
                          TitleProgress& progress, const ImportOptions& options) {
    ImportSummary summary;
    std::string savedTitle = progress.Title();
    if (!file) {
        progress.SetTitle(savedTitle);
        return summary;
    }
    summary.fileOpened = true;
    const bool fill = options.mode == ImportMode::Fill;
    std::unordered_set<int> stored;
    if (fill) {
        Result<std::unordered_set<int>> issues = StoredIssues(game, runner);
        summary.newestQueryFailed = !issues;
        if (issues)
            stored = std::move(*issues);
        summary.newestIssue = 0;
    } else {
        QueryOutcome newest = runner.Run(std::string(game.newestIssueQuery));
        summary.newestQueryFailed = newest.failed;
        summary.newestIssue = DrawIssueNumber(newest.resultText);
    }

    DrawLineReader reader(*file);
    BatchedInserts batch(runner, options.batchLines);
    std::vector<std::string_view> fields;
    std::unordered_set<int> offered; // issues whose INSERT has run
    std::string_view piece;
    bool first = true;
    int shown = 0; // the count in the title: rows inserted so far, committed or not
    while (reader.Next(&piece)) {
        if (StopRequested(options.stop)) {
            summary.stoppedByUser = true;
            break;
        }
        if (first && piece.starts_with(kByteOrderMark))
            piece.remove_prefix(kByteOrderMark.size());
        first = false;
        const int line = reader.LineNumber();
        SplitDrawFields(piece, &fields);
        DrawLineVerdict verdict = JudgeDrawLine(
            game, fields, fill ? std::numeric_limits<int>::min() : summary.newestIssue);
        if (fill && verdict.fault != DrawLineFault::NotNewer &&
            (verdict.issue <= 0 || stored.count(verdict.issue)))
            verdict.fault = DrawLineFault::NotNewer;
        if (verdict.fault == DrawLineFault::NotNewer || offered.count(verdict.issue)) {
            ++summary.passedOver;
            continue;
        }
        if (verdict.fault == DrawLineFault::NotDrawnYet) {
            if (fill) {
                ++summary.passedOver;
                continue;
            }
            summary.notDrawnYetLine = line;
            break;
        }
        if (verdict.fault != DrawLineFault::None) {
            Note(&summary.refused, &summary.refusedCount, FaultNote(game, fields, verdict, line));
            if (fill)
                continue;
            break;
        }
        if (Status ready = batch.Ready(); !ready) {
            Note(&summary.refused, &summary.refusedCount,
                 {line, 0, {}, {}, "the database refused a transaction: " + ready.error()});
            break;
        }
        QueryOutcome outcome = runner.Run(verdict.statement);
        if (outcome.failed) {
            // The table refuses a row whose issue it holds already (stored
            // under another spelling, "0100" for "100"): nothing is lost.
            if (outcome.sqlState == kConstraintViolationState) {
                ++summary.passedOver;
                offered.insert(verdict.issue);
                continue;
            }
            // Anything else is the database's (locked by another program,
            // read-only, full): the runner has said why.
            Note(&summary.refused, &summary.refusedCount,
                 {line, 0, {}, {}, "refused by the database (" + outcome.sqlState + ")"});
            if (fill)
                continue;
            break;
        }
        offered.insert(verdict.issue);
        WarnAboutRange(game, fields, line, &summary);
        batch.Added();
        progress.SetTitle(DrawProgressText(game, ++shown));
        if (batch.Full()) {
            Result<int> committed = batch.Commit();
            if (!committed) {
                summary.lostBatch = committed.error();
                break;
            }
            summary.inserted += *committed;
        }
    }
    summary.readFailed = reader.ReadFailed();
    int pending = batch.Pending();
    Result<int> committed = batch.Commit();
    summary.inserted += committed.value_or(0);
    if (!committed && summary.lostBatch.empty() && pending > 0)
        summary.lostBatch = committed.error();
    runner.Checkpoint();
    progress.SetTitle(savedTitle);
    return summary;
}

ImportSummary ImportDrawFileAt(LotteryKind kind, const std::string& path, SqlRunner& runner,
                               TitleProgress& progress, const ImportOptions& options) {
    std::error_code error;
    std::ifstream file;
    if (std::filesystem::is_regular_file(path, error))
        file.open(path, std::ios::in | std::ios::binary);
    return ImportDraws(Lottery(kind), file.is_open() ? &file : nullptr, runner, progress, options);
}

std::vector<std::string> DescribeImport(const LotteryInfo& game, const ImportSummary& summary) {
    const std::string code(game.code);
    std::vector<std::string> out;
    if (!summary.fileOpened) {
        out.push_back(code + ": no draw file");
        return out;
    }
    std::string counts = StrFormat("%d inserted, %d passed over, %d refused", summary.inserted,
                                   summary.passedOver, summary.refusedCount);
    if (summary.inserted == 0 && summary.Succeeded())
        out.push_back(code + ": nothing new (" + counts + ")");
    else
        out.push_back(code + ": " + counts);
    if (summary.newestQueryFailed)
        out.push_back(code + ": the stored issues could not be read; every line was taken as new");
    auto describe = [&code](const ImportLineNote& note) {
        std::string text = code + StrFormat(": line %d", note.line);
        if (note.field > 0)
            text += StrFormat(", field %d (%s)", note.field, note.column.c_str());
        if (!note.value.empty())
            text += " \"" + note.value + "\"";
        return text + ": " + note.reason;
    };
    for (const ImportLineNote& note : summary.refused) {
        std::string text = describe(note);
        if (&note == summary.EndedAt() && summary.refused.size() == 1 && summary.refusedCount == 1)
            text += note.field > 0
                        ? "; the import stopped there (correct the line and import again)"
                        : "; the import stopped there (import again to bring in the rest)";
        out.push_back(std::move(text));
    }
    if (summary.refusedCount > static_cast<int>(summary.refused.size()))
        out.push_back(code +
                      StrFormat(": %d more lines refused",
                                summary.refusedCount - static_cast<int>(summary.refused.size())));
    for (const ImportLineNote& note : summary.warnings)
        out.push_back(describe(note));
    if (summary.warningCount > static_cast<int>(summary.warnings.size()))
        out.push_back(code +
                      StrFormat(": %d more numbers outside the range",
                                summary.warningCount - static_cast<int>(summary.warnings.size())));
    if (!summary.lostBatch.empty())
        out.push_back(code + ": the last rows did not reach the database: " + summary.lostBatch);
    if (summary.readFailed)
        out.push_back(code + ": reading the file failed before its end");
    if (summary.stoppedByUser)
        out.push_back(code + ": stopped; the rows before were kept");
    return out;
}

} // namespace veltrix
