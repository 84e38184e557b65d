#pragma once
// Opens a report in the desktop's program for text files, without waiting
// for it. The window uses the desktop's default opener; tests record calls.

#include <string>

namespace veltrix {

class FileOpener {
public:
    virtual ~FileOpener() = default;
    virtual void OpenTextFile(const std::string& path) = 0;
    // The same, telling whether a program took the file; openers that cannot
    // tell say it did.
    virtual bool TryOpenTextFile(const std::string& path) {
        OpenTextFile(path);
        return true;
    }
};

} // namespace veltrix
