// Turns input events into window messages when they are taken from the queue, so that capture,
// focus and key state are those of the moment the message is read, as on Windows.
#include <cstdlib>

#include "platform/time/Clock.h"
#include "platform/window/ToolTips.h"
#include "platform/window/WindowSystem.h"

namespace win {
namespace {

constexpr std::uint64_t kDoubleClickTime = 500;
constexpr int kDoubleClickDistance = 4;

// A control that answers HTTRANSPARENT lets the mouse through to what lies beneath it: statics
// without SS_NOTIFY and group boxes do.
bool IsTransparentToMouse(Window* w, Point screen) {
    return w->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == HTTRANSPARENT;
}

Window* DeepestChildAt(Window* parent, Point screen) {
    Point local = screen;
    parent->ScreenToClient(&local);
    if (!parent->ClientRect().Contains(local)) return parent;
    for (Window* child : parent->Children()) {
        if (!(child->GetStyle() & WS_VISIBLE) || !child->RectInParent().Contains(local)) continue;
        if (IsTransparentToMouse(child, screen)) continue;
        return DeepestChildAt(child, screen);
    }
    return parent;
}

UINT MouseFlags(const bool buttons[3], const WindowSystem& system) {
    UINT flags = 0;
    if (buttons[0]) flags |= MK_LBUTTON;
    if (buttons[1]) flags |= MK_RBUTTON;
    if (buttons[2]) flags |= MK_MBUTTON;
    if (system.KeyState(VK_SHIFT) < 0) flags |= MK_SHIFT;
    if (system.KeyState(VK_CONTROL) < 0) flags |= MK_CONTROL;
    return flags;
}

}  // namespace

Window* WindowFromPoint(Point screen) {
    for (Window* top : WindowSystem::Instance().TopLevels()) {
        if (!(top->GetStyle() & WS_VISIBLE) || !top->WindowRect().Contains(screen)) continue;
        return DeepestChildAt(top, screen);
    }
    return nullptr;
}

bool WindowSystem::TranslateInput(const InputEvent& event, MSG* msg) {
    switch (event.type) {
        case InputEvent::Type::KeyDown:
        case InputEvent::Type::KeyUp:
        case InputEvent::Type::Char:
            return RouteKey(event, msg);
        case InputEvent::Type::Quit:
            Quit(0);
            return false;
        default:
            return RouteMouse(event, msg);
    }
}

bool WindowSystem::RouteMouse(const InputEvent& event, MSG* msg) {
    cursor_ = event.screen;
    int button = std::clamp(event.button, 0, 2);
    const bool isDown = event.type == InputEvent::Type::MouseDown;
    const bool isUp = event.type == InputEvent::Type::MouseUp;
    static constexpr UINT buttonVk[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    if (isDown || isUp) {
        buttons_[button] = isDown;
        keys_[buttonVk[button]] = isDown;
    }

    if (movingWindow_) {
        if (event.type == InputEvent::Type::MouseMove) {
            Point topLeft = event.screen - moveGrab_;
            movingWindow_->SetWindowPos(nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (isUp && button == 0) movingWindow_ = nullptr;
        return false;
    }

    Window* target = capture_;
    if (!target) {
        Window* top = event.topLevel ? Lookup(event.topLevel) : nullptr;
        if (top && !((top->style_ & WS_VISIBLE) && top->WindowRect().Contains(event.screen))) top = nullptr;
        for (Window* w : topLevels_) {
            if (top) break;
            if ((w->style_ & WS_VISIBLE) && w->className_ != "tooltips_class32" && w->WindowRect().Contains(event.screen))
                top = w;
        }
        if (!top) return false;
        if (!top->IsWindowEnabled()) {
            // The owner of a modal window: the click goes to the modal window's activation instead.
            if (isDown)
                for (Window* w : topLevels_)
                    if (w->owner_ == top && w->IsWindowEnabled() && (w->style_ & WS_VISIBLE)) Activate(w, WA_CLICKACTIVE);
            return false;
        }
        if (isDown && top != active_ && !(top->exStyle_ & WS_EX_TOPMOST)) Activate(top, WA_CLICKACTIVE);
        int hit = static_cast<int>(top->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(event.screen.x, event.screen.y)));
        if (hit != HTCLIENT) {
            if (isDown && button == 0) {
                if (hit == HTCAPTION) {
                    movingWindow_ = top;
                    moveGrab_ = event.screen - top->rect_.TopLeft();
                } else if (hit == HTCLOSE) {
                    top->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
                }
            }
            return false;
        }
        target = DeepestChildAt(top, event.screen);
        for (Window* w = target; w; w = w->parent_)
            if (!w->IsWindowEnabled()) return false;
    }

    Point client = event.screen;
    target->ScreenToClient(&client);
    UINT message = WM_MOUSEMOVE;
    static constexpr UINT downMessages[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static constexpr UINT upMessages[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    if (isDown) {
        ToolTipCancel();
        message = downMessages[button];
        std::uint64_t now = GetClock().NowMs();
        bool doubleClick = (target->classStyle_ & CS_DBLCLKS) && lastClickWindow_ == target->handle_ &&
                           lastClickButton_ == button && now - lastClickTime_ <= kDoubleClickTime &&
                           std::abs(event.screen.x - lastClickPoint_.x) <= kDoubleClickDistance &&
                           std::abs(event.screen.y - lastClickPoint_.y) <= kDoubleClickDistance;
        if (doubleClick && button < 2) {
            message = button == 0 ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
            lastClickWindow_ = nullptr;
        } else {
            lastClickWindow_ = target->handle_;
            lastClickTime_ = now;
            lastClickPoint_ = event.screen;
            lastClickButton_ = button;
        }
    } else if (isUp) {
        message = upMessages[button];
    } else if (event.type == InputEvent::Type::MouseWheel) {
        Window* wheelTarget = focus_ ? focus_ : target;
        *msg = MSG{wheelTarget->handle_, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<int>(MouseFlags(buttons_, *this)), event.wheelDelta),
                   MAKELPARAM(event.screen.x, event.screen.y), GetTickCount(), cursor_};
        return true;
    }
    if (message == WM_MOUSEMOVE) ToolTipTrackMouse(target, event.screen);
    *msg = MSG{target->handle_, message, MouseFlags(buttons_, *this), MAKELPARAM(client.x, client.y), GetTickCount(), cursor_};
    return true;
}

bool WindowSystem::RouteKey(const InputEvent& event, MSG* msg) {
    if (event.type == InputEvent::Type::Char) {
        Window* target = keyboardGrab_ ? keyboardGrab_ : focus_ ? focus_ : active_;
        if (!target) return false;
        *msg = MSG{target->handle_, WM_CHAR, event.ch & 0xFF, 1, GetTickCount(), cursor_};
        return true;
    }
    const bool down = event.type == InputEvent::Type::KeyDown;
    UINT vk = event.vk & 0xFF;
    bool wasDown = keys_[vk];
    keys_[vk] = down;
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) keys_[VK_SHIFT] = keys_[VK_LSHIFT] || keys_[VK_RSHIFT];
    Window* target = keyboardGrab_ ? keyboardGrab_ : focus_ ? focus_ : active_;
    if (!target) return false;
    bool alt = keys_[VK_MENU] && vk != VK_MENU;
    UINT message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lParam = 1 | (static_cast<LPARAM>(vk & 0xFF) << 16);
    if (wasDown) lParam |= 0x40000000;
    if (!down) lParam |= static_cast<LPARAM>(0xC0000000u);
    if (alt) lParam |= 0x20000000;
    if (event.textSeparately) lParam |= kKeyTextSeparately;
    *msg = MSG{target->handle_, message, vk, lParam, GetTickCount(), cursor_};
    return true;
}

short GetKeyState(int vk) { return WindowSystem::Instance().KeyState(static_cast<UINT>(vk)); }

BOOL GetCursorPos(Point* point) {
    if (!point) return FALSE;
    *point = WindowSystem::Instance().CursorPos();
    return TRUE;
}

void InjectMouseMove(Point screen, HWND topLevel) {
    InputEvent e;
    e.type = InputEvent::Type::MouseMove;
    e.screen = screen;
    e.topLevel = topLevel;
    WindowSystem::Instance().PostInput(e);
}

void InjectMouseButton(Point screen, int button, bool down, HWND topLevel) {
    InputEvent e;
    e.type = down ? InputEvent::Type::MouseDown : InputEvent::Type::MouseUp;
    e.screen = screen;
    e.topLevel = topLevel;
    e.button = button;
    WindowSystem::Instance().PostInput(e);
}

void InjectClick(Point screen, int button) {
    InjectMouseMove(screen);
    InjectMouseButton(screen, button, true);
    InjectMouseButton(screen, button, false);
}

void InjectKey(UINT vk, bool down, bool textSeparately) {
    InputEvent e;
    e.type = down ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
    e.vk = vk;
    e.textSeparately = textSeparately;
    WindowSystem::Instance().PostInput(e);
}

void InjectKeyPress(UINT vk) {
    InjectKey(vk, true);
    InjectKey(vk, false);
}

void InjectChar(UINT ch) {
    InputEvent e;
    e.type = InputEvent::Type::Char;
    e.ch = ch;
    WindowSystem::Instance().PostInput(e);
}

}  // namespace win
