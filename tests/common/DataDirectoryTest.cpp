#include "common/DataDirectory.h"

#include "fakes/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace veltrix {
namespace {

namespace fs = std::filesystem;

TEST(DataDirectoryTest, PrefersEnvironmentThenInstalledTreeThenSourceTree) {
    test::TempDir root;
    fs::create_directories(root.Path() / "usr" / "bin");
    fs::create_directories(root.Path() / "usr" / "share" / "veltrix");
    fs::create_directories(root.Path() / "build" / "src");
    const std::string installedBin = (root.Path() / "usr" / "bin").string();
    const std::string installedData = (root.Path() / "usr" / "share" / "veltrix").string();
    const std::string buildBin = (root.Path() / "build" / "src").string();

    struct Case {
        const char* name;
        DataDirectoryPlaces places;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"environment wins", {"/env/data", installedBin, "/src/data"}, "/env/data"},
        {"installed program", {"", installedBin, "/src/data"}, installedData},
        {"build folder", {"", buildBin, "/src/data"}, "/src/data"},
        {"executable unknown", {"", "", "/src/data"}, "/src/data"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ChooseDataDirectory(c.places), c.expected);
    }
}

TEST(DataDirectoryTest, BuiltProgramFindsTheSourceTreeSamples) {
    ::unsetenv("VELTRIX_DATA_DIR");
    EXPECT_TRUE(fs::is_regular_file(DataFile("draws/dlt.txt"))) << DataDirectory();
    ::setenv("VELTRIX_DATA_DIR", "/elsewhere", 1);
    EXPECT_EQ(DataFile("Veltrix.ini"), "/elsewhere/Veltrix.ini");
    ::unsetenv("VELTRIX_DATA_DIR");
}

} // namespace
} // namespace veltrix
