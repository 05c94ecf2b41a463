// A clickable drawing of one three-pin jumper: a base with three pins in a row and a cap over
// the left and middle pins, over the middle and right pins, or off. A click moves the cap on
// in a fixed cycle. It takes no part in a radio panel's radio rule. The main form's option
// rules listen to OnClick and set JumperState.
#pragma once

#include "JumperWidget.h"

class TThreeJumper : public JumperWidget
{
    Q_OBJECT
    // In the order a description stores them; AllowOpen after JumperState, so a description
    // that stores AllowOpen false and no state starts at jsLeft.
    Q_PROPERTY(Jumpers::TJumperState JumperState READ jumperState WRITE setJumperState)
    Q_PROPERTY(TColor BaseColor READ baseColor WRITE setBaseColor)
    Q_PROPERTY(TColor PinColor READ pinColor WRITE setPinColor)
    Q_PROPERTY(TColor JumperColor READ jumperColor WRITE setJumperColor)
    Q_PROPERTY(Jumpers::TOrientationType Orientation READ orientation WRITE setOrientation)
    Q_PROPERTY(Vcl::TBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool AllowOpen READ allowOpen WRITE setAllowOpen)
    Q_PROPERTY(NotifyEvent OnClick READ onClick WRITE setOnClick)
public:
    // 43 x 18, lying (otUp), jsOpen, AllowOpen true.
    Q_INVOKABLE explicit TThreeJumper(QWidget *parent = nullptr);
    ~TThreeJumper() override;

    // Where the cap is. Default jsOpen. jsOpen is refused without a word while AllowOpen is
    // false. Repaints on a change; raises nothing.
    Jumpers::TJumperState jumperState() const { return m_state; }
    void setJumperState(Jumpers::TJumperState state);

    // Whether jsOpen may be taken. Default true. Turning it off in jsOpen moves the cap to
    // jsLeft; turning it on again leaves the cap where it is. Repaints on a change.
    bool allowOpen() const { return m_allowOpen; }
    void setAllowOpen(bool allow);

    // Moves the cap on: jsOpen -> jsLeft -> jsRight -> jsOpen (jsLeft without AllowOpen),
    // then raises OnClick.
    void Click() override;

protected:
    void drawFrame(Canvas &canvas, int w, int h) override;

private:
    Jumpers::TJumperState m_state = Jumpers::jsOpen;
    bool m_allowOpen = true;
};
