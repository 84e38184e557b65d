#pragma once
// The public feeds as the update flow's draw source: asked for one game's
// draw file, it tries the game's feeds (FeedUpdate.h) and writes the file
// from the first usable answer. It reads the stored draws it compares the
// answer with over a connection of its own, since the flow may call it on a
// worker thread while the window's connection belongs to the window.

#include "db/AdoConnection.h"
#include "update/DrawSource.h"
#include "update/DrawUpdate.h"
#include "update/feeds/FeedUpdate.h"

#include <memory>
#include <string>
#include <vector>

namespace veltrix {

// The statement runner over a connection of its own, opened on first use;
// messages are dropped (the feed outcome says what failed).
class OwnConnectionRunner : public SqlRunner {
public:
    explicit OwnConnectionRunner(std::string databasePath) : m_path(std::move(databasePath)) {}
    QueryOutcome Run(const std::string& sql) override;

private:
    std::string m_path;
    CAdoConnection m_db;
    bool m_opened = false;
};

class FeedDrawSource : public DrawSource {
public:
    // `sourcesPath`: where the source of each game's last update is kept
    // (UpdateSources.h); empty keeps nothing.
    FeedDrawSource(FeedSettings settings, std::unique_ptr<FeedHttp> http,
                   std::unique_ptr<SqlRunner> storedDraws, std::string sourcesPath);

    std::string Address(const LotteryInfo& game) const override;
    DownloadResult Fetch(const LotteryInfo& game, const std::string& path,
                         const StopFlag* stop) override;

private:
    std::unique_ptr<FeedHttp> m_http;
    std::unique_ptr<SqlRunner> m_storedDraws;
    FeedSession m_session;
    std::string m_sourcesPath;
};

// The feeds as the settings file configures them, over libcurl, comparing
// with the draws in `databasePath` and keeping the sources beside the draw
// files; unusable feed settings described in its warning.
ChosenDrawSource MakeFeedDrawSource(const std::string& settingsPath,
                                    const std::string& databasePath);

// One line per game whose draws came from a feed: where they came from.
std::string DescribeDrawSources(const std::vector<GameUpdateReport>& reports);

// Whether some public feed serves the game (22选5 has none).
bool FeedServesGame(LotteryKind game);

} // namespace veltrix
