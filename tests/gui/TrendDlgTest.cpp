#include "gui/TrendDlgFixture.h"

#include "common/IniFile.h"
#include "common/Strings.h"
#include "query/SavedCommands.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QScrollBar>

#include <string_view>
#include <vector>

namespace veltrix::test {
namespace {

class TrendDlgTest : public TrendDlgFixture {
protected:
    void SeedDraws() {
        Exec("INSERT INTO dlt (qs, rq, h1, h2, h3, h4, h5, l1, l2) VALUES "
             "(24001, '2024-01-01', 1, 2, 3, 4, 5, 6, 7), "
             "(24002, '2024-01-03', 8, 9, 10, 11, 12, 1, 2), "
             "(24003, '2024-01-06', 13, 14, 15, 16, 17, 3, 4)");
    }
    void RunTyped(const QString& sql) {
        ReplaceTyped(CommandEdit(), sql);
        Click(1002);
    }
};

TEST_F(TrendDlgTest, StartsFixedSizeWithTheFourthSavedCommandAndTheListFocused) {
    ASSERT_TRUE(initResult);
    EXPECT_EQ(dlg->windowTitle().toStdString(), "Zox 彩票-走势分析");
    EXPECT_EQ(dlg->size(), QSize(1011, 541));
    EXPECT_EQ(dlg->minimumSize(), dlg->maximumSize());
    EXPECT_TRUE(dlg->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dlg->windowFlags() & Qt::WindowMaximizeButtonHint);
    // A main window of its own (taskbar, Alt+Tab), not a modal dialog.
    EXPECT_EQ(dlg->windowType(), Qt::Window);
    EXPECT_EQ(dlg->windowModality(), Qt::NonModal);
    EXPECT_FALSE(dlg->windowIcon().isNull());
    EXPECT_EQ(dlg->focusWidget(), CommandList());
    EXPECT_TRUE(dlg->m_db.IsOpen());
    EXPECT_TRUE(messages.texts.empty());
    // The first paint draws the chart of the empty box, which shows the
    // record count 0 in the label; the stored count text is still empty.
    EXPECT_EQ(CountLabel(), "0");
    EXPECT_EQ(dlg->m_strCount, "");
    EXPECT_EQ(dlg->m_nCount, 0);
    EXPECT_EQ(ResultEdit()->StoredText(), "");
    EXPECT_EQ(RunLengthList()->currentText().toStdString(), "2");
    ASSERT_EQ(RunLengthList()->count(), 2);
    EXPECT_EQ(RunLengthList()->itemText(1).toStdString(), "3");
    ASSERT_EQ(CommandList()->count(), 4);
    EXPECT_EQ(CommandList()->itemText(0).toStdString(), "1 大乐透近30期");
    EXPECT_EQ(CommandList()->currentIndex(), 3);
    EXPECT_EQ(CommandEdit()->StoredText(), "select qs,h1,h2\r\nfrom dlt\r\n");
    EXPECT_EQ(dlg->m_strSQL, "select qs,h1,h2\r\nfrom dlt\r\n");
}

struct Placement {
    const char* name;
    QRect rect;
    const char* caption; // null: not a button
};

TEST_F(TrendDlgTest, ControlsStandAtTheirPlacesWithTheirCaptionsAndLooks) {
    const std::vector<Placement> placements = {
        {"button1002", {871, 4, 45, 21}, "查询"},
        {"button1005", {921, 4, 45, 21}, "重载"},
        {"button1008", {702, 126, 51, 18}, "分   析"},
        {"button1007", {754, 126, 51, 18}, "统计个数"},
        {"button1004", {807, 126, 51, 18}, "删除Tab"},
        {"button1010", {859, 126, 51, 18}, "后区索引"},
        {"button1009", {912, 126, 51, 18}, "中奖查询"},
        {"button1013", {702, 144, 51, 18}, "更新DLT"},
        {"button1019", {754, 144, 51, 18}, "更新七星"},
        {"button1018", {807, 144, 51, 18}, "更新22/5"},
        {"button1017", {859, 144, 51, 18}, "更新排五"},
        {"button1014", {702, 162, 51, 18}, "更新SSQ"},
        {"button1020", {754, 162, 51, 18}, "更新七乐"},
        {"button1015", {807, 162, 51, 18}, "更新3D"},
        {"button1016", {912, 144, 51, 18}, "更新排三"},
        {"button1012", {859, 162, 51, 18}, "更新全部"},
        {"button1021", {912, 162, 51, 18}, "最后开奖"},
        {"editCommand", {697, 28, 309, 90}, nullptr},
        {"editResult", {697, 186, 309, 351}, nullptr},
        {"labelCount", {966, 165, 31, 15}, nullptr},
        {"groupButtons", {697, 115, 309, 67}, nullptr},
        {"comboCommands", {697, 6, 171, 21}, nullptr},
        {"comboRunLength", {969, 4, 37, 21}, nullptr},
    };
    for (const Placement& p : placements) {
        SCOPED_TRACE(p.name);
        QWidget* widget = Find<QWidget>(p.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), p.rect);
        if (!p.caption)
            continue;
        auto* button = qobject_cast<CColorButton*>(widget);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text().toStdString(), p.caption);
        EXPECT_TRUE(button->isEnabled());
        EXPECT_TRUE(button->DrawsBorder());
        EXPECT_TRUE(button->IsIdleRaised());
        // Every caption but the last button's turns red under the mouse.
        EXPECT_EQ(button->Color(1),
                  std::string_view(p.name) == "button1021"
                      ? button->palette().color(QPalette::Active, QPalette::ButtonText)
                      : QColor(255, 0, 0));
    }
    // The chart area on the left is free of controls.
    for (QWidget* child : dlg->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_GE(child->x(), 691) << child->objectName().toStdString();
}

TEST_F(TrendDlgTest, TabOrderFollowsTheControlTable) {
    const Texts expected = {
        "comboCommands", "button1002", "button1005", "comboRunLength", "editCommand", "button1008",
        "button1007",    "button1004", "button1010", "button1009",     "button1013",  "button1019",
        "button1018",    "button1017", "button1014", "button1020",     "button1015",  "button1016",
        "button1012",    "editResult", "button1021"};
    Texts order;
    QWidget* widget = CommandList();
    for (size_t i = 0; i < expected.size(); ++i) {
        order.push_back(widget->objectName().toStdString());
        do {
            widget = widget->nextInFocusChain();
        } while (!(widget->focusPolicy() & Qt::TabFocus) || widget->objectName().isEmpty());
    }
    EXPECT_EQ(order, expected);
}

TEST_F(TrendDlgTest, BoxFontHasDoubleWidthCjkAndBoxDrawingAndChartFontIsBold) {
    QFontMetrics metrics(ResultEdit()->font());
    // The line pitch of 宋体 at 9 points: the result box shows 28 whole lines.
    EXPECT_EQ(metrics.lineSpacing(), 12);
    EXPECT_GE(ResultEdit()->viewport()->height() / metrics.lineSpacing(), 28);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("0")), 6);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("大")), 12);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("─")), 12);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("│01 02│")), 6 * 5 + 2 * 12);
    // The chart draws in m_font, in cells twelve pixels high.
    EXPECT_TRUE(dlg->m_font.bold());
    EXPECT_LE(QFontMetrics(dlg->m_font).height(), 12);
    EXPECT_GE(QFontMetrics(dlg->m_font).height(), 10);
}

