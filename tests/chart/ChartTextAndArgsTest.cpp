// The scene's text form, the lines the chart takes from a result text, and
// the command line of the chart programs.

#include "chart/ChartRequest.h"
#include "chart/ChartSceneText.h"
#include "chart/TrendChart.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

TEST(FormatChartScene, OnePrimitivePerLine) {
    ChartScene scene;
    scene.primitives = {
        ChartFill{5, 5, 131, 523, {255, 230, 230}}, ChartLine{13, 27, 27, 41, {255, 120, 120}, 2},
        ChartText{6, 7, {255, 0, 0}, "01"},         ChartLabel{"-12"},
        ChartText{-3, 0, {0, 0, 0}, "two words"},
    };
    EXPECT_EQ(FormatChartScene(scene), "fill 5 5 131 523 255,230,230\n"
                                       "line 13 27 27 41 255,120,120 2\n"
                                       "text 6 7 255,0,0 01\n"
                                       "label -12\n"
                                       "text -3 0 0,0,0 two words\n");
    EXPECT_EQ(FormatChartScene(ChartScene{}), "");
}

TEST(ChartLinesFromText, FiftyLinesFromTheFirstVisible) {
    std::string text;
    for (int i = 0; i < 70; ++i) {
        text += 'L';
        text += std::to_string(i);
        text += "\r\n";
    }
    const std::vector<std::string> lines = ChartLinesFromText(text, 5);
    ASSERT_EQ(lines.size(), 50u);
    EXPECT_EQ(lines.front(), "L5");
    EXPECT_EQ(lines.back(), "L54");
}

TEST(ChartLinesFromText, PastTheEndGivesEmptyLines) {
    // "a\r\nb\r\n" is three lines to the result box: a, b and an empty one.
    const std::vector<std::string> lines = ChartLinesFromText("a\r\nb\r\n", 1);
    ASSERT_EQ(lines.size(), 50u);
    EXPECT_EQ(lines[0], "b");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[49], "");
    const std::vector<std::string> far = ChartLinesFromText("a\r\nb", 1000);
    EXPECT_EQ(far, std::vector<std::string>(50));
    EXPECT_EQ(ChartLinesFromText("", 0), std::vector<std::string>(50));
}

TEST(ChartLinesFromText, SplitsOnlyAtCrLfAndCutsAt255Bytes) {
    const std::string longLine(300, '7');
    const std::vector<std::string> lines = ChartLinesFromText("x\ny\rz\r\n" + longLine, 0);
    EXPECT_EQ(lines[0], "x\ny\rz");
    EXPECT_EQ(lines[1], std::string(255, '7'));
}

struct RequestCase {
    const char* name;
    std::vector<std::string> args;
    bool allowPng;
    const char* error; // nullptr: accepted
};

class ParseChartRequestTest : public testing::TestWithParam<RequestCase> {};

TEST_P(ParseChartRequestTest, AcceptsOrExplains) {
    ChartRequest request;
    std::string error;
    const bool ok = ParseChartRequest(GetParam().args, GetParam().allowPng, &request, &error);
    if (GetParam().error == nullptr) {
        EXPECT_TRUE(ok) << error;
        EXPECT_EQ(error, "");
    } else {
        EXPECT_FALSE(ok);
        EXPECT_EQ(error, GetParam().error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseChartRequestTest,
    testing::Values(RequestCase{"complete",
                                {"--command", "select * from dlt", "--height", "541",
                                 "--first-line", "3", "--record-count", "120", "--scene"},
                                false,
                                nullptr},
                    RequestCase{"any_order_negative_count",
                                {"--scene", "--record-count", "-1", "--first-line", "0", "--height",
                                 "0", "--command", ""},
                                false,
                                nullptr},
                    RequestCase{"png_for_the_exporter",
                                {"--command", "p5", "--height", "541", "--first-line", "0",
                                 "--record-count", "0", "--png", "out.png"},
                                true,
                                nullptr},
                    RequestCase{"png_unknown_to_the_cli",
                                {"--command", "p5", "--height", "541", "--first-line", "0",
                                 "--record-count", "0", "--png", "out.png"},
                                false,
                                "unexpected argument '--png'"},
                    RequestCase{"missing_command",
                                {"--height", "541", "--first-line", "0", "--record-count", "0"},
                                false,
                                "missing --command"},
                    RequestCase{"missing_height",
                                {"--command", "x", "--first-line", "0", "--record-count", "0"},
                                false,
                                "missing --height"},
                    RequestCase{"height_without_value",
                                {"--command", "x", "--height"},
                                false,
                                "--height needs a value"},
                    RequestCase{"height_not_a_number",
                                {"--command", "x", "--height", "54x", "--first-line", "0",
                                 "--record-count", "0"},
                                false,
                                "--height: not a non-negative integer: '54x'"},
                    RequestCase{"height_too_large",
                                {"--command", "x", "--height", "32768", "--first-line", "0",
                                 "--record-count", "0"},
                                false,
                                "--height: at most 32767"},
                    RequestCase{"negative_first_line",
                                {"--command", "x", "--height", "541", "--first-line", "-2",
                                 "--record-count", "0"},
                                false,
                                "--first-line: not a non-negative integer: '-2'"},
                    RequestCase{"record_count_too_large",
                                {"--command", "x", "--height", "541", "--first-line", "0",
                                 "--record-count", "99999999999"},
                                false,
                                "--record-count: not an integer: '99999999999'"},
                    RequestCase{"stray_argument",
                                {"--command", "x", "--height", "541", "--first-line", "0",
                                 "--record-count", "0", "extra"},
                                false,
                                "unexpected argument 'extra'"}),
    [](const testing::TestParamInfo<RequestCase>& c) { return std::string(c.param.name); });

TEST(ParseChartRequest, KeepsTheValues) {
    ChartRequest request;
    std::string error;
    ASSERT_TRUE(ParseChartRequest({"--png", "a b.png", "--command", "select --height", "--height",
                                   "300", "--first-line", "12", "--record-count", "-4"},
                                  true, &request, &error))
        << error;
    EXPECT_EQ(request.command, "select --height");
    EXPECT_EQ(request.height, 300);
    EXPECT_EQ(request.firstLine, 12);
    EXPECT_EQ(request.recordCount, -4);
    EXPECT_FALSE(request.scene);
    EXPECT_EQ(request.pngPath, "a b.png");
}

} // namespace
} // namespace veltrix
