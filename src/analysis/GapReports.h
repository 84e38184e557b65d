#pragma once
// The first reports of "分   析": the gap report (how much each number
// differs from the one in the same field of the row above) and the 1-2-3
// report (how many rows further up each number last occurred in its zone).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

struct GapReportTexts {
    std::string gap;         // "./Analyse_gap.txt", "\n" line ends
    std::string oneTwoThree; // "./Analyse_123.txt", "\n" line ends
};

// Both reports from the result box's text for rows of fieldsPerRow fields
// (7, or 3 for 3d rows); the command text decides the zones. Nothing when the
// box has one line or none worth comparing (one line, empty or not).
std::optional<GapReportTexts> GapReports(std::string_view boxText, int fieldsPerRow,
                                         std::string_view commandText);

// Number of trailing fields that form the back zone: 2 for a dlt command, 1
// for an ssq command (ssq wins when both tags occur), else 0.
int BackZoneFieldCount(std::string_view commandText);

// The two reports over lines already cut to 3 * fieldsPerRow - 1 bytes.
std::string GapReportText(const std::vector<std::string_view>& lines, int fieldsPerRow);
// frontFields: fields 0 .. frontFields-1 form the front zone, the rest the back
// zone. A line of three bytes or fewer gets no report line but still counts
// as a row above the others (with its missing fields as empty texts).
std::string OneTwoThreeReportText(const std::vector<std::string_view>& lines, int fieldsPerRow,
                                  int frontFields);

} // namespace veltrix
