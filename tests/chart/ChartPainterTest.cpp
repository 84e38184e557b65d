// The renderer, checked by pixels: fill edges, line ends and widths, where a
// text lands, and a whole chart's bands, grid and trend lines. Glyph shapes
// depend on the installed fonts and are not compared.

#include "chart/ChartPainter.h"

#include "SceneQueries.h"

#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

namespace veltrix {
namespace {

using namespace test;

const QColor kWhite(255, 255, 255);
constexpr ChartColor kInk{10, 20, 30};

QColor Q(ChartColor c) {
    return QColor(c.r, c.g, c.b);
}

QImage Render(std::vector<ChartPrimitive> primitives, QSize size = QSize(64, 64)) {
    ChartScene scene;
    scene.primitives = std::move(primitives);
    return RenderChartImage(scene, size, CreateChartFont(), kWhite);
}

// Pixels of one colour, as "x,y" texts in row order, for readable failures.
std::vector<std::string> PixelsOf(const QImage& image, QColor color) {
    std::vector<std::string> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                out.push_back(std::to_string(x) + "," + std::to_string(y));
    return out;
}

std::vector<std::string> Rect(int x1, int y1, int x2, int y2) {
    std::vector<std::string> out;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            out.push_back(std::to_string(x) + "," + std::to_string(y));
    return out;
}

TEST(ChartPainter, FillIncludesLeftAndTopEdgesOnly) {
    const QImage image = Render({ChartFill{10, 20, 30, 40, kInk}});
    EXPECT_EQ(PixelsOf(image, Q(kInk)), Rect(10, 20, 30, 40));
}

TEST(ChartPainter, EmptyAndInvertedFillsPaintNothing) {
    const QImage image = Render({ChartFill{10, 20, 10, 40, kInk}, ChartFill{10, 20, 30, 20, kInk},
                                 ChartFill{30, 5, 10, 40, kInk}, ChartFill{5, 40, 30, 20, kInk}});
    EXPECT_TRUE(PixelsOf(image, Q(kInk)).empty());
}

TEST(ChartPainter, ThinLinesLeaveOutTheirEndPoint) {
    EXPECT_EQ(PixelsOf(Render({ChartLine{5, 10, 20, 10, kInk, 1}}), Q(kInk)), Rect(5, 10, 20, 11));
    EXPECT_EQ(PixelsOf(Render({ChartLine{20, 10, 5, 10, kInk, 1}}), Q(kInk)), Rect(6, 10, 21, 11))
        << "drawn right to left, the left end is the end point";
    EXPECT_EQ(PixelsOf(Render({ChartLine{7, 3, 7, 30, kInk, 1}}), Q(kInk)), Rect(7, 3, 8, 30));
    EXPECT_EQ(PixelsOf(Render({ChartLine{7, 30, 7, 3, kInk, 1}}), Q(kInk)), Rect(7, 4, 8, 31));
}

TEST(ChartPainter, ThinDiagonalCoversOnePixelPerStep) {
    // Either way round, the start point is drawn and the end point is not.
    const QImage back = Render({ChartLine{12, 7, 3, 3, kInk, 1}});
    EXPECT_EQ(back.pixelColor(12, 7), Q(kInk));
    EXPECT_NE(back.pixelColor(3, 3), Q(kInk));
    EXPECT_EQ(PixelsOf(back, Q(kInk)).size(), 9u);

    const QImage image = Render({ChartLine{3, 3, 12, 7, kInk, 1}});
    const std::vector<std::string> pixels = PixelsOf(image, Q(kInk));
    EXPECT_EQ(pixels.size(), 9u) << "one per column from 3 to 11";
    EXPECT_EQ(image.pixelColor(3, 3), Q(kInk));
    EXPECT_NE(image.pixelColor(12, 7), Q(kInk));
    for (int x = 3; x < 12; ++x) {
        int inColumn = 0;
        for (int y = 0; y < image.height(); ++y)
            inColumn += image.pixelColor(x, y) == Q(kInk) ? 1 : 0;
        EXPECT_EQ(inColumn, 1) << "column " << x;
    }
}

TEST(ChartPainter, WideLinesAreTwoPixelsAcrossWithoutTheEndPoint) {
    // A 2-pixel line covers the pixel row (or column) of the segment and the
    // one above (left of) it.
    EXPECT_EQ(PixelsOf(Render({ChartLine{30, 10, 30, 20, kInk, 2}}), Q(kInk)),
              Rect(29, 10, 31, 20));
    EXPECT_EQ(PixelsOf(Render({ChartLine{30, 20, 30, 10, kInk, 2}}), Q(kInk)),
              Rect(29, 11, 31, 21));
    EXPECT_EQ(PixelsOf(Render({ChartLine{10, 30, 25, 30, kInk, 2}}), Q(kInk)),
              Rect(10, 29, 25, 31));
}

TEST(ChartPainter, WideDiagonalTrendSegment) {
    // A trend segment as the chart draws one: from (13, 27) one row down.
    const QImage image = Render({ChartLine{13, 27, 41, 41, kInk, 2}});
    EXPECT_EQ(image.pixelColor(13, 27), Q(kInk));
    EXPECT_EQ(image.pixelColor(27, 34), Q(kInk)) << "the middle";
    EXPECT_NE(image.pixelColor(41, 41), Q(kInk)) << "the end point";
    EXPECT_NE(image.pixelColor(42, 41), Q(kInk));
    EXPECT_NE(image.pixelColor(13, 30), Q(kInk));
    for (int x = 13; x < 41; ++x) {
        int inColumn = 0;
        for (int y = 0; y < image.height(); ++y)
            inColumn += image.pixelColor(x, y) == Q(kInk) ? 1 : 0;
        EXPECT_GE(inColumn, 2) << "column " << x;
        EXPECT_LE(inColumn, 3) << "column " << x;
    }
}

TEST(ChartPainter, ZeroLengthLinePaintsNothing) {
    EXPECT_TRUE(
        PixelsOf(Render({ChartLine{9, 9, 9, 9, kInk, 1}, ChartLine{20, 20, 20, 20, kInk, 2}}),
                 Q(kInk))
            .empty());
}

TEST(ChartPainter, TextStandsInItsCharacterCell) {
    const QFont font = CreateChartFont();
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QStringLiteral("35"));
    const QImage image = Render({ChartText{20, 30, kInk, "35"}});
    const std::vector<std::string> pixels = PixelsOf(image, Q(kInk));
    ASSERT_FALSE(pixels.empty());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != Q(kInk))
                continue;
            EXPECT_GE(y, 30);
            EXPECT_LT(y, 30 + 12);
            EXPECT_GE(x, 20 - 1);
            EXPECT_LT(x, 20 + width + 1);
        }
    }
}

