// The popup window of one option group: a small resizable tool window that stays on top and
// shows the group's option panel, the panel's text in a memo, Previous / Next / Done buttons
// and a status bar. A highlight circle builds it (TBoardHighlight::ShowPopup) and owns it;
// closing only hides it. Its activation lights the circles of its group brighter, and when it
// was reached by moving the pointer from a circle into it, it closes once the pointer leaves it.
#pragma once

#include "TForm.h"

#include <QPointer>

class TBoardHighlight;
class TStatusBar;

class TPopupForm : public TForm
{
    Q_OBJECT
    Q_MOC_INCLUDE("TStatusBar.h")
    Q_PROPERTY(TStatusBar *PopupStatus READ popupStatus)

public:
    explicit TPopupForm(Component *owner = nullptr);
    ~TPopupForm() override;

    // The circle that built the popup; its group's images follow the popup's activation.
    TBoardHighlight *highlight() const;
    void setHighlight(TBoardHighlight *circle);

    // The status bar made with the popup; none before.
    TStatusBar *popupStatus() const;
    void setPopupStatus(TStatusBar *statusBar);

    // Close when the pointer leaves the window's outer rectangle. Default false. Set when the
    // pointer moved from a circle straight into the popup; cleared when the popup closes.
    bool closeOnLeave() const { return m_closeOnLeave; }
    void setCloseOnLeave(bool value) { m_closeOnLeave = value; }

    // The control that takes the focus when the popup is given it and none had it yet (the
    // panel, or the Done button without one).
    void setFirstFocus(QWidget *control) { m_firstFocus = control; }

    // Makes the current size the smallest the user may give the window. When the frame is not
    // known yet (no window of this kind was framed before), the client size is what counts, and
    // the limit is set again once the frame is known.
    void KeepSizeAsMinimum();

    // Gives the popup the keyboard focus: activates the window and focuses the control that
    // last had the focus in it (at first the one set by setFirstFocus). A panel the focus is
    // put into raises its OnEnter at once, whether or not the window is active yet.
    void FocusPopup();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Drives the group's glow through SetPopupActive, then raises OnActivate / OnDeactivate.
    void activationChanged(bool active) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void watch(QWidget *widget);
    void PointerLeft();
    void MinimumFrameKnown();

    QPointer<TBoardHighlight> m_highlight;
    QPointer<TStatusBar> m_popupStatus;
    QPointer<QWidget> m_firstFocus;
    bool m_closeOnLeave = false;
    QSize m_minimumClient; // valid while the minimum waits for the frame to become known
};
