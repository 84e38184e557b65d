#pragma once
// CColorButton: a flat push button that draws itself, raises its edge while
// the pointer is over it, sinks while pressed, and takes its caption and
// background colours from six colour slots by state.

#include <QColor>
#include <QPushButton>

namespace veltrix {

class CColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit CColorButton(const QString& caption = {}, QWidget* parent = nullptr);

    // Slots: 0 background hovered/pressed, 1 text hovered/pressed,
    // 2 background otherwise, 3 text otherwise, 4 background focused,
    // 5 text focused. Returns 0, or 3 for a slot above 5 (nothing changes).
    int SetColor(int slot, QColor color, bool repaint);
    int SetDrawBorder(bool on, bool repaint);
    int SetIdleRaised(bool on, bool repaint);
};

} // namespace veltrix
