// The counted wins against every bet of small random tickets, listed one by
// one and scored by a plain reading of the rules.

#include "PrizeTestSupport.h"
#include "common/Strings.h"

#include <algorithm>
#include <bit>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <tuple>

namespace veltrix::prize::test {
namespace {

using Bet = std::vector<std::vector<int>>; // the numbers per zone or position

// Every k-subset of values.
std::vector<std::vector<int>> Subsets(const std::vector<int>& values, size_t k) {
    std::vector<std::vector<int>> out;
    for (unsigned mask = 0; mask < 1u << values.size(); ++mask) {
        if (static_cast<size_t>(std::popcount(mask)) != k)
            continue;
        out.emplace_back();
        for (size_t i = 0; i < values.size(); ++i)
            if (mask >> i & 1u)
                out.back().push_back(values[i]);
    }
    return out;
}

std::vector<Bet> ListBets(const Ticket& ticket) {
    const GameShape& shape = Game(ticket.game);
    std::vector<Bet> bets = {{}};
    for (size_t z = 0; z < ticket.zones.size(); ++z) {
        const TicketZone& zone = ticket.zones[z];
        std::vector<Bet> next;
        for (const Bet& bet : bets) {
            for (std::vector<int> pick : Subsets(
                     zone.others, static_cast<size_t>(shape.zones[z].pick) - zone.bankers.size())) {
                pick.insert(pick.end(), zone.bankers.begin(), zone.bankers.end());
                next.push_back(bet);
                next.back().push_back(pick);
            }
        }
        bets = std::move(next);
    }
    return bets;
}

int Common(const std::vector<int>& bet, const std::vector<int>& drawn) {
    return static_cast<int>(std::ranges::count_if(
        bet, [&](int n) { return std::ranges::find(drawn, n) != drawn.end(); }));
}

std::string Score(LotteryKind game, Scoring scoring, const Bet& bet, const DrawNumbers& draw) {
    const GameShape& shape = Game(game);
    if (!shape.positional) {
        if (game == LotteryKind::SevenLc)
            return StrFormat("%d+%d", Common(bet[0], draw.main), Common(bet[0], draw.extra));
        if (bet.size() == 1)
            return std::to_string(Common(bet[0], draw.main));
        return StrFormat("%d+%d", Common(bet[0], draw.main), Common(bet[1], draw.extra));
    }
    if (scoring == Scoring::Runs) {
        int run = 0, best = 0;
        for (size_t p = 0; p < bet.size(); ++p) {
            run = bet[p][0] == draw.main[p] ? run + 1 : 0;
            best = std::max(best, run);
        }
        return std::to_string(best);
    }
    int front = 0;
    for (int p = 0; p < shape.zonesBeforePlus; ++p)
        front += bet[static_cast<size_t>(p)][0] == draw.main[static_cast<size_t>(p)] ? 1 : 0;
    if (shape.zonesBeforePlus == static_cast<int>(bet.size()))
        return std::to_string(front);
    return StrFormat("%d+%d", front, bet.back()[0] == draw.main.back() ? 1 : 0);
}

// 组选 bets as sorted triples: a pair and a third digit, or three digits.
std::vector<std::vector<int>> GroupBets(const Ticket& ticket) {
    const std::vector<int>& digits = ticket.zones[0].others;
    if (ticket.pairBet)
        return {digits};
    if (ticket.play == Play::Group6)
        return Subsets(digits, 3);
    std::vector<std::vector<int>> bets;
    for (int a : digits)
        for (int b : digits)
            if (a != b)
                bets.push_back(a < b ? std::vector<int>{a, a, b} : std::vector<int>{b, a, a});
    return bets;
}

std::map<std::string, std::int64_t> BruteForce(const Ticket& ticket, Scoring scoring,
                                               const DrawNumbers& draw) {
    std::map<std::string, std::int64_t> counts;
    if (ticket.play != Play::Direct) {
        std::vector<int> drawn(draw.main.begin(), draw.main.end());
        std::sort(drawn.begin(), drawn.end());
        size_t kinds = std::set<int>(drawn.begin(), drawn.end()).size();
        bool fits = ticket.play == Play::Group3 ? kinds == 2 : kinds == 3;
        for (const std::vector<int>& bet : GroupBets(ticket))
            ++counts[fits && bet == drawn ? std::string(PlayCode(ticket.play)) : ""];
        return counts;
    }
    for (const Bet& bet : ListBets(ticket))
        ++counts[Score(ticket.game, scoring, bet, draw)];
    return counts;
}

// count distinct numbers from low..high (all of them when there are fewer).
std::vector<int> Distinct(std::mt19937& random, int low, int high, size_t count) {
    std::vector<int> all(static_cast<size_t>(high - low + 1));
    std::iota(all.begin(), all.end(), low);
    std::shuffle(all.begin(), all.end(), random);
    all.resize(std::min(count, all.size()));
    return all;
}

std::string Join(const std::vector<int>& values, const char* separator) {
    std::string text;
    for (int value : values) {
        if (!text.empty())
            text.append(separator);
        text.append(std::to_string(value));
    }
    return text;
}

// A small ticket text of the game: a few numbers more than a bet needs, now
// and then a banker or two. Pool numbers come from a narrow range so that
// they often hit.
std::string RandomTicket(std::mt19937& random, const GameShape& shape, Play play) {
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    if (play != Play::Direct)
        return Join(Distinct(random, 0, 9,
                             static_cast<size_t>(play == Play::Group3 ? 2 : 3) +
                                 static_cast<size_t>(below(3))),
                    " ");
    std::string text;
    for (size_t z = 0; z < shape.zones.size(); ++z) {
        const ZoneShape& zone = shape.zones[z];
        if (z > 0)
            text += static_cast<int>(z) == shape.zonesBeforePlus ? " + " : " ";
        if (shape.positional) {
            text +=
                Join(Distinct(random, zone.low, zone.high, 1 + static_cast<size_t>(below(3))), ",");
            continue;
        }
        int high = std::min(zone.high, zone.low + zone.pick + 6);
        int bankers = zone.maxBankers > 0 ? below(std::min(zone.maxBankers, 2) + 1) : 0;
        std::vector<int> numbers =
            Distinct(random, zone.low, high, static_cast<size_t>(zone.pick + below(3)));
        std::vector<int> banked(numbers.begin(), numbers.begin() + bankers);
        std::vector<int> rest(numbers.begin() + bankers, numbers.end());
        if (!banked.empty())
            text += StrFormat("(%s) ", Join(banked, " ").c_str());
        text += Join(rest, " ");
    }
    return text;
}

DrawNumbers RandomDraw(std::mt19937& random, const GameShape& shape) {
    DrawNumbers draw;
    if (shape.positional) {
        for (const ZoneShape& zone : shape.zones)
            draw.main.push_back(Distinct(random, zone.low, zone.high, 1)[0]);
        return draw;
    }
    const ZoneShape& front = shape.zones[0];
    int frontHigh = std::min(front.high, front.low + front.pick + 6);
    std::vector<int> numbers = Distinct(random, front.low, frontHigh,
                                        static_cast<size_t>(shape.mainCount + shape.extraCount));
    draw.main.assign(numbers.begin(), numbers.begin() + shape.mainCount);
    if (shape.kind == LotteryKind::SevenLc) { // the special number from the same pool
        draw.extra.assign(numbers.begin() + shape.mainCount, numbers.end());
    } else if (shape.extraCount > 0) {
        const ZoneShape& back = shape.zones[1];
        draw.extra = Distinct(random, back.low, std::min(back.high, back.low + 5),
                              static_cast<size_t>(shape.extraCount));
    }
    return draw;
}

TEST(PrizeCountPropertyTest, CountedWinsMatchEveryBetScoredOneByOne) {
    std::mt19937 random(20261207);
    const std::tuple<LotteryKind, Play, Scoring> variants[] = {
        {LotteryKind::Dlt, Play::Direct, Scoring::Pool},
        {LotteryKind::Ssq, Play::Direct, Scoring::Pool},
        {LotteryKind::SevenLc, Play::Direct, Scoring::Pool},
        {LotteryKind::T22x5, Play::Direct, Scoring::Pool},
        {LotteryKind::P5, Play::Direct, Scoring::Positions},
        {LotteryKind::ThreeD, Play::Direct, Scoring::Positions},
        {LotteryKind::SevenXc, Play::Direct, Scoring::Positions},
        {LotteryKind::SevenXc, Play::Direct, Scoring::Runs},
        {LotteryKind::P3, Play::Group3, Scoring::Positions},
        {LotteryKind::P3, Play::Group6, Scoring::Positions},
    };
    for (const auto& [game, play, scoring] : variants) {
        const GameShape& shape = Game(game);
        for (int round = 0; round < 150; ++round) {
            std::string text = RandomTicket(random, shape, play);
            DrawNumbers draw = RandomDraw(random, shape);
            SCOPED_TRACE(StrFormat("%s against %s + %s", text.c_str(), Join(draw.main, " ").c_str(),
                                   Join(draw.extra, " ").c_str()));
            Ticket ticket = TicketOf(game, play, false, text);
            std::map<std::string, std::int64_t> counted;
            std::int64_t total = 0;
            for (const auto& [pattern, bets] : CountPatterns(ticket, scoring, draw)) {
                if (bets > 0)
                    counted[pattern] += bets;
                total += bets;
            }
            EXPECT_EQ(counted, BruteForce(ticket, scoring, draw));
            EXPECT_EQ(total, BetCount(ticket));
        }
    }
}

} // namespace
} // namespace veltrix::prize::test
