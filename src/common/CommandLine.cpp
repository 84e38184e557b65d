#include "common/CommandLine.h"

#include <algorithm>
#include <charconv>

namespace veltrix {

Result<std::optional<std::string>> TakeOption(CommandArgs& args, const std::string& name) {
    auto it = std::find(args.begin(), args.end(), name);
    if (it == args.end())
        return std::optional<std::string>();
    if (it + 1 == args.end())
        return Fail(name + " needs a value");
    std::string value = std::move(*(it + 1));
    args.erase(it, it + 2);
    return std::optional<std::string>(std::move(value));
}

Result<std::string> TakeRequiredOption(CommandArgs& args, const std::string& name) {
    auto value = TakeOption(args, name);
    if (!value)
        return Fail(value.error());
    if (!value->has_value())
        return Fail("missing " + name);
    return std::move(**value);
}

Result<int> TakeIntOption(CommandArgs& args, const std::string& name, int minimum) {
    auto text = TakeRequiredOption(args, name);
    if (!text)
        return Fail(text.error());
    int value = 0;
    const char* first = text->data();
    const char* last = first + text->size();
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || text->empty() || value < minimum)
        return Fail(name + ": not " + (minimum == 0 ? "a non-negative" : "an") + " integer: '" +
                    *text + "'");
    return value;
}

bool TakeFlag(CommandArgs& args, const std::string& name) {
    auto it = std::find(args.begin(), args.end(), name);
    if (it == args.end())
        return false;
    args.erase(it);
    return true;
}

Status NoArgumentsLeft(const CommandArgs& args) {
    if (args.empty())
        return {};
    return Fail("unexpected argument '" + args.front() + "'");
}

} // namespace veltrix
