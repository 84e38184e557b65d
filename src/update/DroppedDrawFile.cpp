#include "update/DroppedDrawFile.h"

#include "common/Strings.h"

namespace veltrix {

std::optional<LotteryKind> GameNamedByFileName(std::string_view fileName) {
    const std::string name = ToLowerAscii(fileName);
    for (size_t at = 0; at < name.size(); ++at) {
        if (at > 0 && (IsAsciiLetter(name[at - 1]) || IsAsciiDigit(name[at - 1])))
            continue;
        for (const LotteryInfo& game : AllLotteries()) {
            const size_t end = at + game.code.size();
            if (name.compare(at, game.code.size(), game.code) == 0 &&
                (end == name.size() || !IsAsciiLetter(name[end])))
                return game.kind;
        }
    }
    return std::nullopt;
}

} // namespace veltrix
