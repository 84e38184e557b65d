// The update flow with a downloader double: titles and their order, the
// reload button, where files go and which are imported.
#include "update/DrawUpdate.h"
#include "common/Strings.h"
#include "fakes/TempDir.h"
#include "fakes/UpdateFakes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

    void ServeAllGames() {
        for (const LotteryInfo& game : AllLotteries())
            downloader.files[DrawFileUrl(kServer, game)] = "1 2024-01-01 1 2 3 4 5 6 7 8\r\n";
    }

    test::TempDir dir;
    FakeDownloader downloader;
    ScriptedRunner runner;
    RecordingTitle title{"Zox"};
    DrawUpdateContext context{downloader, runner, kServer, Folder()};
};

TEST_F(DrawUpdateTest, UpdateAllShowsEachStepAndPutsEverythingBack) {
    UpdateAllGameDraws(context, title);
    std::vector<std::string> expected = {"<reload disabled>"};
    for (const char* step :
         {"1/8 正在下载 dlt.TXT", "2/8 正在下载 7xc.TXT", "3/8 正在下载 t22x5.TXT",
          "4/8 正在下载 p3.TXT", "5/8 正在下载 p5.TXT", "6/8 正在下载 ssq.TXT",
          "7/8 正在下载 7lc.TXT", "8/8 正在下载 3d.TXT"}) {
        std::string file = std::string(step).substr(std::string(step).rfind(' ') + 1);
        expected.push_back(step);
        expected.push_back("正在下载 " + Url(file.c_str()));
        expected.push_back(step);
    }
    // Nothing was downloaded, so every import finds no file and only puts
    // back the title it found.
    for (int i = 0; i < 8; ++i)
        expected.push_back("8/8 正在下载 3d.TXT");
    expected.push_back("Zox");
    expected.push_back("<reload enabled>");
    EXPECT_EQ(title.history, expected);
    EXPECT_TRUE(runner.statements.empty()) << "no file, no statement";
}

TEST_F(DrawUpdateTest, UpdateAllDownloadsEverythingBeforeTheFirstImport) {
    ServeAllGames();
    std::vector<size_t> statementsAtDownload;
    downloader.onDownload = [&](const std::string&) {
        statementsAtDownload.push_back(runner.statements.size());
    };
    std::vector<GameUpdateReport> reports = UpdateAllGameDraws(context, title);

    std::vector<std::string> urls;
    for (const auto& request : downloader.requests)
        urls.push_back(request.url);
    std::vector<std::string> expectedUrls = {Url("dlt.TXT"), Url("7xc.TXT"), Url("t22x5.TXT"),
                                             Url("p3.TXT"),  Url("p5.TXT"),  Url("ssq.TXT"),
                                             Url("7lc.TXT"), Url("3d.TXT")};
    EXPECT_EQ(urls, expectedUrls);
    EXPECT_EQ(statementsAtDownload, std::vector<size_t>(8, 0));

    std::vector<std::string> newestQueries;
    for (const std::string& sql : runner.statements) {
        if (sql.starts_with("select"))
            newestQueries.push_back(
                sql.substr(sql.find(" from ") + 6, sql.find(" order") - sql.find(" from ") - 6));
    }
    std::vector<std::string> importOrder = {"dlt", "ssq", "p5", "p3", "3d", "t22x5", "7xc", "7lc"};
    EXPECT_EQ(newestQueries, importOrder);

    ASSERT_EQ(reports.size(), 8u);
    EXPECT_EQ(reports[0].kind, LotteryKind::Dlt);
    EXPECT_EQ(reports[4].kind, LotteryKind::ThreeD);
    for (const GameUpdateReport& report : reports) {
        SCOPED_TRACE(Lottery(report.kind).code);
        EXPECT_TRUE(report.Succeeded());
        EXPECT_EQ(report.import.inserted, 1);
    }
    EXPECT_EQ(title.title, "Zox");
    EXPECT_EQ(title.history.back(), "<reload enabled>");
}

TEST_F(DrawUpdateTest, DownloadedFilesUseLowerCaseNamesInTheDrawFolder) {
    ServeAllGames();
    UpdateAllGameDraws(context, title);
    for (const auto& request : downloader.requests) {
        std::string name = std::filesystem::path(request.localPath).filename().string();
        EXPECT_EQ(std::filesystem::path(request.localPath).parent_path(), Folder());
        EXPECT_EQ(name, ToLowerAscii(name)) << request.localPath;
        EXPECT_TRUE(name.ends_with(".txt"));
    }
}

TEST_F(DrawUpdateTest, FailedDownloadsAreReportedAndTheImportStillRuns) {
    std::filesystem::create_directories(Folder());
    std::ofstream(Folder() + "/ssq.txt") << "5 2024-01-01 1 2 3 4 5 6 7\r\n"; // an earlier download
    std::vector<GameUpdateReport> reports = UpdateAllGameDraws(context, title);
    const GameUpdateReport& ssq = reports[1];
    ASSERT_EQ(ssq.kind, LotteryKind::Ssq);
    EXPECT_FALSE(ssq.download.ok);
    EXPECT_EQ(ssq.download.httpStatus, 404);
    EXPECT_EQ(ssq.import.inserted, 1) << "the file of an earlier download is imported";
    EXPECT_FALSE(ssq.Succeeded());
    EXPECT_FALSE(reports[0].import.fileOpened);
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

struct ServerCase {
    const char* name;
    std::string configured;
    std::string base;
    bool warns;
};

class ChooseDrawServerTest : public ::testing::TestWithParam<ServerCase> {};

TEST_P(ChooseDrawServerTest, Chooses) {
    DrawServerChoice choice = ChooseDrawServer(GetParam().configured);
    EXPECT_EQ(choice.base, GetParam().base.empty() ? BuiltInDrawServer() : GetParam().base);
    EXPECT_EQ(!choice.warning.empty(), GetParam().warns) << choice.warning;
}

INSTANTIATE_TEST_SUITE_P(DrawUpdate, ChooseDrawServerTest,
                         ::testing::Values(ServerCase{"Absent", "", "", false},
                                           ServerCase{"Loopback", "http://127.0.0.1:8080",
                                                      "http://127.0.0.1:8080", false},
                                           ServerCase{"Https", "https://mirror.example/draws",
                                                      "https://mirror.example/draws", false},
                                           ServerCase{"TrailingSlash", "http://mirror.example/",
                                                      "http://mirror.example", false},
                                           ServerCase{"NoScheme", "mirror.example", "", true},
                                           ServerCase{"Ftp", "ftp://mirror.example", "", true},
                                           ServerCase{"SchemeOnly", "http://", "", true}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(DrawUpdate, BuiltInServerIsAnHttpAddress) {
    EXPECT_TRUE(BuiltInDrawServer().starts_with("http")) << BuiltInDrawServer();
    EXPECT_FALSE(BuiltInDrawServer().ends_with("/"));
}

TEST(DrawUpdate, AddressesAndPaths) {
    EXPECT_EQ(DrawFileUrl("http://h", Lottery(LotteryKind::T22x5)), "http://h/getData/t22x5.TXT");
    EXPECT_EQ(DrawFilePath("./draws", "dlt.TXT"), "./draws/dlt.txt");
    EXPECT_EQ(DrawFilePath("./draws/", "dlt.txt"), "./draws/dlt.txt");
}

} // namespace
} // namespace veltrix
