// An import killed part-way: veltrix-cli imports a 100,000-line dlt draw file
// and is killed with SIGKILL once some rows are in (twice: in the first run
// and in the run that resumes it). After each kill the database must pass
// SQLite's integrity check and hold exactly the draws of the file's first
// lines, every row seen committed before the kill among them; a last run
// must insert exactly the missing draws, so that the table equals the file.
// The figures of each run are printed for the record.

#include "db/DrawDatabase.h"
#include "fakes/CliProcess.h"
#include "fakes/RawDatabase.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <signal.h>
#include <sqlite3.h>
#include <string>
#include <thread>
#include <vector>

namespace veltrix {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLines = 100000;

struct DrawFile {
    std::string bytes;             // the file as the server would deliver it
    std::vector<std::string> rows; // each draw as the table holds it, in issue order
};

// Issues 1000001 and up (seven digits, so text order is number order, as the
// newest-issue query needs), real dates, numbers written with two digits.
DrawFile GenerateDltFile() {
    DrawFile file;
    file.rows.reserve(kLines);
    file.bytes.reserve(static_cast<size_t>(kLines) * 40);
    unsigned seed = 12345;
    auto next = [&seed](int highest) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(highest)) + 1;
    };
    char line[128];
    char row[128];
    for (int i = 0; i < kLines; ++i) {
        int issue = 1000001 + i;
        int year = 1800 + i / 336;
        int month = 1 + (i / 28) % 12;
        int day = 1 + i % 28;
        int n[7];
        for (int k = 0; k < 5; ++k)
            n[k] = next(35);
        n[5] = next(12);
        n[6] = next(12);
        std::snprintf(line, sizeof line, "%d %04d-%02d-%02d %02d %02d %02d %02d %02d %02d %02d\r\n",
                      issue, year, month, day, n[0], n[1], n[2], n[3], n[4], n[5], n[6]);
        std::snprintf(row, sizeof row, "%d|%04d-%02d-%02d|%d|%d|%d|%d|%d|%d|%d|", issue, year,
                      month, day, n[0], n[1], n[2], n[3], n[4], n[5], n[6]);
        file.bytes += line;
        file.rows.emplace_back(row);
    }
    return file;
}

using test::RawDatabase;

class InterruptedImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(CreateDrawDatabase(dir.File("DLT.mdb"), &error)) << error;
        file = GenerateDltFile();
        ASSERT_TRUE(WriteFileBytes(dir.File("dlt-100000.txt"), file.bytes));
    }

    struct KilledRun {
        int rowsBefore = 0; // in the table when the run started
        int rowsSeen = 0;   // the last count read before the kill
        int rowsAfter = 0;  // in the table after the kill
        double seconds = 0; // from the start of the run to the kill
    };

    // Starts an import and kills it once the table holds `killAt` rows.
    KilledRun ImportAndKill(int killAt) {
        KilledRun run;
        run.rowsBefore = RowCount();
        // Closed before the count after the kill: only a connection that is
        // alone with the database recovers the WAL's last commit.
        auto watcher = std::make_unique<RawDatabase>(dir.File("DLT.mdb"), SQLITE_OPEN_READONLY);
        auto started = Clock::now();
        test::CliProcess import(dir.Path().string(), {"import", "dlt", dir.File("dlt-100000.txt")});
        EXPECT_TRUE(import.Started());
        while (import.Running()) {
            int count = watcher->Count("dlt");
            if (count >= killAt) {
                run.rowsSeen = count;
                import.Kill(SIGKILL);
                break;
            }
            if (Clock::now() - started > std::chrono::minutes(5)) {
                ADD_FAILURE() << "the import made no progress; last count " << count;
                import.Kill(SIGKILL);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        test::CliRun result = import.Wait();
        run.seconds = std::chrono::duration<double>(Clock::now() - started).count();
        watcher.reset();
        EXPECT_EQ(result.signal, SIGKILL)
            << "the import ended before it could be killed (status " << result.status << ")\n"
            << result.err;
        run.rowsAfter = RowCount();
        return run;
    }

    // Read-write, as the program opens it: after a kill the WAL may hold a
    // commit that the shared-memory index does not list yet, which only a
    // connection that may write (and is alone) recovers.
    int RowCount() {
        RawDatabase db(dir.File("DLT.mdb"), SQLITE_OPEN_READWRITE);
        return db.Count("dlt");
    }

    // The database after a kill: sound, and holding the file's first draws
    // exactly, each once.
    void ExpectSoundPrefix(int atLeast) {
        RawDatabase db(dir.File("DLT.mdb"), SQLITE_OPEN_READWRITE);
        EXPECT_EQ(db.Rows("PRAGMA integrity_check"), std::vector<std::string>{"ok"});
        std::vector<std::string> rows =
            db.Rows("SELECT qs, rq, h1, h2, h3, h4, h5, l1, l2, t FROM dlt ORDER BY qs");
        ASSERT_GE(rows.size(), static_cast<size_t>(atLeast))
            << "rows committed before the kill are missing";
        ASSERT_LE(rows.size(), file.rows.size());
        for (size_t i = 0; i < rows.size(); ++i)
            ASSERT_EQ(rows[i], file.rows[i]) << "row " << i;
        EXPECT_EQ(db.Rows("SELECT count(*) FROM sqlite_master WHERE type = 'table'"),
                  std::vector<std::string>{"8"});
    }

    static void Record(const char* name, const KilledRun& run) {
        std::printf("[ figures  ] %s: %d rows before, %d seen before SIGKILL after %.2f s, "
                    "%d after the kill\n",
                    name, run.rowsBefore, run.rowsSeen, run.seconds, run.rowsAfter);
    }

    test::TempDir dir;
    DrawFile file;
};

TEST_F(InterruptedImportTest, KilledTwiceThenCompletedLosesAndRepeatsNothing) {
    KilledRun first = ImportAndKill(2000);
    Record("first import", first);
    EXPECT_EQ(first.rowsBefore, 0);
    EXPECT_GE(first.rowsAfter, first.rowsSeen);
    EXPECT_LT(first.rowsAfter, kLines);
    ExpectSoundPrefix(first.rowsSeen);

    KilledRun second = ImportAndKill(first.rowsAfter + 10000);
    Record("second import", second);
    EXPECT_EQ(second.rowsBefore, first.rowsAfter);
    EXPECT_GE(second.rowsAfter, second.rowsSeen);
    EXPECT_LT(second.rowsAfter, kLines);
    ExpectSoundPrefix(second.rowsSeen);

    auto started = Clock::now();
    test::CliRun last =
        test::RunCli(dir.Path().string(), {"import", "dlt", dir.File("dlt-100000.txt")});
    double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    EXPECT_EQ(last.status, 0) << last.err;
    const int missing = kLines - second.rowsAfter;
    EXPECT_EQ(last.out, "dlt: " + std::to_string(missing) + " inserted, " +
                            std::to_string(second.rowsAfter) + " passed over, 0 refused\n");
    std::printf("[ figures  ] last import: %d rows before, %d inserted in %.2f s, %d after\n",
                second.rowsAfter, missing, seconds, RowCount());

    ExpectSoundPrefix(kLines);
    EXPECT_EQ(RowCount(), kLines) << "the table equals the file";
}

} // namespace
} // namespace veltrix
