// Placeholder window: the controls and data exchange come with the main-window work.
#include "app/TrendDlg.h"

#include "controls/ColorButton.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>

namespace veltrix {

CTrendDlg::CTrendDlg(TrendDlgServices services, QWidget* parent)
    : QDialog(parent), m_services(services) {
    setWindowTitle(QStringLiteral("Zox 彩票-走势分析"));
    setFixedSize(1011, 541);
}

CTrendDlg::~CTrendDlg() {
    m_db.Close();
}

bool CTrendDlg::OnInitDialog() {
    return m_db.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=./DLT.mdb");
}

void CTrendDlg::ExchangeData(bool) {}
std::string CTrendDlg::RunQuery(const std::string& sql) { return RunQueryOutcome(sql).resultText; }
QueryOutcome CTrendDlg::RunQueryOutcome(const std::string&) { return {}; }
void CTrendDlg::RunCommand() {}
void CTrendDlg::ReplaceTabs() {}
void CTrendDlg::LoadCommands() {}
void CTrendDlg::SelectCommand() {}
void CTrendDlg::SaveRunLength() {}
void CTrendDlg::LaunchPrizeCheck() {}
int CTrendDlg::ResultLineCount() const { return 1; }
std::string CTrendDlg::ResultLine(int, size_t) const { return {}; }
int CTrendDlg::ResultFirstVisibleLine() const { return 0; }
std::string CTrendDlg::ResultBoxText() const { return {}; }
std::string CTrendDlg::CommandBoxText() const { return {}; }
void CTrendDlg::SetResultBoxText(const std::string&) {}
void CTrendDlg::SetCountLabelText(const std::string&) {}
std::string CTrendDlg::TitleText() const { return windowTitle().toStdString(); }
void CTrendDlg::SetTitleText(const std::string& text) { setWindowTitle(QString::fromStdString(text)); }
void CTrendDlg::ShowMessage(const std::string&, MessageIcon) {}
void CTrendDlg::OpenReport(const std::string&) {}
std::string CTrendDlg::CommandTextForOrder() { return m_strSQL; }
void CTrendDlg::CreateControls() {}

void CTrendDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    PaintChart(painter);
}

void CTrendDlg::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
}

void CTrendDlg::keyPressEvent(QKeyEvent* event) {
    QDialog::keyPressEvent(event);
}

void CTrendDlg::accept() {}
void CTrendDlg::reject() {}

} // namespace veltrix
