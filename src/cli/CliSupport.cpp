#include "cli/CliCommands.h"

#include <algorithm>
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

bool TakeOption(Args& args, const std::string& name, std::string* value) {
    auto it = std::find(args.begin(), args.end(), name);
    if (it == args.end() || it + 1 == args.end())
        return false;
    *value = *(it + 1);
    args.erase(it, it + 2);
    return true;
}

bool TakeFlag(Args& args, const std::string& name) {
    auto it = std::find(args.begin(), args.end(), name);
    if (it == args.end())
        return false;
    args.erase(it);
    return true;
}

} // namespace veltrix::cli
