#pragma once
// The base window class, in the shape of the framework class the editor's windows derive from.
// A Window object is created empty; Create makes the window, DestroyWindow (or the object's
// destructor) removes it. Messages reach the object through WindowProc, whose one switch turns each
// into a typed virtual handler; handlers call the base class for default processing.
//
// Lifetime: the parent does not own its children's objects. Destroying a window destroys its child
// windows (their objects stay, detached); destroying a child object destroys its window.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowStyles.h"

namespace win {

class Bitmap;
class DC;
class Font;
class Module;
class Window;
class WindowSystem;

struct CREATESTRUCTA {
    void* lpCreateParams = nullptr;
    Window* parent = nullptr;
    UINT id = 0;
    int cy = 0, cx = 0, y = 0, x = 0;
    DWORD style = 0;
    const char* lpszName = nullptr;
    const char* lpszClass = nullptr;
    DWORD dwExStyle = 0;
};

class Window {
public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // `rect` is in the parent's client coordinates, or on the screen for a window without parent.
    // A parent given to a window without WS_CHILD becomes its owner.
    virtual BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                          const Rect& rect, Window* parent, UINT id, void* createParams = nullptr);
    BOOL Create(const char* className, const char* windowName, DWORD style, const Rect& rect, Window* parent,
                UINT id, void* createParams = nullptr) {
        return CreateEx(0, className, windowName, style, rect, parent, id, createParams);
    }
    virtual BOOL DestroyWindow();

    HWND GetSafeHwnd() const { return handle_; }
    HWND Handle() const { return handle_; }
    static Window* FromHandle(HWND hwnd);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Offered every message bound for this window or its descendants before it is dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Tree.
    Window* GetParent() const { return parent_; }
    Window* GetOwner() const { return owner_; }
    Window* GetTopLevelParent() const;
    const std::vector<Window*>& Children() const { return children_; }  // top of the z-order first
    Window* GetWindow(UINT command) const;
    Window* GetDlgItem(int id) const;
    Window* GetNextWindow(UINT command = GW_HWNDNEXT) const { return GetWindow(command); }
    bool IsChild(const Window* descendant) const;

    // Text, styles, ids.
    void SetWindowText(std::string_view text);
    std::string GetWindowText() const { return text_; }
    int GetWindowTextA(char* buffer, int size) const;
    DWORD GetStyle() const { return style_; }
    DWORD GetExStyle() const { return exStyle_; }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    int GetDlgCtrlID() const { return static_cast<int>(id_); }
    int SetDlgCtrlID(int id);
    const std::string& ClassName() const { return className_; }
    Module* OwningModule() const { return module_; }
    UINT ClassStyle() const { return classStyle_; }
    void SetClassStyle(UINT classStyle) { classStyle_ = classStyle; }

