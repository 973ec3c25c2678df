#include "tests/support/DialogTestControls.h"

#include <cstring>
#include <strings.h>

#include "platform/gdi/GdiTypes.h"
#include "platform/window/ControlMessages.h"
#include "platform/window/DialogTemplates.h"
#include "platform/window/PaintDC.h"

namespace testsupport {

using namespace win;

void RegisterDialogTestControls() {
    RegisterControlClass(kEditClass, [] { return new SelectingEdit(); });
    RegisterControlClass(kListClass, [] { return new ListBoxStandIn(); });
}

LRESULT SelectingEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE: return DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
        case EM_SETSEL: selections.emplace_back(wParam, lParam); return 0;
        case WM_SETTEXT: {
            ++setTexts;
            LRESULT result = Window::WindowProc(message, wParam, lParam);
            Invalidate();
            if (Window* parent = GetParent())
                parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), EN_CHANGE), reinterpret_cast<LPARAM>(GetSafeHwnd()));
            return result;
        }
        case WM_CHAR: {
            std::string text = GetWindowText() + static_cast<char>(wParam);
            SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
            return 0;
        }
        default: return Window::WindowProc(message, wParam, lParam);
    }
}

void SelectingEdit::OnPaint() {
    PaintDC dc(this);
    Rect r = ClientRect();
    dc.FillSolidRect(r, RGB(255, 255, 255));
    dc.SetBkMode(TRANSPARENT);
    Rect text{r.left + 2, r.top, r.right, r.bottom};
    dc.DrawTextA(GetWindowText(), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

LRESULT ListBoxStandIn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    const bool valid = index >= 0 && index < static_cast<int>(lines.size());
    switch (message) {
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case LB_GETCURSEL: return selection;
        case LB_SETCURSEL:
            selection = valid ? index : -1;
            Invalidate();
            return valid ? index : LB_ERR;
        case LB_GETTEXTLEN: return valid ? static_cast<LRESULT>(lines[index].size()) : LB_ERR;
        case LB_GETTEXT:
            if (!valid) return LB_ERR;
            std::memcpy(reinterpret_cast<char*>(lParam), lines[index].c_str(), lines[index].size() + 1);
            return static_cast<LRESULT>(lines[index].size());
        case LB_SELECTSTRING: {
            ++selectStrings;
            const char* prefix = reinterpret_cast<const char*>(lParam);
            const int n = static_cast<int>(lines.size());
            for (int step = 1; step <= n; ++step) {
                const int i = ((index < 0 ? -1 : index) + step) % n;
                if (strncasecmp(lines[i].c_str(), prefix, std::strlen(prefix)) == 0) {
                    selection = i;
                    Invalidate();
                    return i;
                }
            }
            return LB_ERR;
        }
        default: return Window::WindowProc(message, wParam, lParam);
    }
}

void ListBoxStandIn::OnPaint() {
    PaintDC dc(this);
    Rect r = ClientRect();
    dc.FillSolidRect(r, RGB(255, 255, 255));
    dc.SetBkMode(TRANSPARENT);
    TEXTMETRICA tm;
    dc.GetTextMetricsA(&tm);
    for (size_t i = 0; i < lines.size(); ++i) {
        Rect line = Rect::FromSize(r.left, r.top + static_cast<int>(i) * tm.tmHeight, r.Width(), tm.tmHeight);
        const bool selected = static_cast<int>(i) == selection;
        if (selected) dc.FillSolidRect(line, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        line.left += 2;
        dc.DrawTextA(lines[i], &line, DT_SINGLELINE | DT_NOPREFIX);
    }
}

}  // namespace testsupport
