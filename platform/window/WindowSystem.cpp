#include "platform/window/WindowSystem.h"

#include <algorithm>
#include <stdexcept>

#include "platform/time/Clock.h"
#include "platform/window/ToolTips.h"

namespace win {

WindowSystem& WindowSystem::Instance() {
    static WindowSystem* system = new WindowSystem();  // never destroyed: windows may outlive statics
    return *system;
}

HWND WindowSystem::Register(Window* window) {
    nextHandle_ += 4;
    HWND hwnd = reinterpret_cast<HWND>(nextHandle_);
    table_[hwnd] = window;
    return hwnd;
}

void WindowSystem::Unregister(Window* window) {
    table_.erase(window->handle_);
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.window == window; }),
                  timers_.end());
    if (focus_ == window) focus_ = nullptr;
    if (capture_ == window) capture_ = nullptr;
    if (active_ == window) active_ = nullptr;
    if (movingWindow_ == window) movingWindow_ = nullptr;
    if (keyboardGrab_ == window) keyboardGrab_ = nullptr;
}

Window* WindowSystem::Lookup(HWND hwnd) const {
    auto it = table_.find(hwnd);
    return it == table_.end() ? nullptr : it->second;
}

std::vector<Window*> WindowSystem::TopLevelsBottomToTop() const {
    return {topLevels_.rbegin(), topLevels_.rend()};
}

void WindowSystem::LinkChild(Window* parent, Window* child) {
    if (parent) {
        parent->children_.push_back(child);  // new children go to the bottom of their siblings
    } else {
        topLevels_.insert(topLevels_.begin(), child);
        RaiseTopLevel(child);
    }
}

void WindowSystem::Unlink(Window* window) {
    auto& list = window->parent_ ? window->parent_->children_ : topLevels_;
    list.erase(std::remove(list.begin(), list.end(), window), list.end());
}

void WindowSystem::RaiseTopLevel(Window* window) {
    auto it = std::find(topLevels_.begin(), topLevels_.end(), window);
    if (it == topLevels_.end()) return;
    topLevels_.erase(it);
    // Topmost windows (tooltips, menus) stay above the rest; owned windows stay above their owner.
    auto pos = topLevels_.begin();
    if (!(window->exStyle_ & WS_EX_TOPMOST))
        while (pos != topLevels_.end() && ((*pos)->exStyle_ & WS_EX_TOPMOST)) ++pos;
    topLevels_.insert(pos, window);
    for (Window* other : std::vector<Window*>(topLevels_))
        if (other->owner_ == window && other != window) RaiseTopLevel(other);
    fullDamage_ = true;
}

void WindowSystem::Post(const MSG& msg) { posted_.push_back(msg); }
void WindowSystem::PostInput(const InputEvent& event) { input_.push_back(event); }

void WindowSystem::Quit(int code) {
    MSG msg;
    msg.message = WM_QUIT;
    msg.wParam = static_cast<WPARAM>(code);
    posted_.push_back(msg);
}

bool WindowSystem::Peek(MSG* msg, bool remove) {
    if (!remove) return !posted_.empty() || !input_.empty() || NextWindowToPaint() ||
                        (NextTimerDue() && *NextTimerDue() <= GetClock().NowMs());
    while (!posted_.empty()) {
        *msg = posted_.front();
        posted_.pop_front();
        if (msg->message == WM_QUIT) {
            quitPosted_ = true;
            exitCode_ = static_cast<int>(msg->wParam);
            return true;
        }
        if (msg->hwnd && !Lookup(msg->hwnd)) continue;
        return true;
    }
    while (!input_.empty()) {
        InputEvent event = input_.front();
        input_.pop_front();
        if (TranslateInput(event, msg)) return true;
    }
    if (Window* w = NextWindowToPaint()) {
        *msg = MSG{w->handle_, WM_PAINT, 0, 0, GetTickCount(), cursor_};
        return true;
    }
    return TakeTimer(msg);
}

bool WindowSystem::Get(MSG* msg) {
    int idleRounds = 0;
    while (!Peek(msg, true)) {
        if (beforeWait_) beforeWait_();
        WaitForSomething();
        // A virtual clock jumps to the next timer; a test whose modal loop has nothing left that
        // could end it would otherwise spin for ever.
        if (++idleRounds > 100000) throw std::logic_error("message loop waits for input that never comes");
    }
    return msg->message != WM_QUIT;
}