// Choosing a saved command replaces the typed command, never the result box.
TEST_F(TrendDlgTest, ReloadPicksUpEditsOfTheSettingsFile) {
    TypeInto(ResultEdit(), QStringLiteral("typed 结果"));
    WriteSettings("[Command]\r\ncmd1=1 a\r\ncmd2=2 b\r\ncmd5=5 e\r\ncmd5_SQL1=select 5\r\n");
    ReplaceTyped(CommandEdit(), QStringLiteral("mine"));
    Click(1005);
    ASSERT_EQ(CommandList()->count(), 3);
    EXPECT_EQ(CommandList()->currentIndex(), -1);
    EXPECT_EQ(CommandEdit()->StoredText(), "mine");
    Choose(CommandList(), 2);
    EXPECT_EQ(CommandEdit()->StoredText(), "select 5\r\n");
    EXPECT_EQ(ResultEdit()->StoredText(), "typed 结果");
    // A name without lines leaves the box alone.
    ReplaceTyped(CommandEdit(), QStringLiteral("mine again"));
    Choose(CommandList(), 0);
    EXPECT_EQ(CommandEdit()->StoredText(), "mine again");
}

TEST_F(TrendDlgTest, PickingARunLengthWritesTheSettingAtOnce) {
    Choose(RunLengthList(), 1);
    std::string changed = DefaultSettings(); // only that line differs
    changed.replace(changed.find("LINE=2"), 6, "LINE=3");
    EXPECT_EQ(FileText("Veltrix.ini"), changed);
    Choose(RunLengthList(), 0);
    EXPECT_EQ(FileText("Veltrix.ini"), DefaultSettings());
    // Without a file the window starts on 2 and no commands; a choice creates it.
    std::filesystem::remove(dir.File("Veltrix.ini"));
    RestartWindow();
    EXPECT_EQ(RunLengthList()->currentText().toStdString(), "2");
    EXPECT_EQ(CommandList()->count(), 0);
    Choose(RunLengthList(), 1);
    EXPECT_EQ(FileText("Veltrix.ini"), "[OPTION]\r\nAnalyse_DLT_LINE=3\r\n");
}

