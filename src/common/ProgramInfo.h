#pragma once
// The release the programs were built as, for --version and the package.

#include <string>
#include <string_view>

namespace veltrix {

// "0.1.0": the project's version at configure time.
std::string_view ProgramVersion();

// "veltrix-cli 0.1.0\n": what every program prints for --version.
std::string VersionLine(std::string_view program);

} // namespace veltrix
