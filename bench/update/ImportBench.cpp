// The draw-file import through the statement runner into an empty table, as
// veltrix-cli import runs it (in batches, each one transaction), beside SQLite
// running the same INSERT texts on its own (each committing, and all in one
// transaction). The whole-process
// comparison with the sqlite3 shell is bench/update_import.sh.

#include "common/Strings.h"
#include "db/AdoConnection.h"
#include "db/DrawDatabase.h"
#include "fakes/TempDir.h"
#include "update/DrawImport.h"
#include "update/DrawLine.h"
#include "update/DrawLineReader.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <sstream>

namespace veltrix {
namespace {

std::string DltFile(int lines) {
    std::string text;
    text.reserve(static_cast<size_t>(lines) * 42);
    for (int i = 1; i <= lines; ++i) {
        int day = i % 28 + 1;
        text += StrFormat("%07d 2001-%02d-%02d %02d %02d %02d %02d %02d %02d %02d\r\n", i,
                          i % 12 + 1, day, i % 35 + 1, (i + 7) % 35 + 1, (i + 14) % 35 + 1,
                          (i + 21) % 35 + 1, (i + 28) % 35 + 1, i % 12 + 1, (i + 5) % 12 + 1);
    }
    return text;
}

std::vector<std::string> InsertsOf(const std::string& file) {
    std::istringstream in(file);
    DrawLineReader reader(in);
    std::vector<std::string_view> fields;
    std::vector<std::string> statements;
    std::string_view piece;
    while (reader.Next(&piece)) {
        SplitDrawFields(piece, &fields);
        statements.push_back(JudgeDrawLine(Lottery(LotteryKind::Dlt), fields, 0).statement);
    }
    return statements;
}

// A new draw database in `dir`, as initdb makes it; its path.
std::string EmptyDrawDatabase(const test::TempDir& dir, benchmark::State& state) {
    std::string path = dir.File("DLT.mdb");
    std::string error;
    if (!CreateDrawDatabase(path, &error))
        state.SkipWithError(error.c_str());
    return path;
}

class NullHost : public QueryHost {
public:
    std::string CommandTextForOrder() override { return {}; }
    void ShowMessage(const std::string& text, MessageIcon) override { failures.push_back(text); }
    std::vector<std::string> failures;
};

class NullTitle : public TitleProgress {
public:
    std::string Title() override { return m_title; }
    void SetTitle(const std::string& text) override { m_title = text; }

private:
    std::string m_title;
};

void BM_ImportThroughRunner(benchmark::State& state) {
    std::string file = DltFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        test::TempDir dir;
        std::string path = EmptyDrawDatabase(dir, state);
        CAdoConnection db;
        db.Open(path.c_str());
        NullHost host;
        ConnectionSqlRunner runner(db, host);
        NullTitle title;
        std::istringstream in(file);
        state.ResumeTiming();

        ImportSummary summary = ImportDraws(Lottery(LotteryKind::Dlt), &in, runner, title);
        if (summary.inserted != state.range(0))
            state.SkipWithError("not every line was inserted");

        state.PauseTiming();
        db.Close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ImportThroughRunner)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// SQLite alone on the same statements, same settings (WAL, synchronous NORMAL).
void SqliteAlone(benchmark::State& state, bool oneTransaction) {
    std::vector<std::string> statements = InsertsOf(DltFile(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        state.PauseTiming();
        test::TempDir dir;
        std::string path = EmptyDrawDatabase(dir, state);
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        sqlite3_exec(db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
        state.ResumeTiming();

        if (oneTransaction)
            sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        for (const std::string& sql : statements) {
            if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
                state.SkipWithError(sqlite3_errmsg(db));
        }
        if (oneTransaction)
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);

        state.PauseTiming();
        sqlite3_close(db);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SqliteEachCommitting(benchmark::State& state) {
    SqliteAlone(state, false);
}
BENCHMARK(BM_SqliteEachCommitting)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SqliteOneTransaction(benchmark::State& state) {
    SqliteAlone(state, true);
}
BENCHMARK(BM_SqliteOneTransaction)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The import's own work per line: reading, splitting, checking, building.
void BM_JudgeLines(benchmark::State& state) {
    std::string file = DltFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::istringstream in(file);
        DrawLineReader reader(in);
        std::vector<std::string_view> fields;
        std::string_view piece;
        size_t bytes = 0;
        while (reader.Next(&piece)) {
            SplitDrawFields(piece, &fields);
            bytes += JudgeDrawLine(Lottery(LotteryKind::Dlt), fields, 0).statement.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_JudgeLines)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace veltrix
