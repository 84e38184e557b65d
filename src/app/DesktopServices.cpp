#include "app/DesktopServices.h"

#include "common/FileIO.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

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
    QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    QDesktopServices::openUrl(QUrl::fromLocalFile(absolute));
}

bool DetachedProgramLauncher::Launch(const std::string& program) {
    if (!FileExists(program))
        return false;
    return QProcess::startDetached(QString::fromStdString(program), {}, QDir::currentPath());
}

} // namespace veltrix
