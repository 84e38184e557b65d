#pragma once
// A temporary draw database (the eight empty tables) opened through
// CAdoConnection.

#include "db/AdoConnection.h"
#include "db/DrawDatabase.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

namespace veltrix::test {

class DrawDatabaseFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CreateDrawDatabase(DbPath()).error(), "");
        ASSERT_TRUE(db.Open(("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + DbPath()).c_str()))
            << db.GetErrorText();
    }

    std::string DbPath() const { return dir.File("DLT.mdb"); }

    // Runs statements that must succeed (test set-up).
    void Exec(const std::string& sql) {
        ASSERT_TRUE(db.Execute(sql)) << sql << ": " << db.GetErrorText();
    }

    TempDir dir;
    CAdoConnection db;
};

} // namespace veltrix::test
