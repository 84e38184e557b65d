// The chart in the main window: it follows the result box's text and its
// scrolling, sets the record-count label, and paints in the window's left
// area.

#include "common/Strings.h"
#include "gui/TrendDlgFixture.h"

#include <QScrollBar>

namespace veltrix::test {
namespace {

const QColor kBand2(245, 220, 220);
const QColor kBand4(220, 220, 245);
const QColor kGrid(200, 200, 255);

// The DLT value whose red number stands in the first result row, read from
// the picture: red pixels in the row's cell (y 20 to 31) start at 14 v - 8 or
// a little right of it. 0 when the row shows no number.
int FirstRowValue(const QImage& image) {
    for (int x = 0; x < 690; ++x) {
        for (int y = 20; y < 32; ++y) {
            if (image.pixelColor(x, y) == QColor(255, 0, 0))
                return (x + 8) / 14;
        }
    }
    return 0;
}

// Line i holds the single value i % 35 + 1.
std::string CountingLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += StrFormat("%02d\r\n", i % 35 + 1);
    return text;
}

class ChartWindowTest : public TrendDlgFixture {
protected:
    QImage Picture() { return dlg->grab().toImage(); }
};

TEST_F(ChartWindowTest, ScrollingTheResultBoxMovesTheFirstRow) {
    ReplaceTyped(CommandEdit(), QStringLiteral("select h1 from dlt"));
    dlg->m_nCount = 10000;
    dlg->SetResultBoxText(CountingLines(10000));
    QScrollBar* bar = ResultEdit()->verticalScrollBar();
    bar->setValue(0);
    EXPECT_EQ(FirstRowValue(Picture()), 1);
    EXPECT_EQ(CountLabel(), "10000");

    ASSERT_GT(bar->maximum(), 9900);
    for (int first : {1, 10, 34, 35, 9900, 17}) {
        SCOPED_TRACE(first);
        dlg->SetCountLabelText("");
        bar->setValue(first);
        EXPECT_EQ(dlg->ResultFirstVisibleLine(), first);
        EXPECT_EQ(FirstRowValue(Picture()), first % 35 + 1);
        EXPECT_EQ(CountLabel(), "10000") << "every draw sets the label";
    }
}

TEST_F(ChartWindowTest, QueryDrawsTheRowsLeftInViewAtTheEndAndItsCount) {
    // 100 draws whose H1 counts 1..35 over and over; the query leaves the
    // caret at the end of the box, so its last rows are what the box shows.
    std::string values;
    for (int i = 0; i < 100; ++i)
        values += StrFormat("%s('%05d', %d)", values.empty() ? "" : ", ", 25001 + i, i % 35 + 1);
    Exec("INSERT INTO dlt (QS, H1) VALUES " + values);
    ReplaceTyped(CommandEdit(), QStringLiteral("select format(h1,'00') from dlt order by qs"));
    Click(1002);
    ASSERT_EQ(dlg->ResultLineCount(), 101);
    const int first = dlg->ResultFirstVisibleLine();
    ASSERT_GT(first, 60);
    EXPECT_EQ(FirstRowValue(Picture()), first % 35 + 1);
    EXPECT_EQ(CountLabel(), "100");
}

TEST_F(ChartWindowTest, ChartAreaShowsBandsAndGridUntilAGameWithoutAChart) {
    dlg->SetResultBoxText("01 02 03 04 05 06 07\r\n");
    const QImage chart = Picture();
    ASSERT_EQ(chart.pixelColor(140, 300), kBand2);
    EXPECT_EQ(chart.pixelColor(600, 300), kBand4);
    EXPECT_EQ(chart.pixelColor(5, 300), kGrid);
    EXPECT_EQ(chart.pixelColor(100, 5), kGrid);
    dlg->SetCountLabelText("kept");
    ReplaceTyped(CommandEdit(), QStringLiteral("select * from 7XC"));
    dlg->SetResultBoxText("01 02 03 04 05 06 07\r\n02 03 04 05 06 07 08\r\n");
    EXPECT_EQ(CountLabel(), "kept");
    // Once the window repaints, the chart area shows only its background.
    const QImage image = Picture();
    const QColor background = image.pixelColor(2, 2);
    for (int y = 0; y < dlg->height(); y += 7) {
        for (int x = 0; x < 690; x += 7) {
            ASSERT_EQ(image.pixelColor(x, y), background) << x << "," << y;
        }
    }
}

TEST_F(ChartWindowTest, LayoutFollowsTheCommandAtTheNextDraw) {
    // 3d rows: digit 7 of the first position is drawn at 14 * 7 + 9.
    ReplaceTyped(CommandEdit(), QStringLiteral("select h1,h2,h3 from 3d"));
    dlg->SetResultBoxText("07 03 05 x\r\n");
    const QImage image = Picture();
    int redInCell = 0;
    for (int y = 20; y < 32; ++y)
        for (int x = 14 * 7 + 9; x < 14 * 7 + 9 + 10; ++x)
            redInCell += image.pixelColor(x, y) == QColor(255, 0, 0) ? 1 : 0;
    EXPECT_GT(redInCell, 0);
    EXPECT_EQ(image.pixelColor(430, 300), QColor(230, 230, 255)) << "band 3 right of the grid";
}

} // namespace
} // namespace veltrix::test