void WindowSystem::WaitForSomething() {
    Clock& clock = GetClock();
    std::optional<std::uint64_t> due = NextTimerDue();
    std::optional<std::uint64_t> timeout;
    if (due) timeout = *due > clock.NowMs() ? *due - clock.NowMs() : 0;
    if (clock.IsVirtual()) {
        if (!due) throw std::logic_error("message loop waits for input that never comes (no timer, no input)");
        static_cast<VirtualClock&>(clock).AdvanceTo(*due);
        return;
    }
    if (waiter_) {
        waiter_(timeout);
    } else {
        clock.Sleep(static_cast<DWORD>(timeout ? std::min<std::uint64_t>(*timeout, 50) : 50));
    }
}

UINT_PTR WindowSystem::SetTimer(Window* window, UINT_PTR id, UINT elapse) {
    if (!window || !Lookup(window->handle_)) return 0;
    elapse = std::clamp<UINT>(elapse, 10, 0x7FFFFFFF);
    std::uint64_t due = GetClock().NowMs() + elapse;
    for (Timer& t : timers_)
        if (t.window == window && t.id == id) {
            t.period = elapse;
            t.due = due;
            return id ? id : 1;
        }
    if (timers_.size() >= timerLimit_) return 0;
    timers_.push_back({window, id, elapse, due});
    return id ? id : 1;
}

bool WindowSystem::KillTimer(Window* window, UINT_PTR id) {
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [&](const Timer& t) { return t.window == window && t.id == id; });
    if (it == timers_.end()) return false;
    timers_.erase(it);
    return true;
}

void WindowSystem::KillTimers(Window* window) {
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.window == window; }),
                  timers_.end());
}

bool WindowSystem::HasTimer(const Window* window, UINT_PTR id) const {
    return std::any_of(timers_.begin(), timers_.end(),
                       [&](const Timer& t) { return t.window == window && t.id == id; });
}

std::optional<std::uint64_t> WindowSystem::NextTimerDue() const {
    std::optional<std::uint64_t> due;
    for (const Timer& t : timers_)
        if (!due || t.due < *due) due = t.due;
    return due;
}

bool WindowSystem::TakeTimer(MSG* msg) {
    std::uint64_t now = GetClock().NowMs();
    Timer* next = nullptr;
    for (Timer& t : timers_)
        if (t.due <= now && (!next || t.due < next->due)) next = &t;
    if (!next) return false;
    // One message per period however late: timers never pile up.
    next->due = now + next->period;
    *msg = MSG{next->window->handle_, WM_TIMER, next->id, 0, static_cast<DWORD>(now), cursor_};
    return true;
}

static bool Contains(const Window* root, const Window* w) {
    for (; w; w = w->GetParent())
        if (w == root) return true;
    return false;
}

Window* WindowSystem::SetFocus(Window* window) {
    if (window && !Lookup(window->handle_)) return nullptr;
    Window* old = focus_;
    if (old == window) return old;
    // Any handler on the way may destroy either window and delete its object: go by handles.
    const HWND oldHandle = old ? old->handle_ : nullptr;
    const HWND newHandle = window ? window->handle_ : nullptr;
    if (window) {
        Window* top = window->GetTopLevelParent();
        if (top != active_) {
            focus_ = window;  // activation must not pull the focus to the top-level window
            Activate(top, WA_ACTIVE);
            if (!Lookup(newHandle)) return Lookup(oldHandle);
        }
    }
    focus_ = window;
    if (Window* leaving = Lookup(oldHandle)) leaving->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(newHandle));
    if (focus_ != window) return Lookup(oldHandle);  // the old window's handler moved the focus elsewhere
    if (Window* coming = Lookup(newHandle))
        coming->SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(Lookup(oldHandle) ? oldHandle : nullptr));
    return Lookup(oldHandle);
}

Window* WindowSystem::SetCapture(Window* window) {
    Window* old = capture_;
    capture_ = window;
    if (old && old != window && Lookup(old->handle_))
        old->SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window ? window->handle_ : nullptr));
    return old;
}

