#include "update/DroppedDrawFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace veltrix {
namespace {

TEST(DroppedDrawFileTest, FirstGameCodeOfTheNameNamesTheGame) {
    struct Case {
        const char* name;
        std::optional<LotteryKind> game;
    };
    const std::vector<Case> cases = {
        {"dlt.txt", LotteryKind::Dlt},         {"SSQ2026.TXT", LotteryKind::Ssq},
        {"3d.txt", LotteryKind::ThreeD},       {"backup 7lc.txt", LotteryKind::SevenLc},
        {"ssq_and_dlt.txt", LotteryKind::Ssq}, {"p3d.txt", std::nullopt},
        {"update.txt", std::nullopt},          {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GameNamedByFileName(c.name), c.game);
    }
}

} // namespace
} // namespace veltrix
