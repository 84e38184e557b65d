#pragma once
// The public draw-list feeds: which games each serves, where, and in which
// order a game tries them.
//
// The two official feeds are paged and list the newest draw first, so an
// update that already holds most of the history asks them for one small page
// or two; they come first. The 500.com list serves every game but always
// sends the whole history in one file: it is the fallback, and it comes first
// only for a table that is still empty, where the whole history is wanted.
// 22选5 has no public feed.

#include "db/LotteryCatalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

enum class FeedKind { Cwl, Sporttery, DrawListXml };
inline constexpr int kFeedCount = 3;

struct FeedInfo {
    FeedKind kind;
    std::string_view settingKey;  // in [OPTION] of Veltrix.ini
    std::string_view defaultBase; // scheme and host
    std::string_view name;        // in summaries and `veltrix-cli sources`
    bool paged;
};

const FeedInfo& Feed(FeedKind kind);

// The feeds that serve the game, in the order they are tried.
std::vector<FeedKind> FeedsForGame(LotteryKind game, bool tableEmpty);

// Draws per page asked of a paged feed.
inline constexpr int kFeedPageSize = 30;

// The address of one page of the feed's list for the game (a whole-list feed
// has only page 1), and the Referer a browser would send with it.
std::string FeedPageUrl(FeedKind feed, std::string_view base, LotteryKind game, int pageNo);
std::string FeedReferer(FeedKind feed, std::string_view base);

// The page a browser visits before the feed's JSON, for the session cookie
// the 福彩 site has been reported to want; empty for the other feeds.
std::string FeedSessionPageUrl(FeedKind feed, std::string_view base);

} // namespace veltrix
