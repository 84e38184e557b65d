// veltrix-cli: the program's core for scripts and checks. It links no Qt, so
// it starts as fast as the sqlite3 shell.

#include "cli/CliCommands.h"
#include "common/ProgramInfo.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

struct Subcommand {
    std::string_view name;
    int (*run)(const veltrix::cli::Args&);
    std::string_view usage;
};

constexpr Subcommand kSubcommands[] = {
    {"initdb", veltrix::cli::InitDbCommand, "initdb [PATH]"},
    {"query", veltrix::cli::QueryCommand, "query [--db PATH] [--command TEXT] [--csv] SQL"},
    {"chart", veltrix::cli::ChartCommand,
     "chart --command TEXT --height H --first-line F --record-count N --scene [--omission] "
     "[--statistics]"},
    {"stats", veltrix::cli::StatsCommand, "stats --command TEXT < RESULT-TEXT"},
    {"count", veltrix::cli::CountCommand, "count < RESULT-TEXT"},
    {"backzone", veltrix::cli::BackZoneCommand, "backzone < RESULT-TEXT"},
    {"analyse", veltrix::cli::AnalyseCommand,
     "analyse --command TEXT [--run-length N] < RESULT-TEXT"},
    {"update", veltrix::cli::UpdateCommand, "update all|GAME"},
    {"import", veltrix::cli::ImportCommand, "import [--fill] GAME [FILE]"},
    {"check", veltrix::cli::CheckCommand, "check [GAME]"},
    {"bulletin", veltrix::cli::BulletinCommand, "bulletin"},
    {"sources", veltrix::cli::SourcesCommand, "sources"},
    {"workspace", veltrix::cli::WorkspaceCommand, "workspace [DIR]"},
    {"prize", veltrix::cli::PrizeCommand,
     "prize GAME [--issue QS | --last N | --all] [--play direct|group3|group6] [--plus] TICKET..."},
};

int Usage(FILE* out) {
    std::fputs("usage: veltrix-cli COMMAND [ARGS] | --help | --version\ncommands:\n", out);
    for (const Subcommand& sub : kSubcommands)
        std::fprintf(out, "  %.*s\n", static_cast<int>(sub.usage.size()), sub.usage.data());
    return out == stdout ? 0 : 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage(stderr);
    std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help")
        return Usage(stdout);
    if (name == "--version") {
        std::fputs(veltrix::VersionLine("veltrix-cli").c_str(), stdout);
        return 0;
    }
    for (const Subcommand& sub : kSubcommands) {
        if (sub.name == name)
            return sub.run(veltrix::cli::Args(argv + 2, argv + argc));
    }
    std::fprintf(stderr, "veltrix-cli: unknown command '%s'\n", argv[1]);
    return Usage(stderr);
}
