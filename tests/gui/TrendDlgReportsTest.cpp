// The analysis buttons of the real window: what they show, which reports they
// write and the order in which the window opens them.

#include "gui/TrendDlgFixture.h"

#include "analysis/BackZoneIndex.h"
#include "analysis/GapReports.h"
#include "analysis/NumberCount.h"
#include "common/Strings.h"
#include "fakes/HostileResultTexts.h"
#include "fakes/SampleResultTexts.h"

#include <QScrollBar>
#include <filesystem>
#include <vector>

namespace veltrix::test {
namespace {

using Texts = std::vector<std::string>;

class TrendDlgReportsTest : public TrendDlgFixture {
protected:
    void Analyse(const std::string& rows, const QString& command) {
        dlg->SetResultBoxText(rows);
        ReplaceTyped(CommandEdit(), command);
        Click(1008);
    }
};

TEST_F(TrendDlgReportsTest, CountReplacesTheResultAndKeepsTheTypedCommand) {
    dlg->SetResultBoxText("07 07\r\n");
    ResultEdit()->moveCursor(QTextCursor::End);
    TypeInto(ResultEdit(), QStringLiteral("19"));
    ReplaceTyped(CommandEdit(), QStringLiteral("typed"));
    Click(1007);
    EXPECT_EQ(ResultEdit()->StoredText().substr(0, 28), "07 = 2\r\n\r\n19 = 1\r\n\r\n01 = 0\r\n");
    EXPECT_EQ(dlg->m_strResult, ResultEdit()->StoredText());
    EXPECT_EQ(CommandEdit()->StoredText(), "typed");
}

TEST_F(TrendDlgReportsTest, BackZoneIndexKeepsWhatWasTypedIntoTheCommandBox) {
    dlg->SetResultBoxText("03 11\r\n2013001 01 05\r\n");
    ResultEdit()->moveCursor(QTextCursor::End);
    TypeInto(ResultEdit(), QStringLiteral("12 01"));
    ReplaceTyped(CommandEdit(), QStringLiteral("select l1, l2 from dlt"));
    Click(1010);
    EXPECT_EQ(ResultEdit()->StoredText(), "03 11 29\r\n12 01 11\r\n");
    EXPECT_EQ(dlg->m_strResult, "03 11 29\r\n12 01 11\r\n");
    EXPECT_EQ(CommandEdit()->StoredText(), "select l1, l2 from dlt");
    Click(1010);
    EXPECT_EQ(ResultEdit()->StoredText(), "") << "no five-character line is left";
}

TEST_F(TrendDlgReportsTest, AnalyseOpensTheReportsInOrder) {
    const std::string rows = DltRows(40);
    Analyse(rows, QStringLiteral("select h1,h2,h3,h4,h5,l1,l2 from dlt"));
    EXPECT_EQ(opener.paths,
              (Texts{"./Analyse_gap.txt", "./Analyse_123.txt", "./DLT_FX_QS.txt", "./DLT_FX.txt"}));
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(FileText("dlt.txt"), ToTextModeBytes(rows));
    // The files hold the core's reports as text mode writes them.
    std::optional<GapReportTexts> reports =
        GapReports(rows, 7, "select h1,h2,h3,h4,h5,l1,l2 from dlt");
    ASSERT_TRUE(reports);
    EXPECT_EQ(FileText("Analyse_gap.txt"), ToTextModeBytes(reports->gap));
    EXPECT_EQ(FileText("Analyse_123.txt"), ToTextModeBytes(reports->oneTwoThree));
    // The boxes are left as they were.
    EXPECT_EQ(ResultEdit()->StoredText(), rows);
    EXPECT_EQ(CommandEdit()->StoredText(), "select h1,h2,h3,h4,h5,l1,l2 from dlt");
}

TEST_F(TrendDlgReportsTest, AnalyseByGameTag) {
    Analyse(DltRows(40), QStringLiteral("select * from ssq"));
    EXPECT_EQ(opener.paths, (Texts{"./Analyse_gap.txt", "./Analyse_123.txt", "./SSQ_FX_QS.txt"}));
    opener.paths.clear();
    Analyse("01 02 03\r\n04 05 06\r\n07 08 09\r\n", QStringLiteral("select * from 3d"));
    EXPECT_EQ(opener.paths, (Texts{"./Analyse_gap.txt", "./Analyse_123.txt", "./3D_FX.txt"}));
    EXPECT_FALSE(FileExists(dir.File("DLT_FX.txt")));
}

TEST_F(TrendDlgReportsTest, AnalyseReadsWhatWasTypedIntoTheResultBox) {
    ReplaceTyped(CommandEdit(), QStringLiteral("select * from p3"));
    ReplaceTyped(ResultEdit(), QStringLiteral("01 02 03 04 05 06 07\n02 02 02 02 02 02 02"));
    Click(1008);
    EXPECT_EQ(FileText("Analyse_gap.txt"),
              "02 02 02 02 02 02 02 :    1,   0,  -1,  -2,  -3,  -4,  -5\r\n");
    EXPECT_EQ(FileText("dlt.txt"), "01 02 03 04 05 06 07\r\r\n02 02 02 02 02 02 02");
}

TEST_F(TrendDlgReportsTest, PeriodReportFollowsTheRunLengthList) {
    WriteSettings("[OPTION]\r\nAnalyse_DLT_LINE=3\r\n");
    Analyse(kThreeRowRun, QStringLiteral("select * from dlt"));
    EXPECT_NE(FileText("DLT_FX_QS.txt").find("01=[13]"), std::string::npos);
    Choose(RunLengthList(), 0);
    Click(1008);
    EXPECT_EQ(FileText("DLT_FX_QS.txt").find("01=[13]"), std::string::npos);
}

TEST_F(TrendDlgReportsTest, ReportsThatCannotBeCreatedOrOpenedAreSaid) {
    std::filesystem::create_directory(dir.Path() / "Analyse_gap.txt");
    std::filesystem::create_directory(dir.Path() / "dlt.txt");
    Analyse(DltRows(40), QStringLiteral("select * from dlt"));
    const Texts notCreated = {"can't create file Analyse_gap.txt", "can't create file dlt.txt"};
    EXPECT_EQ(messages.texts, notCreated);
    EXPECT_EQ(opener.paths, (Texts{"./Analyse_123.txt", "./DLT_FX_QS.txt"}));

    // No program for text files: one message names the reports written.
    opener.opens = false;
    opener.paths.clear();
    messages.texts.clear();
    Click(1008);
    Texts said = notCreated;
    said.push_back("The reports were written (./Analyse_123.txt, ./DLT_FX_QS.txt), but no program "
                   "could open them: no program for text files is set up.");
    EXPECT_EQ(messages.texts, said);
    EXPECT_EQ(messages.icons.back(), MessageIcon::Warning);
}

TEST_F(TrendDlgReportsTest, ReadOnlyWorkingFolderShowsEveryReportItCannotCreate) {
    dlg->SetResultBoxText(DltRows(40));
    ReplaceTyped(CommandEdit(), QStringLiteral("select * from dlt"));
    const Texts listing = FolderListing();
    InReadOnlyFolder([&] { Click(1008); });
    EXPECT_EQ(messages.texts,
              (Texts{"can't create file Analyse_gap.txt", "can't create file Analyse_123.txt",
                     "can't create file DLT_FX_QS.txt", "can't create file dlt.txt"}));
    EXPECT_TRUE(opener.paths.empty());
    EXPECT_EQ(FolderListing(), listing) << "nothing written, nothing left behind";
    EXPECT_EQ(ResultEdit()->StoredText(), DltRows(40)) << "the window goes on as it was";
}

// The buttons and the chart over result-box texts no query gives.
class TrendDlgHostileTextTest : public TrendDlgFixture,
                                public ::testing::WithParamInterface<HostileResultText> {
protected:
    // Shows the text and lets the chart paint it at the top and the bottom.
    void ShowAndScroll(const std::string& text) {
        dlg->SetResultBoxText(text);
        dlg->repaint();
        QScrollBar* bar = ResultEdit()->verticalScrollBar();
        bar->setValue(bar->maximum());
        dlg->repaint();
    }
};

TEST_P(TrendDlgHostileTextTest, EveryButtonAndTheChartTakeIt) {
    const std::string& text = GetParam().text;
    for (const char* command : {"select * from dlt", "select * from ssq", "select * from 3d"}) {
        SCOPED_TRACE(command);
        ReplaceTyped(CommandEdit(), QString::fromUtf8(command));
        ShowAndScroll(text);
        EXPECT_TRUE(ResultEdit()->StoredText() == text) << "the box keeps every byte";

        opener.paths.clear();
        Click(1008);
        EXPECT_TRUE(messages.texts.empty());
        for (const std::string& path : opener.paths)
            EXPECT_TRUE(FileExists(dir.File(path))) << path;

        Click(1007);
        EXPECT_TRUE(ResultEdit()->StoredText() == (text.empty() ? text : NumberCountText(text)));
        ShowAndScroll(text);
        Click(1010);
        EXPECT_TRUE(ResultEdit()->StoredText() == BackZoneIndexText(text));
        dlg->repaint();
    }
}

INSTANTIATE_TEST_SUITE_P(Window, TrendDlgHostileTextTest, ::testing::ValuesIn(HostileResultTexts()),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace veltrix::test
