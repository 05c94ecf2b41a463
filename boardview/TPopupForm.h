// The popup window of one option group: a small resizable tool window that stays on top and
// shows the group's option panel, the panel's text in a memo, Previous / Next / Done buttons
// and a status bar. Built by a highlight circle, which owns it; closing only hides it.
#pragma once

#include "TForm.h"

#include <QPointer>

class TBoardHighlight;
class TStatusBar;

class TPopupForm : public TForm
{
    Q_OBJECT
public:
    explicit TPopupForm(Component *owner = nullptr);
    ~TPopupForm() override;

    // The circle that built the popup and owns it.
    TBoardHighlight *highlight() const;
    void setHighlight(TBoardHighlight *circle);

    // Close when the pointer leaves the window. Default false.
    bool closeOnLeave() const { return m_closeOnLeave; }
    void setCloseOnLeave(bool value) { m_closeOnLeave = value; }

private:
    QPointer<TBoardHighlight> m_highlight;
    bool m_closeOnLeave = false;
};
