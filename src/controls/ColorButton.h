#pragma once
// CColorButton: a flat push button that draws itself, raises its edge while
// the pointer is over it, sinks while pressed, and takes its caption and
// background colours from six colour slots by state.
//
// Drawing reads the state of the moment (pressed, focused, disabled) and the
// hover flag, which mouse moves set and leaving, losing the focus, being
// disabled or the window going inactive clear.

#include <QColor>
#include <QPushButton>
#include <array>

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

    QColor Color(int slot) const;
    bool IsHovered() const { return m_hover; }
    bool DrawsBorder() const { return m_drawBorder; }
    bool IsIdleRaised() const { return m_idleRaised; }

    // How far the caption moves while the button is pressed.
    static constexpr QPoint kPressedOffset{1, 1};

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void LeaveHover();
    void ResetColors();
    void PassFocusOn();

    std::array<QColor, 6> m_colors;
    bool m_hover = false;
    bool m_drawBorder = true;
    bool m_idleRaised = false;
};

} // namespace veltrix
