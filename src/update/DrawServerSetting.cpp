// Kept apart from the update flow so that programs and tests which never read
// the settings file do not link the settings module.
#include "common/IniFile.h"
#include "update/DrawUpdate.h"

namespace veltrix {

DrawServerChoice DrawServerFromSettings(const std::string& settingsPath) {
    return ChooseDrawServer(GetProfileString("OPTION", "DrawServer", "", settingsPath));
}

} // namespace veltrix
