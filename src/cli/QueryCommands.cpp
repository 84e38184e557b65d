// initdb, query and workspace.

#include "cli/CliCommands.h"
#include "common/AppFiles.h"
#include "common/DataDirectory.h"
#include "db/AdoConnection.h"
#include "db/DrawDatabase.h"
#include "query/CsvExport.h"
#include "query/StatementRunner.h"
#include "update/WorkspacePreparation.h"

#include <cstdio>

namespace veltrix::cli {

int InitDbCommand(const Args& args) {
    if (args.size() > 1) {
        std::fputs("usage: veltrix-cli initdb [PATH]\n", stderr);
        return 2;
    }
    std::string path = args.empty() ? kDatabasePath : args[0];
    if (Status created = CreateDrawDatabase(path); !created) {
        std::fprintf(stderr, "veltrix-cli initdb: %s\n", created.error().c_str());
        return 1;
    }
    return 0;
}

int QueryCommand(const Args& arguments) {
    Args args = arguments;
    auto dbPath = TakeOption(args, "--db");
    auto command = TakeOption(args, "--command");
    const bool csv = TakeFlag(args, "--csv");
    if (!dbPath || !command || args.size() != 1) {
        std::fputs("usage: veltrix-cli query [--db PATH] [--command TEXT] [--csv] SQL\n", stderr);
        return 2;
    }
    const std::string& sql = args[0];
    const std::string path = dbPath->value_or(kDatabasePath);

    CAdoConnection db;
    if (!db.Open(path.c_str())) {
        std::fprintf(stderr, "veltrix-cli query: cannot open %s: %s\n", path.c_str(),
                     db.GetErrorText().c_str());
        return 1;
    }
    StderrHost host({}, command->value_or(sql));
    QueryOutcome outcome = RunStatement(db, sql, host);
    const std::string out = csv ? ResultTextToCsv(outcome.resultText) : outcome.resultText;
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
    std::fprintf(stderr, "%d\n", outcome.recordCount);
    db.Close();
    return outcome.failed ? 1 : 0;
}

int WorkspaceCommand(const Args& args) {
    if (args.size() > 1) {
        std::fputs("usage: veltrix-cli workspace [DIR]\n", stderr);
        return 2;
    }
    const WorkspaceReport report = PrepareWorkspace(args.empty() ? "." : args[0], DataDirectory());
    if (report.madeDatabase)
        std::fputs("veltrix-cli workspace: made DLT.mdb with the sample draws\n", stderr);
    for (const std::string& warning : report.warnings)
        std::fprintf(stderr, "veltrix-cli workspace: %s\n", warning.c_str());
    if (!report.usable) {
        std::fprintf(stderr, "veltrix-cli workspace: %s\n", report.error.c_str());
        return 1;
    }
    return 0;
}

} // namespace veltrix::cli
