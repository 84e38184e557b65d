// The draw-data server as a draw source, and the choice of the source from
// the settings file. Kept apart from the update flow so that programs and
// tests which never read the settings file do not link the settings module.
#include "common/AppFiles.h"
#include "common/IniFile.h"
#include "common/Strings.h"
#include "update/DrawUpdate.h"
#include "update/feeds/FeedDrawSource.h"

#ifndef VELTRIX_DRAW_SERVER
#define VELTRIX_DRAW_SERVER "http://draws.veltrix.invalid"
#endif

namespace veltrix {

std::string BuiltInDrawServer() {
    return VELTRIX_DRAW_SERVER;
}

DrawServerChoice ChooseDrawServer(std::string_view configured) {
    DrawServerChoice choice{BuiltInDrawServer(), {}, false};
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
    choice.fromSettings = true;
    return choice;
}

DrawServerChoice DrawServerFromSettings(const std::string& settingsPath) {
    return ChooseDrawServer(GetProfileString("OPTION", "DrawServer", "", settingsPath));
}

std::string DrawFileUrl(std::string_view serverBase, const LotteryInfo& game) {
    return std::string(serverBase) + std::string(game.serverPath);
}

std::string ServerDrawSource::Address(const LotteryInfo& game) const {
    return DrawFileUrl(m_server.base, game);
}

DownloadResult ServerDrawSource::Fetch(const LotteryInfo& game, const std::string& path,
                                       const StopFlag* stop) {
    DownloadResult result = m_downloader.Download(Address(game), path, stop);
    if (result.unreachable) {
        result.error = "cannot reach the draw-data server " + m_server.base +
                       (m_server.fromSettings
                            ? " (chosen by [OPTION] DrawServer in " + std::string(kSettingsPath)
                            : " (built in; [OPTION] DrawServer in " + std::string(kSettingsPath) +
                                  " chooses another") +
                       "): " + result.error;
    }
    return result;
}

ChosenDrawSource MakeDrawSource(const std::string& settingsPath, DrawDownloader& downloader) {
    DrawServerChoice server = DrawServerFromSettings(settingsPath);
    // A draw server named in the settings is the one source; without one the
    // public draw-list feeds serve.
    if (!server.fromSettings && server.warning.empty())
        return MakeFeedDrawSource(settingsPath, kDatabasePath);
    std::string warning = server.warning;
    return {std::make_unique<ServerDrawSource>(downloader, std::move(server)), std::move(warning)};
}

} // namespace veltrix
