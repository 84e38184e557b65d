#pragma once
// A report opener that remembers which files it was asked to open; `opens`
// false answers as a desktop without a program for text files.

#include "common/FileOpener.h"

#include <string>
#include <vector>

namespace veltrix::test {

class RecordingOpener : public FileOpener {
public:
    void OpenTextFile(const std::string& path) override { paths.push_back(path); }
    bool TryOpenTextFile(const std::string& path) override {
        paths.push_back(path);
        return opens;
    }
    std::vector<std::string> paths;
    bool opens = true;
};

} // namespace veltrix::test
