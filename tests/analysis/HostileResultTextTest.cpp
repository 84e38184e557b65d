// Every analysis over result-box texts no query gives (fakes/
// HostileResultTexts.h): the two list buttons answer in their usual shape,
// and "分   析" runs every report over them and writes and opens only whole
// ones. Run under the sanitizers as well. What each report holds is checked
// against its rule by the fuzz targets, whose corpora the test runs replay.

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

#include <algorithm>
#include <map>
#include <set>

namespace veltrix {
namespace {

using test::HostileResultText;

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
