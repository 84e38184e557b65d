// The chart area's context menu, built by one function so that chart
// commands can be added to it; the picture and print items come last.

#include "app/TrendDlg.h"
#include "chart/TrendChart.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace veltrix {

QMenu* CTrendDlg::CreateChartMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("menuChart"));
    return menu;
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
