#include "analysis/ReportFiles.h"

#include "common/FileIO.h"
#include "common/MessageSink.h"
#include "common/Strings.h"

namespace veltrix {

std::string BareFileName(std::string_view path) {
    size_t slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool WriteReportFile(const std::string& path, std::string_view text, MessageSink& messages) {
    if (WriteFileBytes(path, ToTextModeBytes(text)))
        return true;
    messages.ShowMessage("can't create file " + BareFileName(path));
    return false;
}

} // namespace veltrix
