// The chart area's context menu: the chart's two options, remembered in the
// settings file, and the trend statistics report. The menu is built by one
// function so that more chart commands can be added after its items.

#include "analysis/ReportFiles.h"
#include "analysis/RowAnalyses.h"
#include "analysis/TrendStats.h"
#include "app/TrendDlg.h"
#include "chart/ChartHistory.h"
#include "chart/TrendChart.h"
#include "common/FileOpener.h"
#include "common/IniFile.h"
#include "controls/EditBox.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QToolTip>

#include <algorithm>

namespace veltrix {

namespace {

constexpr const char* kSettingsPath = "./Veltrix.ini";
constexpr const char* kOmissionKey = "ShowOmission";
constexpr const char* kStatisticsKey = "ShowStatistics";

// The definitions, as the README gives them.
constexpr const char* kOmissionTip =
    "在走势图的空格中写出每个号码的遗漏:该行出现时为 0,否则为上一行的遗漏加 1"
    "(第一行未出现为 1)。从结果的第一行算起,所以第一可见行的遗漏也是真实值。";
constexpr const char* kStatisticsTip = "走势图底部的四行,统计结果中的全部行:\n"
                                       "次 出现次数 = 出现的行数 k;\n"
                                       "均 平均遗漏 = floor((N − k) / (k + 1));\n"
                                       "遗 最大遗漏 = 最长的连续未出现行数;\n"
                                       "连 最大连出 = 最长的连续出现行数。";
constexpr const char* kReportTip =
    "把每行的和值、跨度、奇偶比、大小比、区间比、012路、AC值、重号、连号和每个号码的"
    "出现次数、当前遗漏、平均遗漏、最大遗漏、最大连出写入 ./Analyse_stats.txt 并打开。";

// The four statistics rows, top to bottom, as their tooltips name them.
constexpr const char* kStatisticsRowTips[kChartStatisticsRows] = {
    "出现次数:出现的行数 k(结果中的全部行)",
    "平均遗漏:floor((N − k) / (k + 1)),N 为全部行数,k 为出现次数",
    "最大遗漏:最长的连续未出现行数(首次出现前、两次出现之间、最后出现后)",
    "最大连出:最长的连续出现行数",
};
constexpr const char* kOmissionCellTip = "遗漏:该号码距上次出现的行数(出现的行为 0)";

// Over the chart's grid the options' numbers explain themselves: a
// statistics row names its figure, an empty cell says what its number is.
class ChartToolTips : public QObject {
public:
    explicit ChartToolTips(CTrendDlg* dlg) : QObject(dlg), m_dlg(dlg) {
        setObjectName(QStringLiteral("chartToolTips"));
        dlg->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_dlg || event->type() != QEvent::ToolTip)
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        const char* tip = TipAt(help->pos());
        if (tip == nullptr)
            return false;
        QToolTip::showText(help->globalPos(), QString::fromUtf8(tip), m_dlg);
        return true;
    }

private:
    const char* TipAt(QPoint pos) const {
        if (!m_dlg->m_bShowOmission && !m_dlg->m_bShowStatistics)
            return nullptr;
        const ChartLayout layout = ChooseChartLayout(m_dlg->CommandBoxText());
        const ChartLayoutFacts& facts = FactsOf(layout);
        const int gridRows = ChartGridRows(layout, m_dlg->height());
        if (layout == ChartLayout::None || pos.x() < 5 || pos.y() < 5 + facts.cell ||
            pos.x() >= 5 + facts.cell * facts.lastGridColumn)
            return nullptr;
        const int row = (pos.y() - 5) / facts.cell;
        const int statisticsRows =
            m_dlg->m_bShowStatistics ? std::clamp(gridRows - 1, 0, kChartStatisticsRows) : 0;
        const int firstStatisticsRow = gridRows - statisticsRows;
        if (row >= gridRows)
            return nullptr;
        if (row >= firstStatisticsRow)
            return kStatisticsRowTips[row - firstStatisticsRow];
        return m_dlg->m_bShowOmission ? kOmissionCellTip : nullptr;
    }

