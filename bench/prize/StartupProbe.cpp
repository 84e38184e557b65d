// veltrix-prize's start-up up to its window shown and painted, then exit:
// the whole-process time that bench/prize/startup.sh measures.
#include "prize/PrizeDraws.h"
#include "prizeapp/PrizeWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    veltrix::prize::PrizeRules rules;
    std::string error;
    veltrix::prize::LoadPrizeRulesFile(veltrix::prize::PrizeRulesPath(), &rules, &error);
    veltrix::prize::PrizeWindow window(std::move(rules), error, "./DLT.mdb");
    window.show();
    window.repaint();
    QCoreApplication::processEvents();
    return error.empty() ? 0 : 1;
}
