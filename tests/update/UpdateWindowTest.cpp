// The update buttons of the real window, offscreen, with a downloader double
// that serves draw files from memory.
#include "common/FileIO.h"
#include "fakes/RawDatabase.h"
#include "fakes/UpdateFakes.h"
#include "gui/TrendDlgFixture.h"
#include "update/Bulletin.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

namespace veltrix::test {
namespace {

constexpr const char* kMirror = "http://mirror.test";

class UpdateWindowTest : public TrendDlgFixture {
protected:
    void PrepareFolder() override {
        CreateDatabase();
        std::string settings = DefaultSettings();
        settings.insert(settings.find("\r\n") + 2, std::string("DrawServer=") + kMirror + "\r\n");
        WriteSettings(settings);
        services.downloader = &downloader;
    }

    // Records every title, and for each download's title whether "重载" was
    // enabled; asks the window to close during each download (the worker
    // posts the request, the window takes it while the transfer runs).
    void StartRecording() {
        QObject::connect(dlg.get(), &QWidget::windowTitleChanged, [this](const QString& title) {
            titles.push_back(title.toStdString());
            if (title.startsWith(QStringLiteral("正在下载 ")))
                reloadDuringDownloads.push_back(Button(1005)->isEnabled());
        });
        downloader.onDownload = [this](const std::string&) {
            QMetaObject::invokeMethod(
                dlg.get(), [this] { dlg->close(); }, Qt::QueuedConnection);
        };
    }

    static std::string Url(const char* file) { return std::string(kMirror) + "/getData/" + file; }

    void ServeAll() { // one line that fits every game
        for (const LotteryInfo& game : AllLotteries())
            downloader.files[kMirror + std::string(game.serverPath)] =
                "26001 2026-01-03 01 02 03 04 05 06 07 08\r\n";
    }

    int Count(const char* table) {
        return RawDatabase(dir.File("DLT.mdb"), SQLITE_OPEN_READONLY).Count(table);
    }

