// The platform's panel: a container control that paints its background in Color with optional
// bevels, shows no caption, and raises OnEnter / OnExit when the keyboard focus moves into or out
// of it. Option panels and the board image derive from it. Like a "custom" class of the
// original class library it publishes nothing itself: a derived class declares the
// Q_PROPERTYs it wants a description to set, naming the accessors below.
#pragma once

#include "Component.h"
#include "Events.h"
#include "Types.h"

#include <QWidget>

class TCustomPanel : public QWidget, public Component
{
    Q_OBJECT
public:
    explicit TCustomPanel(QWidget *parent = nullptr);
    ~TCustomPanel() override;

    // Background colour. Default clBtnFace. Repaints.
    TColor color() const { return m_color; }
    void setColor(TColor color);

    // The outer bevel lies at the panel's edge, the inner one BorderWidth pixels inside it;
    // each is BevelWidth pixels wide, raised (light top/left, dark bottom/right), lowered (the
    // other way round), space (room only) or none. Defaults: BevelOuter bvRaised, BevelInner
    // bvNone, BevelWidth 1, BorderWidth 0. Each repaints.
    Vcl::TBevelCut bevelOuter() const { return m_bevelOuter; }
    void setBevelOuter(Vcl::TBevelCut bevel);
    Vcl::TBevelCut bevelInner() const { return m_bevelInner; }
    void setBevelInner(Vcl::TBevelCut bevel);
    int bevelWidth() const { return m_bevelWidth; }
    void setBevelWidth(int width); // values below 1 are taken as 1
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width); // values below 0 are taken as 0

    // OnEnter: the focus moved into the panel or one of its children from a control outside it
    // (sender: the panel). OnExit: it moved from inside to a control outside. Neither is raised
    // when Qt merely hands the focus back and forth with the activation of a window or the
    // opening and closing of a popup list: the control that holds a window's focus has not
    // changed then. Default: unassigned.
    NotifyEvent onEnter() const { return m_onEnter; }
    void setOnEnter(NotifyEvent handler) { m_onEnter = std::move(handler); }
    NotifyEvent onExit() const { return m_onExit; }
    void setOnExit(NotifyEvent handler) { m_onExit = std::move(handler); }

    // For code that has just given the panel (or a child) the focus itself: raises OnEnter at
    // once, unless it was already raised for this stay of the focus. Needed where the window is
    // not active yet, since Qt then reports the focus change only at the activation, which
    // OnEnter ignores. Calling it after the focus change was already reported does nothing.
    void notifyEnter();

protected:
    void paintEvent(QPaintEvent *event) override;
    // Paints the background and the bevels; a derived class that paints otherwise overrides
    // paintEvent.
    void paintPanel(QPainter &painter);

private:
    void focusChanged(QWidget *old, QWidget *now);
    bool contains(const QWidget *widget) const;
    // Calls a copy, so a handler may reassign its own event.
    void raiseEvent(NotifyEvent handler);

    TColor m_color = clBtnFace;
    Vcl::TBevelCut m_bevelOuter = Vcl::bvRaised;
    Vcl::TBevelCut m_bevelInner = Vcl::bvNone;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    NotifyEvent m_onEnter;
    NotifyEvent m_onExit;
    // True from OnEnter until OnExit: the focus is (logically) inside the panel.
    bool m_entered = false;
};
