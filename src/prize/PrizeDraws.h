#pragma once
// Reading one game's draws from the draw database, read-only: the window may
// be adding draws at the same time, and the checker never writes.

#include "common/Result.h"
#include "prize/PrizeCheck.h"

#include <string>
#include <vector>

namespace veltrix::prize {

// Every stored draw of the game, oldest first. Fails when the file or its
// table cannot be read.
Result<std::vector<Draw>> ReadDraws(const std::string& databasePath, LotteryKind game);

// Where the rules file is: the data folder's prize-rules.json.
std::string PrizeRulesPath();

} // namespace veltrix::prize
