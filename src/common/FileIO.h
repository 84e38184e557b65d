#pragma once
// Whole-file reads and writes with errors as values. An error text names the
// file and the system's reason ("cannot open ./x.txt: No such file or
// directory").

#include "common/Result.h"

#include <string>
#include <string_view>

namespace veltrix {

// Every byte of the file.
Result<std::string> ReadFileBytes(const std::string& path);

// Writes the bytes to a temporary file beside `path` and renames it over
// `path`, so readers see either the old file or the whole new one. An
// existing file that may not be written is left alone (a failure); the new
// file keeps the permissions of the old.
Status WriteFileAtomically(const std::string& path, std::string_view bytes);

// Creates or truncates `path` and writes the bytes as they are (no atomic
// rename: report files are opened by an editor right after). A regular file
// that could not be written whole is removed.
Status WriteFileBytes(const std::string& path, std::string_view bytes);

bool FileExists(const std::string& path);

} // namespace veltrix
