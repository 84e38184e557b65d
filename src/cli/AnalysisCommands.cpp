// count, backzone and analyse: the analysis buttons over a result text read
// from standard input. They open no database; they exit 0 whenever they ran,
// also when the rows give no report, and 2 on a usage error.

#include "analysis/BackZoneIndex.h"
#include "analysis/NumberCount.h"
#include "analysis/PeriodFollowUp.h"
#include "analysis/ReportFiles.h"
#include "analysis/RowAnalyses.h"
#include "cli/CliCommands.h"
#include "common/FileOpener.h"
#include "common/IniFile.h"
#include "common/MessageSink.h"

#include <charconv>
#include <cstdio>

namespace veltrix::cli {
namespace {

class StderrMessages : public MessageSink {
public:
    void ShowMessage(const std::string& text, MessageIcon) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
};

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
    if (args.empty())
        return true;
    std::fprintf(stderr, "veltrix-cli: unexpected argument '%s'\nusage: veltrix-cli %s\n",
                 args.front().c_str(), usage);
    return false;
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
    std::string command;
    std::string runLengthText;
    if (!TakeOption(args, "--command", &command)) {
        std::fprintf(stderr, "usage: veltrix-cli %s\n", usage);
        return 2;
    }
    bool hasRunLength = TakeOption(args, "--run-length", &runLengthText);
    if (!NoArgumentsLeft(args, usage))
        return 2;

    // Like the window, the run length comes from the settings file unless
    // the caller names one.
    int runLength =
        hasRunLength
            ? ParseRunLength(runLengthText)
            : NormaliseRunLength(GetProfileInt("OPTION", "Analyse_DLT_LINE", 2, "./Veltrix.ini"));
    std::string text = ReadStandardInput();
    StderrMessages messages;
    ListingOpener opener;
    AnalyseRowsOfText(text, command, runLength, ReportServices{messages, opener});
    return 0;
}

} // namespace veltrix::cli
