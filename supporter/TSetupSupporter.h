// The setup supporter: the non-visual component a product's main window carries to get what
// every board family's settings program has in common. At the first idle moment it builds,
// once, the header across the main window, the instructions window, the technical-support
// window and, when OnGetCardString is assigned, the File-menu item and the cards-installed
// window with the boards the driver lists. It owns a 100 ms timer that shows the instructions
// window once after the build and runs the calibration cycle while calibration is on.
//
// The main window is the supporter's owner (a TForm); every window and label built is owned
// by it. Message boxes go through Application::messageBox.
#pragma once

#include "Component.h"
#include "Events.h"
#include "TButton.h"
#include "TComboBox.h"
#include "THelpForm.h"
#include "TLabel.h"
#include "TPCIForm.h"
#include "TTechForm.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class MessageWindow;

// One calibration popup taking part in the cycle. Controls freed meanwhile are passed over.
struct TCalibPopup {
    QPointer<TComboBox> ChannelBox;    // item i shows the line of channel i
    QPointer<TButton> StartStopButton; // starts and stops calibration
    QPointer<QWidget> TickHidden;      // hidden by every calibration tick
};

class TSetupSupporter : public QObject, public Component
{
    Q_OBJECT
    Q_PROPERTY(QString CompanyName READ companyName WRITE setCompanyName)
    Q_PROPERTY(QString CardNameA READ cardNameA WRITE setCardNameA)
    Q_PROPERTY(QString CardNameB READ cardNameB WRITE setCardNameB)
    Q_PROPERTY(bool UseCardNameB READ useCardNameB WRITE setUseCardNameB)
    Q_PROPERTY(QString CallHow READ callHow WRITE setCallHow)
    Q_PROPERTY(bool MultiPort READ multiPort WRITE setMultiPort)
    Q_PROPERTY(quint8 Channels READ channels WRITE setChannels)
    Q_PROPERTY(bool ChangeButtons READ changeButtons WRITE setChangeButtons)
    Q_PROPERTY(bool bSeries READ bSeries WRITE setBSeries)
    Q_PROPERTY(NotifyEvent OnBeginCalib READ onBeginCalib WRITE setOnBeginCalib)
    Q_PROPERTY(PCIEvent OnGetCardString READ onGetCardString WRITE setOnGetCardString)
    Q_PROPERTY(CalibEvent OnGetCalibString READ onGetCalibString WRITE setOnGetCalibString)
    Q_PROPERTY(NotifyEvent OnStopButtonClick READ onStopButtonClick WRITE setOnStopButtonClick)
    Q_PROPERTY(NotifyEvent OnStartButtonClick READ onStartButtonClick WRITE setOnStartButtonClick)

public:
    // Strings empty, events unassigned, UseCardNameB and MultiPort false, Channels 8,
    // ChangeButtons and bSeries true; not calibrating, no help pending, no timer running.
    explicit TSetupSupporter(Component *owner = nullptr);
    // Ends calibration and the timer. The windows and the header stay with the main window.
    ~TSetupSupporter() override;

    // The maker's name: instructions title and support text.
    QString companyName() const { return m_companyName; }
    void setCompanyName(const QString &value) { m_companyName = value; }
    // The board family's name, and a second form of it.
    QString cardNameA() const { return m_cardNameA; }
    void setCardNameA(const QString &value) { m_cardNameA = value; }
    QString cardNameB() const { return m_cardNameB; }
    void setCardNameB(const QString &value) { m_cardNameB = value; }
    // Default false: CardName is CardNameA; true: CardNameB.
    bool useCardNameB() const { return m_useCardNameB; }
    void setUseCardNameB(bool value) { m_useCardNameB = value; }
    // When and how to call for support, put into the support text.
    QString callHow() const { return m_callHow; }
    void setCallHow(const QString &value) { m_callHow = value; }
    // Default false: true adds the note that options are set per port group.
    bool multiPort() const { return m_multiPort; }
    void setMultiPort(bool value) { m_multiPort = value; }
    // Default 8: channels 0 to Channels - 1 are read each calibration tick.
    quint8 channels() const { return m_channels; }
    void setChannels(quint8 value) { m_channels = value; }
    // Default true: starting and stopping calibration changes the popups' Start/Stop buttons.
    bool changeButtons() const { return m_changeButtons; }
    void setChangeButtons(bool value) { m_changeButtons = value; }
    // Default true: "Series" follows the card name in the titles.
    bool bSeries() const { return m_bSeries; }
    void setBSeries(bool value) { m_bSeries = value; }

