// veltrix-cli update, import and bulletin, run as a process in a folder of
// their own (./DLT.mdb, ./Veltrix.ini, ./draws/).
#include "common/FileIO.h"
#include "db/DrawDatabase.h"
#include "fakes/CliProcess.h"
#include "fakes/RawDatabase.h"
#include "fakes/TempDir.h"
#include "fakes/UpdateFakes.h"
#include "update/Bulletin.h"
#include "update/LoopbackDrawServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sqlite3.h>

namespace veltrix {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::SampleDrawFile;

std::string DatabaseState(const std::string& path) {
    return test::RawDatabase(path, SQLITE_OPEN_READWRITE).DrawTablesState();
}

class UpdateCliTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CreateDrawDatabase(dir.File("DLT.mdb")).error(), ""); }

    CliRun Run(const std::vector<std::string>& args, bool unprivileged = false) {
        return test::RunCli(dir.Path().string(), args, {}, unprivileged);
    }

    void PointAt(const std::string& base) {
        std::ofstream(dir.File("Veltrix.ini")) << "[OPTION]\r\nDrawServer=" << base << "\r\n";
    }

    test::TempDir dir;
};

TEST_F(UpdateCliTest, DefaultFileIsInTheDrawFolderWhateverTheCaseOfItsName) {
    fs::create_directory(dir.File("draws"));
    std::ofstream(dir.File("draws/SSQ.TXT")) << "2026001 2026-01-01 01 02 03 04 05 06 07\r\n"
                                             << "2026002 2026-02-30 01 02 03 04 05 06 07\r\n";
    CliRun run = Run({"import", "SSQ"});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, "ssq: 1 inserted, 0 passed over, 1 refused\n");
    EXPECT_EQ(run.err, "veltrix-cli import: ssq: line 2, field 2 (RQ) \"2026-02-30\": not a real "
                       "date; the import stopped there (correct the line and import again)\n");
}

TEST_F(UpdateCliTest, CheckFindsTheGapAndFillMendsIt) {
    auto draws = [](std::initializer_list<int> issues) {
        std::string text;
        for (int i : issues)
            text += std::to_string(26000 + i) + " 2026-01-0" + std::to_string(i) +
                    " 01 02 03 04 05 06 07\r\n";
        return text;
    };
    ASSERT_TRUE(WriteFileBytes(dir.File("gap.txt"), draws({1, 2, 5})));
    ASSERT_TRUE(WriteFileBytes(dir.File("all.txt"), draws({1, 2, 3, 4, 5})));
    ASSERT_EQ(Run({"import", "dlt", "gap.txt"}).status, 0);
    CliRun found = Run({"check", "dlt"});
    EXPECT_EQ(found.status, 1) << found.err;
    EXPECT_EQ(found.out, "dlt: 2 issues missing in 26: 26003, 26004\n");
    CliRun fill = Run({"import", "--fill", "dlt", "all.txt"});
    EXPECT_EQ(fill.status, 0) << fill.err;
    EXPECT_EQ(fill.out, "dlt: 2 inserted, 3 passed over, 0 refused\n");
    CliRun clean = Run({"check"});
    EXPECT_EQ(std::to_string(clean.status) + clean.out + clean.err, "0") << "exit 0, silent";
}

