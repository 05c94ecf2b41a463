// A clickable drawing of one two-pin jumper: a base with two pins that carries a cap (closed)
// or not (open). A click toggles it; on a radio panel with its radio rule on, a click closes
// this jumper and opens the panel's other two-pin jumpers. The main form's option rules listen
// to OnClick and set Closed.
#pragma once

#include "JumperWidget.h"

class TTwoJumper : public JumperWidget
{
    Q_OBJECT
    // In the order a description stores them.
    Q_PROPERTY(bool Closed READ closed WRITE setClosed)
    Q_PROPERTY(TColor BaseColor READ baseColor WRITE setBaseColor)
    Q_PROPERTY(TColor PinColor READ pinColor WRITE setPinColor)
    Q_PROPERTY(TColor JumperColor READ jumperColor WRITE setJumperColor)
    Q_PROPERTY(Jumpers::TOrientationType Orientation READ orientation WRITE setOrientation)
    Q_PROPERTY(Vcl::TBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(NotifyEvent OnClick READ onClick WRITE setOnClick)
public:
    // 34 x 18, lying (otUp), open.
    Q_INVOKABLE explicit TTwoJumper(QWidget *parent = nullptr);
    ~TTwoJumper() override;

    // True: the cap is on. Default false. Repaints on a change; raises nothing.
    bool closed() const { return m_closed; }
    void setClosed(bool closed);

    // Toggles Closed, runs the radio rule of a parent that is exactly a TRadioPanel with
    // RadioEnabled, then raises OnClick.
    void Click() override;

protected:
    void drawFrame(Canvas &canvas, int w, int h) override;

private:
    bool m_closed = false;
};
