// Rows and chart out of the window, draw files into it: the result box's
// menu; the chart area's menu with the two chart options (remembered in
// Veltrix.ini), the trend statistics report, the chart's picture and page;
// and dropped draw files.

#include "analysis/TrendStats.h"
#include "app/UserChoices.h"
#include "common/Strings.h"
#include "fakes/RawDatabase.h"
#include "gui/TrendDlgFixture.h"
#include "query/CsvExport.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QToolTip>
#include <QUrl>

namespace veltrix::test {
namespace {

// Answers the window's questions as a test tells it to.
class ScriptedChoices : public UserChoices {
public:
    std::string SavePath(QWidget*, const std::string&, const std::string&,
                         const std::string&) override {
        return savePath;
    }
    std::optional<size_t> PickItem(QWidget*, const std::string&, const std::string& label,
                                   const std::vector<std::string>& items) override {
        pickLabels.push_back(label);
        pickItems = items;
        return pick;
    }
    void PrintWithPreview(QWidget*, const std::function<void(QPrinter&)>&) override {
        ++printRequests;
    }
    std::string savePath;
    std::optional<size_t> pick;
    std::vector<std::string> pickLabels;
    std::vector<std::string> pickItems;
    int printRequests = 0;
};

constexpr const char* kDltLines = "07001 2007-05-30 22 24 29 31 35 04 11\r\n"
                                  "07002 2007-06-02 15 22 31 34 35 05 12\r\n"
                                  "07003 2007-06-04 03 05 18 24 26 01 07\r\n";
constexpr const char* kRows = "01 02 03 04 05 01 02\r\n06 07 08 09 10 03 04\r\n"
                              "01 07 11 20 31 01 12\r\n";

class TrendDlgExportsTest : public TrendDlgFixture {
protected:
    void PrepareFolder() override {
        TrendDlgFixture::PrepareFolder();
        services.choices = &choices;
    }

    QStringList ActionTexts(QMenu* menu) {
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << (action->isSeparator() ? QStringLiteral("|") : action->text());
        return texts;
    }

    // Right-clicks at (x, y) of the window; the chart menu, if one opened.
    QMenu* RightClick(int x, int y) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(x, y),
                                dlg->mapToGlobal(QPoint(x, y)));
        QApplication::sendEvent(dlg.get(), &event);
        return dlg->findChild<QMenu*>(QStringLiteral("menuChart"));
    }
    QAction* Action(QMenu* menu, const char* name) {
        QAction* action = menu->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    QImage Chart() {
        QApplication::processEvents();
        return dlg->grab(QRect(0, 0, 696, dlg->height())).toImage();
    }
    void ShowRows() {
        dlg->m_strSQL = "select h1,h2,h3,h4,h5,l1,l2 from dlt";
        dlg->m_strResult = kRows;
        dlg->ExchangeData(false);
        dlg->DrawTrendChart();
    }

    // Drops the files on a widget as a file manager would.
    void DropFiles(QWidget* target, const std::vector<std::string>& paths) {
        QMimeData mime;
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls << QUrl::fromLocalFile(QString::fromStdString(path));
        mime.setUrls(urls);
        const QPointF at(10, 10);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        EXPECT_TRUE(drop.isAccepted());
    }

    ScriptedChoices choices;
    TempDir elsewhere; // where dropped and exported files lie
};

TEST_F(TrendDlgExportsTest, ResultMenuCopiesAndExportsCsv) {
    const std::string text = "say \"hi\",there 大乐透\r\n26001 01 02\r\n";
    dlg->SetResultBoxText(text);
    std::unique_ptr<QMenu> menu(dlg->CreateResultMenu(dlg.get()));
    ASSERT_EQ(ActionTexts(menu.get()), QStringList({"复制", "导出CSV…"}));

    menu->actions()[0]->trigger();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              "say \"hi\",there 大乐透\n26001 01 02\n");

    choices.savePath = elsewhere.File("rows.csv");
    menu->actions()[1]->trigger();
    EXPECT_EQ(FileText(choices.savePath),
              "\xEF\xBB\xBFsay,\"\"\"hi\"\",there\",大乐透\r\n26001,01,02\r\n");
    EXPECT_TRUE(messages.texts.empty());

    // A file that cannot be written: a message, and nothing half-written.
    choices.savePath = elsewhere.File("no-such-folder/rows.csv");
    menu->actions()[1]->trigger();
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("no-such-folder/rows.csv"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(elsewhere.File("no-such-folder")));
}

