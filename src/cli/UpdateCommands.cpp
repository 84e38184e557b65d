// update, import and bulletin: the draw-data update for scripts. They work in
// the current folder on ./DLT.mdb, ./Veltrix.ini and ./draws/, as the window
// does, print one line per game on stdout and say on stderr what failed or
// was skipped.

#include "cli/CliCommands.h"
#include "common/AppFiles.h"
#include "db/AdoConnection.h"
#include "query/StatementRunner.h"
#include "update/Bulletin.h"
#include "update/DrawCheck.h"
#include "update/DrawUpdate.h"
#include "update/feeds/FeedDrawSource.h"

#include <cstdio>
#include <ctime>

namespace veltrix::cli {
namespace {

// Nobody watches a title here; keeping it lets the flow save and restore it.
class SilentTitle : public UpdateAllHost {
public:
    std::string Title() override { return m_title; }
    void SetTitle(const std::string& text) override { m_title = text; }
    void SetReloadEnabled(bool) override {}

private:
    std::string m_title;
};

// Remembers whether any statement failed (the runner has already said why).
class CountingRunner : public SqlRunner {
public:
    explicit CountingRunner(SqlRunner& inner) : m_inner(inner) {}
    QueryOutcome Run(const std::string& sql) override {
        QueryOutcome outcome = m_inner.Run(sql);
        m_failed = m_failed || outcome.failed;
        return outcome;
    }
    bool AnyFailed() const { return m_failed; }

private:
    SqlRunner& m_inner;
    bool m_failed = false;
};

// ./DLT.mdb with a runner whose messages go to stderr, named by the command.
struct DatabaseSession {
    explicit DatabaseSession(const char* command)
        : host(std::string("veltrix-cli ") + command + ": "), m_command(command) {}

    bool Open() {
        if (db.Open(kDatabasePath))
            return true;
        std::fprintf(stderr, "veltrix-cli %s: cannot open %s: %s\n", m_command, kDatabasePath,
                     db.GetErrorText().c_str());
        return false;
    }

