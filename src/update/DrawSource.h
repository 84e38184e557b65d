#pragma once
// Where an update gets each game's draw file. The update flow asks the
// source for one game's whole file at a time, checks that what came is a
// draw file and only then puts it in place of the previous one; the source
// itself knows nothing of titles, imports or the database.
//
// The draw-data server is one source (ServerDrawSource); others (public
// feeds) plug in here. MakeDrawSource is the one place that chooses.

#include "db/LotteryCatalogue.h"
#include "update/DrawDownloader.h"
#include "update/UpdatePorts.h"

#include <memory>
#include <string>
#include <string_view>

namespace veltrix {

class DrawSource {
public:
    virtual ~DrawSource() = default;
    // Where the game's file comes from, for the title while it is fetched
    // ("正在下载 <address>") and for reports.
    virtual std::string Address(const LotteryInfo& game) const = 0;
    // Writes the game's whole file to `path`, or fails and leaves nothing
    // there. May run on a worker thread; `stop` set asks it to give up soon.
    virtual DownloadResult Fetch(const LotteryInfo& game, const std::string& path,
                                 const StopFlag* stop) = 0;
};

struct DrawServerChoice {
    std::string base;          // scheme and host, no trailing slash
    std::string warning;       // set when a configured value was unusable and ignored
    bool fromSettings = false; // base is the settings file's [OPTION] DrawServer
};

// The server compiled into the program (a build setting).
std::string BuiltInDrawServer();

// The server to use, given the value of [OPTION] DrawServer (empty when
// absent): an "http://" or "https://" address overrides the built-in one
// (trailing slashes dropped); anything else is ignored with a warning.
DrawServerChoice ChooseDrawServer(std::string_view configured);

// Reads [OPTION] DrawServer from the settings file and chooses.
DrawServerChoice DrawServerFromSettings(const std::string& settingsPath);

// The game's address on the server: the base and "/getData/<file>".
std::string DrawFileUrl(std::string_view serverBase, const LotteryInfo& game);

// The draw-data server: "/getData/<file>" of one host. A server that cannot
// be reached is named in the error, with the setting that chooses it.
class ServerDrawSource : public DrawSource {
public:
    ServerDrawSource(DrawDownloader& downloader, DrawServerChoice server)
        : m_downloader(downloader), m_server(std::move(server)) {}
    std::string Address(const LotteryInfo& game) const override;
    DownloadResult Fetch(const LotteryInfo& game, const std::string& path,
                         const StopFlag* stop) override;
    const DrawServerChoice& Server() const { return m_server; }

private:
    DrawDownloader& m_downloader;
    DrawServerChoice m_server;
};

// A source made from the settings file, and what it passed over there.
struct ChosenDrawSource {
    std::unique_ptr<DrawSource> source; // never null
    std::string warning;                // unusable settings, one a line; empty when none
};

// The source the settings file chooses, over `downloader`.
ChosenDrawSource MakeDrawSource(const std::string& settingsPath, DrawDownloader& downloader);

} // namespace veltrix
