#include "prizeapp/PrizeWindow.h"

#include "prizeapp/NumberGrid.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace veltrix::prize {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

PrizeWindow::PrizeWindow(PrizeRules rules, std::string rulesError, std::string databasePath,
                         QWidget* parent)
    : QWidget(parent), m_rules(std::move(rules)), m_rulesError(std::move(rulesError)),
      m_databasePath(std::move(databasePath)) {
    setWindowTitle(QStringLiteral("中奖查询"));
    auto* top = new QVBoxLayout(this);

    auto* choice = new QHBoxLayout;
    m_game = Named(new QComboBox(this), "game");
    for (const GameShape& shape : AllGames())
        m_game->addItem(QString::fromUtf8(shape.title.data(), int(shape.title.size())),
                        static_cast<int>(shape.kind));
    m_play = Named(new QComboBox(this), "play");
    for (Play play : {Play::Direct, Play::Group3, Play::Group6}) {
        std::string_view title = PlayTitle(play);
        m_play->addItem(QString::fromUtf8(title.data(), int(title.size())), static_cast<int>(play));
    }
    m_plus = Named(new QCheckBox(QStringLiteral("追加"), this), "plus");
    choice->addWidget(new QLabel(QStringLiteral("游戏"), this));
    choice->addWidget(m_game);
    choice->addWidget(new QLabel(QStringLiteral("玩法"), this));
    choice->addWidget(m_play);
    choice->addWidget(m_plus);
    choice->addStretch();
    top->addLayout(choice);

    auto* ticketRow = new QHBoxLayout;
    m_ticket = Named(new QLineEdit(this), "ticket");
    m_ticket->setPlaceholderText(QStringLiteral("(01 02) 03 04 05 06 + 07 08    或在下面点号码"));
    auto* clear = Named(new QPushButton(QStringLiteral("清除"), this), "clear");
    ticketRow->addWidget(new QLabel(QStringLiteral("号码"), this));
    ticketRow->addWidget(m_ticket, 1);
    ticketRow->addWidget(clear);
    top->addLayout(ticketRow);
    m_grid = Named(new NumberGrid(this), "grid");
    top->addWidget(m_grid);
    m_bets = Named(new QLabel(this), "bets");
    m_bets->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(m_bets);

    auto* scope = new QHBoxLayout;
    m_scopeNewest = Named(new QRadioButton(QStringLiteral("最新一期"), this), "scopeNewest");
    m_scopeIssue = Named(new QRadioButton(QStringLiteral("期号"), this), "scopeIssue");
    m_issue = Named(new QLineEdit(this), "issue");
    m_issue->setMaximumWidth(90);
    m_scopeLast = Named(new QRadioButton(QStringLiteral("最近"), this), "scopeLast");
    m_lastCount = Named(new QSpinBox(this), "lastCount");
    m_lastCount->setRange(1, 100000);
    m_lastCount->setValue(30);
    m_scopeAll = Named(new QRadioButton(QStringLiteral("全部（中过吗？）"), this), "scopeAll");
    m_scopeNewest->setChecked(true);
    m_check = Named(new QPushButton(QStringLiteral("查询"), this), "check");
    m_check->setDefault(true);
    m_copy = Named(new QPushButton(QStringLiteral("复制结果"), this), "copy");
    m_copy->setEnabled(false);
    scope->addWidget(m_scopeNewest);
    scope->addWidget(m_scopeIssue);
    scope->addWidget(m_issue);
    scope->addWidget(m_scopeLast);
    scope->addWidget(m_lastCount);
    scope->addWidget(new QLabel(QStringLiteral("期"), this));
    scope->addWidget(m_scopeAll);
    scope->addStretch();
    scope->addWidget(m_check);
    scope->addWidget(m_copy);
    top->addLayout(scope);

    auto* split = new QSplitter(Qt::Vertical, this);
    m_results = Named(new QTableWidget(0, 6, split), "results");
    m_results->setHorizontalHeaderLabels(
        {QStringLiteral("期号"), QStringLiteral("日期"), QStringLiteral("开奖号码（[ ] 为命中）"),
         QStringLiteral("命中"), QStringLiteral("奖级"), QStringLiteral("每注奖金")});
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->verticalHeader()->hide();
    m_results->horizontalHeader()->setStretchLastSection(true);
    m_results->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_summary = Named(new QPlainTextEdit(split), "summary");
    m_summary->setReadOnly(true);
    split->addWidget(m_results);
    split->addWidget(m_summary);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    top->addWidget(split, 1);

    connect(m_game, &QComboBox::currentIndexChanged, this, &PrizeWindow::GameChanged);
    connect(m_play, &QComboBox::currentIndexChanged, this, &PrizeWindow::GameChanged);
    connect(m_plus, &QCheckBox::toggled, this, &PrizeWindow::ShowBets);
    connect(m_ticket, &QLineEdit::textEdited, this, &PrizeWindow::TicketTyped);
    connect(m_ticket, &QLineEdit::returnPressed, this, &PrizeWindow::Check);
    connect(m_issue, &QLineEdit::textEdited, this, [this] { m_scopeIssue->setChecked(true); });
    connect(m_issue, &QLineEdit::returnPressed, this, &PrizeWindow::Check);
    connect(m_lastCount, &QSpinBox::valueChanged, this, [this] { m_scopeLast->setChecked(true); });
    connect(m_grid, &NumberGrid::TicketChanged, this, &PrizeWindow::GridClicked);
    connect(clear, &QPushButton::clicked, this, [this] {
        m_ticket->clear();
        m_grid->Clear();
        ShowBets();
    });
    connect(m_check, &QPushButton::clicked, this, &PrizeWindow::Check);
    connect(m_copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(Text(m_resultText)); });

    GameChanged();
    if (!m_rulesError.empty()) {
        m_summary->setPlainText(QStringLiteral("奖级规则读不出来，不能查询：\n") +
                                Text(m_rulesError));
        m_check->setEnabled(false);
    }
    resize(760, 720);
    m_ticket->setFocus();
}

