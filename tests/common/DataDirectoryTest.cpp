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
    const std::string installedBin = root.File("usr/bin"), buildBin = root.File("build/src");
    const std::string installedData = root.File("usr/share/veltrix");
    for (const std::string& folder : {installedBin, installedData, buildBin})
        fs::create_directories(folder);

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
