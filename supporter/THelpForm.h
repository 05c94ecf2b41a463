// The instructions window: a title label, the formatted instructions in a rich-text box and a
// Start button that hides the window and starts the board image's guided tour. Built in code
// by the setup supporter and owned by the main window; closing only hides it.
#pragma once

#include "TForm.h"

#include <QByteArray>
#include <QPointer>
#include <QSize>

class TButton;
class TLabel;
class TRichEdit;

class THelpForm : public TForm
{
    Q_OBJECT
public:
    // Builds the window and its controls, unscaled: client width 305, client height the
    // label's height + 120, the rich-text box anchored to all sides and the Start button
    // (Enter and Escape press it) centred at the bottom. Hidden; centred on the main form when
    // shown. The owner is the main window whose board image Start addresses.
    explicit THelpForm(Component *owner = nullptr);

    TLabel *HelpLabel() const { return m_helpLabel; }
    TRichEdit *HelpRich() const { return m_helpRich; }
    TButton *StartButton() const { return m_startButton; }

    // Shows the RTF document in the rich-text box.
    void loadInstructions(const QByteArray &rtf);

    // Enlarges the client area for a large screen by s = min(height / 450, width / 800), never
    // below 1, each side rounded halves to even; the controls follow by their anchors.
    void scaleForScreen(const QSize &screen);

    // Hides the window and sends StartTourMessage, synchronously, to the first control on the
    // owner's client area that is or derives from TBoardImage; nothing more when there is none.
    Q_INVOKABLE void StartButtonClick(QObject *sender);

private:
    TLabel *m_helpLabel;
    TRichEdit *m_helpRich;
    TButton *m_startButton;
};
