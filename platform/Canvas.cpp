#include "Canvas.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

namespace {

// Membership of the rounded rectangle in doubled coordinates: with the box's centre at 0 and
// its half sizes w/2 and h/2, a pixel centre sits at dx/2, dy/2 where dx = 2*px + 1 - (x1 + x2).
// The corner ellipse of a x b (clamped to the box) is centred at (w - a)/2, (h - b)/2 from
// the middle. All values are small, so 64-bit products are exact.
class Shape
{
public:
    Shape(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight)
        : m_sumX(x1 + x2), m_sumY(y1 + y2), m_w(x2 - x1), m_h(y2 - y1),
          m_a(std::clamp(cornerWidth, 0, m_w)), m_b(std::clamp(cornerHeight, 0, m_h))
    {
    }

    bool contains(int px, int py) const
    {
        const qint64 dx = std::abs(2 * px + 1 - m_sumX);
        const qint64 dy = std::abs(2 * py + 1 - m_sumY);
        if (dx > m_w || dy > m_h)
            return false;
        if (m_a == 0 || m_b == 0)
            return true;
        const qint64 ex = std::max<qint64>(0, dx - (m_w - m_a));
        const qint64 ey = std::max<qint64>(0, dy - (m_h - m_b));
        const qint64 a2 = qint64(m_a) * m_a;
        const qint64 b2 = qint64(m_b) * m_b;
        return ex * ex * b2 + ey * ey * a2 <= a2 * b2;
    }

private:
    int m_sumX, m_sumY, m_w, m_h, m_a, m_b;
};

} // namespace

Canvas::Canvas(QImage &image, const QPalette &palette)
    : m_image(image), m_palette(palette)
{
}

void Canvas::setSize(int width, int height)
{
    const QImage::Format format =
        m_image.format() == QImage::Format_ARGB32 ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    if (m_image.width() == width && m_image.height() == height && m_image.format() == format)
        return;
    m_image = QImage(std::max(width, 0), std::max(height, 0), format);
}

void Canvas::Save()
{
    m_saved.append({m_pen, m_brush});
}

void Canvas::Restore()
{
    if (m_saved.isEmpty())
        return;
    const auto state = m_saved.takeLast();
    m_pen = state.first;
    m_brush = state.second;
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2)
{
    drawFigure(x1, y1, x2, y2, 0, 0);
}

void Canvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight)
{
    drawFigure(x1, y1, x2, y2, cornerWidth, cornerHeight);
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2)
{
    drawFigure(x1, y1, x2, y2, x2 - x1, y2 - y1);
}

void Canvas::drawFigure(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight)
{
    const bool outlined = m_pen.style == psSolid;
    if (!outlined) {
        --x2;
        --y2;
    }
    if (x2 <= x1 || y2 <= y1)
        return;

    const Shape shape(x1, y1, x2, y2, cornerWidth, cornerHeight);
    const QRgb fill = rgb(m_brush.color);
    const QRgb line = rgb(m_pen.color);
    // Only the part of the box on the image is visited, but the outline test still sees the
    // whole figure, so a clipped figure keeps the pixels it would have had.
    const int left = std::max(x1, 0), right = std::min(x2, m_image.width());
    const int top = std::max(y1, 0), bottom = std::min(y2, m_image.height());
    for (int py = top; py < bottom; ++py) {
        QRgb *row = reinterpret_cast<QRgb *>(m_image.scanLine(py));
        for (int px = left; px < right; ++px) {
            if (!shape.contains(px, py))
                continue;
            const bool edge = outlined
                && !(shape.contains(px - 1, py) && shape.contains(px + 1, py)
                     && shape.contains(px, py - 1) && shape.contains(px, py + 1));
            row[px] = edge ? line : fill;
        }
    }
}

QRgb Canvas::rgb(TColor color) const
{
    return toQColor(color, m_palette).rgb() | 0xFF000000u;
}

void BlockCopy(QWidget *target, const QImage &image)
{
    QPainter painter(target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, image);
}
