#pragma once
// The statement runner: runs one SQL text through the connection and turns
// its rows into the result text, fields joined by one blank and every row
// ended by "\r\n". When the command text holds "TOP" (any letter case, as a
// plain substring) the rows are listed in reverse order, so a "top 30 ...
// order by qs desc" reads from the oldest draw to the newest.
//
// The window and the command-line tool share it; each supplies a host that
// shows messages and tells the command text that decides the order.

#include "common/MessageSink.h"

#include <string>

namespace veltrix {

class CAdoConnection;

class QueryHost : public MessageSink {
public:
    // Called once, after the statement produced a record set with fields and
    // before its rows are read: the window copies its controls into its
    // stored texts here and answers with the stored command text.
    virtual std::string CommandTextForOrder() = 0;
};

struct QueryOutcome {
    bool ran = false;           // false for the empty text: nothing was touched
    std::string resultText;     // the rows as text; empty on failure or without rows
    int recordCount = 0;        // rows read
    bool countComplete = false; // every row of a record set with fields was read
    bool failed = false;        // a message told the user why
    std::string sqlState;       // of a failed statement, as the connection recorded it
};

QueryOutcome RunStatement(CAdoConnection& db, const std::string& sql, QueryHost& host);

// True when rows are to be listed in reverse order for this command text.
bool CommandReversesRows(const std::string& commandText);

} // namespace veltrix
