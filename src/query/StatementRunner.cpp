#include "query/StatementRunner.h"

#include "common/Strings.h"
#include "db/AdoConnection.h"

#include <vector>

namespace veltrix {

bool CommandReversesRows(const std::string& commandText) {
    return Contains(ToUpperAscii(commandText), "TOP");
}

namespace {

// Lists the rows of `text` (each ended by "\r\n", starting at the offsets in
// `rowStarts`) from the last to the first, in one pass.
std::string ReverseRows(const std::string& text, const std::vector<size_t>& rowStarts) {
    std::string reversed;
    reversed.reserve(text.size());
    size_t end = text.size();
    for (auto start = rowStarts.rbegin(); start != rowStarts.rend(); ++start) {
        reversed.append(text, *start, end - *start);
        end = *start;
    }
    return reversed;
}

} // namespace

QueryOutcome RunStatement(CAdoConnection& db, const std::string& sql, QueryHost& host) {
    QueryOutcome outcome;
    if (sql.empty())
        return outcome;
    outcome.ran = true;

    std::string text;
    std::vector<size_t> rowStarts;
    size_t rowStart = 0; // where the row being read begins in `text`
    bool reverse = false;
    try {
        if (!db.Execute(sql)) {
            host.ShowMessage(db.GetErrorText());
            outcome.failed = true;
            outcome.sqlState = db.GetSQLState();
            return outcome;
        }
        int fieldCount = db.GetFieldCount();
        if (fieldCount <= 0)
            return outcome;
        reverse = CommandReversesRows(host.CommandTextForOrder());
        while (!db.IsEOF()) {
            rowStart = text.size();
            for (int i = 0; i < fieldCount; ++i) {
                db.AppendFieldText(static_cast<short>(i), text);
                if (i < fieldCount - 1)
                    text += ' ';
            }
            db.MoveNext();
            text += "\r\n";
            if (reverse)
                rowStarts.push_back(rowStart);
            ++outcome.recordCount;
            rowStart = text.size();
        }
        outcome.countComplete = true;
    } catch (const DatabaseError& error) {
        host.ShowMessage(error.what());
        outcome.failed = true;
        // The row being read when the failure came is not part of the result.
        text.resize(rowStart);
    }
    outcome.resultText = reverse ? ReverseRows(text, rowStarts) : std::move(text);
    return outcome;
}

} // namespace veltrix
