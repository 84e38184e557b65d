#pragma once
// Options on a command line: "--name VALUE" and "--name" flags, taken out of
// the argument list wherever they stand, so that what is left is the
// positional arguments (and anything unknown, which the caller refuses).

#include "common/Result.h"

#include <optional>
#include <string>
#include <vector>

namespace veltrix {

using CommandArgs = std::vector<std::string>;

// Removes "name VALUE" from args and gives VALUE; nothing when the option is
// absent; an error when the name is the last argument.
Result<std::optional<std::string>> TakeOption(CommandArgs& args, const std::string& name);

// The same for an option that must be present.
Result<std::string> TakeRequiredOption(CommandArgs& args, const std::string& name);

// A required whole-number option (decimal, nothing around it) of at least
// `minimum`.
Result<int> TakeIntOption(CommandArgs& args, const std::string& name, int minimum);

// Removes "name" from args; whether it was there.
bool TakeFlag(CommandArgs& args, const std::string& name);

// The text to refuse what is left over, or nothing when args is empty.
Status NoArgumentsLeft(const CommandArgs& args);

} // namespace veltrix
