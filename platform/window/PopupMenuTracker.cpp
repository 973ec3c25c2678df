// Popup menu tracking: a top-level menu window that holds the mouse and the keyboard while a nested
// loop runs, and ends with the chosen command or with nothing.
#include <algorithm>
#include <cctype>

#include "platform/gdi/GdiTypes.h"
#include "platform/window/Menu.h"
#include "platform/window/PaintDC.h"
#include "platform/window/WindowSystem.h"

namespace win {
namespace {

constexpr int kFrame = 3;
constexpr int kItemHeight = 17;
constexpr int kSeparatorHeight = 9;
constexpr int kTextLeft = 19;

bool Selectable(const MenuItemTemplate& item) {
    return !item.separator && item.popup.empty() && !(item.flags & (MF_GRAYED | MF_DISABLED));
}

class PopupMenuWindow : public Window {
public:
    PopupMenuWindow(const Menu& menu, UINT flags) : menu_(menu), flags_(flags) {}

    bool Open(Point at) {
        DC measure(nullptr);
        measure.SelectFont(std::shared_ptr<Font>(std::shared_ptr<Font>(), DefaultGuiFont()));
        int width = 0, height = 2 * kFrame;
        for (const MenuItemTemplate& item : menu_.Items()) {
            if (item.separator) {
                height += kSeparatorHeight;
                continue;
            }
            Rect text{0, 0, 0, 0};
            measure.DrawTextA(item.text, &text, DT_CALCRECT | DT_SINGLELINE);
            width = std::max(width, text.Width());
            height += kItemHeight;
        }
        width += kTextLeft + 24 + 2 * kFrame;
        const Size screen = WindowSystem::Instance().ScreenSize();
        at.x = std::clamp(at.x, 0, std::max(0, screen.cx - width));
        at.y = std::clamp(at.y, 0, std::max(0, screen.cy - height));
        if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "#32768", "", WS_POPUP, Rect::FromSize(at.x, at.y, width, height),
                      nullptr, 0))
            return false;
        ShowWindow(SW_SHOWNA);
        return true;
    }

    // Item rectangles in client coordinates.
    Rect ItemRect(int index) const {
        int y = kFrame;
        for (int i = 0; i < static_cast<int>(menu_.Items().size()); ++i) {
            int h = menu_.Items()[static_cast<size_t>(i)].separator ? kSeparatorHeight : kItemHeight;
            if (i == index) return {kFrame, y, ClientRect().right - kFrame, y + h};
            y += h;
        }
        return {};
    }

    int ItemAt(Point client) const {
        for (int i = 0; i < static_cast<int>(menu_.Items().size()); ++i)
            if (ItemRect(i).Contains(client)) return i;
        return -1;
    }

