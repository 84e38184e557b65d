#pragma once
// The settings file "./Veltrix.ini" read and written with the semantics of the
// Win32 private-profile functions (GetPrivateProfileStringA and friends):
// section and key names compare without regard to case, values are trimmed and
// lose one pair of matching quotes, lines starting with ';' are comments, the
// first of duplicate keys wins, a value is cut to bufferSize - 1 bytes, and a
// missing file, section or key gives the default. Files are UTF-8; a file that
// is not valid UTF-8 is decoded as GBK (settings written on Windows).
//
// Writes replace only the key's line (or add the key, or add the section) and
// keep every other byte of the file, its encoding and its line-end style. A
// missing file is created in UTF-8 with CR LF line ends.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

// A settings file parsed once, for callers that read many keys of it (the
// saved commands read up to 200). Lookups have the semantics above.
class ProfileData {
public:
    explicit ProfileData(std::string_view fileBytes);

    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, size_t bufferSize = 255) const;
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;

private:
    struct Key {
        std::string name;
        std::optional<std::string> value; // none: a line without '='
    };
    struct Section {
        std::string name;
        std::vector<Key> keys;
    };
    const Key* Find(std::string_view section, std::string_view key) const;

    std::vector<Section> m_sections;
};

// Pure forms over the file's bytes, for tests and fuzzing.
std::string ProfileStringFromText(std::string_view fileBytes, std::string_view section,
                                  std::string_view key, std::string_view defaultValue,
                                  size_t bufferSize = 255);
int ProfileIntFromText(std::string_view fileBytes, std::string_view section, std::string_view key,
                       int defaultValue);
// The file's new bytes after writing `value` under section/key. Nothing when
// the write would break the file: a line break in any of the three, a ']' in
// the section, a '=' in the key, an empty section or key, or (for a GBK file)
// a character that GBK cannot hold.
std::optional<std::string> ProfileTextWithValue(std::string_view fileBytes,
                                                std::string_view section, std::string_view key,
                                                std::string_view value);

// File forms.
std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& path,
                             size_t bufferSize = 255);
int GetProfileInt(const std::string& section, const std::string& key, int defaultValue,
                  const std::string& path);
bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path);

} // namespace veltrix
