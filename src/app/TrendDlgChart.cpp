// The trend chart in the window: a draw request reads the command text and
// the visible result lines, has the core compute the scene, sets the
// record-count label and asks for a repaint of what changes; the paint event
// only paints the last scene.

#include "app/TrendDlg.h"
#include "chart/ChartPainter.h"
#include "chart/TrendChart.h"

#include <QPaintEngine>
#include <QPainter>

namespace veltrix {

namespace {

ChartInput ReadChartInput(CTrendDlg& dlg, ChartLayout layout) {
    ChartInput input;
    input.clientHeight = dlg.height();
    input.recordCount = dlg.m_nCount;
    const int first = dlg.ResultFirstVisibleLine();
    input.lines.reserve(kChartLinesRead);
    for (int i = 0; i < kChartLinesRead; ++i)
        input.lines.push_back(dlg.ResultLine(first + i, kChartLineMaxBytes));
    input.omission = dlg.m_bShowOmission;
    input.statistics = dlg.m_bShowStatistics;
    if (input.omission || input.statistics) {
        input.history = dlg.ChartHistoryFor(layout);
        input.firstLine = first;
    }
    return input;
}

} // namespace

void CTrendDlg::DrawTrendChart() {
    switch (ChooseChartLayout(CommandBoxText())) {
    case ChartLayout::None:
        ShowChartScene({});
        return;
    case ChartLayout::Ssq:
        DrawSsqChart();
        return;
    case ChartLayout::ThreeDigit:
        DrawThreeDigitChart();
        return;
    case ChartLayout::FiveDigit:
        DrawFiveDigitChart();
        return;
    case ChartLayout::Dlt:
        ShowChartScene(
            ComputeChartScene(ChartLayout::Dlt, ReadChartInput(*this, ChartLayout::Dlt)));
        return;
    }
}

void CTrendDlg::DrawSsqChart() {
    ShowChartScene(ComputeChartScene(ChartLayout::Ssq, ReadChartInput(*this, ChartLayout::Ssq)));
}

void CTrendDlg::DrawThreeDigitChart() {
    ShowChartScene(
        ComputeChartScene(ChartLayout::ThreeDigit, ReadChartInput(*this, ChartLayout::ThreeDigit)));
}

void CTrendDlg::DrawFiveDigitChart() {
    ShowChartScene(
        ComputeChartScene(ChartLayout::FiveDigit, ReadChartInput(*this, ChartLayout::FiveDigit)));
}

void CTrendDlg::ShowChartScene(ChartScene scene) {
    for (const ChartPrimitive& primitive : scene.primitives) {
        if (const auto* label = std::get_if<ChartLabel>(&primitive))
            SetCountLabelText(label->text);
    }
    if (scene.primitives.empty()) {
        // Games without a chart draw nothing, and the area shows only the
        // window's background from the next repaint on, which is asked for
        // here: the window system keeps the old picture otherwise, even
        // across minimise and restore.
        const QRect old = ChartSceneBounds(m_chartScene);
        m_chartScene = {};
        if (!old.isEmpty())
            update(old);
        return;
    }
    // Typing below the visible rows, say, changes nothing on the chart.
    if (scene.primitives == m_chartScene.primitives)
        return;
    const QRect dirty = ChartSceneBounds(m_chartScene) | ChartSceneBounds(scene);
    m_chartScene = std::move(scene);
    update(dirty);
}

void CTrendDlg::PaintChart(QPainter& painter) {
    // The label beside the result box repaints the window behind it on every
    // count it shows; such a paint does not reach the chart.
    const QPaintEngine* engine = painter.paintEngine();
    if (engine && !engine->systemClip().isEmpty() &&
        !engine->systemClip().intersects(ChartSceneBounds(m_chartScene)))
        return;
    // m_font comes from CreateChartFont: a character cell 12 pixels high.
    if (!m_chartPainter)
        m_chartPainter = std::make_shared<ChartPainter>(m_font);
    m_chartPainter->Paint(painter, m_chartScene);
}

} // namespace veltrix
