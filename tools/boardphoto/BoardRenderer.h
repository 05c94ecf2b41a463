// Draws a top view of the digital I/O board as a photograph would show it: solder mask, copper
// under it, parts with their shadows, the mounting bracket at the left and the edge connector
// at the bottom. The jumper headers sit where the main window's highlight circles expect them.
#pragma once

#include <QImage>
#include <QList>
#include <QRectF>

class BoardRenderer
{
public:
    static constexpr int Width = 600;
    static constexpr int Height = 268;

    // The finished photograph, Width × Height, always the same for the same program.
    QImage render();

    // Where the jumper headers' plastic bodies lie in the photograph: the five three-pin pull
    // headers from left to right, then the four-position high-level header.
    static QList<QRectF> jumperHeaders();
};
