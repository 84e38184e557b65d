#include "update/WorkspacePreparation.h"

#include "common/FileIO.h"
#include "common/StartArguments.h"
#include "db/AdoConnection.h"
#include "db/DrawDatabase.h"
#include "db/LotteryCatalogue.h"
#include "update/DrawImport.h"
#include "update/UpdatePorts.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace veltrix {
namespace {

namespace fs = std::filesystem;

// Import messages become the report's warnings; nobody watches a title.
class CollectingHost : public QueryHost, public TitleProgress {
public:
    explicit CollectingHost(std::vector<std::string>& warnings) : m_warnings(warnings) {}
    std::string CommandTextForOrder() override { return {}; }
    void ShowMessage(const std::string& text, MessageIcon) override { m_warnings.push_back(text); }
    std::string Title() override { return m_title; }
    void SetTitle(const std::string& text) override { m_title = text; }

private:
    std::vector<std::string>& m_warnings;
    std::string m_title;
};

std::vector<fs::path> SampleDrawFiles(const fs::path& dataDir) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(dataDir / "draws", error)) {
        if (entry.path().extension() == ".txt")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool MakeDatabase(const fs::path& folder, const fs::path& dataDir, WorkspaceReport& report) {
    const fs::path target = folder / "DLT.mdb";
    const fs::path building = folder / "DLT.mdb.new";
    std::error_code ignored;
    fs::remove(building, ignored);
    if (!CreateDrawDatabase(building.string(), &report.error))
        return false;

    CAdoConnection db;
    if (!db.Open(building.string().c_str())) {
        report.error = "cannot open the new database: " + db.GetErrorText();
        fs::remove(building, ignored);
        return false;
    }
    CollectingHost host(report.warnings);
    ConnectionSqlRunner runner(db, host);
    const std::vector<fs::path> samples = SampleDrawFiles(dataDir);
    if (samples.empty())
        report.warnings.push_back("no sample draws in " + (dataDir / "draws").string());
    for (const fs::path& file : samples) {
        const std::optional<LotteryKind> game = FindLotteryByCode(file.stem().string());
        if (!game) {
            report.warnings.push_back(file.string() + " names no game; not imported");
            continue;
        }
        if (!ImportDrawFileAt(*game, file.string(), runner, host).Succeeded())
            report.warnings.push_back("importing " + file.string() + " failed");
    }
    db.Close();

    std::error_code error;
    fs::rename(building, target, error);
    if (error) {
        report.error = "cannot put the new database in place: " + error.message();
        fs::remove(building, ignored);
        return false;
    }
    report.madeDatabase = true;
    return true;
}

void CopySettings(const fs::path& folder, const fs::path& dataDir, WorkspaceReport& report) {
    const fs::path sample = dataDir / "Veltrix.ini";
    std::string bytes, error;
    if (!ReadFileBytes(sample.string(), &bytes, &error)) {
        report.warnings.push_back("no sample saved commands: " + error);
        return;
    }
    if (!WriteFileAtomically((folder / "Veltrix.ini").string(), bytes, &error)) {
        report.warnings.push_back("cannot write Veltrix.ini: " + error);
        return;
    }
    report.copiedSettings = true;
}

} // namespace

WorkspaceReport PrepareWorkspace(const std::string& folderName, const std::string& dataDirName) {
    WorkspaceReport report;
    const fs::path folder(folderName);
    const fs::path dataDir(dataDirName);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder)) {
        report.error = "cannot make the folder " + folderName +
                       (error ? ": " + error.message() : std::string());
        return report;
    }
    if (!fs::exists(folder / "DLT.mdb", error) && !MakeDatabase(folder, dataDir, report))
        return report;
    if (!fs::exists(folder / "Veltrix.ini", error))
        CopySettings(folder, dataDir, report);
    report.usable = true;
    return report;
}

bool EnterWorkspace(const std::string& folder, const std::string& dataDir, MessageSink& messages) {
    const std::string chosen =
        folder.empty() ? DefaultWorkspaceFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"))
                       : folder;
    const WorkspaceReport report = PrepareWorkspace(chosen, dataDir);
    std::error_code error;
    if (report.usable)
        fs::current_path(chosen, error);
    if (!report.usable || error) {
        messages.ShowMessage("cannot work in " + chosen + ": " +
                                 (report.usable ? error.message() : report.error),
                             MessageIcon::Warning);
        return false;
    }
    if (!report.warnings.empty()) {
        std::string text = "The new working folder " + chosen + " is missing some samples:";
        for (const std::string& warning : report.warnings)
            text += "\n" + warning;
        messages.ShowMessage(text, MessageIcon::Warning);
    }
    return true;
}

} // namespace veltrix
