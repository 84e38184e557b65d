// veltrix-cli chart: the trend chart's scene for a result text on standard
// input, one primitive per line, as the window would paint it.

#include "chart/ChartRequest.h"
#include "chart/ChartSceneText.h"
#include "chart/TrendChart.h"
#include "cli/CliCommands.h"

#include <cstdio>

namespace veltrix::cli {

int ChartCommand(const Args& args) {
    ChartRequest request;
    std::string error;
    if (!ParseChartRequest(args, /*allowPng=*/false, &request, &error)) {
        std::fprintf(stderr, "veltrix-cli chart: %s\n", error.c_str());
        std::fputs("usage: veltrix-cli chart --command TEXT --height H --first-line F "
                   "--record-count N --scene [--omission] [--statistics] < RESULT-TEXT\n",
                   stderr);
        return 2;
    }
    if (!request.scene) {
        std::fputs("veltrix-cli chart: nothing to print without --scene\n", stderr);
        return 2;
    }
    ChartHistory history;
    const ChartInput input = ChartInputOf(request, ReadStandardInput(), &history);
    const std::string text = FormatChartScene(ComputeTrendChart(request.command, input));
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        std::fputs("veltrix-cli chart: cannot write the scene\n", stderr);
        return 1;
    }
    return 0;
}

} // namespace veltrix::cli
