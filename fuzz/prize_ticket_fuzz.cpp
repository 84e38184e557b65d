// Ticket text → parse, bet count, counted wins; the same bytes as a rules file.
//
// The first byte picks the game, the play and 追加; the rest is the ticket.
// A ticket that parses must stand for at least one bet, read back the same
// from its own written form, and its counted wins against a draw made from
// the bytes must add up to its bet count.

#include "prize/PrizeCount.h"
#include "prize/PrizeRules.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace veltrix;
using namespace veltrix::prize;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)ParsePrizeRules(bytes);
    if (size == 0)
        return 0;

    LotteryKind game = static_cast<LotteryKind>(data[0] % kLotteryCount);
    Play play = static_cast<Play>(((data[0] & 0x7f) / kLotteryCount) % 3);
    bool plus = (data[0] & 0x80) != 0;
    std::string_view text = bytes.substr(1);
    Ticket ticket;
    TicketError ticketError;
    if (!ParseTicket(game, play, plus, text, &ticket, &ticketError)) {
        if (ticketError.message.empty())
            std::abort();
        return 0;
    }
    std::int64_t bets = BetCount(ticket);
    Ticket again;
    if (bets < 1 || !ParseTicket(game, play, plus, TicketText(ticket), &again, &ticketError) ||
        BetCount(again) != bets || TicketText(again) != TicketText(ticket))
        std::abort();

    const GameShape& shape = Game(game);
    DrawNumbers draw;
    for (int i = 0; i < shape.mainCount; ++i)
        draw.main.push_back(data[static_cast<size_t>(i) % size] % 36);
    for (int i = 0; i < shape.extraCount; ++i)
        draw.extra.push_back(data[(static_cast<size_t>(i) * 7 + 3) % size] % 17);
    for (Scoring scoring : {Scoring::Pool, Scoring::Positions, Scoring::Runs}) {
        std::int64_t counted = 0;
        for (const auto& [pattern, count] : CountPatterns(ticket, scoring, draw))
            counted += count;
        if (counted != bets)
            std::abort();
    }
    return 0;
}
