#pragma once
// The two official JSON feeds, read with nlohmann::json (no exceptions leave
// these functions): the 福彩 draw notices (ssq, 3d, 七乐彩) and the 体彩 draw
// history (dlt, 排列三, 排列五, 七星彩). Both list the newest draw first and
// say how many pages they have; each draw comes out checked (FeedDraw.h).

#include "update/feeds/FeedDraw.h"

#include <string_view>

namespace veltrix {

// {"state":0,"message":...,"pageNum":P,"result":[{"code","date","red","blue"},...]}
// "red" holds the main numbers, "blue" the back zone (empty for 3d, which
// the notices list without its test numbers).
Result<FeedPage> ParseCwlNotices(LotteryKind kind, std::string_view body);

// {"errorCode":"0","success":true,"value":{"list":[{"lotteryDrawNum",
// "lotteryDrawTime","lotteryDrawResult"},...],"pages":P}}; the result lists
// main and back numbers one after the other, separated by blanks.
Result<FeedPage> ParseSportteryHistory(LotteryKind kind, std::string_view body);

} // namespace veltrix
