// veltrix-cli analyse, and the usage of count and backzone, run as a separate
// process the way scripts use them. What count and backzone print is compared
// with the core's text in tests/cli/CliHostileInputTest.cpp.

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
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(work.File(name), &bytes)) << name;
        return bytes;
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

TEST_F(AnalysisCliTest, AnalyseListsTheReportsInOpeningOrder) {
    const std::string text = DltRows(40);
    CliRun run = Run({"analyse", "--command", "select * from dlt"}, text);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Analyse_gap.txt\nAnalyse_123.txt\nDLT_FX_QS.txt\nDLT_FX.txt\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(WorkFiles(), (std::vector<std::string>{"Analyse_123.txt", "Analyse_gap.txt",
                                                     "DLT_FX.txt", "DLT_FX_QS.txt", "dlt.txt"}));
    std::string scratch = Read("dlt.txt");
    EXPECT_EQ(scratch.size(), text.size() + 40);
    EXPECT_EQ(scratch.substr(0, 23), "01 01 01 01 01 01 01\r\r\n");
}

TEST_F(AnalysisCliTest, AnalyseFollowsTheGameTag) {
    struct Case {
        const char* name;
        const char* command;
        std::string text;
        const char* out;
    };
    const Case cases[] = {
        {"ssq", "select * from SSQ", DltRows(40),
         "Analyse_gap.txt\nAnalyse_123.txt\nSSQ_FX_QS.txt\n"},
        {"three_digit", "select * from 3d", "1 2 3\r\n04 05 06\r\n01 02 03\r\n",
         "Analyse_gap.txt\nAnalyse_123.txt\n3D_FX.txt\n"},
        {"empty_box", "select * from dlt", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::string& name : WorkFiles())
            std::filesystem::remove_all(work.Path() / name);
        CliRun run = Run({"analyse", "--command", c.command}, c.text);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, c.out);
    }
    EXPECT_TRUE(WorkFiles().empty()) << "an empty box writes nothing";
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

TEST_F(AnalysisCliTest, ReportThatCannotBeCreatedIsReportedOnStandardError) {
    std::filesystem::create_directory(work.Path() / "Analyse_123.txt");
    CliRun run = Run({"analyse", "--command", "dlt"}, DltRows(35));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "can't create file Analyse_123.txt\n");
    EXPECT_EQ(run.out, "Analyse_gap.txt\nDLT_FX_QS.txt\nDLT_FX.txt\n");
}

TEST_F(AnalysisCliTest, StatsPrintsBothTablesWithTabs) {
    const CliRun run = Run({"stats", "--command", "select * from 3d"}, "1 2 3\r\nx\r\n4 5 6\r\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.substr(0, run.out.find("\n1:1\t") + 1),
              "行\t和值\t跨度\t奇偶\t大小\t区间\t012路\tAC\t重号\t连号\n"
              "1\t6\t2\t2:1\t0:3\t-\t1:1:1\t-\t-\t-\n"
              "2\t15\t2\t1:2\t2:1\t-\t1:1:1\t-\t-\t-\n"
              "\n"
              "号码\t出现次数\t当前遗漏\t平均遗漏\t最大遗漏\t最大连出\n"
              "1:0\t0\t2\t2\t2\t0\n");
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
