// veltrix-prize: checks a ticket against the draws in ./DLT.mdb.

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
    return app.exec();
}
