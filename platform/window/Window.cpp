#include "platform/window/Window.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/module/Module.h"
#include "platform/window/PaintDC.h"
#include "platform/window/SystemMetrics.h"
#include "platform/window/WindowSystem.h"

namespace win {
namespace {

WindowSystem& System() { return WindowSystem::Instance(); }

Point PointFromLParam(LPARAM lp) { return {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }

// Marks a window and every visible descendant for a full repaint, as when it appears.
void InvalidateTree(Window* w) {
    w->InvalidateRect(nullptr, TRUE);
    for (Window* child : w->Children()) InvalidateTree(child);
}

// Invalidates what a window and its descendants show within `area` (client coordinates of `w`).
void InvalidateArea(Window* w, const Rect& area) {
    Rect r = area.Intersect(w->ClientRect());
    if (r.IsEmpty()) return;
    w->InvalidateRect(&r, TRUE);
    for (Window* child : w->Children()) {
        if (!(child->GetStyle() & WS_VISIBLE)) continue;
        Point origin = child->RectInParent().TopLeft();
        Rect insets = child->NonClientInsets();
        InvalidateArea(child, r.Offset(-origin.x - insets.left, -origin.y - insets.top));
    }
}

}  // namespace

Window::Window() = default;

Window::~Window() {
    if (handle_) DestroyWindow();
}

Window* Window::FromHandle(HWND hwnd) { return System().Lookup(hwnd); }
BOOL IsWindow(HWND hwnd) { return hwnd && System().Lookup(hwnd) ? TRUE : FALSE; }

BOOL Window::PreCreateWindow(CREATESTRUCTA&) { return TRUE; }

BOOL Window::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const Rect& rect,
                      Window* parent, UINT id, void* createParams) {
    if (handle_) return FALSE;
    CREATESTRUCTA cs;
    cs.lpCreateParams = createParams;
    cs.parent = parent;
    cs.id = id;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.Width();
    cs.cy = rect.Height();
    cs.style = style;
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    if (!PreCreateWindow(cs)) return FALSE;
    if ((cs.style & WS_CHILD) && (!cs.parent || !cs.parent->handle_)) return FALSE;
    if (cs.parent && !cs.parent->handle_) return FALSE;

    module_ = CurrentModule();
    className_ = cs.lpszClass ? cs.lpszClass : "";
    text_ = cs.lpszName ? cs.lpszName : "";
    style_ = cs.style & ~WS_VISIBLE;
    exStyle_ = cs.dwExStyle;
    if (cs.style & WS_CHILD) {
        parent_ = cs.parent;
        id_ = cs.id;
    } else {
        owner_ = cs.parent ? cs.parent->GetTopLevelParent() : nullptr;
    }
    rect_ = Rect::FromSize(cs.x, cs.y, std::max(0, cs.cx), std::max(0, cs.cy));
    handle_ = System().Register(this);
    System().LinkChild(parent_, this);
    if (!parent_) surface_ = std::make_shared<Bitmap>(std::max(1, rect_.Width()), std::max(1, rect_.Height()));
    frameDirty_ = true;
    InvalidateRect(nullptr, TRUE);

    if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow();
        return FALSE;
    }
    if (handle_ && (cs.style & WS_VISIBLE)) ShowWindow((cs.style & WS_CHILD) || (exStyle_ & WS_EX_TOPMOST) ? SW_SHOWNA : SW_SHOW);
    return handle_ ? TRUE : FALSE;
}

BOOL Window::DestroyWindow() {
    // A handler of the messages sent on the way (the focus leaving) may ask again: the first call
    // finishes the work, so the object is not deleted under it.
    if (!handle_ || destroying_) return FALSE;
    destroying_ = true;
    HWND self = handle_;
    System().WindowGoingAway(this, true);
    if ((style_ & WS_VISIBLE) && parent_) InvalidateArea(parent_, rect_);
    System().NoteDamage();
    SendMessage(WM_DESTROY);
    if (!System().Lookup(self)) return TRUE;
    for (Window* child : std::vector<Window*>(children_))
        if (child->handle_) child->DestroyWindow();
    for (Window* other : std::vector<Window*>(System().TopLevels()))
        if (other->owner_ == this && other->handle_) other->DestroyWindow();
    SendMessage(WM_NCDESTROY);
    System().Unlink(this);
    System().Unregister(this);
    handle_ = nullptr;
    parent_ = nullptr;
    owner_ = nullptr;
    children_.clear();
    surface_.reset();
    updateRegion_.Clear();
    destroying_ = false;
    PostNcDestroy();  // may delete this
    return TRUE;
}

