#pragma once
// What a ticket of each game looks like: its zones (or positions), their
// number ranges, how many numbers a single bet takes from each and how many
// bankers a zone may hold, and the plays the game offers. These are facts of
// the games themselves; what a draw pays lives in the rules file.

#include "db/LotteryCatalogue.h"

#include <span>
#include <string_view>

namespace veltrix::prize {

enum class Play { Direct, Group3, Group6 };

// A zone of a pool game (a bet takes `pick` numbers from low..high) or one
// position of a positional game (pick 1, no bankers).
struct ZoneShape {
    std::string_view name; // in messages: "前区", "第3位"
    int low;
    int high;
    int pick;
    int maxBankers; // 0: the zone takes no bankers
};

struct GameShape {
    LotteryKind kind;
    std::string_view code;  // "dlt"
    std::string_view title; // "超级大乐透"
    bool positional;        // one group of digits per position
    std::span<const ZoneShape> zones;
    int zonesBeforePlus; // zones before the "+"; all of them when there is no "+"
    bool hasGroupPlays;  // 组选三 and 组选六 (3d, p3)
    bool hasPlus;        // 追加 (dlt)
    int mainCount;       // H columns of the draw table
    int extraCount;      // L columns of the draw table
};

const GameShape& Game(LotteryKind kind);
std::span<const GameShape> AllGames(); // catalogue order

std::string_view PlayCode(Play play);  // "direct", "group3", "group6"
std::string_view PlayTitle(Play play); // "直选", "组选三", "组选六"

} // namespace veltrix::prize
