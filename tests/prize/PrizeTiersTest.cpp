#include "PrizeTestSupport.h"

namespace veltrix::prize::test {
namespace {

using enum LotteryKind;

// A draw against the ticket of its group.
struct TierCase {
    const char* name;
    const char* issue;
    const char* draw;
    const char* wins; // "TIER BETS PRIZE" per tier won, joined by "; "
};

struct WrittenTicket {
    LotteryKind game;
    Play play;
    bool plus;
    const char* text;
};

struct TicketCases {
    WrittenTicket ticket;
    std::vector<TierCase> cases;
};

std::string Wins(const CheckReport& report) {
    std::string text;
    for (const TierWin& win : report.draws.at(0).wins)
        text += (text.empty() ? "" : "; ") + win.name + " " + std::to_string(win.bets) + " " +
                AmountText(win.perBet);
    return text;
}

// Each game's tiers at their boundaries, under the shipped rules.
TEST(PrizeTiersTest, TicketsWinTheTiersOfTheRulesInForceAtTheirIssue) {
    using enum Play;
    const TicketCases groups[] = {
        // dlt: the changes at 19019 and 26014, and 追加.
        {{Dlt, Direct, false, "01 02 03 04 05 + 06 07"},
         {{"5+2", "19018", "01 02 03 04 05 + 06 07", "一等奖 1 浮动"},
          {"4+2 last old", "19018", "01 02 03 04 09 + 06 07", "三等奖 1 浮动"},
          {"4+2 first of 19019", "19019", "01 02 03 04 09 + 06 07", "四等奖 1 3000"},
          {"4+2 last of 19019", "26013", "01 02 03 04 09 + 06 07", "四等奖 1 3000"},
          {"4+2 first of 26014", "26014", "01 02 03 04 09 + 06 07", "三等奖 1 5000/6666"},
          {"0+2 lowest", "26014", "11 12 13 14 15 + 06 07", "七等奖 1 5/7"},
          {"2+0 nothing", "26014", "01 02 13 14 15 + 08 09", ""}}},
        {{Dlt, Direct, true, "01 02 03 04 05 + 06 07"},
         {{"3+2 plus old", "19018", "01 02 03 08 09 + 06 07", "四等奖 1 300"},
          {"3+2 plus new", "19019", "01 02 03 08 09 + 06 07", "六等奖 1 200"},
          {"5+1 plus", "26014", "01 02 03 04 05 + 06 08", "二等奖 1 浮动"}}},
        // ssq: 复式, the 福运奖 from 2026014 with both its amounts.
        {{Ssq, Direct, false, "01 02 03 04 05 06 07 + 01 02"},
         {{"7+2", "2026013", "01 02 03 04 05 06 + 01",
           "一等奖 1 浮动; 二等奖 1 浮动; 三等奖 6 3000; 四等奖 6 200"}}},
        {{Ssq, Direct, false, "01 02 03 04 05 06 + 01"},
         {{"0+1", "2003001", "11 12 13 14 15 16 + 01", "六等奖 1 5"},
          {"3+0 before", "2026013", "01 02 03 14 15 16 + 02", ""},
          {"3+0 from 2026014", "2026014", "01 02 03 14 15 16 + 02", "福运奖 1 0/5"},
          {"3+1 stays", "2026014", "01 02 03 14 15 16 + 01", "五等奖 1 10"}}},
        // 3D and 排列三: order, 豹子, pairs (a pair against a 组选六 bet and
        // three digits against 组选三 are scored bet by bet in PrizeCountPropertyTest).
        {{ThreeD, Direct, false, "1 2 3"},
         {{"direct", "2026001", "1 2 3", "直选 1 1040"}, {"wrong order", "2026001", "3 2 1", ""}}},
        {{P3, Direct, false, "1,2 3 4,5,6"}, {{"复式", "26001", "2 3 5", "直选 1 1040"}}},
        {{ThreeD, Group6, false, "1 2 3"},
         {{"group6", "2026001", "3 1 2", "组选六 1 173"}, {"on 豹子", "2026001", "1 1 1", ""}}},
        {{ThreeD, Group3, false, "1 1 8"},
         {{"one bet", "2026001", "8 1 1", "组选三 1 346"}, {"other pair", "2026001", "8 8 1", ""}}},
        {{P3, Group3, false, "1 2 3"},
         {{"复式", "26001", "2 1 2", "组选三 1 346"}, {"on 豹子", "26001", "2 2 2", ""}}},
        {{P5, Direct, false, "1 2 3 4 5"},
         {{"direct", "26001", "1 2 3 4 5", "直选 1 100000"},
          {"four of five", "26001", "1 2 3 4 6", ""}}},
        // 七星彩: adjacent runs up to 20099, positions from 20100.
        {{SevenXc, Direct, false, "1 2 3 4 5 6 + 7"},
         {{"runs", "20099", "1 2 3 9 5 6 7", "五等奖 1 20"},
          {"positions", "20100", "1 2 3 9 5 6 7", "三等奖 1 3000"}}},
        {{SevenXc, Direct, false, "1 2 3 4 5 6 + 0"},
         {{"six adjacent", "20099", "1 2 3 4 5 6 7", "二等奖 1 浮动"}}},
        {{SevenXc, Direct, false, "1 2 3 4 5 6 + 14"},
         {{"0+1", "26001", "0 0 0 0 0 0 14", "六等奖 1 5"},
          {"2+0", "26001", "1 2 0 0 0 0 13", ""}}},
        // 七乐彩's special number.
        {{SevenLc, Direct, false, "01 02 03 04 05 06 07"},
         {{"6 and special", "2026001", "01 02 03 04 05 06 08 + 07", "二等奖 1 浮动"},
          {"6", "2026001", "01 02 03 04 05 06 08 + 09", "三等奖 1 浮动"},
          {"4 and special", "2026001", "01 02 03 04 10 11 12 + 05", "六等奖 1 10"},
          {"4", "2026001", "01 02 03 04 10 11 12 + 13", "七等奖 1 5"},
          {"3 and special", "2026001", "01 02 03 10 11 12 13 + 04", ""}}},
        {{T22x5, Direct, false, "01 02 03 04 05"},
         {{"4", "1", "01 02 03 04 10", "二等奖 1 50"}, {"2", "1", "01 02 10 11 12", ""}}},
    };
    for (const TicketCases& group : groups) {
        const WrittenTicket& written = group.ticket;
        const Ticket ticket = TicketOf(written.game, written.play, written.plus, written.text);
        for (const TierCase& c : group.cases) {
            SCOPED_TRACE(std::string(Game(written.game).code) + " " + c.name);
            Result<CheckReport> report =
                CheckTicket(ShippedRules(), ticket, {DrawOf(c.issue, c.draw)});
            ASSERT_TRUE(report) << report.error();
            EXPECT_EQ(Wins(*report), c.wins);
        }
    }
}

TEST(PrizeTiersTest, ScopesPickDrawsByIssueNumberAndTotalsAddUpPerTier) {
    std::vector<Draw> draws = {DrawOf("26012", "01 02 03 04 05 + 06 07"),
                               DrawOf("26013", "01 02 03 04 09 + 06 07"),
                               DrawOf("26014", "01 02 03 04 09 + 06 07")};
    auto issues = [&](const Scope& scope) {
        std::string text;
        for (const Draw& draw : SelectDraws(draws, scope))
            text += draw.issue + " ";
        return text;
    };
    EXPECT_EQ(issues({ScopeKind::Newest, "", 1}), "26014 ");
    EXPECT_EQ(issues({ScopeKind::Issue, "2026013", 1}), "26013 ");
    EXPECT_EQ(issues({ScopeKind::Issue, "x", 1}), "");
    EXPECT_EQ(issues({ScopeKind::Last, "", 2}), "26013 26014 ");
    EXPECT_EQ(issues({ScopeKind::Last, "", 9}), "26012 26013 26014 ");

    Ticket ticket = TicketOf(Dlt, Play::Direct, true, "01 02 03 04 05 + 06 07");
    Result<CheckReport> checked = CheckTicket(ShippedRules(), ticket, draws);
    ASSERT_TRUE(checked) << checked.error();
    const CheckReport& report = *checked;
    EXPECT_EQ(report.cost, 3);
    EXPECT_EQ(WinLines(report), "26012\t一等奖\t1\t浮动\n"
                                "26013\t四等奖\t1\t3000\n"
                                "26014\t三等奖\t1\t5000/6666\n");
    ASSERT_EQ(report.totals.size(), 3u);
    EXPECT_EQ(report.totals[1].name, "三等奖");
    EXPECT_EQ(TotalText(report.totals[1]), "5000/6666 元");
    EXPECT_EQ(TotalText(report.overall), "8000/9666 元 + 浮动");
    EXPECT_EQ(MarkedNumbers(ticket, draws[1]), "[01] [02] [03] [04] 09 + [06] [07]");
    EXPECT_EQ(TicketHits(ticket, draws[1]), "4+2");
}

} // namespace
} // namespace veltrix::prize::test
