#pragma once
// The subcommands of veltrix-cli. Each takes the arguments after its name and
// returns the process exit status.

#include "common/CommandLine.h"
#include "query/StatementRunner.h"

#include <string>

namespace veltrix::cli {

using Args = CommandArgs;

int InitDbCommand(const Args& args);    // initdb [PATH]
int QueryCommand(const Args& args);     // query [--db PATH] [--command TEXT] [--csv] SQL
int ChartCommand(const Args& args);     // chart --command TEXT --height H ... --scene
int CountCommand(const Args& args);     // count
int BackZoneCommand(const Args& args);  // backzone
int AnalyseCommand(const Args& args);   // analyse --command TEXT [--run-length N]
int UpdateCommand(const Args& args);    // update all|GAME
int ImportCommand(const Args& args);    // import [--fill] GAME [FILE]
int CheckCommand(const Args& args);     // check [GAME]
int BulletinCommand(const Args& args);  // bulletin
int SourcesCommand(const Args& args);   // sources
int StatsCommand(const Args& args);     // stats --command TEXT
int WorkspaceCommand(const Args& args); // workspace [DIR]
int PrizeCommand(const Args& args);     // prize GAME [--issue QS | --last N | --all] ... TICKET...

// Reads all of standard input as bytes.
std::string ReadStandardInput();

// Where the core's messages for the user go: one line each on stderr, after
// `prefix` ("veltrix-cli update: "). As a query host it answers with the
// command text that decides the order of rows.
class StderrHost : public QueryHost {
public:
    explicit StderrHost(std::string prefix = {}, std::string commandText = {})
        : m_prefix(std::move(prefix)), m_commandText(std::move(commandText)) {}
    std::string CommandTextForOrder() override { return m_commandText; }
    void ShowMessage(const std::string& text, MessageIcon icon = MessageIcon::None) override;

private:
    std::string m_prefix;
    std::string m_commandText;
};

} // namespace veltrix::cli
