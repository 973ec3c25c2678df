#pragma once
// Shapes that several parts share: the backlit keys (compare, L and R), the raised push buttons
// (Load, Save, help, close) and round lamps (clip, bypass), so that alike things look alike.
#include <string>

#include "tools/artwork/Canvas.h"

namespace art {

struct Box {
    double left, top, right, bottom;
};

// A key whose letter and face glow when lit.
void DrawBacklitKey(Canvas& c, Box box, const std::string& letter, bool lit);
// A raised metal push button; pressed, it sinks and its label moves down and right by one pixel.
void DrawPushButton(Canvas& c, Box box, const std::string& label, int fontHeight, bool pressed);
// A round lamp behind a metal bezel, lit or dark, in the given hue.
void DrawLamp(Canvas& c, double cx, double cy, double radius, Rgb litCore, Rgb litRim, Rgb darkCore, Rgb darkRim,
              bool lit);

}  // namespace art
