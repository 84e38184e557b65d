#include "chart/ChartRequest.h"

#include "chart/TrendChart.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace veltrix {

namespace {

// Removes "name VALUE" from args. Absent: false with no error.
bool TakeValue(std::vector<std::string>& args, const std::string& name, std::string* value,
               std::string* error) {
    auto it = std::find(args.begin(), args.end(), name);
    if (it == args.end())
        return false;
    if (it + 1 == args.end()) {
        *error = name + " needs a value";
        return false;
    }
    *value = *(it + 1);
    args.erase(it, it + 2);
    return true;
}

bool TakeFlag(std::vector<std::string>& args, const std::string& name) {
    auto it = std::find(args.begin(), args.end(), name);
    if (it == args.end())
        return false;
    args.erase(it);
    return true;
}

bool ParseInt(const std::string& text, int* value) {
    const char* first = text.data();
    const char* last = first + text.size();
    auto [end, ec] = std::from_chars(first, last, *value);
    return ec == std::errc() && end == last && !text.empty();
}

bool TakeInt(std::vector<std::string>& args, const std::string& name, int minimum, int* value,
             std::string* error) {
    std::string text;
    if (!TakeValue(args, name, &text, error)) {
        if (error->empty())
            *error = "missing " + name;
        return false;
    }
    if (!ParseInt(text, value) || *value < minimum) {
        *error =
            name + ": not " + (minimum == 0 ? "a non-negative" : "an") + " integer: '" + text + "'";
        return false;
    }
    return true;
}

} // namespace

bool ParseChartRequest(std::vector<std::string> args, bool allowPng, ChartRequest* request,
                       std::string* error) {
    error->clear();
    ChartRequest parsed;
    if (!TakeValue(args, "--command", &parsed.command, error)) {
        if (error->empty())
            *error = "missing --command";
        return false;
    }
    constexpr int kAnyInt = std::numeric_limits<int>::min();
    if (!TakeInt(args, "--height", 0, &parsed.height, error))
        return false;
    if (parsed.height > kChartMaxHeight) {
        *error = "--height: at most " + std::to_string(kChartMaxHeight);
        return false;
    }
    if (!TakeInt(args, "--first-line", 0, &parsed.firstLine, error) ||
        !TakeInt(args, "--record-count", kAnyInt, &parsed.recordCount, error))
        return false;
    parsed.scene = TakeFlag(args, "--scene");
    parsed.omission = TakeFlag(args, "--omission");
    parsed.statistics = TakeFlag(args, "--statistics");
    if (allowPng && !TakeValue(args, "--png", &parsed.pngPath, error) && !error->empty())
        return false;
    if (!args.empty()) {
        *error = "unexpected argument '" + args.front() + "'";
        return false;
    }
    *request = std::move(parsed);
    return true;
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