// "查询" over one set of draws: each statement typed as the user would, into
// boxes holding typed text.
TEST_F(TrendDlgTest, QueryButtonShowsWhatTheStatementGives) {
    SeedDraws();
    struct Case {
        const char* name;
        const char* command;
        const char* result;
        const char* label;
        bool fails;
    };
    const Case cases[] = {
        {"rows", "select qs, h1, h2 from dlt order by qs",
         "24001 1 2\r\n24002 8 9\r\n24003 13 14\r\n", "3", false},
        {"empty command changes no text", "", "kept", "3", false},
        {"typed line break", "select qs from dlt where qs = 24002\nand h1 = 8", "24002\r\n", "1",
         false},
        // The runner leaves the label alone, but the chart drawn after "查询"
        // writes the record count, which the failed run set to 0.
        {"failure", "selec nonsense", "", "0", true},
        {"no rows", "select qs from dlt where qs < 0", "", "0", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.texts.clear();
        messages.icons.clear();
        ReplaceTyped(ResultEdit(), QStringLiteral("kept"));
        RunTyped(QString::fromUtf8(c.command));
        EXPECT_EQ(ResultEdit()->StoredText(), c.result);
        EXPECT_EQ(dlg->m_strResult, c.result);
        EXPECT_EQ(CountLabel(), c.label);
        EXPECT_EQ(CountLabel(), std::to_string(dlg->m_nCount));
        EXPECT_EQ(CommandEdit()->StoredText(), ToTextModeBytes(c.command));
        ASSERT_EQ(messages.texts.size(), c.fails ? 1u : 0u);
        if (c.fails) {
            EXPECT_FALSE(messages.texts[0].empty());
            EXPECT_EQ(messages.icons[0], MessageIcon::None);
        }
        // The caret stands at the end of the result box, which has the focus.
        EXPECT_EQ(dlg->focusWidget(), ResultEdit());
        EXPECT_TRUE(ResultEdit()->textCursor().atEnd());
        EXPECT_FALSE(ResultEdit()->textCursor().hasSelection());
    }
    // The runner alone: a statement without rows empties the box and the
    // count, and leaves the label.
    RunTyped(QStringLiteral("select qs from dlt"));
    ASSERT_EQ(CountLabel(), "3");
    dlg->RunQuery("INSERT INTO dlt (qs, h1) VALUES (24004, 9)");
    EXPECT_EQ(ResultEdit()->StoredText(), "");
    EXPECT_EQ(dlg->m_nCount, 0);
    EXPECT_EQ(CountLabel(), "3");
}

TEST_F(TrendDlgTest, ExchangeRoundTripsTheExactText) {
    // The accessors read the box, not the stored text, until a save. (The
    // box's own round trip of every byte is EditBoxTest's.)
    const std::string text = "24001 07 11\r\nfield\rwith\nbreaks\t│大\r\n\xFF\r\n";
    dlg->SetResultBoxText(text);
    EXPECT_EQ(dlg->ResultBoxText(), text);
    EXPECT_EQ(dlg->m_strResult, "");
    dlg->ExchangeData(true);
    EXPECT_EQ(dlg->m_strResult, text);

    // A box already showing its text keeps caret, scroll position and undo.
    std::string rows;
    for (int i = 0; i < 200; ++i)
        rows += StrFormat("%05d 01 02\r\n", i);
    dlg->SetResultBoxText(rows);
    QTextCursor cursor = ResultEdit()->textCursor();
    cursor.setPosition(25);
    ResultEdit()->setTextCursor(cursor);
    TypeInto(ResultEdit(), QStringLiteral("x"));
    ResultEdit()->verticalScrollBar()->setValue(40);
    dlg->ExchangeData(true);
    dlg->ExchangeData(false);
    EXPECT_EQ(ResultEdit()->textCursor().position(), 26);
    EXPECT_EQ(ResultEdit()->verticalScrollBar()->value(), 40);
    EXPECT_TRUE(ResultEdit()->document()->isUndoAvailable());

    // Without a preceding save, the boxes go back to the stored texts.
    TypeInto(CommandEdit(), QStringLiteral("lost"));
    dlg->m_strSQL = "stored";
    dlg->ExchangeData(false);
    EXPECT_EQ(CommandEdit()->StoredText(), "stored");
}

TEST_F(TrendDlgTest, PrizeCheckStartsItsProgramAndClosingSavesTheBoxes) {
    Click(1009);
    std::string program = QCoreApplication::applicationDirPath().toStdString() + "/veltrix-prize";
    EXPECT_EQ(launcher.programs, Texts{program});
    size_t shown = messages.texts.size();
    launcher.starts = false;
    Click(1009);
    ASSERT_EQ(messages.texts.size(), shown + 1);
    EXPECT_EQ(messages.texts.back(), "不能启动中奖查询程序 " + program);
    TypeInto(ResultEdit(), QStringLiteral("last words"));
    EXPECT_TRUE(dlg->close());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->m_strResult, "last words");
}

