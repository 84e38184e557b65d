#include "update/DrawUpdate.h"

#include "common/Strings.h"

#include <array>
#include <filesystem>

#ifndef VELTRIX_DRAW_SERVER
#define VELTRIX_DRAW_SERVER "http://draws.veltrix.invalid"
#endif

namespace veltrix {

std::string BuiltInDrawServer() {
    return VELTRIX_DRAW_SERVER;
}

DrawServerChoice ChooseDrawServer(std::string_view configured) {
    DrawServerChoice choice{BuiltInDrawServer(), {}};
    if (configured.empty())
        return choice;
    std::string value(configured);
    while (!value.empty() && value.back() == '/')
        value.pop_back();
    std::string lower = ToLowerAscii(value);
    bool http = lower.starts_with("http://") && lower.size() > 7;
    bool https = lower.starts_with("https://") && lower.size() > 8;
    if (!http && !https) {
        choice.warning = "[OPTION] DrawServer \"" + std::string(configured) +
                         "\" is not an http:// or https:// address; using " + choice.base;
        return choice;
    }
    choice.base = value;
    return choice;
}

std::string DrawFileUrl(std::string_view serverBase, const LotteryInfo& game) {
    return std::string(serverBase) + std::string(game.serverPath);
}

std::string DrawFilePath(std::string_view folder, std::string_view fileName) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + ToLowerAscii(fileName);
}

DownloadResult DownloadDrawFileWithTitle(const std::string& url, const std::string& localPath,
                                         DrawDownloader& downloader, TitleProgress& progress) {
    std::string savedTitle = progress.Title();
    progress.SetTitle("正在下载 " + url);
    // The draw folder is made on first use; if that fails the download
    // reports why.
    std::error_code ignored;
    std::filesystem::path folder = std::filesystem::path(localPath).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, ignored);
    DownloadResult result = downloader.Download(url, localPath);
    progress.SetTitle(savedTitle);
    return result;
}

ImportSummary ImportGameDrawFile(LotteryKind kind, std::string_view folder, SqlRunner& runner,
                                 TitleProgress& progress) {
    return ImportDrawFileAt(kind, DrawFilePath(folder, Lottery(kind).openedFileName), runner,
                            progress);
}

GameUpdateReport UpdateGameDraws(LotteryKind kind, DrawUpdateContext& context,
                                 TitleProgress& progress) {
    const LotteryInfo& game = Lottery(kind);
    GameUpdateReport report{kind, {}, {}};
    report.download = DownloadDrawFileWithTitle(DrawFileUrl(context.serverBase, game),
                                                DrawFilePath(context.folder, game.savedFileName),
                                                context.downloader, progress);
    report.import = ImportGameDrawFile(kind, context.folder, context.runner, progress);
    return report;
}

std::vector<GameUpdateReport> UpdateAllGameDraws(DrawUpdateContext& context, UpdateAllHost& host) {
    host.SetReloadEnabled(false);
    std::string savedTitle = host.Title();
    std::array<DownloadResult, kLotteryCount> downloads;
    int step = 1;
    for (LotteryKind kind : kDownloadOrder) {
        const LotteryInfo& game = Lottery(kind);
        host.SetTitle(StrFormat("%d/8 正在下载 %.*s", step++,
                                static_cast<int>(game.savedFileName.size()),
                                game.savedFileName.data()));
        downloads[static_cast<size_t>(kind)] = DownloadDrawFileWithTitle(
            DrawFileUrl(context.serverBase, game), DrawFilePath(context.folder, game.savedFileName),
            context.downloader, host);
    }
    std::vector<GameUpdateReport> reports;
    for (LotteryKind kind : kCatalogueOrder) {
        reports.push_back({kind, downloads[static_cast<size_t>(kind)],
                           ImportGameDrawFile(kind, context.folder, context.runner, host)});
    }
    host.SetTitle(savedTitle);
    host.SetReloadEnabled(true);
    return reports;
}

} // namespace veltrix
