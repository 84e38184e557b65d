// veltrix-prize's start-up up to its window shown and painted, then exit:
// the whole-process time that bench/prize/startup.sh measures.
#include "prize/PrizeDraws.h"
#include "prizeapp/PrizeWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    veltrix::Result<veltrix::prize::PrizeRules> rules =
        veltrix::prize::LoadPrizeRulesFile(veltrix::prize::PrizeRulesPath());
    std::string error = rules.error();
    veltrix::prize::PrizeWindow window(rules.value_or({}), error, "./DLT.mdb");
    window.show();
    window.repaint();
    QCoreApplication::processEvents();
    return error.empty() ? 0 : 1;
}
