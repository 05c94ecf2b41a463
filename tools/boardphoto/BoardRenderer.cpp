#include "BoardRenderer.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

namespace {

// Drawn at four times the size and scaled down, as a camera's optics soften a scene.
constexpr int S = 4;
constexpr double P = 6.5;           // 2.54 mm header pitch in photograph pixels
constexpr double MM = P / 2.54;

// The highlight circles of the main window, in its 662 × 296 board control, and the scale
// from there into the 600 × 268 photograph.
constexpr double ScaleX = 600.0 / 662.0;
constexpr double ScaleY = 268.0 / 296.0;
struct ControlRect { double left, top, width, height; };
constexpr ControlRect PullCircles[5] = {
    {128, 0, 33, 193}, {332, 0, 41, 193}, {404, 0, 41, 193}, {480, 0, 41, 193}, {552, 0, 41, 193}};
constexpr ControlRect HighCircle = {616, 16, 41, 25};

QPointF photoCentre(const ControlRect &r)
{
    return QPointF((r.left + r.width / 2) * ScaleX, (r.top + r.height / 2) * ScaleY);
}

const QColor MaskPour(27, 96, 54);      // solder mask over a copper pour
const QColor MaskBare(15, 64, 36);      // over bare laminate: clearances, unpoured areas
const QColor MaskTrace(60, 148, 84);    // over a trace, a little brighter than the pour
const QColor Silk(230, 232, 222);
const QColor Solder(200, 201, 198);
const QColor Gold(216, 172, 76);
const QColor Plastic(36, 36, 39);

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QRectF centred(QPointF c, double w, double h)
{
    return QRectF(c.x() - w / 2, c.y() - h / 2, w, h);
}

class Scene
{
public:
    Scene()
        : board(Width() * S, Height() * S, QImage::Format_RGB32),
          low(board.size(), QImage::Format_ARGB32_Premultiplied),
          tall(board.size(), QImage::Format_ARGB32_Premultiplied), rng(224)
    {
        low.fill(Qt::transparent);
        tall.fill(Qt::transparent);
    }
    static int Width() { return BoardRenderer::Width; }
    static int Height() { return BoardRenderer::Height; }

    QImage board, low, tall;
    std::mt19937 rng;

    double uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); }
    int pick(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); }
};

void prepare(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(S, S);
}

// ---------------------------------------------------------------- copper, mask and silkscreen

QPainterPath boardOutline()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(14, 1, 583.5, 246), 2.5, 2.5);
    // The x1 edge-connector tab with its key notch and chamfered corners.
    QPainterPath tab;
    tab.moveTo(62, 240);
    tab.lineTo(119, 240);
    tab.lineTo(119, 263.8);
    tab.lineTo(117.6, 265.2);
    tab.lineTo(96.6, 265.2);
    tab.lineTo(96.6, 252.5);
    tab.arcTo(QRectF(92.6, 250.5, 4, 4), 0, 180);
    tab.lineTo(92.6, 265.2);
    tab.lineTo(63.4, 265.2);
    tab.lineTo(62, 263.8);
    tab.closeSubpath();
    return path.united(tab);
}

// Copper lies under the mask and is drawn after every part has placed its lines: first all
// clearances, then all copper, so that close neighbours do not erase one another.
struct Copper
{
    std::vector<std::pair<QPolygonF, double>> traces;
    std::vector<std::pair<QPointF, double>> vias;
};
Copper copper;

void trace(const QPolygonF &points, double width = 1.0)
{
    copper.traces.emplace_back(points, width);
}

void via(QPointF c, double size = 1.9)
{
    copper.vias.emplace_back(c, size);
}

void drawCopper(QPainter &p)
{
    p.setBrush(Qt::NoBrush);
    for (const auto &[points, width] : copper.traces) {
        p.setPen(QPen(MaskBare, width + 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(points);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(MaskBare);
    for (const auto &[c, size] : copper.vias)
        p.drawEllipse(c, size / 2 + 0.5, size / 2 + 0.5);
    p.setBrush(Qt::NoBrush);
    for (const auto &[points, width] : copper.traces) {
        p.setPen(QPen(MaskTrace, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(points);
    }
    p.setPen(Qt::NoPen);
    for (const auto &[c, size] : copper.vias) {
        p.setBrush(mix(MaskTrace, QColor(150, 196, 130), 0.45));
        p.drawEllipse(c, size / 2, size / 2);
        p.setBrush(QColor(8, 30, 16));
        p.drawEllipse(c, size * 0.24, size * 0.24);
    }
}

// From a to b: straight along the first axis, then a 45° run into b.
QPolygonF route(QPointF a, QPointF b, bool horizontalFirst = true)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    QPolygonF poly;
    poly << a;
    if (horizontalFirst) {
        if (std::abs(dx) > std::abs(dy))
            poly << QPointF(b.x() - sx * std::abs(dy), a.y());
        else
            poly << QPointF(b.x(), a.y() + sy * std::abs(dx));
    } else {
        if (std::abs(dy) > std::abs(dx))
            poly << QPointF(a.x(), b.y() - sy * std::abs(dx));
        else
            poly << QPointF(a.x() + sx * std::abs(dy), b.y());
    }
    poly << b;
    return poly;
}

// Out of a along one axis for lead, then route on to b along the other.
QPolygonF dogleg(QPointF a, QPointF b, double lead, bool horizontalFirst)
{
    QPointF mid = horizontalFirst ? QPointF(a.x() + lead, a.y()) : QPointF(a.x(), a.y() + lead);
    QPolygonF poly = route(mid, b, !horizontalFirst);
    poly.prepend(a);
    return poly;
}

void pad(QPainter &p, const QRectF &r, double radius = 0.2)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, Solder.lighter(112));
    g.setColorAt(1, Solder.darker(118));
    p.setPen(QPen(QColor(70, 96, 76), 0.25));
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
}

void roundPad(QPainter &p, QPointF c, double outer, double hole = 0)
{
    QRadialGradient g(c - QPointF(outer * 0.15, outer * 0.15), outer * 0.6);
    g.setColorAt(0, Solder.lighter(125));
    g.setColorAt(1, Solder.darker(125));
    p.setPen(QPen(QColor(60, 90, 70), 0.25));
    p.setBrush(g);
    p.drawEllipse(c, outer / 2, outer / 2);
    if (hole > 0) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 38));
        p.drawEllipse(c, hole / 2, hole / 2);
    }
}

QFont silkFont(double pixelHeight, bool bold = true)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, int(std::lround(pixelHeight * S))));
    font.setBold(bold);
    font.setStretch(QFont::SemiCondensed);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Text at photograph coordinates; the painter is scaled, so draw through an unscaled transform.
void text(QPainter &p, QPointF at, const QString &s, double height, const QColor &colour = Silk,
          Qt::Alignment align = Qt::AlignLeft, double angle = 0, bool bold = true)
{
    p.save();
    p.translate(at);
    p.rotate(angle);
    p.scale(1.0 / S, 1.0 / S);
    p.setFont(silkFont(height, bold));
    p.setPen(colour);
    QRectF box(-2000, -height * S, 4000, height * S * 1.4);
    if (align & Qt::AlignHCenter)
        p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, s);
    else if (align & Qt::AlignRight)
        p.drawText(QRectF(-4000, -height * S, 4000, height * S * 1.4), Qt::AlignRight | Qt::AlignTop, s);
    else
        p.drawText(QRectF(0, -height * S, 4000, height * S * 1.4), Qt::AlignLeft | Qt::AlignTop, s);
    p.restore();
}

void silkRect(QPainter &p, const QRectF &r, double width = 0.45)
{
    p.setPen(QPen(Silk, width));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

// ---------------------------------------------------------------- parts

void chipBody(QPainter &p, const QRectF &r, const QColor &base = Plastic, bool dimple = true)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, base.lighter(150));
    g.setColorAt(0.5, base);
    g.setColorAt(1, base.darker(120));
    p.setPen(QPen(base.lighter(190), 0.3));
    p.setBrush(g);
    p.drawRoundedRect(r, 0.6, 0.6);
    if (dimple) {
        const double d = std::min(r.width(), r.height()) * 0.12;
        QPointF c = r.topLeft() + QPointF(d * 1.5 + 0.8, d * 1.5 + 0.8);
        p.setPen(QPen(base.lighter(200), 0.2));
        p.setBrush(base.darker(140));
        p.drawEllipse(c, d / 2 + 0.3, d / 2 + 0.3);
    }
}

void markings(QPainter &p, const QRectF &r, const QStringList &lines, double height, double angle = 0)
{
    const QColor ink(168, 170, 166);
    const double step = height * 1.35;
    double y = r.center().y() - step * (lines.size() - 1) / 2 + height * 0.5;
    for (const QString &line : lines) {
        if (angle == 0) {
            text(p, QPointF(r.center().x(), y), line, height, ink, Qt::AlignHCenter, 0, false);
        } else {
            p.save();
            p.translate(r.center());
            p.rotate(angle);
            text(p, QPointF(0, y - r.center().y()), line, height, ink, Qt::AlignHCenter, 0, false);
            p.restore();
        }
        y += step;
    }
}

// Gull-wing leads along one side of a body; the solder pads go onto the board.
enum Side { Left, Right, Top, Bottom };

