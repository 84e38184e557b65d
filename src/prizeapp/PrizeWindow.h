#pragma once
// veltrix-prize's window: the player picks a game and play, writes or clicks
// a ticket and a scope; the window asks the prize core (RunPrizeCheck) and
// shows what came back: bets and cost, each draw with its hits marked and its
// tiers, and the totals per tier. It reads ./DLT.mdb and never writes it.

#include "prize/PrizeSession.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace veltrix::prize {

class NumberGrid;

class PrizeWindow : public QWidget {
    Q_OBJECT
public:
    // rulesError: why the rules could not be loaded; checks are refused then.
    PrizeWindow(PrizeRules rules, std::string rulesError, std::string databasePath,
                QWidget* parent = nullptr);

    // The last results as text, as "复制" puts them on the clipboard.
    const std::string& ResultText() const { return m_resultText; }

    void Check();

private:
    void GameChanged();
    void TicketTyped();
    void GridClicked();
    void ShowBets();
    CheckRequest Request() const;
    LotteryKind CurrentGame() const;
    Play CurrentPlay() const;

    PrizeRules m_rules;
    std::string m_rulesError;
    std::string m_databasePath;
    std::string m_resultText;

    QComboBox* m_game = nullptr;
    QComboBox* m_play = nullptr;
    QCheckBox* m_plus = nullptr;
    QLineEdit* m_ticket = nullptr;
    NumberGrid* m_grid = nullptr;
    QLabel* m_bets = nullptr;
    QRadioButton* m_scopeNewest = nullptr;
    QRadioButton* m_scopeIssue = nullptr;
    QRadioButton* m_scopeLast = nullptr;
    QRadioButton* m_scopeAll = nullptr;
    QLineEdit* m_issue = nullptr;
    QSpinBox* m_lastCount = nullptr;
    QPushButton* m_check = nullptr;
    QPushButton* m_copy = nullptr;
    QTableWidget* m_results = nullptr;
    QPlainTextEdit* m_summary = nullptr;
};

} // namespace veltrix::prize