TEST_F(UpdateCliTest, ImportFailuresAndUsageErrors) {
    CliRun missing = Run({"import", "p5", dir.File("none.txt")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos) << missing.err;

    std::ofstream(dir.File("p5.txt.part")) << "1 2024-01-01 1 2 3 4 5\r\n";
    EXPECT_EQ(Run({"import", "p5", dir.File("p5.txt.part")}).status, 1);

    using Args = std::vector<std::string>;
    for (const Args& usage :
         {Args{"import"}, Args{"import", "lotto"}, Args{"import", "p5", "a", "b"}, Args{"update"},
          Args{"update", "everything"}, Args{"check", "lotto"}})
        EXPECT_EQ(Run(usage).status, 2) << usage.back();

    fs::remove(dir.File("DLT.mdb"));
    EXPECT_EQ(Run({"import", "p5", SampleDrawFile("p5.txt")}).status, 1);
    EXPECT_FALSE(FileExists(dir.File("DLT.mdb"))) << "never created by an import";
}

TEST_F(UpdateCliTest, UpdateFromALoopbackServer) {
    test::LoopbackDrawServer server;
    PointAt(server.Base());
    std::string expected;
    for (std::string code : {"dlt", "ssq", "p5", "p3", "3d", "t22x5", "7xc"}) {
        server.Serve(code + ".TXT", "1 2024-01-01 01 02 03 04 05 06 07 08\r\n"); // fits every game
        expected += code + ": 1 inserted, 0 passed over, 0 refused\n";
    }
    CliRun all = Run({"update", "all"});
    EXPECT_EQ(all.status, 1) << "7lc is not served";
    EXPECT_EQ(all.out, expected + "7lc: 0 inserted, 0 passed over, 0 refused\n");
    EXPECT_EQ(all.err, "veltrix-cli update: 7lc: download of " + server.Base() +
                           "/getData/7lc.TXT failed: the server answered HTTP status 404\n"
                           "veltrix-cli update: 7lc: cannot open ./draws/7lc.txt\n");

    server.Serve("7lc.TXT", "26001 2026-01-01 01 02 03 04 05 06 07 08\r\n");
    CliRun single = Run({"update", "7lc"});
    EXPECT_EQ(single.status, 0) << single.err;
    EXPECT_EQ(single.out, "7lc: 1 inserted, 0 passed over, 0 refused\n");
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
    ASSERT_EQ(Run({"import", "dlt", SampleDrawFile("dlt.txt")}).status, 0);
    std::array<std::string, kLotteryCount> answers{};
    answers[0] = test::WellFormedBulletinAnswers()[0]; // the newest sample dlt draw
    auto bulletin = [&](int status) {
        std::time_t before = std::time(nullptr);
        CliRun run = Run({"bulletin"});
        EXPECT_EQ(run.status, status) << run.err;
        std::string expected = BuildBulletin(LocalBulletinDate(before), answers);
        if (run.out != expected) // the day may have turned meanwhile
            expected = BuildBulletin(LocalBulletinDate(std::time(nullptr)), answers);
        EXPECT_EQ(run.out, expected);
        return run.err;
    };
    EXPECT_EQ(bulletin(0), "");

    // A missing table is named on stderr, and its row left empty.
    test::RawDatabase(dir.File("DLT.mdb"), SQLITE_OPEN_READWRITE).Rows("DROP TABLE ssq");
    EXPECT_NE(bulletin(1).find("veltrix-cli bulletin: "), std::string::npos);
}

TEST_F(UpdateCliTest, DatabaseThatTakesNoDrawStopsTheImportAtItsFirstLine) {
    std::string file;
    for (int i = 1; i <= 50; ++i)
        file += std::to_string(i) + " 2024-01-01 1 2 3\r\n";
    ASSERT_TRUE(WriteFileBytes(dir.File("p3.txt"), file));
    const std::string before = DatabaseState(dir.File("DLT.mdb"));
    auto expectStopped = [&](const CliRun& run, const std::string& why) {
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "p3: 0 inserted, 0 passed over, 1 refused\n");
        size_t at = run.err.find(why);
        EXPECT_NE(at, std::string::npos) << run.err;
        EXPECT_EQ(run.err.find(why, at + 1), std::string::npos) << "said once: " << run.err;
        EXPECT_NE(run.err.find("p3: line 1: refused by the database"), std::string::npos)
            << run.err;
        EXPECT_LT(std::count(run.err.begin(), run.err.end(), '\n'), 4) << "not a message per line";
        EXPECT_EQ(DatabaseState(dir.File("DLT.mdb")), before);
    };

    // Another program holds a write transaction beyond the retries.
    {
        test::OtherWriter other(dir.File("DLT.mdb"));
        other.Lock();
        expectStopped(Run({"import", "p3", "p3.txt"}), "[S1000]");
    }

    // A database file the user may only read.
    fs::permissions(dir.File("DLT.mdb"),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir.Path(), fs::perms::all);
    expectStopped(Run({"import", "p3", "p3.txt"}, true), "readonly");

    fs::permissions(dir.File("DLT.mdb"), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Run({"import", "p3", "p3.txt"}).out, "p3: 50 inserted, 0 passed over, 0 refused\n");
}

} // namespace
} // namespace veltrix