void leads(QPainter &board, QPainter &part, const QRectF &body, Side side, int count, double pitch,
           double length, double width)
{
    const bool vertical = side == Left || side == Right;
    const double span = pitch * (count - 1);
    for (int i = 0; i < count; ++i) {
        const double along = (vertical ? body.center().y() : body.center().x()) - span / 2 + i * pitch;
        QRectF lead, padRect;
        switch (side) {
        case Left:
            lead = QRectF(body.left() - length, along - width / 2, length + 0.3, width);
            padRect = QRectF(body.left() - length - 0.5, along - width * 0.75, length * 0.9 + 0.5, width * 1.5);
            break;
        case Right:
            lead = QRectF(body.right() - 0.3, along - width / 2, length + 0.3, width);
            padRect = QRectF(body.right() + length * 0.1, along - width * 0.75, length * 0.9 + 0.5, width * 1.5);
            break;
        case Top:
            lead = QRectF(along - width / 2, body.top() - length, width, length + 0.3);
            padRect = QRectF(along - width * 0.75, body.top() - length - 0.5, width * 1.5, length * 0.9 + 0.5);
            break;
        case Bottom:
            lead = QRectF(along - width / 2, body.bottom() - 0.3, width, length + 0.3);
            padRect = QRectF(along - width * 0.75, body.bottom() + length * 0.1, width * 1.5, length * 0.9 + 0.5);
            break;
        }
        pad(board, padRect, 0.1);
        QLinearGradient g(lead.topLeft(), vertical ? lead.topRight() : lead.bottomLeft());
        g.setColorAt(0, QColor(150, 150, 148));
        g.setColorAt(0.5, QColor(226, 226, 222));
        g.setColorAt(1, QColor(168, 168, 164));
        part.setPen(Qt::NoPen);
        part.setBrush(g);
        part.drawRect(lead);
    }
}

void qfp(QPainter &board, QPainter &part, QPointF c, double body, int perSide, double pitch,
         const QStringList &marks, double markHeight)
{
    const QRectF r = centred(c, body, body);
    for (Side s : {Left, Right, Top, Bottom})
        leads(board, part, r, s, perSide, pitch, 1.0 * MM * 1.5, pitch * 0.45);
    chipBody(part, r);
    markings(part, r.adjusted(0, body * 0.1, 0, 0), marks, markHeight);
    // Silkscreen corner marks outside the leads, and the pin-one dot.
    const double o = body / 2 + 1.6 * MM + 1.2, arm = body * 0.18;
    board.setPen(QPen(Silk, 0.45));
    for (int sx : {-1, 1})
        for (int sy : {-1, 1}) {
            const QPointF corner = c + QPointF(sx * o, sy * o);
            board.drawLine(corner, corner - QPointF(sx * arm, 0));
            board.drawLine(corner, corner - QPointF(0, sy * arm));
        }
    board.setPen(Qt::NoPen);
    board.setBrush(Silk);
    board.drawEllipse(c + QPointF(-o - 1.2, -o + arm * 0.6), 0.8, 0.8);
}

// SOIC: vertical means the leads run down the left and right sides.
QRectF soic(QPainter &board, QPainter &part, QPointF c, int pins, bool vertical,
            const QStringList &marks, double markHeight = 2.0)
{
    const double pitch = 1.27 * MM;
    const double len = pitch * (pins / 2) + 1.0;
    const double wide = (pins > 8 ? 7.5 : 3.9) * MM;
    const QRectF r = vertical ? centred(c, wide, len) : centred(c, len, wide);
    const double leadLen = 1.1 * MM, leadW = 0.42 * MM;
    if (vertical) {
        leads(board, part, r, Left, pins / 2, pitch, leadLen, leadW);
        leads(board, part, r, Right, pins / 2, pitch, leadLen, leadW);
    } else {
        leads(board, part, r, Top, pins / 2, pitch, leadLen, leadW);
        leads(board, part, r, Bottom, pins / 2, pitch, leadLen, leadW);
    }
    chipBody(part, r);
    markings(part, r, marks, markHeight, vertical ? 90 : 0);
    return r;
}

// A two-terminal chip part: resistors black with a white value print, capacitors tan.
enum class Passive { Resistor, Capacitor, CapacitorGrey };

void passive(QPainter &board, QPainter &part, QPointF c, bool vertical, Passive kind,
             double length = 1.6 * MM, double width = 0.8 * MM)
{
    const double l = vertical ? width : length, w = vertical ? length : width;
    const QRectF r = centred(c, l, w);
    const double cap = length * 0.22;
    QRectF endA = vertical ? QRectF(r.left(), r.top(), r.width(), cap) : QRectF(r.left(), r.top(), cap, r.height());
    QRectF endB = vertical ? QRectF(r.left(), r.bottom() - cap, r.width(), cap)
                           : QRectF(r.right() - cap, r.top(), cap, r.height());
    pad(board, endA.adjusted(vertical ? -0.3 : -0.6, vertical ? -0.6 : -0.3, vertical ? 0.3 : 0.1, vertical ? 0.1 : 0.3));
    pad(board, endB.adjusted(vertical ? -0.3 : -0.1, vertical ? -0.1 : -0.3, vertical ? 0.3 : 0.6, vertical ? 0.6 : 0.3));
    QColor bodyColour = kind == Passive::Resistor ? QColor(22, 22, 24)
                      : kind == Passive::Capacitor ? QColor(168, 136, 92) : QColor(120, 116, 104);
    part.setPen(Qt::NoPen);
    part.setBrush(bodyColour);
    part.drawRect(r);
    part.setBrush(QColor(214, 214, 210));
    part.drawRect(endA);
    part.drawRect(endB);
    if (kind == Passive::Resistor && length > 1.5 * MM) {
        part.setBrush(QColor(200, 200, 196, 110));
        part.drawRect(centred(c, vertical ? width * 0.35 : length * 0.3, vertical ? length * 0.3 : width * 0.35));
    }
}

void tantalum(QPainter &board, QPainter &part, QPointF c, bool vertical)
{
    const double l = 3.5 * MM, w = 2.8 * MM;
    const QRectF r = vertical ? centred(c, w, l) : centred(c, l, w);
    pad(board, vertical ? QRectF(r.left() + 0.6, r.top() - 0.8, r.width() - 1.2, 2.6)
                        : QRectF(r.left() - 0.8, r.top() + 0.6, 2.6, r.height() - 1.2));
    pad(board, vertical ? QRectF(r.left() + 0.6, r.bottom() - 1.8, r.width() - 1.2, 2.6)
                        : QRectF(r.right() - 1.8, r.top() + 0.6, 2.6, r.height() - 1.2));
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(236, 188, 64));
    g.setColorAt(1, QColor(190, 138, 34));
    part.setPen(QPen(QColor(150, 110, 30), 0.25));
    part.setBrush(g);
    part.drawRoundedRect(r.adjusted(0.4, 0.4, -0.4, -0.4), 0.5, 0.5);
    part.setPen(Qt::NoPen);
    part.setBrush(QColor(120, 74, 24));
    part.drawRect(vertical ? QRectF(r.left() + 0.4, r.top() + 0.4, r.width() - 0.8, 1.6)
                           : QRectF(r.left() + 0.4, r.top() + 0.4, 1.6, r.height() - 0.8));
}

void electrolytic(QPainter &board, QPainter &part, QPointF c, double diameter)
{
    const double d = diameter;
    pad(board, centred(c + QPointF(0, -d * 0.48), d * 0.25, d * 0.3));
    pad(board, centred(c + QPointF(0, d * 0.48), d * 0.25, d * 0.3));
    QPainterPath base;
    const QRectF b = centred(c, d * 1.04, d * 1.04);
    base.moveTo(b.left() + d * 0.18, b.top());
    base.lineTo(b.right(), b.top());
    base.lineTo(b.right(), b.bottom());
    base.lineTo(b.left() + d * 0.18, b.bottom());
    base.lineTo(b.left(), b.bottom() - d * 0.18);
    base.lineTo(b.left(), b.top() + d * 0.18);
    base.closeSubpath();
    part.setPen(QPen(QColor(60, 60, 60), 0.3));
    part.setBrush(QColor(34, 34, 36));
    part.drawPath(base);
    QRadialGradient g(c - QPointF(d * 0.18, d * 0.2), d * 0.62);
    g.setColorAt(0, QColor(214, 216, 218));
    g.setColorAt(0.55, QColor(170, 172, 176));
    g.setColorAt(1, QColor(104, 106, 110));
    part.setPen(QPen(QColor(90, 92, 96), 0.35));
    part.setBrush(g);
    part.drawEllipse(c, d * 0.47, d * 0.47);
    // Polarity band (the printed sector) and the cross-shaped vent.
    part.setPen(Qt::NoPen);
    part.setBrush(QColor(20, 20, 24, 235));
    QPainterPath sector;
    sector.moveTo(c);
    sector.arcTo(centred(c, d * 0.94, d * 0.94), 135, 90);
    sector.closeSubpath();
    QPainterPath inner;
    inner.addEllipse(c, d * 0.3, d * 0.3);
    part.drawPath(sector.subtracted(inner));
    part.setPen(QPen(QColor(110, 112, 116), 0.45));
    part.drawLine(c + QPointF(-d * 0.22, 0), c + QPointF(d * 0.22, 0));
    part.drawLine(c + QPointF(0, -d * 0.22), c + QPointF(0, d * 0.22));
    part.setPen(QPen(QColor(250, 250, 250, 120), 0.3));
    part.drawLine(c + QPointF(-d * 0.22, -0.35), c + QPointF(d * 0.22, -0.35));
}

