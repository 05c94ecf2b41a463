// Geometry, anchors and alignment of controls, the way a description and the windows built in
// code expect them. Left/Top/Width/Height of a form are its outer (frame) box; of any other
// control its box in the parent's client area.
//
// Anchors keep a control's distances to its parent's edges as they stood when the anchors were
// set or the control was last placed through these functions; a control with neither left nor
// right anchor keeps its centre at the same relative place (likewise vertically). Code that
// places a control must go through SetBounds & co. so its anchor rule is recorded again.
#pragma once

#include "Types.h"

#include <QWidget>

int Left(const QWidget *control);
int Top(const QWidget *control);
int Width(const QWidget *control);
int Height(const QWidget *control);
void SetLeft(QWidget *control, int left);
void SetTop(QWidget *control, int top);
void SetWidth(QWidget *control, int width);
void SetHeight(QWidget *control, int height);
void SetBounds(QWidget *control, int left, int top, int width, int height);

// The anchors of a control; default akLeft | akTop.
Vcl::TAnchors Anchors(const QWidget *control);
// Sets the anchors and records the distances to the parent's edges as they are now.
void SetAnchors(QWidget *control, Vcl::TAnchors anchors);

// Alignment to a parent's edge; default alNone. alTop stacks the control at the top of the
// parent's client area over its whole width, keeping its height.
Vcl::TAlign Align(const QWidget *control);
void SetAlign(QWidget *control, Vcl::TAlign align);

// Applies the alignment and anchor rules of the children of parent to its current size.
// Runs by itself when the parent is resized; forms call it when their client size changes.
void Realign(QWidget *parent);

// The widget that holds a control's children: a form's client area, otherwise itself.
QWidget *ClientOf(QWidget *control);

// The control whose client area holds this one (a form for controls on its client area).
QWidget *ParentControl(const QWidget *control);
