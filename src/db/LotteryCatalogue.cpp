#include "db/LotteryCatalogue.h"

#include "common/Strings.h"

namespace veltrix {
namespace {

// clang-format off
constexpr std::array<LotteryInfo, kLotteryCount> kCatalogue = {{
    {LotteryKind::Dlt, "dlt", "DLT", "大乐透", "│大乐透", 1013, "更新DLT",
     "/getData/dlt.TXT", "dlt.TXT", "dlt.txt", "QS,RQ,H1,H2,H3,H4,H5,L1,L2,T", 9,
     "select top 1 qs from dlt order by qs desc",
     "INSERT INTO dlt (QS,RQ,H1,H2,H3,H4,H5,L1,L2,T)VALUES ('%s','%s',%s,%s,%s,%s,%s,%s,%s,'')",
     "大乐透正在更新数据库 %d"},
    {LotteryKind::Ssq, "ssq", "SSQ", "双色球", "│双色球", 1014, "更新SSQ",
     "/getData/ssq.TXT", "ssq.TXT", "ssq.txt", "QS,RQ,H1,H2,H3,H4,H5,H6,L1", 9,
     "select top 1 qs from ssq order by qs desc",
     "INSERT INTO ssq (QS,RQ,H1,H2,H3,H4,H5,H6,L1)VALUES ('%s','%s',%s,%s,%s,%s,%s,%s,%s)",
     "双色球正在更新数据库 %d"},
    {LotteryKind::P5, "p5", "P5", "排列五", "│排列五", 1017, "更新排五",
     "/getData/p5.TXT", "p5.TXT", "p5.txt", "QS,RQ,H1,H2,H3,H4,H5", 7,
     "select top 1 qs from p5 order by qs desc",
     "INSERT INTO p5 (QS,RQ,H1,H2,H3,H4,H5)VALUES ('%s','%s',%s,%s,%s,%s,%s)",
     "排列五正在更新数据库 %d"},
    {LotteryKind::P3, "p3", "P3", "排列三", "│排列三", 1016, "更新排三",
     "/getData/p3.TXT", "p3.TXT", "p3.txt", "QS,RQ,H1,H2,H3", 5,
     "select top 1 qs from p3 order by qs desc",
     "INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('%s','%s',%s,%s,%s)",
     "排列三正在更新数据库 %d"},
    {LotteryKind::ThreeD, "3d", "3D", "3D", "│福彩3D", 1015, "更新3D",
     "/getData/3d.TXT", "3d.TXT", "3d.txt", "QS,RQ,H1,H2,H3,S1,S2,S3", 8,
     "select top 1 qs from 3d order by qs desc",
     "INSERT INTO 3d (QS,RQ,H1,H2,H3,S1,S2,S3)VALUES ('%s','%s',%s,%s,%s,%s,%s,%s)",
     "3D正在更新数据库 %d"},
    {LotteryKind::T22x5, "t22x5", "T22X5", "22选5", "│22选5 ", 1018, "更新22/5",
     "/getData/t22x5.TXT", "t22x5.TXT", "t22x5.txt", "QS,RQ,H1,H2,H3,H4,H5", 7,
     "select top 1 qs from t22x5 order by qs desc",
     "INSERT INTO t22x5 (QS,RQ,H1,H2,H3,H4,H5)VALUES ('%s','%s',%s,%s,%s,%s,%s)",
     "22选5正在更新数据库 %d"},
    {LotteryKind::SevenXc, "7xc", "7XC", "七星彩", "│七星彩", 1019, "更新七星",
     "/getData/7xc.TXT", "7xc.TXT", "7xc.txt", "QS,RQ,H1,H2,H3,H4,H5,H6,H7", 9,
     "select top 1 qs from 7xc order by qs desc",
     "INSERT INTO 7xc (QS,RQ,H1,H2,H3,H4,H5,H6,H7)VALUES ('%s','%s',%s,%s,%s,%s,%s,%s,%s)",
     "七星彩正在更新数据库 %d"},
    {LotteryKind::SevenLc, "7lc", "7LC", "七乐彩", "│七乐彩", 1020, "更新七乐",
     "/getData/7lc.TXT", "7lc.TXT", "7lc.txt", "QS,RQ,H1,H2,H3,H4,H5,H6,H7,L1", 10,
     "select top 1 qs from 7lc order by qs desc",
     "INSERT INTO 7lc (QS,RQ,H1,H2,H3,H4,H5,H6,H7,L1)VALUES ('%s','%s',%s,%s,%s,%s,%s,%s,%s,%s)",
     "七乐彩正在更新数据库 %d"},
}};
// clang-format on

} // namespace

const LotteryInfo& Lottery(LotteryKind kind) {
    return kCatalogue[static_cast<size_t>(kind)];
}

std::span<const LotteryInfo, kLotteryCount> AllLotteries() {
    return kCatalogue;
}

std::optional<LotteryKind> FindLotteryByCode(std::string_view code) {
    std::string lower = ToLowerAscii(code);
    for (const LotteryInfo& info : kCatalogue) {
        if (info.code == lower)
            return info.kind;
    }
    return std::nullopt;
}

bool CommandNamesGame(std::string_view commandText, LotteryKind kind) {
    const std::string_view tag = Lottery(kind).tag;
    if (tag.size() > commandText.size())
        return false;
    for (size_t at = 0; at + tag.size() <= commandText.size(); ++at) {
        if (EqualsIgnoringAsciiCase(commandText.substr(at, tag.size()), tag))
            return true;
    }
    return false;
}

} // namespace veltrix
