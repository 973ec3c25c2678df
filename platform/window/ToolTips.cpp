#include "platform/window/ToolTips.h"

#include <cstring>

#include "platform/gdi/GdiTypes.h"
#include "platform/window/PaintDC.h"
#include "platform/window/WindowSystem.h"

namespace win {
namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kHideTimer = 2;

class ToolTipWindow : public Window {
public:
    void Track(Window* owner, Window* tool, Point screen) {
        if (!GetSafeHwnd()) {
            CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "tooltips_class32", "", WS_POPUP | WS_BORDER, {0, 0, 1, 1}, nullptr, 0);
        }
        cursor_ = screen;
        HWND toolHandle = tool ? tool->GetSafeHwnd() : nullptr;
        if (toolHandle == tool_ && owner && owner->GetSafeHwnd() == owner_) return;
        Cancel();
        tool_ = toolHandle;
        owner_ = owner ? owner->GetSafeHwnd() : nullptr;
        if (tool_) SetTimer(kShowTimer, kToolTipInitialDelay);
    }

    void Cancel() {
        if (!GetSafeHwnd()) return;
        KillTimer(kShowTimer);
        KillTimer(kHideTimer);
        tool_ = nullptr;
        owner_ = nullptr;
        if (GetStyle() & WS_VISIBLE) ShowWindow(SW_HIDE);
    }

    std::string Text() const { return (GetStyle() & WS_VISIBLE) ? GetWindowText() : std::string(); }

protected:
    void OnTimer(UINT_PTR id) override {
        KillTimer(id);
        if (id == kHideTimer) {
            ShowWindow(SW_HIDE);
            return;
        }
        Window* owner = FromHandle(owner_);
        if (!owner || !FromHandle(tool_)) return;
        TOOLTIPTEXTA request;
        request.hdr.hwndFrom = GetSafeHwnd();
        request.hdr.idFrom = reinterpret_cast<UINT_PTR>(tool_);
        request.hdr.code = TTN_NEEDTEXTA;
        request.uFlags = TTF_IDISHWND;
        owner->SendMessage(WM_NOTIFY, request.hdr.idFrom, reinterpret_cast<LPARAM>(&request));
        std::string text = request.lpszText ? request.lpszText : std::string(request.szText, strnlen(request.szText, sizeof request.szText));
        if (text.empty() || !GetSafeHwnd()) return;
        SetWindowText(text);
        DC measure(nullptr);
        measure.SelectFont(std::shared_ptr<Font>(std::shared_ptr<Font>(), DefaultGuiFont()));
        Size extent = measure.GetTextExtent(text);
        SetWindowPos(nullptr, cursor_.x, cursor_.y + 20, extent.cx + 8, extent.cy + 4, SWP_NOACTIVATE | SWP_NOZORDER);
        Invalidate();
        ShowWindow(SW_SHOWNA);
        SetTimer(kHideTimer, kToolTipAutoPopDelay);
    }

    void OnPaint() override {
        PaintDC dc(this);
        dc.FillSolidRect(ClientRect(), GetSysColor(COLOR_INFOBK));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(GetSysColor(COLOR_INFOTEXT));
        Rect r = ClientRect();
        r.left += 3;
        dc.DrawTextA(GetWindowText(), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }

private:
    HWND tool_ = nullptr;
    HWND owner_ = nullptr;
    Point cursor_;
};

ToolTipWindow& Tip() {
    static ToolTipWindow* tip = new ToolTipWindow();  // lives with the window system
    return *tip;
}

}  // namespace

void ToolTipTrackMouse(Window* target, Point screen) {
    if (target && target->ClassName() == "tooltips_class32") return;
    Window* owner = nullptr;
    Window* tool = nullptr;
    for (Window* w = target; w && w->GetParent(); w = w->GetParent())
        if (w->GetParent()->ToolTipsEnabled()) {
            owner = w->GetParent();
            tool = w;
            break;
        }
    if (!owner && !Tip().GetSafeHwnd()) return;
    Tip().Track(owner, tool, screen);
}

void ToolTipCancel() { Tip().Cancel(); }

std::string VisibleToolTipText() { return Tip().GetSafeHwnd() ? Tip().Text() : std::string(); }

}  // namespace win
