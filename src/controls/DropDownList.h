#pragma once
// CDropDownList: a drop-down list that turns its selection by the wheel only
// while it has the focus. A wheel passing over an unfocused list would
// otherwise pick another entry, and the window acts on every pick at once
// (a saved command replaces the typed one, a run length is written to the
// settings file).

#include <QComboBox>

namespace veltrix {

class CDropDownList : public QComboBox {
    Q_OBJECT
public:
    explicit CDropDownList(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace veltrix
