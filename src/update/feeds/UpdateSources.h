#pragma once
// Where each game's draws last came from and when, kept beside the draw files
// in "./draws/sources.ini" under [Sources] as
// "<code>=<YYYY-MM-DD HH:MM:SS>|<source>", so that the user (and `veltrix-cli
// sources`) can see which feed or server stands behind the stored draws. The
// settings file is the user's and is left alone.

#include "common/IniFile.h"
#include "db/LotteryCatalogue.h"
#include "update/UpdatePorts.h"

#include <ctime>
#include <string>
#include <string_view>

namespace veltrix {

inline constexpr std::string_view kSourcesSection = "Sources";
inline constexpr std::string_view kSourcesFileName = "sources.ini"; // in the draw folder

struct UpdateSourceRecord {
    std::string time;   // local time of the update, empty when none is known
    std::string source; // "cwl.gov.cn draw notices (https://www.cwl.gov.cn)"
};

// The value kept for one update; a '|' or line break in the source is
// replaced, so the value reads back as written.
std::string UpdateSourceValue(std::string_view source, std::time_t when);
UpdateSourceRecord ParseUpdateSourceValue(std::string_view value);

bool RecordUpdateSource(const std::string& sourcesPath, LotteryKind game, std::string_view source,
                        std::time_t when);

// One line per game in catalogue order, fields separated by tabs: the code,
// the source of its last update, that update's time, the newest stored issue
// and its date ("-" for what is not known).
std::string DescribeSources(const ProfileData& sources, SqlRunner& runner);

} // namespace veltrix
