#pragma once
// Text encodings met in files written on Windows, and the display width of a
// text in the program's fonts (CJK and box-drawing characters take two columns).

#include <optional>
#include <string>
#include <string_view>

namespace veltrix {

bool IsValidUtf8(std::string_view bytes);

// Decodes GBK (code page 936) bytes to UTF-8; undecodable bytes become U+FFFD.
std::string GbkToUtf8(std::string_view bytes);

// UTF-8 text stays as it is; anything else is taken as GBK.
std::string DecodeLocalText(std::string_view bytes);

// Encodes UTF-8 text as GBK, for writing into a settings file that is GBK.
// Nothing when the text is not valid UTF-8 or holds a character GBK lacks.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

struct DecodedUtf8 {
    char32_t codePoint;
    size_t length; // bytes of the sequence, 1 to 4
};

// Decodes one UTF-8 sequence at `pos`; nothing for a byte that does not start
// a valid sequence (overlong forms, surrogates and values above U+10FFFF are
// not valid).
std::optional<DecodedUtf8> DecodeUtf8At(std::string_view bytes, size_t pos);

// Appends the UTF-8 form of a code point (up to U+10FFFF).
void AppendUtf8(std::string& out, char32_t codePoint);

// Columns the UTF-8 text takes when CJK, full-width and box-drawing characters
// count two and every other character one.
int DisplayColumns(std::string_view utf8);

} // namespace veltrix
