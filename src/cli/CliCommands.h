#pragma once
// The subcommands of veltrix-cli. Each takes the arguments after its name and
// returns the process exit status.

#include <string>
#include <vector>

namespace veltrix::cli {

using Args = std::vector<std::string>;

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

// Value of "--name VALUE" in args, removing both; empty optional when absent.
bool TakeOption(Args& args, const std::string& name, std::string* value);
bool TakeFlag(Args& args, const std::string& name);

} // namespace veltrix::cli
