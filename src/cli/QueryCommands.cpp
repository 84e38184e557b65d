// initdb, query and workspace.

#include "cli/CliCommands.h"
#include "common/DataDirectory.h"
#include "db/AdoConnection.h"
#include "db/DrawDatabase.h"
#include "query/CsvExport.h"
#include "query/StatementRunner.h"
#include "update/WorkspacePreparation.h"

#include <cstdio>

namespace veltrix::cli {
namespace {

class StderrQueryHost : public QueryHost {
public:
    explicit StderrQueryHost(std::string commandText) : m_commandText(std::move(commandText)) {}
    std::string CommandTextForOrder() override { return m_commandText; }
    void ShowMessage(const std::string& text, MessageIcon) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }

private:
    std::string m_commandText;
};

} // namespace

int InitDbCommand(const Args& args) {
    if (args.size() > 1) {
        std::fputs("usage: veltrix-cli initdb [PATH]\n", stderr);
        return 2;
    }
    std::string path = args.empty() ? "./DLT.mdb" : args[0];
    std::string error;
    if (!CreateDrawDatabase(path, &error)) {
        std::fprintf(stderr, "veltrix-cli initdb: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

int QueryCommand(const Args& arguments) {
    Args args = arguments;
    std::string dbPath = "./DLT.mdb";
    std::string command;
    TakeOption(args, "--db", &dbPath);
    const bool csv = TakeFlag(args, "--csv");
    bool hasCommand = TakeOption(args, "--command", &command);
    if (args.size() != 1) {
        std::fputs("usage: veltrix-cli query [--db PATH] [--command TEXT] [--csv] SQL\n", stderr);
        return 2;
    }
    const std::string& sql = args[0];

    CAdoConnection db;
    if (!db.Open(dbPath.c_str())) {
        std::fprintf(stderr, "veltrix-cli query: cannot open %s: %s\n", dbPath.c_str(),
                     db.GetErrorText().c_str());
        return 1;
    }
    StderrQueryHost host(hasCommand ? command : sql);
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
