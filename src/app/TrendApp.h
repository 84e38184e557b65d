#pragma once
// CTrendApp: starts the main window modally and ends the program when it ends.

#include <QApplication>

namespace veltrix {

class CTrendApp : public QApplication {
public:
    CTrendApp(int& argc, char** argv);
    // Runs the main window; returns the process exit status.
    int InitInstance();
};

} // namespace veltrix
