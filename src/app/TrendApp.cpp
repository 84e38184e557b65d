#include "app/TrendApp.h"

#include "app/AppLook.h"

namespace veltrix {

CTrendApp::CTrendApp(int& argc, char** argv) : QApplication(argc, argv) {
    // The program's name is the caption of its message boxes.
    setApplicationName(QStringLiteral("Veltrix"));
    setWindowIcon(AppIcon());
    InstallFontSubstitutions();
}

int CTrendApp::InitInstance(TrendDlgServices services) {
    CTrendDlg dialog(services);
    if (dialog.OnInitDialog())
        dialog.exec();
    // The program ends with the window; there is no loop of its own.
    return 0;
}

} // namespace veltrix
