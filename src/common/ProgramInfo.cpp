#include "common/ProgramInfo.h"

#ifndef VELTRIX_VERSION
#define VELTRIX_VERSION "unknown"
#endif

namespace veltrix {

std::string_view ProgramVersion() {
    return VELTRIX_VERSION;
}

std::string VersionLine(std::string_view program) {
    std::string line(program);
    line += ' ';
    line += ProgramVersion();
    line += '\n';
    return line;
}

} // namespace veltrix
