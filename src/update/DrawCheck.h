#pragma once
// The data check of `veltrix-cli check`: reads what a draw table holds and
// finds what a draw history should not have. One finding per line, each
// naming the game and the issues concerned:
// - gaps: issue numbers that begin with the draw's year (four or two digits,
//   as its date shows) run without gaps within a year; every missing issue
//   number between two stored ones is named;
// - dates that do not grow with the issue, and two draws on one date;
// - numbers outside the game's range;
// - issue numbers of more than one width in one table.

#include "db/LotteryCatalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

struct StoredDraw {
    std::string issue;
    std::string date; // "YYYY-MM-DD"
    std::vector<std::string> numbers;
};

// The query that reads a table's draws for the check, and its rows parsed.
std::string DrawCheckQuery(const LotteryInfo& game);
std::vector<StoredDraw> ParseStoredDraws(std::string_view resultText);

std::vector<std::string> CheckDraws(const LotteryInfo& game, std::vector<StoredDraw> draws);

} // namespace veltrix
