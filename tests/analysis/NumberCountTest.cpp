// One worked list; how digit pairs are taken from any text is checked
// against a literal reading of the rule by number_count_fuzz over its corpus
// in every test run.
#include "analysis/NumberCount.h"
#include "common/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace veltrix {
namespace {

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
    // Equal counts stay in number order; counts above 9 are written in full.
    EXPECT_EQ(NumberCountText("35 02 35 02 10 05 05 05 05 05 05 05 05 05 05 05"),
              "05 = 11\r\n\r\n02 = 2\r\n35 = 2\r\n\r\n10 = 1\r\n\r\n" +
                  CountLines(0, {2, 5, 10, 35}));
    EXPECT_EQ(NumberCountText(""), "");
}

} // namespace
} // namespace veltrix
