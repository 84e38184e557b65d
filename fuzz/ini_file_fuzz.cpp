// Settings file bytes → profile reads, a profile write and the saved commands.
//
// Besides running clean under the sanitizers, a write that succeeds must be
// readable at once: the value comes back from the new bytes, and nothing else
// the file says changes (the saved commands read the same), as long as the
// file stays in one encoding (a write that removes the only bytes that are not
// UTF-8 turns a GBK file into a UTF-8 one, and its other lines then read
// differently).

#include "common/IniFile.h"
#include "common/TextCodec.h"
#include "query/SavedCommands.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// What the saved-command list shows: every name and its command text.
std::vector<std::string> SavedCommands(std::string_view bytes) {
    std::vector<std::string> out;
    for (const std::string& name : veltrix::SavedCommandNames(bytes)) {
        out.push_back(name);
        out.push_back(veltrix::SavedCommandText(bytes, name));
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    veltrix::ProfileStringFromText(bytes, "Command", "cmd1", "default");
    veltrix::ProfileIntFromText(bytes, "OPTION", "Analyse_DLT_LINE", 2);
    const std::vector<std::string> commands = SavedCommands(bytes);

    std::optional<std::string> written =
        veltrix::ProfileTextWithValue(bytes, "OPTION", "Analyse_DLT_LINE", "3");
    if (written && veltrix::IsValidUtf8(bytes) == veltrix::IsValidUtf8(*written) &&
        (veltrix::ProfileStringFromText(*written, "OPTION", "Analyse_DLT_LINE", "") != "3" ||
         SavedCommands(*written) != commands))
        std::abort();
    return 0;
}
