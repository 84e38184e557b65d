// count, backzone and analyse: the analysis buttons over a result text read
// from standard input. They open no database; they exit 0 whenever they ran,
// also when the rows give no report, and 2 on a usage error.

#include "analysis/BackZoneIndex.h"
#include "analysis/NumberCount.h"
#include "analysis/PeriodFollowUp.h"
#include "analysis/ReportFiles.h"
#include "analysis/RowAnalyses.h"
#include "cli/CliCommands.h"
#include "common/AppFiles.h"
#include "common/FileOpener.h"
#include "common/IniFile.h"
#include "common/MessageSink.h"

#include <charconv>
#include <cstdio>

namespace veltrix::cli {
namespace {

// Where the window would open a report in the text editor, the tool lists
// the report's bare file name ("Analyse_gap.txt"), one per line, in the
// window's opening order; the files themselves are in the working directory.
class ListingOpener : public FileOpener {
public:
    void OpenTextFile(const std::string& path) override {
        std::string line = BareFileName(path) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fflush(stdout);
    }
};

void WriteStandardOutput(const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

bool NoArgumentsLeft(const Args& args, const char* usage) {
    Status rest = veltrix::NoArgumentsLeft(args);
    if (!rest)
        std::fprintf(stderr, "veltrix-cli: %s\nusage: veltrix-cli %s\n", rest.error().c_str(),
                     usage);
    return rest.ok();
}

// "3" means runs of three rows; any other value, numeric or not, two.
int ParseRunLength(const std::string& text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return 2;
    return NormaliseRunLength(value);
}

} // namespace

int CountCommand(const Args& args) {
    if (!NoArgumentsLeft(args, "count < RESULT-TEXT"))
        return 2;
    WriteStandardOutput(NumberCountText(ReadStandardInput()));
    return 0;
}

int BackZoneCommand(const Args& args) {
    if (!NoArgumentsLeft(args, "backzone < RESULT-TEXT"))
        return 2;
    WriteStandardOutput(BackZoneIndexText(ReadStandardInput()));
    return 0;
}

int AnalyseCommand(const Args& arguments) {
    const char* usage = "analyse --command TEXT [--run-length N] < RESULT-TEXT";
    Args args = arguments;
    auto command = TakeRequiredOption(args, "--command");
    auto runLengthText = TakeOption(args, "--run-length");
    if (!command || !runLengthText) {
        std::fprintf(stderr, "usage: veltrix-cli %s\n", usage);
        return 2;
    }
    if (!NoArgumentsLeft(args, usage))
        return 2;

    // Like the window, the run length comes from the settings file unless
    // the caller names one.
    int runLength =
        runLengthText->has_value()
            ? ParseRunLength(**runLengthText)
            : NormaliseRunLength(GetProfileInt("OPTION", "Analyse_DLT_LINE", 2, kSettingsPath));
    std::string text = ReadStandardInput();
    StderrHost messages;
    ListingOpener opener;
    AnalyseRowsOfText(text, *command, runLength, ReportServices{messages, opener});
    return 0;
}

} // namespace veltrix::cli
