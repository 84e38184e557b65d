#pragma once
// The prize rules as data: per game the price of a bet and the rule versions,
// each in force from its first issue, with its tiers in order (highest first),
// the hit patterns that win each tier and what one bet of it pays. Loaded from
// the rules file (JSON with comments) so players can follow the operators'
// changes without a new program.

#include "common/Result.h"
#include "db/LotteryCatalogue.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix::prize {

// What one bet of a tier pays: a floating prize, or one fixed amount, or
// several (the one paid depends on something the draw history does not hold,
// such as the pool before the draw).
struct Amount {
    bool floating = false;
    std::vector<std::int64_t> yuan; // empty and !floating: nothing
};

// How a bet's hits are written, which decides the "wins" patterns:
//  Pool      hits per zone joined by "+": dlt "4+1"; 七乐彩 basic+special "6+1"
//  Positions positions matched in place, 七星彩's seventh after "+": "5+1", 3d "3"
//  Runs      the longest run of adjacent positions matched in place: "4"
// 组选 bets win the patterns "group3" and "group6".
enum class Scoring { Pool, Positions, Runs };

struct Tier {
    std::string name;
    std::vector<std::string> wins;
    Amount prize;
    Amount plus;      // added for a 追加 bet; nothing when absent
    std::string note; // a condition the amounts depend on, for people
};

struct RuleVersion {
    std::string from;           // first issue under these rules, as written
    std::int64_t fromOrder = 0; // IssueOrder(from)
    Scoring scoring = Scoring::Pool;
    std::vector<Tier> tiers;
};

struct GameRules {
    bool present = false;
    std::int64_t price = 2;
    std::int64_t plusPrice = 3;
    std::vector<RuleVersion> versions; // by first issue, ascending
};

struct PrizeRules {
    std::array<GameRules, kLotteryCount> games;
    const GameRules& For(LotteryKind kind) const { return games[static_cast<size_t>(kind)]; }
};

// Parses the rules file's text. Fails (saying where and why) when it is not
// valid JSON or breaks the rules' shape.
Result<PrizeRules> ParsePrizeRules(std::string_view text);

// Reads and parses the rules file at `path`.
Result<PrizeRules> LoadPrizeRulesFile(const std::string& path);

// The issue as a number that orders draws across the two ways issues are
// written: "26014" (two-digit year) and "2026014" both give 2026014. Only the
// leading digits count; -1 without any.
std::int64_t IssueOrder(std::string_view issue);

// The version in force at an issue: the last one that starts at or before it
// (the first for draws older than every version). Null when there is none.
const RuleVersion* VersionAt(const GameRules& rules, std::string_view issue);

// The tier a hit pattern wins under a version; -1 for none.
int TierOf(const RuleVersion& version, std::string_view pattern);

// "浮动", "200" or "5000/6666".
std::string AmountText(const Amount& amount);

} // namespace veltrix::prize
