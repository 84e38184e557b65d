#pragma once
// The questions the window asks the user in a dialog of its own: where to
// save a file, which of a few items to take, and the print preview. Tests
// answer them with a double, so no dialog ever blocks a test.

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPrinter;
class QWidget;

namespace veltrix {

class UserChoices {
public:
    virtual ~UserChoices() = default;
    // A path to write; empty when the user cancelled. `filter` as Qt's file
    // dialogs take it: "CSV (*.csv)".
    virtual std::string SavePath(QWidget* owner, const std::string& title,
                                 const std::string& suggested, const std::string& filter) = 0;
    // The index of the item taken; nothing when the user cancelled.
    virtual std::optional<size_t> PickItem(QWidget* owner, const std::string& title,
                                           const std::string& label,
                                           const std::vector<std::string>& items) = 0;
    // Shows the print preview with its print dialog; `paint` draws the pages
    // on the printer it is given, for the preview and for printing.
    virtual void PrintWithPreview(QWidget* owner, const std::function<void(QPrinter&)>& paint) = 0;
};

// The real dialogs: QFileDialog, QInputDialog, QPrintPreviewDialog.
class DialogUserChoices : public UserChoices {
public:
    std::string SavePath(QWidget* owner, const std::string& title, const std::string& suggested,
                         const std::string& filter) override;
    std::optional<size_t> PickItem(QWidget* owner, const std::string& title,
                                   const std::string& label,
                                   const std::vector<std::string>& items) override;
    void PrintWithPreview(QWidget* owner, const std::function<void(QPrinter&)>& paint) override;
};

} // namespace veltrix
