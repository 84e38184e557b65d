#pragma once
// Text encodings met in files written on Windows, and the display width of a
// text in the program's fonts (CJK and box-drawing characters take two columns).

#include <string>
#include <string_view>

namespace veltrix {

bool IsValidUtf8(std::string_view bytes);

// Decodes GBK (code page 936) bytes to UTF-8; undecodable bytes become U+FFFD.
std::string GbkToUtf8(std::string_view bytes);

// UTF-8 text stays as it is; anything else is taken as GBK.
std::string DecodeLocalText(std::string_view bytes);

// Columns the UTF-8 text takes when CJK, full-width and box-drawing characters
// count two and every other character one.
int DisplayColumns(std::string_view utf8);

} // namespace veltrix
