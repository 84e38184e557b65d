#include "db/AdoConnection.h"

#include "common/Strings.h"
#include "db/JetDialect.h"
#include "db/LotteryCatalogue.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <sqlite3.h>
#include <thread>
#include <unistd.h>

namespace veltrix {

// Answers the translator's questions about unique columns, from SQLite's own
// catalogue, remembering the answers until this connection changes something.
class CAdoConnection::Schema : public JetSchema {
public:
    explicit Schema(sqlite3* db) : m_db(db) {}

    bool IsUniqueColumn(std::string_view table, std::string_view column) const override {
        std::string key = ToLowerAscii(table) + '\x1f' + ToLowerAscii(column);
        auto found = m_cache.find(key);
        if (found != m_cache.end())
            return found->second;
        bool unique = LookUp(std::string(table), ToLowerAscii(column));
        m_cache.emplace(std::move(key), unique);
        return unique;
    }

    // The draw tables of the catalogue: QS holds issue numbers, RQ dates.
    JetColumnRole RoleOf(std::string_view table, std::string_view column) const override {
        if (!FindLotteryByCode(table))
            return JetColumnRole::Plain;
        std::string name = ToLowerAscii(column);
        return name == "qs"   ? JetColumnRole::DrawIssue
               : name == "rq" ? JetColumnRole::DrawDate
                              : JetColumnRole::Plain;
    }

    std::vector<std::string> ColumnsOf(std::string_view table) const override {
        std::vector<std::string> columns;
        EachRow("PRAGMA table_info(" + Quoted(std::string(table)) + ")",
                [&](sqlite3_stmt* stmt) { columns.push_back(Text(stmt, 1)); });
        return columns;
    }

    void Forget() { m_cache.clear(); }

private:
    // Runs a PRAGMA and calls `row` for each result row.
    template <typename Row> void EachRow(const std::string& sql, Row row) const {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
            sqlite3_finalize(stmt);
            return;
        }
        while (sqlite3_step(stmt) == SQLITE_ROW)
            row(stmt);
        sqlite3_finalize(stmt);
    }

    static std::string Text(sqlite3_stmt* stmt, int column) {
        const unsigned char* text = sqlite3_column_text(stmt, column);
        return text ? ToLowerAscii(reinterpret_cast<const char*>(text)) : std::string();
    }

    static std::string Quoted(const std::string& name) { return QuoteSql(name, '"'); }

    bool LookUp(const std::string& table, const std::string& column) const {
        // A NULL may repeat even in a unique column, so the column must also
        // be NOT NULL (or the rowid alias).
        bool notNull = false;
        bool rowidAlias = false;
        int primaryKeyColumns = 0;
        EachRow("PRAGMA table_info(" + Quoted(table) + ")", [&](sqlite3_stmt* stmt) {
            int pk = sqlite3_column_int(stmt, 5);
            if (pk > 0)
                ++primaryKeyColumns;
            if (Text(stmt, 1) == column) {
                notNull = sqlite3_column_int(stmt, 3) != 0;
                rowidAlias = pk == 1 && Text(stmt, 2) == "integer";
            }
        });
        if (rowidAlias && primaryKeyColumns == 1)
            return true;
        if (!notNull)
            return false;
        bool unique = false;
        std::vector<std::string> indexes;
        EachRow("PRAGMA index_list(" + Quoted(table) + ")", [&](sqlite3_stmt* stmt) {
            // A partial index says nothing about the rows it leaves out.
            if (sqlite3_column_int(stmt, 2) != 0 && sqlite3_column_int(stmt, 4) == 0)
                indexes.push_back(Text(stmt, 1));
        });
        for (const std::string& index : indexes) {
            std::vector<std::string> columns;
            EachRow("PRAGMA index_info(" + Quoted(index) + ")",
                    [&](sqlite3_stmt* stmt) { columns.push_back(Text(stmt, 2)); });
            if (columns.size() == 1 && columns[0] == column)
                unique = true;
        }
        return unique;
    }

    sqlite3* m_db;
    mutable std::map<std::string, bool> m_cache;
};

