// The import while another program holds a write transaction on the
// database: the program's own retries (10 attempts 100 ms apart) ride out a
// short lock; a lock that outlasts them ends the import with a message, loses
// nothing, and leaves no gap that a later import would step over.

#include "fakes/DrawDatabaseFixture.h"
#include "fakes/RawDatabase.h"
#include "fakes/UpdateFakes.h"
#include "query/StatementRunner.h"
#include "update/DrawImport.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <thread>

namespace veltrix {
namespace {

const std::string kFile = "1 2024-01-01 1 1 1\r\n"
                          "2 2024-01-02 2 2 2\r\n"
                          "3 2024-01-03 3 3 3\r\n"
                          "4 2024-01-04 4 4 4\r\n"
                          "5 2024-01-05 5 5 5\r\n";
const std::string kAllRows = "1 1\r\n2 2\r\n3 3\r\n4 4\r\n5 5\r\n";

// The connection's runner, with a hook that sees every outcome.
class WatchedRunner : public SqlRunner {
public:
    WatchedRunner(CAdoConnection& db, QueryHost& host) : m_inner(db, host) {}
    QueryOutcome Run(const std::string& sql) override {
        QueryOutcome outcome = m_inner.Run(sql);
        if (after)
            after(sql, outcome);
        return outcome;
    }
    std::function<void(const std::string&, const QueryOutcome&)> after;

private:
    ConnectionSqlRunner m_inner;
};

class LockedImportTest : public test::DrawDatabaseFixture {
protected:
    ImportSummary Import() {
        std::istringstream in(kFile);
        return ImportDraws(Lottery(LotteryKind::P3), &in, runner, title);
    }

    std::string Rows() {
        test::QuietQueryHost quiet;
        return RunStatement(db, "select qs, h1 from p3 order by qs", quiet).resultText;
    }

    test::QuietQueryHost host;
    WatchedRunner runner{db, host};
    test::RecordingTitle title;
    test::OtherWriter other{DbPath()};
};

TEST_F(LockedImportTest, LockReleasedDuringTheRetriesCostsNothing) {
    other.Lock();
    std::thread release([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.Release();
    });
    ImportSummary summary = Import();
    release.join();
    EXPECT_EQ(summary.inserted, 5);
    EXPECT_TRUE(summary.Succeeded());
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
    EXPECT_EQ(Rows(), kAllRows);
}

TEST_F(LockedImportTest, LockThatOutlastsTheRetriesStopsTheImportWithOneMessage) {
    other.Lock();
    auto started = std::chrono::steady_clock::now();
    ImportSummary summary = Import();
    auto took = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(summary.inserted, 0);
    EXPECT_FALSE(summary.Succeeded());
    ASSERT_NE(summary.EndedAt(), nullptr);
    EXPECT_EQ(summary.EndedAt()->line, 1);
    ASSERT_EQ(host.messages.size(), 1u) << "one message, not one per remaining line";
    EXPECT_TRUE(host.messages[0].ends_with("[S1000]")) << host.messages[0];
    // Ten attempts of the first row, then nothing more.
    EXPECT_GE(took, std::chrono::milliseconds(900));
    EXPECT_LT(took, std::chrono::seconds(5));
    EXPECT_EQ(title.title, "Veltrix") << "the title is put back";
    EXPECT_EQ(Rows(), "");

    other.Release();
    host.messages.clear();
    ImportSummary again = Import();
    EXPECT_EQ(again.inserted, 5);
    EXPECT_TRUE(again.Succeeded());
    EXPECT_EQ(Rows(), kAllRows);
}

} // namespace
} // namespace veltrix