void metalCan(QPainter &board, QPainter &part, const QRectF &r, bool oval, const QString &mark)
{
    if (oval) {
        roundPad(board, QPointF(r.left() + r.width() * 0.3, r.center().y()), 3.2, 1.0);
        roundPad(board, QPointF(r.right() - r.width() * 0.3, r.center().y()), 3.2, 1.0);
    } else {
        for (int i = 0; i < 4; ++i) {
            QPointF c((i % 2) ? r.right() - 1.2 : r.left() + 1.2, (i / 2) ? r.bottom() - 1.2 : r.top() + 1.2);
            pad(board, centred(c, 3.4, 3.0));
        }
    }
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(212, 212, 212));
    g.setColorAt(0.45, QColor(172, 174, 176));
    g.setColorAt(1, QColor(124, 126, 130));
    part.setPen(QPen(QColor(100, 100, 102), 0.35));
    part.setBrush(g);
    if (oval)
        part.drawRoundedRect(r, r.height() / 2, r.height() / 2);
    else
        part.drawRoundedRect(r, 0.9, 0.9);
    part.setPen(QPen(QColor(255, 255, 255, 130), 0.35));
    part.setBrush(Qt::NoBrush);
    QRectF inner = r.adjusted(1.2, 1.0, -1.2, -1.0);
    if (oval)
        part.drawRoundedRect(inner, inner.height() / 2, inner.height() / 2);
    else
        part.drawRoundedRect(inner, 0.6, 0.6);
    if (!mark.isEmpty())
        markings(part, r, mark.split(u'\n'), std::min(2.2, r.height() * 0.24));
}

// Square gold posts of a pin header, seen from above.
void post(QPainter &part, QPointF c)
{
    const double s = 0.64 * MM * 1.1;
    QLinearGradient g(c - QPointF(s / 2, s / 2), c + QPointF(s / 2, s / 2));
    g.setColorAt(0, QColor(255, 232, 150));
    g.setColorAt(0.5, Gold);
    g.setColorAt(1, QColor(140, 104, 36));
    part.setPen(Qt::NoPen);
    part.setBrush(g);
    part.drawRect(centred(c, s, s));
}

void headerBody(QPainter &part, const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(58, 58, 62));
    g.setColorAt(1, QColor(16, 16, 18));
    part.setPen(QPen(QColor(70, 70, 74), 0.3));
    part.setBrush(g);
    part.drawRoundedRect(r, 0.5, 0.5);
}

// A shunt (jumper cap) over two pins; the opening on top shows the pair of contacts.
void shunt(QPainter &part, QPointF a, QPointF b)
{
    const bool vertical = std::abs(a.x() - b.x()) < 0.01;
    const QPointF c = (a + b) / 2;
    const QRectF r = vertical ? centred(c, P * 0.98, P * 1.95) : centred(c, P * 1.95, P * 0.98);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(72, 72, 78));
    g.setColorAt(0.4, QColor(34, 34, 38));
    g.setColorAt(1, QColor(10, 10, 12));
    part.setPen(QPen(QColor(90, 90, 96), 0.3));
    part.setBrush(g);
    part.drawRoundedRect(r, 0.9, 0.9);
    part.setPen(QPen(QColor(0, 0, 0, 200), 0.35));
    part.setBrush(QColor(8, 8, 10));
    for (QPointF pin : {a, b})
        part.drawRoundedRect(centred(pin, 1.5, 1.5), 0.3, 0.3);
    part.setPen(QPen(QColor(255, 255, 255, 60), 0.35));
    part.drawLine(r.topLeft() + QPointF(0.8, 0.8), vertical ? r.bottomLeft() + QPointF(0.8, -0.8)
                                                            : r.topRight() + QPointF(-0.8, 0.8));
}

// Three-pin pull header, vertical, its cap on the upper two pins (pull-up).
QRectF pullHeader(QPainter &board, QPainter &part, QPointF c, int number)
{
    const QRectF body = centred(c, P, P * 3);
    for (int i = -1; i <= 1; ++i)
        roundPad(board, c + QPointF(0, i * P), P * 0.8);
    silkRect(board, body.adjusted(-0.6, -0.6, 0.6, 0.6));
    text(board, QPointF(c.x(), body.top() - 1.6), QStringLiteral("UP"), 3.0, Silk, Qt::AlignHCenter);
    text(board, QPointF(c.x(), body.bottom() + 4.4), QStringLiteral("DN"), 3.0, Silk, Qt::AlignHCenter);
    text(board, QPointF(body.right() + 1.0, c.y() + 1.6), QStringLiteral("JP%1").arg(number), 3.0, Silk,
         Qt::AlignLeft, 0);
    headerBody(part, body);
    for (int i = -1; i <= 1; ++i)
        post(part, c + QPointF(0, i * P));
    shunt(part, c + QPointF(0, -P), c);
    return body;
}

// SIP resistor network standing on edge: a long narrow moulded body.
void sipNetwork(QPainter &board, QPainter &part, QPointF top, int pins, const QString &mark, int number)
{
    const double len = pins * P;
    const QRectF r(top.x() - 1.35 * MM, top.y(), 2.7 * MM, len);
    for (int i = 0; i < pins; ++i)
        roundPad(board, QPointF(top.x(), top.y() + P / 2 + i * P), 3.6, 0);
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, QColor(210, 170, 78));
    g.setColorAt(0.35, QColor(236, 198, 104));
    g.setColorAt(1, QColor(160, 124, 48));
    part.setPen(QPen(QColor(130, 100, 40), 0.3));
    part.setBrush(g);
    part.drawRoundedRect(r, 1.2, 1.2);
    part.setPen(Qt::NoPen);
    part.setBrush(QColor(40, 30, 20, 180));
    part.drawEllipse(QPointF(top.x(), top.y() + 2.2), 0.8, 0.8);
    part.save();
    part.translate(r.center());
    part.rotate(90);
    text(part, QPointF(0, 1.0), mark, 2.6, QColor(60, 44, 24), Qt::AlignHCenter, 0, false);
    part.restore();
    text(board, QPointF(r.right() + 0.8, top.y() + 3.5), QStringLiteral("RN%1").arg(number), 3.0);
    silkRect(board, r.adjusted(-0.7, -0.7, 0.7, 0.7));
}

// ---------------------------------------------------------------- the board

struct Layers
{
    QPainter &board;
    QPainter &low;
    QPainter &tall;
    Scene &scene;
};

void drawBackdrop(QPainter &p)
{
    QLinearGradient g(0, 0, 600, 268);
    g.setColorAt(0, QColor(236, 236, 238));
    g.setColorAt(1, QColor(206, 207, 212));
    p.fillRect(QRectF(0, 0, 600, 268), g);
}

