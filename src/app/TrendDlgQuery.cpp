// The query console: the statement runner, "查询", "删除Tab", the saved
// commands, and the two small handlers of the window (run length, prize
// check).
#include "app/TrendDlg.h"

#include "app/RunningStatement.h"

#include "common/FileIO.h"
#include "common/IniFile.h"
#include "common/Strings.h"
#include "controls/ColorButton.h"
#include "controls/EditBox.h"
#include "query/SavedCommands.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QTextCursor>

#include <algorithm>

namespace veltrix {
namespace {

constexpr const char* kSettingsPath = "./Veltrix.ini";

std::string ReadSettings() {
    std::string bytes;
    if (!ReadFileBytes(kSettingsPath, &bytes))
        bytes.clear();
    return bytes;
}

} // namespace

std::string CTrendDlg::RunQuery(const std::string& sql) {
    return RunQueryOutcome(sql).resultText;
}

QueryOutcome CTrendDlg::RunQueryOutcome(const std::string& sql) {
    // The runner calls CommandTextForOrder (ExchangeData(true)) once the
    // statement has a record set, and reports failures through ShowMessage.
    QueryOutcome outcome = RunStatement(m_db, sql, *this);
    if (!outcome.ran)
        return outcome;
    m_nCount = outcome.recordCount;
    if (outcome.countComplete) {
        m_strCount = StrFormat("%ld", static_cast<long>(m_nCount));
        ExchangeData(false);
    }
    ExchangeData(true);
    m_strResult = outcome.resultText;
    ExchangeData(false);
    return outcome;
}

void CTrendDlg::RunCommand() {
    // "查询" pressed again while its statement runs is the stop button.
    if (m_running) {
        m_running->RequestStop();
        return;
    }
    ExchangeData(true);
    {
        RunningStatement running(m_db, this, m_btnQuery);
        m_running = &running;
        RunQuery(std::string(m_strSQL));
        m_running = nullptr;
    }
    ExchangeData(false);
    DrawTrendChart();
    m_editResult->setFocus(Qt::OtherFocusReason);
    QTextCursor cursor = m_editResult->textCursor();
    cursor.movePosition(QTextCursor::End);
    m_editResult->setTextCursor(cursor);
    m_editResult->ensureCursorVisible();
}

void CTrendDlg::ReplaceTabs() {
    ExchangeData(true);
    std::replace(m_strResult.begin(), m_strResult.end(), '\t', ' ');
    ExchangeData(false);
}

void CTrendDlg::LoadCommands() {
    m_comboCommands->clear();
    for (const std::string& name : SavedCommandNames(ReadSettings()))
        m_comboCommands->addItem(QString::fromStdString(name));
    // The fourth entry is the one selected at start; with fewer, none is.
    m_comboCommands->setCurrentIndex(m_comboCommands->count() >= 4 ? 3 : -1);
    SelectCommand();
}

void CTrendDlg::SelectCommand() {
    int index = m_comboCommands->currentIndex();
    if (index < 0)
        return;
    std::string name = m_comboCommands->itemText(index).toStdString();
    std::string text = SavedCommandText(ReadSettings(), name);
    if (text.empty())
        return;
    ExchangeData(true);
    m_strSQL = text;
    ExchangeData(false);
}

void CTrendDlg::SaveRunLength() {
    int index = m_comboRunLength->currentIndex();
    if (index < 0)
        return;
    // The item's text as a 10-byte buffer holds it: at most 9 bytes.
    std::string value = m_comboRunLength->itemText(index).toStdString().substr(0, 9);
    if (WriteProfileString("OPTION", "Analyse_DLT_LINE", value, kSettingsPath))
        return;
    // The analyses read the file: the list shows what they will use.
    const int inForce = GetProfileInt("OPTION", "Analyse_DLT_LINE", 2, kSettingsPath);
    m_comboRunLength->setCurrentIndex(inForce == 3 ? 1 : 0);
    ShowMessage(StrFormat("The run length %s could not be saved to %s; the analyses keep %s.",
                          value.c_str(), kSettingsPath, inForce == 3 ? "3" : "2"),
                MessageIcon::Warning);
}

// The prize checker is installed beside this program, which may have been
// started from any folder; it works on the draw database of the window's
// working folder. A click that starts nothing says so.
void CTrendDlg::LaunchPrizeCheck() {
    std::string program = QCoreApplication::applicationDirPath().toStdString() + "/veltrix-prize";
    if (!m_services.launcher->Launch(program))
        m_services.messages->ShowMessage("不能启动中奖查询程序 " + program, MessageIcon::Warning);
}

} // namespace veltrix
