// An import killed part-way: veltrix-cli imports a 100,000-line dlt draw file
// and is killed with SIGKILL once some rows are in (twice: in the first run
// and in the run that resumes it). After each kill the database must pass
// SQLite's integrity check and hold exactly the draws of the file's first
// lines, every row seen committed before the kill among them; a last run
// must insert exactly the missing draws, so that the table equals the file.
// The figures of each run are printed for the record.

#include "db/DrawDatabase.h"
#include "fakes/CliProcess.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
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

// A plain SQLite connection of the test's own, outside the program.
class RawDatabase {
public:
    RawDatabase(const std::string& path, int flags) {
        if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK)
            ADD_FAILURE() << "cannot open " << path << ": " << sqlite3_errmsg(m_db);
    }
    ~RawDatabase() { sqlite3_close(m_db); }
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    // The rows of a select, each row's fields joined by '|'; nothing while
    // the database cannot be read.
    std::optional<std::vector<std::string>> TryRows(const std::string& sql) {
        std::vector<std::string> rows;
        auto collect = [](void* out, int n, char** values, char**) {
            std::string row;
            for (int i = 0; i < n; ++i)
                row += std::string(values[i] ? values[i] : "") + (i + 1 < n ? "|" : "");
            static_cast<std::vector<std::string>*>(out)->push_back(std::move(row));
            return 0;
        };
        if (sqlite3_exec(m_db, sql.c_str(), collect, &rows, nullptr) != SQLITE_OK)
            return std::nullopt;
        return rows;
    }

    std::vector<std::string> Rows(const std::string& sql) {
        auto rows = TryRows(sql);
        if (!rows)
            ADD_FAILURE() << sql << ": " << sqlite3_errmsg(m_db);
        return rows.value_or(std::vector<std::string>{});
    }

    // count(*) of the table, or -1 while the database cannot be read.
    int Count(const std::string& table) {
        auto rows = TryRows("SELECT count(*) FROM " + table);
        return rows && rows->size() == 1 ? std::atoi(rows->front().c_str()) : -1;
    }

private:
    sqlite3* m_db = nullptr;
};

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
        EXPECT_EQ(db.Count("sqlite_master WHERE type = 'table'"), 8);
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
                            std::to_string(second.rowsAfter) + " skipped\n");
    std::printf("[ figures  ] last import: %d rows before, %d inserted in %.2f s, %d after\n",
                second.rowsAfter, missing, seconds, RowCount());

    ExpectSoundPrefix(kLines);
    EXPECT_EQ(RowCount(), kLines) << "the table equals the file";
}

} // namespace
} // namespace veltrix