void drawLaminate(QPainter &p, Scene &scene)
{
    const QPainterPath outline = boardOutline();
    p.setPen(Qt::NoPen);
    p.setBrush(MaskBare);
    p.drawPath(outline);
    p.save();
    p.setClipPath(outline);
    // The pour keeps clear of the routed edge, of the strip along the bracket and of the
    // connector's pin field; split lines divide it into the supply areas.
    QPainterPath pour;
    pour.addRoundedRect(QRectF(58.5, 3, 537, 242.5), 2, 2);
    QPainterPath fingerArea;
    fingerArea.addRect(QRectF(60, 236, 62, 14));
    p.setBrush(MaskPour);
    p.drawPath(pour.subtracted(fingerArea));
    p.setPen(QPen(MaskBare, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{QPointF(58, 150), QPointF(108, 150), QPointF(114, 156), QPointF(114, 176),
                             QPointF(126, 188), QPointF(126, 246)});
    p.drawPolyline(QPolygonF{QPointF(150, 246), QPointF(150, 176), QPointF(156, 170), QPointF(300, 170),
                             QPointF(306, 176), QPointF(306, 246)});
    p.drawPolyline(QPolygonF{QPointF(152, 3), QPointF(152, 150), QPointF(158, 156), QPointF(290, 156),
                             QPointF(296, 150), QPointF(296, 3)});
    // Mottled mask thickness.
    for (int i = 0; i < 260; ++i) {
        QPointF c(scene.uniform(14, 597), scene.uniform(1, 247));
        const double r = scene.uniform(6, 26);
        QRadialGradient g(c, r);
        const bool lighter = scene.pick(0, 1);
        g.setColorAt(0, lighter ? QColor(140, 220, 150, 10) : QColor(0, 30, 10, 12));
        g.setColorAt(1, Qt::transparent);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(c, r, r);
    }
    p.restore();
}

// The mask rounds over the routed edge: a thin bright rim.
void drawEdge(QPainter &p)
{
    const QPainterPath outline = boardOutline();
    p.setPen(QPen(QColor(120, 160, 100), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    p.setPen(QPen(QColor(80, 140, 84, 150), 0.5));
    p.drawPath(QTransform::fromTranslate(0.4, 0.4).map(outline));
}

// Light on the glossy mask: a broad soft reflection across the board.
void drawGloss(QPainter &p)
{
    p.save();
    p.setClipPath(boardOutline());
    QLinearGradient g(QPointF(120, -40), QPointF(330, 300));
    g.setColorAt(0.0, QColor(255, 255, 255, 0));
    g.setColorAt(0.35, QColor(255, 255, 255, 16));
    g.setColorAt(0.5, QColor(255, 255, 255, 26));
    g.setColorAt(0.65, QColor(255, 255, 255, 12));
    g.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(0, 0, 600, 268), g);
    p.restore();
}

void drawFingers(QPainter &p)
{
    auto finger = [&](double x, bool shortOne) {
        QRectF r(x, shortOne ? 253.2 : 250.6, 1.85, shortOne ? 11.0 : 13.6);
        QLinearGradient g(r.topLeft(), r.topRight());
        g.setColorAt(0, QColor(178, 136, 56));
        g.setColorAt(0.45, QColor(246, 214, 128));
        g.setColorAt(1, QColor(190, 146, 58));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(r, 0.5, 0.5);
    };
    // Mask stops short of the fingers; the laminate shows between them.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(112, 128, 70));
    p.drawRect(QRectF(63.2, 249.5, 29.0, 15.7));
    p.drawRect(QRectF(96.9, 249.5, 21.7, 15.7));
    for (int i = 0; i < 11; ++i)
        finger(64.1 + i * 2.56, i == 4 || i == 10);
    for (int i = 0; i < 8; ++i)
        finger(97.6 + i * 2.56, i == 7);
}

void drawBracket(QPainter &p, Scene &scene)
{
    QPainterPath shape;
    shape.moveTo(0, -1);
    shape.lineTo(13.5, -1);
    shape.lineTo(13.5, 247);
    shape.lineTo(11.5, 258);
    shape.lineTo(10.5, 269);
    shape.lineTo(3.5, 269);
    shape.lineTo(2.5, 258);
    shape.lineTo(0, 252);
    shape.closeSubpath();
    QLinearGradient g(0, 0, 13.5, 0);
    g.setColorAt(0, QColor(120, 122, 126));
    g.setColorAt(0.18, QColor(214, 216, 218));
    g.setColorAt(0.38, QColor(246, 247, 248));
    g.setColorAt(0.62, QColor(196, 198, 202));
    g.setColorAt(0.9, QColor(160, 162, 166));
    g.setColorAt(1, QColor(96, 98, 102));
    p.setPen(QPen(QColor(80, 82, 86), 0.4));
    p.setBrush(g);
    p.drawPath(shape);
    // Brushed grain.
    p.save();
    p.setClipPath(shape);
    for (int i = 0; i < 70; ++i) {
        const double x = scene.uniform(0.5, 13);
        const double y = scene.uniform(-1, 250);
        p.setPen(QPen(scene.pick(0, 1) ? QColor(255, 255, 255, 50) : QColor(60, 60, 66, 40), 0.3));
        p.drawLine(QPointF(x, y), QPointF(x + scene.uniform(-0.2, 0.2), y + scene.uniform(10, 50)));
    }
    p.restore();
    // The bend line where the bracket's lower tab narrows.
    p.setPen(QPen(QColor(90, 92, 96, 160), 0.4));
    p.drawLine(QPointF(0.5, 247.5), QPointF(13.2, 247.5));
    // Screws holding the connector's shell show their heads on the bracket's edge.
    for (double y : {37.0, 209.0}) {
        QLinearGradient s(QPointF(3, y - 3), QPointF(11, y + 3));
        s.setColorAt(0, QColor(236, 236, 236));
        s.setColorAt(1, QColor(110, 112, 116));
        p.setPen(QPen(QColor(70, 70, 74), 0.4));
        p.setBrush(s);
        p.drawRect(QRectF(4, y - 4.5, 7.5, 9));
        p.setPen(QPen(QColor(80, 80, 84), 0.6));
        p.drawLine(QPointF(4.5, y), QPointF(11, y));
    }
}

// The I/O connector behind the bracket: 37-pin D-sub, right angle.
void drawDsub(Layers &l)
{
    const double top = 30, bottom = 216;
    const double cy = (top + bottom) / 2;
    const double pitch = 2.77 * MM;
    // Pin field: two rows of soldered tails behind the insulator.
    for (int row = 0; row < 2; ++row) {
        const int count = row == 0 ? 19 : 18;
        const double x = row == 0 ? 44.5 : 51.5;
        for (int i = 0; i < count; ++i) {
            const double y = cy - pitch * (count - 1) / 2 + i * pitch;
            roundPad(l.board, QPointF(x, y), 4.0, 0.0);
            QLinearGradient g(QPointF(36, y - 0.5), QPointF(36, y + 0.5));
            g.setColorAt(0, QColor(236, 236, 234));
            g.setColorAt(1, QColor(150, 150, 148));
            l.low.setPen(Qt::NoPen);
            l.low.setBrush(g);
            l.low.drawRect(QRectF(35.5, y - 0.55, x - 35.5, 1.1));
            l.low.setBrush(QColor(228, 228, 224));
            l.low.drawEllipse(QPointF(x, y), 1.25, 1.25);
        }
    }
    // Board-lock tabs.
    for (double y : {top + 7.0, bottom - 7.0})
        roundPad(l.board, QPointF(40, y), 7.2, 3.4);
    // Metal front shell lying against the bracket.
    QLinearGradient shell(13.5, 0, 18, 0);
    shell.setColorAt(0, QColor(250, 250, 250));
    shell.setColorAt(1, QColor(150, 152, 156));
    l.tall.setPen(QPen(QColor(90, 90, 94), 0.35));
    l.tall.setBrush(shell);
    l.tall.drawRect(QRectF(13.5, top, 4.2, bottom - top));
    // Mounting brackets with their rivets.
    for (double y : {top, bottom - 14.0}) {
        QRectF b(17.7, y, 20.5, 14);
        QLinearGradient g(b.topLeft(), b.bottomRight());
        g.setColorAt(0, QColor(232, 232, 230));
        g.setColorAt(1, QColor(128, 130, 134));
        l.tall.setPen(QPen(QColor(86, 86, 90), 0.35));
        l.tall.setBrush(g);
        l.tall.drawRect(b);
        QRadialGradient r(b.center() - QPointF(0.8, 0.8), 3.4);
        r.setColorAt(0, QColor(255, 255, 255));
        r.setColorAt(1, QColor(120, 120, 124));
        l.tall.setBrush(r);
        l.tall.drawEllipse(b.center() + QPointF(1.5, 0), 3.0, 3.0);
    }
    // Insulator body with moulded ribs.
    const QRectF body(17.7, top + 14, 18.3, bottom - top - 28);
    QLinearGradient g(body.topLeft(), body.topRight());
    g.setColorAt(0, QColor(70, 70, 74));
    g.setColorAt(0.5, QColor(40, 40, 44));
    g.setColorAt(1, QColor(22, 22, 24));
    l.tall.setPen(QPen(QColor(14, 14, 16), 0.35));
    l.tall.setBrush(g);
    l.tall.drawRect(body);
    l.tall.setPen(QPen(QColor(110, 110, 116, 120), 0.35));
    for (double x : {22.0, 28.5, 33.0})
        l.tall.drawLine(QPointF(x, body.top() + 2), QPointF(x, body.bottom() - 2));
    l.tall.setPen(QPen(QColor(0, 0, 0, 120), 0.35));
    for (double y = body.top() + 8; y < body.bottom() - 4; y += 14.2)
        l.tall.drawLine(QPointF(body.left() + 1, y), QPointF(body.right() - 1, y));
    text(l.board, QPointF(39, top - 3), QStringLiteral("J1"), 3.6);
    text(l.board, QPointF(54.6, cy - 62), QStringLiteral("1"), 2.8);
    text(l.board, QPointF(54.6, cy + 66), QStringLiteral("37"), 2.8);
    silkRect(l.board, QRectF(41, top + 1, 14.5, bottom - top - 2));
}

void drawPullColumn(Layers &l, int index, QList<QRectF> *headers)
{
    const QPointF c = photoCentre(PullCircles[index]);
    const double x = c.x();
    sipNetwork(l.board, l.tall, QPointF(x, 6.0), 9, QStringLiteral("9A103J"), index + 1);
    // Common pin of the network to the header's centre pin, end pins to the supply vias.
    trace(QPolygonF{QPointF(x, 9.2), QPointF(x - 5.5, 9.2), QPointF(x - 5.5, c.y() - 2),
                             QPointF(x - 3.5, c.y())}, 0.9);
    trace(QPolygonF{QPointF(x, c.y() - P), QPointF(x + 6, c.y() - P), QPointF(x + 8, c.y() - P - 2),
                             QPointF(x + 8, c.y() - P - 6)}, 1.4);
    via(QPointF(x + 8, c.y() - P - 6), 2.2);
    trace(QPolygonF{QPointF(x, c.y() + P), QPointF(x - 5, c.y() + P + 5)}, 1.4);
    via(QPointF(x - 5, c.y() + P + 5), 2.2);
    headers->append(pullHeader(l.board, l.tall, c, index + 1));

    // The port's buffer below the header, its network lines running up beside the column.
    const QPointF u(x, 137);
    const QRectF buffer = soic(l.board, l.low, u, 20, true,
                               {QStringLiteral("QB245"), QStringLiteral("2218")}, 2.1);
    const double pitch = 1.27 * MM;
    for (int i = 0; i < 8; ++i) {
        const double yLead = u.y() - pitch * 4.5 + (i + 1) * pitch;
        const double xPad = buffer.left() - 1.1 * MM - 0.2;
        const double lane = buffer.left() - 3.2 - (i % 2) * 1.4;
        if (i < 4) {
            const double ySip = 6.0 + P / 2 + (i + 1) * P;
            trace(QPolygonF{QPointF(xPad, yLead), QPointF(lane, yLead - (i % 2) * 1.2),
                                     QPointF(lane, yLead - 8)}, 0.7);
            via(QPointF(lane, yLead - 8 - (i % 2) * 1.0), 1.5);
            trace(QPolygonF{QPointF(x, ySip), QPointF(x + 5.5, ySip), QPointF(x + 6.5 + (i % 2) * 1.6, ySip + 1.5)}, 0.8);
            via(QPointF(x + 6.5 + (i % 2) * 1.6, ySip + 1.9), 1.7);
        }
        const double xr = buffer.right() + 1.1 * MM + 0.2;
        const double lx = xr + 2.2 + (i % 3) * 1.7;
        trace(QPolygonF{QPointF(xr, yLead), QPointF(lx, yLead), QPointF(lx, u.y() + 21 + i * 1.7)}, 0.7);
        via(QPointF(lx, u.y() + 21 + i * 1.7), 1.5);
    }
    passive(l.board, l.low, QPointF(x, buffer.bottom() + 6.2), false, Passive::Capacitor);
    // The network's lower resistors down the right of the header to the buffer's inputs.
    for (int k = 0; k < 4; ++k) {
        const double ySip = 6.0 + P / 2 + (5 + k) * P;
        const double lane = x + 6.0 + k * 1.7;
        // The first port's lanes stop short of the bus that crosses its column.
        const double yEnd = index == 0 ? 100.5 - k * 1.3 : buffer.top() - 4.0 - k * 1.2;
        trace(QPolygonF{QPointF(x, ySip), QPointF(lane - 2, ySip), QPointF(lane, ySip + 2), QPointF(lane, yEnd)}, 0.75);
        via(QPointF(lane, yEnd), 1.6);
    }
    text(l.board, QPointF(buffer.right() + 0.5, buffer.top() - 1.2), QStringLiteral("U%1").arg(index + 3), 3.0);
}

void drawHighHeader(Layers &l, QList<QRectF> *headers)
{
    const QPointF c = photoCentre(HighCircle);
    const char *labels[4] = {"1.8", "2.5", "3.3", "5"};
    for (int i = 0; i < 4; ++i) {
        const QPointF pin(c.x() + (i - 1.5) * P, c.y());
        roundPad(l.board, pin - QPointF(0, P / 2), P * 0.8);
        roundPad(l.board, pin + QPointF(0, P / 2), P * 0.8);
        text(l.board, QPointF(pin.x(), c.y() + P + 3.6), QString::fromLatin1(labels[i]), 2.4, Silk,
             Qt::AlignHCenter);
        // The lower pins take the supply rails from the regulators, the upper ones join the bank.
        trace(QPolygonF{pin + QPointF(0, P / 2), pin + QPointF(0, P + 4.5),
                                 pin + QPointF(-2.2, P + 6.7), pin + QPointF(-2.2, P + 10)}, 1.1);
    }
    trace(QPolygonF{c + QPointF(-1.5 * P, -P / 2), c + QPointF(1.5 * P, -P / 2)}, 1.3);
    trace(QPolygonF{c + QPointF(-1.5 * P, -P / 2), c + QPointF(-1.5 * P - 5, -P / 2 - 5),
                             c + QPointF(-1.5 * P - 14, -P / 2 - 5)}, 1.3);
    via(c + QPointF(-1.5 * P - 14, -P / 2 - 5), 2.4);
    for (int i = 0; i < 4; ++i)
        via(QPointF(c.x() + (i - 1.5) * P - 2.2, c.y() + P + 10.2), 1.8);
    const QRectF all = centred(c, 4 * P, 2 * P);
    silkRect(l.board, all.adjusted(-0.6, -0.6, 0.6, 0.6));
    text(l.board, QPointF(all.left() - 1.2, c.y() + 1.6), QStringLiteral("JP6"), 3.0, Silk, Qt::AlignRight);
    text(l.board, QPointF(c.x(), all.top() - 1.4), QStringLiteral("I/O LEVEL"), 2.4, Silk, Qt::AlignHCenter);
    for (int i = 0; i < 4; ++i) {
        const QPointF pin(c.x() + (i - 1.5) * P, c.y());
        headerBody(l.tall, centred(pin, P * 0.96, P * 2));
        post(l.tall, pin - QPointF(0, P / 2));
        post(l.tall, pin + QPointF(0, P / 2));
    }
    shunt(l.tall, c + QPointF(1.5 * P, -P / 2), c + QPointF(1.5 * P, P / 2));
    headers->append(all);
}

void drawBoxHeader(Layers &l)
{
    const double cx = 576.5, cy = 141.5;
    const QRectF shroud = centred(QPointF(cx, cy), 8.9 * MM, 24 * P + 7.6 * MM);
    // Traces leave from under the shroud towards the buffers.
    for (int i = 0; i < 25; ++i) {
        const double y = cy - 12 * P + i * P;
        const double x = cx - P / 2;
        if (i % 2 == 0) {
            trace(QPolygonF{QPointF(x, y), QPointF(551.5 - (i % 4) * 0.9, y)}, 0.8);
            via(QPointF(550.5 - (i % 4) * 0.9, y + 1.2), 1.6);
        } else {
            passive(l.board, l.low, QPointF(555.0, y), false, Passive::Resistor, 1.0 * MM, 0.5 * MM);
            trace(QPolygonF{QPointF(x, y), QPointF(557.5, y)}, 0.8);
            trace(QPolygonF{QPointF(552.5, y), QPointF(547, y), QPointF(545, y + 2)}, 0.8);
            via(QPointF(545, y + 2), 1.6);
        }
    }
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 25; ++j)
            roundPad(l.board, QPointF(cx - P / 2 + i * P, cy - 12 * P + j * P), 4.2, 1.0);
    silkRect(l.board, shroud.adjusted(-0.8, -0.8, 0.8, 0.8));
    text(l.board, QPointF(cx, shroud.bottom() + 4.6), QStringLiteral("J2"), 3.4, Silk, Qt::AlignHCenter);

    QPainter &p = l.tall;
    QLinearGradient g(shroud.topLeft(), shroud.topRight());
    g.setColorAt(0, QColor(70, 70, 76));
    g.setColorAt(0.25, QColor(40, 40, 44));
    g.setColorAt(1, QColor(16, 16, 18));
    p.setPen(QPen(QColor(10, 10, 12), 0.35));
    p.setBrush(g);
    p.drawRoundedRect(shroud, 0.8, 0.8);
    const QRectF well = shroud.adjusted(1.6, 1.6, -1.6, -1.6);
    p.setBrush(QColor(12, 12, 14));
    p.setPen(QPen(QColor(0, 0, 0), 0.3));
    p.drawRect(well);
    // Polarising slot in the left wall and pin-one triangle.
    p.setBrush(QColor(12, 12, 14));
    p.drawRect(QRectF(shroud.left() - 0.1, cy - 2.25 * MM, 1.8, 4.5 * MM));
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 25; ++j)
            post(p, QPointF(cx - P / 2 + i * P, cy - 12 * P + j * P));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 150, 150));
    QPolygonF tri{QPointF(shroud.right() - 1.2, shroud.top() + 2), QPointF(shroud.right() - 1.2, shroud.top() + 4.4),
                  QPointF(shroud.right() - 0.3, shroud.top() + 3.2)};
    p.drawPolygon(tri);
}