    // Geometry.
    void GetClientRect(Rect* rect) const;
    Rect ClientRect() const;
    void GetWindowRect(Rect* rect) const;  // screen coordinates
    Rect WindowRect() const;
    Rect RectInParent() const { return rect_; }
    void ClientToScreen(Point* point) const;
    void ClientToScreen(Rect* rect) const;
    void ScreenToClient(Point* point) const;
    void ScreenToClient(Rect* rect) const;
    Point ClientOriginOnScreen() const;
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    BOOL MoveWindow(const Rect& rect, BOOL repaint = TRUE) {
        return MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), repaint);
    }
    BOOL SetWindowPos(const Window* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void BringWindowToTop();

    // Visibility and state.
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;  // this window and all its ancestors visible
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const { return (style_ & WS_DISABLED) == 0; }

    // Painting: invalidate collects a dirty area for a later WM_PAINT; UpdateWindow paints now.
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(const Rect* rect, BOOL erase = TRUE);
    void ValidateRect(const Rect* rect);
    void UpdateWindow();
    BOOL RedrawWindow(const Rect* rect = nullptr, UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL GetUpdateRect(Rect* rect, BOOL erase = FALSE);
    const Region& UpdateRegion() const { return updateRegion_; }
    bool EraseNeeded() const { return eraseNeeded_; }
    bool FrameDirty() const { return frameDirty_; }

    // Input.
    Window* SetCapture();
    static Window* GetCapture();
    static BOOL ReleaseCapture();
    Window* SetFocus();
    static Window* GetFocus();
    static Window* GetActiveWindow();

    // Timers; period at least 10 ms. Returns the id, or 0 when the timer could not be made.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse);
    BOOL KillTimer(UINT_PTR id);

    void SetFont(Font* font, BOOL redraw = TRUE);
    Font* GetFont() const;
    // The font a window draws its text with: its own, else the default GUI font.
    Font* TextFont() const;

    // Tooltips for the direct children: the text is asked of this window with TTN_NEEDTEXT.
    BOOL EnableToolTips(BOOL enable = TRUE);
    // A window without an owning object deletes itself once its window is destroyed.
    void SetAutoDelete(bool autoDelete) { autoDelete_ = autoDelete; }
    bool ToolTipsEnabled() const { return toolTipsEnabled_; }

    // The surface this window draws into (its top-level window's) and its client origin there.
    Bitmap* Surface() const;
    Point ClientOriginInSurface() const;
    // The part of the client area this window may paint, in client coordinates: inside every
    // ancestor, not under a sibling above it, and (with `excludeChildren`) not under its own
    // visible children.
    Region VisibleClientRegion(bool excludeChildren) const;
    Rect NonClientInsets() const;  // left/top/right/bottom widths of frame and caption
    // A window painted beneath its siblings whatever its z-order: it never hides them, they clip it.
    // A group box is one: it stands first in its dialog's order yet frames the controls after it.
    virtual bool PaintsBelowSiblings() const { return false; }

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual void PostNcDestroy();

    virtual int OnCreate(CREATESTRUCTA* cs);
    virtual void OnDestroy();
    virtual void OnNcDestroy();
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(DC* dc);
    virtual void OnNcPaint();
    virtual void OnLButtonDown(UINT flags, Point point);
    virtual void OnLButtonUp(UINT flags, Point point);
    virtual void OnLButtonDblClk(UINT flags, Point point);
    virtual void OnRButtonDown(UINT flags, Point point);
    virtual void OnRButtonUp(UINT flags, Point point);
    virtual void OnMouseMove(UINT flags, Point point);
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual void OnKeyUp(UINT key, UINT repeat, UINT flags);
    virtual void OnChar(UINT ch, UINT repeat, UINT flags);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnSetFocus(Window* oldFocus);
    virtual void OnKillFocus(Window* newFocus);
    virtual void OnCaptureChanged(Window* newCapture);
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnActivate(UINT state, Window* other, BOOL minimized);
    virtual void OnEnable(BOOL enable);
    virtual void OnClose();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual UINT OnGetDlgCode();
    virtual int OnNcHitTest(Point screenPoint);

    // The brush colour WM_ERASEBKGND fills with; no fill when negative.
    virtual long BackgroundColor() const { return -1; }

    // Controls made from a dialog template have no owner object: they delete themselves once their
    // window is gone.
    bool autoDelete_ = false;
    // Keeps a font alive for as long as the window may draw with it (dialog template fonts).
    std::shared_ptr<Font> ownedFont_;

private:
    friend class WindowSystem;
    friend BOOL CreateFromTemplate(Window& self, const struct DialogTemplate& dialog, Window* parent, UINT id);

    HWND handle_ = nullptr;
    Window* parent_ = nullptr;
    Window* owner_ = nullptr;
    std::vector<Window*> children_;
    std::string className_;
    std::string text_;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    UINT classStyle_ = 0;
    UINT id_ = 0;
    Rect rect_;  // in the parent's client coordinates, or on the screen for a top-level window
    Region updateRegion_;  // client coordinates
    bool eraseNeeded_ = false;
    bool frameDirty_ = false;
    bool toolTipsEnabled_ = false;
    bool destroying_ = false;
    Font* font_ = nullptr;
    // The library that made the window: its resources are current while the window handles a
    // message, as a library's window procedure switches to its own module state on Windows.
    Module* module_ = nullptr;
    std::shared_ptr<Bitmap> surface_;  // top-level windows only
};

BOOL IsWindow(HWND hwnd);

}  // namespace win
