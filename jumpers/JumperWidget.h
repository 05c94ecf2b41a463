// What the two-pin and three-pin jumper drawings share: the colours and border style, the
// orientation with its horizontal frame, drawing off screen and turning the picture, the
// exchange of width and height on a change of pair, and the click. A derived class draws the
// body, cap and pins into the frame and decides what a click does; it publishes its own
// properties in the order its description stores them.
#pragma once

#include "Canvas.h"
#include "Component.h"
#include "Events.h"
#include "JumperTypes.h"
#include "Types.h"

#include <QImage>
#include <QWidget>

class JumperWidget : public QWidget, public Component
{
    Q_OBJECT
public:
    ~JumperWidget() override;

    // Fill of the base. Default 0x808080 (grey). Repaints on a change.
    TColor baseColor() const { return m_baseColor; }
    void setBaseColor(TColor color);
    // Fill of the pins. Default 0x00FFFF (yellow). Repaints on a change.
    TColor pinColor() const { return m_pinColor; }
    void setPinColor(TColor color);
    // Fill of the cap. Default 0x000080 (maroon). Repaints on a change.
    TColor jumperColor() const { return m_jumperColor; }
    void setJumperColor(TColor color);
    // bsSingle: black outlines; bsNone: outlines in the fill colour (what exactly each class
    // says). Other values of the enumeration draw as bsSingle. Default bsSingle. Repaints.
    Vcl::TBorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(Vcl::TBorderStyle style);

    // How the picture is turned. Default otUp. A change to the other pair (lying <-> standing)
    // marks width and height for exchange at the next paint, but only once the widget has been
    // painted: a description sets size and orientation before that and keeps its size. A change
    // there and back before a paint leaves nothing to exchange. Repaints.
    Jumpers::TOrientationType orientation() const { return m_orientation; }
    void setOrientation(Jumpers::TOrientationType orientation);

    // Raised at the end of every click (sender: the widget), never for a value set in code.
    // Default: unassigned.
    NotifyEvent onClick() const { return m_onClick; }
    void setOnClick(NotifyEvent handler) { m_onClick = std::move(handler); }

    // The click: what pressing and releasing the left button over the widget does. A derived
    // class moves its state on and then calls this, which raises OnClick.
    virtual void Click();

protected:
    // Also makes QAccessible describe every jumper drawing through JumperAccessible.
    JumperWidget(int width, int height, QWidget *parent);

    // Tells assistive technology that the words for the state (name, description, checked)
    // changed. A setter calls it after a change that a screen reader would speak differently.
    void announceState();

    // Draws body, cap and pins into the horizontal frame (w x h) over the background, which is
    // already there. The canvas's pen and brush are restored afterwards.
    virtual void drawFrame(Canvas &canvas, int w, int h) = 0;
    // The pen colour of an outline in fill colour under bsNone, black otherwise.
    TColor outlineColor(TColor fill) const;

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    TColor backgroundColor() const;
    void paint();
    void turn();

    TColor m_baseColor = 0x808080;
    TColor m_pinColor = 0x00FFFF;
    TColor m_jumperColor = 0x000080;
    Vcl::TBorderStyle m_borderStyle = Vcl::bsSingle;
    Jumpers::TOrientationType m_orientation = Jumpers::otUp;
    NotifyEvent m_onClick;

    QImage m_work{0, 0, QImage::Format_RGB32};   // the picture in the horizontal frame
    QImage m_turned{0, 0, QImage::Format_RGB32}; // the picture as shown
    bool m_exchangePending = false;
    bool m_paintedOnce = false;
    bool m_pressed = false; // the left button went down over the widget
};
