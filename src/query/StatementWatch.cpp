#include "query/StatementWatch.h"

#include "db/AdoConnection.h"

#include <sqlite3.h>

namespace veltrix {

StatementWatch::StatementWatch(CAdoConnection& db, std::function<bool()> keepGoing, int steps)
    : m_db(db), m_keepGoing(std::move(keepGoing)) {
    if (m_db.Handle())
        sqlite3_progress_handler(m_db.Handle(), steps, &StatementWatch::OnProgress, this);
}

StatementWatch::~StatementWatch() {
    if (m_db.Handle())
        sqlite3_progress_handler(m_db.Handle(), 0, nullptr, nullptr);
}

int StatementWatch::OnProgress(void* self) {
    // Non-zero interrupts the running statement.
    return static_cast<StatementWatch*>(self)->m_keepGoing() ? 0 : 1;
}

} // namespace veltrix
