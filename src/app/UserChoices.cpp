#include "app/UserChoices.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStringList>

namespace veltrix {

std::string DialogUserChoices::SavePath(QWidget* owner, const std::string& title,
                                        const std::string& suggested, const std::string& filter) {
    return QFileDialog::getSaveFileName(owner, QString::fromStdString(title),
                                        QString::fromStdString(suggested),
                                        QString::fromStdString(filter))
        .toStdString();
}

std::optional<size_t> DialogUserChoices::PickItem(QWidget* owner, const std::string& title,
                                                  const std::string& label,
                                                  const std::vector<std::string>& items) {
    QStringList texts;
    for (const std::string& item : items)
        texts << QString::fromStdString(item);
    bool ok = false;
    const QString chosen = QInputDialog::getItem(owner, QString::fromStdString(title),
                                                 QString::fromStdString(label), texts, 0,
                                                 /*editable=*/false, &ok);
    if (!ok)
        return std::nullopt;
    const qsizetype index = texts.indexOf(chosen);
    if (index < 0)
        return std::nullopt;
    return static_cast<size_t>(index);
}

void DialogUserChoices::PrintWithPreview(QWidget* owner,
                                         const std::function<void(QPrinter&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog preview(&printer, owner);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter* target) { paint(*target); });
    preview.exec();
}

} // namespace veltrix
