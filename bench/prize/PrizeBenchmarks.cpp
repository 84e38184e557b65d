// Prize checks against the real ssq history (data/draws/ssq.txt, about 3500
// draws): the largest ticket, counted per draw, in memory and through the
// read-only database the programs use.
#include "common/DataDirectory.h"
#include "common/FileIO.h"
#include "db/DrawDatabase.h"
#include "fakes/TempDir.h"
#include "prize/PrizeDraws.h"
#include "prize/PrizeSession.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <sstream>

namespace veltrix::prize {
namespace {

// All 33 red and all 16 blue: 17,721,088 bets.
const char* kLargestSsq = "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 "
                          "24 25 26 27 28 29 30 31 32 33 + 01 02 03 04 05 06 07 08 09 10 11 12 "
                          "13 14 15 16";

std::vector<Draw> SsqHistory() {
    std::string text = ReadFileBytes(DataFile("draws/ssq.txt")).value_or("");
    std::vector<Draw> draws;
    std::istringstream lines(text);
    std::string issue, date;
    while (lines >> issue >> date) {
        Draw draw{issue, date, {}};
        int number = 0;
        for (int i = 0; i < 7 && lines >> number; ++i)
            (i < 6 ? draw.numbers.main : draw.numbers.extra).push_back(number);
        draws.push_back(std::move(draw));
    }
    return draws;
}

const PrizeRules& Rules() {
    static const PrizeRules rules = [] {
        return LoadPrizeRulesFile(PrizeRulesPath()).value_or(PrizeRules{});
    }();
    return rules;
}

Ticket LargestSsq() {
    Ticket ticket;
    TicketError error;
    ParseTicket(LotteryKind::Ssq, Play::Direct, false, kLargestSsq, &ticket, &error);
    return ticket;
}

void BM_LargestSsqAgainstEveryDraw(benchmark::State& state) {
    std::vector<Draw> draws = SsqHistory();
    Ticket ticket = LargestSsq();
    for (auto _ : state) {
        Result<CheckReport> report = CheckTicket(Rules(), ticket, draws);
        benchmark::DoNotOptimize(report->overall.bets);
    }
    state.counters["draws"] = static_cast<double>(draws.size());
}
BENCHMARK(BM_LargestSsqAgainstEveryDraw)->Unit(benchmark::kMillisecond);

// What `veltrix-cli prize ssq --all` and the window's "全部" do: parse, read
// every ssq draw from the database, count.
void BM_LargestSsqFromTheDatabase(benchmark::State& state) {
    test::TempDir dir;
    std::string path = dir.File("DLT.mdb");
    if (Status created = CreateDrawDatabase(path); !created)
        state.SkipWithError(created.error().c_str());
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (const Draw& draw : SsqHistory()) {
        std::string sql = "INSERT INTO ssq VALUES ('" + draw.issue + "','" + draw.date + "'";
        for (int n : draw.numbers.main)
            sql += "," + std::to_string(n);
        sql += "," + std::to_string(draw.numbers.extra.at(0)) + ")";
        sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    CheckRequest request;
    request.game = LotteryKind::Ssq;
    request.ticketText = kLargestSsq;
    request.scope.kind = ScopeKind::All;
    request.databasePath = path;
    for (auto _ : state)
        benchmark::DoNotOptimize(RunPrizeCheck(request, Rules()).report.overall.bets);
}
BENCHMARK(BM_LargestSsqFromTheDatabase)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace veltrix::prize
