// A window of the program: the main window built from its description, or a window built in
// code. Its Left/Top/Width/Height are the outer (frame) box; its controls live in client(),
// below the menu bar when it has one. Closing a form hides it; the main form's close ends the
// program (see Application::run).
#pragma once

#include "Component.h"
#include "Events.h"
#include "Types.h"

#include <QMargins>
#include <QPointer>
#include <QWidget>

#include <QMenuBar>
class TMainMenu;

class TForm : public QWidget, public Component
{
    Q_OBJECT
    Q_MOC_INCLUDE("TMainMenu.h")
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(int Left READ left WRITE setLeft)
    Q_PROPERTY(int Top READ top WRITE setTop)
    Q_PROPERTY(int Width READ outerWidth WRITE setOuterWidth)
    Q_PROPERTY(int Height READ outerHeight WRITE setOuterHeight)
    Q_PROPERTY(int ClientWidth READ clientWidth WRITE setClientWidth)
    Q_PROPERTY(int ClientHeight READ clientHeight WRITE setClientHeight)
    Q_PROPERTY(Vcl::TAlign Align READ align WRITE setAlign)
    Q_PROPERTY(Vcl::TWindowState WindowState READ windowStateValue WRITE setWindowStateValue)
    Q_PROPERTY(Vcl::TFormStyle FormStyle READ formStyle WRITE setFormStyle)
    Q_PROPERTY(Vcl::TBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(Vcl::TPosition Position READ position WRITE setPosition)
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(TMainMenu *Menu READ menu WRITE setMenu)
    Q_PROPERTY(qint64 Tag READ tag WRITE setTag)
    Q_PROPERTY(bool OldCreateOrder READ oldCreateOrder WRITE setOldCreateOrder)
    Q_PROPERTY(bool AutoScroll READ autoScroll WRITE setAutoScroll)
    Q_PROPERTY(int PixelsPerInch READ pixelsPerInch WRITE setPixelsPerInch)
    Q_PROPERTY(int TextHeight READ textHeight WRITE setTextHeight)
    Q_PROPERTY(NotifyEvent OnCreate READ onCreate WRITE setOnCreate)
    Q_PROPERTY(NotifyEvent OnClose READ onClose WRITE setOnClose)
    Q_PROPERTY(NotifyEvent OnActivate READ onActivate WRITE setOnActivate)
    Q_PROPERTY(NotifyEvent OnDeactivate READ onDeactivate WRITE setOnDeactivate)

public:
    // An empty form, 320 x 240 outside, owned by owner (may be null).
    explicit TForm(Component *owner = nullptr);
    ~TForm() override;

    // The widget that holds the form's controls.
    QWidget *client() const { return m_client; }

    QString caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }
    int left() const;
    int top() const;
    void setLeft(int left);
    void setTop(int top);
    int outerWidth() const;
    int outerHeight() const;
    void setOuterWidth(int width) { setOuterSize(width, outerHeight()); }
    void setOuterHeight(int height) { setOuterSize(outerWidth(), height); }
    void setOuterSize(int width, int height);
    int clientWidth() const;
    int clientHeight() const;
    void setClientWidth(int width) { setClientSize(width, clientHeight()); }
    void setClientHeight(int height) { setClientSize(clientWidth(), height); }
    void setClientSize(int width, int height);

    // The frame around the client: known once a window manager framed this window or one of
    // its kind; zero before that.
    QMargins frameMargins() const;

    // The smallest outer size the user may give the window; kept right when the frame's size
    // becomes known only later.
    void setMinimumOuterSize(int width, int height);

    Vcl::TAlign align() const { return m_align; }
    void setAlign(Vcl::TAlign align) { m_align = align; }
    Vcl::TWindowState windowStateValue() const { return m_windowState; }
    void setWindowStateValue(Vcl::TWindowState state);
    Vcl::TFormStyle formStyle() const { return m_formStyle; }
    void setFormStyle(Vcl::TFormStyle style);
    Vcl::TBorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(Vcl::TBorderStyle style);
    Vcl::TPosition position() const { return m_position; }
    void setPosition(Vcl::TPosition position) { m_position = position; }
    TColor color() const { return m_color; }
    void setColor(TColor color);
    TMainMenu *menu() const { return m_menu; }
    void setMenu(TMainMenu *menu);
    QMenuBar *menuBar() const { return m_menuBar; }
    bool oldCreateOrder() const { return m_oldCreateOrder; }
    void setOldCreateOrder(bool value) { m_oldCreateOrder = value; }
    bool autoScroll() const { return m_autoScroll; }
    void setAutoScroll(bool value) { m_autoScroll = value; }
    int pixelsPerInch() const { return m_pixelsPerInch; }
    void setPixelsPerInch(int value) { m_pixelsPerInch = value; }
    int textHeight() const { return m_textHeight; }
    void setTextHeight(int value) { m_textHeight = value; }

    NotifyEvent onCreate() const { return m_onCreate; }
    void setOnCreate(NotifyEvent e) { m_onCreate = std::move(e); }
    NotifyEvent onClose() const { return m_onClose; }
    void setOnClose(NotifyEvent e) { m_onClose = std::move(e); }
    NotifyEvent onActivate() const { return m_onActivate; }
    void setOnActivate(NotifyEvent e) { m_onActivate = std::move(e); }
    NotifyEvent onDeactivate() const { return m_onDeactivate; }
    void setOnDeactivate(NotifyEvent e) { m_onDeactivate = std::move(e); }

    // Shows the form the way its settings ask (maximized, centred on the main form, ...)
    // and brings it to the front.
    void showForm();

    // Moves the controls together until the leftmost and topmost edges meet the client
    // area's left and top, and gives the client area the size of their bounding box.
    void fitToControls();

    // After the description is read: runs OnCreate.
    void loaded() override;

signals:
    // The form was closed (and hidden).
    void closed();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // The window became (active true) or stopped being the active window.
    virtual void activationChanged(bool active);

private:
    void updateFlags();
    void layoutClient();
    void learnMargins();
    int menuHeight() const;
    int frameKind() const;

    QWidget *m_client;
    QPointer<QMenuBar> m_menuBar;
    TMainMenu *m_menu = nullptr;
    Vcl::TAlign m_align = Vcl::alNone;
    Vcl::TWindowState m_windowState = Vcl::wsNormal;
    Vcl::TFormStyle m_formStyle = Vcl::fsNormal;
    Vcl::TBorderStyle m_borderStyle = Vcl::bsSizeable;
    Vcl::TPosition m_position = Vcl::poDefaultPosOnly;
    TColor m_color = clBtnFace;
    bool m_oldCreateOrder = false;
    bool m_autoScroll = true;
    int m_pixelsPerInch = 96;
    int m_textHeight = 13;
    QSize m_minimumOuter;
    NotifyEvent m_onCreate, m_onClose, m_onActivate, m_onDeactivate;
};
