// One chart frame as the window makes it: compute the scene for 50 result
// lines and paint it into an offscreen image of the window's size.

#include "chart/ChartPainter.h"
#include "chart/TrendChart.h"

#include <QApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int kWindowWidth = 1011;
constexpr int kWindowHeight = 541;

std::string ResultText(int rows) {
    std::mt19937 random(11);
    std::string text;
    for (int i = 0; i < rows; ++i) {
        text += std::to_string(20000 + i);
        for (int n = 0; n < 7; ++n) {
            const int v = 1 + static_cast<int>(random() % 33);
            text += v < 10 ? " 0" : " ";
            text += std::to_string(v);
        }
        text += "\r\n";
    }
    return text;
}

void Frame(benchmark::State& state, const char* command) {
    const std::string text = ResultText(60);
    veltrix::ChartInput input;
    input.clientHeight = kWindowHeight;
    input.recordCount = 60;
    input.lines = veltrix::ChartLinesFromText(text, 0);
    // The window keeps its painter, and so its rendered texts, between frames.
    veltrix::ChartPainter chartPainter(veltrix::CreateChartFont());
    QImage image(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        const veltrix::ChartScene scene = veltrix::ComputeTrendChart(command, input);
        image.fill(QColor(240, 240, 240));
        QPainter painter(&image);
        chartPainter.Paint(painter, scene);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK_CAPTURE(Frame, dlt, "select * from dlt")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Frame, ssq, "select * from ssq")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Frame, three_digit, "select * from 3d")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Frame, five_digit, "select * from p5")->Unit(benchmark::kMicrosecond);

// A frame with both options on, over a 10,000-row result text scrolled to
// its top, middle and end: the history of the whole text is computed once
// per text (the window keeps it until the text changes; each frame only
// compares the text), so a frame must cost the same wherever it is scrolled.
void FrameWithOptions(benchmark::State& state, const char* command) {
    const std::string text = ResultText(10000);
    const std::string seen = text; // what the window compares with on each frame
    const veltrix::ChartLayout layout = veltrix::ChooseChartLayout(command);
    const veltrix::ChartHistory history = veltrix::ChartHistoryOfText(layout, text);
    veltrix::ChartInput input;
    input.clientHeight = kWindowHeight;
    input.recordCount = 10000;
    input.firstLine = static_cast<int>(state.range(0));
    input.lines = veltrix::ChartLinesFromText(text, input.firstLine);
    input.omission = true;
    input.statistics = true;
    input.history = &history;
    veltrix::ChartPainter chartPainter(veltrix::CreateChartFont());
    QImage image(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        benchmark::DoNotOptimize(seen == text);
        const veltrix::ChartScene scene = veltrix::ComputeChartScene(layout, input);
        image.fill(QColor(240, 240, 240));
        QPainter painter(&image);
        chartPainter.Paint(painter, scene);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK_CAPTURE(FrameWithOptions, dlt, "select * from dlt")
    ->Arg(0)
    ->Arg(5000)
    ->Arg(9970)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FrameWithOptions, ssq, "select * from ssq")
    ->Arg(0)
    ->Arg(9970)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FrameWithOptions, five_digit, "select * from p5")
    ->Arg(0)
    ->Arg(9970)
    ->Unit(benchmark::kMicrosecond);

// The history itself, computed when the text or the layout changes.
void HistoryOf10000Rows(benchmark::State& state) {
    const std::string text = ResultText(10000);
    for (auto _ : state)
        benchmark::DoNotOptimize(veltrix::ChartHistoryOfText(veltrix::ChartLayout::Dlt, text));
}
BENCHMARK(HistoryOf10000Rows)->Unit(benchmark::kMillisecond);

// Painting alone, to see how a frame splits; and a first frame, which
// renders every text anew (the PNG exporter's case).
void PaintOnly(benchmark::State& state) {
    veltrix::ChartInput input;
    input.clientHeight = kWindowHeight;
    input.lines = veltrix::ChartLinesFromText(ResultText(60), 0);
    const veltrix::ChartScene scene = veltrix::ComputeTrendChart("dlt", input);
    veltrix::ChartPainter chartPainter(veltrix::CreateChartFont());
    QImage image(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        chartPainter.Paint(painter, scene);
    }
}
BENCHMARK(PaintOnly)->Unit(benchmark::kMicrosecond);

void FirstFrame(benchmark::State& state) {
    veltrix::ChartInput input;
    input.clientHeight = kWindowHeight;
    input.lines = veltrix::ChartLinesFromText(ResultText(60), 0);
    const veltrix::ChartScene scene = veltrix::ComputeTrendChart("dlt", input);
    const QFont font = veltrix::CreateChartFont();
    QImage image(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        veltrix::PaintChartScene(painter, scene, font);
    }
}
BENCHMARK(FirstFrame)->Unit(benchmark::kMicrosecond);

void SceneBounds(benchmark::State& state) {
    veltrix::ChartInput input;
    input.clientHeight = kWindowHeight;
    input.lines = veltrix::ChartLinesFromText(ResultText(60), 0);
    const veltrix::ChartScene scene = veltrix::ComputeTrendChart("dlt", input);
    for (auto _ : state)
        benchmark::DoNotOptimize(veltrix::ChartSceneBounds(scene));
}
BENCHMARK(SceneBounds)->Unit(benchmark::kMicrosecond);

void MakeFont(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(veltrix::CreateChartFont());
}
BENCHMARK(MakeFont)->Unit(benchmark::kMicrosecond);

} // namespace