void drawFpga(Layers &l)
{
    const QPointF c(222.5, 90);
    const double body = 28 * MM * 0.92;
    const double pitch = 0.5 * MM * 0.92 * 1.04;
    // Fan-out: every lead a short trace outward, most of them into a via.
    for (int side = 0; side < 4; ++side) {
        for (int i = 0; i < 52; ++i) {
            const double along = -pitch * 25.5 + i * pitch;
            const double edge = body / 2 + 1.6 * MM;
            const double len = 2.2 + ((i / 2) % 2) * 2.8;
            QPointF a, b;
            switch (side) {
            case 0: a = c + QPointF(-edge, along); b = a + QPointF(-len, 0); break;
            case 1: a = c + QPointF(edge, along); b = a + QPointF(len, 0); break;
            case 2: a = c + QPointF(along, -edge); b = a + QPointF(0, -len); break;
            default: a = c + QPointF(along, edge); b = a + QPointF(0, len); break;
            }
            if (i % 2 == 1)
                continue;
            trace(QPolygonF{a, b}, 0.5);
            via(b, 1.6);
        }
    }
    // Decoupling along each side, and the ejector-pin mark on the top.
    for (int i = 0; i < 5; ++i) {
        const double t = -24 + i * 12;
        passive(l.board, l.low, c + QPointF(-body / 2 - 13, t), true, Passive::Capacitor, 1.0 * MM, 0.5 * MM);
        passive(l.board, l.low, c + QPointF(body / 2 + 13, t), true, Passive::Capacitor, 1.0 * MM, 0.5 * MM);
        passive(l.board, l.low, c + QPointF(t, -body / 2 - 13), false, Passive::Capacitor, 1.0 * MM, 0.5 * MM);
        passive(l.board, l.low, c + QPointF(t, body / 2 + 13), false, Passive::Capacitor, 1.0 * MM, 0.5 * MM);
    }
    qfp(l.board, l.low, c, body, 52, pitch,
        {QStringLiteral("QX3S400"), QStringLiteral("PQ208ANB"), QStringLiteral("D2219  C4")}, 3.0);
    l.low.setPen(Qt::NoPen);
    l.low.setBrush(QColor(14, 14, 16, 200));
    l.low.drawEllipse(c + QPointF(body * 0.3, body * 0.3), 3.0, 3.0);
    text(l.board, c + QPointF(-body / 2 - 4, -body / 2 - 5), QStringLiteral("U1"), 3.6, Silk, Qt::AlignRight);
    // Bus towards the first port's buffer.
    const double pitch127 = 1.27 * MM;
    for (int i = 0; i < 8; ++i) {
        const QPointF from = c + QPointF(body / 2 + 1.6 * MM, -pitch * 25.5 + (31 + i * 2) * pitch);
        const QPointF to(photoCentre(PullCircles[1]).x() - 7.5 * MM / 2 - 1.1 * MM - 3.2,
                         137 - pitch127 * 4.5 + (i + 1) * pitch127 - 8);
        QPolygonF poly = route(from + QPointF(9, 0), to + QPointF(-3, 0), true);
        poly.prepend(from);
        trace(poly, 0.7);
    }
}