TEST(ChartPainter, TextHasNoBackgroundAndNoAntialiasing) {
    const QImage image = Render({ChartFill{0, 0, 64, 64, kBand3}, ChartText{20, 30, kRed, "08"}});
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            EXPECT_TRUE(c == Q(kBand3) || c == Q(kRed)) << x << "," << y;
        }
    }
}

TEST(ChartPainter, ReusedTextsMatchTextDrawnDirectly) {
    // The painter keeps each text's pixels for the next frame; they must be
    // the pixels the font itself gives, wherever the text stands.
    const QFont font = CreateChartFont();
    ChartScene scene;
    scene.primitives = {ChartFill{0, 0, 96, 40, kBand2}, ChartText{3, 4, kRed, "07"},
                        ChartText{40, 20, kRed, "07"}, ChartText{41, 21, kGrey, "07"},
                        ChartText{70, 5, kBlue, "12"}};
    QImage cached(96, 40, QImage::Format_RGB32);
    ChartPainter painter(font);
    for (int frame = 0; frame < 2; ++frame) {
        cached.fill(kWhite);
        QPainter p(&cached);
        painter.Paint(p, scene);
    }

    QImage direct(96, 40, QImage::Format_RGB32);
    direct.fill(kWhite);
    QPainter p(&direct);
    p.fillRect(0, 0, 96, 40, Q(kBand2));
    p.setFont(font);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    const int ascent = QFontMetrics(font).ascent();
    for (const ChartText& t : Primitives<ChartText>(scene)) {
        p.setPen(Q(t.color));
        p.drawText(t.x, t.y + ascent, QString::fromStdString(t.text));
    }
    p.end();
    EXPECT_EQ(cached, direct);
}

TEST(ChartPainter, LabelsAreNotPixels) {
    const QImage image = Render({ChartLabel{"123"}});
    EXPECT_EQ(PixelsOf(image, kWhite).size(), 64u * 64u);
}

TEST(ChartPainter, FontHasATwelvePixelCell) {
    const QFont font = CreateChartFont();
    EXPECT_TRUE(font.bold());
    EXPECT_LE(QFontMetrics(font).height(), 12);
    EXPECT_GE(QFontMetrics(font).height(), 9) << "still readable";
}

TEST(ChartPainter, RestoresThePainterState) {
    QImage image(8, 8, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::green, 3));
    painter.setRenderHint(QPainter::Antialiasing, true);
    ChartScene scene;
    scene.primitives = {ChartLine{0, 0, 5, 5, kInk, 2}, ChartText{0, 0, kRed, "1"}};
    PaintChartScene(painter, scene, CreateChartFont());
    EXPECT_EQ(painter.pen().color(), QColor(Qt::green));
    EXPECT_EQ(painter.pen().width(), 3);
    EXPECT_TRUE(painter.testRenderHint(QPainter::Antialiasing));
}

class ChartPictureTest : public testing::Test {
protected:
    // The window's chart area at its height, with two DLT rows whose first
    // numbers are both 01, so slot 0's trend line runs straight down x = 13.
    void SetUp() override {
        scene = ComputeTrendChart("select * from dlt",
                                  Input(541, {"01 09 17 25 33 04 10", "01 20 21 26 34 05 11"}, 2));
        image = RenderChartImage(scene, QSize(kChartAreaWidth, 541), CreateChartFont(), kWhite);
    }
    QColor At(int x, int y) const { return image.pixelColor(x, y); }

