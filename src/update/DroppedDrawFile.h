#pragma once
// A draw file dropped on the window goes into the game its name names:
// "dlt.txt", "ssq_2026.txt", "P3-latest.TXT". The first game code in the name
// (by position) wins; a code counts only as a word of its own (not preceded
// by a letter or digit, not followed by a letter), so "update.txt" or
// "p3d.txt" name no game.

#include "db/LotteryCatalogue.h"

#include <optional>
#include <string_view>

namespace veltrix {

// `fileName` is the name without its folder.
std::optional<LotteryKind> GameNamedByFileName(std::string_view fileName);

} // namespace veltrix
