#pragma once
// CAdoConnection: the program's one door to the draw database. It keeps the
// connection and the record set of the last statement, runs Jet SQL (through
// the dialect layer) on SQLite, retries statements that find the database
// busy, and hands the current row out field by field as text.
//
// Failures of Open, Execute and CloseRecordset are false results with the
// error text recorded ("%x:%s[%s]": SQLite's extended result code in lower-case
// hex, its message, and a SQL state); failures while walking rows throw
// DatabaseError with the same text.

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace veltrix {

class DatabaseError : public std::runtime_error {
public:
    DatabaseError(unsigned code, const std::string& text)
        : std::runtime_error(text), m_code(code) {}
    unsigned Code() const { return m_code; }

private:
    unsigned m_code;
};

class CAdoConnection {
public:
    CAdoConnection();
    ~CAdoConnection();
    CAdoConnection(const CAdoConnection&) = delete;
    CAdoConnection& operator=(const CAdoConnection&) = delete;

    // Opens an existing database. Accepts a Jet connection string
    // ("Provider=...;Data Source=./DLT.mdb") or a bare path. A missing file is
    // a failure (never created); so is a file that is not an SQLite database.
    // A file or folder that cannot be written opens read-only.
    bool Open(const char* connectionString);
    void Close();

    // Runs one statement. A busy or locked database ("S1000") is retried,
    // 10 attempts 100 ms apart.
    bool Execute(const char* sql);
    // The same for a text that may hold NUL bytes: such a text is refused
    // whole rather than run up to its first NUL.
    bool Execute(const std::string& sql);

    int GetFieldCount();
    bool IsEOF();
    void MoveNext();
    // The field as text: integers plain decimal, reals with up to 15
    // significant digits, null empty, text as stored. Never cut short.
    std::string GetFieldText(short index);
    // The same text appended to `out`: the statement runner builds its rows
    // without a string per field.
    void AppendFieldText(short index, std::string& out);

    std::string GetErrorText() const { return m_strError; }
    std::string GetSQLState() const { return m_strSQLState; }
    bool CloseRecordset();

    bool IsOpen() const { return m_pConnection != nullptr; }
    bool IsReadOnly() const { return m_bReadOnly; }
    sqlite3* Handle() const { return m_pConnection; }

    // Tests shorten the retry wait; the program keeps 10 x 100 ms.
    void SetRetryPolicy(int attempts, std::chrono::milliseconds delay);
    // How many attempts the last Execute made.
    int LastAttemptCount() const { return m_nLastAttempts; }

private:
    class Schema;

    void Reset();
    void ClearErrors();
    void RecordError(int resultCode);
    void RecordError(unsigned code, const std::string& message, const std::string& sqlState);
    DatabaseError CurrentError(int resultCode) const;
    void RequireRecordset(const char* operation) const;
    bool ConfigureOpenedDatabase();

    sqlite3* m_pConnection = nullptr;
    sqlite3_stmt* m_pRecordset = nullptr; // null: closed record set
    bool m_bRowReady = false;             // the record set stands on a row
    bool m_bReadOnly = false;
    std::string m_strError;
    std::string m_strSQLState;
    std::unique_ptr<Schema> m_schema;
    int m_nAttempts = 10;
    int m_nLastAttempts = 0;
    std::chrono::milliseconds m_retryDelay{100};
};

// The path named by a connection string: the value of "Data Source=" (up to
// the next ';'), or the whole text when it has none.
std::string DataSourceFromConnectionString(const std::string& connectionString);

// The SQL state for an SQLite failure: busy or locked "S1000", syntax
// "42000", unknown table "42S02", unknown column "42S22", constraint "23000",
// anything else "HY000".
std::string SqlStateFor(int extendedCode, const std::string& message);

} // namespace veltrix
