#pragma once
// An in-memory draw database for fuzz targets that run statements, built so a
// statement cannot reach beyond it:
// - the connection uses a file system that refuses to open, delete or probe
//   any file (and to load libraries), so even a statement the authorizer
//   failed to stop (VACUUM INTO, an ATTACH of a file) cannot touch the disk;
//   an attempt aborts the process, so the fuzzer reports it;
// - temporary tables and sort spills stay in memory;
// - an authorizer lets a statement do only what the target allows, and never
//   ATTACH, DETACH, PRAGMA, virtual tables, triggers or transaction control
//   (the harness's own savepoints excepted), nor call load_extension or
//   fts3_tokenizer;
// - SQLite's heap, the length of values and of SQL texts, the depth of
//   expressions, compound selects and LIKE patterns are bounded, and a
//   progress handler ends a statement after a bounded number of steps.
//
// Each input runs inside a savepoint that is rolled back afterwards, so
// inputs never see each other's changes.

#include "db/DrawDatabase.h"
#include "db/JetDialect.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sqlite3.h>
#include <string>

namespace veltrix::fuzz {

// Decides on one authorizer request (action code and its first two
// arguments, either of which may be null).
using SandboxPolicy = std::function<bool(int action, const char* arg1, const char* arg2)>;

namespace detail {

inline sqlite3_vfs* RealVfs() {
    static sqlite3_vfs* real = sqlite3_vfs_find(nullptr);
    return real;
}

[[noreturn]] inline void FileAccessAttempted(const char* what, const char* name) {
    std::fprintf(stderr, "fuzz sandbox: a statement tried to %s %s\n", what,
                 name ? name : "(temporary file)");
    std::abort();
}

inline const char* SandboxVfsName() {
    static sqlite3_vfs vfs = [] {
        sqlite3_vfs v{};
        v.iVersion = 1;
        v.szOsFile = static_cast<int>(sizeof(sqlite3_file));
        v.mxPathname = 512;
        v.zName = "veltrix-fuzz-sandbox";
        v.xOpen = [](sqlite3_vfs*, const char* name, sqlite3_file* file, int, int*) -> int {
            file->pMethods = nullptr;
            FileAccessAttempted("open", name);
        };
        v.xDelete = [](sqlite3_vfs*, const char* name, int) -> int {
            FileAccessAttempted("delete", name);
        };
        v.xAccess = [](sqlite3_vfs*, const char*, int, int* result) {
            *result = 0; // nothing exists
            return SQLITE_OK;
        };
        v.xFullPathname = [](sqlite3_vfs*, const char* name, int size, char* out) {
            std::snprintf(out, static_cast<size_t>(size), "%s", name);
            return SQLITE_OK;
        };
        v.xDlOpen = [](sqlite3_vfs*, const char*) -> void* { return nullptr; };
        v.xDlError = [](sqlite3_vfs*, int size, char* out) {
            std::snprintf(out, static_cast<size_t>(size), "no libraries in the fuzz sandbox");
        };
        v.xRandomness = [](sqlite3_vfs*, int size, char* out) {
            return RealVfs()->xRandomness(RealVfs(), size, out);
        };
        // Nothing to wait for in memory.
        v.xSleep = [](sqlite3_vfs*, int microseconds) { return microseconds; };
        v.xCurrentTime = [](sqlite3_vfs*, double* now) {
            return RealVfs()->xCurrentTime(RealVfs(), now);
        };
        v.xGetLastError = [](sqlite3_vfs*, int, char*) { return 0; };
        return v;
    }();
    static const bool registered = sqlite3_vfs_register(&vfs, 0) == SQLITE_OK;
    return registered ? vfs.zName : nullptr;
}

struct SandboxState {
    SandboxPolicy policy;
    bool harness = false; // the harness's own statements: savepoints allowed
};

inline SandboxState& State() {
    static SandboxState state;
    return state;
}

inline bool NeverAllowed(int action, const char* arg2) {
    switch (action) {
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
    case SQLITE_PRAGMA:
    case SQLITE_ANALYZE:
    case SQLITE_REINDEX:
    case SQLITE_CREATE_VTABLE:
    case SQLITE_DROP_VTABLE:
    case SQLITE_CREATE_TRIGGER:
    case SQLITE_CREATE_TEMP_TRIGGER:
    case SQLITE_DROP_TRIGGER:
    case SQLITE_DROP_TEMP_TRIGGER:
        return true;
    case SQLITE_FUNCTION:
        // The SQL functions that could reach a file or a raw pointer.
        return arg2 && (sqlite3_stricmp(arg2, "load_extension") == 0 ||
                        sqlite3_stricmp(arg2, "fts3_tokenizer") == 0);
    default:
        return false;
    }
}

inline int Authorize(void*, int action, const char* arg1, const char* arg2, const char*,
                     const char*) {
    SandboxState& state = State();
    if (state.harness)
        return SQLITE_OK;
    if (NeverAllowed(action, arg2) || action == SQLITE_TRANSACTION || action == SQLITE_SAVEPOINT)
        return SQLITE_DENY;
    return !state.policy || state.policy(action, arg1, arg2) ? SQLITE_OK : SQLITE_DENY;
}

inline int StepLimit(void* steps) {
    // Called every 100 virtual-machine steps: 200,000 steps at most.
    return ++*static_cast<int*>(steps) > 2000 ? 1 : 0;
}

inline int& Steps() {
    static int steps = 0;
    return steps;
}

} // namespace detail

// The sandbox database: the eight draw tables plus the rows of seedSql
// (SQLite SQL, run before any limit applies). Null when it cannot be built.
inline sqlite3* OpenSandboxDatabase(const std::string& seedSql) {
    const char* vfs = detail::SandboxVfsName();
    if (!vfs)
        return nullptr;
    sqlite3_hard_heap_limit64(256 << 20);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY, vfs) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    sqlite3_enable_load_extension(db, 0);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_FTS3_TOKENIZER, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_VIEW, 1, nullptr);
    std::string setup = "PRAGMA temp_store=MEMORY;" + DrawTablesSchemaSql() + seedSql;
    if (sqlite3_exec(db, setup.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK ||
        !RegisterJetFunctions(db)) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, 1 << 20);
    sqlite3_limit(db, SQLITE_LIMIT_SQL_LENGTH, 1 << 18);
    sqlite3_limit(db, SQLITE_LIMIT_EXPR_DEPTH, 200);
    sqlite3_limit(db, SQLITE_LIMIT_COMPOUND_SELECT, 50);
    sqlite3_limit(db, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, 1000);
    sqlite3_limit(db, SQLITE_LIMIT_VDBE_OP, 100000);
    sqlite3_limit(db, SQLITE_LIMIT_FUNCTION_ARG, 32);
    sqlite3_set_authorizer(db, detail::Authorize, nullptr);
    sqlite3_progress_handler(db, 100, detail::StepLimit, &detail::Steps());
    return db;
}

