#include "TSetupSupporter.h"

#include "Application.h"
#include "Control.h"
#include "MessageWindow.h"
#include "RtfReader.h"
#include "TButton.h"
#include "TComboBox.h"
#include "THelpForm.h"
#include "TLabel.h"
#include "TMainMenu.h"
#include "TMemo.h"
#include "TMenuItem.h"
#include "TPCIForm.h"
#include "TTechForm.h"
#include "VELWDM.h"

#include <QFont>
#include <algorithm>
#include <stdexcept>

namespace {
constexpr int HelpTimer = 1;
constexpr int TimerPeriodMs = 100;
const QString CrLf = QStringLiteral("\r\n");
}

TSetupSupporter::TSetupSupporter(Component *owner)
    : QObject(nullptr)
    , Component(this)
    , m_timerWindow(std::make_unique<MessageWindow>([this](int) { CalibTick(); }))
{
    setOwner(owner);
}

TSetupSupporter::~TSetupSupporter()
{
    m_calibrating = false;
    m_timerWindow.reset(); // ends timer 1 with it
}

void TSetupSupporter::setOnBeginCalib(NotifyEvent handler)
{
    m_onBeginCalib = std::move(handler);
    UpdateTimer();
}

QString TSetupSupporter::CardName() const
{
    return m_useCardNameB ? m_cardNameB : m_cardNameA;
}

TForm *TSetupSupporter::MainWindow() const
{
    if (Component *o = owner())
        if (auto *form = qobject_cast<TForm *>(o->object()))
            return form;
    return Application::instance()->mainForm();
}

void TSetupSupporter::FirstIdle(QObject *sender, bool &done)
{
    Q_UNUSED(done);
    auto *app = qobject_cast<Application *>(sender);
    (app ? app : Application::instance())->setOnIdle({});
    Guarded([this] { BuildWindows(); });
}

void TSetupSupporter::BuildWindows()
{
    if (m_built)
        return;
    TForm *mainWindow = MainWindow();
    if (!mainWindow)
        throw std::runtime_error("The setup supporter has no main window to build its windows on.");
    m_built = true;
    const QString cardName = CardName();

    makeHeaderLabel(mainWindow);
    makeHelpForm(mainWindow);
    makeTechForm(mainWindow);
    const bool cardsFound = m_onGetCardString ? makeCardsWindow(mainWindow) : true;

    QString header;
    if (cardsFound)
        header = cardName + (m_bSeries ? QStringLiteral(" Series") : QString()) + QStringLiteral(" Settings Program");
    else
        header = QStringLiteral("No ") + cardName + (m_bSeries ? QStringLiteral(" Series Card") : QString())
                 + QStringLiteral(" Found");
    m_headerLabel->setCaption(header);
    // The label sized itself to its text; alignment gives it the whole width again.
    Realign(mainWindow->client());

    m_helpPending = true;
    UpdateTimer();
}

void TSetupSupporter::makeHeaderLabel(TForm *mainWindow)
{
    auto *label = new TLabel(mainWindow);
    m_headerLabel = label;
    label->setName(QStringLiteral("HeaderLabel"));
    label->setParent(mainWindow->client());
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(18);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setAlignmentValue(Vcl::taCenter);
    SetAlign(label, Vcl::alTop);
    label->show();
}

void TSetupSupporter::makeHelpForm(TForm *mainWindow)
{
    auto *form = new THelpForm(mainWindow);
    m_helpForm = form;
    form->loadInstructions(InstructionsRtf().toLatin1());
    form->scaleForScreen(Application::instance()->screenSize());
}

void TSetupSupporter::makeTechForm(TForm *mainWindow)
{
    auto *form = new TTechForm(mainWindow);
    m_techForm = form;
    form->TechMemo()->setText(SupportText());
    form->CloseButton()->setOnClick([self = QPointer<TSetupSupporter>(this)](QObject *sender) {
        if (self)
            self->CloseButtonClick(sender);
    });
}

