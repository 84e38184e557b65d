#pragma once
// A report opener that remembers which files it was asked to open.

#include "common/FileOpener.h"

#include <string>
#include <vector>

namespace veltrix::test {

class RecordingOpener : public FileOpener {
public:
    void OpenTextFile(const std::string& path) override { paths.push_back(path); }
    std::vector<std::string> paths;
};

} // namespace veltrix::test