void Window::PostNcDestroy() {
    if (autoDelete_) delete this;
}

LRESULT Window::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!handle_) return 0;
    if (!module_ || module_ == CurrentModule()) return WindowProc(message, wParam, lParam);
    ModuleStateScope scope(*module_);
    return WindowProc(message, wParam, lParam);
}

BOOL Window::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return win::PostMessage(handle_, message, wParam, lParam);
}

BOOL Window::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
        case WM_DESTROY: OnDestroy(); return 0;
        case WM_NCDESTROY: OnNcDestroy(); return 0;
        case WM_PAINT: OnPaint(); return 0;
        case WM_NCPAINT: OnNcPaint(); return 0;
        case WM_ERASEBKGND: return OnEraseBkgnd(reinterpret_cast<DC*>(wParam));
        case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), PointFromLParam(lParam)); return 0;
        case WM_LBUTTONUP: OnLButtonUp(static_cast<UINT>(wParam), PointFromLParam(lParam)); return 0;
        case WM_LBUTTONDBLCLK: OnLButtonDblClk(static_cast<UINT>(wParam), PointFromLParam(lParam)); return 0;
        case WM_RBUTTONDOWN: OnRButtonDown(static_cast<UINT>(wParam), PointFromLParam(lParam)); return 0;
        case WM_RBUTTONUP: OnRButtonUp(static_cast<UINT>(wParam), PointFromLParam(lParam)); return 0;
        case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), PointFromLParam(lParam)); return 0;
        case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_KEYUP: OnKeyUp(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_CHAR: OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_TIMER: OnTimer(wParam); return 0;
        case WM_SETFOCUS: OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam))); return 0;
        case WM_KILLFOCUS: OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam))); return 0;
        case WM_CAPTURECHANGED: OnCaptureChanged(FromHandle(reinterpret_cast<HWND>(lParam))); return 0;
        case WM_SHOWWINDOW: OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); return 0;
        case WM_SIZE: OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_MOVE: OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
            return 0;
        case WM_ENABLE: OnEnable(static_cast<BOOL>(wParam)); return 0;
        case WM_CLOSE: OnClose(); return 0;
        case WM_COMMAND:
            if (OnCommand(wParam, lParam)) return 0;
            break;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (OnNotify(wParam, lParam, &result)) return result;
            break;
        }
        case WM_GETDLGCODE: return OnGetDlgCode();
        case WM_NCHITTEST: return OnNcHitTest(PointFromLParam(lParam));
        default: break;
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT Window::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETTEXT:
            text_ = lParam ? reinterpret_cast<const char*>(lParam) : "";
            frameDirty_ = true;
            return TRUE;
        case WM_GETTEXT: {
            char* buffer = reinterpret_cast<char*>(lParam);
            if (!buffer || wParam == 0) return 0;
            size_t n = std::min(text_.size(), static_cast<size_t>(wParam) - 1);
            std::memcpy(buffer, text_.data(), n);
            buffer[n] = '\0';
            return static_cast<LRESULT>(n);
        }
        case WM_GETTEXTLENGTH: return static_cast<LRESULT>(text_.size());
        case WM_SETFONT:
            font_ = reinterpret_cast<Font*>(wParam);
            if (LOWORD(static_cast<std::uintptr_t>(lParam))) Invalidate();
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) SendMessage(WM_CLOSE);
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4) {
                if (Window* top = GetTopLevelParent()) top->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return 0;
        case WM_MOUSEWHEEL:
            if (parent_) return parent_->SendMessage(message, wParam, lParam);
            return 0;
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM: return -1;  // the list box's default action
        default: return 0;
    }
}

int Window::OnCreate(CREATESTRUCTA*) { return 0; }
void Window::OnDestroy() {}
void Window::OnNcDestroy() {}
void Window::OnPaint() { PaintDC dc(this); }

BOOL Window::OnEraseBkgnd(DC* dc) {
    long color = BackgroundColor();
    if (color < 0 || !dc) return FALSE;
    dc->FillSolidRect(ClientRect(), static_cast<COLORREF>(color));
    return TRUE;
}

