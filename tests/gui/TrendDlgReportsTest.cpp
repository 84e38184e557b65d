// The analysis buttons of the real window: they read the result box as typed,
// keep the typed command, follow the run-length list and say what they could
// not do. Which reports each game gets, what they hold and the reports that
// cannot be created are the analyses' own tests' (tests/analysis).

#include "gui/TrendDlgFixture.h"

#include "fakes/SampleResultTexts.h"

#include <vector>

namespace veltrix::test {
namespace {

class TrendDlgReportsTest : public TrendDlgFixture {
protected:
    void Analyse(const std::string& rows, const QString& command) {
        dlg->SetResultBoxText(rows);
        ReplaceTyped(CommandEdit(), command);
        Click(1008);
    }
};

// "统计个数", "后区索引" and "删除Tab" replace the result with their text over
// what the box holds now, typed lines included, and leave the typed command
// alone (its tabs too).
TEST_F(TrendDlgReportsTest, ResultButtonsReadTheTypedBoxAndKeepTheTypedCommand) {
    const struct {
        int button;
        const char* shown;
        const char* typed;
        const char* result; // of "统计个数", the start
    } cases[] = {
        {1004, "01\t02\r\n", "03\t04", "01 02\r\n03 04"},
        {1007, "07 07\r\n", "19", "07 = 2\r\n\r\n19 = 1\r\n\r\n01 = 0\r\n"},
        {1010, "03 11\r\n2013001 01 05\r\n", "12 01", "03 11 29\r\n12 01 11\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        dlg->SetResultBoxText(c.shown);
        ResultEdit()->moveCursor(QTextCursor::End);
        TypeInto(ResultEdit(), QString::fromUtf8(c.typed));
        ReplaceTyped(CommandEdit(), QStringLiteral("typed\tcommand"));
        Click(c.button);
        const std::string shown = ResultEdit()->StoredText();
        EXPECT_EQ(c.button == 1007 ? shown.substr(0, 28) : shown, c.result);
        EXPECT_EQ(dlg->m_strResult, shown);
        EXPECT_EQ(CommandEdit()->StoredText(), "typed\tcommand");
    }
}

// "分   析" writes the box as typed (a typed line break is CR LF, written in
// text mode) and leaves both boxes as they were.
TEST_F(TrendDlgReportsTest, AnalyseReadsWhatWasTypedIntoTheResultBox) {
    ReplaceTyped(CommandEdit(), QStringLiteral("select * from p3"));
    ReplaceTyped(ResultEdit(), QStringLiteral("01 02 03 04 05 06 07\n02 02 02 02 02 02 02"));
    Click(1008);
    EXPECT_EQ(opener.paths, (Texts{"./Analyse_gap.txt", "./Analyse_123.txt", "./DLT_FX.txt"}));
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(FileText("Analyse_gap.txt"),
              "02 02 02 02 02 02 02 :    1,   0,  -1,  -2,  -3,  -4,  -5\r\n");
    EXPECT_EQ(FileText("dlt.txt"), "01 02 03 04 05 06 07\r\r\n02 02 02 02 02 02 02");
    EXPECT_EQ(ResultEdit()->StoredText(), "01 02 03 04 05 06 07\r\n02 02 02 02 02 02 02");
    EXPECT_EQ(CommandEdit()->StoredText(), "select * from p3");
}

TEST_F(TrendDlgReportsTest, PeriodReportFollowsTheRunLengthList) {
    WriteSettings("[OPTION]\r\nAnalyse_DLT_LINE=3\r\n");
    Analyse(kThreeRowRun, QStringLiteral("select * from dlt"));
    EXPECT_NE(FileText("DLT_FX_QS.txt").find("01=[13]"), std::string::npos);
    Choose(RunLengthList(), 0);
    Click(1008);
    EXPECT_EQ(FileText("DLT_FX_QS.txt").find("01=[13]"), std::string::npos);
}

TEST_F(TrendDlgReportsTest, ReportsThatCannotBeOpenedAreSaidOnce) {
    opener.opens = false; // no program for text files
    Analyse(DltRows(40), QStringLiteral("select * from ssq"));
    EXPECT_EQ(messages.texts, Texts{"The reports were written (./Analyse_gap.txt, "
                                    "./Analyse_123.txt, ./SSQ_FX_QS.txt), but no program could "
                                    "open them: no program for text files is set up."});
    EXPECT_EQ(messages.icons, std::vector<MessageIcon>{MessageIcon::Warning});
}

} // namespace
} // namespace veltrix::test
