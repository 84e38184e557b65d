// The window under a user's hands: keys and the wheel do only what their
// control does, the chart shows the lines the result box shows however they
// got there, a long statement can be stopped, and a database file that is
// not a draw database is named for what it is.

#include "gui/TrendDlgFixture.h"

#include "chart/ChartRows.h"
#include "chart/TrendChart.h"
#include "common/Strings.h"
#include "fakes/RawDatabase.h"
#include "fakes/UpdateFakes.h"
#include "query/SavedCommands.h"
#include "update/DrawImport.h"

#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace veltrix::test {
namespace {

class TrendDlgUseTest : public TrendDlgFixture {
protected:
    // The database through SQLite itself: bulk set-up data, and what is left.
    RawDatabase Sqlite() const {
        return RawDatabase(dir.File("DLT.mdb"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    }
    // The scene the chart should show for the box's visible lines now.
    ChartScene ExpectedScene() const {
        ChartInput input;
        input.clientHeight = dlg->height();
        input.recordCount = dlg->m_nCount;
        for (int i = 0; i < kChartLinesRead; ++i)
            input.lines.push_back(
                dlg->ResultLine(dlg->ResultFirstVisibleLine() + i, kChartLineMaxBytes));
        return ComputeChartScene(ChooseChartLayout(dlg->CommandBoxText()), input);
    }
    // What the window shows on the screen, as the window system holds it.
    QImage OnScreen() const {
        QTest::qWait(30);
        return dlg->screen()->grabWindow(dlg->winId()).toImage();
    }
    void Wheel(QWidget* widget, int delta) {
        const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
        QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &wheel);
    }
};

// Enter in a list or on a button presses nothing, and a wheel over a list
// without the focus leaves its choice alone: each would otherwise run or
// replace what the user typed, or rewrite the settings file.
TEST_F(TrendDlgUseTest, EnterAndStrayWheelsChangeNothing) {
    Exec("INSERT INTO dlt (qs, h1) VALUES (24001, 1)");
    ReplaceTyped(CommandEdit(), QStringLiteral("delete from dlt"));
    const std::string typed = CommandEdit()->StoredText();
    const std::string settings = FileText("Veltrix.ini");
    const struct {
        const char* name;
        QWidget* target;
    } cases[] = {{"saved-command list", CommandList()},
                 {"run-length list", RunLengthList()},
                 {"查询", Button(1002)},
                 {"重载", Button(1005)},
                 {"the window", dlg.get()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.target->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(c.target, key);
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(CommandEdit()->StoredText(), typed);
        EXPECT_EQ(Sqlite().Count("dlt"), 1);
        EXPECT_TRUE(messages.texts.empty());
    }
    // Enter in the command box makes a new line.
    CommandEdit()->setFocus();
    CommandEdit()->moveCursor(QTextCursor::End);
    QTest::keyClick(CommandEdit(), Qt::Key_Return);
    EXPECT_EQ(CommandEdit()->StoredText(), typed + "\r\n");
    for (QComboBox* list : {CommandList(), RunLengthList()}) {
        SCOPED_TRACE(list->objectName().toStdString());
        const int chosen = list->currentIndex();
        for (int delta : {-120, 120, 120})
            Wheel(list, delta);
        EXPECT_EQ(list->currentIndex(), chosen);
    }
    EXPECT_EQ(CommandEdit()->StoredText(), typed + "\r\n");
    EXPECT_EQ(FileText("Veltrix.ini"), settings);
    // With the focus, the wheel turns the list as before.
    RunLengthList()->setFocus();
    Wheel(RunLengthList(), -120);
    EXPECT_EQ(RunLengthList()->currentIndex(), 1);
}

// However the result box's first visible line moves, or its text changes,
// the chart shows the lines from there on.
TEST_F(TrendDlgUseTest, ChartShowsTheLinesTheResultBoxShows) {
    std::string rows;
    for (int i = 0; i < 300; ++i)
        rows += StrFormat("%02d %02d %02d %02d %02d %02d %02d\r\n", i % 31 + 1, (i * 7) % 33 + 1,
                          (i * 3) % 35 + 1, 34, 35, i % 12 + 1, 12);
    dlg->SetResultBoxText(rows);
    ResultEdit()->setFocus();
    auto key = [this](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        return [this, k, m] { QTest::keyClick(ResultEdit(), k, m); };
    };
    const struct {
        const char* name;
        std::function<void()> act;
    } moves[] = {
        {"Ctrl+End", key(Qt::Key_End, Qt::ControlModifier)},
        {"PageUp", key(Qt::Key_PageUp)},
        {"Up", key(Qt::Key_Up)},
        {"Ctrl+Home", key(Qt::Key_Home, Qt::ControlModifier)},
        {"PageDown", key(Qt::Key_PageDown)},
        {"Down past the bottom",
         [&] {
             for (int i = 0; i < 40; ++i)
                 QTest::keyClick(ResultEdit(), Qt::Key_Down);
         }},
        {"wheel", [&] { Wheel(ResultEdit()->viewport(), -240); }},
        {"scroll bar", [&] { ResultEdit()->verticalScrollBar()->setValue(120); }},
        {"typing a line above",
         [&] {
             ResultEdit()->moveCursor(QTextCursor::Start);
             TypeInto(ResultEdit(), QStringLiteral("01 02 03 04 05 06 07\n"));
         }},
        {"Ctrl+Home again", key(Qt::Key_Home, Qt::ControlModifier)},
        {"a new text", [&] { dlg->SetResultBoxText(rows.substr(rows.size() / 2)); }},
        // The layout follows the command at the next draw.
        {"a 3d command",
         [&] {
             ReplaceTyped(CommandEdit(), QStringLiteral("select h1,h2,h3 from 3d"));
             dlg->SetResultBoxText("07 03 05 x\r\n");
         }},
        {"a query, which leaves the caret at its last rows",
         [&] {
             std::string values;
             for (int i = 0; i < 100; ++i)
                 values += StrFormat("%s('%05d', %d)", i ? ", " : "", 25001 + i, i % 35 + 1);
             Exec("INSERT INTO dlt (QS, H1) VALUES " + values);
             ReplaceTyped(CommandEdit(),
                          QStringLiteral("select format(h1,'00') from dlt order by qs"));
             Click(1002);
         }},
    };
    int lastFirst = ResultEdit()->FirstVisibleLine();
    int moved = 0;
    for (const auto& move : moves) {
        SCOPED_TRACE(move.name);
        const auto before = dlg->ChartSceneShown().primitives;
        move.act();
        QCoreApplication::processEvents();
        EXPECT_TRUE(dlg->ChartSceneShown().primitives == ExpectedScene().primitives);
        const int first = ResultEdit()->FirstVisibleLine();
        if (first != lastFirst) {
            ++moved;
            EXPECT_FALSE(dlg->ChartSceneShown().primitives == before) << "the chart moved along";
        }
        lastFirst = first;
    }
    EXPECT_GE(moved, 8);
    EXPECT_GT(ResultEdit()->FirstVisibleLine(), 60);
    // Every draw sets the label to the query's count, not the rows drawn.
    dlg->SetCountLabelText("");
    ResultEdit()->verticalScrollBar()->setValue(17);
    EXPECT_EQ(dlg->ResultFirstVisibleLine(), 17);
    EXPECT_EQ(CountLabel(), "100");
}

// A command naming a game without a chart leaves the area to the window's
// background, on the screen and not only in the next full repaint.
TEST_F(TrendDlgUseTest, GameWithoutAChartClearsTheArea) {
    Exec("INSERT INTO dlt (qs, h1, h2, h3, h4, h5, l1, l2) VALUES (24001, 1, 2, 3, 4, 5, 6, 7)");
    ReplaceTyped(CommandEdit(), QStringLiteral("select format(h1,'00'), format(h2,'00') from dlt"));
    Click(1002);
    const QColor background = dlg->palette().color(QPalette::Window);
    const QPoint inBand(10, 40);
    ASSERT_EQ(OnScreen().pixelColor(inBand), QColor(255, 230, 230));
    for (const char* table : {"7xc", "7LC", "t22x5"}) {
        SCOPED_TRACE(table);
        ReplaceTyped(CommandEdit(), QStringLiteral("select count(*) from %1").arg(table));
        Click(1002);
        EXPECT_TRUE(dlg->ChartSceneShown().primitives.empty());
        EXPECT_EQ(OnScreen().pixelColor(inBand), background);
        dlg->showMinimized();
        dlg->showNormal();
        EXPECT_EQ(OnScreen().pixelColor(inBand), background);
    }
}

// A statement that runs for hours can be stopped from the window, which
// keeps painting and keeps what was typed; a short one notices nothing.
// A message box that checks it would get the user's answer.
class AnsweredMessages : public RecordingMessages {
public:
    void ShowMessage(const std::string& text, MessageIcon icon) override {
        QLineEdit answer;
        answer.show();
        QTest::keyClicks(&answer, QStringLiteral("ok"));
        answered.push_back(answer.text() == QStringLiteral("ok"));
        RecordingMessages::ShowMessage(text, icon);
    }
    std::vector<bool> answered;
};

TEST_F(TrendDlgUseTest, LongStatementCanBeStoppedAndKeepsTheCommand) {
    AnsweredMessages answering;
    messageSink = &answering;
    RestartWindow();
    RecordingMessages& messages = answering;
    Sqlite().Rows("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                  "INSERT INTO dlt (qs, h1) SELECT i, i % 35 FROM n");
    const QString command = QStringLiteral("select count(*) from dlt a, dlt b, dlt c");
    ReplaceTyped(CommandEdit(), command);
    const std::string typed = CommandEdit()->StoredText();

    // Without a stop the statement would run for hours: a watchdog ends it,
    // and says so.
    std::atomic<bool> done{false};
    std::atomic<bool> watchdogStopped{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 200 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!done) {
            watchdogStopped = true;
            sqlite3_interrupt(dlg->m_db.Handle());
        }
    });
    bool stopOffered = false;
    bool painted = false;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (Button(1002)->text() != QStringLiteral("停止"))
            return;
        user.stop();
        stopOffered = true;
        dlg->repaint(); // the window still paints
        painted = true;
        // Input for anything but the stop waits for the statement.
        QTest::keyClicks(CommandEdit(), QStringLiteral("lost"));
        QTest::mouseClick(Button(1007), Qt::LeftButton);
        QTest::mouseClick(Button(1002), Qt::LeftButton);
    });
    user.start(20);
    Click(1002);
    done = true;
    watchdog.join();

