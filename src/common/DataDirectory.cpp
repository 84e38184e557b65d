#include "common/DataDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifndef VELTRIX_SOURCE_DATA_DIR
#define VELTRIX_SOURCE_DATA_DIR "data"
#endif

namespace veltrix {

namespace fs = std::filesystem;

std::string ChooseDataDirectory(const DataDirectoryPlaces& places) {
    if (!places.fromEnvironment.empty())
        return places.fromEnvironment;
    if (!places.executableDir.empty()) {
        const fs::path installed =
            (fs::path(places.executableDir) / ".." / "share" / "veltrix").lexically_normal();
        std::error_code error;
        if (fs::is_directory(installed, error))
            return installed.string();
    }
    return places.sourceDataDir;
}

DataDirectoryPlaces CurrentDataDirectoryPlaces() {
    DataDirectoryPlaces places;
    if (const char* value = std::getenv("VELTRIX_DATA_DIR"))
        places.fromEnvironment = value;
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        places.executableDir = executable.parent_path().string();
    places.sourceDataDir = VELTRIX_SOURCE_DATA_DIR;
    return places;
}

std::string DataDirectory() {
    return ChooseDataDirectory(CurrentDataDirectoryPlaces());
}

std::string DataFile(const std::string& relativePath) {
    return (fs::path(DataDirectory()) / relativePath).string();
}

} // namespace veltrix