    CAdoConnection db;
    StderrHost host;
    ConnectionSqlRunner runner{db, host};

private:
    const char* m_command;
};

void PrintImport(const char* command, LotteryKind kind, const ImportSummary& summary,
                 const std::string& path) {
    const LotteryInfo& game = Lottery(kind);
    std::vector<std::string> lines = DescribeImport(game, summary);
    if (!summary.fileOpened) {
        std::printf("%s: 0 inserted, 0 passed over, 0 refused\n", std::string(game.code).c_str());
        std::fprintf(stderr, "veltrix-cli %s: %s: cannot open %s\n", command,
                     std::string(game.code).c_str(), path.c_str());
        return;
    }
    // The counts on stdout for scripts, the details on stderr for people.
    std::printf("%s\n", lines.front().c_str());
    for (size_t i = 1; i < lines.size(); ++i)
        std::fprintf(stderr, "veltrix-cli %s: %s\n", command, lines[i].c_str());
}

// The usage line of a command taking a game, with the catalogue's codes.
int GameUsage(const char* usage, const char* more = "") {
    std::string codes;
    for (const LotteryInfo& info : AllLotteries()) {
        if (!codes.empty())
            codes += ' ';
        codes += info.code;
    }
    std::fprintf(stderr, "usage: veltrix-cli %s   (GAME: %s%s)\n", usage, codes.c_str(), more);
    return 2;
}

} // namespace

int UpdateCommand(const Args& args) {
    std::optional<LotteryKind> game;
    if (args.size() == 1 && args[0] != "all")
        game = FindLotteryByCode(args[0]);
    if (args.size() != 1 || (args[0] != "all" && !game)) {
        return GameUsage("update all|GAME");
    }
    DatabaseSession session("update");
    if (!session.Open())
        return 1;
    CurlDrawDownloader downloader;
    ChosenDrawSource chosen = MakeDrawSource(std::string(kSettingsPath), downloader);
    DrawSource& source = *chosen.source;
    if (!chosen.warning.empty())
        std::fprintf(stderr, "veltrix-cli update: %s\n", chosen.warning.c_str());
    // Without a draw server, "all" means the games some public feed serves.
    bool feeds = dynamic_cast<FeedDrawSource*>(chosen.source.get()) != nullptr;

    SilentTitle title;
    DrawUpdateContext context{source, session.runner};
    std::vector<GameUpdateReport> reports;
    if (game)
        reports.push_back(UpdateGameDraws(*game, context, title));
    else
        reports = UpdateAllGameDraws(context, title);

    bool ok = true;
    for (const GameUpdateReport& report : reports) {
        const LotteryInfo& info = Lottery(report.kind);
        if (!report.download.ok)
            std::fprintf(stderr, "veltrix-cli update: %s: download of %s failed: %s\n",
                         std::string(info.code).c_str(), source.Address(info).c_str(),
                         report.download.error.c_str());
        else if (!report.download.source.empty())
            std::fprintf(stderr, "veltrix-cli update: %s: %s\n", std::string(info.code).c_str(),
                         report.download.source.c_str());
        PrintImport("update", report.kind, report.import,
                    FindDrawFile(context.folder, info.openedFileName));
        bool required = game || !feeds || FeedServesGame(report.kind);
        ok = ok && (report.Succeeded() || !required);
    }
    std::fflush(stdout);
    return ok ? 0 : 1;
}

int ImportCommand(const Args& given) {
    Args args = given;
    ImportOptions options;
    if (!args.empty() && args[0] == "--fill") {
        // Every line whose issue is not stored yet, wherever it falls: the
        // repair for the gaps `check` finds.
        options.mode = ImportMode::Fill;
        args.erase(args.begin());
    }
    std::optional<LotteryKind> game;
    if (!args.empty())
        game = FindLotteryByCode(args[0]);
    if (args.empty() || args.size() > 2 || !game) {
        return GameUsage("import [--fill] GAME [FILE]", "; FILE: ./draws/GAME.txt");
    }
    std::string path =
        args.size() == 2 ? args[1] : FindDrawFile(kDrawFolder, Lottery(*game).openedFileName);
    if (path.ends_with(".part")) {
        std::fprintf(stderr, "veltrix-cli import: %s is an unfinished download; not imported\n",
                     path.c_str());
        return 1;
    }
    DatabaseSession session("import");
    if (!session.Open())
        return 1;
    SilentTitle title;
    ImportSummary summary = ImportDrawFileAt(*game, path, session.runner, title, options);
    PrintImport("import", *game, summary, path);
    std::fflush(stdout);
    return summary.Succeeded() ? 0 : 1;
}

int CheckCommand(const Args& args) {
    std::optional<LotteryKind> game;
    if (args.size() == 1)
        game = FindLotteryByCode(args[0]);
    if (args.size() > 1 || (args.size() == 1 && !game)) {
        return GameUsage("check [GAME]");
    }
    DatabaseSession session("check");
    if (!session.Open())
        return 1;
    bool found = false;
    for (const LotteryInfo& info : AllLotteries()) {
        if (game && info.kind != *game)
            continue;
        QueryOutcome rows = session.runner.Run(DrawCheckQuery(info));
        if (rows.failed)
            return 1; // the runner has said why on stderr
        for (const std::string& finding : CheckDraws(info, ParseStoredDraws(rows.resultText))) {
            std::printf("%s\n", finding.c_str());
            found = true;
        }
    }
    std::fflush(stdout);
    return found ? 1 : 0;
}

int BulletinCommand(const Args& args) {
    if (!args.empty()) {
        std::fputs("usage: veltrix-cli bulletin\n", stderr);
        return 2;
    }
    DatabaseSession session("bulletin");
    if (!session.Open())
        return 1;
    CountingRunner runner(session.runner);
    std::string text = RunBulletin(runner, LocalBulletinDate(std::time(nullptr)));
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    return runner.AnyFailed() ? 1 : 0;
}

} // namespace veltrix::cli
