#include "app/RunningStatement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWindow>

namespace veltrix {
namespace {

// A statement that ends within this time behaves as if nothing watched it.
constexpr qint64 kQuietMs = 300;
// How often the window gets its events while a statement runs.
constexpr qint64 kPumpMs = 30;

bool IsInputEvent(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

RunningStatement::RunningStatement(CAdoConnection& db, QWidget* window, QAbstractButton* stopButton)
    : m_window(window), m_stopButton(stopButton), m_caption(stopButton->text()),
      m_watch(db, [this] { return KeepGoing(); }) {
    m_started.start();
    m_lastPump.start();
}

RunningStatement::~RunningStatement() {
    EndBusy();
}

void RunningStatement::EndBusy() {
    if (!m_bBusyShown)
        return;
    m_bBusyShown = false;
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    m_stopButton->setText(m_caption);
}

bool RunningStatement::KeepGoing() {
    if (m_bStop)
        return false;
    if (!m_bBusyShown) {
        if (m_started.elapsed() < kQuietMs)
            return true;
        ShowBusy();
    }
    if (m_lastPump.elapsed() >= kPumpMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        m_lastPump.restart();
    }
    return !m_bStop;
}

void RunningStatement::ShowBusy() {
    m_bBusyShown = true;
    m_stopButton->setText(QStringLiteral("停止"));
    QApplication::setOverrideCursor(Qt::BusyCursor);
    qApp->installEventFilter(this);
}

bool RunningStatement::eventFilter(QObject* watched, QEvent* event) {
    if (!IsInputEvent(event->type()))
        return false;
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        RequestStop();
        return true;
    }
    // The stop button takes its clicks (the window's "查询" handler turns a
    // click during a statement into a stop); nothing else takes input.
    const bool onStopButton = watched == m_stopButton;
    const bool mouse = event->type() == QEvent::MouseButtonPress ||
                       event->type() == QEvent::MouseButtonRelease ||
                       event->type() == QEvent::MouseButtonDblClick;
    if (onStopButton && mouse)
        return false;
    // Events of the window's own native window pass on to the widgets, where
    // they are held back.
    return watched != static_cast<QObject*>(m_window->windowHandle());
}

} // namespace veltrix
