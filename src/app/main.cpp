#include "app/DesktopServices.h"
#include "app/TrendApp.h"
#include "common/DataDirectory.h"
#include "common/ProgramInfo.h"
#include "common/StartArguments.h"
#include "update/WorkspacePreparation.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace

int main(int argc, char** argv) {
    // --help and --version answer before Qt starts, so they need no display.
    const veltrix::StartArguments early = veltrix::ParseStartArguments(Arguments(argc, argv));
    if (early.help) {
        std::fputs(veltrix::StartUsage().c_str(), stdout);
        return 0;
    }
    if (early.version) {
        std::fputs(veltrix::VersionLine("veltrix").c_str(), stdout);
        return 0;
    }

    veltrix::CTrendApp app(argc, argv);
    // Qt has taken its own options (-platform, -style, ...) out of argv.
    const veltrix::StartArguments start = veltrix::ParseStartArguments(Arguments(argc, argv));
    if (!start.error.empty()) {
        std::fprintf(stderr, "veltrix: %s\n%s", start.error.c_str(), veltrix::StartUsage().c_str());
        return 2;
    }
    veltrix::MessageBoxSink messages;
    if (start.workspace &&
        !veltrix::EnterWorkspace(*start.workspace, veltrix::DataDirectory(), messages))
        return 1;

    veltrix::DesktopFileOpener opener;
    veltrix::DetachedProgramLauncher launcher;
    veltrix::TrendDlgServices services;
    services.messages = &messages;
    services.opener = &opener;
    services.launcher = &launcher;
    return app.InitInstance(services);
}