std::string DataSourceFromConnectionString(const std::string& connectionString) {
    std::string lower = ToLowerAscii(connectionString);
    static constexpr std::string_view kKey = "data source=";
    size_t at = lower.find(kKey);
    if (at == std::string::npos)
        return connectionString;
    size_t begin = at + kKey.size();
    size_t end = connectionString.find(';', begin);
    std::string path =
        connectionString.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
    while (!path.empty() && path.back() == ' ')
        path.pop_back();
    while (!path.empty() && path.front() == ' ')
        path.erase(path.begin());
    return path;
}

std::string SqlStateFor(int extendedCode, const std::string& message) {
    switch (extendedCode & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "S1000";
    case SQLITE_CONSTRAINT:
        return "23000";
    case SQLITE_ERROR:
        if (message.starts_with("no such table"))
            return "42S02";
        if (message.starts_with("no such column"))
            return "42S22";
        if (Contains(message, "syntax error") || Contains(message, "incomplete input") ||
            Contains(message, "unrecognized token"))
            return "42000";
        return "HY000";
    default:
        return "HY000";
    }
}

CAdoConnection::CAdoConnection() {
    Reset();
}

CAdoConnection::~CAdoConnection() {
    Close();
}

void CAdoConnection::SetRetryPolicy(int attempts, std::chrono::milliseconds delay) {
    m_nAttempts = attempts < 1 ? 1 : attempts;
    m_retryDelay = delay;
}

void CAdoConnection::Reset() {
    Close();
    ClearErrors();
}

void CAdoConnection::ClearErrors() {
    m_strSQLState.clear();
    m_strError.clear();
}

void CAdoConnection::RecordError(unsigned code, const std::string& message,
                                 const std::string& sqlState) {
    m_strError = StrFormat("%x:%s[%s]", code, message.c_str(), sqlState.c_str());
    if (!sqlState.empty())
        m_strSQLState = sqlState;
}

void CAdoConnection::RecordError(int resultCode) {
    // Prefer the connection's extended code and message when they describe
    // this failure; sqlite3_open_v2 failures may come without a connection.
    int code = resultCode;
    std::string message = sqlite3_errstr(resultCode);
    if (m_pConnection && (sqlite3_extended_errcode(m_pConnection) & 0xff) == (resultCode & 0xff)) {
        code = sqlite3_extended_errcode(m_pConnection);
        message = sqlite3_errmsg(m_pConnection);
    }
    RecordError(static_cast<unsigned>(code), message, SqlStateFor(code, message));
}

DatabaseError CAdoConnection::CurrentError(int resultCode) const {
    int code = m_pConnection ? sqlite3_extended_errcode(m_pConnection) : resultCode;
    std::string message = m_pConnection ? sqlite3_errmsg(m_pConnection) : sqlite3_errstr(code);
    return DatabaseError(static_cast<unsigned>(code),
                         StrFormat("%x:%s[%s]", static_cast<unsigned>(code), message.c_str(),
                                   SqlStateFor(code, message).c_str()));
}

