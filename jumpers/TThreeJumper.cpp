#include "TThreeJumper.h"

#include "Geometry.h"

#include <algorithm>

using namespace Jumpers;

TThreeJumper::TThreeJumper(QWidget *parent)
    : JumperWidget(43, 18, parent)
{
}

TThreeJumper::~TThreeJumper() = default;

void TThreeJumper::setJumperState(TJumperState state)
{
    if (state == m_state || (state == jsOpen && !m_allowOpen))
        return;
    m_state = state;
    update();
    announceState();
}

void TThreeJumper::setAllowOpen(bool allow)
{
    if (allow == m_allowOpen)
        return;
    m_allowOpen = allow;
    if (!m_allowOpen && m_state == jsOpen)
        setJumperState(jsLeft);
    update();
}

void TThreeJumper::Click()
{
    switch (m_state) {
    case jsOpen:
        setJumperState(jsLeft);
        break;
    case jsLeft:
        setJumperState(jsRight);
        break;
    case jsRight:
        setJumperState(m_allowOpen ? jsOpen : jsLeft);
        break;
    }
    JumperWidget::Click();
}

void TThreeJumper::drawFrame(Canvas &canvas, int w, int h)
{
    const int k = Round((w - 2) / 4.5);
    const int a = k + 1;         // left pin centre
    const int m = Div(w, 2);     // middle pin centre
    const int y = Div(h, 2);
    const int r = std::min(Div(k, 3), Round((h - 2) / 4.0));
    const int g = m - a + 2;     // a cap reaches g div 2 past the middle pin centre

    canvas.pen().style = Canvas::psSolid;
    canvas.pen().color = outlineColor(baseColor());
    canvas.brush().color = baseColor();
    canvas.RoundRect(1, 1, w - 1, h - 1, Div(h, 2), Div(h, 2));

    // The cap keeps its black outline whatever the border style.
    canvas.pen().color = clBlack;
    canvas.brush().color = jumperColor();
    if (m_state == jsLeft)
        canvas.Rectangle(0, 0, m + Div(g, 2), h);
    else if (m_state == jsRight)
        canvas.Rectangle(m - Div(g, 2), 0, w, h);

    canvas.pen().style = Canvas::psClear;
    canvas.brush().color = pinColor();
    canvas.Ellipse(a - r, y - r, a + r, y + r);
    canvas.Ellipse(m - r, y - r, m + r, y + r);
    canvas.Ellipse(w - a - r, y - r, w - a + r, y + r);
}
