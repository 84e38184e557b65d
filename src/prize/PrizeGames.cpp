#include "prize/PrizeGames.h"

#include <array>

namespace veltrix::prize {
namespace {

constexpr ZoneShape kDltZones[] = {{"前区", 1, 35, 5, 4}, {"后区", 1, 12, 2, 1}};
constexpr ZoneShape kSsqZones[] = {{"红球", 1, 33, 6, 5}, {"蓝球", 1, 16, 1, 0}};
constexpr ZoneShape kSevenLcZones[] = {{"号码", 1, 30, 7, 6}};
constexpr ZoneShape kT22x5Zones[] = {{"号码", 1, 22, 5, 4}};
constexpr ZoneShape kDigitPositions[] = {{"第1位", 0, 9, 1, 0},
                                         {"第2位", 0, 9, 1, 0},
                                         {"第3位", 0, 9, 1, 0},
                                         {"第4位", 0, 9, 1, 0},
                                         {"第5位", 0, 9, 1, 0}};
// Since 2020 the seventh number of 七星彩 runs to 14; older draws hold a
// digit there, which a ticket's 10..14 simply never matches.
constexpr ZoneShape kSevenXcPositions[] = {
    {"第1位", 0, 9, 1, 0}, {"第2位", 0, 9, 1, 0}, {"第3位", 0, 9, 1, 0}, {"第4位", 0, 9, 1, 0},
    {"第5位", 0, 9, 1, 0}, {"第6位", 0, 9, 1, 0}, {"第7位", 0, 14, 1, 0}};

const std::array<GameShape, kLotteryCount> kGames = {{
    {LotteryKind::Dlt, "dlt", "超级大乐透", false, kDltZones, 1, false, true, 5, 2},
    {LotteryKind::Ssq, "ssq", "双色球", false, kSsqZones, 1, false, false, 6, 1},
    {LotteryKind::P5, "p5", "排列五", true, kDigitPositions, 5, false, false, 5, 0},
    {LotteryKind::P3, "p3", "排列三", true, std::span(kDigitPositions).first(3), 3, true, false, 3,
     0},
    {LotteryKind::ThreeD, "3d", "福彩3D", true, std::span(kDigitPositions).first(3), 3, true, false,
     3, 0},
    {LotteryKind::T22x5, "t22x5", "22选5", false, kT22x5Zones, 1, false, false, 5, 0},
    {LotteryKind::SevenXc, "7xc", "七星彩", true, kSevenXcPositions, 6, false, false, 7, 0},
    {LotteryKind::SevenLc, "7lc", "七乐彩", false, kSevenLcZones, 1, false, false, 7, 1},
}};

} // namespace

const GameShape& Game(LotteryKind kind) {
    return kGames[static_cast<size_t>(kind)];
}

std::span<const GameShape> AllGames() {
    return kGames;
}

std::string_view PlayCode(Play play) {
    switch (play) {
    case Play::Group3:
        return "group3";
    case Play::Group6:
        return "group6";
    case Play::Direct:
        break;
    }
    return "direct";
}

std::string_view PlayTitle(Play play) {
    switch (play) {
    case Play::Group3:
        return "组选三";
    case Play::Group6:
        return "组选六";
    case Play::Direct:
        break;
    }
    return "直选";
}

} // namespace veltrix::prize
