// Enumerations and colours shared by every control, with the value names a description uses.
#pragma once

#include <QColor>
#include <QObject>
#include <QPalette>

namespace Vcl {
Q_NAMESPACE

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
Q_ENUM_NS(TAlign)

enum TAnchorKind { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
Q_FLAG_NS(TAnchors)

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
Q_ENUM_NS(TBorderStyle)

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

enum TTextLayout { tlTop, tlCenter, tlBottom };
Q_ENUM_NS(TTextLayout)

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
Q_ENUM_NS(TBevelCut)

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };
Q_ENUM_NS(TComboBoxStyle)

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
Q_ENUM_NS(TFormStyle)

enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                 poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
Q_ENUM_NS(TPosition)

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
Q_ENUM_NS(TWindowState)

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
Q_ENUM_NS(TScrollStyle)

enum TFontCharset { DEFAULT_CHARSET = 1, ANSI_CHARSET = 0 };
Q_ENUM_NS(TFontCharset)

} // namespace Vcl

Q_DECLARE_OPERATORS_FOR_FLAGS(Vcl::TAnchors)

// A colour: 0x00BBGGRR, or a system colour reference with the top bit set.
using TColor = quint32;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGray = 0x808080;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clWindowText = 0x80000008;
constexpr TColor clWindow = 0x80000005;

// The RGB colour a TColor stands for; system colours are taken from the palette.
QColor toQColor(TColor color, const QPalette &palette = QPalette());
// The TColor of an RGB colour.
TColor fromQColor(const QColor &color);
// The named colour constants a description may use (clWhite, clBtnFace, ...); false if unknown.
bool colorFromName(const QString &name, TColor *color);
