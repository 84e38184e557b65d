// veltrix-cli chart end to end: arguments, the result text on standard input,
// the scene on standard output and the exit status.

#include "fakes/CliProcess.h"

#include <sstream>

#include <gtest/gtest.h>

namespace veltrix::test {
namespace {

// veltrix-cli chart --command COMMAND (which may hold blanks) with the other
// arguments given as one blank-separated text; no --command when it is null.
CliRun Chart(const char* command, const std::string& args, const std::string& input) {
    TempDir work;
    std::vector<std::string> argv{"chart"};
    if (command)
        argv.insert(argv.end(), {"--command", command});
    std::istringstream in(args);
    for (std::string arg; in >> arg;)
        argv.push_back(arg);
    return RunCli(work.Path().string(), argv, input);
}

// The whole 3D scene for a client 38 pixels high: R = 2 grid rows, one
// result row; written out from the layout's tables.
std::string ThreeDigitScene38(const std::string& label) {
    std::string s = "fill 5 5 145 33 255,230,230\n"
                    "fill 145 5 285 33 245,220,220\n"
                    "fill 285 5 425 33 255,230,230\n"
                    "fill 425 5 691 33 230,230,255\n";
    for (int j = 0; j <= 30; ++j) {
        const std::string x = std::to_string(5 + 14 * j);
        s += "line " + x + " 5 " + x + " 33 200,200,255 1\n";
    }
    s += "line 5 5 426 5 200,200,255 1\n"
         "line 5 19 426 19 200,200,255 1\n"
         "line 5 33 426 33 200,200,255 1\n";
    for (int i = 0; i < 30; ++i)
        s += "text " + std::to_string(9 + 14 * i) + " 7 255,0,0 " + std::to_string(i % 10) + "\n";
    s += "label " + label + "\n";
    // The row 06 01 09: positions 6, 11 and 29, each a grey shadow then red.
    s += "text 94 21 128,128,128 6\ntext 93 20 255,0,0 6\n"
         "text 164 21 128,128,128 1\ntext 163 20 255,0,0 1\n"
         "text 416 21 128,128,128 9\ntext 415 20 255,0,0 9\n";
    return s;
}

TEST(ChartCliTest, PrintsTheWholeSceneInDrawingOrderFromTheFirstVisibleLine) {
    CliRun run =
        Chart("select h1,h2,h3 from p3", "--height 38 --first-line 0 --record-count 77 --scene",
              "06 01 09 x\r\n02 03 04 x\r\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, ThreeDigitScene38("77"));
    EXPECT_EQ(run.err, "");
    run = Chart("3d", "--height 38 --first-line 2 --record-count 3 --scene",
                "01 01 01 x\r\n02 02 02 x\r\n06 01 09 x\r\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, ThreeDigitScene38("3"));
}

TEST(ChartCliTest, GamesWithoutAChartPrintNothing) {
    for (const char* command : {"select * from 7XC", "7lc", "from T22x5"}) {
        SCOPED_TRACE(command);
        const CliRun run = Chart(command, "--height 541 --first-line 0 --record-count 9 --scene",
                                 "01 02 03 04 05 06 07\r\n");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(ChartCliTest, OptionsAddNotesOnlyWhenAsked) {
    const std::string text = "01 02 03 04 05 01 02\r\n06 07 08 09 10 03 04\r\n";
    const std::string args = "--height 200 --first-line 1 --record-count 2 --scene";
    const CliRun plain = Chart("dlt", args, text);
    const CliRun both = Chart("dlt", args + " --omission --statistics", text);
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(both.status, 0) << both.err;
    EXPECT_EQ(plain.out.find("note "), std::string::npos);
    // 01 stood in the line above the first visible one: omission 1.
    EXPECT_NE(both.out.find("\nnote 10 22 150,150,150 1\n"), std::string::npos);
}

TEST(ChartCliTest, BadArgumentsFailWithoutOutput) {
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "--height 541 --first-line 0 --record-count 0 --scene"},
        {"dlt", "--height tall --first-line 0 --record-count 0 --scene"},
        {"dlt", "--height 541 --first-line 0 --record-count 0"},
        {"dlt", "--height 541 --first-line 0 --record-count 0 --scene --png x.png"},
    };
    for (const auto& [command, args] : cases) {
        SCOPED_TRACE(args);
        const CliRun run = Chart(command, args, "01\r\n");
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
}

} // namespace
} // namespace veltrix::test