    ChartScene scene;
    QImage image;
};

TEST_F(ChartPictureTest, BandsBetweenGridLines) {
    // y = 300 lies between grid rows and between the row labels' cells.
    EXPECT_EQ(At(7, 300), Q(kBand1));
    EXPECT_EQ(At(140, 300), Q(kBand2));
    EXPECT_EQ(At(300, 300), Q(kBand1));
    EXPECT_EQ(At(450, 300), Q(kBand2));
    EXPECT_EQ(At(500, 300), Q(kBand3));
    EXPECT_EQ(At(600, 300), Q(kBand4));
    EXPECT_EQ(At(680, 300), Q(kBand3));
    EXPECT_EQ(At(690, 300), Q(kBand3));
    EXPECT_EQ(At(691, 300), kWhite) << "bands end before x = 691";
    EXPECT_EQ(At(4, 300), kWhite);
    EXPECT_EQ(At(100, 4), kWhite);
}

TEST_F(ChartPictureTest, GridLinesAndTheirEnds) {
    EXPECT_EQ(At(5, 300), Q(kGrid));
    EXPECT_EQ(At(5 + 14 * 47, 300), Q(kGrid)) << "last vertical line, x = 663";
    EXPECT_EQ(At(677, 300), Q(kBand3)) << "the label column has no grid";
    EXPECT_EQ(At(100, 299), Q(kGrid)) << "horizontal line 21";
    EXPECT_EQ(At(663, 299), Q(kGrid));
    EXPECT_EQ(At(664, 299), Q(kBand3)) << "horizontal lines end before x = 664";
    // The bottom line (k = R = 37) is drawn; the vertical lines stop above it.
    EXPECT_EQ(At(100, 523), Q(kGrid));
    EXPECT_EQ(At(100, 524), kWhite);
    EXPECT_EQ(At(89, 522), Q(kGrid));
    int gridInRow = 0;
    for (int x = 0; x < kChartAreaWidth; ++x)
        gridInRow += At(x, 300) == Q(kGrid) ? 1 : 0;
    EXPECT_EQ(gridInRow, 48);
}

TEST_F(ChartPictureTest, TrendLineBetweenTheRows) {
    // Slot 0 joins 01 and 01: a 2-pixel line at x = 12..13 from y = 27 to 40.
    // y = 32 is below the digits of row 0 (they stand on the baseline) and
    // above the grid line y = 33.
    const QColor red = Q(kPenRed);
    EXPECT_EQ(At(12, 32), red);
    EXPECT_EQ(At(13, 32), red);
    EXPECT_EQ(At(11, 32), Q(kBand1));
    EXPECT_EQ(At(14, 32), Q(kBand1));
    // Slot 1 joins 09 and 20, from (125, 27) to (279, 41): at y = 34 it
    // passes x = 202, where no number stands.
    // (Slots 3 and 5 are blue too, further right.)
    std::vector<int> blue;
    for (int x = 0; x < 300; ++x)
        if (At(x, 34) == Q(kPenBlue))
            blue.push_back(x);
    ASSERT_FALSE(blue.empty());
    EXPECT_GE(blue.front(), 185);
    EXPECT_LE(blue.back(), 220);
}

TEST_F(ChartPictureTest, NumbersInTheirColours) {
    auto countIn = [&](QRect area, QColor c) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += At(x, y) == c ? 1 : 0;
        return n;
    };
    // Row 0's front 33 in red with a grey shadow; back 04 in blue.
    EXPECT_GT(countIn(QRect(14 * 33 - 8, 20, 14, 13), Q(kRed)), 0);
    EXPECT_GT(countIn(QRect(14 * 33 - 8, 20, 15, 14), Q(kGrey)), 0);
    EXPECT_GT(countIn(QRect(482 + 14 * 4, 20, 14, 12), Q(kBlue)), 0);
    EXPECT_EQ(countIn(QRect(482 + 14 * 4, 20, 15, 14), Q(kGrey)), 0);
}

TEST_F(ChartPictureTest, BoundsCoverEveryPaintedPixel) {
    const QRect bounds = ChartSceneBounds(scene);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != kWhite) {
                ASSERT_TRUE(bounds.contains(x, y)) << x << "," << y;
            }
        }
    }
}

TEST(ChartSceneBounds, IncludeLinesRightOfTheArea) {
    const ChartScene scene =
        ComputeTrendChart("dlt", Input(541, {"01 02 03 04 05 13 20", "01 02 03 04 05 01 35"}));
    EXPECT_GE(ChartSceneBounds(scene).right(), 979);
    EXPECT_TRUE(ChartSceneBounds(ChartScene{}).isEmpty());
}

} // namespace
} // namespace veltrix
