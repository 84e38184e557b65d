#include "app/AppLook.h"

#include <QPainter>
#include <QPixmap>

namespace veltrix {

void InstallFontSubstitutions() {
    // AR PL UMing is a Song (Ming) face like 宋体, and its 12-pixel size has
    // 宋体's metrics: a 12-pixel line pitch, digits 6 and Chinese and box
    // drawing characters 12 pixels wide. The others keep the widths but
    // space lines 16 to 17 pixels apart.
    const QStringList monospacedCjk = {QStringLiteral("AR PL UMing CN"),
                                       QStringLiteral("WenQuanYi Zen Hei Mono"),
                                       QStringLiteral("Noto Sans Mono CJK SC")};
    for (const QString& family : {QStringLiteral("宋体"), QStringLiteral("SimSun")}) {
        if (QFont::substitutes(family).isEmpty())
            QFont::insertSubstitutions(family, monospacedCjk);
    }
}

QFont DialogFont() {
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    return font;
}

namespace {

QPixmap IconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(QColor(255, 230, 230));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal step = size / 8.0;
    painter.setPen(QPen(QColor(200, 200, 255), 1));
    for (int i = 1; i < 8; ++i) {
        painter.drawLine(QPointF(i * step, 0), QPointF(i * step, size));
        painter.drawLine(QPointF(0, i * step), QPointF(size, i * step));
    }
    const qreal red[] = {5, 2, 6, 3, 4, 1, 5};
    const qreal blue[] = {2, 6, 4, 7, 2, 5, 3};
    for (int line = 0; line < 2; ++line) {
        const qreal* values = line == 0 ? red : blue;
        painter.setPen(
            QPen(line == 0 ? QColor(255, 80, 80) : QColor(80, 80, 255), size >= 32 ? 2.5 : 1.5));
        for (int i = 1; i < 7; ++i)
            painter.drawLine(QPointF((i - 0.5) * step * 8 / 7, values[i - 1] * step),
                             QPointF((i + 0.5) * step * 8 / 7, values[i] * step));
    }
    return pixmap;
}

} // namespace

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(IconPixmap(size));
    return icon;
}

} // namespace veltrix
