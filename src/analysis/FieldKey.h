#pragma once
// Texts of at most two bytes (row fields, parts of rows) as small integers,
// so the reports can keep a flat table over every possible one.

#include <cstddef>
#include <string_view>

namespace veltrix {

// The empty text, 256 one-byte texts, 65536 two-byte texts.
inline constexpr size_t kFieldKeyCount = 1 + 256 + 256 * 256;

// Distinct texts of at most two bytes get distinct keys below kFieldKeyCount;
// longer texts are read by their first two bytes.
inline size_t FieldKey(std::string_view text) {
    if (text.empty())
        return 0;
    size_t first = static_cast<unsigned char>(text[0]);
    if (text.size() == 1)
        return 1 + first;
    return 257 + first * 256 + static_cast<unsigned char>(text[1]);
}

} // namespace veltrix
