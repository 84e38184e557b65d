#include "controls/ColorButton.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace veltrix {
namespace {

// A one-pixel edge: top and left in `topLeft`, bottom and right in
// `bottomRight` (raised: highlight then shadow; sunken: the other way round).
void DrawEdge(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

} // namespace

CColorButton::CColorButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setMouseTracking(true);
    // A command button is never the window's default: Enter in a list or a
    // box must not press "查询" (or whatever button had the focus last).
    setAutoDefault(false);
    setDefault(false);
    ResetColors();
    // The focus goes to a clicked button before the window hears the click:
    // this connection is made before anyone else's.
    connect(this, &QAbstractButton::clicked, this, [this] { setFocus(Qt::MouseFocusReason); });
}

int CColorButton::SetColor(int slot, QColor color, bool repaint) {
    if (slot < 0 || slot > 5)
        return 3;
    m_colors[static_cast<size_t>(slot)] = color;
    if (repaint)
        update();
    return 0;
}

QColor CColorButton::Color(int slot) const {
    if (slot < 0 || slot > 5)
        return {};
    return m_colors[static_cast<size_t>(slot)];
}

int CColorButton::SetDrawBorder(bool on, bool repaint) {
    m_drawBorder = on;
    if (repaint)
        update();
    return 0;
}

int CColorButton::SetIdleRaised(bool on, bool repaint) {
    m_idleRaised = on;
    if (repaint)
        update();
    return 0;
}

void CColorButton::ResetColors() {
    const QPalette& colors = palette();
    for (size_t slot = 0; slot < m_colors.size(); ++slot) {
        m_colors[slot] = slot % 2 == 0 ? colors.color(QPalette::Active, QPalette::Button)
                                       : colors.color(QPalette::Active, QPalette::ButtonText);
    }
}

void CColorButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool pressed = isDown();
    const bool focused = hasFocus();
    const bool disabled = !isEnabled();
    const QRect area = rect();
    const QColor highlight = palette().color(QPalette::Active, QPalette::Light);
    const QColor shadow = palette().color(QPalette::Active, QPalette::Dark);

    size_t background = (m_hover || pressed) ? 0 : focused ? 4 : 2;
    painter.fillRect(area, m_colors[background]);

    if (m_drawBorder) {
        if (m_idleRaised && !pressed) {
            if (m_hover)
                DrawEdge(painter, area, highlight, shadow);
        } else {
            DrawEdge(painter, area, shadow, highlight);
        }
    }

    const QString caption = text();
    if (caption.isEmpty())
        return;
    QRect start = area;
    if (pressed)
        start.translate(kPressedOffset);
    const int flags = Qt::AlignHCenter | Qt::TextWordWrap;
    QRect measured = QFontMetrics(font()).boundingRect(start, flags, caption);
    measured.moveTo(start.left() + (start.width() - measured.width()) / 2,
                    start.top() + (start.height() - measured.height()) / 2);
    painter.setFont(font());
    if (disabled) {
        // Engraved: a highlight copy one pixel off, the shadow on top.
        painter.setPen(highlight);
        painter.drawText(measured.translated(1, 1), flags, caption);
        painter.setPen(shadow);
        painter.drawText(measured, flags, caption);
        return;
    }
    size_t textSlot = (m_hover || pressed) ? 1 : focused ? 5 : 3;
    painter.setPen(m_colors[textSlot]);
    painter.drawText(measured, flags, caption);
}

void CColorButton::mouseMoveEvent(QMouseEvent* event) {
    QPushButton::mouseMoveEvent(event);
    // A drag that began elsewhere does not light the button up.
    if ((event->buttons() & Qt::LeftButton) && !m_hover)
        return;
    if (rect().contains(event->position().toPoint())) {
        if (!m_hover) {
            m_hover = true;
            update();
        }
    } else {
        LeaveHover();
    }
}

void CColorButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a press like any other, so a
    // quick second click is a second click.
    mousePressEvent(event);
}

void CColorButton::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    LeaveHover();
}

void CColorButton::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    LeaveHover();
}

void CColorButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled()) {
            PassFocusOn();
            LeaveHover();
        }
        break;
    case QEvent::ActivationChange:
        if (!isActiveWindow())
            LeaveHover();
        break;
    case QEvent::PaletteChange:
        // The system colours changed (Qt hands the new application palette
        // down as a palette change): every slot goes back to them, so the
        // colours set up at start are gone.
        ResetColors();
        update();
        break;
    default:
        break;
    }
}

void CColorButton::PassFocusOn() {
    for (QWidget* next = nextInFocusChain(); next && next != this;
         next = next->nextInFocusChain()) {
        if (next->window() == window() && next->isEnabled() && next->isVisibleTo(window()) &&
            (next->focusPolicy() & Qt::TabFocus) && !next->focusProxy()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    if (parentWidget())
        parentWidget()->setFocus(Qt::OtherFocusReason);
}

void CColorButton::LeaveHover() {
    if (!m_hover)
        return;
    m_hover = false;
    update();
}

} // namespace veltrix
