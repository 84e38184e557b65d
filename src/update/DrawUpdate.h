#pragma once
// Bringing the draw database up to date: download a game's draw file from the
// draw-data server into the draw folder, then import it.
//
// "更新全部" downloads all eight files (in its own order, each step shown in
// the title as "%d/8 正在下载 %s") before the first import starts, then imports
// them in catalogue order; a single game's button downloads and imports that
// game only. Every step puts the title back to what it found.

#include "common/AppFiles.h"
#include "db/LotteryCatalogue.h"
#include "update/DrawDownloader.h"
#include "update/DrawImport.h"
#include "update/UpdatePorts.h"

#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

// The server compiled into the program (a build setting).
std::string BuiltInDrawServer();

struct DrawServerChoice {
    std::string base;    // scheme and host, no trailing slash
    std::string warning; // set when a configured value was unusable and ignored
};

// The server to use, given the value of [OPTION] DrawServer (empty when
// absent): an "http://" or "https://" address overrides the built-in one
// (trailing slashes dropped); anything else is ignored with a warning.
DrawServerChoice ChooseDrawServer(std::string_view configured);

// Reads [OPTION] DrawServer from the settings file and chooses.
DrawServerChoice DrawServerFromSettings(const std::string& settingsPath);

// The game's address on the server: the base and "/getData/<file>".
std::string DrawFileUrl(std::string_view serverBase, const LotteryInfo& game);

// The local file for a draw file name: the folder and the name in lower case,
// so the download's "dlt.TXT" and the import's "dlt.txt" are one file.
std::string DrawFilePath(std::string_view folder, std::string_view fileName);

// Shows "正在下载 <url>" while the transfer runs, then puts the title back.
// Makes the folder of `localPath` when it is missing.
DownloadResult DownloadDrawFileWithTitle(const std::string& url, const std::string& localPath,
                                         DrawDownloader& downloader, TitleProgress& progress);

// Imports the game's file from the folder.
ImportSummary ImportGameDrawFile(LotteryKind kind, std::string_view folder, SqlRunner& runner,
                                 TitleProgress& progress);

struct DrawUpdateContext {
    DrawDownloader& downloader;
    SqlRunner& runner;
    std::string serverBase;
    std::string folder = std::string(kDrawFolder);
};

struct GameUpdateReport {
    LotteryKind kind;
    DownloadResult download;
    ImportSummary import;
    bool Succeeded() const { return download.ok && import.Succeeded(); }
};

// One game's button: download, then import.
GameUpdateReport UpdateGameDraws(LotteryKind kind, DrawUpdateContext& context,
                                 TitleProgress& progress);

// "更新全部". The reports come in catalogue order.
std::vector<GameUpdateReport> UpdateAllGameDraws(DrawUpdateContext& context, UpdateAllHost& host);

} // namespace veltrix