void drawBridge(Layers &l)
{
    const QPointF c(171, 207);
    const double body = 14 * MM * 0.95;
    const double pitch = 0.5 * MM * 0.95;
    qfp(l.board, l.low, c, body, 25, pitch, {QStringLiteral("QPX8311"), QStringLiteral("2221 TQ")}, 2.6);
    text(l.board, c + QPointF(-body / 2 - 3, -body / 2 - 4), QStringLiteral("U2"), 3.4, Silk, Qt::AlignRight);
    // The lane's two differential pairs down to the fingers, with the coupling capacitors.
    auto pair = [&](QPointF start, double fingerX, bool caps) {
        for (int k = 0; k < 2; ++k) {
            const QPointF a = start + QPointF(k * 1.9, 0);
            const QPointF f(fingerX + k * 2.56 + 0.9, 251.5);
            QPolygonF poly = route(a, QPointF(f.x(), 236), false);
            poly << f;
            trace(poly, 0.8);
        }
        if (caps) {
            passive(l.board, l.low, QPointF(fingerX + 0.9, 229), true, Passive::Capacitor, 1.0 * MM, 0.5 * MM);
            passive(l.board, l.low, QPointF(fingerX + 3.46, 229), true, Passive::Capacitor, 1.0 * MM, 0.5 * MM);
        }
    };
    pair(c + QPointF(-6.5, body / 2 + 2.5), 97.6 + 2 * 2.56, true);
    pair(c + QPointF(-12.5, body / 2 + 2.5), 97.6 + 5 * 2.56, false);
    pair(c + QPointF(-body / 2 - 2.5, 4), 64.1 + 6 * 2.56, false);
    // Supply fingers feed a wide trace up to the regulator.
    for (int i : {0, 1, 2}) {
        const double x = 64.1 + i * 2.56 + 0.9;
        trace(QPolygonF{QPointF(x, 251.5), QPointF(x, 242), QPointF(74, 236), QPointF(74, 226)}, 1.6);
    }
    for (int i : {7, 8}) {
        const double x = 64.1 + i * 2.56 + 0.9;
        trace(QPolygonF{QPointF(x, 251.5), QPointF(x, 243)}, 1.0);
        via(QPointF(x, 243), 1.6);
    }
    metalCan(l.board, l.low, centred(QPointF(198, 234), 3.2 * MM * 1.6, 2.5 * MM * 1.6), false, QString());
    text(l.board, QPointF(206, 230), QStringLiteral("Y2"), 3.0);
    // Bridge to logic: a bus up into the big chip.
    for (int i = 0; i < 10; ++i) {
        const QPointF a = c + QPointF(-pitch * 12 + (i + 5) * pitch * 1.6, -body / 2 - 2.5);
        const QPointF b(192 + i * 2.0, 138);
        trace(route(a, b, false), 0.6);
    }
    for (int i = 0; i < 6; ++i) {
        const QPointF a = c + QPointF(body / 2 + 2.5, -pitch * 10 + i * pitch * 3);
        trace(dogleg(a, QPointF(222 + i * 2.2, 172), 4 + i * 1.5, true), 0.6);
        via(QPointF(222 + i * 2.2, 172), 1.4);
    }
    for (int i = 0; i < 8; ++i)
        passive(l.board, l.low, c + QPointF(body / 2 + 9 + (i % 2) * 5.5, -10 + (i / 2) * 5.8), false,
                Passive::Capacitor, 1.0 * MM, 0.5 * MM);
}

void drawLeftZone(Layers &l)
{
    metalCan(l.board, l.tall, QRectF(62, 13, 27, 11), true, QStringLiteral("33.000"));
    text(l.board, QPointF(91, 21.5), QStringLiteral("Y1"), 3.0);
    soic(l.board, l.low, QPointF(80, 48), 8, false, {QStringLiteral("Q93C66")}, 1.8);
    text(l.board, QPointF(93, 50), QStringLiteral("U9"), 3.0);
    for (int i = 0; i < 4; ++i)
        passive(l.board, l.low, QPointF(66 + i * 6, 62), true, Passive::Resistor);
    // Regulator in SOT-223 with its tab.
    {
        const QPointF c(90, 178);
        const QRectF body = centred(c, 6.5 * MM, 3.5 * MM);
        pad(l.board, QRectF(body.left() + 1.5, body.top() - 4.5, body.width() - 3, 4.2));
        for (int i = -1; i <= 1; ++i)
            pad(l.board, centred(QPointF(c.x() + i * 2.3 * MM, body.bottom() + 2.4), 2.2, 3.4));
        l.low.setPen(Qt::NoPen);
        l.low.setBrush(QColor(200, 200, 198));
        l.low.drawRect(QRectF(body.left() + 2.2, body.top() - 3.6, body.width() - 4.4, 3.8));
        for (int i = -1; i <= 1; ++i)
            l.low.drawRect(centred(QPointF(c.x() + i * 2.3 * MM, body.bottom() + 1.4), 1.4, 3.0));
        chipBody(l.low, body, Plastic, false);
        markings(l.low, body, {QStringLiteral("QL1117")}, 2.2);
        text(l.board, QPointF(body.right() + 1.5, c.y() + 1), QStringLiteral("U10"), 3.0);
    }
    electrolytic(l.board, l.tall, QPointF(76, 208), 6.3 * MM * 0.95);
    text(l.board, QPointF(66, 196.5), QStringLiteral("+"), 3.2);
    text(l.board, QPointF(87, 220), QStringLiteral("C1"), 3.0);
    tantalum(l.board, l.low, QPointF(104, 210), true);
    tantalum(l.board, l.low, QPointF(104, 158), false);
    for (int i = 0; i < 3; ++i)
        passive(l.board, l.low, QPointF(68 + i * 7, 160), true, Passive::Capacitor, 2.0 * MM, 1.25 * MM);
    for (int i = 0; i < 6; ++i) {
        passive(l.board, l.low, QPointF(64 + (i % 3) * 8, 84 + (i / 3) * 9), false,
                i % 2 ? Passive::Capacitor : Passive::Resistor);
        via(QPointF(64 + (i % 3) * 8, 89 + (i / 3) * 9), 1.5);
    }
    for (int i = 0; i < 10; ++i)
        via(QPointF(62 + (i % 5) * 9.5, 126 + (i / 5) * 8), 1.8);
    // Connector lines from the pin field into the board.
    for (int i = 0; i < 12; ++i) {
        const double y = 123 - 2.77 * MM * 9 + i * 2.77 * MM * 1.5;
        trace(QPolygonF{QPointF(51.5, y + 3.54), QPointF(57, y + 3.54), QPointF(60, y + 1)}, 0.7);
        via(QPointF(60.5, y + 0.6), 1.5);
    }
}

