#pragma once
// Doubles for the window's services that record what they were asked to do.

#include "app/TrendDlg.h"
#include "common/FileOpener.h"

#include <string>
#include <vector>

namespace veltrix::test {

class RecordingFileOpener : public FileOpener {
public:
    void OpenTextFile(const std::string& path) override { paths.push_back(path); }
    bool TryOpenTextFile(const std::string& path) override {
        paths.push_back(path);
        return opens;
    }
    std::vector<std::string> paths;
    bool opens = true; // false: as on a desktop without a program for text files
};

class RecordingLauncher : public ProgramLauncher {
public:
    bool Launch(const std::string& program) override {
        programs.push_back(program);
        return starts;
    }
    std::vector<std::string> programs;
    bool starts = true;
};

} // namespace veltrix::test
