#include "TTwoJumper.h"

#include "Geometry.h"
#include "TRadioPanel.h"

#include <algorithm>

TTwoJumper::TTwoJumper(QWidget *parent)
    : JumperWidget(34, 18, parent)
{
}

TTwoJumper::~TTwoJumper() = default;

void TTwoJumper::setClosed(bool closed)
{
    if (closed == m_closed)
        return;
    m_closed = closed;
    update();
    announceState();
}

void TTwoJumper::Click()
{
    setClosed(!m_closed);
    QWidget *parent = parentWidget();
    if (isClass(parent, "TRadioPanel"))
        if (auto *panel = qobject_cast<TRadioPanel *>(parent); panel && panel->radioEnabled())
            panel->RadioClick(this);
    JumperWidget::Click();
}

void TTwoJumper::drawFrame(Canvas &canvas, int w, int h)
{
    canvas.pen().style = Canvas::psSolid;
    if (m_closed) {
        canvas.pen().color = outlineColor(jumperColor());
        canvas.brush().color = jumperColor();
        canvas.Rectangle(0, 0, w, h);
    } else {
        canvas.pen().color = outlineColor(baseColor());
        canvas.brush().color = baseColor();
        canvas.RoundRect(1, 1, w - 1, h - 1, Div(h, 2), Div(h, 2));
    }

    canvas.pen().style = Canvas::psClear;
    canvas.brush().color = pinColor();
    const int k = Round(w / 3.5);
    const int r = std::min(Div(k, 3), Round(h / 4.0));
    const int x1 = k + 1;
    const int x2 = w - x1;
    const int y = Div(h, 2);
    canvas.Ellipse(x1 - r, y - r, x1 + r, y + r);
    canvas.Ellipse(x2 - r, y - r, x2 + r, y + r);
}
