// veltrix-cli stats: the trend statistics of a result text on standard
// input, both tables tab-separated, for scripts and for checking the figures
// the window's report shows.

#include "analysis/TrendStats.h"
#include "cli/CliCommands.h"

#include <cstdio>

namespace veltrix::cli {

int StatsCommand(const Args& args) {
    Args rest = args;
    std::string command;
    if (!TakeOption(rest, "--command", &command) || !rest.empty()) {
        if (!rest.empty() && rest.front() != "--command")
            std::fprintf(stderr, "veltrix-cli stats: unexpected argument '%s'\n",
                         rest.front().c_str());
        else
            std::fputs("veltrix-cli stats: missing --command\n", stderr);
        std::fputs("usage: veltrix-cli stats --command TEXT < RESULT-TEXT\n", stderr);
        return 2;
    }
    const std::string text = FormatTrendStatsTable(ComputeTrendStats(command, ReadStandardInput()));
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        std::fputs("veltrix-cli stats: cannot write the tables\n", stderr);
        return 1;
    }
    return 0;
}

} // namespace veltrix::cli
