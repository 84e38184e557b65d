#include "controls/DropDownList.h"

#include <QWheelEvent>

namespace veltrix {

CDropDownList::CDropDownList(QWidget* parent) : QComboBox(parent) {
    // Tab and click give the focus; the wheel does not.
    setFocusPolicy(Qt::StrongFocus);
}

void CDropDownList::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        // Left to the window behind the list.
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

} // namespace veltrix
