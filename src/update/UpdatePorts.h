#pragma once
// What the update flow needs from the program around it: a way to run one
// statement (the window's statement runner with all its side effects, or the
// command-line runner) and the title that shows the progress. The flow knows
// nothing of windows; the window and veltrix-cli adapt themselves to these.

#include "common/Result.h"
#include "query/StatementRunner.h"

#include <atomic>
#include <string>

namespace veltrix {

// Set from another thread (the window's close) to ask a running update to
// stop at its next step.
using StopFlag = std::atomic<bool>;

inline bool StopRequested(const StopFlag* stop) {
    return stop && stop->load(std::memory_order_relaxed);
}

class SqlRunner {
public:
    virtual ~SqlRunner() = default;
    virtual QueryOutcome Run(const std::string& sql) = 0;

    // The import groups its INSERTs into batches. A runner without a
    // database of its own (a test's script) has nothing to group. Commit
    // fails saying why when the batch is not stored.
    virtual Status BeginBatch() { return {}; }
    virtual Status CommitBatch() { return {}; }
    // Copies the write-ahead log into the database file, so that a copy of
    // the file alone holds every committed draw.
    virtual void Checkpoint() {}
};

// Batches and checkpoints on an open connection, for the runners over one.
Status BeginBatchOn(CAdoConnection& db);
Status CommitBatchOn(CAdoConnection& db);
void CheckpointOn(CAdoConnection& db);

// The command-line tool's and the tests' runner: the statement runner over an
// open connection, messages going to the host.
class ConnectionSqlRunner : public SqlRunner {
public:
    ConnectionSqlRunner(CAdoConnection& db, QueryHost& host) : m_db(db), m_host(host) {}
    QueryOutcome Run(const std::string& sql) override { return RunStatement(m_db, sql, m_host); }
    Status BeginBatch() override { return BeginBatchOn(m_db); }
    Status CommitBatch() override { return CommitBatchOn(m_db); }
    void Checkpoint() override { CheckpointOn(m_db); }

private:
    CAdoConnection& m_db;
    QueryHost& m_host;
};

// The window title: read it, set it. Setting it must let the title repaint
// even though the caller keeps the thread busy.
class TitleProgress {
public:
    virtual ~TitleProgress() = default;
    virtual std::string Title() = 0;
    virtual void SetTitle(const std::string& text) = 0;
};

// "更新全部" also greys out the button that reloads the saved commands while
// it runs.
class UpdateAllHost : public TitleProgress {
public:
    virtual void SetReloadEnabled(bool enabled) = 0;
};

} // namespace veltrix
