#pragma once
// Step-by-step transcriptions of the reports as they were first written:
// every row of the 1-2-3 and recurrence reports rescans the rows above it,
// every digit pair of the count list looks for its counter. They are slow
// (quadratic for the 1-2-3 report) and exist only to check the fast versions
// on random and hostile input.

#include "common/Strings.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veltrix::test {

inline std::string LiteralField(std::string_view line, int j) {
    size_t start = static_cast<size_t>(j) * 3;
    return start < line.size() ? std::string(line.substr(start, 2)) : std::string();
}

// The follow-up reports' sort as first written: each cell exchanged with
// every later one that is not smaller, which leaves them in descending order.
inline void ExchangeSortDescending(std::vector<std::string>& cells) {
    for (size_t i = 0; i + 1 < cells.size(); ++i) {
        for (size_t j = i; j < cells.size(); ++j) {
            if (cells[i] <= cells[j])
                std::swap(cells[i], cells[j]);
        }
    }
}

// lines: the box lines already cut to 3F-1 bytes; lines.size() is the line
// count n, and line n reads as empty.
inline std::string LiteralOneTwoThree(const std::vector<std::string_view>& lines, int fields,
                                      int frontFields) {
    const int n = static_cast<int>(lines.size());
    auto lineAt = [&](int index) {
        return index < n ? lines[static_cast<size_t>(index)] : std::string_view();
    };
    std::string report;
    for (int l = n; l >= 0; --l) {
        std::string_view a = lineAt(l);
        if (a.size() <= 3)
            continue;
        std::string line(a);
        line += " : ";
        for (int k = 0; k < fields; ++k) {
            std::string key = LiteralField(a, k);
            int d = 0;
            for (int m = l - 1; m >= 0; --m) {
                ++d;
                std::string_view above = lineAt(m);
                bool found = false;
                int first = k < frontFields ? 0 : frontFields;
                int end = k < frontFields ? frontFields : fields;
                for (int j = first; j < end && !found; ++j)
                    found = LiteralField(above, j) == key;
                if (found)
                    break;
            }
            AppendInt(line, d, 2, true);
            if (k + 1 < fields)
                line += ',';
        }
        line += '\n';
        report = line + report;
    }
    return report;
}

inline std::string LiteralRecurrence(std::string_view scratch) {
    std::vector<std::string> rows;
    size_t start = 0;
    while (start < scratch.size()) {
        size_t end = scratch.find('\n', start);
        end = end == std::string_view::npos ? scratch.size() : end + 1;
        std::string line(scratch.substr(start, end - start));
        if (line.size() >= 10)
            rows.push_back(line.substr(0, 14));
        start = end;
    }
    std::vector<std::string> output;
    const int count = static_cast<int>(rows.size());
    for (int i = count - 1; i >= 30; --i) {
        const std::string& row = rows[static_cast<size_t>(i)];
        int tally[5];
        for (int k = 0; k < 5; ++k) {
            std::string part = LiteralField(row, k);
            tally[k] = 0;
            for (int above = i - 1; above >= i - 30; --above) {
                if (rows[static_cast<size_t>(above)].find(part) != std::string::npos)
                    ++tally[k];
            }
        }
        for (int p = 0; p < 4; ++p) {
            for (int q = p + 1; q < 5; ++q) {
                if (tally[p] < tally[q])
                    std::swap(tally[p], tally[q]);
            }
        }
        std::string line;
        for (char c : row) {
            if (c != '\r' && c != '\n')
                line += c;
        }
        line += " [";
        AppendInt(line, tally[0], 2);
        for (int k = 1; k < 5; ++k)
            AppendInt(line, tally[k]);
        line += ']';
        output.push_back(line);
    }
    std::string report;
    for (auto it = output.rbegin(); it != output.rend(); ++it)
        report += *it + "\n";
    return report;
}

// The count list: pairs of adjacent digits from the left without overlap,
// 35 counters in number order, a stable exchange sort of 34 passes, a line
// per number and an empty line between groups of different count.
inline std::string LiteralNumberCount(std::string_view text) {
    if (text.empty())
        return {};
    std::array<std::pair<int, int>, 35> counters; // number, count
    char labels[35][3];
    for (int n = 0; n < 35; ++n) {
        counters[static_cast<size_t>(n)] = {n + 1, 0};
        std::snprintf(labels[n], sizeof labels[n], "%02d", n + 1);
    }
    size_t i = 0;
    while (i + 1 < text.size()) {
        if (IsAsciiDigit(text[i]) && IsAsciiDigit(text[i + 1])) {
            for (int n = 0; n < 35; ++n) {
                if (text[i] == labels[n][0] && text[i + 1] == labels[n][1]) {
                    ++counters[static_cast<size_t>(n)].second;
                    break;
                }
            }
            i += 2;
        } else {
            i += 1;
        }
    }
    for (int pass = 0; pass < 34; ++pass) {
        for (size_t k = 0; k < 34; ++k) {
            if (counters[k].second < counters[k + 1].second)
                std::swap(counters[k], counters[k + 1]);
        }
    }
    std::string out;
    for (size_t k = 0; k < counters.size(); ++k) {
        if (k > 0 && counters[k].second != counters[k - 1].second)
            out += "\r\n";
        char line[40];
        std::snprintf(line, sizeof line, "%02d = %d\r\n", counters[k].first, counters[k].second);
        out += line;
    }
    return out;
}

// The pair index: the first and last two characters as C's atoi reads them,
// -1 outside 1..12 or for equal numbers, else the position of the pair
// among the 66 in order; the index text keeps lines of exactly five.
inline int LiteralPairIndex(std::string_view pairText) {
    // A zero-terminated copy, read by the C library itself.
    std::string first(pairText.substr(0, 2));
    std::string last(pairText.substr(pairText.size() >= 2 ? pairText.size() - 2 : 0));
    const int a = std::atoi(first.c_str());
    const int b = std::atoi(last.c_str());
    if (a < 1 || a > 12 || b < 1 || b > 12 || a == b)
        return -1;
    const int lo = std::min(a, b);
    const int hi = std::max(a, b);
    // The position of (lo, hi) among (1,2), (1,3), ..., (11,12).
    int index = 0;
    for (int x = 1; x <= 12; ++x) {
        for (int y = x + 1; y <= 12; ++y) {
            ++index;
            if (x == lo && y == hi)
                return index;
        }
    }
    return -1;
}

inline std::string LiteralIndexText(std::string_view boxText) {
    std::string out;
    for (std::string_view line : SplitEditLines(boxText)) {
        line = line.substr(0, 255);
        if (line.size() != 5)
            continue;
        char index[16];
        std::snprintf(index, sizeof index, " %02d\r\n", LiteralPairIndex(line));
        out += std::string(line) + index;
    }
    return out;
}

} // namespace veltrix::test
