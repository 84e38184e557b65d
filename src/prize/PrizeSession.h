#pragma once
// One check from start to end, as both the command line and the window run
// it: parse the ticket, read the game's draws (read-only), pick the scope,
// count the wins. Failures come back as values for the caller to show.

#include "prize/PrizeCheck.h"

#include <string>

namespace veltrix::prize {

struct CheckRequest {
    LotteryKind game = LotteryKind::Dlt;
    Play play = Play::Direct;
    bool plus = false;
    std::string ticketText;
    Scope scope;
    std::string databasePath = "./DLT.mdb";
};

enum class CheckFailure { None, BadTicket, NoDraws, NoSuchIssue, NoRules };

struct CheckOutcome {
    CheckFailure failure = CheckFailure::None;
    std::string message; // what went wrong, for people
    Ticket ticket;
    CheckReport report;
};

CheckOutcome RunPrizeCheck(const CheckRequest& request, const PrizeRules& rules);

} // namespace veltrix::prize
