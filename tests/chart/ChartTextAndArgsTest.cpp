// The scene's text form and the command line of the chart programs. Which
// lines the chart takes from a result text is checked against the result
// box's own lines by trend_chart_fuzz over its corpus.

#include "chart/ChartRequest.h"
#include "chart/ChartSceneText.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

namespace veltrix {
namespace {

TEST(FormatChartScene, OnePrimitivePerLine) {
    ChartScene scene;
    scene.primitives = {
        ChartFill{5, 5, 131, 523, {255, 230, 230}}, ChartLine{13, 27, 27, 41, {255, 120, 120}, 2},
        ChartText{6, 7, {255, 0, 0}, "01"},         ChartLabel{"-12"},
        ChartText{-3, 0, {0, 0, 0}, "two words"},   ChartText{10, 22, {150, 150, 150}, "12", true},
    };
    EXPECT_EQ(FormatChartScene(scene), "fill 5 5 131 523 255,230,230\n"
                                       "line 13 27 27 41 255,120,120 2\n"
                                       "text 6 7 255,0,0 01\n"
                                       "label -12\n"
                                       "text -3 0 0,0,0 two words\n"
                                       "note 10 22 150,150,150 12\n");
    EXPECT_EQ(FormatChartScene(ChartScene{}), "");
}

// Arguments written as one text, split at blanks.
std::vector<std::string> Args(const std::string& text) {
    std::vector<std::string> args;
    std::istringstream in(text);
    for (std::string arg; in >> arg;)
        args.push_back(arg);
    return args;
}

TEST(ParseChartRequest, AcceptsOrExplains) {
    struct Case {
        const char* args;
        bool allowPng;
        const char* error; // nullptr: accepted
    };
    const Case cases[] = {
        {"--scene --record-count -1 --first-line 0 --height 0 --command x", false, nullptr},
        {"--command p5 --height 541 --first-line 0 --record-count 0 --png o.png", true, nullptr},
        {"--command p5 --height 541 --first-line 0 --record-count 0 --png o.png", false,
         "unexpected argument '--png'"},
        {"--height 541 --first-line 0 --record-count 0", false, "missing --command"},
        {"--command x --first-line 0 --record-count 0", false, "missing --height"},
        {"--command x --height", false, "--height needs a value"},
        {"--command x --height 54x --first-line 0 --record-count 0", false,
         "--height: not a non-negative integer: '54x'"},
        {"--command x --height 32768 --first-line 0 --record-count 0", false,
         "--height: at most 32767"},
        {"--command x --height 541 --first-line -2 --record-count 0", false,
         "--first-line: not a non-negative integer: '-2'"},
        {"--command x --height 541 --first-line 0 --record-count 99999999999", false,
         "--record-count: not an integer: '99999999999'"},
        {"--command x --height 541 --first-line 0 --record-count 0 extra", false,
         "unexpected argument 'extra'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        Result<ChartRequest> request = ParseChartRequest(Args(c.args), c.allowPng);
        EXPECT_EQ(request.ok(), !c.error);
        EXPECT_EQ(request.error(), c.error ? c.error : "");
    }
    // The empty command text is a command text.
    Result<ChartRequest> request = ParseChartRequest(
        {"--command", "", "--height", "1", "--first-line", "0", "--record-count", "0", "--scene"},
        false);
    EXPECT_TRUE(request) << request.error();
}

TEST(ParseChartRequest, KeepsTheValues) {
    Result<ChartRequest> parsed = ParseChartRequest(
        {"--png", "a b.png", "--scene", "--command", "select --height", "--height", "300",
         "--first-line", "12", "--statistics", "--record-count", "-4"},
        true);
    ASSERT_TRUE(parsed) << parsed.error();
    const ChartRequest& r = *parsed;
    EXPECT_EQ(std::tie(r.command, r.height, r.firstLine, r.recordCount, r.scene, r.omission,
                       r.statistics, r.pngPath),
              std::make_tuple("select --height", 300, 12, -4, true, false, true, "a b.png"));
}

} // namespace
} // namespace veltrix
