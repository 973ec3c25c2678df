#pragma once
// One real SDL window for each visible top-level window of the desktop, kept in step with it on
// every frame. A window with a caption gets the window manager's decorations and title (converted
// from Windows-1252 to UTF-8) and shows only its client area, so the platform's own caption and
// frame stay out of sight; it is transient for the native window of its owner. A window with
// WS_EX_APPWINDOW and no caption is a managed window without decorations; every other captionless
// window (menus, dropped lists, popups, tooltips) an undecorated popup the window manager leaves
// where it is put. Input arrives per native window and is mapped through the size the window has
// now, so a window the window manager stretched still hits what it shows.
//
// Owned by the SDL backend; it names top-level windows only by handle, so a window destroyed
// between frames simply loses its native window at the next one.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"
#include "platform/desktop/ScreenMapping.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace win {

class Window;

enum class NativeKind { Decorated, Undecorated, Popup, Tooltip };

// How a top-level window of this style and class is shown natively.
NativeKind NativeKindOf(DWORD style, DWORD exStyle, const std::string& className);

class NativeWindows {
public:
    explicit NativeWindows(ScreenMapping mapping) : mapping_(mapping) {}
    ~NativeWindows();
    NativeWindows(const NativeWindows&) = delete;
    NativeWindows& operator=(const NativeWindows&) = delete;

    const ScreenMapping& Mapping() const { return mapping_; }

    // Creates, places and titles the native windows, repaints those new, moved, resized or within
    // `damage` (desktop pixels), and removes those whose window went.
    void Sync(const Region& damage);
    // Shows the last picture again (after the window system exposed a native window).
    void Redraw(std::uint32_t windowId);

    // The top-level window shown by a native window, and a point in that window in desktop pixels.
    struct Hit {
        HWND topLevel = nullptr;
        Point desktop;
    };
    std::optional<Hit> MapPoint(std::uint32_t windowId, Point inWindow) const;
    HWND TopLevelOf(std::uint32_t windowId) const;
    // The window manager moved a native window: the top-level window follows.
    void Moved(std::uint32_t windowId, Point screen);

private:
    struct Native {
        HWND hwnd = nullptr;
        NativeKind kind = NativeKind::Popup;
        SDL_Window* window = nullptr;
        SDL_Renderer* renderer = nullptr;
        SDL_Texture* texture = nullptr;
        Size textureSize;
        Rect shown;  // the desktop area it shows, as last placed
        std::string title;
        HWND owner = nullptr;
    };

    Native* Find(std::uint32_t windowId) const;
    bool Create(Native& native, const Window& top, const Rect& area, SDL_Window* ownerWindow);
    // True when the native window was moved or resized.
    bool Place(Native& native, const Rect& area);
    void Paint(Native& native, const Window& top);
    static void Render(const Native& native);
    Rect FrameOf(const Native& native) const;
    static void Destroy(Native& native);

    ScreenMapping mapping_;
    std::vector<std::unique_ptr<Native>> natives_;  // bottom of the z-order first
    Rect frameGuess_{4, 24, 4, 4};  // the window manager's decorations, learnt from the first window
};

}  // namespace win
