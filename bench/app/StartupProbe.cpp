// The program's start-up up to its window shown and painted, then exit: the
// whole-process start-up time that bench/app/startup.sh measures.
#include "app/TrendApp.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    veltrix::CTrendApp app(argc, argv);
    veltrix::CTrendDlg dialog;
    if (!dialog.OnInitDialog())
        return 1;
    dialog.show();
    dialog.repaint();
    QCoreApplication::processEvents();
    return 0;
}
