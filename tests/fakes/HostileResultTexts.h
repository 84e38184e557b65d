#pragma once
// Result-box texts no query gives but a user can type, paste or load: the
// empty text, one character, a megabyte of digits without a line end, lines
// of 100,000 characters, nothing but line ends, bytes that are not UTF-8,
// NUL bytes. The chart and every analysis must take each of them without
// crashing and give an answer of their usual shape.

#include <string>
#include <vector>

namespace veltrix::test {

struct HostileResultText {
    const char* name;
    std::string text;
};

// A line of `length` characters: two-digit numbers and blanks, as rows look.
inline std::string LongRowLine(size_t length) {
    std::string line;
    for (int n = 0; line.size() < length; n = (n + 7) % 36) {
        line += static_cast<char>('0' + n / 10);
        line += static_cast<char>('0' + n % 10);
        line += ' ';
    }
    line.resize(length);
    return line;
}

inline std::string RepeatedLines(const std::string& line, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += line + "\r\n";
    return text;
}

inline std::vector<HostileResultText> HostileResultTexts() {
    constexpr size_t kMegabyte = 1024 * 1024;
    std::string digits(kMegabyte, '0');
    for (size_t i = 0; i < digits.size(); ++i)
        digits[i] = static_cast<char>('0' + i % 10);
    std::string notUtf8;
    for (int i = 0; i < 4000; ++i)
        notUtf8 += static_cast<char>(0x80 + i % 128);
    static const char kWithNul[] = "01 02\0 03 04 05 06 07\r\n\0\0\0\0\0\0\0\0\0\0\r\n";
    std::string withNul(kWithNul, sizeof kWithNul - 1);
    return {
        {"empty", ""},
        {"one_character", "7"},
        {"one_line_end", "\r\n"},
        {"megabyte_of_digits", digits},
        {"megabyte_of_digits_in_rows", RepeatedLines("01 02 03 04 05 06 07 08 09 10 11 12", 30000)},
        {"lines_of_100000_characters", RepeatedLines(LongRowLine(100000), 12)},
        {"long_line_among_rows", RepeatedLines("05 11 17 23 29 06 12", 40) + LongRowLine(100000) +
                                     "\r\n" + RepeatedLines("01 02 03 04 05 06 07", 40)},
        {"only_line_ends", RepeatedLines("", 100000)},
        {"lone_carriage_returns", std::string(100000, '\r')},
        {"lone_line_feeds", std::string(100000, '\n')},
        {"blanks_only", RepeatedLines(std::string(300, ' '), 100)},
        {"not_utf8", RepeatedLines(notUtf8, 10)},
        {"nul_bytes", RepeatedLines(withNul, 50)},
    };
}

} // namespace veltrix::test
