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
    parsed.omission = TakeFlag(args, "--omission");
    parsed.statistics = TakeFlag(args, "--statistics");
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

ChartInput ChartInputOf(const ChartRequest& request, std::string_view resultText,
                        ChartHistory* history) {
    ChartInput input;
    input.clientHeight = request.height;
    input.recordCount = request.recordCount;
    input.lines = ChartLinesFromText(resultText, request.firstLine);
    input.omission = request.omission;
    input.statistics = request.statistics;
    if (input.omission || input.statistics) {
        *history = ChartHistoryOfText(ChooseChartLayout(request.command), resultText);
        input.history = history;
        input.firstLine = request.firstLine;
    }
    return input;
}

} // namespace veltrix
