// The checker window, offscreen: loading the rules, building the window with
// its number grid, and its first complete paint.
#include "prize/PrizeDraws.h"
#include "prizeapp/PrizeWindow.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace veltrix::prize {
namespace {

void BM_PrizeWindowOpens(benchmark::State& state) {
    for (auto _ : state) {
        veltrix::Result<PrizeRules> rules = LoadPrizeRulesFile(PrizeRulesPath());
        std::string error = rules.error();
        PrizeWindow window(rules.value_or({}), error, "./DLT.mdb");
        window.show();
        window.repaint();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_PrizeWindowOpens)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace veltrix::prize
