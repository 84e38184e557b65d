#pragma once
// Result texts the analysis and window tests share.

#include "common/Strings.h"

#include <string>

namespace veltrix::test {

// Rows of a dlt query, each ended by CR LF as the result text has them.
inline std::string DltRows(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += StrFormat("%02d %02d %02d %02d %02d %02d %02d\r\n", i % 35 + 1, (i * 7) % 35 + 1,
                          (i * 3) % 35 + 1, (i * 11) % 35 + 1, (i * 13) % 35 + 1, i % 12 + 1,
                          (i * 5) % 12 + 1);
    return text;
}

// The pattern (bottom three rows) repeats in lines 0 to 2; line 3 follows
// them, and is the oldest pattern row itself: only runs of three rows find it.
inline const std::string kThreeRowRun = "13 14 15 16 17 03 04\r\n"
                                        "01 02 03 04 05 06 07\r\n"
                                        "08 09 10 11 12 01 02\r\n"
                                        "13 14 15 16 17 03 04\r\n"
                                        "01 02 03 04 05 06 07\r\n"
                                        "08 09 10 11 12 01 02\r\n";

} // namespace veltrix::test
