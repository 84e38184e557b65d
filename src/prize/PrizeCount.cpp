#include "prize/PrizeCount.h"

#include <algorithm>
#include <array>

namespace veltrix::prize {
namespace {

bool In(const std::vector<int>& values, int value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

// Hits of one pool zone: the drawn numbers the zone is scored against fall
// into categories (dlt front: the five drawn; 七乐彩: the basic numbers and the
// special one). The hits per category are packed as base-8 digits of one
// code (a bet takes at most 7 numbers from a zone), so a class of bets is a
// plain pair of numbers.
constexpr int kDigitBase = 8;
constexpr int kMaxParts = 3;

struct ZoneHits {
    int code;
    std::int64_t ways;
};

void ChooseFromCategories(const int* available, int categories, int rest, int category, int need,
                          int code, int scale, std::int64_t ways, std::vector<ZoneHits>* out) {
    if (category >= categories || category >= kMaxParts) {
        std::int64_t fill = Choose(rest, need);
        if (fill > 0)
            out->push_back({code, ways * fill});
        return;
    }
    for (int take = 0; take <= std::min(available[category], need); ++take)
        ChooseFromCategories(available, categories, rest, category + 1, need - take,
                             code + take * scale, scale * kDigitBase,
                             ways * Choose(available[category], take), out);
}

// `scale`: the place of the zone's first category among all the parts.
void CountZone(const TicketZone& zone, int pick,
               const std::vector<const std::vector<int>*>& categories, int scale,
               std::vector<ZoneHits>* out) {
    int count = static_cast<int>(categories.size());
    int banked = 0;
    int available[kMaxParts] = {};
    int rest = 0;
    for (int banker : zone.bankers) {
        for (int c = 0, place = scale; c < count; ++c, place *= kDigitBase)
            banked += In(*categories[static_cast<size_t>(c)], banker) ? place : 0;
    }
    for (int other : zone.others) {
        int c = 0;
        while (c < count && !In(*categories[static_cast<size_t>(c)], other))
            ++c;
        if (c < count)
            ++available[c];
        else
            ++rest;
    }
    out->clear();
    ChooseFromCategories(available, count, rest, 0, pick - static_cast<int>(zone.bankers.size()),
                         banked, scale, 1, out);
}

PatternCounts CountPool(const Ticket& ticket, const DrawNumbers& draw) {
    const GameShape& shape = Game(ticket.game);
    // Zone i is scored against these drawn numbers.
    std::vector<std::vector<const std::vector<int>*>> categories;
    if (ticket.game == LotteryKind::SevenLc)
        categories = {{&draw.main, &draw.extra}};
    else if (shape.zones.size() == 2)
        categories = {{&draw.main}, {&draw.extra}};
    else
        categories = {{&draw.main}};

    // Zones fill separate digit places and a zone's codes differ, so every
    // product of codes is a pattern of its own.
    std::vector<ZoneHits> combined = {{0, 1}};
    std::vector<ZoneHits> zone, next;
    int parts = 0;
    int scale = 1;
    for (size_t z = 0; z < ticket.zones.size() && z < categories.size(); ++z) {
        CountZone(ticket.zones[z], shape.zones[z].pick, categories[z], scale, &zone);
        next.clear();
        for (const ZoneHits& before : combined) {
            for (const ZoneHits& hits : zone)
                next.push_back({before.code + hits.code, before.ways * hits.ways});
        }
        combined.swap(next);
        for (size_t c = 0; c < categories[z].size(); ++c, scale *= kDigitBase)
            ++parts;
    }
    PatternCounts counts;
    for (const ZoneHits& hits : combined) {
        std::string pattern;
        for (int part = 0, rest = hits.code; part < parts; ++part, rest /= kDigitBase) {
            if (part > 0)
                pattern += '+';
            pattern += static_cast<char>('0' + rest % kDigitBase);
        }
        counts.emplace_back(std::move(pattern), hits.ways);
    }
    return counts;
}

bool PositionHit(const TicketZone& zone, const DrawNumbers& draw, size_t position) {
    return position < draw.main.size() && In(zone.others, draw.main[position]);
}

// Positions matched in place, counted as a polynomial: each position adds one
// hit for its matching digit and none for each of its other digits.
PatternCounts CountPositions(const Ticket& ticket, const DrawNumbers& draw) {
    const GameShape& shape = Game(ticket.game);
    size_t front = static_cast<size_t>(shape.zonesBeforePlus);
    std::vector<std::int64_t> ways = {1};
    for (size_t p = 0; p < front; ++p) {
        std::int64_t hit = PositionHit(ticket.zones[p], draw, p) ? 1 : 0;
        std::int64_t miss = static_cast<std::int64_t>(ticket.zones[p].others.size()) - hit;
        std::vector<std::int64_t> next(ways.size() + 1, 0);
        for (size_t k = 0; k < ways.size(); ++k) {
            next[k] += ways[k] * miss;
            next[k + 1] += ways[k] * hit;
        }
        ways = std::move(next);
    }
    PatternCounts counts;
    if (front == ticket.zones.size()) {
        for (size_t k = 0; k < ways.size(); ++k)
            counts.emplace_back(std::to_string(k), ways[k]);
        return counts;
    }
    std::int64_t hit = PositionHit(ticket.zones[front], draw, front) ? 1 : 0;
    std::int64_t miss = static_cast<std::int64_t>(ticket.zones[front].others.size()) - hit;
    for (size_t k = 0; k < ways.size(); ++k) {
        counts.emplace_back(std::to_string(k) + "+0", ways[k] * miss);
        counts.emplace_back(std::to_string(k) + "+1", ways[k] * hit);
    }
    return counts;
}

// The longest run of adjacent positions matched in place, walked position by
// position over (current run, longest run) states.
PatternCounts CountRuns(const Ticket& ticket, const DrawNumbers& draw) {
    constexpr size_t kMax = 8;
    using States = std::array<std::array<std::int64_t, kMax>, kMax>;
    States ways{};
    ways[0][0] = 1;
    size_t positions = std::min(ticket.zones.size(), kMax - 1);
    for (size_t p = 0; p < positions; ++p) {
        std::int64_t hit = PositionHit(ticket.zones[p], draw, p) ? 1 : 0;
        std::int64_t miss = static_cast<std::int64_t>(ticket.zones[p].others.size()) - hit;
        States next{};
        for (size_t run = 0; run <= p; ++run) {
            for (size_t best = run; best <= p; ++best) {
                if (ways[run][best] == 0)
                    continue;
                next[0][best] += ways[run][best] * miss;
                next[run + 1][std::max(best, run + 1)] += ways[run][best] * hit;
            }
        }
        ways = next;
    }
    std::vector<std::int64_t> byBest(kMax, 0);
    for (size_t run = 0; run < kMax; ++run) {
        for (size_t best = 0; best < kMax; ++best)
            byBest[best] += ways[run][best];
    }
    PatternCounts counts;
    for (size_t best = 0; best <= positions; ++best)
        counts.emplace_back(std::to_string(best), byBest[best]);
    return counts;
}

// 组选: a bet wins when it holds the drawn digits in any order; a 组选三 bet
// only on a draw with exactly two equal digits, a 组选六 bet only on one with
// three different digits. 豹子 pays neither.
PatternCounts CountGroup(const Ticket& ticket, const DrawNumbers& draw) {
    std::int64_t total = BetCount(ticket);
    std::int64_t won = 0;
    if (draw.main.size() >= 3 && !ticket.zones.empty()) {
        std::array<int, 3> drawn = {draw.main[0], draw.main[1], draw.main[2]};
        std::sort(drawn.begin(), drawn.end());
        const std::vector<int>& digits = ticket.zones[0].others;
        bool pair = (drawn[0] == drawn[1]) != (drawn[1] == drawn[2]);
        bool distinct = drawn[0] != drawn[1] && drawn[1] != drawn[2];
        if (ticket.play == Play::Group3 && pair) {
            if (ticket.pairBet)
                won = std::equal(drawn.begin(), drawn.end(), digits.begin()) ? 1 : 0;
            else
                won = In(digits, drawn[0]) && In(digits, drawn[2]) ? 1 : 0;
        } else if (ticket.play == Play::Group6 && distinct) {
            won = In(digits, drawn[0]) && In(digits, drawn[1]) && In(digits, drawn[2]) ? 1 : 0;
        }
    }
    PatternCounts counts;
    counts.emplace_back(ticket.play == Play::Group3 ? "group3" : "group6", won);
    counts.emplace_back("", total - won);
    return counts;
}

} // namespace

PatternCounts CountPatterns(const Ticket& ticket, Scoring scoring, const DrawNumbers& draw) {
    if (ticket.play != Play::Direct)
        return CountGroup(ticket, draw);
    if (!Game(ticket.game).positional)
        return CountPool(ticket, draw);
    return scoring == Scoring::Runs ? CountRuns(ticket, draw) : CountPositions(ticket, draw);
}

} // namespace veltrix::prize