    // Raised at each calibration tick. Assigning it runs UpdateTimer (which may raise).
    NotifyEvent onBeginCalib() const { return m_onBeginCalib; }
    void setOnBeginCalib(NotifyEvent handler);
    // The text for one board; unassigned: no cards window, no menu item, no driver call.
    PCIEvent onGetCardString() const { return m_onGetCardString; }
    void setOnGetCardString(PCIEvent handler) { m_onGetCardString = std::move(handler); }
    // The text for one calibration channel; clears its flag for a good reading.
    CalibEvent onGetCalibString() const { return m_onGetCalibString; }
    void setOnGetCalibString(CalibEvent handler) { m_onGetCalibString = std::move(handler); }
    // Stored only.
    NotifyEvent onStopButtonClick() const { return m_onStopButtonClick; }
    void setOnStopButtonClick(NotifyEvent handler) { m_onStopButtonClick = std::move(handler); }
    // Given to the popups' Start/Stop buttons when calibration stops.
    NotifyEvent onStartButtonClick() const { return m_onStartButtonClick; }
    void setOnStartButtonClick(NotifyEvent handler) { m_onStartButtonClick = std::move(handler); }

    // CardNameB when UseCardNameB, else CardNameA.
    QString CardName() const;

    // The most boards the listing asks the driver about. No machine has slots for more; a larger
    // count is a driver's fault, and asking about each of two billion boards would keep the
    // build busy for hours. Of such a count the first MaxListedBoards indexes are listed.
    static constexpr int MaxListedBoards = 65536;

    // The application's idle handler: unhooks itself from the application's idle event, then
    // runs BuildWindows. An exception in the build is shown in the error box. done is left alone.
    void FirstIdle(QObject *sender, bool &done);
    // The one-time build: header label, instructions window, technical-support window, then
    // (OnGetCardString assigned) the DisplayPCI item and the cards window with its list, the
    // header's text, and help pending with the timer started. Raises what its steps raise,
    // keeping what was built; a second call does nothing.
    void BuildWindows();

    // The built windows and header; null before the build (PCIForm also without OnGetCardString).
    TLabel *HeaderLabel() const { return m_headerLabel; }
    THelpForm *HelpForm() const { return m_helpForm; }
    TTechForm *TechForm() const { return m_techForm; }
    TPCIForm *PCIForm() const { return m_pciForm; }
    // The main window the build works on: the owner when it is a form, else the application's.
    TForm *MainWindow() const;

    // The instructions as RTF, with the maker's and the card's names escaped.
    QString InstructionsRtf() const;
    // The technical-support text: two paragraphs with an empty line between.
    QString SupportText() const;

    // Hides the window holding sender (the Close buttons' handler).
    Q_INVOKABLE void CloseButtonClick(QObject *sender);
    // Shows the cards window again, as listed at the build (the DisplayPCI item's handler).
    Q_INVOKABLE void DisplayPCIClick(QObject *sender);

    // The next tick shows the instructions window.
    bool HelpPending() const { return m_helpPending; }
    // The calibration cycle runs.
    bool Calibrating() const { return m_calibrating; }
    // Stores value and runs UpdateTimer when it differs.
    void SetCalibrating(bool value);
    // Stops timer 1 and, while help is pending or calibration runs, starts it anew at 100 ms.
    // Raises EOutOfResources "Not enough timers available" when the platform refuses it.
    void UpdateTimer();
    // One timer tick: shows pending help, or runs one calibration round with its message boxes.
    void CalibTick();
    // Gives the popups' Start/Stop buttons back caption "Start" and OnStartButtonClick (when
    // ChangeButtons), then stops calibrating.
    void StopCalib();
    // Writes "Channel <n>", a tab and text into item n of every popup's channel list; a list
    // too short for n grows with empty items up to it.
    void ShowChannel(quint8 channel, const QString &text);

    // Takes a calibration popup into the cycle, after those registered before.
    void AddCalibPopup(TComboBox *channelBox, TButton *startStopButton, QWidget *tickHidden);
    QList<TCalibPopup> CalibPopups() const { return m_calibPopups; }
    // Starts calibration: the popups' buttons (when ChangeButtons) read "Stop" and stop it,
    // then SetCalibrating(true).
    void StartCalib();

    // The hidden window that receives timer 1.
    MessageWindow *TimerWindow() const { return m_timerWindow.get(); }

private:
    void makeHeaderLabel(TForm *mainWindow);
    void makeHelpForm(TForm *mainWindow);
    void makeTechForm(TForm *mainWindow);
    bool makeCardsWindow(TForm *mainWindow);
    bool listBoards();

    QString m_companyName, m_cardNameA, m_cardNameB, m_callHow;
    bool m_useCardNameB = false;
    bool m_multiPort = false;
    quint8 m_channels = 8;
    bool m_changeButtons = true;
    bool m_bSeries = true;
    NotifyEvent m_onBeginCalib;
    PCIEvent m_onGetCardString;
    CalibEvent m_onGetCalibString;
    NotifyEvent m_onStopButtonClick;
    NotifyEvent m_onStartButtonClick;

    bool m_helpPending = false;
    bool m_calibrating = false;
    bool m_built = false;
    std::unique_ptr<MessageWindow> m_timerWindow;
    QPointer<TLabel> m_headerLabel;
    QPointer<THelpForm> m_helpForm;
    QPointer<TTechForm> m_techForm;
    QPointer<TPCIForm> m_pciForm;
    QList<TCalibPopup> m_calibPopups;
};
