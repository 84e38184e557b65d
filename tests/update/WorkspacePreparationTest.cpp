#include "update/WorkspacePreparation.h"

#include "common/FileIO.h"
#include "fakes/RawDatabase.h"
#include "fakes/RecordingMessages.h"
#include "fakes/TempDir.h"
#include "fakes/UpdateFakes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace veltrix {
namespace {

namespace fs = std::filesystem;

// Shipped data of two small games and one file that names no game.
class WorkspacePreparationTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_data.Path() / "draws");
        ASSERT_TRUE(WriteFileBytes(m_data.File("draws/dlt.txt"),
                                   "07001 2007-05-30 22 24 29 31 35 04 11\r\n"
                                   "07002 2007-06-02 15 22 31 34 35 05 12\r\n"));
        ASSERT_TRUE(WriteFileBytes(m_data.File("draws/p3.txt"), "04001 2004-11-14 1 2 3\r\n"));
        ASSERT_TRUE(WriteFileBytes(m_data.File("draws/notes.txt"), "not a game\r\n"));
        ASSERT_TRUE(WriteFileBytes(m_data.File("Veltrix.ini"), "[Command]\r\ncmd1=1 x\r\n"));
    }

    std::string Folder() const { return m_work.File("ws"); }
    std::string DataDir() const { return m_data.Path().string(); }

    test::TempDir m_data;
    test::TempDir m_work;
};

TEST_F(WorkspacePreparationTest, FirstStartFillsTheFolderAndLaterOnesUseTheUsersFiles) {
    const WorkspaceReport first = PrepareWorkspace(Folder(), DataDir());
    ASSERT_TRUE(first.usable) << first.error;
    EXPECT_TRUE(first.madeDatabase);
    EXPECT_TRUE(first.copiedSettings);
    ASSERT_EQ(first.warnings.size(), 1u);
    EXPECT_NE(first.warnings[0].find("notes.txt"), std::string::npos);
    EXPECT_FALSE(fs::exists(Folder() + "/DLT.mdb.new"));
    EXPECT_EQ(test::RawDatabase(Folder() + "/DLT.mdb", SQLITE_OPEN_READONLY)
                  .Rows("select (select count(*) from dlt) || ' ' || (select count(*) from p3)"),
              std::vector<std::string>{"2 1"});
    EXPECT_EQ(ReadFileBytes(Folder() + "/Veltrix.ini").value_or(""), "[Command]\r\ncmd1=1 x\r\n");

    // The user's own files are used as they are, whatever they hold.
    ASSERT_TRUE(WriteFileBytes(Folder() + "/DLT.mdb", "the user's own bytes"));
    ASSERT_TRUE(WriteFileBytes(Folder() + "/Veltrix.ini", "[Command]\r\ncmd1=mine\r\n"));
    const WorkspaceReport second = PrepareWorkspace(Folder(), DataDir());
    EXPECT_TRUE(second.usable);
    EXPECT_FALSE(second.madeDatabase || second.copiedSettings);
    EXPECT_EQ(ReadFileBytes(Folder() + "/DLT.mdb").value_or(""), "the user's own bytes");
    EXPECT_EQ(ReadFileBytes(Folder() + "/Veltrix.ini").value_or(""), "[Command]\r\ncmd1=mine\r\n");
}

TEST_F(WorkspacePreparationTest, EnterWorkspaceDefaultsToTheUserDataFolder) {
    const fs::path before = fs::current_path();
    test::RecordingMessages messages;
    {
        test::ScopedEnv xdg("XDG_DATA_HOME", m_work.Path().string());
        EXPECT_TRUE(EnterWorkspace("", DataDir(), messages));
        EXPECT_EQ(fs::current_path(), fs::canonical(m_work.Path() / "veltrix"));
        EXPECT_TRUE(fs::exists("DLT.mdb"));
        EXPECT_EQ(messages.texts.size(), 1u); // the file that names no game
        fs::current_path(before);
    }

    // A folder that cannot be made is said and refused; the current folder stays.
    ASSERT_TRUE(WriteFileBytes(m_work.File("plain-file"), "x"));
    EXPECT_FALSE(EnterWorkspace(m_work.File("plain-file") + "/ws", DataDir(), messages));
    EXPECT_EQ(messages.texts.size(), 2u);
    EXPECT_EQ(fs::current_path(), before);
}

} // namespace
} // namespace veltrix
