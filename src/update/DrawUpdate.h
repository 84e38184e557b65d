#pragma once
// Bringing the draw database up to date: fetch a game's draw file from the
// draw source into the draw folder, then import it.
//
// "更新全部" downloads all eight files (in its own order, each step shown in
// the title as "%d/8 正在下载 %s") before the first import starts, then imports
// them in catalogue order; a single game's button downloads and imports that
// game only. Every step puts the title back to what it found. The steps
// themselves (DrawUpdateSteps) are the caller's: the window routes them
// through its own download and import, the command-line tool and the tests
// run them straight (DirectUpdateSteps).

#include "db/LotteryCatalogue.h"
#include "update/DrawImport.h"
#include "update/DrawSource.h"
#include "update/UpdatePorts.h"

#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

// Where draw files are kept, beside the database.
inline constexpr std::string_view kDrawFolder = "./draws";
inline constexpr std::string_view kSettingsPath = "./Veltrix.ini";

// The name a file is fetched under before it is checked and put in place.
// The import never opens such a name.
std::string PartFilePath(const std::string& localPath);

// The local file for a draw file name: the folder and the name in lower case,
// so the download's "dlt.TXT" and the import's "dlt.txt" are one file.
std::string DrawFilePath(std::string_view folder, std::string_view fileName);

// The file the import opens: DrawFilePath when it exists, else a file of the
// folder whose name differs from it only in case ("p3.TXT" put there by
// hand), else DrawFilePath.
std::string FindDrawFile(std::string_view folder, std::string_view fileName);

// Fetches the game's file from the source into the part file, checks that it
// holds a draw line (else "not a draw file") and puts it in place of
// `localPath`; on any failure the previous file stays and no part file is
// left. Makes the folder when it is missing. Touches no title: the window
// runs it on a worker thread.
DownloadResult FetchDrawFile(DrawSource& source, const LotteryInfo& game,
                             const std::string& localPath, const StopFlag* stop);

// FetchDrawFile with "正在下载 <address>" in the title while it runs.
DownloadResult FetchDrawFileWithTitle(DrawSource& source, const LotteryInfo& game,
                                      const std::string& localPath, TitleProgress& progress,
                                      const StopFlag* stop = nullptr);

// Imports the game's file from the folder.
ImportSummary ImportGameDrawFile(LotteryKind kind, std::string_view folder, SqlRunner& runner,
                                 TitleProgress& progress, const StopFlag* stop = nullptr);

struct GameUpdateReport {
    LotteryKind kind;
    DownloadResult download;
    ImportSummary import;
    bool Succeeded() const { return download.ok && import.Succeeded(); }
};

// The two steps of one game's update.
class DrawUpdateSteps {
public:
    virtual ~DrawUpdateSteps() = default;
    virtual DownloadResult DownloadDrawFile(LotteryKind kind) = 0;
    virtual ImportSummary ImportDrawFile(LotteryKind kind) = 0;
    // True once the user asked to stop: no further step starts.
    virtual bool StopRequested() const { return false; }
};

struct DrawUpdateContext {
    DrawSource& source;
    SqlRunner& runner;
    std::string folder = std::string(kDrawFolder);
    const StopFlag* stop = nullptr;
};

// The steps straight on a context, on the calling thread.
class DirectUpdateSteps : public DrawUpdateSteps {
public:
    DirectUpdateSteps(DrawUpdateContext& context, TitleProgress& progress)
        : m_context(context), m_progress(progress) {}
    DownloadResult DownloadDrawFile(LotteryKind kind) override;
    ImportSummary ImportDrawFile(LotteryKind kind) override;
    bool StopRequested() const override { return veltrix::StopRequested(m_context.stop); }

private:
    DrawUpdateContext& m_context;
    TitleProgress& m_progress;
};

// One game's button: download, then import.
GameUpdateReport UpdateGameDraws(LotteryKind kind, DrawUpdateSteps& steps);
GameUpdateReport UpdateGameDraws(LotteryKind kind, DrawUpdateContext& context,
                                 TitleProgress& progress);

// "更新全部". The reports come in catalogue order; after a stop, the games
// not reached report a download "stopped" and no import.
std::vector<GameUpdateReport> UpdateAllGameDraws(DrawUpdateSteps& steps, UpdateAllHost& host);
std::vector<GameUpdateReport> UpdateAllGameDraws(DrawUpdateContext& context, UpdateAllHost& host);

// What went wrong in an update, one line per game and problem (failed
// downloads with the same reason share a line); empty when every download
// worked and every import went cleanly, new draws or not.
std::string DescribeUpdateProblems(const std::vector<GameUpdateReport>& reports);

} // namespace veltrix
