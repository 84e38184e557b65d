#include "cli/CliCommands.h"

#include <cstdio>
#include <unistd.h>

namespace veltrix::cli {

std::string ReadStandardInput() {
    std::string bytes;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    return bytes;
}

void StderrHost::ShowMessage(const std::string& text, MessageIcon) {
    std::fprintf(stderr, "%s%s\n", m_prefix.c_str(), text.c_str());
}

} // namespace veltrix::cli
