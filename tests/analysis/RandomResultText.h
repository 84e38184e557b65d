#pragma once
// Random result texts for the property tests: mostly rows of two-digit
// numbers from a narrow range (so numbers repeat often), mixed with the lines
// that trip up the reports: empty and short lines, rows missing fields, one-
// digit numbers written with a leading blank, lone CR and LF bytes, junk.

#include <random>
#include <string>

namespace veltrix::test {

inline std::string RandomRow(std::mt19937& random, int fields, int highest) {
    std::uniform_int_distribution<int> number(1, highest);
    std::uniform_int_distribution<int> percent(0, 99);
    std::string row;
    for (int j = 0; j < fields; ++j) {
        if (j > 0)
            row += ' ';
        int value = number(random);
        if (percent(random) < 10)
            row += ' ';
        else
            row += static_cast<char>('0' + value / 10);
        row += static_cast<char>('0' + value % 10);
    }
    return row;
}

inline std::string RandomJunkLine(std::mt19937& random) {
    static const char kAlphabet[] = {'0', '1', '2', ' ', ' ', 'x', '\r', '\n', '3'};
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<size_t> pick(0, sizeof kAlphabet - 1);
    std::string line;
    for (int i = length(random); i > 0; --i)
        line += kAlphabet[pick(random)];
    return line;
}

// lineCount lines joined by CR LF, with or without a final CR LF.
inline std::string RandomResultText(std::mt19937& random, int lineCount, int fields, int highest) {
    std::uniform_int_distribution<int> percent(0, 99);
    std::string text;
    for (int i = 0; i < lineCount; ++i) {
        int kind = percent(random);
        std::string line;
        if (kind < 70) {
            line = RandomRow(random, fields, highest);
        } else if (kind < 80) {
            std::uniform_int_distribution<int> fewer(0, fields);
            line = RandomRow(random, fields, highest)
                       .substr(0, static_cast<size_t>(fewer(random)) * 3);
        } else if (kind < 85) {
            line = "";
        } else if (kind < 90) {
            line = RandomRow(random, fields + 2, highest);
        } else {
            line = RandomJunkLine(random);
        }
        text += line;
        if (i + 1 < lineCount || percent(random) < 70)
            text += "\r\n";
    }
    return text;
}

} // namespace veltrix::test
