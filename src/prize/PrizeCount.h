#pragma once
// How many of a ticket's single bets score each hit pattern against one draw,
// counted from the hit counts per zone and the bankers: a ticket of millions
// of bets costs a handful of binomials per draw, never a walk over its bets.

#include "prize/PrizeRules.h"
#include "prize/PrizeTicket.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace veltrix::prize {

// The drawn numbers: H1.. in `main`, L1.. in `extra` (-1 where the table has
// no number; it matches nothing).
struct DrawNumbers {
    std::vector<int> main;
    std::vector<int> extra;
};

// Bets per hit pattern ("4+1", "3", "group3"); bets that score no pattern of
// their play are under "". The counts add up to BetCount(ticket).
using PatternCounts = std::vector<std::pair<std::string, std::int64_t>>;

PatternCounts CountPatterns(const Ticket& ticket, Scoring scoring, const DrawNumbers& draw);

} // namespace veltrix::prize
