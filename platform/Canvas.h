// A drawing surface over an off-screen 32-bit image with a pen and a brush and the three
// figures the jumper drawings are made of, drawn pixel by pixel by one fixed rule so that a
// picture is the same on every machine. The widgets draw here and copy the finished image to
// the screen in one block (BlockCopy).
//
// Pixel rules of every figure, for a bounding box (x1, y1, x2, y2):
// - The box covers columns x1 .. x2-1 and rows y1 .. y2-1; an empty box (x2 <= x1 or
//   y2 <= y1) draws nothing. Nothing is ever drawn outside the box, and pixels outside the
//   image are clipped.
// - With the clear pen there is no outline and the figure is drawn in the box
//   (x1, y1, x2-1, y2-1): one pixel smaller in width and in height.
// - Membership: a pixel belongs to the figure when its centre (px + 0.5, py + 0.5) lies inside
//   or on the figure's shape in continuous coordinates, where the box is the real rectangle
//   [x1, x2] x [y1, y2]. Rectangle: the whole box. Ellipse: the ellipse inscribed in the box.
//   RoundRect(w, h): the box with each corner cut by a quarter of an ellipse w wide and h
//   high (w and h clamped to the box; 0 gives a plain rectangle; the full box size gives the
//   ellipse). The test is done in exact integer arithmetic, so every figure is symmetric
//   about both axes of its box.
// - Outline: with the solid pen, the figure's pixels that have a 4-neighbour (left, right,
//   above, below) outside the figure are drawn in the pen colour, one pixel wide; the other
//   pixels of the figure are filled with the brush colour.
#pragma once

#include "Types.h"

#include <QImage>
#include <QList>
#include <QPair>
#include <QPalette>

class QWidget;

class Canvas
{
public:
    enum PenStyle { psSolid, psClear };

    // The pen draws outlines one pixel wide. Default: black, solid.
    struct Pen
    {
        TColor color = clBlack;
        PenStyle style = psSolid;
    };
    // The brush fills the inside of figures, always solid. Default: white.
    struct Brush
    {
        TColor color = clWhite;
    };

    // Draws on image, which must outlive the canvas and be Format_RGB32 or Format_ARGB32
    // (drawn pixels are opaque). System colours (clBtnFace, ...) are resolved in palette.
    explicit Canvas(QImage &image, const QPalette &palette = QPalette());

    QImage &image() const { return m_image; }
    // Resizes the image to width x height (Format_RGB32 unless it already is ARGB32); its
    // content is then undefined. Pen, brush and saved states are kept.
    void setSize(int width, int height);

    Pen &pen() { return m_pen; }
    const Pen &pen() const { return m_pen; }
    Brush &brush() { return m_brush; }
    const Brush &brush() const { return m_brush; }

    // Saves the current pen and brush; Restore brings back the last saved pair and releases
    // it. Restore without a matching Save does nothing.
    void Save();
    void Restore();

    void Rectangle(int x1, int y1, int x2, int y2);
    void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
    void Ellipse(int x1, int y1, int x2, int y2);

private:
    void drawFigure(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
    QRgb rgb(TColor color) const;

    QImage &m_image;
    QPalette m_palette;
    Pen m_pen;
    Brush m_brush;
    QList<QPair<Pen, Brush>> m_saved;
};

// Copies image onto the widget at (0, 0) as a plain source copy (no blending). Call it from the
// widget's paint event.
void BlockCopy(QWidget *target, const QImage &image);
