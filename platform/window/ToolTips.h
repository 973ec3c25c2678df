#pragma once
// Tooltips for windows that enabled them: when the pointer rests on one of their direct children,
// the window is asked for the text with TTN_NEEDTEXT (the tool identified by its handle) and a small
// popup shows it near the pointer.
#include <string>

#include "platform/base/Geometry.h"

namespace win {

class Window;

// Called by the input router for every pointer move that reaches a window.
void ToolTipTrackMouse(Window* target, Point screen);
void ToolTipCancel();
// The text on screen, or empty while no tooltip shows.
std::string VisibleToolTipText();

constexpr unsigned kToolTipInitialDelay = 500;
constexpr unsigned kToolTipAutoPopDelay = 5000;

}  // namespace win
