#include "analysis/GapReports.h"

#include "analysis/BoxLines.h"
#include "analysis/FieldKey.h"
#include "common/Strings.h"
#include "db/LotteryCatalogue.h"

namespace veltrix {

int BackZoneFieldCount(std::string_view commandText) {
    // A command naming both games is zoned as SSQ.
    if (CommandNamesGame(commandText, LotteryKind::Ssq))
        return 1;
    return CommandNamesGame(commandText, LotteryKind::Dlt) ? 2 : 0;
}

std::string GapReportText(const std::vector<std::string_view>& lines, int fieldsPerRow) {
    std::string out;
    out.reserve(lines.size() * static_cast<size_t>(8 * fieldsPerRow + 2));
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        std::string_view above = lines[i];
        std::string_view row = lines[i + 1];
        // A short line ends the report: what follows it is not looked at.
        if (above.size() < 3 || row.size() < 3)
            break;
        out += row;
        out += " : ";
        for (int j = 0; j < fieldsPerRow; ++j) {
            int difference = AtoiPrefix(RowField(row, j)) - AtoiPrefix(RowField(above, j));
            AppendInt(out, difference, 4);
            if (j + 1 < fieldsPerRow)
                out += ',';
        }
        out += '\n';
    }
    return out;
}

std::string OneTwoThreeReportText(const std::vector<std::string_view>& lines, int fieldsPerRow,
                                  int frontFields) {
    // The distance of a key is measured to the nearest line above holding it
    // in the key's zone, so it is enough to remember, per zone, the last line
    // in which each key stood; keys are at most two bytes, which makes a flat
    // table of every possible key small.
    std::vector<int> lastFront(kFieldKeyCount, -1);
    std::vector<int> lastBack(kFieldKeyCount, -1);
    std::string out;
    out.reserve(lines.size() * static_cast<size_t>(6 * fieldsPerRow + 2));
    for (size_t l = 0; l < lines.size(); ++l) {
        std::string_view line = lines[l];
        const int lineIndex = static_cast<int>(l);
        if (line.size() > 3) {
            out += line;
            out += " : ";
            for (int k = 0; k < fieldsPerRow; ++k) {
                const std::vector<int>& last = k < frontFields ? lastFront : lastBack;
                int seen = last[FieldKey(RowField(line, k))];
                // Never seen: the distance runs over every line above.
                int distance = seen < 0 ? lineIndex : lineIndex - seen;
                AppendInt(out, distance, 2, true);
                if (k + 1 < fieldsPerRow)
                    out += ',';
            }
            out += '\n';
        }
        for (int j = 0; j < fieldsPerRow; ++j) {
            std::vector<int>& last = j < frontFields ? lastFront : lastBack;
            last[FieldKey(RowField(line, j))] = lineIndex;
        }
    }
    return out;
}

std::optional<GapReportTexts> GapReports(std::string_view boxText, int fieldsPerRow,
                                         std::string_view commandText) {
    if (fieldsPerRow < 1)
        return std::nullopt;
    std::vector<std::string_view> lines =
        BoxLines(boxText, static_cast<size_t>(3 * fieldsPerRow - 1));
    if (lines.size() <= 1)
        return std::nullopt;
    int frontFields = fieldsPerRow - BackZoneFieldCount(commandText);
    return GapReportTexts{GapReportText(lines, fieldsPerRow),
                          OneTwoThreeReportText(lines, fieldsPerRow, frontFields)};
}

} // namespace veltrix