    FakeDownloader downloader;
    std::vector<std::string> titles;
    std::vector<bool> reloadDuringDownloads;
};

TEST_F(UpdateWindowTest, UpdateAllShowsStepsGreysReloadAndAsksBeforeClosing) {
    ASSERT_TRUE(initResult);
    ServeAll();
    StartRecording();
    messages.answer = false; // go on with the update
    Click(1012);
    EXPECT_EQ(messages.questions.size(), 8u) << "asked at each download";

    EXPECT_EQ(reloadDuringDownloads, std::vector<bool>(8, false));
    EXPECT_TRUE(dlg->isVisible()) << "the user chose to go on";
    EXPECT_TRUE(Button(1005)->isEnabled());
    EXPECT_EQ(dlg->windowTitle().toStdString(), "Zox 彩票-走势分析");
    for (const char* table : {"dlt", "ssq", "p5", "p3", "3d", "t22x5", "7xc", "7lc"})
        EXPECT_EQ(Count(table), 1) << table;
    EXPECT_TRUE(messages.texts.empty());

    dlg->close();
    EXPECT_FALSE(dlg->isVisible()) << "closing works again once the update is over";
}

TEST_F(UpdateWindowTest, SingleGameNeitherShowsStepsNorGreysReloadAndThenFindsNothingNew) {
    ASSERT_TRUE(initResult);
    ServeAll();
    StartRecording();
    Click(1015); // 更新3D
    ASSERT_EQ(downloader.requests.size(), 1u);
    EXPECT_EQ(downloader.requests[0].url, Url("3d.TXT"));
    EXPECT_EQ(downloader.requests[0].localPath, "./draws/3d.txt.part");
    EXPECT_EQ(reloadDuringDownloads, std::vector<bool>{true});
    std::vector<std::string> expected = {"正在下载 " + Url("3d.TXT"), "Zox 彩票-走势分析",
                                         "3D正在更新数据库 1", "Zox 彩票-走势分析"};
    EXPECT_EQ(titles, expected);
    EXPECT_EQ(Count("3d"), 1);
    EXPECT_TRUE(FileExists(dir.File("draws/3d.txt")));
    EXPECT_EQ(ResultEdit()->toPlainText().toStdString(), "") << "what the INSERT left";

    Click(1015); // nothing new: the result box shows the newest issue
    EXPECT_EQ(ResultEdit()->toPlainText().toStdString(), "26001\n");
    EXPECT_EQ(Count("3d"), 1);
}

TEST_F(UpdateWindowTest, StoppingOnCloseKeepsTheDatabaseAndLeavesNoPartFile) {
    ASSERT_TRUE(initResult);
    ServeAll();
    StartRecording();
    messages.answer = true;
    Click(1012);
    QCoreApplication::processEvents(); // the close that waited for the update's end
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(downloader.requests.size(), 1u) << "no download after the stop";
    EXPECT_TRUE(messages.texts.empty()) << "the user knows: no report of a stopped update";
    EXPECT_EQ(Count("dlt"), 0) << "no import after the stop";
    EXPECT_FALSE(FileExists(dir.File("draws/dlt.txt.part")));
    // The transfer under way may have ended before the stop: then it is whole.
    if (FileExists(dir.File("draws/dlt.txt"))) {
        EXPECT_EQ(FileText("draws/dlt.txt"), downloader.files[Url("dlt.TXT")]);
    }
}

TEST_F(UpdateWindowTest, WindowAnswersWhileADownloadRuns) {
    ASSERT_TRUE(initResult);
    ServeAll();
    std::atomic<bool> answered = false;
    bool answeredInTime = false;
    downloader.onDownload = [&](const std::string&) {
        QMetaObject::invokeMethod(
            dlg.get(), [&] { answered = true; }, Qt::QueuedConnection);
        for (int i = 0; i < 200 && !answered; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        answeredInTime = answered;
    };
    Click(1013);
    EXPECT_TRUE(answeredInTime) << "the window's events wait for the transfer";
    EXPECT_EQ(Count("dlt"), 1);
}

TEST_F(UpdateWindowTest, LatestDrawsButtonShowsTheBulletin) {
    ASSERT_TRUE(initResult);
    Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('26224','2026-08-22',9,1,2)");
    std::time_t now = std::time(nullptr);
    Click(1021);
    std::array<std::string, kLotteryCount> answers{};
    answers[2] = " 08.22 26224│9 1 2                   │\r\n";
    std::string text = dlg->ResultBoxText();
    if (text != BuildBulletin(LocalBulletinDate(now), answers))
        now = std::time(nullptr); // the day turned meanwhile
    EXPECT_EQ(text, BuildBulletin(LocalBulletinDate(now), answers));
    EXPECT_TRUE(messages.texts.empty());

    Click(1021);
    EXPECT_EQ(dlg->ResultBoxText(), text) << "nothing accumulates";
}

TEST_F(UpdateWindowTest, BulletinBarsLineUpInTheResultBoxFont) {
    ASSERT_TRUE(initResult);
    dlg->SetResultBoxText(BuildBulletin({2026, 8, 22, 6}, WellFormedBulletinAnswers()));
    QFontMetricsF metrics(ResultEdit()->font());
    QStringList lines = ResultEdit()->toPlainText().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 21);
    const QString bar = QStringLiteral("│");
    auto middleBar = [&](const QString& line) {
        return metrics.horizontalAdvance(line.left(line.indexOf(bar, 1)));
    };
    // The rule the layout counts with: a box-drawing or Chinese character
    // takes two columns, anything else one.
    ASSERT_NEAR(metrics.horizontalAdvance(bar), 2 * metrics.horizontalAdvance(QLatin1Char('0')),
                0.5)
        << QFontInfo(ResultEdit()->font()).family().toStdString();
    ASSERT_NEAR(metrics.horizontalAdvance(QStringLiteral("奖")),
                2 * metrics.horizontalAdvance(QLatin1Char(' ')), 0.5);
    const qreal width = metrics.horizontalAdvance(lines[0]);
    for (int i = 0; i < 21; ++i) {
        SCOPED_TRACE(lines[i].toStdString());
        EXPECT_NEAR(metrics.horizontalAdvance(lines[i]), width, 0.5);
        if (i >= 3 && i % 2 == 1) {
            EXPECT_NEAR(middleBar(lines[i]), middleBar(lines[3]), 0.5);
        }
    }
}

TEST_F(UpdateWindowTest, DrawFolderThatCannotBeMadeChangesNothing) {
    ASSERT_TRUE(initResult);
    ServeAll();
    ASSERT_TRUE(WriteFileBytes(dir.File("draws"), "a file where the folder should be"));
    StartRecording();
    Click(1012);
    EXPECT_EQ(reloadDuringDownloads.size(), 8u);
    ASSERT_EQ(messages.texts.size(), 1u) << "one box for all the failed downloads";
    EXPECT_TRUE(messages.texts[0].starts_with(
        "dlt: the download failed: cannot create ./draws/dlt.txt.part; the previous draw file "
        "was kept\n"))
        << messages.texts[0];
    EXPECT_EQ(std::count(messages.texts[0].begin(), messages.texts[0].end(), '\n'), 8);
    EXPECT_EQ(dlg->windowTitle().toStdString(), "Zox 彩票-走势分析");
    EXPECT_TRUE(Button(1005)->isEnabled());
    EXPECT_EQ(FileText("draws"), "a file where the folder should be");
}

} // namespace
} // namespace veltrix::test