void Window::OnLButtonDown(UINT, Point) {}
void Window::OnLButtonUp(UINT, Point) {}
void Window::OnLButtonDblClk(UINT flags, Point point) { OnLButtonDown(flags, point); }
void Window::OnRButtonDown(UINT, Point) {}
void Window::OnRButtonUp(UINT, Point) {}
void Window::OnMouseMove(UINT, Point) {}
void Window::OnKeyDown(UINT, UINT, UINT) {}
void Window::OnKeyUp(UINT, UINT, UINT) {}
void Window::OnChar(UINT, UINT, UINT) {}
void Window::OnTimer(UINT_PTR) {}
void Window::OnSetFocus(Window*) {}
void Window::OnKillFocus(Window*) {}
void Window::OnCaptureChanged(Window*) {}
void Window::OnShowWindow(BOOL, UINT) {}
void Window::OnSize(UINT, int, int) {}
void Window::OnMove(int, int) {}
void Window::OnEnable(BOOL) {}
void Window::OnClose() { DestroyWindow(); }
BOOL Window::OnCommand(WPARAM, LPARAM) { return FALSE; }
BOOL Window::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }
UINT Window::OnGetDlgCode() { return 0; }

void Window::OnActivate(UINT state, Window*, BOOL) {
    // An activated window takes the focus unless the focus is already inside it.
    Window* focus = System().Focus();
    if (state != WA_INACTIVE && !(focus == this || IsChild(focus))) SetFocus();
}

Window* Window::GetTopLevelParent() const {
    const Window* w = this;
    while (w->parent_) w = w->parent_;
    return const_cast<Window*>(w);
}

Window* Window::GetWindow(UINT command) const {
    if (command == GW_CHILD) return children_.empty() ? nullptr : children_.front();
    if (command == GW_OWNER) return owner_;
    const std::vector<Window*>& siblings = parent_ ? parent_->children_ : System().TopLevels();
    auto it = std::find(siblings.begin(), siblings.end(), this);
    if (it == siblings.end() || siblings.empty()) return nullptr;
    switch (command) {
        case GW_HWNDFIRST: return siblings.front();
        case GW_HWNDLAST: return siblings.back();
        case GW_HWNDNEXT: return it + 1 == siblings.end() ? nullptr : *(it + 1);
        case GW_HWNDPREV: return it == siblings.begin() ? nullptr : *(it - 1);
        default: return nullptr;
    }
}

Window* Window::GetDlgItem(int id) const {
    for (Window* child : children_)
        if (child->GetDlgCtrlID() == id) return child;
    return nullptr;
}

bool Window::IsChild(const Window* descendant) const {
    for (const Window* w = descendant ? descendant->parent_ : nullptr; w; w = w->parent_)
        if (w == this) return true;
    return false;
}

