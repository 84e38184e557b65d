#pragma once
// Creating the draw database file: the eight empty draw tables.

#include "common/Result.h"

#include <string>

namespace veltrix {

// The CREATE TABLE statements of the eight draw tables (SQLite SQL).
std::string DrawTablesSchemaSql();

// Creates a new database file at `path` holding the eight empty tables, in WAL
// mode. Refuses when anything already exists at `path`.
Status CreateDrawDatabase(const std::string& path);

} // namespace veltrix
