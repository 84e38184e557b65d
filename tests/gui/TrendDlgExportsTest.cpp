// Rows and chart out of the window, draw files into it: the result box's
// menu, the chart's picture and page, and dropped draw files.

#include "app/UserChoices.h"
#include "fakes/RawDatabase.h"
#include "gui/TrendDlgFixture.h"
#include "query/CsvExport.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
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

TEST_F(TrendDlgExportsTest, ChartMenuSavesVeltrixChartsPictureAndPrintsToThePage) {
    const QString chartProgram = qEnvironmentVariable("VELTRIX_CHART");
    ASSERT_FALSE(chartProgram.isEmpty()) << "VELTRIX_CHART is not set (ctest sets it)";
    ASSERT_TRUE(WriteFileBytes(dir.File("dlt.txt"), kDltLines));
    dlg->ImportDrawFile(LotteryKind::Dlt, dir.File("dlt.txt"));
    ReplaceTyped(CommandEdit(), "select top 30 h1,h2,h3,h4,h5,l1,l2 from dlt order by qs desc");
    Click(1002);
    ASSERT_EQ(dlg->m_nCount, 3);

    // Saved and printed through the chart area's menu.
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(100, 100),
                            dlg->mapToGlobal(QPoint(100, 100)));
    QApplication::sendEvent(dlg.get(), &event);
    auto* menu = dlg->findChild<QMenu*>(QStringLiteral("menuChart"));
    ASSERT_NE(menu, nullptr);
    const std::string png = elsewhere.File("window.png");
    choices.savePath = png;
    menu->findChild<QAction*>(QStringLiteral("actionSavePicture"))->trigger();
    menu->findChild<QAction*>(QStringLiteral("actionPrint"))->trigger();
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
