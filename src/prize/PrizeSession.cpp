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
    Result<std::vector<Draw>> draws = ReadDraws(request.databasePath, request.game);
    if (!draws) {
        outcome.failure = CheckFailure::NoDraws;
        outcome.message = draws.error();
        return outcome;
    }
    std::vector<Draw> inScope = SelectDraws(*draws, request.scope);
    if (request.scope.kind == ScopeKind::Issue && inScope.empty()) {
        outcome.failure = CheckFailure::NoSuchIssue;
        outcome.message = "没有第 " + request.scope.issue + " 期的开奖号码";
        return outcome;
    }
    Result<CheckReport> report = CheckTicket(rules, outcome.ticket, inScope);
    if (!report) {
        outcome.failure = CheckFailure::NoRules;
        outcome.message = report.error();
        return outcome;
    }
    outcome.report = std::move(*report);
    return outcome;
}

} // namespace veltrix::prize
