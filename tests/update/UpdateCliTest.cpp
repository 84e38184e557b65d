// veltrix-cli update, import and bulletin, run as a process in a folder of
// their own (./DLT.mdb, ./Veltrix.ini, ./draws/).
#include "common/FileIO.h"
#include "db/AdoConnection.h"
#include "db/DrawDatabase.h"
#include "fakes/TempDir.h"
#include "update/Bulletin.h"
#include "update/LoopbackDrawServer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

namespace veltrix {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string SampleFile(const char* name) {
    const char* folder = std::getenv("VELTRIX_SAMPLE_DRAWS");
    return std::string(folder ? folder : "data/draws") + "/" + name;
}

class UpdateCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* cli = std::getenv("VELTRIX_CLI");
        ASSERT_NE(cli, nullptr) << "ctest sets VELTRIX_CLI";
        m_cli = cli;
        std::string error;
        ASSERT_TRUE(CreateDrawDatabase(dir.File("DLT.mdb"), &error)) << error;
    }

    CliRun Run(const std::vector<std::string>& args) {
        std::string command = "cd " + Quote(dir.Path().string()) + " && " + Quote(m_cli);
        for (const std::string& arg : args)
            command += " " + Quote(arg);
        command += " > " + Quote(dir.File("cli.out")) + " 2> " + Quote(dir.File("cli.err"));
        CliRun run;
        int raw = std::system(command.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        ReadFileBytes(dir.File("cli.out"), &run.out);
        ReadFileBytes(dir.File("cli.err"), &run.err);
        return run;
    }

    void PointAt(const std::string& base) {
        std::ofstream(dir.File("Veltrix.ini")) << "[OPTION]\r\nDrawServer=" << base << "\r\n";
    }

    test::TempDir dir;
    std::string m_cli;
};

TEST_F(UpdateCliTest, ImportsASampleFileThenFindsNothingNew) {
    CliRun first = Run({"import", "dlt", SampleFile("dlt.txt")});
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, "dlt: 2913 inserted, 0 skipped\n");
    EXPECT_EQ(first.err, "");

    CliRun again = Run({"import", "dlt", SampleFile("dlt.txt")});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, "dlt: 0 inserted, 2913 skipped\n");
    EXPECT_EQ(again.err, "veltrix-cli import: dlt: skipped 2913 lines not newer than the stored "
                         "issue 26095 (lines 1, 2, 3, 4, 5, ...)\n");
}

TEST_F(UpdateCliTest, ThreeDSampleLinesLackFieldsAndSaySo) {
    CliRun run = Run({"import", "3d", SampleFile("3d.txt")});
    EXPECT_EQ(run.status, 0) << "skipping is not failing";
    EXPECT_EQ(run.out, "3d: 0 inserted, 7726 skipped\n");
    EXPECT_NE(run.err.find("7726 lines with too few fields (lines 1, 2, 3, 4, 5, ...)"),
              std::string::npos)
        << run.err;
}

