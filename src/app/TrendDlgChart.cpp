// Placeholder: the trend chart comes with the chart work.
#include "app/TrendDlg.h"

namespace veltrix {

void CTrendDlg::DrawTrendChart() {}
void CTrendDlg::DrawSsqChart() {}
void CTrendDlg::DrawThreeDigitChart() {}
void CTrendDlg::DrawFiveDigitChart() {}
void CTrendDlg::PaintChart(QPainter&) {}
void CTrendDlg::ShowChartScene(ChartScene scene) { m_chartScene = std::move(scene); }

} // namespace veltrix
