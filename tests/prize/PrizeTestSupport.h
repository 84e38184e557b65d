#pragma once
// Shared by the prize tests: the shipped rules, tickets and draws from text.

#include "prize/PrizeCheck.h"
#include "prize/PrizeDraws.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace veltrix::prize::test {

// The rules file the programs ship.
inline const PrizeRules& ShippedRules() {
    static const PrizeRules rules = [] {
        Result<PrizeRules> loaded = LoadPrizeRulesFile(PrizeRulesPath());
        EXPECT_TRUE(loaded) << loaded.error();
        return loaded.value_or(PrizeRules{});
    }();
    return rules;
}

// "01 02 03 04 05 + 06 07": the numbers before "+" are H1.., after it L1...
inline Draw DrawOf(const std::string& issue, const std::string& numbers) {
    Draw draw{issue, "2026-01-01", {}};
    std::istringstream words(numbers);
    std::string word;
    bool extra = false;
    while (words >> word) {
        if (word == "+")
            extra = true;
        else
            (extra ? draw.numbers.extra : draw.numbers.main).push_back(std::stoi(word));
    }
    return draw;
}

inline Ticket TicketOf(LotteryKind game, Play play, bool plus, const std::string& text) {
    Ticket ticket;
    TicketError error;
    EXPECT_TRUE(ParseTicket(game, play, plus, text, &ticket, &error))
        << text << ": " << error.message;
    return ticket;
}

} // namespace veltrix::prize::test
