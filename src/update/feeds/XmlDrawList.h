#pragma once
// The 500.com draw lists: one XML file per game with the whole history,
// newest first, read with pugixml. Only the `row` elements count, wherever
// they stand, and only three of their attributes:
//   <row expect="26095" opencode="04,06,08,10,14|04,05" opentime="2026-08-22 21:25:00"/>
// `expect` is the issue (5 digits but 7 for 3d; ssq and 七乐彩 get "20" in
// front), `opencode` the numbers separated by "," with the back zone after
// "|" (七星彩 has no "|"), `opentime` the draw time. The body's encoding
// declaration does not matter: everything read is ASCII.

#include "update/feeds/FeedDraw.h"

#include <string_view>

namespace veltrix {

Result<FeedPage> ParseDrawListXml(LotteryKind kind, std::string_view body);

} // namespace veltrix
