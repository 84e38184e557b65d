// A database that cannot be written opens read-only: queries work, writing
// statements fail with an error text, and nothing is left behind.

#include "db/AdoConnection.h"
#include "db/DrawDatabase.h"
#include "fakes/TempDir.h"
#include "fakes/Unprivileged.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace veltrix {
namespace {

namespace fs = std::filesystem;

class ReadOnlyDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CreateDrawDatabase(Db()).error(), "");
        CAdoConnection db;
        ASSERT_TRUE(db.Open(Db().c_str()));
        ASSERT_TRUE(
            db.Execute("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('04001','2004-11-14',1,2,3)"));
        db.Close();
        fs::permissions(dir.Path(), fs::perms::all);
    }

    std::string Db() const { return dir.File("DLT.mdb"); }

    // Reading works, writing fails with an error text, the row is unchanged.
    void ExpectReadOnlyAccess() {
        CAdoConnection db;
        ASSERT_TRUE(db.Open(("Data Source=" + Db()).c_str())) << db.GetErrorText();
        EXPECT_TRUE(db.IsReadOnly());
        ASSERT_TRUE(db.Execute("select qs, h1 from p3")) << db.GetErrorText();
        EXPECT_EQ(db.GetFieldText(0), "04001");
        EXPECT_FALSE(db.Execute("INSERT INTO p3 (QS) VALUES ('04002')"));
        EXPECT_NE(db.GetErrorText().find("readonly"), std::string::npos) << db.GetErrorText();
        ASSERT_TRUE(db.Execute("select count(*) from p3"));
        EXPECT_EQ(db.GetFieldText(0), "1");
        db.Close();
    }

    test::TempDir dir;
};

TEST_F(ReadOnlyDatabaseTest, ReadOnlyFileInWritableFolder) {
    fs::permissions(Db(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    test::RunUnprivileged([&] { ExpectReadOnlyAccess(); });
    // A reader may leave SQLite's (empty) -wal and -shm files beside the
    // database, but never data of its own.
    if (fs::exists(Db() + "-wal")) {
        EXPECT_EQ(fs::file_size(Db() + "-wal"), 0u);
    }
}

TEST_F(ReadOnlyDatabaseTest, WritableFileInReadOnlyFolder) {
    // The file could be written, but WAL's -shm file cannot be created next to it.
    ASSERT_EQ(::chown(Db().c_str(), test::UnprivilegedUid(), static_cast<gid_t>(-1)), 0);
    fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec |
                                    fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
    test::RunUnprivileged([&] { ExpectReadOnlyAccess(); });
    EXPECT_FALSE(fs::exists(Db() + "-wal"));
    EXPECT_FALSE(fs::exists(Db() + "-shm"));
}

TEST_F(ReadOnlyDatabaseTest, UnreadableFileFailsToOpen) {
    fs::permissions(Db(), fs::perms::owner_read | fs::perms::owner_write);
    test::RunUnprivileged([&] {
        CAdoConnection db;
        EXPECT_FALSE(db.Open(Db().c_str()));
        EXPECT_FALSE(db.GetErrorText().empty());
    });
}

} // namespace
} // namespace veltrix
