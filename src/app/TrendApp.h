#pragma once
// CTrendApp: starts the main window modally and ends the program when it ends.

#include "app/TrendDlg.h"

#include <QApplication>

namespace veltrix {

class CTrendApp : public QApplication {
public:
    CTrendApp(int& argc, char** argv);
    // Runs the main window with the given services (null ones get the real
    // implementations); returns the process exit status. A window whose
    // database cannot be opened ends before it is shown.
    int InitInstance(TrendDlgServices services = {});
};

} // namespace veltrix
