// Enumerations of the jumper drawings, with the value names a description uses
// ("otLeft", "jsRight").
#pragma once

#include <QObject>

namespace Jumpers {
Q_NAMESPACE

// How a jumper drawing is turned from its horizontal frame. otUp and otDown form the
// horizontal pair, otLeft and otRight the vertical pair.
enum TOrientationType {
    otUp,    // the horizontal frame as drawn
    otDown,  // turned by 180 degrees
    otLeft,  // 90 degrees counter-clockwise: the frame's left end at the bottom
    otRight, // 90 degrees clockwise: the frame's left end at the top
};
Q_ENUM_NS(TOrientationType)

// Where a three-pin jumper's cap sits, in the horizontal frame before turning.
enum TJumperState {
    jsOpen,  // no cap
    jsLeft,  // over the left and middle pins
    jsRight, // over the middle and right pins
};
Q_ENUM_NS(TJumperState)

inline bool isVertical(TOrientationType orientation)
{
    return orientation == otLeft || orientation == otRight;
}

} // namespace Jumpers