// What statements run by the target may do, on top of the fixed denials;
// an empty policy allows everything else.
inline void SetSandboxPolicy(SandboxPolicy policy) {
    detail::State().policy = std::move(policy);
}

// The harness's own statements while it exists: past the policy, savepoints
// allowed (reading back what a statement stored, for instance).
class HarnessMode {
public:
    HarnessMode() : m_was(detail::State().harness) { detail::State().harness = true; }
    ~HarnessMode() { detail::State().harness = m_was; }
    HarnessMode(const HarnessMode&) = delete;
    HarnessMode& operator=(const HarnessMode&) = delete;

private:
    bool m_was;
};

// Runs one of the harness's own statements, past the policy.
inline int RunHarnessSql(sqlite3* db, const char* sql) {
    HarnessMode harness;
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// A savepoint around one input (or one statement of it): everything changed
// inside is rolled back, and the step budget starts afresh. Scopes nest.
class SandboxScope {
public:
    explicit SandboxScope(sqlite3* db) : m_db(db) {
        detail::Steps() = 0;
        RunHarnessSql(m_db, "SAVEPOINT fuzz_scope");
    }
    ~SandboxScope() { RunHarnessSql(m_db, "ROLLBACK TO fuzz_scope; RELEASE fuzz_scope"); }
    SandboxScope(const SandboxScope&) = delete;
    SandboxScope& operator=(const SandboxScope&) = delete;

private:
    sqlite3* m_db;
};

// A fresh step budget for the next statement of the same input.
inline void ResetStepBudget() {
    detail::Steps() = 0;
}

} // namespace veltrix::fuzz
