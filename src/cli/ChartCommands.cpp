// Placeholder until this subsystem lands.

#include "cli/CliCommands.h"

#include <cstdio>

namespace veltrix::cli {

int ChartCommand(const Args&) {
    std::fputs("veltrix-cli chart: not available in this build yet\n", stderr);
    return 2;
}

} // namespace veltrix::cli
