#pragma once
// What stands at the database path before the window opens it for work.
// Opening is not harmless: SQLite turns a 0-byte file into an empty database
// and switches any SQLite file to write-ahead logging, so a file that is not
// a draw database is recognised first and left exactly as it is.

#include <string>

namespace veltrix {

enum class DrawDatabaseFile {
    Missing,           // nothing at the path
    DrawDatabase,      // an SQLite database with draw tables, or one only Open can judge
    Empty,             // a file of 0 bytes
    AccessDatabase,    // a Jet or ACE (Microsoft Access) database file
    WithoutDrawTables, // an SQLite database holding none of the draw tables
    NotADatabase,      // anything else
};

// Reads the file's first bytes and, for an SQLite file, its table names
// through a read-only connection. Never writes.
DrawDatabaseFile ClassifyDrawDatabaseFile(const std::string& path);

// The message for a file that is there but cannot serve as the draw
// database; empty for Missing (the window has its own message) and
// DrawDatabase.
std::string DrawDatabaseFileProblem(DrawDatabaseFile kind, const std::string& path);

} // namespace veltrix
