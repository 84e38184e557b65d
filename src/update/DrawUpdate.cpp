#include "update/DrawUpdate.h"

#include "common/FileIO.h"
#include "common/Strings.h"
#include "update/DrawLine.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>

namespace veltrix {

std::string PartFilePath(const std::string& localPath) {
    return localPath + ".part";
}

std::string DrawFilePath(std::string_view folder, std::string_view fileName) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + ToLowerAscii(fileName);
}

std::string FindDrawFile(std::string_view folder, std::string_view fileName) {
    std::string path = DrawFilePath(folder, fileName);
    std::error_code error;
    if (std::filesystem::exists(path, error))
        return path;
    const std::string wanted = ToLowerAscii(fileName);
    std::filesystem::directory_iterator entries(std::string(folder), error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        if (ToLowerAscii(entries->path().filename().string()) == wanted)
            return entries->path().string();
    }
    return path;
}

DownloadResult FetchDrawFile(DrawSource& source, const LotteryInfo& game,
                             const std::string& localPath, const StopFlag* stop) {
    // The draw folder is made on first use; if that fails the fetch says why.
    std::error_code ignored;
    std::filesystem::path folder = std::filesystem::path(localPath).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, ignored);
    const std::string part = PartFilePath(localPath);
    DownloadResult result = source.Fetch(game, part, stop);
    if (result.ok && StopRequested(stop)) {
        result = {false, result.httpStatus, "stopped", false, true, {}};
    } else if (result.ok) {
        Result<std::string> bytes = ReadFileBytes(part);
        if (!bytes) {
            result.ok = false;
            result.error = "cannot read " + part;
        } else if (!HoldsDrawLine(game, *bytes)) {
            // An empty answer or an error page sent with status 200: the
            // previous draw file is worth more.
            result.ok = false;
            result.error = "not a draw file";
        } else if (std::rename(part.c_str(), localPath.c_str()) != 0) {
            result.ok = false;
            result.error = "cannot replace " + localPath;
        }
    }
    if (!result.ok)
        std::filesystem::remove(part, ignored);
    return result;
}

DownloadResult FetchDrawFileWithTitle(DrawSource& source, const LotteryInfo& game,
                                      const std::string& localPath, TitleProgress& progress,
                                      const StopFlag* stop) {
    std::string savedTitle = progress.Title();
    progress.SetTitle("正在下载 " + source.Address(game));
    DownloadResult result = FetchDrawFile(source, game, localPath, stop);
    progress.SetTitle(savedTitle);
    return result;
}

ImportSummary ImportGameDrawFile(LotteryKind kind, std::string_view folder, SqlRunner& runner,
                                 TitleProgress& progress, const StopFlag* stop) {
    ImportOptions options;
    options.stop = stop;
    return ImportDrawFileAt(kind, FindDrawFile(folder, Lottery(kind).openedFileName), runner,
                            progress, options);
}

DownloadResult DirectUpdateSteps::DownloadDrawFile(LotteryKind kind) {
    const LotteryInfo& game = Lottery(kind);
    return FetchDrawFileWithTitle(m_context.source, game,
                                  DrawFilePath(m_context.folder, game.savedFileName), m_progress,
                                  m_context.stop);
}

ImportSummary DirectUpdateSteps::ImportDrawFile(LotteryKind kind) {
    return ImportGameDrawFile(kind, m_context.folder, m_context.runner, m_progress, m_context.stop);
}

namespace {

DownloadResult NotReached() {
    DownloadResult stopped;
    stopped.error = "stopped";
    stopped.stopped = true;
    return stopped;
}

} // namespace

GameUpdateReport UpdateGameDraws(LotteryKind kind, DrawUpdateSteps& steps) {
    GameUpdateReport report{kind, steps.DownloadDrawFile(kind), {}};
    if (!steps.StopRequested())
        report.import = steps.ImportDrawFile(kind);
    return report;
}

GameUpdateReport UpdateGameDraws(LotteryKind kind, DrawUpdateContext& context,
                                 TitleProgress& progress) {
    DirectUpdateSteps steps(context, progress);
    return UpdateGameDraws(kind, steps);
}

std::vector<GameUpdateReport> UpdateAllGameDraws(DrawUpdateSteps& steps, UpdateAllHost& host) {
    host.SetReloadEnabled(false);
    std::string savedTitle = host.Title();
    std::array<DownloadResult, kLotteryCount> downloads;
    downloads.fill(NotReached());
    int step = 1;
    for (LotteryKind kind : kDownloadOrder) {
        if (steps.StopRequested())
            break;
        const LotteryInfo& game = Lottery(kind);
        host.SetTitle(StrFormat("%d/8 正在下载 %.*s", step++,
                                static_cast<int>(game.savedFileName.size()),
                                game.savedFileName.data()));
        downloads[static_cast<size_t>(kind)] = steps.DownloadDrawFile(kind);
    }
    std::vector<GameUpdateReport> reports;
    for (LotteryKind kind : kCatalogueOrder) {
        GameUpdateReport report{kind, downloads[static_cast<size_t>(kind)], {}};
        if (!steps.StopRequested())
            report.import = steps.ImportDrawFile(kind);
        reports.push_back(std::move(report));
    }
    host.SetTitle(savedTitle);
    host.SetReloadEnabled(true);
    return reports;
}

std::vector<GameUpdateReport> UpdateAllGameDraws(DrawUpdateContext& context, UpdateAllHost& host) {
    DirectUpdateSteps steps(context, host);
    return UpdateAllGameDraws(steps, host);
}

namespace {

bool ImportHasSomethingToSay(const ImportSummary& summary) {
    return summary.fileOpened && (!summary.Succeeded() || summary.warningCount > 0);
}

} // namespace

std::string DescribeUpdateProblems(const std::vector<GameUpdateReport>& reports) {
    // Failed downloads grouped by their reason: an unreachable server says
    // the same for every game.
    std::vector<std::pair<std::string, std::string>> failures; // reason, codes
    std::vector<std::string> lines;
    bool stopped = false;
    for (const GameUpdateReport& report : reports) {
        const LotteryInfo& game = Lottery(report.kind);
        if (report.download.stopped) {
            stopped = true;
        } else if (!report.download.ok) {
            auto same = std::find_if(failures.begin(), failures.end(), [&](const auto& failure) {
                return failure.first == report.download.error;
            });
            if (same == failures.end())
                failures.push_back({report.download.error, std::string(game.code)});
            else
                same->second += ", " + std::string(game.code);
        }
        if (ImportHasSomethingToSay(report.import)) {
            for (const std::string& line : DescribeImport(game, report.import))
                lines.push_back(line);
        }
    }
    std::string text;
    for (const auto& [reason, codes] : failures)
        text += codes + ": the download failed: " + reason + "; the previous draw file was kept\n";
    for (const std::string& line : lines)
        text += line + "\n";
    if (stopped)
        text += "The update was stopped; the draws imported before were kept.\n";
    return text;
}

} // namespace veltrix
