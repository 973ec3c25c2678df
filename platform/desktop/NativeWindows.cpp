#include "platform/desktop/NativeWindows.h"

#include <SDL.h>

#include <algorithm>
#include <clocale>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/TextCodec.h"
#include "platform/window/WindowSystem.h"

namespace win {
namespace {

// The caption as the platform draws it (Windows-1252, or UTF-8 where the text is well-formed
// UTF-8), for a window manager that wants UTF-8.
std::string CaptionUtf8(const std::string& text) {
    std::u32string codePoints;
    DecodeText(text, codePoints);
    return EncodeUtf8(codePoints);
}

// SDL hands the title to X11 through the C library's character type, and in a locale that is not
// UTF-8 (the C locale every program starts in) it fails on the first non-ASCII character and sets
// no UTF-8 title either; for as long as a title is being set, the character type is UTF-8.
class Utf8CharacterType {
public:
    Utf8CharacterType() {
        const char* current = std::setlocale(LC_CTYPE, nullptr);
        saved_ = current ? current : "C";
        changed_ = std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
    }
    ~Utf8CharacterType() {
        if (changed_) std::setlocale(LC_CTYPE, saved_.c_str());
    }
    Utf8CharacterType(const Utf8CharacterType&) = delete;
    Utf8CharacterType& operator=(const Utf8CharacterType&) = delete;

private:
    std::string saved_;
    bool changed_ = false;
};

Rect ShownArea(const Window& top, NativeKind kind) {
    if (kind != NativeKind::Decorated) return top.WindowRect();
    const Point origin = top.ClientOriginOnScreen();
    const Rect client = top.ClientRect();
    return Rect::FromSize(origin.x, origin.y, client.Width(), client.Height());
}

HWND OwnerTopLevel(const Window& top) {
    const Window* owner = top.GetOwner();
    if (!owner) return nullptr;
    const Window* ownerTop = owner->GetTopLevelParent();
    return (ownerTop ? ownerTop : owner)->GetSafeHwnd();
}

}  // namespace

NativeKind NativeKindOf(DWORD style, DWORD exStyle, const std::string& className) {
    if ((style & WS_CAPTION) == WS_CAPTION) return NativeKind::Decorated;
    if (className == "tooltips_class32") return NativeKind::Tooltip;
    if (exStyle & WS_EX_APPWINDOW) return NativeKind::Undecorated;
    return NativeKind::Popup;
}

NativeWindows::~NativeWindows() {
    for (auto it = natives_.rbegin(); it != natives_.rend(); ++it) Destroy(**it);
}

NativeWindows::Native* NativeWindows::Find(std::uint32_t windowId) const {
    for (const auto& native : natives_)
        if (native && SDL_GetWindowID(native->window) == windowId) return native.get();
    return nullptr;
}

void NativeWindows::Sync(const Region& damage) {
    std::vector<std::unique_ptr<Native>> kept;
    for (Window* top : WindowSystem::Instance().TopLevelsBottomToTop()) {
        if (!(top->GetStyle() & WS_VISIBLE) || !top->Surface()) continue;
        const NativeKind kind = NativeKindOf(top->GetStyle(), top->GetExStyle(), top->ClassName());
        const Rect area = ShownArea(*top, kind);
        if (area.IsEmpty()) continue;
        std::unique_ptr<Native> native;
        bool repaint = false;
        auto found = std::find_if(natives_.begin(), natives_.end(),
                                  [&](const auto& n) { return n && n->hwnd == top->GetSafeHwnd(); });
        if (found != natives_.end()) native = std::move(*found);
        if (native && (native->kind != kind || native->owner != OwnerTopLevel(*top))) {
            Destroy(*native);
            native.reset();
        }
        if (!native) {
            native = std::make_unique<Native>();
            native->hwnd = top->GetSafeHwnd();
            native->kind = kind;
            native->owner = OwnerTopLevel(*top);
            // Owners are met first (bottom to top), so an owner's native window is among `kept`.
            SDL_Window* ownerWindow = nullptr;
            for (const auto& k : kept)
                if (k->hwnd == native->owner) ownerWindow = k->window;
            if (!Create(*native, *top, area, ownerWindow)) {
                Destroy(*native);
                continue;
            }
            repaint = true;
        }
        if (Place(*native, area)) repaint = true;
        for (const Rect& part : damage.Rects())
            if (!repaint && !part.Intersect(native->shown).IsEmpty()) repaint = true;
        if (native->kind == NativeKind::Decorated && native->title != top->GetWindowText()) {
            native->title = top->GetWindowText();
            Utf8CharacterType utf8;
            SDL_SetWindowTitle(native->window, CaptionUtf8(native->title).c_str());
        }
        if (repaint) Paint(*native, *top);
        kept.push_back(std::move(native));
    }
    for (auto& gone : natives_)
        if (gone) Destroy(*gone);
    natives_ = std::move(kept);
}

Rect NativeWindows::FrameOf(const Native& native) const {
    return native.kind == NativeKind::Decorated ? frameGuess_ : Rect{};
}

bool NativeWindows::Create(Native& native, const Window& top, const Rect& area, SDL_Window* ownerWindow) {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    switch (native.kind) {
        case NativeKind::Decorated: break;
        case NativeKind::Undecorated: flags |= SDL_WINDOW_BORDERLESS; break;
        case NativeKind::Popup: flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR; break;
        case NativeKind::Tooltip: flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_TOOLTIP | SDL_WINDOW_SKIP_TASKBAR; break;
    }
    const Rect placed = mapping_.NativeRect(area, FrameOf(native));
    native.title = top.GetWindowText();
    Utf8CharacterType utf8;
    native.window = SDL_CreateWindow(CaptionUtf8(native.title).c_str(), placed.left, placed.top, placed.Width(),
                                     placed.Height(), flags);
    if (!native.window) return false;
    native.renderer = SDL_CreateRenderer(native.window, -1, 0);
    if (!native.renderer) return false;
    native.shown = area;
    if (ownerWindow && (native.kind == NativeKind::Decorated || native.kind == NativeKind::Undecorated))
        SDL_SetWindowModalFor(native.window, ownerWindow);
    SDL_ShowWindow(native.window);
    if (native.kind == NativeKind::Decorated) {
        int top = 0, left = 0, bottom = 0, right = 0;
        if (SDL_GetWindowBordersSize(native.window, &top, &left, &bottom, &right) == 0 && top > 0)
            frameGuess_ = {left, top, right, bottom};
    }
    return true;
}

bool NativeWindows::Place(Native& native, const Rect& area) {
    if (area == native.shown) return false;
    const Rect placed = mapping_.NativeRect(area, FrameOf(native));
    if (area.GetSize() != native.shown.GetSize()) SDL_SetWindowSize(native.window, placed.Width(), placed.Height());
    if (area.TopLeft() != native.shown.TopLeft()) SDL_SetWindowPosition(native.window, placed.left, placed.top);
    native.shown = area;
    return true;
}

void NativeWindows::Paint(Native& native, const Window& top) {
    const Bitmap& surface = *top.Surface();
    const Point origin = native.kind == NativeKind::Decorated ? top.ClientOriginInSurface() : Point{};
    const Rect source = Rect::FromSize(origin.x, origin.y, native.shown.Width(), native.shown.Height())
                            .Intersect({0, 0, surface.Width(), surface.Height()});
    if (source.IsEmpty()) return;
    if (!native.texture || native.textureSize != source.GetSize()) {
        if (native.texture) SDL_DestroyTexture(native.texture);
        native.texture = SDL_CreateTexture(native.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                           source.Width(), source.Height());
        native.textureSize = source.GetSize();
        if (!native.texture) return;
    }
    SDL_UpdateTexture(native.texture, nullptr, surface.Row(source.top) + source.left,
                      static_cast<int>(surface.Width() * sizeof(std::uint32_t)));
    Render(native);
}

void NativeWindows::Render(const Native& native) {
    if (!native.texture) return;
    SDL_RenderClear(native.renderer);
    SDL_RenderCopy(native.renderer, native.texture, nullptr, nullptr);
    SDL_RenderPresent(native.renderer);
}

void NativeWindows::Redraw(std::uint32_t windowId) {
    if (const Native* native = Find(windowId)) Render(*native);
}

std::optional<NativeWindows::Hit> NativeWindows::MapPoint(std::uint32_t windowId, Point inWindow) const {
    const Native* native = Find(windowId);
    if (!native) return std::nullopt;
    int w = 0, h = 0;
    SDL_GetWindowSize(native->window, &w, &h);
    return Hit{native->hwnd, WindowPointToDesktop(inWindow, {w, h}, native->shown)};
}

HWND NativeWindows::TopLevelOf(std::uint32_t windowId) const {
    const Native* native = Find(windowId);
    return native ? native->hwnd : nullptr;
}

void NativeWindows::Moved(std::uint32_t windowId, Point screen) {
    Native* native = Find(windowId);
    // Popups stay where the platform put them; only managed windows are moved by the user.
    if (!native || native->kind == NativeKind::Popup || native->kind == NativeKind::Tooltip) return;
    Window* top = Window::FromHandle(native->hwnd);
    const Point delta = mapping_.ToDesktop(screen) - native->shown.TopLeft();
    if (!top || (delta.x == 0 && delta.y == 0)) return;
    native->shown = native->shown.Offset(delta);
    const Rect placed = top->WindowRect();
    top->SetWindowPos(nullptr, placed.left + delta.x, placed.top + delta.y, 0, 0,
                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void NativeWindows::Destroy(Native& native) {
    if (native.texture) SDL_DestroyTexture(native.texture);
    if (native.renderer) SDL_DestroyRenderer(native.renderer);
    if (native.window) SDL_DestroyWindow(native.window);
    native.texture = nullptr;
    native.renderer = nullptr;
    native.window = nullptr;
}

}  // namespace win
