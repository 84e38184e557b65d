// veltrix-cli chart end to end: the scene it prints from the result text on
// standard input is the scene the core computes for the same lines and
// options; bad arguments fail with status 2 and print nothing.

#include "SceneQueries.h"
#include "chart/ChartHistory.h"
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

TEST(ChartCliTest, PrintsTheSceneOfTheLinesFromTheFirstVisibleOne) {
    struct Case {
        const char* command;
        int firstLine;
        bool options;
        std::string text;
    };
    const Case cases[] = {
        {"dlt", 1, true, "01 02 03 04 05 01 02\r\n06 07 08 09 10 03 04\r\n"},
        {"select * from 7XC", 0, true, "01 02 03 04 05 06 07\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const CliRun run =
            Chart(c.command,
                  "--height 200 --record-count 77 --scene --first-line " +
                      std::to_string(c.firstLine) + (c.options ? " --omission --statistics" : ""),
                  c.text);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        // The notes count over the whole text, not only the visible lines.
        const ChartHistory history = ChartHistoryOfText(ChooseChartLayout(c.command), c.text);
        ChartInput input = Input(200, ChartLinesFromText(c.text, c.firstLine), 77);
        input.omission = input.statistics = c.options;
        input.history = &history;
        input.firstLine = c.firstLine;
        EXPECT_EQ(run.out, FormatChartScene(ComputeTrendChart(c.command, input)));
        EXPECT_EQ(run.out.empty(), ChooseChartLayout(c.command) == ChartLayout::None);
    }
}

// A refused argument (the rules are checked where they are parsed) and the
// missing --scene fail with status 2 and print nothing.
TEST(ChartCliTest, BadArgumentsFailWithoutOutput) {
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "--height 541 --first-line 0 --record-count 0 --scene"},
        {"dlt", "--height 541 --first-line 0 --record-count 0"},
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