TEST_F(TrendDlgExportsTest, OptionsAreOffUntilTickedAndThenRemembered) {
    ShowRows();
    const QImage plain = Chart();
    EXPECT_EQ(RightClick(800, 100), nullptr) << "right of the chart area";

    QMenu* menu = RightClick(100, 100);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(ActionTexts(menu),
              (QStringList{"显示遗漏", "统计行", "走势统计…", "|", "保存图片…", "打印…"}));
    EXPECT_FALSE(Action(menu, "actionOmission")->isChecked());
    EXPECT_FALSE(Action(menu, "actionStatistics")->isChecked());
    EXPECT_FALSE(Action(menu, "actionOmission")->toolTip().isEmpty());

    Action(menu, "actionOmission")->trigger();
    const QImage withOmission = Chart();
    EXPECT_NE(withOmission, plain);
    Action(menu, "actionStatistics")->trigger();
    EXPECT_NE(Chart(), withOmission);
    // The bottom grid row is 最大连出; a cell above the statistics tells its omission.
    for (const auto& [y, tip] : {std::pair{dlg->height() - 25, "最大连出"}, {30, "遗漏"}}) {
        QHelpEvent help(QEvent::ToolTip, QPoint(100, y), dlg->mapToGlobal(QPoint(100, y)));
        QApplication::sendEvent(dlg.get(), &help);
        EXPECT_TRUE(QToolTip::text().startsWith(QString::fromUtf8(tip)))
            << QToolTip::text().toStdString();
    }
    EXPECT_NE(FileText("Veltrix.ini").find("ShowOmission=1\r\n"), std::string::npos);
    EXPECT_NE(FileText("Veltrix.ini").find("ShowStatistics=1\r\n"), std::string::npos);
    delete menu;

    RestartWindow();
    EXPECT_TRUE(dlg->m_bShowOmission);
    EXPECT_TRUE(dlg->m_bShowStatistics);
    menu = RightClick(100, 100);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(Action(menu, "actionOmission")->isChecked());
    EXPECT_TRUE(Action(menu, "actionStatistics")->isChecked());
    // Both off again: the chart is the plain one, pixel for pixel.
    Action(menu, "actionOmission")->trigger();
    Action(menu, "actionStatistics")->trigger();
    ShowRows();
    EXPECT_EQ(Chart(), plain);
    EXPECT_NE(FileText("Veltrix.ini").find("ShowOmission=0\r\n"), std::string::npos);
}

TEST_F(TrendDlgExportsTest, TrendStatsReportIsWrittenAndOpened) {
    ShowRows();
    QMenu* menu = RightClick(100, 100);
    ASSERT_NE(menu, nullptr);
    Action(menu, "actionTrendStats")->trigger();
    EXPECT_EQ(FileText("Analyse_stats.txt"),
              ToTextModeBytes(FormatTrendStatsReport(ComputeTrendStats("dlt", kRows))));
    EXPECT_EQ(opener.paths, (std::vector<std::string>{"./Analyse_stats.txt"}));
}

TEST_F(TrendDlgExportsTest, ChartMenuSavesVeltrixChartsPictureAndPrintsToThePage) {
    const QString chartProgram = qEnvironmentVariable("VELTRIX_CHART");
    ASSERT_FALSE(chartProgram.isEmpty()) << "VELTRIX_CHART is not set (ctest sets it)";
    ASSERT_TRUE(WriteFileBytes(dir.File("dlt.txt"), kDltLines));
    dlg->ImportDrawFile(LotteryKind::Dlt, dir.File("dlt.txt"));
    ReplaceTyped(CommandEdit(), "select top 30 h1,h2,h3,h4,h5,l1,l2 from dlt order by qs desc");
    Click(1002);
    ASSERT_EQ(dlg->m_nCount, 3);

    // Saved and printed through the chart area's menu.
    QMenu* menu = RightClick(100, 100);
    ASSERT_NE(menu, nullptr);
    const std::string png = elsewhere.File("window.png");
    choices.savePath = png;
    Action(menu, "actionSavePicture")->trigger();
    Action(menu, "actionPrint")->trigger();
    EXPECT_EQ(choices.printRequests, 1);
    menu->close();
    QProcess chart;
    chart.start(chartProgram,
                {"--command", QString::fromStdString(dlg->CommandBoxText()), "--height",
                 QString::number(dlg->height()), "--first-line", "0", "--record-count", "3",
                 "--png", QString::fromStdString(elsewhere.File("tool.png"))});
    chart.write(QByteArray::fromStdString(dlg->ResultBoxText()));
    chart.closeWriteChannel();
    ASSERT_TRUE(chart.waitForFinished(30000));
    ASSERT_EQ(chart.exitCode(), 0) << chart.readAllStandardError().toStdString();
    const QImage window(QString::fromStdString(png));
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(window.convertToFormat(QImage::Format_RGB32),
              QImage(QString::fromStdString(elsewhere.File("tool.png")))
                  .convertToFormat(QImage::Format_RGB32));

    // On a wide page the chart fills the page's height, left-aligned.
    QImage page(4000, 1000, QImage::Format_RGB32);
    page.fill(Qt::black);
    {
        QPainter painter(&page);
        dlg->PaintChartPage(painter, page.rect());
    }
    const int width = 1000 * 696 / dlg->height();
    EXPECT_NE(page.pixel(0, 999), qRgb(0, 0, 0));
    EXPECT_NE(page.pixel(width - 2, 0), qRgb(0, 0, 0));
    EXPECT_EQ(page.pixel(width + 2, 500), qRgb(0, 0, 0));
}

TEST_F(TrendDlgExportsTest, DroppedFilesImportFromWhereTheyLie) {
    const std::string named = elsewhere.File("dlt_2026.txt");
    const std::string unnamed = elsewhere.File("draws.txt");
    ASSERT_TRUE(WriteFileBytes(named, kDltLines));
    ASSERT_TRUE(WriteFileBytes(unnamed, "2003001 2003-02-23 10 11 12 13 26 28 11\r\n"));

    choices.pick = 1; // the second game of the list: 双色球
    DropFiles(ResultEdit()->viewport(), {named, unnamed});
    ASSERT_EQ(choices.pickLabels.size(), 1u);
    EXPECT_NE(choices.pickLabels[0].find("draws.txt"), std::string::npos);
    EXPECT_EQ(choices.pickItems.size(), 8u);

    choices.pick.reset(); // cancelled: nothing imported
    DropFiles(dlg.get(), {unnamed});

    RawDatabase db(dir.File("DLT.mdb"), SQLITE_OPEN_READONLY);
    EXPECT_EQ(db.Count("dlt"), 3);
    EXPECT_EQ(db.Count("ssq"), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("draws"))); // nothing copied
    EXPECT_EQ(ResultEdit()->StoredText().find("file://"), std::string::npos);
}

} // namespace
} // namespace veltrix::test
