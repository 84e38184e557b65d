// veltrix-cli analyse, and the usage of count and backzone, run as a separate
// process the way scripts use them: the program's door to the analyses, whose
// rules the core's tests hold. What count and backzone print is compared with
// the core's text in tests/cli/CliHostileInputTest.cpp.

#include "analysis/TrendStats.h"
#include "common/FileIO.h"
#include "fakes/CliProcess.h"
#include "fakes/SampleResultTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace veltrix::test {
namespace {

class AnalysisCliTest : public testing::Test {
protected:
    CliRun Run(const std::vector<std::string>& args, const std::string& input) {
        return RunCli(work.Path().string(), args, input);
    }
    std::string Read(const std::string& name) {
        return ReadFileBytes(work.File(name)).value_or("<unreadable>");
    }
    std::vector<std::string> WorkFiles() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(work.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir work;
};

// The reports opened go to standard output in order, the file that cannot
// be created to standard error; without the scratch file the recurrence
// report is skipped and the others still run.
TEST_F(AnalysisCliTest, AnalyseListsTheReportsItOpenedAndNamesTheFileItCouldNotCreate) {
    std::filesystem::create_directory(work.Path() / "dlt.txt");
    CliRun run = Run({"analyse", "--command", "select * from dlt"}, DltRows(40));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Analyse_gap.txt\nAnalyse_123.txt\nDLT_FX_QS.txt\n");
    EXPECT_EQ(run.err, "can't create file dlt.txt\n");
    EXPECT_EQ(WorkFiles(), (std::vector<std::string>{"Analyse_123.txt", "Analyse_gap.txt",
                                                     "DLT_FX_QS.txt", "dlt.txt"}));
    EXPECT_EQ(Run({"analyse", "--command", "dlt"}, "").out, "") << "an empty box: no reports";
}

TEST_F(AnalysisCliTest, RunLengthOptionOrSettings) {
    auto periodReport = [&](std::vector<std::string> options) {
        std::filesystem::remove(work.Path() / "DLT_FX_QS.txt");
        options.insert(options.begin(), {"analyse", "--command", "dlt"});
        EXPECT_EQ(Run(options, kThreeRowRun).status, 0) << testing::PrintToString(options);
        return Read("DLT_FX_QS.txt");
    };
    std::string two = periodReport({"--run-length", "2"});
    std::string three = periodReport({"--run-length", "3"});
    EXPECT_NE(three.find("01=[13]"), std::string::npos);
    EXPECT_EQ(two.find("01=[13]"), std::string::npos);
    EXPECT_EQ(periodReport({"--run-length", "7"}), two);
    EXPECT_EQ(periodReport({"--run-length", "three"}), two);
    EXPECT_EQ(periodReport({}), two) << "no settings file";

    ASSERT_TRUE(WriteFileBytes(work.File("Veltrix.ini"), "[OPTION]\r\nAnalyse_DLT_LINE=3\r\n"));
    EXPECT_EQ(periodReport({}), three);
    EXPECT_EQ(periodReport({"--run-length", "2"}), two) << "the option wins over the settings";
    ASSERT_TRUE(WriteFileBytes(work.File("Veltrix.ini"), "[OPTION]\r\nAnalyse_DLT_LINE=5\r\n"));
    EXPECT_EQ(periodReport({}), two);
}

TEST_F(AnalysisCliTest, StatsPrintsBothTables) {
    const std::string text = "1 2 3\r\nx\r\n4 5 6\r\n";
    const CliRun run = Run({"stats", "--command", "select * from 3d"}, text);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, FormatTrendStatsTable(ComputeTrendStats("select * from 3d", text)));
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(WorkFiles().empty());
}

TEST_F(AnalysisCliTest, UsageErrors) {
    const std::vector<std::string> cases[] = {{"analyse"},
                                              {"analyse", "--command"},
                                              {"analyse", "--command", "dlt", "extra"},
                                              {"count", "extra"},
                                              {"backzone", "--command", "dlt"},
                                              {"stats"},
                                              {"stats", "--command", "dlt", "extra"}};
    for (const std::vector<std::string>& args : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        CliRun run = Run(args, DltRows(5));
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("usage"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_TRUE(WorkFiles().empty());
}

} // namespace
} // namespace veltrix::test
