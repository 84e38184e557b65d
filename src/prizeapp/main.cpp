// veltrix-prize: checks a ticket against the draws in ./DLT.mdb.

#include "common/AppFiles.h"
#include "common/ProgramInfo.h"
#include "prize/PrizeDraws.h"
#include "prizeapp/PrizeWindow.h"

#include <QApplication>

#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    // --help and --version answer before Qt starts, so they need no display.
    std::string_view first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "-h") {
        std::fputs("usage: veltrix-prize [--help | --version]\n"
                   "Checks lottery tickets against the draws in ./DLT.mdb (read-only), with the\n"
                   "prize rules of the data folder's prize-rules.json.\n",
                   stdout);
        return 0;
    }
    if (first == "--version") {
        std::fputs(veltrix::VersionLine("veltrix-prize").c_str(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    veltrix::Result<veltrix::prize::PrizeRules> rules =
        veltrix::prize::LoadPrizeRulesFile(veltrix::prize::PrizeRulesPath());
    veltrix::prize::PrizeWindow window(rules.value_or({}), rules.error(), veltrix::kDatabasePath);
    window.show();
    return app.exec();
}
