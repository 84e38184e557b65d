#include "app/TrendApp.h"

#include "app/TrendDlg.h"

#include <QTimer>

namespace veltrix {

CTrendApp::CTrendApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Veltrix"));
}

int CTrendApp::InitInstance() {
    CTrendDlg dialog;
    if (!dialog.OnInitDialog())
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.done(QDialog::Accepted); });
    dialog.exec();
    return 0;
}

} // namespace veltrix
