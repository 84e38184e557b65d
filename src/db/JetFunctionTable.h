#pragma once
// The one table of Jet's functions: the name a user writes, how many
// arguments it takes, how the call is written for SQLite, and the registered
// function that runs it (RegisterJetFunctions registers each runtime function
// for exactly the argument counts listed here).

#include "db/JetSyntax.h"

#include <sqlite3.h>

namespace veltrix::jet {

enum class Form : uint8_t {
    Call,      // runtime(args...)
    Aggregate, // runtime(args...) over the group; a bare column inside is fine
    IIf,       // CASE WHEN c THEN a ELSE b END
    Switch,    // CASE WHEN c1 THEN v1 ... END
    Choose,    // CASE round(i) WHEN 1 THEN v1 ... END
    Nz,        // ifnull(v, fallback)
    IsNull,    // v IS NULL
    Identity,  // the argument itself (CVar)
};

using ScalarFunction = void (*)(sqlite3_context*, int, sqlite3_value**);

struct FunctionDef {
    std::string_view jetName; // lower case
    const char* sqliteName;   // what the emitted call names
    int minArgs;
    int maxArgs;
    Form form;
    ValueType type;
    ScalarFunction function = nullptr;         // null: SQLite's own, or no call at all
    void (*final)(sqlite3_context*) = nullptr; // aggregates: `function` is the step
    int passedArgs = 99; // arguments beyond this are Jet's locale options, dropped
    bool dollar = false; // also written with $ (Left$): the same function
    bool deterministic = true;
};

// The entry for a name as written (any case, with $ where Jet allows it).
const FunctionDef* FindFunction(std::string_view name);

// Registers every runtime function of the table. False when SQLite refused one.
bool RegisterFunctionTable(sqlite3* db);

} // namespace veltrix::jet
