#include "prize/PrizeSession.h"

#include "prize/PrizeDraws.h"

namespace veltrix::prize {

CheckOutcome RunPrizeCheck(const CheckRequest& request, const PrizeRules& rules) {
    CheckOutcome outcome;
    TicketError ticketError;
    if (!ParseTicket(request.game, request.play, request.plus, request.ticketText, &outcome.ticket,
                     &ticketError)) {
        outcome.failure = CheckFailure::BadTicket;
        outcome.message = ticketError.message;
        return outcome;
    }
    std::vector<Draw> draws;
    if (!ReadDraws(request.databasePath, request.game, &draws, &outcome.message)) {
        outcome.failure = CheckFailure::NoDraws;
        return outcome;
    }
    std::vector<Draw> inScope = SelectDraws(draws, request.scope);
    if (request.scope.kind == ScopeKind::Issue && inScope.empty()) {
        outcome.failure = CheckFailure::NoSuchIssue;
        outcome.message = "没有第 " + request.scope.issue + " 期的开奖号码";
        return outcome;
    }
    if (!CheckTicket(rules, outcome.ticket, inScope, &outcome.report, &outcome.message))
        outcome.failure = CheckFailure::NoRules;
    return outcome;
}

} // namespace veltrix::prize