void Window::SetWindowText(std::string_view text) {
    std::string copy(text);
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

int Window::GetWindowTextA(char* buffer, int size) const {
    if (!buffer || size <= 0) return 0;
    size_t n = std::min(text_.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, text_.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

BOOL Window::ModifyStyle(DWORD remove, DWORD add, UINT) {
    DWORD old = style_;
    style_ = (style_ & ~remove) | add;
    if (old != style_) frameDirty_ = true;
    return old != style_;
}

BOOL Window::ModifyStyleEx(DWORD remove, DWORD add, UINT) {
    DWORD old = exStyle_;
    exStyle_ = (exStyle_ & ~remove) | add;
    if (old != exStyle_) frameDirty_ = true;
    return old != exStyle_;
}

int Window::SetDlgCtrlID(int id) {
    int old = static_cast<int>(id_);
    id_ = static_cast<UINT>(id);
    return old;
}

Rect Window::NonClientInsets() const {
    int edge = 0;
    if ((style_ & WS_THICKFRAME) && !parent_) edge = 4;
    else if ((style_ & WS_DLGFRAME) || (exStyle_ & WS_EX_DLGMODALFRAME) || (!parent_ && (style_ & DS_MODALFRAME) && className_ == "#32770")) edge = 3;
    else if (style_ & WS_BORDER) edge = 1;
    if (exStyle_ & WS_EX_CLIENTEDGE) edge += 2;
    if (exStyle_ & WS_EX_STATICEDGE) edge += 1;
    int caption = 0;
    if ((style_ & WS_CAPTION) == WS_CAPTION)
        caption = GetSystemMetrics((exStyle_ & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    // A vertical scroll bar sits inside the edges, right of the client area.
    int scrollBar = (style_ & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    return {edge, edge + caption, edge + scrollBar, edge};
}

Rect Window::ClientRect() const {
    Rect in = NonClientInsets();
    return {0, 0, std::max(0, rect_.Width() - in.left - in.right), std::max(0, rect_.Height() - in.top - in.bottom)};
}

void Window::GetClientRect(Rect* rect) const {
    if (rect) *rect = ClientRect();
}

Rect Window::WindowRect() const {
    if (!parent_) return rect_;
    Point origin = parent_->ClientOriginOnScreen();
    return rect_.Offset(origin);
}

void Window::GetWindowRect(Rect* rect) const {
    if (rect) *rect = WindowRect();
}

Point Window::ClientOriginOnScreen() const {
    Rect in = NonClientInsets();
    Point origin = WindowRect().TopLeft();
    return {origin.x + in.left, origin.y + in.top};
}

Point Window::ClientOriginInSurface() const {
    Rect in = NonClientInsets();
    if (!parent_) return {in.left, in.top};
    Point origin = parent_->ClientOriginInSurface();
    return {origin.x + rect_.left + in.left, origin.y + rect_.top + in.top};
}

void Window::ClientToScreen(Point* point) const {
    if (point) *point = *point + ClientOriginOnScreen();
}
void Window::ClientToScreen(Rect* rect) const {
    if (rect) *rect = rect->Offset(ClientOriginOnScreen());
}
void Window::ScreenToClient(Point* point) const {
    if (point) *point = *point - ClientOriginOnScreen();
}
void Window::ScreenToClient(Rect* rect) const {
    if (!rect) return;
    Point o = ClientOriginOnScreen();
    *rect = rect->Offset(-o.x, -o.y);
}

BOOL Window::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL Window::SetWindowPos(const Window*, int x, int y, int cx, int cy, UINT flags) {
    if (!handle_) return FALSE;
    Rect old = rect_;
    Rect next = old;
    if (!(flags & SWP_NOMOVE)) next = Rect::FromSize(x, y, next.Width(), next.Height());
    if (!(flags & SWP_NOSIZE)) next = Rect::FromSize(next.left, next.top, std::max(0, cx), std::max(0, cy));
    if (!(flags & SWP_NOZORDER) && !parent_) System().RaiseTopLevel(this);
    bool moved = next.TopLeft() != old.TopLeft();
    bool sized = next.GetSize() != old.GetSize();
    rect_ = next;
    if (moved || sized) {
        if (parent_ && (style_ & WS_VISIBLE)) {
            InvalidateArea(parent_, old);
            InvalidateTree(this);
        }
        if (sized) {
            if (!parent_) surface_ = std::make_shared<Bitmap>(std::max(1, next.Width()), std::max(1, next.Height()));
            frameDirty_ = true;
            InvalidateTree(this);
            Rect client = ClientRect();
            SendMessage(WM_SIZE, 0, MAKELPARAM(client.Width(), client.Height()));
        }
        if (moved && handle_) SendMessage(WM_MOVE, 0, MAKELPARAM(next.left, next.top));
        System().NoteDamage();
    }
    if (handle_ && (flags & SWP_SHOWWINDOW)) ShowWindow((flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (handle_ && (flags & SWP_HIDEWINDOW)) ShowWindow(SW_HIDE);
    return TRUE;
}

void Window::BringWindowToTop() {
    Window* top = GetTopLevelParent();
    System().RaiseTopLevel(top);
    System().Activate(top, WA_ACTIVE);
}

BOOL Window::ShowWindow(int command) {
    if (!handle_) return FALSE;
    const bool wasVisible = (style_ & WS_VISIBLE) != 0;
    const bool show = command != SW_HIDE;
    const bool activate = !parent_ && (command == SW_SHOW || command == SW_SHOWNORMAL);
    if (show == wasVisible) {
        if (show && activate) System().Activate(this, WA_ACTIVE);
        return wasVisible;
    }
    HWND self = handle_;
    SendMessage(WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (!System().Lookup(self)) return wasVisible;
    if (show) {
        style_ |= WS_VISIBLE;
        frameDirty_ = true;
        InvalidateTree(this);
        if (activate) System().Activate(this, WA_ACTIVE);
    } else {
        System().WindowGoingAway(this, false);
        style_ &= ~WS_VISIBLE;
        if (parent_) InvalidateArea(parent_, rect_);
    }
    System().NoteDamage();
    return wasVisible;
}

BOOL Window::IsWindowVisible() const {
    if (!handle_) return FALSE;
    for (const Window* w = this; w; w = w->parent_)
        if (!(w->style_ & WS_VISIBLE)) return FALSE;
    return TRUE;
}

BOOL Window::EnableWindow(BOOL enable) {
    const BOOL wasDisabled = (style_ & WS_DISABLED) ? TRUE : FALSE;
    if (enable == !wasDisabled) return wasDisabled;
    if (enable) {
        style_ &= ~WS_DISABLED;
    } else {
        style_ |= WS_DISABLED;
        WindowSystem& system = System();
        if (system.Focus() && (system.Focus() == this || IsChild(system.Focus()))) system.SetFocus(nullptr);
        if (system.Capture() == this) system.ReleaseCapture();
    }
    SendMessage(WM_ENABLE, enable, 0);
    Invalidate();
    return wasDisabled;
}

void Window::Invalidate(BOOL erase) { InvalidateRect(nullptr, erase); }

void Window::InvalidateRect(const Rect* rect, BOOL erase) {
    if (!handle_) return;
    Rect client = ClientRect();
    Rect area = rect ? rect->Intersect(client) : client;
    if (area.IsEmpty()) return;
    updateRegion_.Add(area);
    if (erase) eraseNeeded_ = true;
}

void Window::ValidateRect(const Rect* rect) {
    if (rect) updateRegion_.Subtract(*rect);
    else updateRegion_.Clear();
    if (updateRegion_.IsEmpty()) eraseNeeded_ = false;
}

void Window::UpdateWindow() {
    if (!handle_ || !IsWindowVisible()) return;
    HWND self = handle_;
    if (frameDirty_) SendMessage(WM_NCPAINT);
    if (!updateRegion_.IsEmpty()) {
        SendMessage(WM_PAINT);
        if (!System().Lookup(self)) return;
        ValidateRect(nullptr);
    }
    for (Window* child : std::vector<Window*>(children_))
        if (System().Lookup(self) && child->handle_) child->UpdateWindow();
}

BOOL Window::RedrawWindow(const Rect* rect, UINT flags) {
    if (!handle_) return FALSE;
    if (flags & RDW_FRAME) frameDirty_ = true;
    if (flags & RDW_INVALIDATE) {
        if (flags & RDW_ALLCHILDREN) InvalidateArea(this, rect ? *rect : ClientRect());
        else InvalidateRect(rect, (flags & RDW_ERASE) ? TRUE : FALSE);
    }
    if (flags & RDW_VALIDATE) ValidateRect(rect);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateWindow();
    return TRUE;
}

BOOL Window::GetUpdateRect(Rect* rect, BOOL) {
    Rect bounds = updateRegion_.Bounds();
    if (rect) *rect = bounds;
    return bounds.IsEmpty() ? FALSE : TRUE;
}

Window* Window::SetCapture() { return System().SetCapture(this); }
Window* Window::GetCapture() { return System().Capture(); }
BOOL Window::ReleaseCapture() { return System().ReleaseCapture() ? TRUE : FALSE; }
Window* Window::SetFocus() { return System().SetFocus(this); }
Window* Window::GetFocus() { return System().Focus(); }
Window* Window::GetActiveWindow() { return System().Active(); }

UINT_PTR Window::SetTimer(UINT_PTR id, UINT elapse) { return System().SetTimer(this, id, elapse); }
BOOL Window::KillTimer(UINT_PTR id) { return System().KillTimer(this, id) ? TRUE : FALSE; }

void Window::SetFont(Font* font, BOOL redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw ? 1 : 0, 0));
}
Font* Window::GetFont() const { return font_; }
Font* Window::TextFont() const { return font_ ? font_ : DefaultGuiFont(); }

BOOL Window::EnableToolTips(BOOL enable) {
    toolTipsEnabled_ = enable != FALSE;
    return TRUE;
}

Bitmap* Window::Surface() const {
    if (!handle_) return nullptr;
    return GetTopLevelParent()->surface_.get();
}

Region Window::VisibleClientRegion(bool excludeChildren) const {
    if (!IsWindowVisible()) return {};
    const Point origin = ClientOriginInSurface();
    Region region(ClientRect().Offset(origin));
    if (excludeChildren)
        for (const Window* child : children_)
            if (child->style_ & WS_VISIBLE) region.Subtract(child->rect_.Offset(origin));
    for (const Window* w = this; w->parent_; w = w->parent_) {
        const Window* parent = w->parent_;
        const Point parentOrigin = parent->ClientOriginInSurface();
        region.Intersect(parent->ClientRect().Offset(parentOrigin));
        const bool below = w->PaintsBelowSiblings();
        bool after = false;
        for (const Window* sibling : parent->children_) {
            if (sibling == w) {
                if (!below) break;
                after = true;
                continue;
            }
            if (!(sibling->style_ & WS_VISIBLE)) continue;
            // Above `w`: a sibling before it, or any sibling of one that paints below the others.
            const bool above = below ? !(after && sibling->PaintsBelowSiblings()) : !sibling->PaintsBelowSiblings();
            if (above) region.Subtract(sibling->rect_.Offset(parentOrigin));
        }
    }
    const Window* top = GetTopLevelParent();
    region.Intersect(Rect{0, 0, top->rect_.Width(), top->rect_.Height()});
    region.Offset(-origin.x, -origin.y);
    return region;
}

}  // namespace win
