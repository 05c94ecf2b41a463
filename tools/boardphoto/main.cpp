// boardphoto: draws the board photograph and writes it as a progressive JPEG with the sRGB
// profile, the form the program's description carries.
//   boardphoto OUTPUT.jpg [--preview FILE.png] [--overlay FILE.png] [--icc PROFILE] [--quality N]
// --overlay writes the photograph stretched to the main window's 662 × 296 board control with
// the highlight circles drawn over it, and the check that every jumper header lies inside its
// circle decides the exit code.
#include "BoardRenderer.h"
#include "JpegWriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

namespace {

struct Circle { double left, top, width, height; };
const Circle Circles[6] = {{128, 0, 33, 193}, {332, 0, 41, 193}, {404, 0, 41, 193},
                           {480, 0, 41, 193}, {552, 0, 41, 193}, {616, 16, 41, 25}};

bool insideEllipse(const Circle &c, QPointF point)
{
    const double rx = c.width / 2, ry = c.height / 2;
    const double dx = point.x() - (c.left + rx), dy = point.y() - (c.top + ry);
    return (dx * dx) / (rx * rx) + (dy * dy) / (ry * ry) <= 1.0;
}

// Draws the circles over the stretched photograph; false when a header pokes out of its circle.
bool writeOverlay(const QImage &photo, const QString &path)
{
    QImage view = photo.scaled(662, 296, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter p(&view);
    p.setRenderHint(QPainter::Antialiasing);
    const double sx = 662.0 / BoardRenderer::Width, sy = 296.0 / BoardRenderer::Height;
    const QList<QRectF> headers = BoardRenderer::jumperHeaders();
    bool allInside = true;
    for (int i = 0; i < 6; ++i) {
        const Circle &c = Circles[i];
        const QRectF h(headers[i].left() * sx, headers[i].top() * sy, headers[i].width() * sx,
                       headers[i].height() * sy);
        const bool inside = insideEllipse(c, h.topLeft()) && insideEllipse(c, h.topRight())
                            && insideEllipse(c, h.bottomLeft()) && insideEllipse(c, h.bottomRight());
        std::printf("circle %d (%g,%g %gx%g): header %.1f,%.1f %.1fx%.1f %s\n", i, c.left, c.top, c.width,
                    c.height, h.left(), h.top(), h.width(), h.height(), inside ? "inside" : "OUTSIDE");
        allInside = allInside && inside;
        p.setPen(QPen(QColor(255, 230, 0), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(c.left, c.top, c.width, c.height));
        p.setPen(QPen(QColor(255, 0, 255), 0.8));
        p.drawRect(h);
    }
    p.end();
    return view.save(path) && allInside;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString output, preview, overlay, icc = QStringLiteral("/usr/share/color/icc/sRGB.icc");
    int quality = 90;
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--preview") && hasValue)
            preview = args[++i];
        else if (a == QLatin1String("--overlay") && hasValue)
            overlay = args[++i];
        else if (a == QLatin1String("--icc") && hasValue)
            icc = args[++i];
        else if (a == QLatin1String("--quality") && hasValue)
            quality = args[++i].toInt();
        else if (output.isEmpty() && !a.startsWith(QLatin1String("--")))
            output = a;
        else {
            std::fprintf(stderr, "usage: boardphoto OUTPUT.jpg [--preview PNG] [--overlay PNG] "
                                 "[--icc PROFILE] [--quality N]\n");
            return 2;
        }
    }
    if (output.isEmpty()) {
        std::fprintf(stderr, "boardphoto: no output file given\n");
        return 2;
    }
    QFile profile(icc);
    if (!profile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "boardphoto: cannot read the ICC profile %s (package icc-profiles-free)\n",
                     qPrintable(icc));
        return 1;
    }
    const QByteArray iccData = profile.readAll();

    const QImage photo = BoardRenderer().render();
    QString error;
    const QByteArray jpeg = encodeProgressiveJpeg(photo, iccData, quality, &error);
    if (jpeg.isEmpty()) {
        std::fprintf(stderr, "boardphoto: %s\n", qPrintable(error));
        return 1;
    }
    QFile out(output);
    if (!out.open(QIODevice::WriteOnly) || out.write(jpeg) != jpeg.size()) {
        std::fprintf(stderr, "boardphoto: cannot write %s\n", qPrintable(output));
        return 1;
    }
    std::printf("%s: %lld bytes\n", qPrintable(output), static_cast<long long>(jpeg.size()));
    if (!preview.isEmpty())
        photo.save(preview);
    if (!overlay.isEmpty() && !writeOverlay(photo, overlay)) {
        std::fprintf(stderr, "boardphoto: a jumper header lies outside its circle\n");
        return 1;
    }
    return 0;
}