LotteryKind PrizeWindow::CurrentGame() const {
    return static_cast<LotteryKind>(m_game->currentData().toInt());
}

Play PrizeWindow::CurrentPlay() const {
    return static_cast<Play>(m_play->currentData().toInt());
}

void PrizeWindow::GameChanged() {
    const GameShape& shape = Game(CurrentGame());
    if (!shape.hasGroupPlays && m_play->currentIndex() != 0) {
        m_play->setCurrentIndex(0); // comes back here through the signal
        return;
    }
    m_play->setEnabled(shape.hasGroupPlays);
    m_plus->setEnabled(shape.hasPlus);
    if (!shape.hasPlus)
        m_plus->setChecked(false);
    m_grid->SetGame(CurrentGame(), CurrentPlay());
    m_ticket->clear();
    ShowBets();
}

void PrizeWindow::TicketTyped() {
    Ticket ticket;
    TicketError error;
    if (ParseTicket(CurrentGame(), CurrentPlay(), false, m_ticket->text().toStdString(), &ticket,
                    &error))
        m_grid->ShowTicket(ticket);
    ShowBets();
}

void PrizeWindow::GridClicked() {
    m_ticket->setText(Text(m_grid->TicketText()));
    ShowBets();
}

// Bets and cost while the ticket is written, or what is wrong with it.
void PrizeWindow::ShowBets() {
    if (m_ticket->text().trimmed().isEmpty()) {
        m_bets->setStyleSheet(QString());
        m_bets->setText(QStringLiteral("写下号码或点选号码"));
        return;
    }
    Ticket ticket;
    TicketError error;
    if (!ParseTicket(CurrentGame(), CurrentPlay(), m_plus->isChecked(),
                     m_ticket->text().toStdString(), &ticket, &error)) {
        m_bets->setStyleSheet(QStringLiteral("color:#c00"));
        m_bets->setText(Text(error.message));
        return;
    }
    const GameRules& game = m_rules.For(CurrentGame());
    long long bets = BetCount(ticket);
    long long price = m_plus->isChecked() ? game.plusPrice : game.price;
    m_bets->setStyleSheet(QString());
    m_bets->setText(QStringLiteral("%1 注，每期 %2 元").arg(bets).arg(bets * price));
}

CheckRequest PrizeWindow::Request() const {
    CheckRequest request;
    request.game = CurrentGame();
    request.play = CurrentPlay();
    request.plus = m_plus->isChecked();
    request.ticketText = m_ticket->text().toStdString();
    request.databasePath = m_databasePath;
    if (m_scopeIssue->isChecked())
        request.scope = {ScopeKind::Issue, m_issue->text().trimmed().toStdString(), 1};
    else if (m_scopeLast->isChecked())
        request.scope = {ScopeKind::Last, "", m_lastCount->value()};
    else if (m_scopeAll->isChecked())
        request.scope.kind = ScopeKind::All;
    return request;
}

void PrizeWindow::Check() {
    if (!m_rulesError.empty())
        return;
    CheckOutcome outcome = RunPrizeCheck(Request(), m_rules);
    m_results->setRowCount(0);
    m_resultText.clear();
    m_copy->setEnabled(false);
    if (outcome.failure != CheckFailure::None) {
        m_summary->setPlainText(Text(outcome.message));
        return;
    }
    const CheckReport& report = outcome.report;
    // Newest first: the draw the player most likely asks about is on top.
    int rows = 0;
    for (const DrawCheck& check : report.draws)
        rows += std::max<int>(1, static_cast<int>(check.wins.size()));
    m_results->setUpdatesEnabled(false);
    m_results->setRowCount(rows);
    int row = 0;
    QFont bold = m_results->font();
    bold.setBold(true);
    for (auto it = report.draws.rbegin(); it != report.draws.rend(); ++it) {
        const DrawCheck& check = *it;
        std::string marked = MarkedNumbers(outcome.ticket, check.draw);
        size_t lines = std::max<size_t>(1, check.wins.size());
        for (size_t i = 0; i < lines; ++i, ++row) {
            bool won = i < check.wins.size();
            QString tier, prize;
            if (won) {
                const TierWin& win = check.wins[i];
                tier = QStringLiteral("%1 × %2").arg(Text(win.name)).arg(win.bets);
                prize =
                    Text(AmountText(win.perBet) + (win.note.empty() ? "" : "（" + win.note + "）"));
            }
            const QString cells[] = {Text(check.draw.issue),
                                     Text(check.draw.date),
                                     Text(marked),
                                     Text(TicketHits(outcome.ticket, check.draw)),
                                     won ? tier : QStringLiteral("—"),
                                     prize};
            for (int column = 0; column < 6; ++column) {
                auto* item =
                    new QTableWidgetItem(i == 0 || column >= 4 ? cells[column] : QString());
                if (won)
                    item->setFont(bold);
                m_results->setItem(row, column, item);
            }
        }
    }
    m_results->resizeColumnsToContents();
    m_results->setUpdatesEnabled(true);
    m_summary->setPlainText(Text(SummaryText(outcome.ticket, report)));
    m_resultText = ReportText(outcome.ticket, report);
    m_copy->setEnabled(true);
}

} // namespace veltrix::prize