    CTrendDlg* m_dlg;
};

class DialogMessages : public MessageSink {
public:
    explicit DialogMessages(CTrendDlg& dlg) : m_dlg(dlg) {}
    void ShowMessage(const std::string& text, MessageIcon icon) override {
        m_dlg.ShowMessage(text, icon);
    }

private:
    CTrendDlg& m_dlg;
};

class DialogReportOpener : public FileOpener {
public:
    explicit DialogReportOpener(CTrendDlg& dlg) : m_dlg(dlg) {}
    void OpenTextFile(const std::string& path) override { m_dlg.OpenReport(path); }

private:
    CTrendDlg& m_dlg;
};

} // namespace

struct CTrendDlg::ChartHistoryCache {
    ChartLayout layout = ChartLayout::None;
    std::string text;
    ChartHistory history;
};

void CTrendDlg::LoadChartOptions() {
    if (findChild<QObject*>(QStringLiteral("chartToolTips"), Qt::FindDirectChildrenOnly) == nullptr)
        new ChartToolTips(this);
    m_bShowOmission = GetProfileInt("OPTION", kOmissionKey, 0, kSettingsPath) != 0;
    m_bShowStatistics = GetProfileInt("OPTION", kStatisticsKey, 0, kSettingsPath) != 0;
}

void CTrendDlg::SetChartOptions(bool omission, bool statistics) {
    if (omission != m_bShowOmission)
        WriteProfileString("OPTION", kOmissionKey, omission ? "1" : "0", kSettingsPath);
    if (statistics != m_bShowStatistics)
        WriteProfileString("OPTION", kStatisticsKey, statistics ? "1" : "0", kSettingsPath);
    m_bShowOmission = omission;
    m_bShowStatistics = statistics;
    DrawTrendChart();
}

const ChartHistory* CTrendDlg::ChartHistoryFor(ChartLayout layout) {
    const std::string& text = ResultBox()->StoredText();
    if (!m_chartHistory || m_chartHistory->layout != layout || m_chartHistory->text != text) {
        auto cache = std::make_shared<ChartHistoryCache>();
        cache->layout = layout;
        cache->text = text;
        cache->history = ChartHistoryOfText(layout, cache->text);
        m_chartHistory = std::move(cache);
    }
    return &m_chartHistory->history;
}

QMenu* CTrendDlg::CreateChartMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("menuChart"));
    menu->setToolTipsVisible(true);

    QAction* omission = menu->addAction(QStringLiteral("显示遗漏"));
    omission->setObjectName(QStringLiteral("actionOmission"));
    omission->setCheckable(true);
    omission->setChecked(m_bShowOmission);
    omission->setToolTip(QString::fromUtf8(kOmissionTip));
    connect(omission, &QAction::toggled, this,
            [this](bool on) { SetChartOptions(on, m_bShowStatistics); });

    QAction* statistics = menu->addAction(QStringLiteral("统计行"));
    statistics->setObjectName(QStringLiteral("actionStatistics"));
    statistics->setCheckable(true);
    statistics->setChecked(m_bShowStatistics);
    statistics->setToolTip(QString::fromUtf8(kStatisticsTip));
    connect(statistics, &QAction::toggled, this,
            [this](bool on) { SetChartOptions(m_bShowOmission, on); });

    QAction* report = menu->addAction(QStringLiteral("走势统计…"));
    report->setObjectName(QStringLiteral("actionTrendStats"));
    report->setToolTip(QString::fromUtf8(kReportTip));
    connect(report, &QAction::triggered, this, [this] { WriteTrendStats(); });
    return menu;
}

void CTrendDlg::WriteTrendStats() {
    DialogMessages messages(*this);
    DialogReportOpener opener(*this);
    WriteTrendStatsReport(CommandBoxText(), ResultBoxText(), ReportServices{messages, opener});
}

void CTrendDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (event->pos().x() >= kChartAreaWidth) {
        QDialog::contextMenuEvent(event);
        return;
    }
    QMenu* menu = CreateChartMenu(this);
    AddChartExportItems(menu);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace veltrix
