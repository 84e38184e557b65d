#include "analysis/RecurrenceReport.h"

#include "analysis/BoxLines.h"
#include "analysis/FieldKey.h"
#include "common/Strings.h"

#include <algorithm>
#include <array>
#include <functional>

namespace veltrix {
namespace {

constexpr size_t kKeepMinBytes = 10;
constexpr size_t kKeptBytes = 14;
constexpr size_t kWindowRows = 30;
constexpr int kParts = 5;

// Every distinct text of at most two bytes inside a kept row: the empty text,
// up to 14 single bytes and 13 byte pairs.
struct RowSubstrings {
    std::array<size_t, 1 + kKeptBytes + (kKeptBytes - 1)> keys;
    size_t count = 0;
};

class SubstringCollector {
public:
    SubstringCollector() : m_stamp(kFieldKeyCount, 0) {}

    RowSubstrings Collect(std::string_view row) {
        ++m_generation;
        RowSubstrings out;
        Add(out, FieldKey({}));
        for (size_t i = 0; i < row.size(); ++i) {
            Add(out, FieldKey(row.substr(i, 1)));
            if (i + 1 < row.size())
                Add(out, FieldKey(row.substr(i, 2)));
        }
        return out;
    }

private:
    void Add(RowSubstrings& out, size_t key) {
        if (m_stamp[key] == m_generation)
            return;
        m_stamp[key] = m_generation;
        out.keys[out.count++] = key;
    }

    std::vector<unsigned> m_stamp;
    unsigned m_generation = 0;
};

} // namespace

std::vector<std::string_view> RecurrenceRows(std::string_view scratchBytes) {
    std::vector<std::string_view> rows;
    size_t start = 0;
    while (start < scratchBytes.size()) {
        size_t end = scratchBytes.find('\n', start);
        end = end == std::string_view::npos ? scratchBytes.size() : end + 1;
        std::string_view line = scratchBytes.substr(start, end - start);
        if (line.size() >= kKeepMinBytes)
            rows.push_back(line.substr(0, kKeptBytes));
        start = end;
    }
    return rows;
}

std::string RecurrenceReportText(std::string_view scratchBytes) {
    std::vector<std::string_view> rows = RecurrenceRows(scratchBytes);

    // A part is at most two bytes, so "row contains part" is decided by the
    // set of the row's substrings of at most two bytes. Sliding over the rows
    // we keep, for each such substring, how many of the last 30 rows hold it;
    // each row adds and later removes every distinct substring once.
    std::vector<int> rowsHolding(kFieldKeyCount, 0);
    SubstringCollector collector;
    std::vector<RowSubstrings> window(kWindowRows);

    std::string out;
    for (size_t i = 0; i < rows.size(); ++i) {
        std::string_view row = rows[i];
        if (i >= kWindowRows) {
            std::array<int, kParts> tallies;
            for (int k = 0; k < kParts; ++k)
                tallies[static_cast<size_t>(k)] = rowsHolding[FieldKey(RowField(row, k))];
            std::sort(tallies.begin(), tallies.end(), std::greater<int>());

            for (char c : row) {
                if (c != '\r' && c != '\n')
                    out += c;
            }
            out += " [";
            AppendInt(out, tallies[0], 2);
            for (int k = 1; k < kParts; ++k)
                AppendInt(out, tallies[static_cast<size_t>(k)]);
            out += "]\n";

            for (size_t n = 0; n < window[i % kWindowRows].count; ++n)
                --rowsHolding[window[i % kWindowRows].keys[n]];
        }
        window[i % kWindowRows] = collector.Collect(row);
        for (size_t n = 0; n < window[i % kWindowRows].count; ++n)
            ++rowsHolding[window[i % kWindowRows].keys[n]];
    }
    return out;
}

} // namespace veltrix
