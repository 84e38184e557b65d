#include "common/StartArguments.h"

#include <filesystem>

namespace veltrix {

StartArguments ParseStartArguments(const std::vector<std::string>& args) {
    StartArguments parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
        } else if (arg == "--version") {
            parsed.version = true;
        } else if (arg == "--workspace") {
            parsed.workspace = std::string();
            if (i + 1 < args.size() && !args[i + 1].starts_with('-'))
                parsed.workspace = args[++i];
        } else if (arg.starts_with("--workspace=")) {
            parsed.workspace = arg.substr(std::string_view("--workspace=").size());
        } else if (parsed.error.empty()) {
            parsed.error = "unknown argument '" + arg + "'";
        }
    }
    return parsed;
}

std::string DefaultWorkspaceFolder(const char* xdgDataHome, const char* home) {
    std::filesystem::path base;
    if (xdgDataHome && std::filesystem::path(xdgDataHome).is_absolute())
        base = xdgDataHome;
    else
        base = std::filesystem::path(home ? home : "") / ".local" / "share";
    return (base / "veltrix").string();
}

std::string StartUsage() {
    return "usage: veltrix [--workspace [DIR]]\n"
           "\n"
           "Without options Veltrix works in the current folder (./DLT.mdb, ./Veltrix.ini).\n"
           "\n"
           "  --workspace [DIR]  work in DIR, by default "
           "${XDG_DATA_HOME:-~/.local/share}/veltrix;\n"
           "                     the first start there makes the database, imports the sample\n"
           "                     draws and copies the sample saved commands\n"
           "  --help             show this text\n"
           "  --version          show the version\n"
           "\n"
           "Environment: VELTRIX_DATA_DIR names the folder of the shipped data.\n";
}

} // namespace veltrix
