#pragma once
// Saved commands: SQL texts kept by hand in section [Command] of the settings
// file. Keys cmd1 .. cmd100 hold the names shown in the list; a name begins
// with its command number N, and keys cmdN_SQL1 .. cmdN_SQL100 hold the lines
// of that command. Gaps are allowed anywhere; empty values are skipped.
//
// Both functions take the settings file's bytes (UTF-8, or GBK from Windows).

#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

// The non-empty names, in key order.
std::vector<std::string> SavedCommandNames(std::string_view settingsBytes);

// The command text of a listed name: its non-empty lines, each followed by
// "\r\n"; the empty text when the command has no lines. The number is read
// from the start of the name as atoi reads it (0 without digits).
std::string SavedCommandText(std::string_view settingsBytes, std::string_view name);

} // namespace veltrix
