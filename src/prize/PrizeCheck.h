#pragma once
// Checking a ticket against stored draws: which draws are in scope, what the
// ticket won in each under the rules in force at that issue, the totals per
// tier, and the texts the command line prints and the window copies.

#include "prize/PrizeCount.h"
#include "prize/PrizeRules.h"
#include "prize/PrizeTicket.h"

#include <cstdint>
#include <string>
#include <vector>

namespace veltrix::prize {

struct Draw {
    std::string issue; // QS as stored
    std::string date;  // RQ as stored
    DrawNumbers numbers;
};

enum class ScopeKind { Newest, Issue, Last, All };

struct Scope {
    ScopeKind kind = ScopeKind::Newest;
    std::string issue; // ScopeKind::Issue
    int last = 1;      // ScopeKind::Last
};

// The draws in scope, oldest first. `draws` is oldest first. An issue is
// found by its number, so "26014" and "2026014" name the same draw.
std::vector<Draw> SelectDraws(const std::vector<Draw>& draws, const Scope& scope);

// Sorts draws oldest first by their issue numbers.
void SortDraws(std::vector<Draw>* draws);

struct TierWin {
    int tier = 0;     // index in the version's tiers
    std::string name; // tier name
    std::int64_t bets = 0;
    Amount perBet;    // what one bet of this ticket wins (追加 included)
    std::string note; // the condition the amount depends on, if any
};

struct DrawCheck {
    Draw draw;
    std::string rulesFrom;     // first issue of the version in force
    std::vector<TierWin> wins; // in tier order; only tiers won
};

struct TierTotal {
    std::string name;
    std::int64_t bets = 0;
    std::int64_t lowYuan = 0;  // fixed prizes, lowest possible total
    std::int64_t highYuan = 0; // fixed prizes, highest possible total
    bool floating = false;     // some of the bets won a floating prize
};

struct CheckReport {
    std::int64_t bets = 0;         // single bets of the ticket
    std::int64_t cost = 0;         // yuan per draw
    std::vector<DrawCheck> draws;  // oldest first, every draw in scope
    std::vector<TierTotal> totals; // in tier order
    TierTotal overall;             // all tiers together
};

// Checks the ticket against each draw. Fails when the rules hold nothing for
// the game.
Result<CheckReport> CheckTicket(const PrizeRules& rules, const Ticket& ticket,
                                const std::vector<Draw>& draws);

// "超级大乐透 追加", "排列三 组选六".
std::string TicketTitle(const Ticket& ticket);

// One line "ISSUE\tTIER\tBETS\tPRIZE\n" per draw and tier won.
std::string WinLines(const CheckReport& report);

// The summary for people: bets and cost, the draws checked, totals per tier.
std::string SummaryText(const Ticket& ticket, const CheckReport& report);

// Everything as text: the ticket, each draw with its numbers (hits in
// brackets), the tiers won, and the summary.
std::string ReportText(const Ticket& ticket, const CheckReport& report);

// The draw's numbers with the ticket's numbers marked: "[03] 07 + [12] 05".
std::string MarkedNumbers(const Ticket& ticket, const Draw& draw);

// How many of the ticket's numbers the draw holds, per zone as the rules
// write hits: "5+1" (dlt, ssq; 七乐彩 basic + special), "3" (positions whose
// digits hold the drawn one; 组选 digits drawn).
std::string TicketHits(const Ticket& ticket, const Draw& draw);

// "300 元", "10000/13332 元", "3000 元 + 浮动", "浮动".
std::string TotalText(const TierTotal& total);

} // namespace veltrix::prize
