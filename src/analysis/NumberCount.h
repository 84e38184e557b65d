#pragma once
// "统计个数": how often each of the numbers 01 to 35 (the dlt front range)
// occurs in the result text, most frequent first.

#include <string>
#include <string_view>

namespace veltrix {

// The count list that replaces the result text: 35 lines "%02d = %d\r\n",
// largest count first, equal counts in number order, one empty line between
// groups of different count. Every pair of adjacent digits anywhere in the
// text counts, taken from the left without overlap. The empty text stays
// empty (the window then changes nothing).
std::string NumberCountText(std::string_view resultText);

} // namespace veltrix