    EXPECT_TRUE(stopOffered);
    EXPECT_TRUE(painted);
    EXPECT_FALSE(watchdogStopped) << "the user's stop ended the statement";
    EXPECT_EQ(messages.texts, Texts{"The statement was stopped; the command text is kept."});
    EXPECT_EQ(answering.answered, std::vector<bool>{true});
    EXPECT_EQ(CommandEdit()->StoredText(), typed);
    EXPECT_EQ(Button(1002)->text().toStdString(), "查询");
    EXPECT_EQ(ResultEdit()->StoredText(), "");

    messages.texts.clear();
    ReplaceTyped(CommandEdit(), QStringLiteral("select count(*) from dlt"));
    Click(1002);
    EXPECT_EQ(ResultEdit()->StoredText(), "2000\r\n");
    EXPECT_TRUE(messages.texts.empty());
}

// A DLT.mdb that is missing, or there but no draw database, is named for what
// it is and left exactly as it was; the window does not show.
TEST_F(TrendDlgUseTest, FileThatIsNoDrawDatabaseIsNamedAndLeftAlone) {
    const std::string jet =
        std::string("\x00\x01\x00\x00Standard Jet DB\x00", 20) + std::string(4076, '\x00');
    const struct {
        const char* name;
        std::function<void()> make;
        const char* says; // how the message starts
    } cases[] = {
        {"missing", [&] { std::filesystem::remove(dir.File("DLT.mdb")); },
         "can't open dictionary file."},
        {"access", [&] { ASSERT_TRUE(WriteFileBytes(dir.File("DLT.mdb"), jet)); },
         "./DLT.mdb is a Microsoft Access (Jet)"},
        {"empty", [&] { ASSERT_TRUE(WriteFileBytes(dir.File("DLT.mdb"), "")); },
         "./DLT.mdb is an empty file"},
        {"other sqlite",
         [&] {
             std::filesystem::remove(dir.File("DLT.mdb"));
             Sqlite().Rows("CREATE TABLE notes (line TEXT); INSERT INTO notes VALUES ('x')");
         },
         "./DLT.mdb is an SQLite database without the draw tables"},
        {"text", [&] { ASSERT_TRUE(WriteFileBytes(dir.File("DLT.mdb"), std::string(5000, 'x'))); },
         "./DLT.mdb is not a database file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dlg.reset();
        c.make();
        const std::string before = FileText("DLT.mdb");
        const Texts listing = FolderListing();
        messages.texts.clear();
        messages.icons.clear();
        StartWindow();
        EXPECT_FALSE(initResult);
        EXPECT_FALSE(dlg->isVisible());
        EXPECT_EQ(dlg->result(), QDialog::Accepted);
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_TRUE(messages.texts[0].starts_with(c.says)) << messages.texts[0];
        EXPECT_EQ(messages.icons, std::vector<MessageIcon>{MessageIcon::Warning});
        dlg.reset();
        EXPECT_TRUE(FileText("DLT.mdb") == before);
        EXPECT_EQ(FolderListing(), listing);
    }
}

// The sample settings' saved commands, on the sample draws, give rows the
// chart reads: every row it shows has its values.
TEST_F(TrendDlgUseTest, SampleSavedCommandsGiveWhatTheChartReads) {
    const char* samples = std::getenv("VELTRIX_SAMPLE_DRAWS");
    ASSERT_NE(samples, nullptr);
    Result<std::string> settings = ReadFileBytes(std::string(samples) + "/../Veltrix.ini");
    ASSERT_EQ(settings.error(), "");
    WriteSettings(*settings);
    for (const LotteryInfo& game : AllLotteries()) {
        if (FileExists(SampleDrawFile(game.openedFileName)))
            dlg->ImportDrawFile(game.kind, SampleDrawFile(game.openedFileName));
    }
    messages.texts.clear();
    Click(1005);
    const Texts names = SavedCommandNames(*settings);
    ASSERT_GE(names.size(), 4u);
    for (int i = 0; i < CommandList()->count(); ++i) {
        SCOPED_TRACE(names[static_cast<size_t>(i)]);
        Choose(CommandList(), i);
        Click(1002);
        EXPECT_TRUE(messages.texts.empty());
        const ChartLayout layout = ChooseChartLayout(dlg->CommandBoxText());
        if (layout == ChartLayout::None)
            continue;
        ResultEdit()->verticalScrollBar()->setValue(0);
        std::vector<std::string> lines;
        for (int line = 0; line < kChartLinesRead; ++line)
            lines.push_back(dlg->ResultLine(line, kChartLineMaxBytes));
        const ChartRowTable table = ParseChartRows(layout, lines, kChartMaxRows);
        EXPECT_GE(table.rowCount, 20);
        for (int row = 0; row < table.rowCount; ++row) {
            const ChartRow& r = table.rows[static_cast<size_t>(row)];
            EXPECT_GE(r.filled, layout == ChartLayout::ThreeDigit ? 3 : 2) << "row " << row;
        }
    }
}

} // namespace
} // namespace veltrix::test
