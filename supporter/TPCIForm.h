// The cards-installed window: a read-only memo that lists the boards found, one model and
// base address each, or "No Card Found", and a Close button (Escape presses it). Built in
// code by the setup supporter, owned by the main window; closing only hides it.
#pragma once

#include "TForm.h"

class TButton;
class TMemo;

class TPCIForm : public TForm
{
    Q_OBJECT
public:
    // Builds the window fitted to its controls: client area 305 x 122, the memo (Tahoma
    // 10 pt bold) at 0, 0 anchored to all sides, the Close button at Left 115 anchored to the
    // bottom. Hidden and without caption; its owner names, fills and shows it, and gives the
    // Close button its handler.
    explicit TPCIForm(Component *owner = nullptr);

    TMemo *PCIMemo() const { return m_pciMemo; }
    TButton *CloseButton() const { return m_closeButton; }

private:
    TMemo *m_pciMemo;
    TButton *m_closeButton;
};
