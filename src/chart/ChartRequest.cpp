#include "chart/ChartRequest.h"

#include "chart/TrendChart.h"

#include <limits>

namespace veltrix {

Result<ChartRequest> ParseChartRequest(CommandArgs args, bool allowPng) {
    ChartRequest parsed;
    auto command = TakeRequiredOption(args, "--command");
    if (!command)
        return Fail(command.error());
    parsed.command = std::move(*command);
    auto height = TakeIntOption(args, "--height", 0);
    if (!height)
        return Fail(height.error());
    if (*height > kChartMaxHeight)
        return Fail("--height: at most " + std::to_string(kChartMaxHeight));
    auto firstLine = TakeIntOption(args, "--first-line", 0);
    if (!firstLine)
        return Fail(firstLine.error());
    auto recordCount = TakeIntOption(args, "--record-count", std::numeric_limits<int>::min());
    if (!recordCount)
        return Fail(recordCount.error());
    parsed.height = *height;
    parsed.firstLine = *firstLine;
    parsed.recordCount = *recordCount;
    parsed.scene = TakeFlag(args, "--scene");
    if (allowPng) {
        auto png = TakeOption(args, "--png");
        if (!png)
            return Fail(png.error());
        parsed.pngPath = png->value_or("");
    }
    if (Status rest = NoArgumentsLeft(args); !rest)
        return Fail(rest.error());
    return parsed;
}

} // namespace veltrix
