#pragma once
// "后区索引": numbers the unordered pairs of dlt back-zone numbers (1 to 12,
// 66 pairs) in the order (1,2), (1,3), ..., (1,12), (2,3), ..., (11,12).

#include <string>
#include <string_view>

namespace veltrix {

// Index 1 to 66 of the pair written in a five-character text such as "03 11"
// (first two and last two characters read as atoi does, the middle one
// ignored, either order); -1 when a number lies outside 1 to 12 or both are
// equal.
int BackZonePairIndex(std::string_view pairText);

// The text that replaces the result text: every line of exactly five
// characters (lines read as the box hands them out, at most 255 bytes),
// followed by a blank, its index as "%02d" and CR LF. Other lines are left out.
std::string BackZoneIndexText(std::string_view boxText);

} // namespace veltrix
