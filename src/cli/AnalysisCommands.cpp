// Placeholder until this subsystem lands.

#include "cli/CliCommands.h"

#include <cstdio>

namespace veltrix::cli {

int CountCommand(const Args&) {
    std::fputs("veltrix-cli count: not available in this build yet\n", stderr);
    return 2;
}

int BackZoneCommand(const Args&) {
    std::fputs("veltrix-cli backzone: not available in this build yet\n", stderr);
    return 2;
}

int AnalyseCommand(const Args&) {
    std::fputs("veltrix-cli analyse: not available in this build yet\n", stderr);
    return 2;
}

} // namespace veltrix::cli
