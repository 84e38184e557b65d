#pragma once
// Doubles and helpers for the update flow's tests, each said below.

#include "db/LotteryCatalogue.h"
#include "query/StatementRunner.h"
#include "update/DrawDownloader.h"
#include "update/UpdatePorts.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
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
        if (sql.starts_with("select")) { // the newest issue, or the stored ones of a fill
            outcome.resultText = newestAnswer;
            outcome.recordCount = newestAnswer.empty() ? 0 : 1;
            outcome.countComplete = true;
        }
        return outcome;
    }
    Status BeginBatch() override {
        batches.push_back("begin " + std::to_string(statements.size()));
        return {};
    }
    Status CommitBatch() override {
        batches.push_back("commit " + std::to_string(statements.size()));
        return commitError.empty() ? Status() : Fail(commitError);
    }
    void Checkpoint() override { batches.push_back("checkpoint"); }

    std::string newestAnswer;
    std::string commitError; // what every commit answers
    std::function<bool(const std::string&)> fails;
    std::string failState = "23000"; // the table refused the row
    std::vector<std::string> statements;
    std::vector<std::string> batches; // "begin N", "commit N" after N statements, "checkpoint"
};

// Serves bytes per address; an address it does not know fails like a 404.
// The window calls it on a worker thread: `onDownload` must not touch the
// window.
class FakeDownloader : public DrawDownloader {
public:
    DownloadResult Download(const std::string& url, const std::string& localPath,
                            const StopFlag* = nullptr) override {
        requests.push_back({url, localPath});
        if (onDownload)
            onDownload(url);
        auto found = files.find(url);
        if (found == files.end())
            return {false, 404, "the server answered HTTP status 404", false, false, {}};
        std::ofstream out(localPath, std::ios::binary | std::ios::trunc);
        out << found->second;
        out.close();
        if (!out)
            return {false, 200, "cannot create " + localPath, false, false, {}};
        return {true, 200, {}, false, false, {}};
    }

    struct Request {
        std::string url;
        std::string localPath;
    };
    std::map<std::string, std::string> files;
    std::vector<Request> requests;
    std::function<void(const std::string&)> onDownload;
};

// A query host for a real connection: keeps its messages instead of showing them.
class QuietQueryHost : public QueryHost {
public:
    std::string CommandTextForOrder() override { return commandText; }
    void ShowMessage(const std::string& text, MessageIcon) override { messages.push_back(text); }

    std::string commandText;
    std::vector<std::string> messages;
};

// The answers of the bulletin's eight queries, in row order, for well-formed
// draws: the newest draws of the sample files.
inline std::array<std::string, kLotteryCount> WellFormedBulletinAnswers() {
    return {
        " 08.22 26095│04 06 08 10 14 + 04 05  │\r\n", " 08.22 26224│9 1 2 4 0               │\r\n",
        " 08.22 26224│9 1 2                   │\r\n", " 08.21 26096│1 4 2 6 9 5 5           │\r\n",
        " 01.01 26001│01 05 09 13 22          │\r\n", " 08.20 26096│01 04 16 22 26 31 + 04  │\r\n",
        " 08.21 26223│9 4 8                   │\r\n", " 08.21 26096│05 14 17 24 26 28 29 +16│\r\n"};
}

// The lines of a text, each of which must end in CR LF, without their ends.
inline std::vector<std::string> CrLfLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.emplace_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
    return lines;
}

// Sets an environment variable for the rest of the scope (the time zone is
// read again, for TZ).
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        ::setenv(name, value.c_str(), 1);
        ::tzset();
    }
    ~ScopedEnv() {
        m_old ? ::setenv(m_name, m_old->c_str(), 1) : ::unsetenv(m_name);
        ::tzset();
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// A real draw file of data/draws (ctest sets VELTRIX_SAMPLE_DRAWS).
inline std::string SampleDrawFile(std::string_view name) {
    const char* folder = std::getenv("VELTRIX_SAMPLE_DRAWS");
    return std::string(folder ? folder : "data/draws") + "/" + std::string(name);
}

} // namespace veltrix::test
