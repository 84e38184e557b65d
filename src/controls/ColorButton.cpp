#include "controls/ColorButton.h"

namespace veltrix {

CColorButton::CColorButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

int CColorButton::SetColor(int slot, QColor, bool) {
    return slot > 5 ? 3 : 0;
}

int CColorButton::SetDrawBorder(bool, bool) {
    return 0;
}

int CColorButton::SetIdleRaised(bool, bool) {
    return 0;
}

} // namespace veltrix