bool CAdoConnection::Open(const char* connectionString) {
    Reset();
    std::string path = DataSourceFromConnectionString(connectionString ? connectionString : "");
    if (path.empty()) {
        RecordError(SQLITE_CANTOPEN, "no database path in the connection string", "HY000");
        return false;
    }
    if (::access(path.c_str(), F_OK) != 0) {
        RecordError(SQLITE_CANTOPEN, "could not find file '" + path + "'", "HY000");
        return false;
    }

    // WAL needs to create the -wal and -shm files beside the database, so a
    // database in a read-only folder is opened read-only too.
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "."
                         : slash == 0               ? "/"
                                                    : path.substr(0, slash);
    bool writable = ::access(path.c_str(), W_OK) == 0 && ::access(folder.c_str(), W_OK) == 0;

    auto attempt = [&](const std::string& name, int flags) {
        ClearErrors();
        // One thread uses the connection, so SQLite's per-connection mutex
        // (taken by every column read) only costs time.
        int rc =
            sqlite3_open_v2(name.c_str(), &m_pConnection, flags | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc == SQLITE_OK) {
            m_bReadOnly = (flags & SQLITE_OPEN_READONLY) != 0;
            if (ConfigureOpenedDatabase())
                return true;
        } else {
            RecordError(rc);
        }
        sqlite3_close_v2(m_pConnection);
        m_pConnection = nullptr;
        m_schema.reset();
        return false;
    };

    if (writable) {
        if (attempt(path, SQLITE_OPEN_READWRITE))
            return true;
        // A locked or damaged database is a failure; it is not opened
        // read-only behind the user's back.
        return false;
    }
    if (attempt(path, SQLITE_OPEN_READONLY))
        return true;
    std::string firstError = m_strError;
    // A WAL database in a read-only folder cannot get its -shm file; nobody
    // can write there either, so it is read as immutable.
    std::string uri = "file:";
    for (unsigned char c : path) {
        if (c == '%' || c == '?' || c == '#' || c < 0x20)
            uri += StrFormat("%%%02X", c);
        else
            uri += static_cast<char>(c);
    }
    if (attempt(uri + "?immutable=1", SQLITE_OPEN_READONLY | SQLITE_OPEN_URI))
        return true;
    m_strError = firstError;
    return false;
}

bool CAdoConnection::ConfigureOpenedDatabase() {
    sqlite3_extended_result_codes(m_pConnection, 1);
    // Reading the catalogue makes a file that is not an SQLite database fail
    // here, at Open, rather than at the first statement.
    char* message = nullptr;
    int rc = sqlite3_exec(m_pConnection, "SELECT count(*) FROM sqlite_master", nullptr, nullptr,
                          &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK) {
        RecordError(rc);
        return false;
    }
    if (!m_bReadOnly) {
        rc = sqlite3_exec(m_pConnection, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL",
                          nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            RecordError(rc);
            return false;
        }
    }
    if (!RegisterJetFunctions(m_pConnection)) {
        RecordError(SQLITE_ERROR, "cannot register the Jet functions", "HY000");
        return false;
    }
    m_schema = std::make_unique<Schema>(m_pConnection);
    return true;
}

void CAdoConnection::Close() {
    if (m_pRecordset) {
        sqlite3_finalize(m_pRecordset);
        m_pRecordset = nullptr;
    }
    m_bRowReady = false;
    m_schema.reset();
    if (m_pConnection) {
        // The last connection to close checkpoints the WAL into the database
        // file and removes the -wal and -shm files.
        sqlite3_close_v2(m_pConnection);
        m_pConnection = nullptr;
    }
    m_bReadOnly = false;
}

bool CAdoConnection::CloseRecordset() {
    if (m_pRecordset) {
        sqlite3_finalize(m_pRecordset);
        m_pRecordset = nullptr;
    }
    m_bRowReady = false;
    if (!m_pConnection) {
        RecordError(SQLITE_MISUSE, "the database is not open", "HY000");
        return false;
    }
    return true;
}

bool CAdoConnection::Execute(const char* sql) {
    ClearErrors();
    m_nLastAttempts = 0;
    if (!m_pConnection) {
        RecordError(SQLITE_MISUSE, "the database is not open", "HY000");
        return false;
    }
    JetTranslation translation = TranslateJetSql(sql ? sql : "", m_schema.get());
    if (!translation.ok) {
        CloseRecordset();
        RecordError(SQLITE_ERROR, translation.error, "42000");
        return false;
    }

    for (int attempt = 1; attempt <= m_nAttempts; ++attempt) {
        m_nLastAttempts = attempt;
        CloseRecordset();
        sqlite3_stmt* stmt = nullptr;
        const char* tail = nullptr;
        int rc = sqlite3_prepare_v2(m_pConnection, translation.sql.c_str(),
                                    static_cast<int>(translation.sql.size()), &stmt, &tail);
        if (rc == SQLITE_OK && stmt == nullptr) {
            RecordError(SQLITE_ERROR, "the statement is empty", "42000");
            return false;
        }
        if (rc == SQLITE_OK) {
            // One statement per Execute: anything but blanks and semicolons
            // after the first statement is refused before it runs.
            for (const char* p = tail; p && *p; ++p) {
                if (*p != ';' && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') {
                    sqlite3_finalize(stmt);
                    RecordError(SQLITE_ERROR, "only one statement may be run at a time", "42000");
                    return false;
                }
            }
            bool changesSchemaOrRows = !sqlite3_stmt_readonly(stmt);
            rc = sqlite3_step(stmt);
            if (rc == SQLITE_ROW || rc == SQLITE_DONE) {
                if (changesSchemaOrRows && m_schema)
                    m_schema->Forget();
                if (sqlite3_column_count(stmt) > 0) {
                    m_pRecordset = stmt;
                    m_bRowReady = rc == SQLITE_ROW;
                } else {
                    sqlite3_finalize(stmt);
                }
                return true;
            }
        }
        RecordError(rc);
        sqlite3_finalize(stmt);
        if (m_strSQLState != "S1000")
            return false;
        std::this_thread::sleep_for(m_retryDelay);
    }
    return false;
}

