#pragma once
// The game's numbers as buttons, one group per zone or position. A click
// picks a number, a second click makes it a banker where the zone takes
// bankers, the next one clears it. The grid writes the ticket in the
// checker's ticket syntax, so clicked and typed tickets go through one parser.

#include "prize/PrizeTicket.h"

#include <QWidget>

#include <vector>

class QPushButton;

namespace veltrix::prize {

class NumberGrid : public QWidget {
    Q_OBJECT
public:
    explicit NumberGrid(QWidget* parent = nullptr);

    // Lays out the numbers of a game and play; clears every pick.
    void SetGame(LotteryKind game, Play play);
    // Shows the picks of a ticket (typed by the player).
    void ShowTicket(const Ticket& ticket);
    void Clear();
    // The picks in ticket syntax; empty when nothing is picked.
    std::string TicketText() const;
    // The button of a number in a zone.
    QPushButton* Button(int zone, int number) const;

signals:
    void TicketChanged();

private:
    enum class Pick { None, Chosen, Banker };
    struct Cell {
        int zone;
        int number;
        Pick pick = Pick::None;
        QPushButton* button = nullptr;
    };
    void Cycle(Cell& cell);
    void Paint(Cell& cell);

    LotteryKind m_game = LotteryKind::Dlt;
    Play m_play = Play::Direct;
    std::vector<Cell> m_cells;
};

} // namespace veltrix::prize
