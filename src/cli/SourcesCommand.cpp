// sources: where each game's draws last came from, and what is stored.
// One line per game, tab-separated: code, source of the last update, its
// time, the newest stored issue and its date ("-" when unknown).

#include "cli/CliCommands.h"
#include "common/FileIO.h"
#include "db/AdoConnection.h"
#include "update/DrawUpdate.h"
#include "update/UpdatePorts.h"
#include "update/feeds/UpdateSources.h"

#include <cstdio>

namespace veltrix::cli {
namespace {

class SourcesHost : public QueryHost {
public:
    std::string CommandTextForOrder() override { return {}; }
    void ShowMessage(const std::string& text, MessageIcon) override {
        std::fprintf(stderr, "veltrix-cli sources: %s\n", text.c_str());
        failed = true;
    }
    bool failed = false;
};

} // namespace

int SourcesCommand(const Args& args) {
    if (!args.empty()) {
        std::fputs("usage: veltrix-cli sources\n", stderr);
        return 2;
    }
    CAdoConnection db;
    if (!db.Open("./DLT.mdb")) {
        std::fprintf(stderr, "veltrix-cli sources: cannot open ./DLT.mdb: %s\n",
                     db.GetErrorText().c_str());
        return 1;
    }
    std::string sources;
    // A missing file knows no sources.
    ReadFileBytes(DrawFilePath(kDrawFolder, kSourcesFileName), &sources);
    SourcesHost host;
    ConnectionSqlRunner runner(db, host);
    std::string text = DescribeSources(ProfileData(sources), runner);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    return host.failed ? 1 : 0;
}

} // namespace veltrix::cli
