#pragma once
// Where the programs find the data shipped with them: the sample draws, the
// sample settings and the prize rules.

#include <string>

namespace veltrix {

// The places the lookup considers, in order of preference. Kept apart from
// the process so the order can be checked without touching the environment.
struct DataDirectoryPlaces {
    std::string fromEnvironment; // VELTRIX_DATA_DIR; empty when unset
    std::string executableDir;   // folder of the running program; may be empty
    std::string sourceDataDir;   // the source tree's data/, compiled in
};

// The folder named by the environment when it names one (the user's explicit
// choice wins, even if the folder turns out to be missing, so a typo shows up
// as a clear error instead of silently using other data); otherwise
// ../share/veltrix beside the executable when that folder exists (an installed
// program); otherwise the source tree's data/ (a program run from its build
// folder).
std::string ChooseDataDirectory(const DataDirectoryPlaces& places);

// The places for this process: VELTRIX_DATA_DIR, /proc/self/exe, and the
// source tree's data/ as configured at build time.
DataDirectoryPlaces CurrentDataDirectoryPlaces();

// ChooseDataDirectory(CurrentDataDirectoryPlaces()).
std::string DataDirectory();

// A file of the shipped data, e.g. DataFile("draws/dlt.txt").
std::string DataFile(const std::string& relativePath);

} // namespace veltrix
