#include "update/feeds/FeedUpdate.h"

#include "common/FileIO.h"
#include "update/DrawLine.h"
#include "update/feeds/FeedAgreement.h"
#include "update/feeds/JsonFeeds.h"
#include "update/feeds/XmlDrawList.h"

#include <filesystem>
#include <set>

namespace veltrix {
namespace {

Result<FeedPage> ParseFeedBody(FeedKind feed, LotteryKind game, std::string_view body) {
    switch (feed) {
    case FeedKind::Cwl:
        return ParseCwlNotices(game, body);
    case FeedKind::Sporttery:
        return ParseSportteryHistory(game, body);
    case FeedKind::DrawListXml:
        break;
    }
    return ParseDrawListXml(game, body);
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \r\n\t") == std::string_view::npos;
}

} // namespace

std::string FeedGameOutcome::SourceLabel(const FeedSettings& settings) const {
    return std::string(Feed(source).name) + " (" + settings.Base(source) + ")";
}

std::string FeedGameOutcome::Describe(const FeedSettings& settings) const {
    const LotteryInfo& info = Lottery(game);
    std::string text(info.code);
    if (!hasFeed)
        return text + ": " + NoFeedText(game);
    if (ok)
        text += std::string(": ") + std::to_string(newDraws) + " new of " + std::to_string(draws) +
                " draws from the " + SourceLabel(settings);
    else
        text += ": no usable answer";
    if (!failures.empty()) {
        text += ok ? " (tried first: " : " (";
        for (size_t i = 0; i < failures.size(); ++i) {
            if (i > 0)
                text += "; ";
            text += std::string(Feed(failures[i].feed).name) + ": " + failures[i].error;
        }
        text += ")";
    }
    if (!error.empty())
        text += ": " + error;
    return text;
}

std::string NoFeedText(LotteryKind game) {
    return std::string(Lottery(game).updateName) +
           " has no public draw feed; it is updated only from a draw server (DrawServer= in "
           "[OPTION] of Veltrix.ini) or from a draw file (veltrix-cli import)";
}

FeedResponse FeedSession::Get(const std::string& url, const std::string& referer) {
    if (m_stop && m_stop->load(std::memory_order_relaxed)) {
        FeedResponse stopped;
        stopped.stopped = true;
        stopped.error = "stopped";
        return stopped;
    }
    return m_http.Get({url, referer, m_stop});
}

Result<std::string> FeedSession::Ask(FeedKind feed, const std::string& url) {
    const std::string& base = m_settings.Base(feed);
    std::string referer = FeedReferer(feed, base);
    auto index = static_cast<size_t>(feed);
    std::string sessionPage = FeedSessionPageUrl(feed, base);
    if (!sessionPage.empty() && !m_sessionPageVisited[index]) {
        // As a browser does: the site's page first, for the cookie its feed
        // wants. What the page says does not matter, only whether it came.
        m_sessionPageVisited[index] = true;
        FeedResponse page = Get(sessionPage, base + "/");
        if (page.stopped)
            return Fail(page.error);
        if (page.status == 0) {
            m_unreachable[index] = "cannot be reached: " + page.error;
            return Fail(m_unreachable[index]);
        }
    }
    FeedResponse response = Get(url, referer);
    if (response.stopped)
        return Fail(response.error);
    if (response.status == 0) {
        m_unreachable[index] = "cannot be reached: " + response.error;
        return Fail(m_unreachable[index]);
    }
    if (response.status != 200) {
        std::string error = std::string("HTTP status ") + std::to_string(response.status);
        if (!response.location.empty())
            error += " (redirected to " + response.location + ")";
        return Fail(error);
    }
    return std::move(response.body);
}

Result<std::vector<FeedDraw>> FeedSession::FetchAnswer(FeedKind feed, LotteryKind game,
                                                       int newestIssue) {
    const std::string& base = m_settings.Base(feed);
    if (!Feed(feed).paged) {
        Result<std::string> body = Ask(feed, FeedPageUrl(feed, base, game, 1));
        if (!body)
            return Fail(body.error());
        Result<FeedPage> page = ParseFeedBody(feed, game, *body);
        if (!page)
            return Fail(page.error());
        return std::move(page->draws);
    }
    std::vector<FeedDraw> draws;
    for (int pageNo = 1;; ++pageNo) {
        if (pageNo > kMaxFeedPages)
            return Fail(std::string("more than ") + std::to_string(kMaxFeedPages) +
                        " pages of draws newer than the stored issue " +
                        std::to_string(newestIssue));
        Result<std::string> body = Ask(feed, FeedPageUrl(feed, base, game, pageNo));
        Result<FeedPage> page = body ? ParseFeedBody(feed, game, *body) : Fail(body.error());
        if (!page)
            return Fail(pageNo == 1 ? page.error()
                                    : "page " + std::to_string(pageNo) + ": " + page.error());
        bool reachedStored = false;
        for (FeedDraw& draw : page->draws) {
            reachedStored = reachedStored || DrawIssueNumber(draw.issue) <= newestIssue;
            draws.push_back(std::move(draw));
        }
        if (reachedStored || pageNo >= page->pageCount)
            return draws;
    }
}

FeedGameOutcome FeedSession::FetchGame(LotteryKind game, SqlRunner& runner,
                                       const std::string& drawFilePath,
                                       const std::atomic<bool>* stop) {
    m_stop = stop;
    FeedGameOutcome outcome;
    outcome.game = game;
    const LotteryInfo& info = Lottery(game);
    if (FeedsForGame(game, false).empty()) {
        outcome.hasFeed = false;
        return outcome;
    }
    QueryOutcome newest = runner.Run(std::string(info.newestIssueQuery));
    if (newest.failed) {
        outcome.error = "the newest stored issue could not be read";
        return outcome;
    }
    int newestIssue = DrawIssueNumber(newest.resultText);
    for (FeedKind feed : FeedsForGame(game, IsBlank(newest.resultText))) {
        auto index = static_cast<size_t>(feed);
        if (m_settings.Base(feed).empty()) {
            outcome.failures.push_back({feed, std::string("turned off ([OPTION] ") +
                                                  std::string(Feed(feed).settingKey) + "=off)"});
            continue;
        }
        if (!m_unreachable[index].empty()) {
            outcome.failures.push_back({feed, m_unreachable[index]});
            continue;
        }
        Result<std::vector<FeedDraw>> answer = FetchAnswer(feed, game, newestIssue);
        if (stop && stop->load(std::memory_order_relaxed)) {
            outcome.stopped = true;
            outcome.error = "stopped";
            return outcome;
        }
        if (!answer) {
            outcome.failures.push_back({feed, answer.error()});
            continue;
        }
        std::vector<FeedDraw>& draws = *answer;
        std::vector<FeedDraw> repeated = RepeatedDraws(draws, newestIssue);
        if (!repeated.empty()) {
            QueryOutcome stored =
                runner.Run(StoredDrawsQuery(game, repeated.back().issue, repeated.front().issue));
            if (stored.failed) {
                outcome.error = "the stored draws could not be read to compare the answer";
                return outcome;
            }
            std::string disagreement = FindDisagreement(game, repeated, stored.resultText);
            if (!disagreement.empty()) {
                outcome.failures.push_back({feed, "disagrees with the database: " + disagreement});
                outcome.disagreed = true;
                return outcome;
            }
        }
        std::error_code ignored;
        std::filesystem::path folder = std::filesystem::path(drawFilePath).parent_path();
        if (!folder.empty())
            std::filesystem::create_directories(folder, ignored);
        std::string text = FormatDrawFileText(game, draws);
        if (Status written = WriteFileAtomically(drawFilePath, text); !written) {
            outcome.error = "cannot write " + drawFilePath + ": " + written.error();
            return outcome;
        }
        outcome.ok = true;
        outcome.source = feed;
        for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; ++at)
            ++outcome.draws;
        std::set<std::string> newIssues; // pages may overlap when a draw comes in between
        for (const FeedDraw& draw : draws) {
            if (DrawIssueNumber(draw.issue) > newestIssue)
                newIssues.insert(draw.issue);
        }
        outcome.newDraws = static_cast<int>(newIssues.size());
        return outcome;
    }
    return outcome;
}

} // namespace veltrix
