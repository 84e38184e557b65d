#pragma once
// The window's real services: message boxes captioned "Veltrix", reports
// opened in the desktop's program for text files, and detached programs.
// Tests replace all three with recording doubles.

#include "app/TrendDlg.h"
#include "common/FileOpener.h"
#include "common/MessageSink.h"

class QWidget;

namespace veltrix {

class MessageBoxSink : public MessageSink {
public:
    // owner: the window the boxes are modal to; null for the active window.
    explicit MessageBoxSink(QWidget* owner = nullptr) : m_owner(owner) {}
    void ShowMessage(const std::string& text, MessageIcon icon = MessageIcon::None) override;
    bool AskYesNo(const std::string& text) override;

private:
    QWidget* m_owner;
};

class DesktopFileOpener : public FileOpener {
public:
    void OpenTextFile(const std::string& path) override;
    // Hands the file to xdg-open and waits a moment for its verdict: it fails
    // at once when the desktop has no program for the file. Still running
    // after the wait, it is running the program: the file is open.
    bool TryOpenTextFile(const std::string& path) override;
};

class DetachedProgramLauncher : public ProgramLauncher {
public:
    // Starts `program` in the current folder without waiting; false when it
    // is absent or cannot be started.
    bool Launch(const std::string& program) override;
};

} // namespace veltrix
