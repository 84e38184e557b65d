#include "analysis/NumberCount.h"

#include "common/Strings.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace veltrix {
namespace {

constexpr int kHighestNumber = 35;

} // namespace

std::string NumberCountText(std::string_view resultText) {
    if (resultText.empty())
        return {};

    std::array<int, kHighestNumber + 1> counts{};
    const size_t length = resultText.size();
    size_t i = 0;
    while (i + 1 < length) {
        char first = resultText[i];
        char second = resultText[i + 1];
        if (IsAsciiDigit(first) && IsAsciiDigit(second)) {
            // The pair is used up whether or not it names a number in range:
            // "2013" gives 20 and 13, never 01.
            int number = (first - '0') * 10 + (second - '0');
            if (number >= 1 && number <= kHighestNumber)
                ++counts[static_cast<size_t>(number)];
            i += 2;
        } else {
            ++i;
        }
    }

    std::array<int, kHighestNumber> order;
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&counts](int a, int b) {
        return counts[static_cast<size_t>(a)] > counts[static_cast<size_t>(b)];
    });

    std::string out;
    out.reserve(kHighestNumber * 12);
    for (size_t k = 0; k < order.size(); ++k) {
        int count = counts[static_cast<size_t>(order[k])];
        if (k > 0 && count != counts[static_cast<size_t>(order[k - 1])])
            out += "\r\n";
        AppendInt(out, order[k], 2, true);
        out += " = ";
        AppendInt(out, count);
        out += "\r\n";
    }
    return out;
}

} // namespace veltrix
