#include "update/feeds/FeedDrawSource.h"

#include "update/feeds/FeedHttp.h"
#include "update/feeds/UpdateSources.h"

#include <ctime>

namespace veltrix {
namespace {

class DroppedMessages : public QueryHost {
public:
    std::string CommandTextForOrder() override { return {}; }
    void ShowMessage(const std::string&, MessageIcon) override {}
};

} // namespace

QueryOutcome OwnConnectionRunner::Run(const std::string& sql) {
    if (!m_opened)
        m_opened = m_db.Open(m_path.c_str());
    if (!m_opened) {
        QueryOutcome failed;
        failed.failed = true;
        return failed;
    }
    DroppedMessages host;
    return RunStatement(m_db, sql, host);
}

FeedDrawSource::FeedDrawSource(FeedSettings settings, std::unique_ptr<FeedHttp> http,
                               std::unique_ptr<SqlRunner> storedDraws, std::string sourcesPath)
    : m_http(std::move(http)), m_storedDraws(std::move(storedDraws)),
      m_session(*m_http, std::move(settings)), m_sourcesPath(std::move(sourcesPath)) {}

std::string FeedDrawSource::Address(const LotteryInfo& game) const {
    for (FeedKind feed : FeedsForGame(game.kind, false)) {
        const std::string& base = m_session.Settings().Base(feed);
        if (!base.empty())
            return FeedPageUrl(feed, base, game.kind, 1);
    }
    return std::string(game.updateName) + ": no public draw feed";
}

DownloadResult FeedDrawSource::Fetch(const LotteryInfo& game, const std::string& path,
                                     const StopFlag* stop) {
    FeedGameOutcome outcome = m_session.FetchGame(game.kind, *m_storedDraws, path, stop);
    DownloadResult result;
    result.ok = outcome.ok;
    result.stopped = outcome.stopped;
    std::string described = outcome.Describe(m_session.Settings());
    // The flow puts the game's code in front of the text itself.
    std::string prefix = std::string(game.code) + ": ";
    if (described.starts_with(prefix))
        described.erase(0, prefix.size());
    if (outcome.ok) {
        result.httpStatus = 200;
        result.source = described;
        if (!m_sourcesPath.empty())
            RecordUpdateSource(m_sourcesPath, game.kind, outcome.SourceLabel(m_session.Settings()),
                               std::time(nullptr));
        return result;
    }
    result.error = described;
    bool allUnreachable = !outcome.failures.empty();
    for (const FeedAttempt& attempt : outcome.failures)
        allUnreachable = allUnreachable && attempt.error.starts_with("cannot be reached");
    result.unreachable = allUnreachable;
    return result;
}

ChosenDrawSource MakeFeedDrawSource(const std::string& settingsPath,
                                    const std::string& databasePath) {
    FeedSettings settings = FeedSettingsFromFile(settingsPath);
    std::string warning;
    for (const std::string& line : settings.warnings)
        warning += (warning.empty() ? "" : "\n") + line;
    return {std::make_unique<FeedDrawSource>(std::move(settings), std::make_unique<CurlFeedHttp>(),
                                             std::make_unique<OwnConnectionRunner>(databasePath),
                                             DrawFilePath(kDrawFolder, kSourcesFileName)),
            std::move(warning)};
}

std::string DescribeDrawSources(const std::vector<GameUpdateReport>& reports) {
    std::string text;
    for (const GameUpdateReport& report : reports) {
        if (report.download.ok && !report.download.source.empty())
            text += std::string(Lottery(report.kind).code) + ": " + report.download.source + "\n";
    }
    return text;
}

bool FeedServesGame(LotteryKind game) {
    return !FeedsForGame(game, false).empty();
}

} // namespace veltrix
