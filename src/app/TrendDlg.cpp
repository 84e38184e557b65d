// The window itself: construction, start-up, data exchange, the accessors the
// other subsystems read the boxes through, and the window's events.
#include "app/TrendDlg.h"
#include "chart/ChartPainter.h"

#include "app/AppLook.h"
#include "app/DesktopServices.h"
#include "common/IniFile.h"
#include "common/Strings.h"
#include "controls/ColorButton.h"
#include "controls/EditBox.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

namespace veltrix {
namespace {

constexpr const char* kSettingsPath = "./Veltrix.ini";
constexpr const char* kDatabasePath = "./DLT.mdb";

} // namespace

CTrendDlg::CTrendDlg(TrendDlgServices services, QWidget* parent)
    : QDialog(parent), m_services(services) {
    if (!m_services.messages) {
        m_ownMessages = std::make_unique<MessageBoxSink>(this);
        m_services.messages = m_ownMessages.get();
    }
    if (!m_services.opener) {
        m_ownOpener = std::make_unique<DesktopFileOpener>();
        m_services.opener = m_ownOpener.get();
    }
    if (!m_services.launcher) {
        m_ownLauncher = std::make_unique<DetachedProgramLauncher>();
        m_services.launcher = m_ownLauncher.get();
    }

    InstallFontSubstitutions();
    // A fixed-size window with a minimise box and no maximise box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Zox 彩票-走势分析"));
    setFont(DialogFont());
    m_hIcon = AppIcon();
    CreateControls();
    ConnectControls();
    SetUpExports();
}

CTrendDlg::~CTrendDlg() {
    m_font = QFont();
    m_db.Close();
}

CEditBox* CTrendDlg::ResultBox() const {
    return static_cast<CEditBox*>(m_editResult);
}

CEditBox* CTrendDlg::CommandBox() const {
    return static_cast<CEditBox*>(m_editCommand);
}

bool CTrendDlg::OnInitDialog() {
    ExchangeData(false);
    setWindowIcon(m_hIcon);

    int runLength = GetProfileInt("OPTION", "Analyse_DLT_LINE", 2, kSettingsPath);
    m_comboRunLength->setCurrentIndex(runLength == 3 ? 1 : 0);

    m_font = CreateChartFont();
    LoadChartOptions();

    std::string connection =
        StrFormat("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s", kDatabasePath);
    bool opened = m_db.Open(connection.c_str());
    if (!opened) {
        ShowMessage("can't open dictionary file.", MessageIcon::Warning);
        // Ends the dialog as OK does; the steps below still run, and the
        // window never shows.
        ExchangeData(true);
        done(QDialog::Accepted);
    }

    LoadCommands();
    m_nCount = 0;
    // The result box takes texts of any length; the command box keeps its
    // typing limit.
    ResultBox()->SetTypingLimit(0);
    SetUpButtons();
    m_comboCommands->setFocus(Qt::OtherFocusReason);
    // The window's first paint shows the chart of the (empty) result box.
    if (opened)
        DrawTrendChart();
    return opened;
}

void CTrendDlg::ExchangeData(bool save) {
    if (save) {
        m_strResult = ResultBox()->StoredText();
        m_strSQL = CommandBox()->StoredText();
        m_strCount = m_labelCount->text().toStdString();
        return;
    }
    // A box already showing its text keeps its caret, scroll position and
    // undo history.
    if (ResultBox()->StoredText() != m_strResult)
        ResultBox()->SetStoredText(m_strResult);
    if (CommandBox()->StoredText() != m_strSQL)
        CommandBox()->SetStoredText(m_strSQL);
    QString count = QString::fromStdString(m_strCount);
    if (m_labelCount->text() != count)
        m_labelCount->setText(count);
}

std::string CTrendDlg::CommandTextForOrder() {
    ExchangeData(true);
    return m_strSQL;
}

int CTrendDlg::ResultLineCount() const {
    return ResultBox()->LineCount();
}

std::string CTrendDlg::ResultLine(int index, size_t maxBytes) const {
    return ResultBox()->Line(index, maxBytes);
}

int CTrendDlg::ResultFirstVisibleLine() const {
    return ResultBox()->FirstVisibleLine();
}

std::string CTrendDlg::ResultBoxText() const {
    return ResultBox()->StoredText();
}

std::string CTrendDlg::CommandBoxText() const {
    return CommandBox()->StoredText();
}

void CTrendDlg::SetResultBoxText(const std::string& text) {
    ResultBox()->SetStoredText(text);
}

void CTrendDlg::SetCountLabelText(const std::string& text) {
    m_labelCount->setText(QString::fromStdString(text));
}

std::string CTrendDlg::TitleText() const {
    return windowTitle().toStdString();
}

void CTrendDlg::SetTitleText(const std::string& text) {
    setWindowTitle(QString::fromStdString(text));
    // Long operations keep the window busy; let the new title show without
    // taking the user's input in the middle of them.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CTrendDlg::ShowMessage(const std::string& text, MessageIcon icon) {
    m_services.messages->ShowMessage(text, icon);
}

void CTrendDlg::OpenReport(const std::string& path) {
    m_services.opener->OpenTextFile(path);
}

void CTrendDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    PaintChart(painter);
}

void CTrendDlg::closeEvent(QCloseEvent* event) {
    // An update is running: it ends first, stopped if the user wants; the
    // window closes once it has.
    if (m_bBusy) {
        event->ignore();
        if (!m_stopUpdate &&
            m_services.messages->AskYesNo("An update is running. Stop it and close the window?")) {
            m_stopUpdate = true;
            m_bCloseAfterUpdate = true;
        }
        return;
    }
    ExchangeData(true);
    done(QDialog::Accepted);
    event->accept();
}

void CTrendDlg::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape reach accept() and reject() here, which do nothing.
    QDialog::keyPressEvent(event);
}

void CTrendDlg::accept() {}
void CTrendDlg::reject() {}

} // namespace veltrix