bool TSetupSupporter::makeCardsWindow(TForm *mainWindow)
{
    const QString cardName = CardName();
    if (TMainMenu *menu = mainWindow->menu()) {
        for (int i = 0; i < menu->count(); ++i) {
            TMenuItem *fileItem = menu->item(i);
            if (fileItem->caption() != QLatin1String("&File"))
                continue;
            auto *display = new TMenuItem(fileItem);
            display->setName(QStringLiteral("DisplayPCI"));
            // The caption has no accelerator: an ampersand of the name is shown as one.
            QString shownName = cardName;
            shownName.replace(QLatin1Char('&'), QLatin1String("&&"));
            display->setCaption(QStringLiteral("Display ") + shownName + QStringLiteral(" Cards Installed"));
            display->setOnClick([self = QPointer<TSetupSupporter>(this)](QObject *sender) {
                if (self)
                    self->DisplayPCIClick(sender);
            });
            fileItem->insert(0, display);
            break;
        }
    }

    auto *form = new TPCIForm(mainWindow);
    m_pciForm = form;
    form->setCaption(cardName + QStringLiteral(" Cards installed"));
    form->CloseButton()->setOnClick([self = QPointer<TSetupSupporter>(this)](QObject *sender) {
        if (self)
            self->CloseButtonClick(sender);
    });
    form->showForm();
    return listBoards();
}

bool TSetupSupporter::listBoards()
{
    BindDriverLibrary();
    bool cardsFound = false;
    const GetNumCardsFunction getNumCards = BoundGetNumCards();
    const int count = std::min(getNumCards ? getNumCards() : 0, MaxListedBoards);
    TMemo *memo = m_pciForm->PCIMemo();
    if (count > 0) {
        memo->clearLines();
        for (int i = 0; i < count; ++i) {
            const QString text = m_onGetCardString(this, i);
            if (text.isEmpty())
                continue;
            memo->addLine(text);
            cardsFound = true;
        }
    }
    if (!cardsFound)
        memo->setText(QStringLiteral("No Card Found"));
    return cardsFound;
}

QString TSetupSupporter::InstructionsRtf() const
{
    // The names are text, not RTF: escaped, a name holding \, { or } cannot rewrite the document.
    const QString company = RtfEscape(m_companyName);
    const QString card = RtfEscape(CardName());
    QString rtf;
    rtf += QStringLiteral(R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fprq2\fcharset0 Verdana;}})"
                          R"({\colortbl\red64\green64\blue64;\red255\green255\blue64;\red64\green64\blue255;)"
                          R"(\red255\green64\blue64;}\viewkind4\uc1\pard\f0\cf0)")
           + CrLf + QStringLiteral(R"(\fs32 {\b )");
    rtf += company;
    rtf += QLatin1Char(' ');
    rtf += card;
    if (m_bSeries)
        rtf += QStringLiteral(" Series");
    rtf += QStringLiteral(R"( Settings Program}\fs24)");
    rtf += CrLf + QStringLiteral(R"(\par\par This program will help you configure the option jumpers and settings )"
                                 R"(associated with this product. You should have the product in-hand when first )"
                                 R"(using this program.)");
    rtf += CrLf + QStringLiteral(R"(\par\par {\cf1\fs24\b Yellow circles} provide information on configuring )"
                                 R"(jumpers and switches.)");
    rtf += CrLf + QStringLiteral(R"(\par\par {\cf2\fs24\b Blue circles} are informational only. They provide )"
                                 R"(information on standard and optional features of the product family.)");
    rtf += CrLf + QStringLiteral(R"(\par\par {\cf3\fs24\b Red circles} handle calibration and types of )"
                                 R"(configuration that require actually controlling the hardware device. Run this )"
                                 R"(settings program again once the card is installed. )");
    rtf += QStringLiteral(R"(Repeat the {\cf1 setup circles} (using the same settings) to configure this )"
                          R"(program, then perform the {\cf3 calibration circles}.)");
    rtf += CrLf + QStringLiteral(R"(\par\par Mouse over the highlight circles to see configuration or information )"
                                 R"(popups for {\cf1 setup}, {\cf2 features}, and {\cf3 calibration}. Click a )"
                                 R"(highlight circle to make its popup remain on-screen. )");
    rtf += QStringLiteral(R"(You can have all or as many of these popups onscreen at the same time as you desire.)");
    if (m_multiPort) {
        rtf += CrLf + QStringLiteral(R"(\par\par {\fs32\b Note:} Make sure to set the jumpers for each option group )"
                                     R"(\emdash  the configuration options for each port are handled identically; )");
        rtf += QStringLiteral(R"(this program only shows the setup once, but you need to perform this setup for )"
                              R"(each group of options on your device.)");
    }
    if (m_onGetCardString)
        rtf += CrLf + QStringLiteral(R"(\par\par To see a list of )") + card + QStringLiteral(" cards installed, click \"Display ")
               + card + QStringLiteral(" Cards Installed\" under the File menu.");
    rtf += QLatin1Char('}');
    return rtf;
}

