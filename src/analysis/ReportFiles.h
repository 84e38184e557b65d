#pragma once
// Report files as the analyses leave them in the working directory: written
// the way a C runtime writes a file in text mode, so every "\n" of a report
// text is CR LF on disk, byte for byte what users compare across runs.

#include <string>
#include <string_view>

namespace veltrix {

class MessageSink;

inline constexpr char kGapReportPath[] = "./Analyse_gap.txt";
inline constexpr char kOneTwoThreeReportPath[] = "./Analyse_123.txt";
inline constexpr char kThreeDigitReportPath[] = "./3D_FX.txt";
inline constexpr char kRecurrenceReportPath[] = "./DLT_FX.txt";
inline constexpr char kRecurrenceScratchPath[] = "./dlt.txt";
inline constexpr char kTrendStatsReportPath[] = "./Analyse_stats.txt";

// The file name without its folder: "./DLT_FX.txt" gives "DLT_FX.txt".
std::string BareFileName(std::string_view path);

// Creates (or truncates) path and writes text with "\n" as CR LF. When the
// file cannot be created or written the user gets "can't create file <name>"
// with the bare file name, and the result is false.
bool WriteReportFile(const std::string& path, std::string_view text, MessageSink& messages);

} // namespace veltrix
