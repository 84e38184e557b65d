#pragma once
// A ticket as the player writes it, parsed into its zones. One ticket stands
// for many single bets (复式, bankers, 组选 复式); nothing here lists them.
//
// Pool games: numbers separated by blanks, "+" before the back zone of dlt
// and ssq, bankers in parentheses at the start of their zone:
//   "(01 02) 03 04 05 06 + (07) 08 09"
// Positional games: one group per position, the digits of a group separated
// by commas, 七星彩's seventh number after "+": "1,2 3 4,5,6", "1 2 3 4 5 6 + 10,14".
// 组选 plays: the digits separated by blanks: "1 1 8", "1 2 3 4".

#include "prize/PrizeGames.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix::prize {

struct TicketZone {
    std::vector<int> bankers; // in every bet
    std::vector<int> others;  // the bets choose from these
};

struct Ticket {
    LotteryKind game = LotteryKind::Dlt;
    Play play = Play::Direct;
    bool plus = false;             // 追加
    std::vector<TicketZone> zones; // one per zone or position; one for 组选
    bool pairBet = false;          // 组选三 written as its one bet: "1 1 8"
};

enum class TicketProblem {
    Syntax,         // a character or word the ticket syntax has no place for
    OutOfRange,     // a number outside the zone's range
    Duplicate,      // a number twice in one zone
    TooFew,         // not enough numbers for one bet
    TooManyBankers, // bankers that leave nothing to choose
    BankersNotAllowed,
    PlayNotInGame, // 组选 or 追加 on a game that has none
};

struct TicketError {
    TicketProblem problem = TicketProblem::Syntax;
    std::string message; // for people, in the program's language
};

// Parses `text` for `game` and `play`. False with *error set for a bad ticket.
bool ParseTicket(LotteryKind game, Play play, bool plus, std::string_view text, Ticket* ticket,
                 TicketError* error);

// How many single bets the ticket stands for.
std::int64_t BetCount(const Ticket& ticket);

// The ticket written back in its own syntax (numbers of pool games with two
// digits), e.g. for copying the results.
std::string TicketText(const Ticket& ticket);

// n choose k; 0 when k < 0 or k > n.
std::int64_t Choose(int n, int k);

} // namespace veltrix::prize
