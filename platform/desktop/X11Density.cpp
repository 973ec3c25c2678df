#include "platform/desktop/X11Density.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <string>

namespace win {

float XftDpiFromResources(std::string_view resources) {
    constexpr std::string_view kName = "Xft.dpi:";
    size_t at = 0;
    while ((at = resources.find(kName, at)) != std::string_view::npos) {
        const bool lineStart = at == 0 || resources[at - 1] == '\n';
        at += kName.size();
        if (!lineStart) continue;
        const size_t end = resources.find('\n', at);
        const std::string value(resources.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
        char* parsed = nullptr;
        const float dpi = std::strtof(value.c_str(), &parsed);
        return parsed != value.c_str() && dpi > 0 && dpi < 10000 ? dpi : 0.0f;
    }
    return 0.0f;
}

float X11Density() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 0.0f;
    float dpi = 0.0f;
    if (const char* resources = XResourceManagerString(display)) dpi = XftDpiFromResources(resources);
    const int screen = DefaultScreen(display);
    if (dpi <= 0 && DisplayWidthMM(display, screen) > 0)
        dpi = static_cast<float>(DisplayWidth(display, screen)) * 25.4f / static_cast<float>(DisplayWidthMM(display, screen));
    XCloseDisplay(display);
    return dpi;
}

}  // namespace win