// That the file stays as it was is the settings writer's rule (IniFileTest).
TEST_F(TrendDlgTest, RunLengthThatCannotBeSavedIsSaidAndShownAsKept) {
    std::filesystem::remove(dir.File("Veltrix.ini"));
    std::filesystem::create_directory(dir.File("Veltrix.ini"));
    Choose(RunLengthList(), 1);
    EXPECT_EQ(messages.texts, Texts{"The run length 3 could not be saved to ./Veltrix.ini; the "
                                    "analyses keep 2."});
    EXPECT_EQ(RunLengthList()->currentText().toStdString(), "2");
}

TEST_F(TrendDlgTest, SavedCommandWithANulByteIsRefusedNotCut) {
    // Cut at the NUL, the statement would delete every dlt draw.
    SeedDraws();
    WriteSettings(std::string("[Command]\r\ncmd1=1 x\r\ncmd2=2 x\r\ncmd3=3 x\r\ncmd4=4 nul\r\n"
                              "cmd4_SQL1=delete from dlt\0 where qs = 'none'\r\n",
                              99));
    Click(1005);
    ASSERT_EQ(CommandEdit()->StoredText(),
              std::string("delete from dlt\0 where qs = 'none'\r\n", 36));
    Click(1002);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_FALSE(messages.texts[0].empty());
    RunTyped(QStringLiteral("select count(*) from dlt"));
    EXPECT_EQ(ResultEdit()->StoredText(), "3\r\n");
}

// Settings files written by anything.
std::vector<std::pair<const char*, std::string>> HostileSettingsFiles() {
    std::string withCommands = "[OPTION]\r\nAnalyse_DLT_LINE=3\r\n[Command]\r\n";
    for (int n = 1; n <= 100; ++n) {
        withCommands += StrFormat("cmd%d=%d command %d\r\n", n, n, n);
        for (int j = 1; j <= 100; ++j)
            withCommands += StrFormat("cmd%d_SQL%d=select %d, %d", n, j, n, j) +
                            std::string(300, ' ') + "-- long\r\n";
    }
    return {
        // A hundred commands of a hundred long lines after a 4 MB line.
        {"huge", std::string(4 * 1024 * 1024, ';') + "\r\n" + withCommands},
        {"run length out of range", "[OPTION]\r\nAnalyse_DLT_LINE=7\r\n"},
        {"nul bytes", std::string("[Command]\r\ncmd1=1\0a\r\ncmd2=\0\r\ncmd3=3 c\r\n"
                                  "cmd4=4 d\r\ncmd5=5 e\r\ncmd4_SQL1=select\0 1\r\n",
                                  80)},
    };
}

// The window starts on each file with the list the saved commands make, the
// fourth chosen and loaded; it still runs queries after all of them. ("重载"
// reads through the same loader: ReloadPicksUpEditsOfTheSettingsFile.)
TEST_F(TrendDlgTest, HostileSettingsFilesStartTheWindow) {
    for (const auto& [name, bytes] : HostileSettingsFiles()) {
        SCOPED_TRACE(name);
        WriteSettings(bytes);
        RestartWindow();
        ASSERT_TRUE(initResult);
        const Texts names = SavedCommandNames(bytes);
        EXPECT_EQ(CommandList()->currentIndex(), names.size() >= 4 ? 3 : -1);
        const std::string fourth = names.size() >= 4 ? SavedCommandText(bytes, names[3]) : "";
        EXPECT_TRUE(CommandEdit()->StoredText() == fourth);
        ASSERT_EQ(CommandList()->count(), static_cast<int>(names.size()));
        for (int i = 0; i < CommandList()->count(); ++i) {
            EXPECT_TRUE(CommandList()->itemText(i).toStdString() == names[size_t(i)]) << i;
            Choose(CommandList(), i);
        }
        const int runLength = GetProfileInt("OPTION", "Analyse_DLT_LINE", 2, "./Veltrix.ini");
        EXPECT_EQ(RunLengthList()->currentText().toStdString(), runLength == 3 ? "3" : "2");
        EXPECT_EQ(FileText("Veltrix.ini"), bytes) << "reading never writes";
    }
    RunTyped(QStringLiteral("select count(*) from dlt"));
    EXPECT_EQ(ResultEdit()->StoredText(), "0\r\n");
}

} // namespace
} // namespace veltrix::test