bool CAdoConnection::Execute(const std::string& sql) {
    if (sql.find('\0') == std::string::npos || !m_pConnection)
        return Execute(sql.c_str());
    // Below here the text is a C string: cut at the NUL, "delete from dlt\0
    // where ..." would delete every row.
    ClearErrors();
    m_nLastAttempts = 0;
    CloseRecordset();
    RecordError(SQLITE_ERROR, "the statement holds a NUL character", "42000");
    return false;
}

void CAdoConnection::RequireRecordset(const char* operation) const {
    if (!m_pConnection)
        throw DatabaseError(SQLITE_MISUSE, StrFormat("%x:%s: the database is not open[HY000]",
                                                     SQLITE_MISUSE, operation));
}

int CAdoConnection::GetFieldCount() {
    RequireRecordset("GetFieldCount");
    return m_pRecordset ? sqlite3_column_count(m_pRecordset) : 0;
}

bool CAdoConnection::IsEOF() {
    RequireRecordset("IsEOF");
    return !m_pRecordset || !m_bRowReady;
}

void CAdoConnection::MoveNext() {
    RequireRecordset("MoveNext");
    if (!m_pRecordset || !m_bRowReady)
        throw DatabaseError(SQLITE_MISUSE,
                            StrFormat("%x:MoveNext past the last row[HY000]", SQLITE_MISUSE));
    int rc = sqlite3_step(m_pRecordset);
    if (rc == SQLITE_ROW)
        return;
    m_bRowReady = false;
    if (rc != SQLITE_DONE)
        throw CurrentError(rc);
}

std::string CAdoConnection::GetFieldText(short index) {
    std::string text;
    AppendFieldText(index, text);
    return text;
}

void CAdoConnection::AppendFieldText(short index, std::string& out) {
    RequireRecordset("GetFieldText");
    if (!m_pRecordset || !m_bRowReady || index < 0 || index >= sqlite3_column_count(m_pRecordset))
        throw DatabaseError(SQLITE_RANGE, StrFormat("%x:no field %d in the current row[HY000]",
                                                    SQLITE_RANGE, index));
    switch (sqlite3_column_type(m_pRecordset, index)) {
    case SQLITE_NULL:
        return;
    case SQLITE_INTEGER:
        AppendInt(out, sqlite3_column_int64(m_pRecordset, index));
        return;
    case SQLITE_FLOAT: {
        double value = sqlite3_column_double(m_pRecordset, index);
        if (value == 0) {
            out += '0';
            return;
        }
        char digits[32];
        int length = std::snprintf(digits, sizeof digits, "%.15g", value);
        out.append(digits, static_cast<size_t>(length));
        return;
    }
    default: {
        const void* bytes = sqlite3_column_blob(m_pRecordset, index);
        int size = sqlite3_column_bytes(m_pRecordset, index);
        if (bytes && size > 0)
            out.append(static_cast<const char*>(bytes), static_cast<size_t>(size));
        return;
    }
    }
}

} // namespace veltrix
