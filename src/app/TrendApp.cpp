#include "app/TrendApp.h"

#include "app/AppLook.h"

#include <QEventLoop>

namespace veltrix {

CTrendApp::CTrendApp(int& argc, char** argv) : QApplication(argc, argv) {
    // The program's name is the caption of its message boxes.
    setApplicationName(QStringLiteral("Veltrix"));
    setWindowIcon(AppIcon());
    InstallFontSubstitutions();
}

int CTrendApp::InitInstance(TrendDlgServices services) {
    CTrendDlg dialog(services);
    if (dialog.OnInitDialog()) {
        // Shown as an ordinary window (exec() would make it a modal dialog,
        // which window managers keep out of the taskbar) and waited for.
        QEventLoop loop;
        QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
        dialog.show();
        loop.exec();
    }
    // The program ends with the window; there is no loop of its own.
    return 0;
}

} // namespace veltrix
