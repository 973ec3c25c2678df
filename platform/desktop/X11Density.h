#pragma once
// The density an X display asks for, in dots per inch: the user's Xft.dpi setting (what desktops
// set for a high-density screen), else the screen's size in pixels over its size in millimetres.
// 0 when there is no X display or it says neither.
#include <string_view>

namespace win {

float X11Density();
// Xft.dpi from an X resource database's text ("Xft.dpi:\t192\n..."); 0 when it holds none.
float XftDpiFromResources(std::string_view resources);

}  // namespace win
