// veltrix-prize: checks a ticket against the draws in ./DLT.mdb.

#include "common/ProgramInfo.h"
#include "prize/PrizeDraws.h"
#include "prizeapp/PrizeWindow.h"

#include <QApplication>

#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    // Answered before Qt starts, so they need no display.
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "-h") {
        std::fputs("usage: veltrix-prize\n\nChecks tickets against the draws of ./DLT.mdb with "
                   "the prize rules of the shipped data (VELTRIX_DATA_DIR names its folder).\n",
                   stdout);
        return 0;
    }
    if (first == "--version") {
        std::fputs(veltrix::VersionLine("veltrix-prize").c_str(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    veltrix::prize::PrizeRules rules;
    std::string error;
    veltrix::prize::LoadPrizeRulesFile(veltrix::prize::PrizeRulesPath(), &rules, &error);
    veltrix::prize::PrizeWindow window(std::move(rules), error, "./DLT.mdb");
    window.show();
    return app.exec();
}
