// Every analysis over result-box texts no query gives (fakes/
// HostileResultTexts.h): each must answer in its usual shape, and "分   析"
// must write and open only whole reports. Run under the sanitizers as well.

#include "analysis/BackZoneIndex.h"
#include "analysis/BoxLines.h"
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

#include <algorithm>
#include <map>
#include <regex>
#include <set>

namespace veltrix {
namespace {

using test::HostileResultText;

size_t CountOf(std::string_view text, char c) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), c));
}

// The lines of a text that ends every line with `end`.
std::vector<std::string> LinesEndedBy(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t at = text.find(end, start);
        if (at == std::string::npos) {
            ADD_FAILURE() << "a line without its end: " << text.substr(start, 40);
            break;
        }
        lines.push_back(text.substr(start, at - start));
        start = at + end.size();
    }
    return lines;
}

class HostileResultTextTest : public ::testing::TestWithParam<HostileResultText> {
protected:
    const std::string& Text() const { return GetParam().text; }
    size_t BoxLineCount() const { return SplitEditLines(Text()).size(); }
};

TEST_P(HostileResultTextTest, NumberCountListsEachNumberOnce) {
    std::string count = NumberCountText(Text());
    if (Text().empty()) {
        EXPECT_EQ(count, "");
        return;
    }
    std::set<int> numbers;
    long total = 0;
    for (const std::string& line : LinesEndedBy(count, "\r\n")) {
        if (line.empty())
            continue; // between groups of different count
        int number = 0;
        long times = -1;
        ASSERT_EQ(std::sscanf(line.c_str(), "%2d = %ld", &number, &times), 2) << line;
        EXPECT_TRUE(numbers.insert(number).second) << line;
        total += times;
    }
    EXPECT_EQ(numbers.size(), 35u);
    EXPECT_EQ(*numbers.begin(), 1);
    EXPECT_LE(total, static_cast<long>(Text().size() / 2)) << "pairs never overlap";
}

TEST_P(HostileResultTextTest, BackZoneIndexKeepsOnlyFiveCharacterLines) {
    std::string index = BackZoneIndexText(Text());
    std::vector<std::string> lines = LinesEndedBy(index, "\r\n");
    EXPECT_LE(lines.size(), BoxLineCount());
    for (const std::string& line : lines) {
        ASSERT_EQ(line.size(), 8u) << line;
        EXPECT_EQ(line[5], ' ');
        int n = AtoiPrefix(line.substr(6));
        EXPECT_TRUE(n >= 1 && n <= 66) << line;
    }
}

TEST_P(HostileResultTextTest, GapReportsHaveALineAtMostPerBoxLine) {
    for (int fields : {3, 7}) {
        for (const char* command : {"select * from dlt", "ssq", "3d", ""}) {
            SCOPED_TRACE(std::string(command) + " " + std::to_string(fields));
            std::optional<GapReportTexts> reports = GapReports(Text(), fields, command);
            if (!reports)
                continue;
            EXPECT_LT(CountOf(reports->gap, '\n'), std::max<size_t>(BoxLineCount(), 1));
            EXPECT_LE(CountOf(reports->oneTwoThree, '\n'), BoxLineCount() + CountOf(Text(), '\n'));
            if (!reports->gap.empty()) {
                EXPECT_EQ(reports->gap.back(), '\n');
            }
            if (!reports->oneTwoThree.empty()) {
                EXPECT_EQ(reports->oneTwoThree.back(), '\n');
            }
        }
    }
}

TEST_P(HostileResultTextTest, FollowUpReportsHaveTheirLinesFromFourBoxLinesOn) {
    const bool written = BoxLineCount() > 3;
    std::optional<std::string> threeD = ThreeDigitFollowUpReport(Text());
    ASSERT_EQ(threeD.has_value(), written);
    if (threeD) {
        EXPECT_EQ(CountOf(*threeD, '\n'), 10u);
    }
    for (const char* command : {"select * from dlt", "select * from ssq"}) {
        for (int runLength : {2, 3}) {
            SCOPED_TRACE(std::string(command) + " " + std::to_string(runLength));
            std::optional<PeriodReport> report = PeriodFollowUpReport(Text(), command, runLength);
            ASSERT_EQ(report.has_value(), written);
            if (report) {
                EXPECT_EQ(CountOf(report->text, '\n'), 36u) << "header and 35 lines";
            }
        }
    }
}

TEST_P(HostileResultTextTest, RecurrenceReportHasALinePerRowFromTheThirtyFirst) {
    std::string scratch = ToTextModeBytes(Text());
    size_t rows = RecurrenceRows(scratch).size();
    std::string report = RecurrenceReportText(scratch);
    EXPECT_EQ(CountOf(report, '\n'), rows > 30 ? rows - 30 : 0);
    // "[%2d%d%d%d%d]" of five tallies from 0 to 30.
    static const std::regex kTallies(R"( \[[ 0-9][0-9]([0-9]{1,2}){4}\]$)");
    for (const std::string& line : LinesEndedBy(report, "\n"))
        ASSERT_TRUE(std::regex_search(line, kTallies)) << line;
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
