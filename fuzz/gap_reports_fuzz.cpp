// Result text → gap report and 1-2-3 report, for rows of 1 to 9 fields and
// the zones of each game.
//
// Input: byte 0 picks the fields per row and the command text; the rest is
// the result box's text.
//
// The gap report is checked against its rule read step by step (atoi of
// each two-character field, "%4d," differences, stop at the first short
// line); the 1-2-3 report against the literal version that rescans the rows
// above every row (quadratic, so only for boxes of up to 400 lines).

#include "analysis/GapReports.h"
#include "analysis/LiteralReports.h"
#include "common/Strings.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "gap_reports_fuzz: %s\n", what);
    std::abort();
}

constexpr const char* kCommands[] = {"select * from dlt", "select * from ssq", "p5", "dlt and ssq",
                                     "SELECT str(h1) FROM 3D"};

constexpr size_t kLiteralLineLimit = 400;

std::string LiteralGapReport(const std::vector<std::string_view>& lines, int fields) {
    std::string out;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        std::string_view a = lines[i];
        std::string_view b = lines[i + 1];
        if (a.size() < 3 || b.size() < 3)
            break;
        out += b;
        out += " : ";
        for (int j = 0; j < fields; ++j) {
            const int vb = std::atoi(veltrix::test::LiteralField(b, j).c_str());
            const int va = std::atoi(veltrix::test::LiteralField(a, j).c_str());
            char cell[16];
            std::snprintf(cell, sizeof cell, j + 1 < fields ? "%4d," : "%4d", vb - va);
            out += cell;
        }
        out += '\n';
    }
    return out;
}

int LiteralBackFields(std::string_view command) {
    std::string upper = veltrix::ToUpperAscii(command);
    int back = 0;
    if (upper.find("DLT") != std::string::npos)
        back = 2;
    if (upper.find("SSQ") != std::string::npos)
        back = 1;
    return back;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int fields = data[0] % 9 + 1;
    const char* command = kCommands[data[0] / 9 % std::size(kCommands)];
    std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::optional<veltrix::GapReportTexts> reports = veltrix::GapReports(text, fields, command);
    std::vector<std::string_view> lines = veltrix::SplitEditLines(text);
    for (std::string_view& line : lines)
        line = line.substr(0, static_cast<size_t>(3 * fields - 1));
    if (lines.size() <= 1) {
        if (reports)
            Fail("reports for a box of one line");
        return 0;
    }
    if (!reports)
        Fail("no reports for a box of several lines");
    if (reports->gap != LiteralGapReport(lines, fields))
        Fail("the gap report differs from the rule");
    if (lines.size() <= kLiteralLineLimit &&
        reports->oneTwoThree !=
            veltrix::test::LiteralOneTwoThree(lines, fields, fields - LiteralBackFields(command)))
        Fail("the 1-2-3 report differs from the literal version");
    return 0;
}
