#pragma once
// Getting one game's draw file from the public feeds, for the import to read
// as it reads a downloaded draw file.
//
// The game's feeds are tried in order (FeedCatalogue.h); the next is tried
// only when the one before gave no usable answer. A paged feed is asked for
// pages until one reaches back to the newest stored issue, so a table that
// is up to date costs one small request. An answer is usable when every draw
// in it passes the checks of FeedDraw.h and its newest repeated draws agree
// with the table; then its draws are written whole, oldest first, over the
// game's draw file. From an answer that is not usable nothing is written. A
// disagreement ends the game's update there: a later feed agreeing would not
// make the table right.

#include "update/UpdatePorts.h"
#include "update/feeds/FeedDraw.h"
#include "update/feeds/FeedHttp.h"
#include "update/feeds/FeedSettings.h"

#include <array>
#include <string>
#include <vector>

namespace veltrix {

struct FeedAttempt {
    FeedKind feed;
    std::string error; // why its answer was not used
};

struct FeedGameOutcome {
    LotteryKind game;
    bool hasFeed = true;    // false for 22选5
    bool ok = false;        // the draw file was written from `source`
    bool disagreed = false; // a feed's answer contradicts the stored draws
    bool stopped = false;   // the update was asked to stop
    FeedKind source = FeedKind::Cwl;
    int draws = 0;                     // in the written file
    int newDraws = 0;                  // of them newer than the newest stored issue
    std::vector<FeedAttempt> failures; // in the order tried
    std::string error;                 // a failure of the database or the draw folder

    // "cwl.gov.cn draw notices (https://www.cwl.gov.cn)"
    std::string SourceLabel(const FeedSettings& settings) const;
    // One line for the summary: where the draws came from, or why none came.
    std::string Describe(const FeedSettings& settings) const;
};

// At most this many pages of a paged feed per game and update; a table that
// far behind is better served by a whole list.
inline constexpr int kMaxFeedPages = 40;

// One update's dealings with the feeds: the settings, the client with its
// cookies, the session pages already visited and the feeds that could not
// be reached (not asked again in this update).
class FeedSession {
public:
    FeedSession(FeedHttp& http, FeedSettings settings)
        : m_http(http), m_settings(std::move(settings)) {}

    // Asks the game's feeds and, from the first usable answer, writes
    // `drawFilePath`. `runner` reads the newest stored issue and the stored
    // draws for the agreement check.
    // `stop` set asks it to give up soon.
    FeedGameOutcome FetchGame(LotteryKind game, SqlRunner& runner, const std::string& drawFilePath,
                              const std::atomic<bool>* stop = nullptr);

    const FeedSettings& Settings() const { return m_settings; }

private:
    Result<std::vector<FeedDraw>> FetchAnswer(FeedKind feed, LotteryKind game, int newestIssue);
    Result<std::string> Ask(FeedKind feed, const std::string& url);
    FeedResponse Get(const std::string& url, const std::string& referer);

    FeedHttp& m_http;
    FeedSettings m_settings;
    std::array<bool, kFeedCount> m_sessionPageVisited{};
    std::array<std::string, kFeedCount> m_unreachable{};
    const std::atomic<bool>* m_stop = nullptr; // of the game being fetched
};

// What 22选5's button says: it has no public feed.
std::string NoFeedText(LotteryKind game);

} // namespace veltrix
