#pragma once
// The eight games: their tables, names, files and the statements the program
// issues for them. Everything here is constant; games that are treated alike
// (download, import, bulletin) look their differences up here.

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace veltrix {

enum class LotteryKind { Dlt, Ssq, P5, P3, ThreeD, T22x5, SevenXc, SevenLc };

inline constexpr int kLotteryCount = 8;

struct LotteryInfo {
    LotteryKind kind;
    std::string_view code;          // table name and file stem, lower case: "dlt", "3d"
    std::string_view tag;           // code in upper case, looked for in command texts
    std::string_view updateName;    // in front of "正在更新数据库 %d"
    std::string_view bulletinLabel; // first cell of the bulletin row
    int buttonId;                   // update button control id
    std::string_view buttonCaption;
    std::string_view serverPath;     // "/getData/dlt.TXT"
    std::string_view savedFileName;  // what the download stores: "dlt.TXT"
    std::string_view openedFileName; // what the import opens: "dlt.txt"
    std::string_view columns;        // the inserted columns, as the INSERT lists them
    int minTokenCount;               // fields a draw-file line must carry
    std::string_view newestIssueQuery;
    std::string_view insertFormat;   // printf format, %s per field
    std::string_view progressFormat; // printf format with %d for the running count
};

const LotteryInfo& Lottery(LotteryKind kind);
std::span<const LotteryInfo, kLotteryCount> AllLotteries(); // catalogue order

// Looks a game up by its code, without regard to case ("DLT", "3d").
std::optional<LotteryKind> FindLotteryByCode(std::string_view code);

// Whether a command text names the game: its tag anywhere in the text, in
// any letter case ("select * from Ssq" names SSQ). The chart's layout and
// the analyses' reports follow the games a command names.
bool CommandNamesGame(std::string_view commandText, LotteryKind kind);

// The orders in which the program's lists visit the games.
inline constexpr std::array<LotteryKind, kLotteryCount> kCatalogueOrder = {
    LotteryKind::Dlt,    LotteryKind::Ssq,   LotteryKind::P5,      LotteryKind::P3,
    LotteryKind::ThreeD, LotteryKind::T22x5, LotteryKind::SevenXc, LotteryKind::SevenLc};
inline constexpr std::array<LotteryKind, kLotteryCount> kDownloadOrder = {
    LotteryKind::Dlt, LotteryKind::SevenXc, LotteryKind::T22x5,   LotteryKind::P3,
    LotteryKind::P5,  LotteryKind::Ssq,     LotteryKind::SevenLc, LotteryKind::ThreeD};
inline constexpr std::array<LotteryKind, kLotteryCount> kBulletinOrder = {
    LotteryKind::Dlt,   LotteryKind::P5,  LotteryKind::P3,     LotteryKind::SevenXc,
    LotteryKind::T22x5, LotteryKind::Ssq, LotteryKind::ThreeD, LotteryKind::SevenLc};
// Update buttons 1013 .. 1020 in control-id order.
inline constexpr std::array<LotteryKind, kLotteryCount> kButtonOrder = {
    LotteryKind::Dlt, LotteryKind::Ssq,   LotteryKind::ThreeD,  LotteryKind::P3,
    LotteryKind::P5,  LotteryKind::T22x5, LotteryKind::SevenXc, LotteryKind::SevenLc};

} // namespace veltrix