bool WindowSystem::ReleaseCapture() {
    Window* old = capture_;
    capture_ = nullptr;
    if (old && Lookup(old->handle_)) old->SendMessage(WM_CAPTURECHANGED, 0, 0);
    return true;
}

void WindowSystem::Activate(Window* topLevel, UINT how) {
    if (topLevel == active_) return;
    Window* old = active_;
    active_ = topLevel;
    if (topLevel) RaiseTopLevel(topLevel);
    if (old && Lookup(old->handle_)) {
        old->frameDirty_ = true;
        old->SendMessage(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(topLevel ? topLevel->handle_ : nullptr));
    }
    if (topLevel && Lookup(topLevel->handle_)) {
        topLevel->frameDirty_ = true;
        topLevel->SendMessage(WM_ACTIVATE, how, reinterpret_cast<LPARAM>(old ? old->handle_ : nullptr));
    }
    fullDamage_ = true;
}

void WindowSystem::WindowGoingAway(Window* window, bool destroyed) {
    if (capture_ && Contains(window, capture_)) ReleaseCapture();
    const bool keepsFocus = !destroyed && window->parent_ && focus_ != window;
    if (focus_ && !keepsFocus && Contains(window, focus_)) {
        Window* parent = window->parent_;
        SetFocus(parent && Lookup(parent->handle_) ? parent : nullptr);
    }
    if (active_ == window) {
        Window* next = nullptr;
        if (window->owner_ && Lookup(window->owner_->handle_) && window->owner_->IsWindowVisible()) next = window->owner_;
        for (Window* w : topLevels_)
            if (!next && w != window && w->IsWindowVisible() && w->IsWindowEnabled() && !(w->exStyle_ & WS_EX_TOPMOST))
                next = w;
        active_ = nullptr;
        if (next) Activate(next, WA_ACTIVE);
    }
}

void WindowSystem::NoteDamage(const Window* topLevel, const Rect& surfaceArea) {
    if (fullDamage_ || !topLevel) return;
    damage_.Add(surfaceArea.Offset(topLevel->rect_.TopLeft()));
    // Many scattered pieces cost more to track than to compose.
    if (damage_.Rects().size() > 64) fullDamage_ = true;
}

Region WindowSystem::TakeDamage(const Rect& screen) {
    Region area = fullDamage_ ? Region(screen) : damage_;
    area.Intersect(screen);
    fullDamage_ = false;
    damage_.Clear();
    return area;
}

void WindowSystem::ResetForTesting() {
    ToolTipCancel();
    posted_.clear();
    input_.clear();
    timers_.clear();
    quitPosted_ = false;
    exitCode_ = 0;
    focus_ = capture_ = active_ = movingWindow_ = keyboardGrab_ = nullptr;
    std::fill(std::begin(keys_), std::end(keys_), false);
    std::fill(std::begin(buttons_), std::end(buttons_), false);
    lastClickWindow_ = nullptr;
    lastClickButton_ = -1;
    idleHook_ = nullptr;
    timerLimit_ = 10000;
    modalDepth = 0;
}

short WindowSystem::KeyState(UINT vk) const {
    if (vk > 255) return 0;
    bool down = keys_[vk];
    if (vk == VK_SHIFT) down = down || keys_[VK_LSHIFT] || keys_[VK_RSHIFT];
    return down ? static_cast<short>(0x8000) : 0;
}

void WindowSystem::RunIdleHook() {
    if (idleHook_) idleHook_();
}

static Window* FirstDirty(Window* w) {
    if (!(w->GetStyle() & WS_VISIBLE)) return nullptr;
    // A child's frame (a scroll bar) can change while its client area stays valid.
    if (!w->UpdateRegion().IsEmpty() || w->FrameDirty()) return w;
    for (Window* child : w->Children())
        if (Window* found = FirstDirty(child)) return found;
    return nullptr;
}

Window* WindowSystem::NextWindowToPaint() const {
    for (Window* top : topLevels_)
        if (Window* w = FirstDirty(top)) return w;
    for (Window* top : topLevels_)
        if (top->frameDirty_ && (top->style_ & WS_VISIBLE)) return top;
    return nullptr;
}

}  // namespace win
