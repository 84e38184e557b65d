#pragma once
// Where the feeds are asked, from [OPTION] of Veltrix.ini: FeedCwl=,
// FeedSporttery= and Feed500= hold a feed's base address (scheme, host and
// port, for a mirror or a test server) or "off"; an empty or missing key
// means the feed's own address. A set DrawServer= means the draw server
// alone: no feed is asked then.

#include "update/feeds/FeedCatalogue.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

struct FeedSettings {
    std::array<std::string, kFeedCount> bases; // empty: the feed is off
    std::vector<std::string> warnings;         // values that were unusable and ignored

    const std::string& Base(FeedKind feed) const { return bases[static_cast<size_t>(feed)]; }
};

// From the three values as the settings file holds them (empty when absent).
FeedSettings ChooseFeedSettings(const std::array<std::string, kFeedCount>& configured);

FeedSettings FeedSettingsFromFile(const std::string& settingsPath);

// Whether [OPTION] DrawServer holds a value, which means updates come from
// the draw server and not from the feeds.
bool DrawServerConfigured(const std::string& settingsPath);

} // namespace veltrix
