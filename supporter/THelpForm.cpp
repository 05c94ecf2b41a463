#include "THelpForm.h"

#include "Control.h"
#include "Geometry.h"
#include "Messages.h"
#include "StartTourMessage.h"
#include "TButton.h"
#include "TLabel.h"
#include "TRichEdit.h"

#include <QFont>

namespace {
constexpr int RichWidth = 305;
constexpr int RichHeight = 72;
constexpr int RichTop = 24;
constexpr int ButtonWidth = 172;
constexpr int ButtonHeight = 24;
constexpr TColor RichColor = 0xDDDDDD; // light grey, 221 of each
}

THelpForm::THelpForm(Component *owner)
    : TForm(owner)
    , m_helpLabel(new TLabel(this))
    , m_helpRich(new TRichEdit(this))
    , m_startButton(new TButton(this))
{
    setName(QStringLiteral("HelpForm"));
    setCaption(QStringLiteral("Instructions for Settings utility"));
    setFormStyle(Vcl::fsStayOnTop);
    setPosition(Vcl::poMainFormCenter);

    m_helpLabel->setName(QStringLiteral("HelpLabel"));
    m_helpLabel->setParent(client());
    QFont labelFont(QStringLiteral("Verdana"));
    labelFont.setPointSize(12);
    labelFont.setBold(true);
    m_helpLabel->setFont(labelFont);
    m_helpLabel->setAlignmentValue(Vcl::taCenter);
    m_helpLabel->setCaption(QStringLiteral("How to use this program"));
    SetAlign(m_helpLabel, Vcl::alTop);
    const int labelHeight = Height(m_helpLabel);

    m_helpRich->setName(QStringLiteral("HelpRich"));
    m_helpRich->setParent(client());
    // The box sits below the label even where the label's font is taller than planned.
    SetBounds(m_helpRich, 0, qMax(RichTop, labelHeight), RichWidth, RichHeight);
    m_helpRich->setReadOnly(true);
    m_helpRich->setScrollBars(Vcl::ssVertical);
    m_helpRich->setWordWrap(true);
    m_helpRich->setColor(RichColor);

    m_startButton->setName(QStringLiteral("StartButton"));
    m_startButton->setParent(client());
    const int buttonTop = labelHeight + RichHeight + 16;
    SetBounds(m_startButton, 0, buttonTop, ButtonWidth, ButtonHeight);
    m_startButton->setText(QStringLiteral("Start"));
    m_startButton->setDefaultButton(true);
    m_startButton->setCancelButton(true);
    m_startButton->setOnClick([this](QObject *sender) { StartButtonClick(sender); });
    // Start comes first in the tab order and has the focus when the window opens.
    setTabOrder(m_startButton, m_helpRich);
    m_startButton->setFocus();

    setClientWidth(RichWidth);
    fitToControls();
    setClientHeight(buttonTop + ButtonHeight + 8);
    SetAnchors(m_helpRich, Vcl::akLeft | Vcl::akTop | Vcl::akRight | Vcl::akBottom);
    SetLeft(m_startButton, Div(clientWidth() - ButtonWidth, 2));
    SetAnchors(m_startButton, Vcl::akBottom);
}

void THelpForm::loadInstructions(const QByteArray &rtf)
{
    m_helpRich->loadRtf(rtf);
}

void THelpForm::scaleForScreen(const QSize &screen)
{
    double s = qMin(double(screen.height()) / 450.0, double(screen.width()) / 800.0);
    if (!(s >= 1.0))
        s = 1.0;
    setClientSize(Round(clientWidth() * s), Round(clientHeight() * s));
}

void THelpForm::StartButtonClick(QObject *sender)
{
    Q_UNUSED(sender);
    hide();
    Component *main = owner();
    auto *mainForm = main ? qobject_cast<TForm *>(main->object()) : nullptr;
    if (!mainForm)
        return;
    const QObjectList controls = mainForm->client()->children();
    for (QObject *control : controls) {
        if (control->isWidgetType() && inheritsClass(control, "TBoardImage")) {
            SendMessage(control, StartTourMessage, 0, 0);
            return;
        }
    }
}