TEST_F(UpdateCliTest, DefaultFileIsInTheDrawFolder) {
    std::filesystem::create_directory(dir.File("draws"));
    std::ofstream(dir.File("draws/ssq.txt")) << "2026001 2026-01-01 01 02 03 04 05 06 07\r\n"
                                             << "2026002 2026-02-30 01 02 03 04 05 06 07\r\n";
    CliRun run = Run({"import", "SSQ"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "ssq: 1 inserted, 1 skipped\n");
    EXPECT_EQ(run.err, "veltrix-cli import: ssq: skipped 1 line with a date that is not a real "
                       "date (line 2)\n");
}

TEST_F(UpdateCliTest, ImportFailures) {
    CliRun missing = Run({"import", "p5", dir.File("none.txt")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos) << missing.err;

    std::ofstream(dir.File("p5.txt.part")) << "1 2024-01-01 1 2 3 4 5\r\n";
    EXPECT_EQ(Run({"import", "p5", dir.File("p5.txt.part")}).status, 1);

    EXPECT_EQ(Run({"import"}).status, 2);
    EXPECT_EQ(Run({"import", "lotto"}).status, 2);
    EXPECT_EQ(Run({"import", "p5", "a", "b"}).status, 2);

    std::filesystem::remove(dir.File("DLT.mdb"));
    CliRun noDatabase = Run({"import", "p5", SampleFile("p5.txt")});
    EXPECT_EQ(noDatabase.status, 1);
    EXPECT_FALSE(FileExists(dir.File("DLT.mdb"))) << "never created by an import";
}

TEST_F(UpdateCliTest, UpdateAllFromALoopbackServer) {
    test::LoopbackDrawServer server;
    PointAt(server.Base());
    const char* lines[] = {"1 2024-01-01 01 02 03 04 05 06 07\r\n",     // dlt
                           "1 2024-01-01 01 02 03 04 05 06 07\r\n",     // ssq
                           "1 2024-01-01 1 2 3 4 5\r\n",                // p5
                           "1 2024-01-01 1 2 3\r\n",                    // p3
                           "1 2024-01-01 1 2 3 4 5 6\r\n",              // 3d
                           "1 2024-01-01 01 02 03 04 05\r\n",           // t22x5
                           "1 2024-01-01 1 2 3 4 5 6 7\r\n",            // 7xc
                           "1 2024-01-01 01 02 03 04 05 06 07 08\r\n"}; // 7lc
    const char* files[] = {"dlt.TXT", "ssq.TXT",   "p5.TXT",  "p3.TXT",
                           "3d.TXT",  "t22x5.TXT", "7xc.TXT", "7lc.TXT"};
    for (int i = 0; i < 8; ++i)
        server.Serve(files[i], lines[i]);

    CliRun run = Run({"update", "all"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "dlt: 1 inserted, 0 skipped\nssq: 1 inserted, 0 skipped\n"
                       "p5: 1 inserted, 0 skipped\np3: 1 inserted, 0 skipped\n"
                       "3d: 1 inserted, 0 skipped\nt22x5: 1 inserted, 0 skipped\n"
                       "7xc: 1 inserted, 0 skipped\n7lc: 1 inserted, 0 skipped\n");
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(FileExists(dir.File("draws/t22x5.txt")));
}

TEST_F(UpdateCliTest, UpdateReportsAFailedDownload) {
    test::LoopbackDrawServer server;
    PointAt(server.Base());
    server.Serve("7xc.TXT", "26001 2026-01-01 1 2 3 4 5 6 7\r\n");
    CliRun single = Run({"update", "7xc"});
    EXPECT_EQ(single.status, 0) << single.err;
    EXPECT_EQ(single.out, "7xc: 1 inserted, 0 skipped\n");

    CliRun missing = Run({"update", "7lc"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("veltrix-cli update: 7lc: download of " + server.Base() +
                               "/getData/7lc.TXT failed: the server answered HTTP status 404"),
              std::string::npos)
        << missing.err;
    EXPECT_FALSE(FileExists(dir.File("draws/7lc.txt")));
    EXPECT_FALSE(FileExists(dir.File("draws/7lc.txt.part")));

    EXPECT_EQ(Run({"update"}).status, 2);
    EXPECT_EQ(Run({"update", "everything"}).status, 2);
}

TEST_F(UpdateCliTest, UnusableServerSettingIsNamed) {
    PointAt("draws.example");
    CliRun run = Run({"update", "p3"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("DrawServer \"draws.example\" is not an http:// or https:// address"),
              std::string::npos)
        << run.err;
}

TEST_F(UpdateCliTest, BulletinPrintsExactlyTheBulletin) {
    ASSERT_EQ(Run({"import", "dlt", SampleFile("dlt.txt")}).status, 0);
    std::time_t before = std::time(nullptr);
    CliRun run = Run({"bulletin"});
    std::time_t after = std::time(nullptr);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");

    std::array<std::string, kLotteryCount> answers{};
    answers[0] = " 08.22 26095│04 06 08 10 14 + 04 05  │\r\n"; // the newest sample dlt draw
    std::string expected = BuildBulletin(LocalBulletinDate(before), answers);
    if (run.out != expected) // the day may have turned between the two clocks
        expected = BuildBulletin(LocalBulletinDate(after), answers);
    EXPECT_EQ(run.out, expected);
}

TEST_F(UpdateCliTest, BulletinWithAMissingTableSaysSoAndStillPrints) {
    CAdoConnection db;
    ASSERT_TRUE(db.Open(dir.File("DLT.mdb").c_str()));
    ASSERT_TRUE(db.Execute("DROP TABLE ssq"));
    db.Close();
    CliRun run = Run({"bulletin"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("veltrix-cli bulletin: "), std::string::npos);
    EXPECT_NE(run.out.find("│双色球├─────────┼────────────┤\r\n"), std::string::npos) << run.out;
}

} // namespace
} // namespace veltrix
