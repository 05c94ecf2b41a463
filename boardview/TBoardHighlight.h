// A highlight circle: a soft coloured ring over a spot of the board photograph, a child of the
// board image. The pointer entering it lights it and opens its group's popup with the option
// panel it names; a click pins the popup. Circles of one board image with equal Title and
// HighlightType are linked: they light, pin and show activation together and share one popup,
// one menu item and one panel. Each circle lists its group in a type menu of the board image's
// main menu, through which the popups can be opened and the guided tour steps.
//
// The ring is blended over the photograph once, at the first paint, into three images (rest,
// lit, glow); every later paint is a block copy of one of them.
#pragma once

#include "Component.h"
#include "Events.h"
#include "HighlightType.h"
#include "Types.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

class TMainMenu;
class TMenuItem;
class TPopupForm;
class TRadioPanel;

class TBoardHighlight : public QWidget, public Component
{
    Q_OBJECT
    Q_MOC_INCLUDE("TRadioPanel.h")
    Q_PROPERTY(bool CreatePopup READ createPopup WRITE setCreatePopup)
    Q_PROPERTY(BoardView::THighlightType HighlightType READ highlightType WRITE setHighlightType)
    Q_PROPERTY(TRadioPanel *RadioPanel READ radioPanel WRITE setRadioPanel)
    Q_PROPERTY(QString Title READ title WRITE setTitle)
    Q_PROPERTY(NotifyEvent OnClick READ onClick WRITE setOnClick)

public:
    // 65 x 65, htSettings, CreatePopup on, not lit, no title, panel, popup or menu.
    explicit TBoardHighlight(QWidget *parent = nullptr);
    ~TBoardHighlight() override;

    // Whether the pointer's entry opens the group's popup. Default true. Stored only.
    bool createPopup() const { return m_createPopup; }
    void setCreatePopup(bool value) { m_createPopup = value; }

    // Sets the ring colour and intensities and the accessible description ("settings
    // highlight", "information highlight", "calibration highlight") and repaints; at run time
    // the images are made at the first paint, so a later change shows nothing new and leaves
    // the menus alone. Default htSettings.
    BoardView::THighlightType highlightType() const { return m_highlightType; }
    void setHighlightType(BoardView::THighlightType type);

    // The option panel the popup shows. A panel may be shared only by linked circles: a panel
    // that a circle of another title or type on the same parent already names is refused,
    // silently, and the value stays. Not owned. Default none.
    TRadioPanel *radioPanel() const;
    void setRadioPanel(TRadioPanel *panel);

    // The group's name, with "&" marking the menu accelerator. Computes plainTitle() (also the
    // accessible name) and nameStem(); repaints nothing and does not reach menus or popups
    // already made.
    QString title() const { return m_title; }
    void setTitle(const QString &title);
    // Title without any "&": the popup's caption and the key of the group's popup.
    QString plainTitle() const { return m_plainTitle; }
    // Title reduced to an identifier: the stem of the menu item's component name.
    QString nameStem() const { return m_nameStem; }

    // Raised by a click before the group is pinned (sender: the circle). Default unassigned.
    NotifyEvent onClick() const { return m_onClick; }
    void setOnClick(NotifyEvent handler) { m_onClick = std::move(handler); }

    // The ring's colour (0x00BBGGRR) and the blend strengths of the three images.
    TColor ringColor() const { return m_ringColor; }
    float restIntensity() const { return m_restIntensity; }
    float litIntensity() const { return m_litIntensity; }
    float glowIntensity() const { return m_glowIntensity; }

    // The prepared appearances (Format_RGB32, the circle's size at its first paint; null before).
    const QImage &restImage() const { return m_restImage; }
    const QImage &litImage() const { return m_litImage; }
    const QImage &glowImage() const { return m_glowImage; }
    // The image a paint copies now: rest, lit (lit or popup active) or glow (both).
    const QImage &shownImage() const;

