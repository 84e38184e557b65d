// Placeholder until this subsystem lands.

#include "cli/CliCommands.h"

#include <cstdio>

namespace veltrix::cli {

int UpdateCommand(const Args&) {
    std::fputs("veltrix-cli update: not available in this build yet\n", stderr);
    return 2;
}

int ImportCommand(const Args&) {
    std::fputs("veltrix-cli import: not available in this build yet\n", stderr);
    return 2;
}

int BulletinCommand(const Args&) {
    std::fputs("veltrix-cli bulletin: not available in this build yet\n", stderr);
    return 2;
}

} // namespace veltrix::cli
