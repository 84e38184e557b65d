#pragma once
// Random result rows for the property tests: two-digit numbers from a
// narrow range (so numbers repeat often), now and then a one-digit number
// written with a leading blank.

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

} // namespace veltrix::test
