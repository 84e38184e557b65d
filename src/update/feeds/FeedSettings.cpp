#include "update/feeds/FeedSettings.h"

#include "common/IniFile.h"
#include "common/Strings.h"

namespace veltrix {

FeedSettings ChooseFeedSettings(const std::array<std::string, kFeedCount>& configured) {
    FeedSettings settings;
    for (size_t i = 0; i < kFeedCount; ++i) {
        const FeedInfo& feed = Feed(static_cast<FeedKind>(i));
        std::string value = configured[i];
        while (!value.empty() && value.back() == '/')
            value.pop_back();
        std::string lower = ToLowerAscii(value);
        if (lower == "off")
            continue;
        bool address = (lower.starts_with("http://") && lower.size() > 7) ||
                       (lower.starts_with("https://") && lower.size() > 8);
        if (!value.empty() && !address)
            settings.warnings.push_back(std::string("[OPTION] ") + std::string(feed.settingKey) +
                                        " \"" + configured[i] +
                                        "\" is neither an http:// or https:// address nor "
                                        "off; using " +
                                        std::string(feed.defaultBase));
        settings.bases[i] = address ? value : std::string(feed.defaultBase);
    }
    return settings;
}

FeedSettings FeedSettingsFromFile(const std::string& settingsPath) {
    std::array<std::string, kFeedCount> configured;
    for (size_t i = 0; i < kFeedCount; ++i)
        configured[i] = GetProfileString(
            "OPTION", std::string(Feed(static_cast<FeedKind>(i)).settingKey), "", settingsPath);
    return ChooseFeedSettings(configured);
}

bool DrawServerConfigured(const std::string& settingsPath) {
    return !GetProfileString("OPTION", "DrawServer", "", settingsPath).empty();
}

} // namespace veltrix