void drawPowerAndLogic(Layers &l)
{
    // Switching supply for the core: inductor, controller, capacitors.
    {
        const QRectF ind = centred(QPointF(238, 200), 5.0 * MM, 5.0 * MM);
        pad(l.board, QRectF(ind.left() + 1, ind.top() - 1.4, ind.width() - 2, 3.2));
        pad(l.board, QRectF(ind.left() + 1, ind.bottom() - 1.8, ind.width() - 2, 3.2));
        QLinearGradient g(ind.topLeft(), ind.bottomRight());
        g.setColorAt(0, QColor(92, 92, 96));
        g.setColorAt(1, QColor(40, 40, 44));
        l.tall.setPen(QPen(QColor(30, 30, 32), 0.35));
        l.tall.setBrush(g);
        l.tall.drawRoundedRect(ind, 1.2, 1.2);
        l.tall.setBrush(QColor(56, 56, 60));
        l.tall.drawEllipse(ind.center(), ind.width() * 0.34, ind.width() * 0.34);
        markings(l.tall, ind, {QStringLiteral("4R7")}, 2.6);
        text(l.board, QPointF(ind.center().x(), ind.top() - 2.0), QStringLiteral("L1"), 3.0, Silk, Qt::AlignHCenter);
    }
    soic(l.board, l.low, QPointF(258, 220), 8, false, {QStringLiteral("QS2035")}, 1.8);
    text(l.board, QPointF(265, 232.5), QStringLiteral("U11"), 3.0);
    tantalum(l.board, l.low, QPointF(278, 200), true);
    tantalum(l.board, l.low, QPointF(289, 200), true);
    for (int i = 0; i < 4; ++i)
        passive(l.board, l.low, QPointF(276 + i * 5, 226), true, i % 2 ? Passive::Resistor : Passive::Capacitor);
    for (int i = 0; i < 6; ++i)
        via(QPointF(228 + i * 4.5, 236.5), 1.8);

    // The data bus from the big chip along the bottom to the ports and the I/O connector.
    for (int i = 0; i < 7; ++i) {
        const double y = 165.5 + i * 2.3;
        const QPointF start(240 + i * 2.0, 152);
        QPolygonF poly = route(start, QPointF(start.x() + (y - 152), y), false);
        poly << QPointF(540 - i * 1.6, y) << QPointF(544 - i * 1.6, y - 4);
        trace(poly, 0.7);
        via(QPointF(544 - i * 1.6, y - 4), 1.5);
    }
    // Port-control logic and its pull-up array.
    soic(l.board, l.low, QPointF(335, 214), 14, false, {QStringLiteral("QC14A"), QStringLiteral("K2212")}, 1.8);
    text(l.board, QPointF(323, 205), QStringLiteral("U8"), 3.0, Silk, Qt::AlignRight);
    for (int i = 0; i < 4; ++i) {
        passive(l.board, l.low, QPointF(320 + i * 9, 233), false, Passive::Capacitor);
        via(QPointF(320 + i * 9, 238.5), 1.5);
    }
    for (int i = 0; i < 7; ++i) {
        const QPointF a(335 - 3 * 1.27 * MM + i * 1.27 * MM, 214 - 3.9 * MM / 2 - 1.2 * MM);
        trace(QPolygonF{a, a + QPointF(0, -6 - (i % 2) * 2)}, 0.6);
        via(a + QPointF(0, -6.6 - (i % 2) * 2), 1.4);
    }
    for (int i = 0; i < 6; ++i)
        passive(l.board, l.low, QPointF(372 + (i % 3) * 7, 200 + (i / 3) * 6), false, Passive::Resistor);
    // Address decoder beside it, tied into the bus above.
    soic(l.board, l.low, QPointF(432, 200), 16, false, {QStringLiteral("QC138"), QStringLiteral("2216")}, 1.8);
    text(l.board, QPointF(448, 196), QStringLiteral("U13"), 3.0);
    for (int i = 0; i < 8; ++i) {
        const QPointF a(432 - 3.5 * 1.27 * MM + i * 1.27 * MM, 200 - 3.9 * MM / 2 - 1.2 * MM);
        const double y = 165.5 + (i % 7) * 2.3;
        trace(QPolygonF{a, QPointF(a.x(), y + 3 + (i % 2)), QPointF(a.x() + 2, y + 1), QPointF(a.x() + 2, y)}, 0.7);
    }
    for (int i = 0; i < 8; ++i) {
        const QPointF a(432 - 3.5 * 1.27 * MM + i * 1.27 * MM, 200 + 3.9 * MM / 2 + 1.2 * MM);
        trace(QPolygonF{a, a + QPointF(0, 3 + (i % 3) * 2)}, 0.7);
        via(a + QPointF(0, 3.6 + (i % 3) * 2), 1.5);
    }
    for (int i = 0; i < 3; ++i)
        passive(l.board, l.low, QPointF(462 + i * 6, 192), true, Passive::Capacitor, 2.0 * MM, 1.25 * MM);
    for (int i = 0; i < 5; ++i) {
        const QPointF a(335 - 3 * 1.27 * MM + i * 1.27 * MM, 214 + 3.9 * MM / 2 + 1.2 * MM);
        trace(QPolygonF{a, a + QPointF(0, 3), a + QPointF(-14, 3), a + QPointF(-18, 7)}, 0.6);
    }
    for (int i = 0; i < 5; ++i)
        via(QPointF(335 - 3 * 1.27 * MM + i * 1.27 * MM - 18, 214 + 3.9 * MM / 2 + 1.2 * MM + 7.8), 1.5);

    // Board name, revision, the serial-number field and a production label.
    text(l.board, QPointF(372, 228), QStringLiteral("QRT-224X"), 8.2);
    text(l.board, QPointF(373, 236.5), QStringLiteral("REV C   24 CH DIGITAL I/O"), 3.2);
    l.board.setPen(Qt::NoPen);
    l.board.setBrush(Silk);
    l.board.drawRect(QRectF(452, 226, 30, 7));
    text(l.board, QPointF(452, 238.5), QStringLiteral("S/N"), 3.0);
    {
        const QRectF label(494, 202, 44, 20);
        l.low.setPen(QPen(QColor(200, 200, 196), 0.3));
        l.low.setBrush(QColor(244, 244, 238));
        l.low.drawRoundedRect(label, 0.6, 0.6);
        Scene &scene = l.scene;
        double x = label.left() + 2.5;
        l.low.setPen(Qt::NoPen);
        l.low.setBrush(QColor(20, 20, 22));
        while (x < label.right() - 2.5) {
            const double w = 0.35 * scene.pick(1, 3);
            l.low.drawRect(QRectF(x, label.top() + 2, w, 11));
            x += w + 0.35 * scene.pick(1, 3);
        }
        text(l.low, QPointF(label.center().x(), label.bottom() - 1.6), QStringLiteral("224X-0418377"), 2.6,
             QColor(30, 30, 30), Qt::AlignHCenter, 0, false);
    }
    // Fiducials.
    for (QPointF f : {QPointF(150, 9), QPointF(590, 240), QPointF(300, 240)}) {
        l.board.setPen(Qt::NoPen);
        l.board.setBrush(MaskBare.darker(110));
        l.board.drawEllipse(f, 2.6, 2.6);
        roundPad(l.board, f, 2.0);
    }
    // Test points.
    for (QPointF t : {QPointF(212, 176), QPointF(296, 176), QPointF(548, 244), QPointF(140, 240)}) {
        roundPad(l.board, t, 2.6);
        text(l.board, t + QPointF(2.2, 1.2), QStringLiteral("TP"), 2.4);
    }
}

void drawTopRow(Layers &l)
{
    // Configuration memory and the clock for the big chip, above it.
    soic(l.board, l.low, QPointF(170, 26), 8, false, {QStringLiteral("Q25F40")}, 1.8);
    text(l.board, QPointF(170, 17), QStringLiteral("U12"), 3.0, Silk, Qt::AlignHCenter);
    metalCan(l.board, l.low, centred(QPointF(272, 28), 7.0 * MM * 0.95, 5.0 * MM * 0.95), false,
             QStringLiteral("Q40.000\nQ2217"));
    text(l.board, QPointF(272, 16.5), QStringLiteral("Y3"), 3.0, Silk, Qt::AlignHCenter);
    for (int i = 0; i < 5; ++i)
        passive(l.board, l.low, QPointF(198 + i * 8, 20), true, i % 2 ? Passive::Capacitor : Passive::Resistor);
    for (int i = 0; i < 5; ++i)
        via(QPointF(198 + i * 8, 12.5), 1.6);
    // Memory and clock lines into the big chip.
    for (int i = 0; i < 4; ++i) {
        const QPointF lead(170 - 1.5 * 1.27 * MM + i * 1.27 * MM, 26 + 3.9 * MM / 2 + 1.2 * MM);
        QPolygonF poly{lead, lead + QPointF(0, 3 + i * 1.6)};
        poly << route(poly.last(), QPointF(196 + i * 2.6, 45), true).mid(1) << QPointF(196 + i * 2.6, 49);
        trace(poly, 0.7);
    }
    trace(QPolygonF{QPointF(272, 36), QPointF(272, 41), QPointF(262, 51), QPointF(246, 51)}, 0.8);
    passive(l.board, l.low, QPointF(266, 43), false, Passive::Resistor);
    // Right-hand gaps between ports: decoupling and lines.
    for (int i = 1; i < 4; ++i) {
        const double x = (photoCentre(PullCircles[i]).x() + photoCentre(PullCircles[i + 1]).x()) / 2;
        passive(l.board, l.low, QPointF(x, 40), true, Passive::Capacitor);
        passive(l.board, l.low, QPointF(x, 118), true, Passive::Capacitor, 2.0 * MM, 1.25 * MM);
        for (int k = 0; k < 4; ++k)
            trace(QPolygonF{QPointF(x - 4.5 + k * 3, 52), QPointF(x - 4.5 + k * 3, 100)}, 0.7);
        via(QPointF(x, 30), 1.8);
    }
}


