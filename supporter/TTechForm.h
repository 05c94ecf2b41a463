// The technical-support window: a read-only memo with the support text and a Close button
// (Escape presses it). Built in code by the setup supporter, owned by the main window, shown
// from the Help menu; closing only hides it.
#pragma once

#include "TForm.h"

class TButton;
class TMemo;

class TTechForm : public TForm
{
    Q_OBJECT
public:
    // Builds the window fitted to its controls: client area 305 x 122, the memo at 0, 0
    // anchored to all sides, the Close button centred at the bottom (Left 116). Hidden. The
    // Close button has no handler yet; its owner gives it one.
    explicit TTechForm(Component *owner = nullptr);

    TMemo *TechMemo() const { return m_techMemo; }
    TButton *CloseButton() const { return m_closeButton; }

private:
    TMemo *m_techMemo;
    TButton *m_closeButton;
};
