#pragma once
// A feed's answer must agree with the draws already stored for the issues
// both hold: a feed that disagrees with the table is wrong or describes
// another game, and nothing of it is imported.
//
// The check looks at the newest repeated draws only (kAgreementWindow of
// them). That is where a feed that changed its numbering or layout shows it,
// and it keeps a whole-history answer from being judged by decades-old dates
// that other sources have since corrected.

#include "update/feeds/FeedDraw.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

inline constexpr size_t kAgreementWindow = 100;

// The draws of the answer whose issue is not newer than the newest stored
// one, newest first, at most kAgreementWindow.
std::vector<FeedDraw> RepeatedDraws(std::span<const FeedDraw> answer, int newestStoredIssue);

// The statement reading the stored draws with issues low..high: QS, RQ and
// the drawn numbers (no 3d test numbers, no dlt text column).
std::string StoredDrawsQuery(LotteryKind kind, std::string_view lowIssue,
                             std::string_view highIssue);

// Compares the repeated draws with the statement's result text (one row per
// line, fields separated by blanks). A draw the table lacks is no
// disagreement; one with another date or other numbers is. Returns the first
// disagreement as text, or empty.
std::string FindDisagreement(LotteryKind kind, std::span<const FeedDraw> repeated,
                             std::string_view storedRows);

} // namespace veltrix
