#include "analysis/RowAnalyses.h"
#include "analysis/PeriodFollowUp.h"
#include "analysis/ReportFiles.h"
#include "common/FileIO.h"
#include "common/Strings.h"
#include "fakes/RecordingMessages.h"
#include "fakes/RecordingOpener.h"
#include "fakes/SampleResultTexts.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>

namespace veltrix {
namespace {

using test::DltRows;

class RecordingSteps : public RowAnalysisSteps {
public:
    void AnalyseGaps(int fieldsPerRow) override {
        calls.push_back("gaps " + std::to_string(fieldsPerRow));
    }
    void Analyse3D() override { calls.push_back("3d"); }
    void AnalysePeriod() override { calls.push_back("period"); }
    void AnalyseRecurrence() override { calls.push_back("recurrence"); }
    std::vector<std::string> calls;
};

TEST(RunRowAnalysesTest, StepsByGameTag) {
    struct Case {
        const char* name;
        const char* command;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"dlt", "select * from dlt", {"gaps 7", "period", "recurrence"}},
        {"ssq_no_recurrence", "select * from ssq", {"gaps 7", "period"}},
        {"three_digit", "select * from 3d", {"gaps 3", "3d"}},
        {"three_digit_wins_over_ssq", "select * from ssq, 3D", {"gaps 3", "3d"}},
        {"tags_in_any_case", "select * from Ssq", {"gaps 7", "period"}},
        {"other_games_like_dlt", "select * from p5", {"gaps 7", "period", "recurrence"}},
        {"empty_command", "", {"gaps 7", "period", "recurrence"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSteps steps;
        RunRowAnalyses(c.command, steps);
        EXPECT_EQ(steps.calls, c.calls);
    }
}

class RowAnalysesFilesTest : public testing::Test {
protected:
    std::string Read(const std::string& name) {
        return ReadFileBytes(dir.File(name)).value_or("<unreadable>");
    }
    std::vector<std::string> FilesInDir() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    void Analyse(const std::string& text, const std::string& command, int runLength = 2) {
        AnalyseRowsOfText(text, command, runLength, services);
    }

    test::TempDir dir;
    test::ScopedWorkingDirectory cwd{dir.Path()};
    test::RecordingMessages messages;
    test::RecordingOpener opener;
    ReportServices services{messages, opener};
};

TEST_F(RowAnalysesFilesTest, DltRowsGetEveryReportOpenedInOrder) {
    const std::string text = DltRows(40);
    Analyse(text, "select top 40 * from dlt");
    EXPECT_EQ(opener.paths, (std::vector<std::string>{"./Analyse_gap.txt", "./Analyse_123.txt",
                                                      "./DLT_FX_QS.txt", "./DLT_FX.txt"}));
    EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"Analyse_123.txt", "Analyse_gap.txt",
                                                      "DLT_FX.txt", "DLT_FX_QS.txt", "dlt.txt"}));
    EXPECT_TRUE(messages.texts.empty());

    // The scratch copy is the result text written in text mode; what each
    // report holds is checked in HostileResultTextTest.
    EXPECT_EQ(Read("dlt.txt"), ToTextModeBytes(text));
}

TEST_F(RowAnalysesFilesTest, ReportsReplaceOldFiles) {
    ASSERT_TRUE(WriteFileBytes(dir.File("Analyse_gap.txt"), std::string(5000, 'x')));
    Analyse("01 02 03 04 05 06 07\r\n02 02 02 02 02 02 02", "select * from p3");
    EXPECT_EQ(Read("Analyse_gap.txt"),
              "02 02 02 02 02 02 02 :    1,   0,  -1,  -2,  -3,  -4,  -5\r\n");
}

TEST_F(RowAnalysesFilesTest, DiskThatFillsUpLeavesNoHalfWrittenReport) {
    // A limit on the size of the files this process may write stands in for
    // a disk that fills up: the bigger reports stop part-way.
    const std::string text = DltRows(3000);
    std::fflush(nullptr);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails with EFBIG instead
        rlimit limit{16 * 1024, 16 * 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(3);
        Analyse(text, "select * from dlt");
        // Say which reports were opened, for the parent to check.
        std::string opened;
        for (const std::string& path : opener.paths)
            opened += BareFileName(path) + "\n";
        std::string said;
        for (const std::string& message : messages.texts)
            said += message + "\n";
        ::_exit(WriteFileBytes("opened.lst", opened) && WriteFileBytes("said.lst", said) ? 0 : 4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);

    EXPECT_EQ(Read("said.lst"), "can't create file Analyse_gap.txt\n"
                                "can't create file Analyse_123.txt\n"
                                "can't create file dlt.txt\n");
    EXPECT_EQ(Read("opened.lst"), "DLT_FX_QS.txt\n");
    // The one report that fitted is whole; those that could not be finished are gone.
    EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"DLT_FX_QS.txt", "opened.lst", "said.lst"}));
    std::optional<PeriodReport> period = PeriodFollowUpReport(text, "select * from dlt", 2);
    ASSERT_TRUE(period.has_value());
    EXPECT_TRUE(Read("DLT_FX_QS.txt") == ToTextModeBytes(period->text)) << "half-written";
}

} // namespace
} // namespace veltrix
