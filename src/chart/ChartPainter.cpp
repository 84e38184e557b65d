#include "chart/ChartPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QVarLengthArray>

#include <algorithm>
#include <cstdlib>

namespace veltrix {

namespace {

constexpr int kCellHeight = 12;
constexpr int kSmallCellHeight = 9;
constexpr size_t kMaxSprites = 2048;

QColor ToQColor(ChartColor c) {
    return QColor(c.r, c.g, c.b);
}

// The pixels of a one-pixel line from the start point up to, not including,
// the end point, one per step along the longer axis (Bresenham).
void ThinLinePoints(const ChartLine& l, QVarLengthArray<QPoint, 64>& points) {
    const int dx = std::abs(l.x2 - l.x1), dy = std::abs(l.y2 - l.y1);
    const int sx = l.x2 > l.x1 ? 1 : -1, sy = l.y2 > l.y1 ? 1 : -1;
    int x = l.x1, y = l.y1;
    int error = dx - dy;
    while (x != l.x2 || y != l.y2) {
        points.append(QPoint(x, y));
        const int twice = 2 * error;
        if (twice > -dy) {
            error -= dy;
            x += sx;
        }
        if (twice < dx) {
            error += dx;
            y += sy;
        }
    }
}

// An axis-parallel line as the rectangle it covers: from the start up to the
// end point along the line, and across it `width` pixels centred on the
// line's own pixel row (column), the extra one of an even width above (left
// of) it: width 2 covers the row above and the line's row.
QRect AxisLineRect(const ChartLine& l) {
    const int across = std::max(l.width, 1);
    const int before = across / 2;
    if (l.y1 == l.y2) {
        const int left = l.x2 > l.x1 ? l.x1 : l.x2 + 1;
        return QRect(left, l.y1 - before, std::abs(l.x2 - l.x1), across);
    }
    const int top = l.y2 > l.y1 ? l.y1 : l.y2 + 1;
    return QRect(l.x1 - before, top, across, std::abs(l.y2 - l.y1));
}

void PaintLine(QPainter& painter, const ChartLine& l) {
    if (l.x1 == l.x2 && l.y1 == l.y2)
        return; // nothing but the end point, which a line leaves out
    const QColor color = ToQColor(l.color);
    // The grid and many trend segments run along an axis: exact rectangles.
    if (l.x1 == l.x2 || l.y1 == l.y2) {
        painter.fillRect(AxisLineRect(l), color);
        return;
    }
    if (l.width <= 1) {
        QVarLengthArray<QPoint, 64> points;
        ThinLinePoints(l, points);
        painter.setPen(QPen(color, 0));
        painter.drawPoints(points.constData(), static_cast<int>(points.size()));
        return;
    }
    // A wide slanted line is the band of its width around the segment, cut
    // square at both end points.
    QPen pen(color, l.width);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(l.x1, l.y1, l.x2, l.y2);
}

} // namespace

QFont CreateChartFont() {
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                      QStringLiteral("WenQuanYi Zen Hei Sharp"),
                      QStringLiteral("WenQuanYi Zen Hei Mono"),
                      QStringLiteral("Noto Sans Mono CJK SC")});
    font.setStyleHint(QFont::Monospace);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    // The cell is the font's ascent plus descent; scalable faces have a cell
    // taller than their pixel size, so shrink until the cell fits.
    for (int pixels = kCellHeight; pixels >= 6; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= kCellHeight)
            break;
    }
    return font;
}

namespace {

// The notes' font: a narrow Latin face 9 pixels high, smoothed (a bitmap
// CJK face that small has no readable digits), falling back to the chart's.
QFont SmallChartFont(const QFont& chartFont) {
    QFont font(chartFont);
    QStringList families = {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                            QStringLiteral("Liberation Sans")};
    families += chartFont.families();
    font.setFamilies(families);
    font.setBold(false);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setPixelSize(kSmallCellHeight);
    return font;
}

} // namespace

