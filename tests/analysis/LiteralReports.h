#pragma once
// Step-by-step transcriptions of the 1-2-3 and recurrence reports as they
// were first written: every row rescans the rows above it. They are slow
// (quadratic for the 1-2-3 report) and exist only to check the fast versions
// on random input.

#include "common/Strings.h"

#include <string>
#include <string_view>
#include <vector>

namespace veltrix::test {

inline std::string LiteralField(std::string_view line, int j) {
    size_t start = static_cast<size_t>(j) * 3;
    return start < line.size() ? std::string(line.substr(start, 2)) : std::string();
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

} // namespace veltrix::test
