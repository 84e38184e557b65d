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

// Pixels of ink in each column from x1 up to x2.
std::vector<int> InkPerColumn(const QImage& image, int x1, int x2) {
    std::vector<int> counts;
    for (int x = x1; x < x2; ++x) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            n += image.pixelColor(x, y) == Q(kInk) ? 1 : 0;
        counts.push_back(n);
    }
    return counts;
}

TEST(ChartPainter, FillsAndAxisLinesCoverExactPixels) {
    struct Case {
        const char* name;
        std::vector<ChartPrimitive> primitives;
        std::vector<std::string> pixels;
    };
    const Case cases[] = {
        {"fill_left_and_top_edges_only", {ChartFill{10, 20, 30, 40, kInk}}, Rect(10, 20, 30, 40)},
        {"empty_and_inverted_fills_zero_length_lines_and_the_label",
         {ChartFill{10, 20, 10, 40, kInk}, ChartFill{10, 20, 30, 20, kInk},
          ChartFill{30, 5, 10, 40, kInk}, ChartFill{5, 40, 30, 20, kInk},
          ChartLine{9, 9, 9, 9, kInk, 1}, ChartLine{20, 20, 20, 20, kInk, 2}, ChartLabel{"123"}},
         {}},
        // A thin line leaves out its end point, whichever way it is drawn.
        {"thin_right", {ChartLine{5, 10, 20, 10, kInk, 1}}, Rect(5, 10, 20, 11)},
        {"thin_left", {ChartLine{20, 10, 5, 10, kInk, 1}}, Rect(6, 10, 21, 11)},
        {"thin_down", {ChartLine{7, 3, 7, 30, kInk, 1}}, Rect(7, 3, 8, 30)},
        {"thin_up", {ChartLine{7, 30, 7, 3, kInk, 1}}, Rect(7, 4, 8, 31)},
        // A 2-pixel line covers its pixel row (column) and the one above (left of) it.
        {"wide_down", {ChartLine{30, 10, 30, 20, kInk, 2}}, Rect(29, 10, 31, 20)},
        {"wide_up", {ChartLine{30, 20, 30, 10, kInk, 2}}, Rect(29, 11, 31, 21)},
        {"wide_right", {ChartLine{10, 30, 25, 30, kInk, 2}}, Rect(10, 29, 25, 31)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = Render(c.primitives);
        EXPECT_EQ(PixelsOf(image, Q(kInk)), c.pixels);
        EXPECT_EQ(PixelsOf(image, kWhite).size(), 64u * 64u - c.pixels.size());
    }
}

TEST(ChartPainter, ThinDiagonalCoversOnePixelPerColumn) {
    // Either way round, the start point is drawn and the end point is not.
    for (const ChartLine& line :
         {ChartLine{3, 3, 12, 7, kInk, 1}, ChartLine{12, 7, 3, 3, kInk, 1}}) {
        SCOPED_TRACE(line.x1);
        const QImage image = Render({line});
        EXPECT_EQ(image.pixelColor(line.x1, line.y1), Q(kInk));
        EXPECT_NE(image.pixelColor(line.x2, line.y2), Q(kInk));
        EXPECT_EQ(InkPerColumn(image, std::min(line.x1, line.x2) + (line.x1 > line.x2),
                               std::max(line.x1, line.x2) + (line.x1 > line.x2)),
                  std::vector<int>(9, 1));
        EXPECT_EQ(PixelsOf(image, Q(kInk)).size(), 9u);
    }
}

TEST(ChartPainter, WideDiagonalTrendSegment) {
    // A trend segment as the chart draws one: from (13, 27) one row down.
    const QImage image = Render({ChartLine{13, 27, 41, 41, kInk, 2}});
    EXPECT_EQ(image.pixelColor(13, 27), Q(kInk));
    EXPECT_EQ(image.pixelColor(27, 34), Q(kInk)) << "the middle";
    EXPECT_NE(image.pixelColor(41, 41), Q(kInk)) << "the end point";
    EXPECT_NE(image.pixelColor(42, 41), Q(kInk));
    EXPECT_NE(image.pixelColor(13, 30), Q(kInk));
    for (int n : InkPerColumn(image, 13, 41)) {
        EXPECT_GE(n, 2);
        EXPECT_LE(n, 3);
    }
}

TEST(ChartPainter, TextsStandInTheirCellsWithoutBackground) {
    // "35" at (20, 30): a number within its character cell and not
    // antialiased, a note (antialiased) within the 12 x 12 pixels of a cell.
    const int width = QFontMetrics(CreateChartFont()).horizontalAdvance(QStringLiteral("35"));
    for (bool note : {false, true}) {
        SCOPED_TRACE(note ? "note" : "number");
        const QImage image =
            Render({ChartFill{0, 0, 64, 64, kBand3}, ChartText{20, 30, kRed, "35", note}});
        const int right = note ? 32 : 20 + width + 1;
        int ink = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) == Q(kBand3))
                    continue;
                ++ink;
                EXPECT_TRUE(note || image.pixelColor(x, y) == Q(kRed)) << x << "," << y;
                EXPECT_TRUE(y >= 30 && y < 30 + 12 && x >= 20 - 1 && x < right) << x << "," << y;
            }
        }
        EXPECT_GT(ink, 8);
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

TEST(ChartSceneBounds, CoverEveryPaintedPixel) {
    // The window's chart area at its height, with both options' notes; back
    // values beyond 12 draw trend lines right of the area, which count too.
    ChartInput input = Input(541, {"01 09 17 25 33 13 20", "01 20 21 26 34 01 35"}, 2);
    input.omission = input.statistics = true;
    const ChartScene scene = ComputeTrendChart("select * from dlt", input);
    const QImage image = RenderChartImage(scene, QSize(1000, 541), CreateChartFont(), kWhite);
    const QRect bounds = ChartSceneBounds(scene);
    EXPECT_GE(bounds.right(), 979);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != kWhite) {
                ASSERT_TRUE(bounds.contains(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_TRUE(ChartSceneBounds(ChartScene{}).isEmpty());
}

} // namespace
} // namespace veltrix
