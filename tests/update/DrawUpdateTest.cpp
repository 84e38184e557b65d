// The update flow with a downloader double: titles and their order, the
// reload button, where files go and which are imported.
#include "update/DrawUpdate.h"
#include "common/Strings.h"
#include "fakes/TempDir.h"
#include "fakes/UpdateFakes.h"
#include "update/DrawCheck.h"
#include "update/DrawLine.h"

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

    test::TempDir dir;
    FakeDownloader downloader;
    ScriptedRunner runner;
    RecordingTitle title{"Zox"};
    ServerDrawSource source{downloader, ChooseDrawServer(kServer)};
    DrawUpdateContext context{source, runner, Folder()};
};

// The files in the order "更新全部" downloads them.
const char* const kFilesInDownloadOrder[] = {"dlt.TXT", "7xc.TXT", "t22x5.TXT", "p3.TXT",
                                             "p5.TXT",  "ssq.TXT", "7lc.TXT",   "3d.TXT"};

TEST_F(DrawUpdateTest, UpdateAllDownloadsEverythingThenImportsShowingEachStep) {
    for (const char* file : kFilesInDownloadOrder)
        downloader.files[Url(file)] = "1 2024-01-01 1 2 3 4 5 6 7 8\r\n"; // enough for every game
    std::vector<size_t> statementsAtDownload;
    downloader.onDownload = [&](const std::string&) {
        statementsAtDownload.push_back(runner.statements.size());
    };
    std::vector<GameUpdateReport> reports = UpdateAllGameDraws(context, title);

    ASSERT_EQ(downloader.requests.size(), 8u);
    std::vector<std::string> expected = {"<reload disabled>"};
    for (size_t i = 0; i < 8; ++i) {
        const char* file = kFilesInDownloadOrder[i];
        EXPECT_EQ(downloader.requests[i].url, Url(file));
        EXPECT_EQ(downloader.requests[i].localPath, Folder() + "/" + ToLowerAscii(file) + ".part");
        std::string step = std::to_string(i + 1) + "/8 正在下载 " + file;
        expected.insert(expected.end(), {step, "正在下载 " + Url(file), step});
    }
    EXPECT_EQ(statementsAtDownload, std::vector<size_t>(8, 0))
        << "no import before the last download";

    // The imports, in the catalogue's order, each putting back the title it found.
    std::vector<std::string> newestQueries = runner.statements, expectedQueries;
    std::erase_if(newestQueries, [](const std::string& sql) { return !sql.starts_with("select"); });
    ASSERT_EQ(reports.size(), 8u);
    for (size_t i = 0; i < 8; ++i) {
        const LotteryInfo& game = AllLotteries()[i];
        expectedQueries.push_back(std::string(game.newestIssueQuery));
        expected.insert(expected.end(), {DrawProgressText(game, 1), "8/8 正在下载 3d.TXT"});
        EXPECT_EQ(reports[i].kind, game.kind);
        EXPECT_TRUE(reports[i].Succeeded()) << game.code;
        EXPECT_EQ(reports[i].import.inserted, 1) << game.code;
    }
    EXPECT_EQ(newestQueries, expectedQueries);
    expected.insert(expected.end(), {"Zox", "<reload enabled>"});
    EXPECT_EQ(title.history, expected);
}

TEST_F(DrawUpdateTest, StopEndsTheUpdateAtTheNextStep) {
    for (const char* file : kFilesInDownloadOrder)
        downloader.files[Url(file)] = "1 2024-01-01 1 2 3 4 5 6 7 8\r\n";
    // Stops once the second download is under way, as a window's close would.
    StopFlag stop{false};
    downloader.onDownload = [&](const std::string&) { stop = downloader.requests.size() == 2; };
    context.stop = &stop;
    std::vector<GameUpdateReport> reports = UpdateAllGameDraws(context, title);
    EXPECT_EQ(downloader.requests.size(), 2u);
    EXPECT_TRUE(runner.statements.empty()) << "no import after a stop";
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(Folder()))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"dlt.txt"}) << "the stopped fetch left no part file";
    EXPECT_EQ(title.title, "Zox");
    EXPECT_EQ(title.history.back(), "<reload enabled>");
    EXPECT_NE(DescribeUpdateProblems(reports).find("stopped"), std::string::npos);
}