ChartPainter::ChartPainter(const QFont& font)
    : m_font(font), m_smallFont(SmallChartFont(font)), m_ascent(QFontMetrics(font).ascent()),
      m_smallAscent(QFontMetrics(m_smallFont).ascent()) {}

void ChartPainter::Paint(QPainter& painter, const ChartScene& scene) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    for (const ChartPrimitive& primitive : scene.primitives) {
        if (const auto* f = std::get_if<ChartFill>(&primitive)) {
            if (f->x2 > f->x1 && f->y2 > f->y1)
                painter.fillRect(QRect(f->x1, f->y1, f->x2 - f->x1, f->y2 - f->y1),
                                 ToQColor(f->color));
        } else if (const auto* l = std::get_if<ChartLine>(&primitive)) {
            PaintLine(painter, *l);
        } else if (const auto* t = std::get_if<ChartText>(&primitive)) {
            const Sprite& sprite = SpriteFor(*t);
            painter.drawImage(QPoint(t->x, t->y) + sprite.offset, sprite.image);
        }
    }
    painter.restore();
}

const ChartPainter::Sprite& ChartPainter::SpriteFor(const ChartText& text) {
    std::string key;
    key.reserve(4 + text.text.size());
    key += text.small ? 's' : 'n';
    key += static_cast<char>(text.color.r);
    key += static_cast<char>(text.color.g);
    key += static_cast<char>(text.color.b);
    key += text.text;
    auto found = m_sprites.find(key);
    if (found != m_sprites.end())
        return found->second;
    if (m_sprites.size() >= kMaxSprites)
        m_sprites.clear(); // only odd texts get here; the chart's own are few

    // Room around the cell for glyphs that overhang it (bold is widened).
    constexpr int kPad = 2;
    const QString string =
        QString::fromUtf8(text.text.data(), static_cast<qsizetype>(text.text.size()));
    const QFont& font = text.small ? m_smallFont : m_font;
    const QFontMetrics metrics(font);
    Sprite sprite;
    sprite.offset = QPoint(-kPad, -kPad);
    sprite.image = QImage(metrics.horizontalAdvance(string) + 2 * kPad + 2,
                          metrics.height() + 2 * kPad, QImage::Format_ARGB32_Premultiplied);
    sprite.image.fill(Qt::transparent);
    QPainter painter(&sprite.image);
    painter.setRenderHint(QPainter::TextAntialiasing, text.small);
    painter.setFont(font);
    painter.setPen(ToQColor(text.color));
    painter.drawText(kPad, kPad + (text.small ? m_smallAscent : m_ascent), string);
    painter.end();
    return m_sprites.emplace(std::move(key), std::move(sprite)).first->second;
}

void PaintChartScene(QPainter& painter, const ChartScene& scene, const QFont& font) {
    ChartPainter(font).Paint(painter, scene);
}

QRect ChartSceneBounds(const ChartScene& scene) {
    constexpr int kCell = 12;
    QRect bounds;
    for (const ChartPrimitive& primitive : scene.primitives) {
        if (const auto* f = std::get_if<ChartFill>(&primitive)) {
            if (f->x2 > f->x1 && f->y2 > f->y1)
                bounds |= QRect(f->x1, f->y1, f->x2 - f->x1, f->y2 - f->y1);
        } else if (const auto* l = std::get_if<ChartLine>(&primitive)) {
            const int pad = std::max(l->width, 1);
            bounds |= QRect(QPoint(std::min(l->x1, l->x2), std::min(l->y1, l->y2)),
                            QPoint(std::max(l->x1, l->x2), std::max(l->y1, l->y2)))
                          .adjusted(-pad, -pad, pad, pad);
        } else if (const auto* t = std::get_if<ChartText>(&primitive)) {
            const int width = kCell * static_cast<int>(t->text.size());
            bounds |= QRect(t->x, t->y, width, kCell).adjusted(-2, -2, 2, 2);
        }
    }
    return bounds;
}

QImage RenderChartImage(const ChartScene& scene, QSize size, const QFont& font, QColor background) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    PaintChartScene(painter, scene, font);
    return image;
}

} // namespace veltrix
