#include "query/SavedCommands.h"

#include "common/IniFile.h"
#include "common/Strings.h"

namespace veltrix {
namespace {

constexpr std::string_view kSection = "Command";
constexpr int kMaxKeys = 100;

} // namespace

std::vector<std::string> SavedCommandNames(std::string_view settingsBytes) {
    ProfileData settings(settingsBytes);
    std::vector<std::string> names;
    for (int i = 1; i <= kMaxKeys; ++i) {
        std::string name = settings.GetString(kSection, StrFormat("cmd%d", i), "");
        if (!name.empty())
            names.push_back(std::move(name));
    }
    return names;
}

std::string SavedCommandText(std::string_view settingsBytes, std::string_view name) {
    ProfileData settings(settingsBytes);
    int number = AtoiPrefix(name);
    std::string text;
    for (int j = 1; j <= kMaxKeys; ++j) {
        std::string line = settings.GetString(kSection, StrFormat("cmd%d_SQL%d", number, j), "");
        if (!line.empty()) {
            text += line;
            text += "\r\n";
        }
    }
    return text;
}

} // namespace veltrix