    bool done = false;
    UINT chosen = 0;

protected:
    void OnPaint() override {
        PaintDC dc(this);
        Rect r = ClientRect();
        dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
        auto edge = [&](Rect e, COLORREF tl, COLORREF br) {
            dc.FillSolidRect({e.left, e.top, e.right - 1, e.top + 1}, tl);
            dc.FillSolidRect({e.left, e.top, e.left + 1, e.bottom - 1}, tl);
            dc.FillSolidRect({e.left, e.bottom - 1, e.right, e.bottom}, br);
            dc.FillSolidRect({e.right - 1, e.top, e.right, e.bottom}, br);
        };
        edge(r, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
        edge({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        dc.SetBkMode(TRANSPARENT);
        for (int i = 0; i < static_cast<int>(menu_.Items().size()); ++i) {
            const MenuItemTemplate& item = menu_.Items()[static_cast<size_t>(i)];
            Rect ir = ItemRect(i);
            if (item.separator) {
                int y = ir.top + kSeparatorHeight / 2 - 1;
                dc.FillSolidRect({ir.left + 1, y, ir.right - 1, y + 1}, GetSysColor(COLOR_BTNSHADOW));
                dc.FillSolidRect({ir.left + 1, y + 1, ir.right - 1, y + 2}, GetSysColor(COLOR_BTNHIGHLIGHT));
                continue;
            }
            const bool hot = i == highlighted_;
            const bool enabled = Selectable(item);
            if (hot) dc.FillSolidRect(ir, GetSysColor(COLOR_HIGHLIGHT));
            Rect text{ir.left + kTextLeft, ir.top, ir.right, ir.bottom};
            if (!enabled && !hot) {
                Rect shadow = text.Offset(1, 1);
                dc.SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
                dc.DrawTextA(item.text, &shadow, DT_SINGLELINE | DT_VCENTER);
            }
            dc.SetTextColor(!enabled ? GetSysColor(COLOR_GRAYTEXT)
                                     : hot ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT));
            dc.DrawTextA(item.text, &text, DT_SINGLELINE | DT_VCENTER);
        }
    }

    void OnMouseMove(UINT, Point point) override {
        int item = ItemAt(point);
        SetHighlight(item >= 0 && !menu_.Items()[static_cast<size_t>(item)].separator ? item : -1);
    }
    void OnLButtonDown(UINT, Point point) override { ButtonDown(point); }
    void OnRButtonDown(UINT, Point point) override { ButtonDown(point); }
    void OnLButtonUp(UINT, Point point) override { ButtonUp(point); }
    void OnRButtonUp(UINT, Point point) override {
        if (flags_ & TPM_RIGHTBUTTON) ButtonUp(point);
    }

    void OnKeyDown(UINT key, UINT, UINT) override {
        switch (key) {
            case VK_ESCAPE: Finish(0); break;
            case VK_UP: Step(-1); break;
            case VK_DOWN: Step(1); break;
            case VK_RETURN:
                if (highlighted_ >= 0) Choose(highlighted_);
                else Finish(0);
                break;
            default:
                if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) Mnemonic(static_cast<char>(key));
                break;
        }
    }

    void OnCaptureChanged(Window* newCapture) override {
        if (newCapture != this) Finish(0);  // someone else took the mouse: the menu goes
    }

private:
    void ButtonDown(Point point) {
        if (!ClientRect().Contains(point)) Finish(0);
    }

    void ButtonUp(Point point) {
        int item = ItemAt(point);
        if (item >= 0 && Selectable(menu_.Items()[static_cast<size_t>(item)])) Choose(item);
    }

    void Step(int direction) {
        const int n = static_cast<int>(menu_.Items().size());
        int i = highlighted_;
        for (int tries = 0; tries < n; ++tries) {
            i = i < 0 ? (direction > 0 ? 0 : n - 1) : (i + direction + n) % n;
            if (Selectable(menu_.Items()[static_cast<size_t>(i)])) {
                SetHighlight(i);
                return;
            }
        }
    }

    void Mnemonic(char key) {
        for (int i = 0; i < static_cast<int>(menu_.Items().size()); ++i) {
            const std::string& text = menu_.Items()[static_cast<size_t>(i)].text;
            size_t amp = text.find('&');
            if (amp != std::string::npos && amp + 1 < text.size() &&
                std::toupper(static_cast<unsigned char>(text[amp + 1])) == key && Selectable(menu_.Items()[static_cast<size_t>(i)])) {
                Choose(i);
                return;
            }
        }
    }

    void SetHighlight(int item) {
        if (item == highlighted_) return;
        highlighted_ = item;
        Invalidate(FALSE);
    }

    void Choose(int item) { Finish(menu_.Items()[static_cast<size_t>(item)].id); }

    void Finish(UINT result) {
        if (done) return;
        chosen = result;
        done = true;
    }

    const Menu& menu_;
    UINT flags_;
    int highlighted_ = -1;
};

PopupMenuWindow* tracked = nullptr;

}  // namespace

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const Rect*) {
    if (!menu || tracked) return FALSE;
    Window* ownerWindow = Window::FromHandle(owner);
    if (ownerWindow && !(flags & TPM_NONOTIFY)) ownerWindow->SendMessage(WM_INITMENUPOPUP, 0, 0);
    PopupMenuWindow popup(*menu, flags);
    if (!popup.Open({x, y})) return FALSE;
    WindowSystem& system = WindowSystem::Instance();
    tracked = &popup;
    Window* previousGrab = system.KeyboardGrab();
    system.SetKeyboardGrab(&popup);
    popup.SetCapture();
    struct Restore {
        WindowSystem& system;
        Window* grab;
        PopupMenuWindow& popup;
        ~Restore() {
            tracked = nullptr;
            system.SetKeyboardGrab(grab);
            if (system.Capture() == &popup) system.ReleaseCapture();
        }
    } restore{system, previousGrab, popup};
    RunModalLoop(popup.done);
    const UINT chosen = popup.done ? popup.chosen : 0;
    popup.DestroyWindow();
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen && ownerWindow && IsWindow(owner)) ownerWindow->PostMessage(WM_COMMAND, chosen, 0);
    return chosen ? TRUE : FALSE;
}

Window* TrackedPopupMenuWindow() { return tracked; }

int TrackedPopupMenuItemAt(Point screen) {
    if (!tracked) return -1;
    tracked->ScreenToClient(&screen);
    return tracked->ItemAt(screen);
}

Rect TrackedPopupMenuItemRect(int index) {
    if (!tracked) return {};
    Rect r = tracked->ItemRect(index);
    tracked->ClientToScreen(&r);
    return r;
}

}  // namespace win
