#include "prizeapp/NumberGrid.h"

#include "common/Strings.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace veltrix::prize {
namespace {

constexpr int kColumns = 12;

// 组选 bets take their digits from one group, without positions.
std::vector<ZoneShape> ZonesOf(LotteryKind game, Play play) {
    if (play != Play::Direct)
        return {{"数字", 0, 9, 1, 0}};
    std::span<const ZoneShape> zones = Game(game).zones;
    return {zones.begin(), zones.end()};
}

} // namespace

NumberGrid::NumberGrid(QWidget* parent) : QWidget(parent) {
    new QVBoxLayout(this);
    layout()->setContentsMargins(0, 0, 0, 0);
    layout()->setSpacing(2);
}

void NumberGrid::SetGame(LotteryKind game, Play play) {
    m_game = game;
    m_play = play;
    m_cells.clear();
    while (QLayoutItem* item = layout()->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const GameShape& shape = Game(game);
    std::vector<ZoneShape> zones = ZonesOf(game, play);
    for (size_t z = 0; z < zones.size(); ++z) {
        const ZoneShape& zone = zones[z];
        auto* box = new QGroupBox(
            QString::fromUtf8(zone.name.data(), int(zone.name.size())) +
                (zone.maxBankers > 0 ? QStringLiteral("（再点一下设胆）") : QString()),
            this);
        auto* grid = new QGridLayout(box);
        grid->setSpacing(1);
        grid->setContentsMargins(4, 2, 4, 2);
        for (int n = zone.low; n <= zone.high; ++n) {
            bool twoDigits = !shape.positional && play == Play::Direct;
            auto* button = new QPushButton(
                QString::fromStdString(twoDigits ? StrFormat("%02d", n) : std::to_string(n)), box);
            button->setObjectName(QStringLiteral("n%1_%2").arg(z).arg(n));
            button->setFixedSize(30, 24);
            // Keyboard players type the ticket; 47 buttons in the tab chain
            // would only stand between them and the scope.
            button->setFocusPolicy(Qt::NoFocus);
            int index = n - zone.low;
            grid->addWidget(button, index / kColumns, index % kColumns);
            m_cells.push_back({static_cast<int>(z), n, Pick::None, button});
        }
        layout()->addWidget(box);
    }
    for (size_t i = 0; i < m_cells.size(); ++i) {
        connect(m_cells[i].button, &QPushButton::clicked, this, [this, i] {
            Cycle(m_cells[i]);
            emit TicketChanged();
        });
    }
}

void NumberGrid::Cycle(Cell& cell) {
    std::vector<ZoneShape> zones = ZonesOf(m_game, m_play);
    bool bankers = zones[static_cast<size_t>(cell.zone)].maxBankers > 0;
    cell.pick = cell.pick == Pick::None                ? Pick::Chosen
                : cell.pick == Pick::Chosen && bankers ? Pick::Banker
                                                       : Pick::None;
    Paint(cell);
}

void NumberGrid::Paint(Cell& cell) {
    switch (cell.pick) {
    case Pick::None:
        cell.button->setStyleSheet(QString());
        break;
    case Pick::Chosen:
        cell.button->setStyleSheet(QStringLiteral("background:#d22;color:white;font-weight:bold"));
        break;
    case Pick::Banker:
        cell.button->setStyleSheet(
            QStringLiteral("background:#222;color:#fd0;font-weight:bold;border:2px solid #fd0"));
        break;
    }
    cell.button->setToolTip(cell.pick == Pick::Banker ? QStringLiteral("胆码") : QString());
}

void NumberGrid::Clear() {
    for (Cell& cell : m_cells) {
        cell.pick = Pick::None;
        Paint(cell);
    }
}

void NumberGrid::ShowTicket(const Ticket& ticket) {
    for (Cell& cell : m_cells) {
        cell.pick = Pick::None;
        if (static_cast<size_t>(cell.zone) < ticket.zones.size()) {
            const TicketZone& zone = ticket.zones[static_cast<size_t>(cell.zone)];
            auto holds = [&](const std::vector<int>& values) {
                return std::find(values.begin(), values.end(), cell.number) != values.end();
            };
            cell.pick = holds(zone.bankers)  ? Pick::Banker
                        : holds(zone.others) ? Pick::Chosen
                                             : Pick::None;
        }
        Paint(cell);
    }
}

std::string NumberGrid::TicketText() const {
    const GameShape& shape = Game(m_game);
    std::vector<ZoneShape> zones = ZonesOf(m_game, m_play);
    bool any = false;
    std::string text;
    for (size_t z = 0; z < zones.size(); ++z) {
        std::vector<std::string> bankers, others;
        for (const Cell& cell : m_cells) {
            if (cell.zone != static_cast<int>(z) || cell.pick == Pick::None)
                continue;
            bool twoDigits = !shape.positional && m_play == Play::Direct;
            std::string number =
                twoDigits ? StrFormat("%02d", cell.number) : std::to_string(cell.number);
            (cell.pick == Pick::Banker ? bankers : others).push_back(number);
            any = true;
        }
        if (z > 0)
            text += m_play == Play::Direct && static_cast<int>(z) == shape.zonesBeforePlus ? " + "
                                                                                           : " ";
        std::string joined;
        const char* separator = shape.positional && m_play == Play::Direct ? "," : " ";
        for (const std::string& number : others)
            joined += (joined.empty() ? "" : separator) + number;
        if (!bankers.empty()) {
            std::string banked;
            for (const std::string& number : bankers)
                banked += (banked.empty() ? "" : " ") + number;
            text +=
                StrFormat("(%s)%s%s", banked.c_str(), joined.empty() ? "" : " ", joined.c_str());
        } else {
            text += joined;
        }
    }
    return any ? text : std::string();
}

QPushButton* NumberGrid::Button(int zone, int number) const {
    for (const Cell& cell : m_cells) {
        if (cell.zone == zone && cell.number == number)
            return cell.button;
    }
    return nullptr;
}

} // namespace veltrix::prize