// Ground stitching along the edges and the long bus from the big chip to the I/O connector.
void drawStitchingAndBus(Layers &l)
{
    auto nearPart = [](QPointF v) {
        for (const ControlRect &circle : PullCircles)
            if (std::abs(v.x() - photoCentre(circle).x()) < 7)
                return true;
        return (v.x() > 556 && v.y() < 45) || (v.x() > 60 && v.x() < 92 && v.y() < 28);
    };
    for (double x = 62; x < 592; x += 7.2)
        if (!nearPart(QPointF(x, 3.6)))
            via(QPointF(x, 3.6), 1.7);
    for (double x = 156; x < 590; x += 7.2)
        if (x < 296 || x > 308)
            via(QPointF(x, 243.8), 1.7);
    for (double y = 10; y < 146; y += 7.2)
        via(QPointF(60.6, y), 1.7);

    const QPointF fpga(222.5, 90);
    const double pitch = 0.5 * MM * 0.92 * 1.04;
    const double edge = 28 * MM * 0.92 / 2 + 1.6 * MM;
    for (int k = 0; k < 8; ++k) {
        const QPointF pin = fpga + QPointF(-edge, pitch * (4.5 + 2 * k));
        const double lane = 103.0 + k * 1.9;
        QPolygonF poly{pin, QPointF(168 - k * 0.6, pin.y())};
        poly << route(poly.last(), QPointF(154, lane), true).mid(1);
        const double end = 64.0 + (k % 3) * 3.2;
        poly << QPointF(end, lane);
        trace(poly, 0.7);
        via(QPointF(end - 1.0, lane), 1.5);
    }
    // Wide supply run from the regulator up to the logic.
    trace(QPolygonF{QPointF(90, 172), QPointF(90, 166), QPointF(98, 158), QPointF(110, 158), QPointF(110, 124)}, 2.4);
    for (int i = 0; i < 3; ++i)
        via(QPointF(107.5 + i * 2.6, 122), 2.0);

    // Series-resistor arrays between the ports.
    for (int i = 1; i < 4; ++i) {
        const double x = (photoCentre(PullCircles[i]).x() + photoCentre(PullCircles[i + 1]).x()) / 2;
        for (int k = 0; k < 2; ++k) {
            const QPointF c(x, 128 + k * 12);
            const QRectF r = centred(c, 1.6 * MM, 3.2 * MM);
            for (int t = 0; t < 4; ++t) {
                const double y = r.top() + (t + 0.5) * r.height() / 4;
                pad(l.board, centred(QPointF(r.left() - 0.2, y), 1.6, 1.3));
                pad(l.board, centred(QPointF(r.right() + 0.2, y), 1.6, 1.3));
            }
            l.low.setPen(Qt::NoPen);
            l.low.setBrush(QColor(24, 24, 26));
            l.low.drawRect(r.adjusted(0.5, 0, -0.5, 0));
            text(l.board, QPointF(r.right() + 1.4, c.y() + 1.2), QStringLiteral("RP%1").arg(i * 2 + k), 2.4);
        }
    }
}

// ---------------------------------------------------------------- finishing

QImage shadowOf(const QImage &layer, double dx, double dy, int radius, double opacity)
{
    const int w = layer.width(), h = layer.height();
    std::vector<float> a(size_t(w) * h), tmp(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(layer.constScanLine(y));
        for (int x = 0; x < w; ++x)
            a[size_t(y) * w + x] = qAlpha(line[x]) / 255.0f;
    }
    // Three box passes approximate a Gaussian.
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y) {
            float sum = 0;
            for (int x = -radius; x <= radius; ++x)
                sum += a[size_t(y) * w + std::clamp(x, 0, w - 1)];
            for (int x = 0; x < w; ++x) {
                tmp[size_t(y) * w + x] = sum / (2 * radius + 1);
                sum += a[size_t(y) * w + std::min(x + radius + 1, w - 1)] - a[size_t(y) * w + std::max(x - radius, 0)];
            }
        }
        for (int x = 0; x < w; ++x) {
            float sum = 0;
            for (int y = -radius; y <= radius; ++y)
                sum += tmp[size_t(std::clamp(y, 0, h - 1)) * w + x];
            for (int y = 0; y < h; ++y) {
                a[size_t(y) * w + x] = sum / (2 * radius + 1);
                sum += tmp[size_t(std::min(y + radius + 1, h - 1)) * w + x] - tmp[size_t(std::max(y - radius, 0)) * w + x];
            }
        }
    }
    QImage shadow(w, h, QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    const int ox = int(std::lround(dx * S)), oy = int(std::lround(dy * S));
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(shadow.scanLine(y));
        const int sy = y - oy;
        if (sy < 0 || sy >= h)
            continue;
        for (int x = 0; x < w; ++x) {
            const int sx = x - ox;
            if (sx < 0 || sx >= w)
                continue;
            const int alpha = int(a[size_t(sy) * w + sx] * opacity * 255 + 0.5);
            line[x] = qRgba(0, 0, 0, alpha);
        }
    }
    return shadow;
}

void finish(QImage &image, std::mt19937 &rng)
{
    std::normal_distribution<float> grain(0.0f, 2.2f);
    const double cx = image.width() * 0.42, cy = image.height() * 0.4;
    const double maxR = std::hypot(image.width() * 0.6, image.height() * 0.62);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double r = std::hypot(x - cx, y - cy) / maxR;
            // Light falls from the upper left; the lens darkens the corners a little.
            const double light = 1.06 - 0.10 * (x + y * 1.4) / (image.width() + image.height() * 1.4)
                                 - 0.10 * r * r;
            const float g = grain(rng);
            auto channel = [&](int v, float extra) {
                return std::clamp(int(std::lround(v * light + g + extra)), 0, 255);
            };
            line[x] = qRgb(channel(qRed(line[x]), grain(rng) * 0.35f), channel(qGreen(line[x]), 0),
                           channel(qBlue(line[x]), grain(rng) * 0.35f));
        }
    }
}

} // namespace

QList<QRectF> BoardRenderer::jumperHeaders()
{
    QList<QRectF> headers;
    for (const ControlRect &circle : PullCircles)
        headers << centred(photoCentre(circle), P, P * 3);
    headers << centred(photoCentre(HighCircle), 4 * P, 2 * P);
    return headers;
}

QImage BoardRenderer::render()
{
    copper = Copper();
    Scene scene;
    QImage backdrop(scene.board.size(), QImage::Format_RGB32);
    {
        QPainter p(&backdrop);
        prepare(p);
        drawBackdrop(p);
    }
    QImage laminate(scene.board.size(), QImage::Format_ARGB32_Premultiplied);
    laminate.fill(Qt::transparent);
    QImage surface(scene.board.size(), QImage::Format_ARGB32_Premultiplied);
    surface.fill(Qt::transparent);
    {
        QPainter base(&laminate), board(&surface), low(&scene.low), tall(&scene.tall);
        prepare(base);
        prepare(board);
        prepare(low);
        prepare(tall);
        drawLaminate(base, scene);
        Layers l{board, low, tall, scene};
        drawFingers(board);
        drawTopRow(l);
        drawFpga(l);
        drawBridge(l);
        drawPowerAndLogic(l);
        drawLeftZone(l);
        drawStitchingAndBus(l);
        QList<QRectF> headers;
        for (int i = 0; i < 5; ++i)
            drawPullColumn(l, i, &headers);
        drawHighHeader(l, &headers);
        drawBoxHeader(l);
        drawDsub(l);
        base.save();
        base.setClipPath(boardOutline());
        drawCopper(base);
        base.restore();
        drawEdge(board);
        drawGloss(board);
    }
    QImage bracket(scene.board.size(), QImage::Format_ARGB32_Premultiplied);
    bracket.fill(Qt::transparent);
    {
        QPainter p(&bracket);
        prepare(p);
        drawBracket(p, scene);
    }

    QImage composed = backdrop;
    {
        QPainter p(&composed);
        p.drawImage(0, 0, shadowOf(laminate, 2.5, 3.0, 3 * S / 2, 0.45));
        p.drawImage(0, 0, laminate);
        p.drawImage(0, 0, surface);
        p.drawImage(0, 0, shadowOf(scene.low, 0.7, 0.9, S / 2 + 1, 0.55));
        p.drawImage(0, 0, scene.low);
        p.drawImage(0, 0, shadowOf(scene.tall, 2.0, 2.4, S, 0.6));
        p.drawImage(0, 0, scene.tall);
        p.drawImage(0, 0, shadowOf(bracket, 1.6, 1.0, S, 0.5));
        p.drawImage(0, 0, bracket);
    }
    QImage photo = composed.scaled(Width, Height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    finish(photo, scene.rng);
    return photo;
}
