// The chart area's context menu in the window: the two chart options, their
// setting in Veltrix.ini, and the trend statistics report.

#include "analysis/TrendStats.h"
#include "common/Strings.h"
#include "gui/TrendDlgFixture.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QToolTip>

namespace veltrix::test {
namespace {

constexpr const char* kRows = "01 02 03 04 05 01 02\r\n06 07 08 09 10 03 04\r\n"
                              "01 07 11 20 31 01 12\r\n";

class TrendDlgMenusTest : public TrendDlgFixture {
protected:
    // Right-clicks at (x, y) of the window; the chart menu, if one opened.
    QMenu* RightClick(int x, int y) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(x, y),
                                dlg->mapToGlobal(QPoint(x, y)));
        QApplication::sendEvent(dlg.get(), &event);
        return dlg->findChild<QMenu*>(QStringLiteral("menuChart"));
    }
    QAction* Action(QMenu* menu, const char* name) {
        QAction* action = menu->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    QImage Chart() {
        QApplication::processEvents();
        return dlg->grab(QRect(0, 0, 696, dlg->height())).toImage();
    }
    void ShowRows() {
        dlg->m_strSQL = "select h1,h2,h3,h4,h5,l1,l2 from dlt";
        dlg->m_strResult = kRows;
        dlg->ExchangeData(false);
        dlg->DrawTrendChart();
    }
};

TEST_F(TrendDlgMenusTest, OptionsAreOffUntilTickedAndThenRemembered) {
    ShowRows();
    const QImage plain = Chart();
    EXPECT_EQ(RightClick(800, 100), nullptr) << "right of the chart area";

    QMenu* menu = RightClick(100, 100);
    ASSERT_NE(menu, nullptr);
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions << action->text();
    EXPECT_EQ(captions, (QStringList{"显示遗漏", "统计行", "走势统计…", "", "保存图片…", "打印…"}));
    EXPECT_FALSE(Action(menu, "actionOmission")->isChecked());
    EXPECT_FALSE(Action(menu, "actionStatistics")->isChecked());
    EXPECT_FALSE(Action(menu, "actionOmission")->toolTip().isEmpty());

    Action(menu, "actionOmission")->trigger();
    const QImage withOmission = Chart();
    EXPECT_NE(withOmission, plain);
    Action(menu, "actionStatistics")->trigger();
    EXPECT_NE(Chart(), withOmission);
    // The bottom grid row is 最大连出; a cell above the statistics tells its omission.
    for (const auto& [y, tip] : {std::pair{dlg->height() - 25, "最大连出"}, {30, "遗漏"}}) {
        QHelpEvent help(QEvent::ToolTip, QPoint(100, y), dlg->mapToGlobal(QPoint(100, y)));
        QApplication::sendEvent(dlg.get(), &help);
        EXPECT_TRUE(QToolTip::text().startsWith(QString::fromUtf8(tip)))
            << QToolTip::text().toStdString();
    }
    EXPECT_NE(FileText("Veltrix.ini").find("ShowOmission=1\r\n"), std::string::npos);
    EXPECT_NE(FileText("Veltrix.ini").find("ShowStatistics=1\r\n"), std::string::npos);
    delete menu;

    RestartWindow();
    EXPECT_TRUE(dlg->m_bShowOmission);
    EXPECT_TRUE(dlg->m_bShowStatistics);
    menu = RightClick(100, 100);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(Action(menu, "actionOmission")->isChecked());
    EXPECT_TRUE(Action(menu, "actionStatistics")->isChecked());
    // Both off again: the chart is the plain one, pixel for pixel.
    Action(menu, "actionOmission")->trigger();
    Action(menu, "actionStatistics")->trigger();
    ShowRows();
    EXPECT_EQ(Chart(), plain);
    EXPECT_NE(FileText("Veltrix.ini").find("ShowOmission=0\r\n"), std::string::npos);
}

TEST_F(TrendDlgMenusTest, TrendStatsReportIsWrittenAndOpened) {
    ShowRows();
    QMenu* menu = RightClick(100, 100);
    ASSERT_NE(menu, nullptr);
    Action(menu, "actionTrendStats")->trigger();
    EXPECT_EQ(FileText("Analyse_stats.txt"),
              ToTextModeBytes(FormatTrendStatsReport(ComputeTrendStats("dlt", kRows))));
    EXPECT_EQ(opener.paths, (std::vector<std::string>{"./Analyse_stats.txt"}));
}

} // namespace
} // namespace veltrix::test
