// Draw-file bytes → line pieces → fields → the INSERT of each new line, run
// on an in-memory draw database; then the whole import over the same bytes.
//
// Input: byte 0 picks the game, byte 1 what the newest-issue query answers,
// the rest is the draw file.
//
// What must hold, whatever the file holds (quotes, SQL text, NUL bytes,
// invalid UTF-8, CR-only line ends, lines of any length):
// - the pieces are the file cut at line feeds and at 254 bytes, nothing lost
//   or added; the fields are the piece's runs of non-blank bytes;
// - every INSERT built for a new line translates as one Jet statement and,
//   run on the database, inserts exactly one row into the game's table and
//   nothing else (the authorizer allows nothing else), and the stored row
//   holds the line's issue byte for byte, its date and its numbers;
// - the import offers exactly those INSERTs, in file order, each issue once,
//   up to the first newer piece it cannot take (which ends it); it accounts
//   for every piece before that as inserted or passed over, counts in the
//   title and puts the title back.

#include "FuzzSandbox.h"
#include "db/JetDialect.h"
#include "db/LotteryCatalogue.h"
#include "fakes/UpdateFakes.h"
#include "update/DrawImport.h"
#include "update/DrawLine.h"
#include "update/DrawLineReader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>
#include <sqlite3.h>
#include <sstream>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

using namespace veltrix;

