#include "PrizeTestSupport.h"

namespace veltrix::prize::test {
namespace {

std::string Game(const std::string& versions) {
    return R"({"games": [{"game": "ssq", "price": 2, "versions": [)" + versions + "]}]}";
}

const char* kTier = R"({"name": "三等奖", "wins": ["5+1"], "prize": 3000})";

std::string Version(const std::string& from, const std::string& tiers,
                    const std::string& scoring = "pool") {
    return R"({"from": ")" + from + R"(", "scoring": ")" + scoring + R"(", "tiers": [)" + tiers +
           "]}";
}

TEST(PrizeRulesTest, RulesThatCannotBeUsedAreRefusedSayingWhere) {
    struct BadRules {
        std::string text;
        const char* says;
    };
    const BadRules cases[] = {
        {"{", "parse error"},
        {R"({"games": [{"game": "xyz", "price": 2, "versions": []}]})", "not one of the eight"},
        {Game(Version("2003001", R"({"name": "x", "wins": ["5+1+1"], "prize": 1})")),
         "not a hit pattern"},
        {Game(Version("2003001", R"({"name": "x", "wins": ["5+1"], "prize": "lots"})")), "浮动"},
        {Game(Version("2003001", R"({"name": "x", "wins": ["5+1"], "prize": -3})")), "amount"},
        {Game(Version("2003001", std::string(kTier) + "," + kTier)), "wins two tiers"},
        {Game(Version("2003001", kTier, "runs")), "pool game"},
        {Game(Version("2003001", kTier) + "," + Version("2003001", kTier)), "order"},
        {Game(Version("", kTier)), "\"from\""},
        {R"({"games": [{"game": "ssq", "versions": []}]})", "\"price\" is missing"},
    };
    for (const BadRules& c : cases) {
        SCOPED_TRACE(c.text);
        Result<PrizeRules> rules = ParsePrizeRules(c.text);
        EXPECT_FALSE(rules);
        EXPECT_NE(rules.error().find(c.says), std::string::npos) << rules.error();
    }
}

TEST(PrizeRulesTest, EveryGameHasRulesAndVersionsFollowTheIssues) {
    for (const GameShape& shape : AllGames())
        EXPECT_TRUE(ShippedRules().For(shape.kind).present) << shape.code;
    // Comments are part of the format, and two ways of writing an issue meet.
    Result<PrizeRules> rules = ParsePrizeRules(
        "// rules\n" + Game(Version("03001", kTier) + "," + Version("2026014", kTier)));
    ASSERT_TRUE(rules) << rules.error();
    const GameRules& ssq = rules->For(LotteryKind::Ssq);
    EXPECT_EQ(VersionAt(ssq, "2003001")->from, "03001");
    EXPECT_EQ(VersionAt(ssq, "1999001")->from, "03001");
    EXPECT_EQ(VersionAt(ssq, "26013")->from, "03001");
    EXPECT_EQ(VersionAt(ssq, "26014")->from, "2026014");
    EXPECT_EQ(IssueOrder("26014"), IssueOrder("2026014"));
    EXPECT_EQ(IssueOrder("abc"), -1);
}

} // namespace
} // namespace veltrix::prize::test
