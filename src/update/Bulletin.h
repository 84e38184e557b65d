#pragma once
// "最后开奖": a small box-drawn table of today's date and the newest stored
// draw of every game. Each game's row comes from one Jet query that already
// formats it (run through the statement runner); the bulletin adds the frame
// and the labels. Laid out for a font in which box-drawing and Chinese
// characters take two columns: with well-formed draws every line is 48
// columns wide. An empty answer (no rows, or a failed query) leaves the
// label followed directly by the separator.

#include "db/LotteryCatalogue.h"
#include "update/UpdatePorts.h"

#include <array>
#include <ctime>
#include <string>
#include <string_view>

namespace veltrix {

struct BulletinDate {
    int year = 1970;
    int month = 1;
    int day = 1;
    int weekday = 4; // 0 = Sunday
};

// The local calendar date at `now` (the user's day, not UTC's).
BulletinDate LocalBulletinDate(std::time_t now);

// The frame's first five lines, dated.
std::string BulletinHeader(const BulletinDate& date);

// The whole bulletin from the runner's answers, given in row order
// (kBulletinOrder); each answer is a row text ended by "\r\n", or empty.
std::string BuildBulletin(const BulletinDate& date,
                          const std::array<std::string, kLotteryCount>& answers);

// Runs the eight queries in row order and builds the bulletin.
std::string RunBulletin(SqlRunner& runner, const BulletinDate& date);

} // namespace veltrix
