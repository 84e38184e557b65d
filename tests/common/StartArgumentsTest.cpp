#include "common/StartArguments.h"
#include "common/ProgramInfo.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace veltrix {
namespace {

TEST(StartArgumentsTest, ParsesHelpVersionAndWorkspace) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        bool help, version;
        std::optional<std::string> workspace;
        bool error;
    };
    const std::vector<Case> cases = {
        {"bare start", {}, false, false, std::nullopt, false},
        {"help", {"--help"}, true, false, std::nullopt, false},
        {"short help", {"-h"}, true, false, std::nullopt, false},
        {"version", {"--version"}, false, true, std::nullopt, false},
        {"default workspace", {"--workspace"}, false, false, "", false},
        {"workspace folder", {"--workspace", "/w"}, false, false, "/w", false},
        {"workspace with equals", {"--workspace=/w"}, false, false, "/w", false},
        {"option after workspace", {"--workspace", "--help"}, true, false, "", false},
        {"help behind unknown", {"-platform", "--help"}, true, false, std::nullopt, true},
        {"unknown", {"--colour"}, false, false, std::nullopt, true},
        {"stray folder", {"/w"}, false, false, std::nullopt, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const StartArguments parsed = ParseStartArguments(c.args);
        EXPECT_EQ(parsed.help, c.help);
        EXPECT_EQ(parsed.version, c.version);
        EXPECT_EQ(parsed.workspace, c.workspace);
        EXPECT_EQ(!parsed.error.empty(), c.error) << parsed.error;
    }
}

TEST(StartArgumentsTest, DefaultWorkspaceFollowsXdgDataHome) {
    EXPECT_EQ(DefaultWorkspaceFolder("/x/data", "/home/u"), "/x/data/veltrix");
    EXPECT_EQ(DefaultWorkspaceFolder(nullptr, "/home/u"), "/home/u/.local/share/veltrix");
    EXPECT_EQ(DefaultWorkspaceFolder("relative", "/home/u"), "/home/u/.local/share/veltrix");
}

TEST(StartArgumentsTest, VersionLineNamesProgramAndVersion) {
    EXPECT_FALSE(ProgramVersion().empty());
    EXPECT_NE(ProgramVersion(), "unknown");
    EXPECT_EQ(VersionLine("veltrix"), "veltrix " + std::string(ProgramVersion()) + "\n");
}

} // namespace
} // namespace veltrix
