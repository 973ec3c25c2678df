#include "platform/window/SystemMetrics.h"

#include "platform/window/WindowSystem.h"

namespace win {

// The classic scheme's defaults (Windows 2000 registry reference, WindowMetrics: CaptionWidth and
// CaptionHeight 270 twips = 18 px, SmCaptionWidth 180 twips = 12 px, SmCaptionHeight 225 twips =
// 15 px). A caption's metric counts the 1-pixel line below the bar: 19 and 16, as GetSystemMetrics
// reports and a captioned window's frame measures.
int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN: return WindowSystem::Instance().ScreenSize().cx;
        case SM_CYSCREEN: return WindowSystem::Instance().ScreenSize().cy;
        case SM_CYCAPTION: return 19;
        case SM_CXBORDER: case SM_CYBORDER: return 1;
        case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
        case SM_CXSIZE: case SM_CYSIZE: return 18;
        case SM_CXEDGE: case SM_CYEDGE: return 2;
        case SM_CYSMCAPTION: return 16;
        case SM_CXSMSIZE: return 12;
        case SM_CYSMSIZE: return 15;
        case SM_CXVSCROLL: case SM_CYVSCROLL: case SM_CYVTHUMB: return 16;
        default: return 0;
    }
}

}  // namespace win