    // Lit from the pointer's entry into the group until the group's popup closes.
    bool lit() const { return m_lit; }
    // The group's popup stays open when the pointer leaves the circle.
    bool pinned() const { return m_pinned; }
    void setPinned(bool pinned) { m_pinned = pinned; }
    // The group's popup is the active window.
    bool popupActive() const { return m_popupActive; }
    // The popup this circle built and owns; none until then, and none on linked circles that
    // did not build the shared one.
    TPopupForm *popup() const;
    // The board image's main menu, taken at the first paint; none otherwise.
    TMainMenu *boardMenu() const;
    bool firstPaintDone() const { return m_firstPaintDone; }

    // The circles acting as one with this one: on a parent whose class is exactly TBoardImage,
    // every child of class exactly TBoardHighlight with equal Title (case-sensitive) and
    // HighlightType, in the parent's child order, this circle included. Empty on any other
    // parent.
    QList<TBoardHighlight *> LinkedCircles() const;

    // The pointer entered (param 0), or a linked circle passes its entry on (param 1): light,
    // repaint, open the popup when CreatePopup, and with param 0 hand the entry to every
    // linked circle, synchronously. Nothing when already lit.
    void MouseEnter(int param);
    // The pointer left: an unpinned popup is pinned (close on leave) when the pointer is now
    // inside it, otherwise closed. Param 0 passes it on to the linked circles. Never unlights;
    // nothing when not lit.
    void MouseLeave(int param);
    // What a press and release of the left button does: OnClick, then Pin.
    void Click();
    // Pins the group: every circle of it that holds a popup is pinned, checks the menu item and
    // gives its popup the keyboard focus.
    void Pin();
    // The popup's activation changed: store it, bring the circle to the front and repaint;
    // withLinked does the same once for each other linked circle.
    void SetPopupActive(bool active, bool withLinked);
    // Not lit any more; repaints.
    void Unlight();

    // Prepares the three images from what the parent painted beneath the circle.
    void RenderImages();
    // Blends the ring over image (Format_RGB32) in single precision, halves rounded to even.
    // An image narrower or lower than 2 pixels has no ring and stays as it is.
    static void RenderRing(QImage &image, TColor ringColor, float intensity, bool glow);

    // Builds the group's popup, or shows it again (see TPopupForm). A new popup's accessible
    // name is its caption, its description the panel's text (the circle's without a panel).
    void ShowPopup();
    // The popup's close event: unchecks the menu item, ends close-on-leave and unlights the
    // group.
    void PopupClosed();
    // The popup's buttons: Previous and Next close the popup and open the neighbouring group of
    // the type menu, wrapping around; Done closes it.
    void PreviousButtonClick();
    void NextButtonClick();
    void DoneButtonClick();

    // Lists the circle's group in its type menu of boardMenu(), creating the type menu when
    // needed. Runs at the first paint.
    void BuildMenu();
    // Sets the check mark of the group's item in the type menu.
    void SetMenuChecked(bool value);
    // The group's menu item was chosen (sender: the item) or the tour steps here (sender: a
    // circle): closes the popup when the item carries its check mark, else opens and pins it.
    void MenuItemClick(QObject *sender);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void Paint();
    void FirstPaint();
    QImage Background() const;
    QList<QPointer<TBoardHighlight>> LinkedSnapshot() const;
    // The top-level items captioned as this circle's type menu, in order.
    QList<TMenuItem *> TypeMenus() const;
    // The first item captioned Title in those type menus.
    TMenuItem *GroupItem() const;
    void StepTour(int step);

    bool m_createPopup = true;
    BoardView::THighlightType m_highlightType = BoardView::htOptions;
    QPointer<TRadioPanel> m_radioPanel;
    QString m_title;
    QString m_plainTitle;
    QString m_nameStem;
    NotifyEvent m_onClick;

    TColor m_ringColor = 0;
    float m_restIntensity = 0;
    float m_litIntensity = 0;
    float m_glowIntensity = 0;
    QImage m_restImage;
    QImage m_litImage;
    QImage m_glowImage;

    bool m_lit = false;
    bool m_pinned = false;
    bool m_popupActive = false;
    bool m_firstPaintDone = false;
    bool m_pressed = false;
    QPointer<TPopupForm> m_popup;
    QPointer<TMainMenu> m_boardMenu;
};
