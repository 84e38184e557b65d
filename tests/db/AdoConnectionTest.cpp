#include "db/AdoConnection.h"
#include "fakes/DrawDatabaseFixture.h"
#include "fakes/RawDatabase.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sqlite3.h>

namespace veltrix {
namespace {

using test::DrawDatabaseFixture;

class AdoConnectionTest : public DrawDatabaseFixture {};

TEST_F(AdoConnectionTest, FieldTextFollowsTheStandardConversion) {
    Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('04001','2004-11-14',5,NULL,-7)");
    ASSERT_TRUE(db.Execute("select qs, h1, h2, h3, h1 / 2.0, h1 * 1.0, 1 / 3.0 from p3"));
    ASSERT_FALSE(db.IsEOF());
    std::vector<std::string> fields;
    for (int i = 0; i < db.GetFieldCount(); ++i)
        fields.push_back(db.GetFieldText(i));
    EXPECT_EQ(fields,
              (std::vector<std::string>{"04001", "5", "", "-7", "2.5", "5", "0.333333333333333"}));
    db.MoveNext();
    EXPECT_TRUE(db.IsEOF());
}

TEST_F(AdoConnectionTest, LongFieldsComeBackWhole) {
    std::string text(5000, 'x');
    Exec("INSERT INTO dlt (QS,T) VALUES ('1','" + text + "')");
    ASSERT_TRUE(db.Execute("select t from dlt"));
    EXPECT_EQ(db.GetFieldText(0), text);
}

struct FailureCase {
    const char* name;
    const char* sql;
    const char* sqlState;
};

class AdoConnectionFailureTest : public DrawDatabaseFixture,
                                 public ::testing::WithParamInterface<FailureCase> {};

TEST_P(AdoConnectionFailureTest, FailsAtOnceWithErrorTextAndState) {
    Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('1','2004-11-14',1,2,3)");
    EXPECT_FALSE(db.Execute(GetParam().sql));
    EXPECT_LE(db.LastAttemptCount(), 1) << "only \"S1000\" is retried";
    EXPECT_EQ(db.GetSQLState(), GetParam().sqlState);
    std::string pattern = std::string("^[0-9a-f]+:.+\\[") + GetParam().sqlState + "\\]$";
    EXPECT_TRUE(std::regex_match(db.GetErrorText(), std::regex(pattern))) << db.GetErrorText();
}

INSTANTIATE_TEST_SUITE_P(
    Errors, AdoConnectionFailureTest,
    ::testing::Values(FailureCase{"misspelt_keyword", "selec qs from p3", "42000"},
                      FailureCase{"unknown_table", "select qs from p4", "42S02"},
                      FailureCase{"unknown_column", "select qz from p3", "42S22"},
                      FailureCase{"unknown_bracketed_column", "select [no such] from p3", "42S22"},
                      FailureCase{"duplicate_key",
                                  "INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('1','2004-11-14',1,2,3)",
                                  "23000"}),
    [](const auto& testParam) { return std::string(testParam.param.name); });

TEST_F(AdoConnectionTest, ErrorTextIsClearedByTheNextStatement) {
    EXPECT_FALSE(db.Execute("selec 1"));
    EXPECT_FALSE(db.GetErrorText().empty());
    EXPECT_TRUE(db.Execute("select 1"));
    EXPECT_EQ(db.GetErrorText(), "");
    EXPECT_EQ(db.GetSQLState(), "");
}

TEST(AdoConnectionOpenTest, MissingFileFailsAndIsNotCreated) {
    test::TempDir dir;
    CAdoConnection db;
    EXPECT_FALSE(db.Open(("Data Source=" + dir.File("DLT.mdb")).c_str()));
    EXPECT_FALSE(std::filesystem::exists(dir.File("DLT.mdb")));
    ASSERT_EQ(CreateDrawDatabase(dir.File("DLT.mdb")).error(), "");
    EXPECT_TRUE(db.Open(dir.File("DLT.mdb").c_str())) << "the object stays usable";
}

TEST(AdoConnectionOpenTest, FileThatIsNotSqliteFailsAtOpen) {
    test::TempDir dir;
    std::ofstream(dir.File("DLT.mdb")) << std::string(4096, '\x01') << "Standard Jet DB";
    CAdoConnection db;
    EXPECT_FALSE(
        db.Open(("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + dir.File("DLT.mdb")).c_str()));
    EXPECT_FALSE(db.GetErrorText().empty());
}

TEST(AdoConnectionOpenTest, CloseLeavesOnlyTheDatabaseFile) {
    test::TempDir dir;
    ASSERT_EQ(CreateDrawDatabase(dir.File("DLT.mdb")).error(), "");
    {
        CAdoConnection db;
        ASSERT_TRUE(db.Open(dir.File("DLT.mdb").c_str()));
        ASSERT_TRUE(db.Execute("INSERT INTO p3 (QS) VALUES ('1')"));
        db.Close();
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("DLT.mdb-wal")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("DLT.mdb-shm")));
    EXPECT_EQ(test::RawDatabase(dir.File("DLT.mdb"), SQLITE_OPEN_READONLY).Count("p3"), 1);
}

// The program's own form opens every fixture's database, a bare path the
// files above.
TEST(ConnectionStringTest, DataSourceKeyIgnoresCaseAndLaterKeys) {
    EXPECT_EQ(DataSourceFromConnectionString("data source=a.db;Mode=Read"), "a.db");
}

} // namespace
} // namespace veltrix