[[noreturn]] void Fail(const char* what, std::string_view detail = {}) {
    std::fprintf(stderr, "draw_file_fuzz: %s: %.*s\n", what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

sqlite3* Sandbox() {
    static sqlite3* db = fuzz::OpenSandboxDatabase("");
    if (!db)
        Fail("no sandbox database");
    return db;
}

struct NewestAnswer {
    const char* text;
    bool failed;
};

// What the newest-issue query answers: an empty table, stored issues of
// several sizes, a failed query.
constexpr NewestAnswer kNewestAnswers[] = {
    {"", false},       {"07001\r\n", false},      {"26094\r\n", false},
    {"-5\r\n", false}, {"2147483647\r\n", false}, {"", true},
};

// The plain integer a number field holds (its CR LF, if it ends the line,
// dropped).
long long NumberValue(std::string_view field) {
    std::string text(field);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return std::strtoll(text.c_str(), nullptr, 10);
}

std::string ColumnText(sqlite3_stmt* stmt, int column) {
    const unsigned char* text = sqlite3_column_text(stmt, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<size_t>(sqlite3_column_bytes(stmt, column)))
                : std::string();
}

// Runs one built INSERT on the database inside its own savepoint and checks
// what it stored against the line's fields.
void CheckInsert(const LotteryInfo& game, const std::string& statement,
                 const std::vector<std::string_view>& fields) {
    JetTranslation translation = TranslateJetSql(statement, nullptr);
    if (!translation.ok)
        Fail("a built INSERT does not translate", statement + " -> " + translation.error);

    sqlite3* db = Sandbox();
    fuzz::SandboxScope scope(db);
    bool strayAction = false;
    fuzz::SetSandboxPolicy([&](int action, const char* arg1, const char*) {
        bool allowed =
            (action == SQLITE_INSERT && arg1 && game.code == arg1) || action == SQLITE_FUNCTION;
        strayAction = strayAction || !allowed;
        return allowed;
    });
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db, translation.sql.c_str(), -1, &stmt, &tail);
    fuzz::SetSandboxPolicy({});
    if (strayAction)
        Fail("a built INSERT does more than insert into its table", translation.sql);
    if (rc != SQLITE_OK || !stmt)
        Fail("a built INSERT does not prepare", translation.sql + " : " + sqlite3_errmsg(db));
    for (; *tail; ++tail) {
        if (!std::strchr(" \t\r\n;", *tail))
            Fail("a built INSERT holds a second statement", translation.sql);
    }
    const sqlite3_int64 before = sqlite3_total_changes64(db);
    rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        Fail("a built INSERT fails", translation.sql + " : " + sqlite3_errmsg(db));
    if (sqlite3_total_changes64(db) - before != 1)
        Fail("a built INSERT does not insert exactly one row", translation.sql);

    // The row just stored, column by column in the INSERT's order.
    fuzz::HarnessMode harness;
    std::string read = "SELECT " + std::string(game.columns) + " FROM \"" + std::string(game.code) +
                       "\" WHERE rowid = last_insert_rowid()";
    sqlite3_stmt* row = nullptr;
    if (sqlite3_prepare_v2(db, read.c_str(), -1, &row, nullptr) != SQLITE_OK ||
        sqlite3_step(row) != SQLITE_ROW)
        Fail("the inserted row is not in the game's table", translation.sql);
    if (ColumnText(row, 0) != fields[0])
        Fail("the stored issue differs from the file's", translation.sql);
    std::optional<std::string> date = NormalizeDrawDate(fields[1]);
    if (!date || ColumnText(row, 1) != *date)
        Fail("the stored date differs from the file's", translation.sql);
    const int numbers = game.minTokenCount - 2;
    // A 3d line without test numbers stores them as NULL.
    const int given = static_cast<int>(DrawFieldsUsed(game, fields.size())) - 2;
    for (int k = 0; k < numbers; ++k) {
        bool stored = k < given ? sqlite3_column_type(row, 2 + k) == SQLITE_INTEGER &&
                                      sqlite3_column_int64(row, 2 + k) ==
                                          NumberValue(fields[static_cast<size_t>(2 + k)])
                                : sqlite3_column_type(row, 2 + k) == SQLITE_NULL;
        if (!stored)
            Fail("a stored number differs from the file's", translation.sql);
    }
    if (sqlite3_column_count(row) > 2 + numbers && ColumnText(row, 2 + numbers) != "")
        Fail("the dlt text column is not empty", translation.sql);
    sqlite3_finalize(row);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const LotteryInfo& game = AllLotteries()[data[0] % kLotteryCount];
    const NewestAnswer newest = kNewestAnswers[data[1] % std::size(kNewestAnswers)];
    const std::string file(reinterpret_cast<const char*>(data) + 2, size - 2);
    const int newestIssue = DrawIssueNumber(newest.text);

    // The pieces, the fields and the INSERT of every new line.
    std::istringstream in(file);
    DrawLineReader reader(in);
    std::string_view piece;
    std::string joined;
    std::vector<std::string_view> fields;
    std::vector<std::string> expected;
    std::unordered_set<int> offered;
    int pieces = 0;
    int piecesBeforeTheEnd = -1; // the import ends at the first bad newer piece
    int lineFeedsBefore = 0;
    while (reader.Next(&piece)) {
        ++pieces;
        if (piece.empty() || piece.size() > kDrawLinePieceLimit)
            Fail("a piece is empty or longer than the limit");
        const size_t feed = piece.find('\n');
        if (feed != std::string_view::npos && feed + 1 != piece.size())
            Fail("a piece runs past a line feed");
        if (feed == std::string_view::npos && piece.size() < kDrawLinePieceLimit &&
            joined.size() + piece.size() != file.size())
            Fail("a short piece without a line feed before the end of the file");
        if (reader.LineNumber() != lineFeedsBefore + 1)
            Fail("a piece has the wrong line number");
        lineFeedsBefore += feed != std::string_view::npos;
        joined += piece;
        if (pieces == 1 && piece.starts_with("\xEF\xBB\xBF"))
            piece.remove_prefix(3); // the byte-order mark is not part of the line

        SplitDrawFields(piece, &fields);
        size_t fieldBytes = 0;
        for (std::string_view field : fields) {
            if (field.empty() || field.find(' ') != std::string_view::npos)
                Fail("a field is empty or holds a blank");
            fieldBytes += field.size();
        }
        size_t blanks = 0;
        for (char c : piece)
            blanks += c == ' ';
        if (fieldBytes + blanks != piece.size())
            Fail("the fields lose bytes of the piece");

        DrawLineVerdict verdict = JudgeDrawLine(game, fields, newestIssue);
        if (verdict.fault == DrawLineFault::NotNewer || piecesBeforeTheEnd >= 0)
            continue;
        if (verdict.fault != DrawLineFault::None) {
            if (!offered.count(verdict.issue))
                piecesBeforeTheEnd = pieces - 1;
            continue;
        }
        if (verdict.issue <= newestIssue || fields.size() < DrawFieldsUsed(game, fields.size()))
            Fail("a line that is not new was accepted");
        CheckInsert(game, verdict.statement, fields);
        if (offered.insert(verdict.issue).second)
            expected.push_back(verdict.statement);
    }
    if (joined != file || reader.ReadFailed())
        Fail("the pieces are not the file");

    // The import over the same bytes.
    std::istringstream again(file);
    test::ScriptedRunner runner;
    runner.newestAnswer = newest.text;
    runner.fails = [&](const std::string& sql) {
        return newest.failed && sql == game.newestIssueQuery;
    };
    test::RecordingTitle title;
    ImportSummary summary = ImportDraws(game, &again, runner, title);
    if (runner.statements.empty() || runner.statements[0] != game.newestIssueQuery)
        Fail("the import does not start with the newest-issue query");
    if (!std::equal(runner.statements.begin() + 1, runner.statements.end(), expected.begin(),
                    expected.end()) ||
        summary.inserted != static_cast<int>(expected.size()))
        Fail("the import did not offer every new line once, and nothing else");
    const int judged = piecesBeforeTheEnd >= 0 ? piecesBeforeTheEnd : pieces;
    if (summary.inserted + summary.passedOver != judged)
        Fail("the import lost count of pieces");
    if ((piecesBeforeTheEnd >= 0) != (summary.refusedCount + (summary.notDrawnYetLine > 0) == 1))
        Fail("the import did not end at the first bad newer piece");
    if (title.title != "Veltrix" || title.history.size() != expected.size() + 1)
        Fail("the import's title steps are wrong");
    for (size_t i = 0; i < expected.size(); ++i) {
        if (title.history[i] != DrawProgressText(game, static_cast<int>(i + 1)))
            Fail("the import's progress text is wrong", title.history[i]);
    }
    return 0;
}
