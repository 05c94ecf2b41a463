// The panel that holds one option group: an explanatory text (Lines) and the controls that set
// the option (jumper drawings, labels, a combo box). It sits hidden on the main window until a
// highlight circle's popup takes it in; the popup reads MemoHeight, Lines, OnActivate and
// OnDeactivate, applies FinalAnchors and marks the panel InPopup. With RadioEnabled its
// two-pin jumpers behave like radio buttons. It never shows a caption.
#pragma once

#include "TCustomPanel.h"

#include <QStringList>

class TTwoJumper;

class TRadioPanel : public TCustomPanel
{
    Q_OBJECT
    Q_PROPERTY(bool RadioEnabled READ radioEnabled WRITE setRadioEnabled)
    Q_PROPERTY(QStringList Lines READ lines WRITE setLines)
    Q_PROPERTY(int MemoHeight READ memoHeight WRITE setMemoHeight)
    Q_PROPERTY(Vcl::TAnchors FinalAnchors READ finalAnchors WRITE setFinalAnchors)
    Q_PROPERTY(NotifyEvent OnRadioChange READ onRadioChange WRITE setOnRadioChange)
    Q_PROPERTY(NotifyEvent OnActivate READ onActivate WRITE setOnActivate)
    Q_PROPERTY(NotifyEvent OnDeactivate READ onDeactivate WRITE setOnDeactivate)
    Q_PROPERTY(bool InPopup READ inPopup STORED false)
    // The platform panel's properties that the panel publishes.
    Q_PROPERTY(Vcl::TBevelCut BevelInner READ bevelInner WRITE setBevelInner)
    Q_PROPERTY(Vcl::TBevelCut BevelOuter READ bevelOuter WRITE setBevelOuter)
    Q_PROPERTY(int BevelWidth READ bevelWidth WRITE setBevelWidth)
    Q_PROPERTY(int BorderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(NotifyEvent OnEnter READ onEnter WRITE setOnEnter)
    Q_PROPERTY(NotifyEvent OnExit READ onExit WRITE setOnExit)
public:
    // 194 x 100, hidden, no bevels, anchors left and top.
    Q_INVOKABLE explicit TRadioPanel(QWidget *parent = nullptr);
    ~TRadioPanel() override;

    // The radio rule is on. Default false.
    bool radioEnabled() const { return m_radioEnabled; }
    void setRadioEnabled(bool enabled) { m_radioEnabled = enabled; }

    // The explanatory text the popup shows in its memo. Default empty. The setter takes a copy.
    QStringList lines() const { return m_lines; }
    void setLines(const QStringList &lines) { m_lines = lines; }

    // Height in pixels of the popup's memo. Default 58.
    int memoHeight() const { return m_memoHeight; }
    void setMemoHeight(int height) { m_memoHeight = height; }

    // The anchors the panel takes inside its popup. Default akLeft | akTop. Stored always;
    // applied at once (through SetAnchors) only when the panel is InPopup. On the main window
    // the panel's anchors stay left and top.
    Vcl::TAnchors finalAnchors() const { return m_finalAnchors; }
    void setFinalAnchors(Vcl::TAnchors anchors);

    // Raised by the radio rule when it changed something, with the clicked jumper as sender.
    NotifyEvent onRadioChange() const { return m_onRadioChange; }
    void setOnRadioChange(NotifyEvent handler) { m_onRadioChange = std::move(handler); }
    // Copied by the popup into its own activation events when it is built; never raised here.
    NotifyEvent onActivate() const { return m_onActivate; }
    void setOnActivate(NotifyEvent handler) { m_onActivate = std::move(handler); }
    NotifyEvent onDeactivate() const { return m_onDeactivate; }
    void setOnDeactivate(NotifyEvent handler) { m_onDeactivate = std::move(handler); }

    // Whether a popup has taken the panel in. Set by the popup through setInPopup(), after it
    // has applied FinalAnchors; never cleared.
    bool inPopup() const { return m_inPopup; }
    void setInPopup() { m_inPopup = true; }

    // The radio rule, run by a two-pin jumper's click after it toggled itself: every child
    // whose class is exactly TTwoJumper is opened, except jumper, which is closed. Raises
    // OnRadioChange (sender: jumper) when jumper was open or another was closed before.
    // Three-pin jumpers, labels and classes derived from TTwoJumper are left alone.
    void RadioClick(TTwoJumper *jumper);

private:
    bool m_radioEnabled = false;
    QStringList m_lines;
    int m_memoHeight = 58;
    Vcl::TAnchors m_finalAnchors = Vcl::akLeft | Vcl::akTop;
    bool m_inPopup = false;
    NotifyEvent m_onRadioChange;
    NotifyEvent m_onActivate;
    NotifyEvent m_onDeactivate;
};
