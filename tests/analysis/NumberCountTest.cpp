#include "analysis/NumberCount.h"
#include "common/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace veltrix {
namespace {

// The numbers of a count list whose count is not 0; `listed` is how many
// numbers it lists.
std::map<int, int> NonZeroCounts(const std::string& list, size_t* listed) {
    std::map<int, int> counts;
    std::istringstream in(list);
    *listed = 0;
    for (std::string line; std::getline(in, line);) {
        int number = 0;
        int count = 0;
        if (std::sscanf(line.c_str(), "%d = %d", &number, &count) != 2)
            continue;
        ++*listed;
        if (count != 0)
            counts[number] = count;
    }
    return counts;
}

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// "NN = count" lines of every number from 1 to 35 but those given.
std::string CountLines(int count, std::initializer_list<int> except = {}) {
    std::string lines;
    for (int number = 1; number <= 35; ++number) {
        if (std::find(except.begin(), except.end(), number) == except.end())
            lines += StrFormat("%02d = %d\r\n", number, count);
    }
    return lines;
}

TEST(NumberCountTest, MostFrequentFirstWithEmptyLineBetweenGroups) {
    EXPECT_EQ(NumberCountText(Repeat("07 ", 12) + Repeat("19 33 ", 11) + "01\r\n"),
              "07 = 12\r\n\r\n19 = 11\r\n33 = 11\r\n\r\n01 = 1\r\n\r\n" +
                  CountLines(0, {1, 7, 19, 33}));
    // Equal counts stay in number order; counts above 9 are written in full.
    EXPECT_EQ(NumberCountText("35 02 35 02 10"),
              "02 = 2\r\n35 = 2\r\n\r\n10 = 1\r\n\r\n" + CountLines(0, {2, 10, 35}));
    EXPECT_EQ(NumberCountText(Repeat("05", 1234)), "05 = 1234\r\n\r\n" + CountLines(0, {5}));
    EXPECT_EQ(NumberCountText(""), "");
}

TEST(NumberCountTest, DigitPairsAreTakenFromTheLeftWithoutOverlap) {
    struct Case {
        const char* name;
        std::string text;
        std::map<int, int> counts;
    };
    const Case cases[] = {
        {"year_gives_two_numbers", "2013", {{20, 1}, {13, 1}}},
        {"odd_run_leaves_last_digit", "13035", {{13, 1}, {3, 1}}},
        {"zero_and_above_35_use_up_their_digits", "00 36 99 0512", {{5, 1}, {12, 1}}},
        {"single_digits_between_blanks_never_count", " 3  4  5 \r\n", {}},
        {"non_ascii_bytes_are_not_digits",
         "\xe4\xb8\x80"
         "12",
         {{12, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        size_t listed = 0;
        EXPECT_EQ(NonZeroCounts(NumberCountText(c.text), &listed), c.counts);
        EXPECT_EQ(listed, 35u) << "every number is always listed";
    }
}

} // namespace
} // namespace veltrix
