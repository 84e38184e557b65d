#pragma once
// Whole-file reads and writes with errors as values.

#include <string>
#include <string_view>

namespace veltrix {

// Reads every byte of the file. False (and *error set) when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string* bytes, std::string* error = nullptr);

// Writes the bytes to a temporary file beside `path` and renames it over
// `path`, so readers see either the old file or the whole new one. An
// existing file that may not be written is left alone (false); the new file
// keeps the permissions of the old.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

// Creates or truncates `path` and writes the bytes as they are (no atomic
// rename: report files are opened by an editor right after). A regular file
// that could not be written whole is removed.
bool WriteFileBytes(const std::string& path, std::string_view bytes, std::string* error = nullptr);

bool FileExists(const std::string& path);

} // namespace veltrix
