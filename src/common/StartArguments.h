#pragma once
// The window program's command line: --help, --version and --workspace [DIR].
// Parsed without Qt so --help and --version answer without a display.

#include <optional>
#include <string>
#include <vector>

namespace veltrix {

struct StartArguments {
    bool help = false;
    bool version = false;
    // Set with --workspace: the folder given, or empty for the user's data
    // folder. Unset: the program works in the current folder.
    std::optional<std::string> workspace;
    std::string error; // an argument that is not understood; empty when all were
};

// The arguments after the program's name. A DIR after --workspace is the next
// argument unless it starts with '-'.
StartArguments ParseStartArguments(const std::vector<std::string>& args);

// ${XDG_DATA_HOME:-~/.local/share}/veltrix; a relative XDG_DATA_HOME is
// ignored, as the XDG base directory rules say. Null values count as unset.
std::string DefaultWorkspaceFolder(const char* xdgDataHome, const char* home);

// The usage text of `veltrix --help`.
std::string StartUsage();

} // namespace veltrix
