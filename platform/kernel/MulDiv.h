#pragma once
// Scales an int by a ratio the way the editor's layout and parameter code expects from Windows.
#include "platform/base/WinTypes.h"

namespace win {

// (number * numerator) / denominator with a 64-bit intermediate, rounded to nearest with halves
// away from zero. Returns -1 for a zero denominator or a result that does not fit in an int.
int MulDiv(int number, int numerator, int denominator);

}  // namespace win
