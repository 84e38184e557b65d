// An import killed part-way: veltrix-cli imports a 100,000-line dlt draw file
// and is killed with SIGKILL once some rows are in (twice: in the first run
// and in the run that resumes it). After each kill the database must pass
// SQLite's integrity check and hold exactly the draws of the file's first
// lines, every row seen committed before the kill among them; a last run
// must insert exactly the missing draws, so that the table equals the file.
// The figures of each run are printed for the record.

#include "common/Strings.h"
#include "db/DrawDatabase.h"
#include "fakes/CliProcess.h"
#include "fakes/RawDatabase.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <signal.h>
#include <sqlite3.h>
#include <string>
#include <thread>
#include <vector>

namespace veltrix {
namespace {

using Clock = std::chrono::steady_clock;
using test::RawDatabase;

constexpr int kLines = 100000;

// Issues 1000001 and up (seven digits, so text order is number order, as the
// newest-issue query needs), real dates, numbers written with two digits.
// The lines without their line ends, as the check query below prints rows.
std::vector<std::string> GenerateDltLines() {
    std::vector<std::string> lines;
    for (int i = 0; i < kLines; ++i)
        lines.push_back(StrFormat("%d %04d-%02d-%02d %02d %02d %02d %02d %02d %02d %02d",
                                  1000001 + i, 1800 + i / 336, 1 + (i / 28) % 12, 1 + i % 28,
                                  1 + i % 35, 1 + i * 3 % 35, 1 + i * 7 % 35, 1 + i * 11 % 35,
                                  1 + i * 13 % 35, 1 + i % 12, 1 + i * 5 % 12));
    return lines;
}

class InterruptedImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CreateDrawDatabase(dir.File("DLT.mdb")).error(), "");
        std::string bytes;
        for (const std::string& line : lines)
            bytes += line + "\r\n";
        ASSERT_TRUE(WriteFileBytes(dir.File("dlt-100000.txt"), bytes));
    }

    // Starts an import, kills it once the table holds `killAt` rows, and
    // checks the database it left; answers the rows in the table then.
    int ImportAndKill(const char* name, int killAt) {
        const int before = RowCount();
        int seen = 0;
        auto started = Clock::now();
        {
            // Closed before the count after the kill: only a connection that
            // is alone with the database recovers the WAL's last commit.
            RawDatabase watcher(dir.File("DLT.mdb"), SQLITE_OPEN_READONLY);
            test::CliProcess import(dir.Path().string(),
                                    {"import", "dlt", dir.File("dlt-100000.txt")});
            EXPECT_TRUE(import.Started());
            while (import.Running() && seen < killAt) {
                seen = watcher.Count("dlt");
                if (Clock::now() - started > std::chrono::minutes(5)) {
                    ADD_FAILURE() << "the import made no progress; last count " << seen;
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            import.Kill(SIGKILL);
            test::CliRun result = import.Wait();
            EXPECT_EQ(result.signal, SIGKILL)
                << "the import ended before it could be killed (status " << result.status << ")\n"
                << result.err;
        }
        const int after = RowCount();
        std::printf("[ figures  ] %s: %d rows before, %d seen before SIGKILL after %.2f s, "
                    "%d after the kill\n",
                    name, before, seen,
                    std::chrono::duration<double>(Clock::now() - started).count(), after);
        EXPECT_GE(after, seen) << "rows committed before the kill are missing";
        EXPECT_LT(after, kLines);
        ExpectSoundPrefix();
        return after;
    }

    // Read-write, as the program opens it: after a kill the WAL may hold a
    // commit that the shared-memory index does not list yet, which only a
    // connection that may write (and is alone) recovers.
    int RowCount() { return RawDatabase(dir.File("DLT.mdb"), SQLITE_OPEN_READWRITE).Count("dlt"); }

    // The database after a kill: sound, and holding the file's first draws
    // exactly, each once.
    void ExpectSoundPrefix() {
        RawDatabase db(dir.File("DLT.mdb"), SQLITE_OPEN_READWRITE);
        EXPECT_EQ(db.Rows("PRAGMA integrity_check"), std::vector<std::string>{"ok"});
        std::vector<std::string> rows =
            db.Rows("SELECT printf('%s %s %02d %02d %02d %02d %02d %02d %02d%s', qs, rq, h1, h2, "
                    "h3, h4, h5, l1, l2, t) FROM dlt ORDER BY qs");
        ASSERT_LE(rows.size(), lines.size());
        for (size_t i = 0; i < rows.size(); ++i)
            ASSERT_EQ(rows[i], lines[i]) << "row " << i;
        EXPECT_EQ(db.Rows("SELECT count(*) FROM sqlite_master WHERE type = 'table'"),
                  std::vector<std::string>{"8"});
    }

    test::TempDir dir;
    const std::vector<std::string> lines = GenerateDltLines();
};

TEST_F(InterruptedImportTest, KilledTwiceThenCompletedLosesAndRepeatsNothing) {
    int first = ImportAndKill("first import", 2000);
    int second = ImportAndKill("second import", first + 10000);
    EXPECT_GT(second, first);

    auto started = Clock::now();
    test::CliRun last =
        test::RunCli(dir.Path().string(), {"import", "dlt", dir.File("dlt-100000.txt")});
    std::printf("[ figures  ] last import: %d rows before, %d inserted in %.2f s\n", second,
                kLines - second, std::chrono::duration<double>(Clock::now() - started).count());
    EXPECT_EQ(last.status, 0) << last.err;
    EXPECT_EQ(last.out, "dlt: " + std::to_string(kLines - second) + " inserted, " +
                            std::to_string(second) + " passed over, 0 refused\n");
    ExpectSoundPrefix();
    EXPECT_EQ(RowCount(), kLines) << "the table equals the file";
}

} // namespace
} // namespace veltrix
