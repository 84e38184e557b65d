// The update flow with a downloader double: titles and their order, the
// reload button, where files go and which are imported.
#include "update/DrawUpdate.h"
#include "common/Strings.h"
#include "fakes/TempDir.h"
#include "fakes/UpdateFakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace veltrix {
namespace {

using test::FakeDownloader;
using test::RecordingTitle;
using test::ScriptedRunner;

constexpr const char* kServer = "http://127.0.0.1:9";

class DrawUpdateTest : public ::testing::Test {
protected:
    std::string Folder() const { return dir.File("draws"); }
    std::string Url(const char* file) const { return std::string(kServer) + "/getData/" + file; }

    test::TempDir dir;
    FakeDownloader downloader;
    ScriptedRunner runner;
    RecordingTitle title{"Zox"};
    DrawUpdateContext context{downloader, runner, kServer, Folder()};
};

// The files in the order "更新全部" downloads them.
const char* const kFilesInDownloadOrder[] = {"dlt.TXT", "7xc.TXT", "t22x5.TXT", "p3.TXT",
                                             "p5.TXT",  "ssq.TXT", "7lc.TXT",   "3d.TXT"};

TEST_F(DrawUpdateTest, UpdateAllShowsEachStepAndPutsEverythingBack) {
    UpdateAllGameDraws(context, title);
    std::vector<std::string> expected = {"<reload disabled>"};
    for (int i = 0; i < 8; ++i) {
        std::string step = std::to_string(i + 1) + "/8 正在下载 " + kFilesInDownloadOrder[i];
        expected.insert(expected.end(), {step, "正在下载 " + Url(kFilesInDownloadOrder[i]), step});
    }
    // Nothing was downloaded, so every import finds no file and only puts
    // back the title it found.
    expected.insert(expected.end(), 8, "8/8 正在下载 3d.TXT");
    expected.insert(expected.end(), {"Zox", "<reload enabled>"});
    EXPECT_EQ(title.history, expected);
    EXPECT_TRUE(runner.statements.empty()) << "no file, no statement";
}

TEST_F(DrawUpdateTest, UpdateAllDownloadsEverythingBeforeTheFirstImport) {
    for (const char* file : kFilesInDownloadOrder)
        downloader.files[Url(file)] = "1 2024-01-01 1 2 3 4 5 6 7 8\r\n"; // enough for every game
    std::vector<size_t> statementsAtDownload;
    downloader.onDownload = [&](const std::string&) {
        statementsAtDownload.push_back(runner.statements.size());
    };
    std::vector<GameUpdateReport> reports = UpdateAllGameDraws(context, title);

    ASSERT_EQ(downloader.requests.size(), 8u);
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(downloader.requests[i].url, Url(kFilesInDownloadOrder[i]));
        EXPECT_EQ(downloader.requests[i].localPath,
                  Folder() + "/" + ToLowerAscii(kFilesInDownloadOrder[i]));
    }
    EXPECT_EQ(statementsAtDownload, std::vector<size_t>(8, 0));

    std::vector<std::string> newestQueries, expectedQueries;
    for (const std::string& sql : runner.statements) {
        if (sql.starts_with("select"))
            newestQueries.push_back(sql);
    }
    for (const char* table : {"dlt", "ssq", "p5", "p3", "3d", "t22x5", "7xc", "7lc"})
        expectedQueries.push_back(std::string("select top 1 qs from ") + table +
                                  " order by qs desc");
    EXPECT_EQ(newestQueries, expectedQueries) << "imports in the catalogue's order";

    ASSERT_EQ(reports.size(), 8u);
    for (size_t i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(reports[i].kind, AllLotteries()[i].kind);
        EXPECT_TRUE(reports[i].Succeeded());
        EXPECT_EQ(reports[i].import.inserted, 1);
    }
    for (const char* game :
         {"大乐透", "双色球", "排列五", "排列三", "3D", "22选5", "七星彩", "七乐彩"}) {
        std::string progress = std::string(game) + "正在更新数据库 1";
        EXPECT_EQ(std::count(title.history.begin(), title.history.end(), progress), 1) << progress;
    }
    EXPECT_EQ(title.title, "Zox");
    EXPECT_EQ(title.history.back(), "<reload enabled>");
}

TEST_F(DrawUpdateTest, SingleGameDownloadsAndImportsTheSameFile) {
    downloader.files[Url("3d.TXT")] = "2026001 2026-01-01 1 2 3 4 5 6\r\n";
    GameUpdateReport report = UpdateGameDraws(LotteryKind::ThreeD, context, title);
    ASSERT_EQ(downloader.requests.size(), 1u);
    EXPECT_EQ(downloader.requests[0].url, Url("3d.TXT"));
    EXPECT_EQ(downloader.requests[0].localPath, Folder() + "/3d.txt");
    EXPECT_TRUE(report.Succeeded());
    EXPECT_EQ(report.import.inserted, 1);
    std::vector<std::string> expected = {"正在下载 " + Url("3d.TXT"), "Zox", "3D正在更新数据库 1",
                                         "Zox"};
    EXPECT_EQ(title.history, expected) << "no step text, no reload button";
}

TEST(DrawUpdate, ChooseDrawServer) {
    struct Case {
        std::string configured;
        std::string base; // empty: the built-in server, with a warning
    };
    const Case cases[] = {
        {"http://127.0.0.1:8080", "http://127.0.0.1:8080"},
        {"https://mirror.example/draws", "https://mirror.example/draws"},
        {"http://mirror.example/", "http://mirror.example"},
        {BuiltInDrawServer(), BuiltInDrawServer()}, // the build's own setting is usable
        {"mirror.example", ""},
        {"ftp://mirror.example", ""},
        {"http://", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.configured);
        DrawServerChoice choice = ChooseDrawServer(c.configured);
        EXPECT_EQ(choice.base, c.base.empty() ? BuiltInDrawServer() : c.base);
        EXPECT_EQ(choice.warning.empty(), !c.base.empty()) << choice.warning;
    }
    DrawServerChoice absent = ChooseDrawServer("");
    EXPECT_EQ(absent.base, BuiltInDrawServer());
    EXPECT_EQ(absent.warning, "");
}

TEST(DrawUpdate, DrawFilePathIsLowerCaseInTheFolder) {
    EXPECT_EQ(DrawFilePath("./draws", "dlt.TXT"), "./draws/dlt.txt");
    EXPECT_EQ(DrawFilePath("./draws/", "dlt.txt"), "./draws/dlt.txt");
}

} // namespace
} // namespace veltrix
