#pragma once
// Watches the statements that run on a connection while it lives: every few
// thousand steps of SQLite's virtual machine it asks `keepGoing`, and a false
// answer interrupts the statement, which then fails as interrupted (its
// record set ends early). The window pumps its events here so it can paint
// and offer a stop while a long statement runs.

#include <functional>

namespace veltrix {

class CAdoConnection;

class StatementWatch {
public:
    StatementWatch(CAdoConnection& db, std::function<bool()> keepGoing, int steps = 20000);
    ~StatementWatch();
    StatementWatch(const StatementWatch&) = delete;
    StatementWatch& operator=(const StatementWatch&) = delete;

private:
    static int OnProgress(void* self);

    CAdoConnection& m_db;
    std::function<bool()> m_keepGoing;
};

} // namespace veltrix
