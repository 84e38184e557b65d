// Jet queries on the real draw history (data/draws), run through the
// statement runner: the program's own newest-issue queries, and queries a
// hobbyist types. Every expected answer is computed here from the draw files
// themselves, independently of the database.
#include "JetDrawData.h"
#include "fakes/RawDatabase.h"
#include "fakes/TempDir.h"
#include "fakes/UpdateFakes.h"
#include "query/StatementRunner.h"
#include "update/DrawImport.h"

#include "db/AdoConnection.h"
#include "db/DrawDatabase.h"
#include "db/JetDialect.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace veltrix {
namespace {

using test::Draw;

// One database with every game's real draws, shared by the suite.
class JetDrawQueriesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new test::TempDir;
        s_db = new CAdoConnection;
        s_draws = new std::map<LotteryKind, std::vector<Draw>>;
        std::string path = s_dir->File("DLT.mdb");
        ASSERT_EQ(CreateDrawDatabase(path).error(), "");
        ASSERT_TRUE(s_db->Open(path.c_str())) << s_db->GetErrorText();
        // Loaded by the program's own import; the answers come from the files.
        test::QuietQueryHost quiet;
        ConnectionSqlRunner runner(*s_db, quiet);
        test::RecordingTitle title;
        for (const LotteryInfo& game : AllLotteries()) {
            (*s_draws)[game.kind] = test::ReadDrawFile(game);
            const std::string file = test::SampleDrawFile(game.openedFileName);
            ImportSummary summary = ImportDrawFileAt(game.kind, file, runner, title);
            // There is no 22-of-5 sample file.
            ASSERT_TRUE(summary.Succeeded() || (*s_draws)[game.kind].empty()) << file;
        }
        ASSERT_GT((*s_draws)[LotteryKind::Dlt].size(), 1000u) << "VELTRIX_SAMPLE_DRAWS not set?";
    }
    static void TearDownTestSuite() {
        delete s_db;
        delete s_draws;
        delete s_dir;
    }

    static const std::vector<Draw>& Draws(LotteryKind kind) { return (*s_draws)[kind]; }

    QueryOutcome Run(const std::string& sql) {
        host.commandText = sql;
        return RunStatement(*s_db, sql, host);
    }

    test::QuietQueryHost host;
    static inline test::TempDir* s_dir = nullptr;
    static inline CAdoConnection* s_db = nullptr;
    static inline std::map<LotteryKind, std::vector<Draw>>* s_draws = nullptr;
};

// The draws sorted by issue, as "order by qs" reads them (issues of one game
// have one length, so text order is number order).
std::vector<Draw> ByIssue(std::vector<Draw> draws) {
    std::sort(draws.begin(), draws.end(), [](const Draw& a, const Draw& b) { return a.qs < b.qs; });
    return draws;
}

TEST_F(JetDrawQueriesTest, NewestIssueQueriesGiveTheNewestIssue) {
    for (const LotteryInfo& game : AllLotteries()) {
        SCOPED_TRACE(std::string(game.code));
        std::vector<Draw> draws = ByIssue(Draws(game.kind));
        std::string expected = draws.empty() ? "" : draws.back().qs + "\r\n";
        QueryOutcome outcome = Run(std::string(game.newestIssueQuery));
        EXPECT_FALSE(outcome.failed) << (host.messages.empty() ? "" : host.messages.back());
        EXPECT_EQ(outcome.resultText, expected);
    }
}

TEST_F(JetDrawQueriesTest, HobbyistQueriesGiveTheRowsComputedFromTheFiles) {
    const std::vector<Draw> dlt = ByIssue(Draws(LotteryKind::Dlt));
    std::string recent; // the newest five, oldest first (the runner turns TOP round)
    for (size_t i = dlt.size() - 5; i < dlt.size(); ++i) {
        recent += dlt[i].qs;
        for (int n : dlt[i].numbers)
            recent += (n < 10 ? " 0" : " ") + std::to_string(n);
        recent += "\r\n";
    }
    EXPECT_EQ(Run("select top 5 qs, format(h1,'0#'), format(h2,'0#'), format(h3,'0#'), "
                  "format(h4,'0#'), format(h5,'0#'), format(l1,'0#'), format(l2,'0#') "
                  "from dlt order by qs desc")
                  .resultText,
              recent);

    std::map<int, int> counts;
    for (const Draw& draw : dlt)
        for (size_t i = 0; i < 5; ++i)
            ++counts[draw.numbers[i]];
    std::string perNumber;
    for (auto [number, count] : counts)
        perNumber += std::to_string(number) + " " + std::to_string(count) + "\r\n";
    EXPECT_EQ(Run("select n, count(*) from (select h1 as n from dlt union all select h2 from dlt "
                  "union all select h3 from dlt union all select h4 from dlt union all "
                  "select h5 from dlt) group by n order by n")
                  .resultText,
              perNumber);

    const auto in25 =
        std::count_if(dlt.begin(), dlt.end(), [](const Draw& d) { return d.qs.starts_with("25"); });
    EXPECT_EQ(Run("select count(*) from dlt where qs like '25%'").resultText,
              std::to_string(in25) + "\r\n");
}

// A range of issues and a prefix of issues are read through the issue
// number's index. (The newest-issue queries sort issues by value, which no
// index serves: a top-N scan of one table.)
TEST_F(JetDrawQueriesTest, IssueQueriesUseTheKey) {
    test::RawDatabase file(s_dir->File("DLT.mdb"), SQLITE_OPEN_READONLY);
    for (const char* jet : {"select * from dlt where qs between '07001' and '07100'",
                            "select qs from dlt where qs like '07%'"}) {
        SCOPED_TRACE(jet);
        JetTranslation translation = TranslateJetSql(jet);
        ASSERT_TRUE(translation.ok);
        std::string plan;
        for (const std::string& row : file.Rows("EXPLAIN QUERY PLAN " + translation.sql))
            plan += row + "\n";
        EXPECT_NE(plan.find("INDEX"), std::string::npos) << plan;
        EXPECT_EQ(plan.find("TEMP B-TREE"), std::string::npos) << plan;
    }
}

} // namespace
} // namespace veltrix
