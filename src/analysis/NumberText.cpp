#include "analysis/NumberText.h"

#include <charconv>

namespace veltrix {

void AppendNumber(std::string& out, int value, int width, bool zeroPad) {
    char digits[16];
    long long magnitude = value < 0 ? -static_cast<long long>(value) : value;
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, magnitude);
    int digitCount = static_cast<int>(end - digits);
    int length = digitCount + (value < 0 ? 1 : 0);
    int padding = width > length ? width - length : 0;
    if (!zeroPad)
        out.append(static_cast<size_t>(padding), ' ');
    if (value < 0)
        out += '-';
    if (zeroPad)
        out.append(static_cast<size_t>(padding), '0');
    out.append(digits, end);
}

} // namespace veltrix