TEST_F(DrawUpdateTest, ProblemsAreDescribedOncePerReason) {
    // Nothing is served: every download fails for the same reason; ssq's
    // older file is imported, refusing its second line; dlt warns.
    std::filesystem::create_directories(Folder());
    std::ofstream(Folder() + "/ssq.txt")
        << "1 2024-01-01 1 2 3 4 5 6 7\r\n2 2024-02-30 1 2 3 4 5 6 7\r\n";
    std::ofstream(Folder() + "/dlt.txt") << "1 2024-01-01 1 2 3 4 5 6 13\r\n";
    std::vector<GameUpdateReport> reports = UpdateAllGameDraws(context, title);
    EXPECT_TRUE(reports[0].import.Succeeded()) << "a number out of range only warns";
    std::string text = DescribeUpdateProblems(reports);
    EXPECT_EQ(text, "dlt, ssq, p5, p3, 3d, t22x5, 7xc, 7lc: the download failed: the server "
                    "answered HTTP status 404; the previous draw file was kept\n"
                    "dlt: 1 inserted, 0 passed over, 0 refused\n"
                    "dlt: line 1, field 9 (L2) \"13\": outside 1 to 12, stored as it is\n"
                    "ssq: 1 inserted, 0 passed over, 1 refused\n"
                    "ssq: line 2, field 2 (RQ) \"2024-02-30\": not a real date; the import "
                    "stopped there (correct the line and import again)\n");
    downloader.files[Url("dlt.TXT")] = "2 2024-01-02 1 2 3 4 5 6 7\r\n";
    EXPECT_EQ(DescribeUpdateProblems({UpdateGameDraws(LotteryKind::Dlt, context, title)}), "")
        << "a clean update with new draws says nothing";
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
    DrawServerChoice absent = ChooseDrawServer(""); // no setting: the built-in server, silently
    EXPECT_EQ(absent.base + absent.warning, BuiltInDrawServer());
}

TEST(DrawUpdate, DrawFileNamesIgnoreCase) {
    EXPECT_EQ(DrawFilePath("./draws", "dlt.TXT"), "./draws/dlt.txt");
    EXPECT_EQ(DrawFilePath("./draws/", "dlt.txt"), "./draws/dlt.txt");
    test::TempDir dir;
    std::ofstream(dir.File("p3.TXT")) << "put there by hand";
    EXPECT_EQ(FindDrawFile(dir.Path().string(), "p3.txt"), dir.File("p3.TXT"));
    std::ofstream(dir.File("p3.txt")) << "downloaded";
    EXPECT_EQ(FindDrawFile(dir.Path().string(), "p3.txt"), dir.Path().string() + "/p3.txt");
    EXPECT_EQ(FindDrawFile(dir.Path().string(), "dlt.txt"), dir.Path().string() + "/dlt.txt");
}

// The gaps in issue numbers: UpdateCliTest's check and fill.
TEST(DrawCheck, Findings) {
    struct Case {
        const char* name;
        LotteryKind kind;
        std::string rows; // as the check query gives them
        std::vector<std::string> findings;
    };
    const Case cases[] = {
        {"Clean",
         LotteryKind::P3,
         "2025358 2025-12-31 1 2 3\r\n2026001 2026-01-01 4 5 6\r\n2026002 2026-01-02 7 8 9\r\n",
         {}},
        {"DatesThatDoNotGrowAndTwoDrawsOnADay",
         LotteryKind::P3,
         "26001 2026-01-02 1 2 3\r\n26002 2026-01-01 1 2 3\r\n26003 2026-01-01 1 2 3\r\n",
         {"p3: issue 26002 is dated 2026-01-01, before issue 26001 (2026-01-02)",
          "p3: issues 26002 and 26003 are both dated 2026-01-01"}},
        {"NumbersOutsideTheRange",
         LotteryKind::Ssq,
         "2026001 2026-01-01 01 02 03 04 05 34 17\r\n",
         {"ssq: issue 2026001 H6 = 34, outside 1 to 33",
          "ssq: issue 2026001 L1 = 17, outside 1 to 16"}},
        {"IssuesThatChangeWidth",
         LotteryKind::Dlt,
         "07001 2007-05-28 01 02 03 04 05 06 07\r\n2007002 2007-05-30 01 02 03 04 05 06 07\r\n",
         {"dlt: issue numbers change width: 5 digits (first 07001) 7 digits (first 2007002)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CheckDraws(Lottery(c.kind), ParseStoredDraws(c.rows)), c.findings);
    }
    EXPECT_EQ(DrawCheckQuery(Lottery(LotteryKind::Ssq)),
              "select qs, format(rq,'yyyy-mm-dd'), h1, h2, h3, h4, h5, h6, l1 from ssq");
}

} // namespace
} // namespace veltrix
