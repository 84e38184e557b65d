// The window itself: construction, start-up, data exchange, the accessors the
// other subsystems read the boxes through, and the window's events.
#include "app/TrendDlg.h"
#include "chart/ChartPainter.h"

#include "app/AppLook.h"
#include "app/DesktopServices.h"
#include "app/RunningStatement.h"
#include "common/IniFile.h"
#include "common/Strings.h"
#include "controls/ColorButton.h"
#include "controls/EditBox.h"
#include "db/DrawDatabaseFile.h"

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
    // A fixed-size window with a minimise box and no maximise box. It is the
    // program's main window, not a dialog: window managers then give it a
    // taskbar entry and a place in Alt+Tab, and no transient owner.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
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
    // A file that is there but is no draw database is named for what it is,
    // and not opened: opening would write to it.
    const std::string problem =
        DrawDatabaseFileProblem(ClassifyDrawDatabaseFile(kDatabasePath), kDatabasePath);
    bool opened = problem.empty() && m_db.Open(connection.c_str());
    if (!opened) {
        ShowMessage(problem.empty() ? "can't open dictionary file." : problem,
                    MessageIcon::Warning);
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
    // A message ends the statement's busy time: the box takes the input.
    if (m_running)
        m_running->EndBusy();
    // The failure of a statement the user stopped is the stop itself.
    if (m_running && m_running->StopRequested()) {
        m_services.messages->ShowMessage("The statement was stopped; the command text is kept.",
                                         MessageIcon::None);
        return;
    }
    m_services.messages->ShowMessage(text, icon);
}

bool CTrendDlg::OpenReport(const std::string& path) {
    if (m_services.opener->TryOpenTextFile(path))
        return true;
    m_unopenedReports.push_back(path);
    return false;
}

void CTrendDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    PaintChart(painter);
}

void CTrendDlg::closeEvent(QCloseEvent* event) {
    // A statement is running: closing asks it to stop, and the window stays
    // with what was typed.
    if (m_running) {
        m_running->RequestStop();
        event->ignore();
        return;
    }
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
    // No button is a default button (CColorButton), so Enter presses none;
    // Escape reaches reject(), which does nothing.
    QDialog::keyPressEvent(event);
}

void CTrendDlg::accept() {}
void CTrendDlg::reject() {}

} // namespace veltrix
