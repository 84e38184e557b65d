// Computing the chart's scene for a full screen of result lines: this runs on
// every scroll step of the result box.

#include "chart/TrendChart.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using veltrix::ChartInput;

// 50 lines of a query's result as the layout's game gives them.
ChartInput Lines(const char* command, int height) {
    std::mt19937 random(7);
    std::string text;
    for (int i = 0; i < 50; ++i) {
        std::string line = "24" + std::to_string(100 + i);
        const bool digits = std::string(command).find("p") != std::string::npos ||
                            std::string(command).find("3d") != std::string::npos;
        const int count = digits ? 5 : 7;
        for (int n = 0; n < count; ++n) {
            const int v =
                digits ? static_cast<int>(random() % 10) : 1 + static_cast<int>(random() % 33);
            line += v < 10 ? " 0" : " ";
            line += std::to_string(v);
        }
        text += line + "\r\n";
    }
    ChartInput input;
    input.clientHeight = height;
    input.recordCount = 50;
    input.lines = veltrix::ChartLinesFromText(text, 0);
    return input;
}

void Scene(benchmark::State& state, const char* command, int height) {
    const ChartInput input = Lines(command, height);
    size_t primitives = 0;
    for (auto _ : state) {
        veltrix::ChartScene scene = veltrix::ComputeTrendChart(command, input);
        primitives = scene.primitives.size();
        benchmark::DoNotOptimize(scene);
    }
    state.counters["primitives"] = static_cast<double>(primitives);
}

// 541: the window's client height (36 result rows); 700: a taller one that
// fills the 44-row table.
BENCHMARK_CAPTURE(Scene, dlt_541, "select * from dlt", 541);
BENCHMARK_CAPTURE(Scene, dlt_700, "select * from dlt", 700);
BENCHMARK_CAPTURE(Scene, ssq_541, "select * from ssq", 541);
BENCHMARK_CAPTURE(Scene, three_digit_541, "select * from 3d", 541);
BENCHMARK_CAPTURE(Scene, five_digit_541, "select * from p5", 541);

void LinesFromText(benchmark::State& state) {
    // The command-line path: find 50 lines in a 10,000-row text.
    std::string text;
    for (int i = 0; i < 10000; ++i)
        text += "24001 01 02 03 04 05 06 07\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(
            veltrix::ChartLinesFromText(text, static_cast<int>(state.range(0))));
}
BENCHMARK(LinesFromText)->Arg(0)->Arg(9950);

} // namespace
