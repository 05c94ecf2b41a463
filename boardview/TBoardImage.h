// The board photograph on the main window and the parent of the highlight circles over it.
// It draws one picture (stretched, centred or at the top-left corner), centres itself on its
// form at every paint, remembers where it stood at its first paint so that popups can be
// placed relative to it, names the circle where the guided tour starts and the main menu that
// the circles extend. The picture is scaled once into an image of the control's size; the
// board paints that image and the circles read what lies beneath them from it.
#pragma once

#include "Messages.h"
#include "PictureValue.h"
#include "StartTourMessage.h"
#include "TCustomPanel.h"

#include <QImage>
#include <memory>

class TBoardHighlight;
class TMainMenu;

class TBoardImage : public TCustomPanel, public MessageReceiver
{
    Q_OBJECT
    Q_MOC_INCLUDE("TBoardHighlight.h")
    Q_MOC_INCLUDE("TMainMenu.h")
    Q_PROPERTY(TBoardHighlight *First READ first WRITE setFirst)
    Q_PROPERTY(TMainMenu *Menu READ menu WRITE setMenu)
    Q_PROPERTY(bool CenterOnForm READ centerOnForm WRITE setCenterOnForm)
    Q_PROPERTY(bool Scale READ scale WRITE setScale)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool Center READ center WRITE setCenter)
    Q_PROPERTY(PictureValue Picture READ pictureValue WRITE setPicture)
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(int DesignLeft READ designLeft)
    Q_PROPERTY(int DesignTop READ designTop)
    Q_PROPERTY(NotifyEvent OnClick READ onClick WRITE setOnClick)
    Q_PROPERTY(NotifyEvent OnDblClick READ onDblClick WRITE setOnDblClick)

public:
    // 105 x 105, AutoSize, Scale and CenterOnForm on, Stretch and Center off, empty picture.
    explicit TBoardImage(QWidget *parent = nullptr);
    ~TBoardImage() override;

    // The circle where StartTourMessage starts the tour. Not owned, not watched. Default none.
    TBoardHighlight *first() const { return m_first; }
    void setFirst(TBoardHighlight *circle) { m_first = circle; }

    // The main menu the circles extend with their type menus; read by each circle at its first
    // paint. Not owned, not watched. Default none.
    TMainMenu *menu() const { return m_menu; }
    void setMenu(TMainMenu *menu) { m_menu = menu; }

    // Move to the centre of the parent (a form's outer size) at every paint. Default true.
    bool centerOnForm() const { return m_centerOnForm; }
    void setCenterOnForm(bool value);

    // Kept for descriptions; it would only matter to a form designer. A change re-runs
    // PictureChanged. Default true.
    bool scale() const { return m_scale; }
    void setScale(bool value);

    // Take the picture's size whenever the picture changes (see CanAutoSize). Turning it on
    // applies it at once. Default true.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool value);

    // Without Stretch: draw the picture at its own size centred in the control. Default false.
    // A change re-runs PictureChanged.
    bool center() const { return m_center; }
    void setCenter(bool value);

    // Draw the picture scaled to the whole control. Default false. A change re-runs
    // PictureChanged.
    bool stretch() const { return m_stretch; }
    void setStretch(bool value);

    // Passed on to the picture's graphic. Default false. A change re-runs PictureChanged.
    bool transparent() const { return m_transparent; }
    void setTransparent(bool value);

    // The own picture; its changes run PictureChanged.
    TPicture *picture() const { return m_picture.get(); }
    PictureValue pictureValue() const { return m_picture; }
    // Copies value into the own picture (a null value empties it), which runs PictureChanged.
    void setPicture(const PictureValue &value);

    // Left and Top as they stood at the first paint, before any centring; 0 until then.
    int designLeft() const { return m_designLeft; }
    int designTop() const { return m_designTop; }

    NotifyEvent onClick() const { return m_onClick; }
    void setOnClick(NotifyEvent handler) { m_onClick = std::move(handler); }
    NotifyEvent onDblClick() const { return m_onDblClick; }
    void setOnDblClick(NotifyEvent handler) { m_onDblClick = std::move(handler); }

    // StartTourMessage hands the First circle, with the message's first parameter, a mouse
    // entry, a click and a mouse leave: its popup opens pinned. Ignored without First. Other
    // messages are not handled. The result is 0.
    qintptr handleMessage(int msg, qintptr wParam, qintptr lParam) override;

    // Where the picture is drawn: the client area with Stretch; centred at the picture's own
    // size with Center (halves truncated toward zero, so it may start at a negative offset);
    // otherwise at the top-left corner at its own size.
    QRect DestRect() const;

    // Adjusts a proposed size to the picture: the width unless Align is alTop, alBottom or
    // alClient, the height unless Align is alLeft, alRight or alClient. Always true.
    bool CanAutoSize(int &newWidth, int &newHeight) const;

    // What the board paints: the background colour with the picture drawn into DestRect, at
    // the control's size. Made once and kept until the picture, the drawing settings, the size
    // or the colour change.
    const QImage &PaintedImage() const;
    // The part of PaintedImage() under rect (control coordinates); beyond the control black.
    QImage PaintedArea(const QRect &rect) const;

    // Whether the control told the platform that it covers everything beneath it: the graphic
    // is not transparent and covers the control (Stretch, or at least the control's size).
    bool opaque() const { return testAttribute(Qt::WA_OpaquePaintEvent); }
    // True only while the control draws its picture.
    bool drawing() const { return m_drawing; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void Paint();
    void PictureChanged();
    void AdjustToPicture();
    bool PaletteStep();
    void InvalidatePainted() { m_paintedValid = false; }

    std::shared_ptr<TPicture> m_picture;
    TBoardHighlight *m_first = nullptr;
    TMainMenu *m_menu = nullptr;
    bool m_centerOnForm = true;
    bool m_scale = true;
    bool m_autoSize = true;
    bool m_center = false;
    bool m_stretch = false;
    bool m_transparent = false;
    bool m_drawing = false;
    bool m_designRecorded = false;
    int m_designLeft = 0;
    int m_designTop = 0;
    NotifyEvent m_onClick;
    NotifyEvent m_onDblClick;

    mutable QImage m_painted;
    mutable bool m_paintedValid = false;
    mutable QRgb m_paintedBackground = 0;
};
