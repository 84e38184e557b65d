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
        {"dlt.txt", LotteryKind::Dlt},
        {"ssq_2026.txt", LotteryKind::Ssq},
        {"SSQ2026.TXT", LotteryKind::Ssq},
        {"P3-latest.txt", LotteryKind::P3},
        {"3d.txt", LotteryKind::ThreeD},
        {"t22x5.txt", LotteryKind::T22x5},
        {"backup 7lc.txt", LotteryKind::SevenLc},
        {"dlt_and_ssq.txt", LotteryKind::Dlt},
        {"ssq_and_dlt.txt", LotteryKind::Ssq},
        {"p3d.txt", std::nullopt},
        {"update.txt", std::nullopt},
        {"draws.txt", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GameNamedByFileName(c.name), c.game);
    }
}

} // namespace
} // namespace veltrix
