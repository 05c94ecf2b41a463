// Rounding and division as every geometry rule of the program uses them.
#pragma once

#include <cmath>

// Rounds to the nearest integer; a value exactly halfway goes to the even neighbour
// (Round(2.5) == 2, Round(4.5) == 4, Round(-2.5) == -2).
inline int Round(double value)
{
    return static_cast<int>(std::nearbyint(value)); // default FE_TONEAREST is ties-to-even
}

// Integer division truncating toward zero (Div(-5, 2) == -2); C++ already does so.
inline int Div(int a, int b)
{
    return a / b;
}
