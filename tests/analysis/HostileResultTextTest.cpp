// Every analysis over result-box texts no query gives (fakes/
// HostileResultTexts.h): the two list buttons answer as their rules read step
// by step do, and "分   析" runs every report over them and writes and opens
// only whole ones. Run under the sanitizers as well. What each report holds
// is checked against its rule by the fuzz targets, whose corpora the test
// runs replay.

#include "LiteralReports.h"
#include "analysis/BackZoneIndex.h"
#include "analysis/GapReports.h"
#include "analysis/NumberCount.h"
#include "analysis/PeriodFollowUp.h"
#include "analysis/RecurrenceReport.h"
#include "analysis/ReportFiles.h"
#include "analysis/RowAnalyses.h"
#include "analysis/ThreeDigitFollowUp.h"
#include "common/FileIO.h"
#include "common/Strings.h"
#include "fakes/HostileResultTexts.h"
#include "fakes/RecordingMessages.h"
#include "fakes/RecordingOpener.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

#include <map>

namespace veltrix {
namespace {

using test::HostileResultText;

class HostileResultTextTest : public ::testing::TestWithParam<HostileResultText> {
protected:
    const std::string& Text() const { return GetParam().text; }
};

// The two list buttons, against their rules read step by step (compared
// without printing: the texts run to megabytes).
TEST_P(HostileResultTextTest, CountAndBackZoneListsFollowTheirRules) {
    EXPECT_TRUE(NumberCountText(Text()) == test::LiteralNumberCount(Text()));
    EXPECT_TRUE(BackZoneIndexText(Text()) == test::LiteralIndexText(Text()));
}

// "分   析" as the window runs it: every report it opens is on disk whole.
TEST_P(HostileResultTextTest, AnalyseWritesWholeReportsAndOpensOnlyThose) {
    for (const char* command : {"select * from dlt", "select * from ssq", "select * from 3d"}) {
        SCOPED_TRACE(command);
        const bool threeD = std::string_view(command).ends_with("3d");
        // What each report file must hold, from the analyses themselves.
        std::map<std::string, std::string> expected;
        if (auto gaps = GapReports(Text(), threeD ? 3 : 7, command)) {
            expected[kGapReportPath] = gaps->gap;
            expected[kOneTwoThreeReportPath] = gaps->oneTwoThree;
        }
        if (threeD) {
            if (auto report = ThreeDigitFollowUpReport(Text()))
                expected[kThreeDigitReportPath] = *report;
        } else if (auto report = PeriodFollowUpReport(Text(), command, 3)) {
            expected[report->path] = report->text;
        }
        if (!threeD && !std::string_view(command).ends_with("ssq") && !Text().empty())
            expected[kRecurrenceReportPath] = RecurrenceReportText(ToTextModeBytes(Text()));

        test::TempDir dir;
        test::ScopedWorkingDirectory cd(dir.Path());
        test::RecordingMessages messages;
        test::RecordingOpener opener;
        AnalyseRowsOfText(Text(), command, 3, ReportServices{messages, opener});
        EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
        EXPECT_EQ(opener.paths.size(), expected.size());
        for (const std::string& path : opener.paths) {
            SCOPED_TRACE(path);
            const std::string bytes = ReadFileBytes(path).value_or("<unreadable>");
            ASSERT_EQ(expected.count(path), 1u);
            EXPECT_TRUE(bytes == ToTextModeBytes(expected[path])) << "the report is whole";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Analysis, HostileResultTextTest,
                         ::testing::ValuesIn(test::HostileResultTexts()),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace veltrix
