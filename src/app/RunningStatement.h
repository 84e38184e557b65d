#pragma once
// RunningStatement: what the window does while "查询" runs a statement. A
// statement that ends within a moment notices nothing of it. One that runs
// longer keeps the window painting (its events are pumped from SQLite's
// progress callback), turns the "查询" button into a stop button and takes
// Escape as a stop too; every other input is held back until the statement
// ends, so nothing else reaches the connection in the middle of a statement.

#include "query/StatementWatch.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QAbstractButton;

namespace veltrix {

class CAdoConnection;

class RunningStatement : public QObject {
public:
    RunningStatement(CAdoConnection& db, QWidget* window, QAbstractButton* stopButton);
    ~RunningStatement() override;

    void RequestStop() { m_bStop = true; }
    bool StopRequested() const { return m_bStop; }
    // The statement ran long enough for the stop to be offered.
    bool IsBusyShown() const { return m_bBusyShown; }
    // Gives the window its input, cursor and button back: the statement has
    // ended, and a message box about it must take the user's answer.
    void EndBusy();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool KeepGoing();
    void ShowBusy();

    QWidget* m_window;
    QAbstractButton* m_stopButton;
    QString m_caption; // the button's own, put back at the end
    QElapsedTimer m_started;
    QElapsedTimer m_lastPump;
    bool m_bBusyShown = false;
    bool m_bStop = false;
    StatementWatch m_watch; // last: it calls KeepGoing until it is gone
};

} // namespace veltrix
