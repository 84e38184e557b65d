// Speed of the analysis buttons on large result texts: the number count of
// a 1 MB text, every report of "分   析" on 10,000 dlt rows (texts only, and
// with the files written), and the 1-2-3 and recurrence reports against the
// row-by-row rescans they replace.

#include "LiteralReports.h"
#include "analysis/BoxLines.h"
#include "analysis/GapReports.h"
#include "analysis/NumberCount.h"
#include "analysis/PeriodFollowUp.h"
#include "analysis/RecurrenceReport.h"
#include "analysis/RowAnalyses.h"
#include "analysis/TrendStats.h"
#include "common/FileOpener.h"
#include "common/MessageSink.h"
#include "common/Strings.h"
#include "fakes/TempDir.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace veltrix {
namespace {

// Draws as a dlt query lists them: five front numbers of 1..35 and two back
// numbers of 1..12, each sorted, two digits, CR LF after every row.
std::string DltResultText(int rows, unsigned seed = 1) {
    std::mt19937 random(seed);
    std::string text;
    for (int r = 0; r < rows; ++r) {
        std::vector<int> front(35);
        std::iota(front.begin(), front.end(), 1);
        std::shuffle(front.begin(), front.end(), random);
        std::sort(front.begin(), front.begin() + 5);
        std::vector<int> back(12);
        std::iota(back.begin(), back.end(), 1);
        std::shuffle(back.begin(), back.end(), random);
        std::sort(back.begin(), back.begin() + 2);
        text += StrFormat("%02d %02d %02d %02d %02d %02d %02d\r\n", front[0], front[1], front[2],
                          front[3], front[4], back[0], back[1]);
    }
    return text;
}

// Rows with an issue number in front, about 1 MB in all.
std::string OneMegabyteText() {
    std::string rows = DltResultText(36000, 2);
    std::string text;
    int issue = 7001;
    for (std::string_view row : SplitEditLines(rows)) {
        if (row.empty())
            continue;
        text += StrFormat("%05d ", issue++ % 100000);
        text += row;
        text += "\r\n";
    }
    return text;
}

class NullOpener : public FileOpener {
public:
    void OpenTextFile(const std::string&) override {}
};

class NullMessages : public MessageSink {
public:
    void ShowMessage(const std::string&, MessageIcon) override {}
};

void BM_NumberCount1MB(benchmark::State& state) {
    const std::string text = OneMegabyteText();
    for (auto _ : state)
        benchmark::DoNotOptimize(NumberCountText(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_NumberCount1MB)->Unit(benchmark::kMillisecond);

// Every report text "分   析" produces for dlt rows, as bytes on disk.
void BM_AllReportTexts(benchmark::State& state) {
    const std::string text = DltResultText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto gaps = GapReports(text, 7, "select * from dlt");
        auto period = PeriodFollowUpReport(text, "select * from dlt", 2);
        std::string scratch = ToTextModeBytes(text);
        std::string recurrence = RecurrenceReportText(scratch);
        benchmark::DoNotOptimize(ToTextModeBytes(gaps->gap));
        benchmark::DoNotOptimize(ToTextModeBytes(gaps->oneTwoThree));
        benchmark::DoNotOptimize(ToTextModeBytes(period->text));
        benchmark::DoNotOptimize(ToTextModeBytes(recurrence));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AllReportTexts)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// The whole button: texts, scratch file and the five files in a folder.
void BM_AnalyseRowsWithFiles(benchmark::State& state) {
    const std::string text = DltResultText(static_cast<int>(state.range(0)));
    test::TempDir dir;
    test::ScopedWorkingDirectory cwd(dir.Path());
    NullMessages messages;
    NullOpener opener;
    for (auto _ : state)
        AnalyseRowsOfText(text, "select * from dlt", 2, ReportServices{messages, opener});
}
BENCHMARK(BM_AnalyseRowsWithFiles)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_OneTwoThree(benchmark::State& state) {
    const std::string text = DltResultText(static_cast<int>(state.range(0)));
    std::vector<std::string_view> lines = BoxLines(text, 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(OneTwoThreeReportText(lines, 7, 5));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OneTwoThree)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// The rescan it replaces; slowest when keys do not recur (a short row's
// empty fields, or rows of another game's layout).
void BM_OneTwoThreeRowByRow(benchmark::State& state) {
    const std::string text = DltResultText(static_cast<int>(state.range(0)));
    std::vector<std::string_view> lines = BoxLines(text, 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(test::LiteralOneTwoThree(lines, 7, 5));
}
BENCHMARK(BM_OneTwoThreeRowByRow)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_GapReport(benchmark::State& state) {
    const std::string text = DltResultText(static_cast<int>(state.range(0)));
    std::vector<std::string_view> lines = BoxLines(text, 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(GapReportText(lines, 7));
}
BENCHMARK(BM_GapReport)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_PeriodReport(benchmark::State& state) {
    const std::string text = DltResultText(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(PeriodFollowUpReport(text, "select * from dlt", 3));
}
BENCHMARK(BM_PeriodReport)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_Recurrence(benchmark::State& state) {
    const std::string scratch = ToTextModeBytes(DltResultText(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(RecurrenceReportText(scratch));
}
BENCHMARK(BM_Recurrence)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_RecurrenceRowByRow(benchmark::State& state) {
    const std::string scratch = ToTextModeBytes(DltResultText(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(test::LiteralRecurrence(scratch));
}
BENCHMARK(BM_RecurrenceRowByRow)->Arg(10000)->Unit(benchmark::kMillisecond);

// The trend statistics of rows with an issue number and a date in front, as
// "select * from dlt" lists them: both tables computed, and printed.
void BM_TrendStats(benchmark::State& state) {
    const std::string rows = DltResultText(static_cast<int>(state.range(0)));
    std::string text;
    int issue = 2000001;
    for (std::string_view line : SplitEditLines(rows)) {
        if (!line.empty())
            text += std::to_string(issue++) + " 2026-01-01 " + std::string(line) + "\r\n";
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(
            FormatTrendStatsTable(ComputeTrendStats("select * from dlt", text)));
}
BENCHMARK(BM_TrendStats)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace veltrix
