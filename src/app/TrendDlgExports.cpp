// Getting rows and the chart out of the window, and draw files into it: the
// result box's menu ("复制", "导出CSV…"), the chart area's "保存图片…" and
// "打印…", and draw files dropped on the window. The CSV and the picture come
// from the same core and painter as `veltrix-cli query --csv` and
// `veltrix-chart --png`, so the window and the tools never disagree.

#include "app/TrendDlg.h"
#include "app/UserChoices.h"
#include "chart/ChartPainter.h"
#include "chart/TrendChart.h"
#include "common/FileIO.h"
#include "controls/EditBox.h"
#include "query/CsvExport.h"
#include "update/DroppedDrawFile.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QUrl>

#include <filesystem>

namespace veltrix {
namespace {

UserChoices& Choices(UserChoices* configured) {
    static DialogUserChoices dialogs;
    return configured ? *configured : dialogs;
}

// The regular files a drag carries; folders and remote addresses are not
// draw files the window could import from where they lie.
std::vector<std::string> DroppedFiles(const QMimeData* mime) {
    std::vector<std::string> files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
            files.push_back(url.toLocalFile().toStdString());
    }
    return files;
}

// Catches file drags on the window and on its edit boxes (which would
// otherwise paste the file's address as text); text drags go on as before.
class DrawFileDropFilter : public QObject {
public:
    explicit DrawFileDropFilter(CTrendDlg& dlg) : QObject(&dlg), m_dlg(dlg) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (DroppedFiles(drag->mimeData()).empty())
                break;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const std::vector<std::string> files = DroppedFiles(drop->mimeData());
            if (files.empty())
                break;
            drop->acceptProposedAction();
            m_dlg.ImportDroppedFiles(files);
            return true;
        }
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    CTrendDlg& m_dlg;
};

} // namespace

void CTrendDlg::SetUpExports() {
    m_editResult->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_editResult, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = CreateResultMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        // A scroll area reports the position in its viewport.
        menu->popup(m_editResult->viewport()->mapToGlobal(at));
    });

    setAcceptDrops(true);
    auto* filter = new DrawFileDropFilter(*this);
    installEventFilter(filter);
    m_editResult->viewport()->installEventFilter(filter);
    m_editCommand->viewport()->installEventFilter(filter);
}

QMenu* CTrendDlg::CreateResultMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("menuResult"));
    QAction* copy = menu->addAction(QStringLiteral("复制"));
    copy->setObjectName(QStringLiteral("actionCopy"));
    connect(copy, &QAction::triggered, this, [this] { CopyResult(); });
    QAction* csv = menu->addAction(QStringLiteral("导出CSV…"));
    csv->setObjectName(QStringLiteral("actionExportCsv"));
    csv->setEnabled(!ResultBoxText().empty());
    connect(csv, &QAction::triggered, this, [this] {
        const std::string path =
            Choices(m_services.choices).SavePath(this, "导出CSV", "result.csv", "CSV (*.csv)");
        if (!path.empty())
            ExportResultCsv(path);
    });
    return menu;
}

void CTrendDlg::AddChartExportItems(QMenu* menu) {
    if (!menu->isEmpty())
        menu->addSeparator();
    QAction* save = menu->addAction(QStringLiteral("保存图片…"));
    save->setObjectName(QStringLiteral("actionSavePicture"));
    connect(save, &QAction::triggered, this, [this] {
        const std::string path =
            Choices(m_services.choices).SavePath(this, "保存图片", "chart.png", "PNG (*.png)");
        if (!path.empty())
            SaveChartPicture(path);
    });
    QAction* print = menu->addAction(QStringLiteral("打印…"));
    print->setObjectName(QStringLiteral("actionPrint"));
    connect(print, &QAction::triggered, this, [this] {
        Choices(m_services.choices).PrintWithPreview(this, [this](QPrinter& printer) {
            QPainter painter(&printer);
            PaintChartPage(painter, painter.viewport());
        });
    });
}

void CTrendDlg::CopyResult() {
    // The selection when there is one, else every row.
    if (m_editResult->textCursor().hasSelection()) {
        m_editResult->copy();
        return;
    }
    QString text = QString::fromStdString(ResultBoxText());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QApplication::clipboard()->setText(text);
}

bool CTrendDlg::ExportResultCsv(const std::string& path) {
    std::string bytes(kUtf8ByteOrderMark);
    bytes += ResultTextToCsv(ResultBoxText());
    std::string error;
    // Written beside the target and renamed: a failed export leaves no
    // half-written file and keeps an earlier file of that name.
    if (WriteFileAtomically(path, bytes, &error))
        return true;
    ShowMessage("cannot write " + path + ": " + error, MessageIcon::Warning);
    return false;
}

QImage CTrendDlg::ChartPicture() const {
    return RenderChartImage(m_chartScene, QSize(kChartAreaWidth, height()), m_font,
                            palette().color(QPalette::Window));
}

bool CTrendDlg::SaveChartPicture(const std::string& path) {
    const QImage image = ChartPicture();
    QSaveFile file(QString::fromStdString(path));
    if (!image.isNull() && file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") &&
        file.commit())
        return true;
    ShowMessage("cannot write " + path + ": " + file.errorString().toStdString(),
                MessageIcon::Warning);
    return false;
}

void CTrendDlg::PaintChartPage(QPainter& painter, const QRect& page) {
    // The chart area as large as the page allows, its proportions kept.
    const QSize chart(kChartAreaWidth, height());
    const QSize fitted = chart.scaled(page.size(), Qt::KeepAspectRatio);
    painter.save();
    painter.setViewport(QRect(page.topLeft(), fitted));
    painter.setWindow(QRect(QPoint(0, 0), chart));
    painter.fillRect(QRect(QPoint(0, 0), chart), palette().color(QPalette::Window));
    ChartPainter(m_font).Paint(painter, m_chartScene);
    painter.restore();
}

void CTrendDlg::ImportDroppedFiles(const std::vector<std::string>& paths) {
    if (m_bBusy)
        return; // an update is running; its imports come first
    for (const std::string& path : paths) {
        const std::string name = std::filesystem::path(path).filename().string();
        std::optional<LotteryKind> game = GameNamedByFileName(name);
        if (!game) {
            std::vector<std::string> items;
            for (const LotteryInfo& info : AllLotteries())
                items.push_back(std::string(info.updateName) + " (" + std::string(info.code) + ")");
            const std::optional<size_t> picked =
                Choices(m_services.choices)
                    .PickItem(this, "导入开奖文件", name + " 是哪个彩种的开奖文件？", items);
            if (!picked || *picked >= items.size())
                continue;
            game = AllLotteries()[*picked].kind;
        }
        ImportDrawFile(*game, path);
    }
}

} // namespace veltrix
