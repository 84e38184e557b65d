// veltrix-cli on input no ordinary use gives it: count and backzone over
// binary result texts, and query over SQL that must be refused. Each ends
// with its usual answer or an error text, never a crash, and the database
// stays as it was. The rules themselves are the core's tests'; these check
// the program's door.

#include "analysis/BackZoneIndex.h"
#include "analysis/NumberCount.h"
#include "db/DrawDatabase.h"
#include "fakes/CliProcess.h"
#include "fakes/HostileResultTexts.h"
#include "fakes/RawDatabase.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

using test::CliRun;
using test::RunCli;

// count and backzone pass standard input to the core byte for byte (NUL
// bytes, bytes that are not UTF-8, lone line ends) and print its text as it is.
TEST(CliResultTextTest, CountAndBackZonePrintTheCoreText) {
    test::TempDir work;
    static const char kBinary[] = "03 11\r\n01 02\0 03\r\n\x80\xff 12 01\n\r";
    const std::string text =
        std::string(kBinary, sizeof kBinary - 1) + test::LongRowLine(1024 * 1024);
    CliRun count = RunCli(work.Path().string(), {"count"}, text);
    EXPECT_EQ(count.status, 0) << count.err;
    EXPECT_TRUE(count.out == NumberCountText(text));
    CliRun backZone = RunCli(work.Path().string(), {"backzone"}, text);
    EXPECT_EQ(backZone.status, 0) << backZone.err;
    EXPECT_TRUE(backZone.out == BackZoneIndexText(text));
    EXPECT_EQ(count.err + backZone.err, "");
}

// veltrix-cli query against a database of the test's own.
TEST(CliQueryTest, HostileStatementsAreRefusedAndChangeNothing) {
    test::TempDir work;
    ASSERT_EQ(CreateDrawDatabase(work.File("DLT.mdb")).error(), "");
    test::RawDatabase(work.File("DLT.mdb"), SQLITE_OPEN_READWRITE)
        .Rows("INSERT INTO p3 (QS,RQ,H1,H2,H3) VALUES ('04001','2004-11-14',1,2,3);"
              "INSERT INTO dlt (QS,RQ,H1,L2,T) VALUES ('07001','2007-05-30',22,11,'')");
    // Schema and every row, read past the program.
    auto everything = [&] {
        return test::RawDatabase(work.File("DLT.mdb"), SQLITE_OPEN_READONLY).DrawTablesState();
    };
    const std::string before = everything();
    ASSERT_NE(before.find("04001"), std::string::npos);
    const std::string deeper = std::string(50000, '(') + "'04001'" + std::string(50000, ')');
    // The runner's tests hold the rest of the list; here the text goes
    // through the command line, and the deepest nesting is tried only here.
    const std::vector<std::string> statements = {
        "delete from p3 where qs = '04001",
        "delete from p3 where qs = " + deeper,
        "select 1; delete from p3",
    };
    for (const std::string& sql : statements) {
        SCOPED_TRACE(sql.substr(0, 70));
        CliRun run = RunCli(work.Path().string(), {"query", sql});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        // The error text, then the record count.
        EXPECT_TRUE(run.err.ends_with("]\n0\n")) << run.err.substr(0, 300);
        EXPECT_EQ(everything(), before);
    }
}

} // namespace
} // namespace veltrix
