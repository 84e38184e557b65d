#include "app/DesktopServices.h"

#include "common/FileIO.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>

namespace veltrix {

void MessageBoxSink::ShowMessage(const std::string& text, MessageIcon icon) {
    QWidget* owner = m_owner ? m_owner : QApplication::activeWindow();
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    QStringLiteral("Veltrix"), QString::fromStdString(text), QMessageBox::Ok,
                    owner);
    box.exec();
}

bool MessageBoxSink::AskYesNo(const std::string& text) {
    QWidget* owner = m_owner ? m_owner : QApplication::activeWindow();
    QMessageBox box(QMessageBox::Question, QStringLiteral("Veltrix"), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void DesktopFileOpener::OpenTextFile(const std::string& path) {
    TryOpenTextFile(path);
}

bool DesktopFileOpener::TryOpenTextFile(const std::string& path) {
    constexpr int kVerdictWaitMs = 1500;
    QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    // Owned by the application: a program xdg-open runs in the foreground
    // outlives this call.
    auto* process = new QProcess(qApp);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process](QProcess::ProcessError e) {
                         if (e == QProcess::FailedToStart)
                             process->deleteLater();
                     });
    process->start(QStringLiteral("xdg-open"), {absolute});
    if (!process->waitForStarted())
        return false;
    if (!process->waitForFinished(kVerdictWaitMs))
        return true;
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
}

bool DetachedProgramLauncher::Launch(const std::string& program) {
    if (!FileExists(program))
        return false;
    return QProcess::startDetached(QString::fromStdString(program), {}, QDir::currentPath());
}

} // namespace veltrix