QString TSetupSupporter::SupportText() const
{
    return QStringLiteral("There are several ways to get technical support. First and fastest is to skim the "
                          "relevant sections of the manual. However, some questions require personal assistance, "
                          "and ")
           + m_companyName + QStringLiteral(" stands ready to provide that help. You can call us ") + m_callHow
           + QStringLiteral(" for any of your product questions.") + CrLf + CrLf
           + QStringLiteral("In order to provide the best and fastest support possible, we ask that you be at your "
                            "computer when you call, and have the ")
           + m_companyName + QStringLiteral(" product manual and Software Suite CD at hand.");
}

void TSetupSupporter::CloseButtonClick(QObject *sender)
{
    if (auto *control = qobject_cast<QWidget *>(sender))
        control->window()->hide();
}

void TSetupSupporter::DisplayPCIClick(QObject *sender)
{
    Q_UNUSED(sender);
    if (m_pciForm)
        m_pciForm->showForm();
}

void TSetupSupporter::SetCalibrating(bool value)
{
    if (value == m_calibrating)
        return;
    m_calibrating = value;
    UpdateTimer();
}

void TSetupSupporter::UpdateTimer()
{
    m_timerWindow->stopTimer(HelpTimer);
    if (m_calibrating || m_helpPending)
        m_timerWindow->setTimer(HelpTimer, TimerPeriodMs);
}

void TSetupSupporter::CalibTick()
{
    if (m_helpPending) {
        if (m_helpForm)
            m_helpForm->showForm();
        m_helpPending = false;
        UpdateTimer();
        return;
    }

    if (m_onBeginCalib)
        m_onBeginCalib(this);
    if (!m_onGetCalibString) {
        SetCalibrating(false);
        Application::instance()->messageBox(
            QStringLiteral("Error: calibration begun, but OnGetCalibString isn't assigned."),
            QStringLiteral("OnGetCalibString Not Assigned"),
            MessageBoxStyle::Ok | MessageBoxStyle::IconExclamation | MessageBoxStyle::SetForeground
                | MessageBoxStyle::TopMost);
        StopCalib();
        return;
    }

    for (const TCalibPopup &popup : std::as_const(m_calibPopups))
        if (popup.TickHidden)
            popup.TickHidden->hide();

    bool itsAllBad = true;
    for (int channel = 0; channel < m_channels; ++channel) {
        const QString text = m_onGetCalibString(this, quint8(channel), itsAllBad);
        ShowChannel(quint8(channel), text);
    }
    if (!itsAllBad)
        return;

    SetCalibrating(false);
    const int answer = Application::instance()->messageBox(
        QStringLiteral("Total A/D failure. The card may not be installed, or it may be installed at a different "
                       "base address."),
        QStringLiteral("Total A/D failure"),
        MessageBoxStyle::RetryCancel | MessageBoxStyle::IconExclamation | MessageBoxStyle::DefButton2
            | MessageBoxStyle::SetForeground | MessageBoxStyle::TopMost);
    if (answer == MessageBoxResult::Retry)
        SetCalibrating(true);
    else
        StopCalib();
}

void TSetupSupporter::StopCalib()
{
    if (m_changeButtons) {
        for (const TCalibPopup &popup : std::as_const(m_calibPopups)) {
            if (!popup.StartStopButton)
                continue;
            popup.StartStopButton->setOnClick(m_onStartButtonClick);
            popup.StartStopButton->setText(QStringLiteral("Start"));
        }
    }
    SetCalibrating(false);
}

void TSetupSupporter::ShowChannel(quint8 channel, const QString &text)
{
    const QString line = QStringLiteral("Channel ") + QString::number(channel) + QLatin1Char('\t') + text;
    for (const TCalibPopup &popup : std::as_const(m_calibPopups)) {
        TComboBox *box = popup.ChannelBox;
        if (!box)
            continue;
        while (box->count() <= channel)
            box->addItem(QString());
        box->setItemText(channel, line);
    }
}

void TSetupSupporter::AddCalibPopup(TComboBox *channelBox, TButton *startStopButton, QWidget *tickHidden)
{
    m_calibPopups.append(TCalibPopup{channelBox, startStopButton, tickHidden});
}

void TSetupSupporter::StartCalib()
{
    if (m_changeButtons) {
        for (const TCalibPopup &popup : std::as_const(m_calibPopups)) {
            if (!popup.StartStopButton)
                continue;
            popup.StartStopButton->setText(QStringLiteral("Stop"));
            popup.StartStopButton->setOnClick([self = QPointer<TSetupSupporter>(this)](QObject *) {
                if (self)
                    self->StopCalib();
            });
        }
    }
    SetCalibrating(true);
}
