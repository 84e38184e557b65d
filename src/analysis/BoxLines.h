#pragma once
// The result box's lines as the reports read them. The window's edit box
// hands out one line at a time into a buffer of fixed size, so every report
// sees each line cut to its own maximum; rows are fields of two characters
// separated by one blank, so field j starts at byte 3j.

#include <cstddef>
#include <string_view>
#include <vector>

namespace veltrix {

// Lines of the box text (split at CR LF as the edit box counts them), each cut
// to at most maxBytes bytes. The views point into boxText.
std::vector<std::string_view> BoxLines(std::string_view boxText, size_t maxBytes);

// Field j of a row: bytes 3j and 3j+1 as far as the line reaches, so two
// bytes, one or none.
std::string_view RowField(std::string_view line, int j);

// The byte at pos, or NUL past the end: a line read into a cleared buffer.
inline char ByteAt(std::string_view line, size_t pos) {
    return pos < line.size() ? line[pos] : '\0';
}

} // namespace veltrix
