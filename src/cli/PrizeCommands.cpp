// prize: checks a ticket against the stored draws of ./DLT.mdb (read-only).
// Prints one line per draw and tier won, "ISSUE\tTIER\tBETS\tPRIZE"; the
// summary for people goes to stderr. Exit 2 for a bad ticket or arguments.

#include "cli/CliCommands.h"
#include "prize/PrizeDraws.h"
#include "prize/PrizeSession.h"

#include <cstdio>

namespace veltrix::cli {
namespace {

int Refuse(const std::string& message) {
    std::fprintf(stderr, "veltrix-cli prize: %s\n", message.c_str());
    return 2;
}

bool ParseCount(const std::string& text, int* value) {
    if (text.empty() || text.size() > 6 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *value = std::stoi(text);
    return *value > 0;
}

} // namespace

int PrizeCommand(const Args& arguments) {
    using namespace veltrix::prize;
    Args args = arguments;
    CheckRequest request;
    auto issue = TakeOption(args, "--issue");
    auto last = TakeOption(args, "--last");
    auto play = TakeOption(args, "--play");
    for (const auto* option : {&issue, &last, &play}) {
        if (!*option)
            return Refuse(option->error());
    }
    int scopes = 0;
    if (issue->has_value()) {
        request.scope = {ScopeKind::Issue, **issue, 1};
        ++scopes;
    }
    if (last->has_value()) {
        request.scope.kind = ScopeKind::Last;
        if (!ParseCount(**last, &request.scope.last))
            return Refuse("--last takes a number of draws, not '" + **last + "'");
        ++scopes;
    }
    if (TakeFlag(args, "--all")) {
        request.scope.kind = ScopeKind::All;
        ++scopes;
    }
    if (scopes > 1)
        return Refuse("give one of --issue, --last and --all");
    if (play->has_value()) {
        if (**play == "group3")
            request.play = Play::Group3;
        else if (**play == "group6")
            request.play = Play::Group6;
        else if (**play != "direct")
            return Refuse("--play is direct, group3 or group6, not '" + **play + "'");
    }
    request.plus = TakeFlag(args, "--plus");
    if (args.empty())
        return Refuse("usage: prize GAME [--issue QS | --last N | --all] "
                      "[--play direct|group3|group6] [--plus] TICKET...");
    std::optional<LotteryKind> game = FindLotteryByCode(args[0]);
    if (!game)
        return Refuse("unknown game '" + args[0] + "'");
    request.game = *game;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i].size() > 1 && args[i].compare(0, 2, "--") == 0)
            return Refuse("unknown option '" + args[i] + "'");
        request.ticketText += (i > 1 ? " " : "") + args[i];
    }

    // A bad ticket is reported before anything is read.
    Ticket ticket;
    TicketError ticketError;
    if (!ParseTicket(request.game, request.play, request.plus, request.ticketText, &ticket,
                     &ticketError))
        return Refuse(ticketError.message);
    Result<PrizeRules> rules = LoadPrizeRulesFile(PrizeRulesPath());
    if (!rules) {
        std::fprintf(stderr, "veltrix-cli prize: %s\n", rules.error().c_str());
        return 1;
    }
    CheckOutcome outcome = RunPrizeCheck(request, *rules);
    if (outcome.failure != CheckFailure::None) {
        std::fprintf(stderr, "veltrix-cli prize: %s\n", outcome.message.c_str());
        return outcome.failure == CheckFailure::BadTicket ? 2 : 1;
    }
    std::string lines = WinLines(outcome.report);
    std::fwrite(lines.data(), 1, lines.size(), stdout);
    std::string summary = SummaryText(outcome.ticket, outcome.report);
    std::fwrite(summary.data(), 1, summary.size(), stderr);
    return 0;
}

} // namespace veltrix::cli
