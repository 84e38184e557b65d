// The chart follows the result box: scrolling it changes the chart's first
// row. Until the main window's controls are in place this drives a result
// box and chart area set up the way the window wires them (draw request on
// every text change and vertical scroll, paint event paints the last scene);
// the window's own glue is checked by painting through CTrendDlg below.

#include "app/TrendDlg.h"
#include "chart/ChartPainter.h"
#include "chart/TrendChart.h"
#include "fakes/TempDir.h"

#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace veltrix {
namespace {

constexpr int kWidth = 1011;
constexpr int kHeight = 541;

class ScrollingChart : public QWidget {
public:
    ScrollingChart() : m_painter(CreateChartFont()) {
        setFixedSize(kWidth, kHeight);
        m_box = new QPlainTextEdit(this);
        m_box->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_box->setGeometry(697, 186, 309, 351);
        connect(m_box, &QPlainTextEdit::textChanged, this, &ScrollingChart::Draw);
        connect(m_box->verticalScrollBar(), &QScrollBar::valueChanged, this, &ScrollingChart::Draw);
    }

    QPlainTextEdit* Box() { return m_box; }
    int draws = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_painter.Paint(painter, m_scene);
    }

private:
    void Draw() {
        ++draws;
        ChartInput input;
        input.clientHeight = height();
        // Without wrapping, the scroll bar counts lines: its value is the
        // first visible line.
        const int first = m_box->verticalScrollBar()->value();
        for (int i = 0; i < kChartLinesRead; ++i) {
            const QTextBlock block = m_box->document()->findBlockByNumber(first + i);
            input.lines.push_back(block.isValid() ? block.text().toStdString() : std::string());
        }
        m_scene = ComputeTrendChart("select * from dlt", input);
        update();
    }

    QPlainTextEdit* m_box;
    ChartPainter m_painter;
    ChartScene m_scene;
};

// The DLT value whose red number stands in the first result row, read from
// the picture: red pixels in the row's cell (y 20 to 31) start at 14 v - 8 or
// a little right of it.
int FirstRowValue(const QImage& image) {
    for (int x = 0; x < 690; ++x) {
        for (int y = 20; y < 32; ++y) {
            if (image.pixelColor(x, y) == QColor(255, 0, 0))
                return (x + 8) / 14;
        }
    }
    return 0;
}

TEST(ChartScroll, FirstRowFollowsTheResultBox) {
    // Line i holds the single value i % 35 + 1, among 10,000 lines.
    QString text;
    for (int i = 0; i < 10000; ++i)
        text += QString::asprintf("%02d\n", i % 35 + 1);
    ScrollingChart chart;
    chart.show();
    chart.Box()->setPlainText(text);
    QScrollBar* bar = chart.Box()->verticalScrollBar();
    bar->setValue(0);
    EXPECT_EQ(FirstRowValue(chart.grab().toImage()), 1);

    ASSERT_GT(bar->maximum(), 9900);
    for (int first : {1, 10, 34, 35, 9900, 17}) {
        SCOPED_TRACE(first);
        const int drawsBefore = chart.draws;
        bar->setValue(first);
        EXPECT_GT(chart.draws, drawsBefore) << "a scroll asks for a draw";
        EXPECT_EQ(FirstRowValue(chart.grab().toImage()), first % 35 + 1);
    }
}

TEST(ChartInTheWindow, DrawRequestPaintsTheChartArea) {
    // Whatever the boxes hold at first (nothing), the DLT grid and bands are
    // painted by the window's paint event after a draw request.
    test::TempDir dir;
    test::ScopedWorkingDirectory cwd(dir.Path());
    CTrendDlg dlg;
    dlg.DrawTrendChart();
    const QImage image = dlg.grab().toImage();
    EXPECT_EQ(image.pixelColor(140, 300), QColor(245, 220, 220));
    EXPECT_EQ(image.pixelColor(600, 300), QColor(220, 220, 245));
    EXPECT_EQ(image.pixelColor(5, 300), QColor(200, 200, 255));
    EXPECT_EQ(image.pixelColor(100, 5), QColor(200, 200, 255));
}

} // namespace
} // namespace veltrix
