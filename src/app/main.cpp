#include "app/DesktopServices.h"
#include "app/TrendApp.h"

int main(int argc, char** argv) {
    veltrix::CTrendApp app(argc, argv);
    veltrix::MessageBoxSink messages;
    veltrix::DesktopFileOpener opener;
    veltrix::DetachedProgramLauncher launcher;
    veltrix::TrendDlgServices services;
    services.messages = &messages;
    services.opener = &opener;
    services.launcher = &launcher;
    return app.InitInstance(services);
}
