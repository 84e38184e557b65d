#pragma once
// Doubles for the update flow: a title that remembers every text it was
// given, a statement runner that answers from a script, a downloader that
// writes given bytes (or fails) without a network, and a query host for a
// real connection.

#include "query/StatementRunner.h"
#include "update/DrawDownloader.h"
#include "update/UpdatePorts.h"

#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace veltrix::test {

class RecordingTitle : public UpdateAllHost {
public:
    explicit RecordingTitle(std::string initial = "Veltrix") : title(std::move(initial)) {}
    std::string Title() override { return title; }
    void SetTitle(const std::string& text) override {
        title = text;
        history.push_back(text);
        if (onSetTitle)
            onSetTitle(text);
    }
    void SetReloadEnabled(bool enabled) override {
        history.push_back(enabled ? "<reload enabled>" : "<reload disabled>");
    }

    std::string title;
    std::vector<std::string> history;
    std::function<void(const std::string&)> onSetTitle;
};

// Answers the newest-issue query with `newestAnswer` and every other
// statement with an empty success, unless `fails` says otherwise (then with
// the SQL state `failState`).
class ScriptedRunner : public SqlRunner {
public:
    QueryOutcome Run(const std::string& sql) override {
        statements.push_back(sql);
        QueryOutcome outcome;
        outcome.ran = true;
        if (fails && fails(sql)) {
            outcome.failed = true;
            outcome.sqlState = failState;
            return outcome;
        }
        if (sql.starts_with("select top 1 qs")) {
            outcome.resultText = newestAnswer;
            outcome.recordCount = newestAnswer.empty() ? 0 : 1;
            outcome.countComplete = true;
        }
        return outcome;
    }

    std::string newestAnswer;
    std::function<bool(const std::string&)> fails;
    std::string failState = "23000"; // the table refused the row
    std::vector<std::string> statements;
};

// Serves bytes per address; an address it does not know fails like a 404.
class FakeDownloader : public DrawDownloader {
public:
    DownloadResult Download(const std::string& url, const std::string& localPath) override {
        requests.push_back({url, localPath});
        if (onDownload)
            onDownload(url);
        auto found = files.find(url);
        if (found == files.end())
            return {false, 404, "the server answered HTTP status 404"};
        std::ofstream out(localPath, std::ios::binary | std::ios::trunc);
        out << found->second;
        out.close();
        if (!out)
            return {false, 200, "cannot create " + localPath};
        return {true, 200, {}};
    }

    struct Request {
        std::string url;
        std::string localPath;
    };
    std::map<std::string, std::string> files;
    std::vector<Request> requests;
    std::function<void(const std::string&)> onDownload;
};

class QuietQueryHost : public QueryHost {
public:
    std::string CommandTextForOrder() override { return commandText; }
    void ShowMessage(const std::string& text, MessageIcon) override { messages.push_back(text); }

    std::string commandText;
    std::vector<std::string> messages;
};

} // namespace veltrix::test
