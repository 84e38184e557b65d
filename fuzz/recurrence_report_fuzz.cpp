// Scratch-file bytes → recurrence report, checked against the literal version
// that counts, for every row, the 30 rows above it part by part (about 150
// substring searches per row, so only for texts of up to 64 KB).
//
// The input is taken both as the scratch file's bytes themselves and as the
// result text the window writes there in text mode (every LF as CR LF).

#include "analysis/LiteralReports.h"
#include "analysis/RecurrenceReport.h"
#include "common/Strings.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(std::string_view scratch) {
    if (veltrix::RecurrenceReportText(scratch) != veltrix::test::LiteralRecurrence(scratch)) {
        std::fprintf(stderr, "recurrence_report_fuzz: the report differs from the literal one\n");
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (64u << 10))
        return 0;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(bytes);
    Check(veltrix::ToTextModeBytes(bytes));
    return 0;
}
