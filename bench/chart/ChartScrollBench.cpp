// Scrolling a 10,000-row result box line by line: each step is a draw
// request (read the visible lines, compute the scene, label) and a repaint of
// the chart area into an offscreen image. The cost must not grow with the
// box's size: compare the first rows with the last ones.

#include "app/TrendDlg.h"
#include "chart/ChartPainter.h"
#include "chart/TrendChart.h"

#include <QApplication>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int kWindowWidth = 1011;
constexpr int kWindowHeight = 541;
constexpr int kRows = 10000;

QString ResultText(const char* lineEnd) {
    std::mt19937 random(5);
    QString text;
    for (int i = 0; i < kRows; ++i) {
        text += QString::number(20000 + i);
        for (int n = 0; n < 7; ++n)
            text += QString::asprintf(" %02d", 1 + static_cast<int>(random() % 33));
        text += QLatin1String(lineEnd);
    }
    return text;
}

// A result box alone, its lines read through the document as the window
// reads them; start is where the scrolling begins.
void ScrollBox(benchmark::State& state) {
    QPlainTextEdit box;
    box.setLineWrapMode(QPlainTextEdit::NoWrap);
    box.resize(309, 351);
    box.show();
    box.setPlainText(ResultText("\n"));
    QScrollBar* bar = box.verticalScrollBar();
    veltrix::ChartPainter chartPainter(veltrix::CreateChartFont());
    QImage image(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    const int start = static_cast<int>(state.range(0));
    int first = start;
    for (auto _ : state) {
        bar->setValue(first);
        veltrix::ChartInput input;
        input.clientHeight = kWindowHeight;
        input.recordCount = kRows;
        const int visible = bar->value();
        for (int i = 0; i < veltrix::kChartLinesRead; ++i) {
            const QTextBlock block = box.document()->findBlockByNumber(visible + i);
            input.lines.push_back(block.isValid() ? block.text().toStdString() : std::string());
        }
        const veltrix::ChartScene scene = veltrix::ComputeTrendChart("dlt", input);
        image.fill(QColor(240, 240, 240));
        QPainter painter(&image);
        chartPainter.Paint(painter, scene);
        painter.end();
        first = first + 1 < start + 500 ? first + 1 : start;
    }
}
BENCHMARK(ScrollBox)->Arg(0)->Arg(9400)->Unit(benchmark::kMicrosecond);

// The window itself: its result box scrolled a line, its draw request and
// its paint of the chart area; the second argument switches both chart
// options on (omission values and statistics rows over all 10,000 rows).
void ScrollWindow(benchmark::State& state) {
    veltrix::CTrendDlg dlg;
    if (dlg.m_editResult == nullptr) {
        state.SkipWithError("the window has no result box in this build");
        return;
    }
    dlg.m_bShowOmission = dlg.m_bShowStatistics = state.range(1) != 0;
    dlg.show();
    QCoreApplication::processEvents();
    dlg.SetResultBoxText(ResultText("\r\n").toStdString());
    QScrollBar* bar = dlg.m_editResult->verticalScrollBar();
    if (bar->maximum() < kRows - 100) {
        state.SkipWithError("the result box does not scroll through the rows");
        return;
    }
    QImage image(dlg.size(), QImage::Format_RGB32);
    const QRegion chartArea(0, 0, veltrix::kChartAreaWidth, dlg.height());
    const int start = static_cast<int>(state.range(0));
    int first = start;
    for (auto _ : state) {
        bar->setValue(first); // the window's scroll notification draws
        dlg.render(&image, QPoint(), chartArea);
        first = first + 1 < start + 500 ? first + 1 : start;
    }
}
BENCHMARK(ScrollWindow)
    ->Args({0, 0})
    ->Args({9400, 0})
    ->Args({0, 1})
    ->Args({9400, 1})
    ->Unit(benchmark::kMicrosecond);

} // namespace
