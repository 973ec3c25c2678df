#include "platform/desktop/SdlBackend.h"

#include <SDL.h>

#include <algorithm>

#include "platform/desktop/X11Density.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/TextCodec.h"
#include "platform/window/Cursor.h"
#include "platform/window/WindowSystem.h"

namespace win {
namespace {

UINT VirtualKeyFor(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<UINT>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<UINT>('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<UINT>(key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + static_cast<UINT>(key - SDLK_KP_1);
    switch (key) {
        case SDLK_KP_0: return VK_NUMPAD0;
        case SDLK_BACKSPACE: return VK_BACK;
        case SDLK_TAB: return VK_TAB;
        case SDLK_RETURN: case SDLK_KP_ENTER: return VK_RETURN;
        case SDLK_ESCAPE: return VK_ESCAPE;
        case SDLK_SPACE: return VK_SPACE;
        case SDLK_PAGEUP: return VK_PRIOR;
        case SDLK_PAGEDOWN: return VK_NEXT;
        case SDLK_END: return VK_END;
        case SDLK_HOME: return VK_HOME;
        case SDLK_LEFT: return VK_LEFT;
        case SDLK_UP: return VK_UP;
        case SDLK_RIGHT: return VK_RIGHT;
        case SDLK_DOWN: return VK_DOWN;
        case SDLK_INSERT: return VK_INSERT;
        case SDLK_DELETE: return VK_DELETE;
        case SDLK_KP_PLUS: return VK_ADD;
        case SDLK_KP_MINUS: return VK_SUBTRACT;
        case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
        case SDLK_KP_DIVIDE: return VK_DIVIDE;
        case SDLK_KP_PERIOD: return VK_DECIMAL;
        case SDLK_MINUS: return VK_OEM_MINUS;
        case SDLK_EQUALS: return VK_OEM_PLUS;
        case SDLK_COMMA: return VK_OEM_COMMA;
        case SDLK_PERIOD: return VK_OEM_PERIOD;
        case SDLK_LSHIFT: return VK_LSHIFT;
        case SDLK_RSHIFT: return VK_RSHIFT;
        case SDLK_LCTRL: case SDLK_RCTRL: return VK_CONTROL;
        case SDLK_LALT: case SDLK_RALT: return VK_MENU;
        default: return 0;
    }
}

int ButtonIndex(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT: return 0;
        case SDL_BUTTON_RIGHT: return 1;
        case SDL_BUTTON_MIDDLE: return 2;
        default: return -1;
    }
}

}  // namespace

std::unique_ptr<SdlBackend> SdlBackend::Create(std::string* error) {
    // Closing a native window closes that window, not the program.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        if (error) *error = SDL_GetError();
        return nullptr;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || !IsDisplayDriver(driver) || SDL_GetNumVideoDisplays() < 1) {
        if (error)
            *error = std::string("SDL found no display to open a window on (only its \"") + (driver ? driver : "") +
                     "\" video driver started)";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    std::unique_ptr<SdlBackend> backend(new SdlBackend());
    backend->windows_ = std::make_unique<NativeWindows>(ScreenMapping{backend->UsableArea(), 1});
    SDL_StartTextInput();
    SetCursorObserver([](CursorShape shape) {
        static SDL_Cursor* arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
        static SDL_Cursor* wait = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
        SDL_SetCursor(shape == CursorShape::Wait ? wait : arrow);
    });
    return backend;
}

bool SdlBackend::IsDisplayDriver(std::string_view driver) {
    // "evdev" is the dummy driver with console input.
    return !driver.empty() && driver != "offscreen" && driver != "dummy" && driver != "evdev";
}

SdlBackend::~SdlBackend() {
    SetCursorObserver(nullptr);
    windows_.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

Rect SdlBackend::UsableArea() const {
    SDL_Rect area{};
    if (SDL_GetDisplayUsableBounds(0, &area) != 0 && SDL_GetDisplayBounds(0, &area) != 0) return {0, 0, 1024, 768};
    return Rect::FromSize(area.x, area.y, area.w, area.h);
}

float SdlBackend::Density() const {
    // On X the user's own setting comes first; X servers without physical sizes (Xvfb) leave SDL
    // without an answer too.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::string_view(driver) == "x11")
        if (const float dpi = X11Density(); dpi > 0) return dpi;
    float diagonal = 0;
    return SDL_GetDisplayDPI(0, &diagonal, nullptr, nullptr) == 0 ? diagonal : 0.0f;
}

void SdlBackend::SetMapping(const ScreenMapping& mapping) { windows_ = std::make_unique<NativeWindows>(mapping); }

void SdlBackend::Present(const Bitmap&, const Region& damage) { windows_->Sync(damage); }

void SdlBackend::SetClipboardText(const std::string& utf8) { SDL_SetClipboardText(utf8.c_str()); }

std::optional<std::string> SdlBackend::GetClipboardText() {
    if (!SDL_HasClipboardText()) return std::nullopt;
    char* text = SDL_GetClipboardText();
    if (!text) return std::nullopt;
    std::string copy(text);
    SDL_free(text);
    return copy;
}

void SdlBackend::WaitForInput(std::optional<std::uint64_t> timeoutMs) {
    SDL_Event event;
    int timeout = timeoutMs ? static_cast<int>(std::min<std::uint64_t>(*timeoutMs, 1000)) : 1000;
    if (!SDL_WaitEventTimeout(&event, timeout)) return;
    Handle(event);
    while (SDL_PollEvent(&event)) Handle(event);
}

void SdlBackend::Handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT: PostQuitMessage(0); break;
        case SDL_MOUSEMOTION:
            if (auto hit = windows_->MapPoint(event.motion.windowID, {event.motion.x, event.motion.y}))
                InjectMouseMove(hit->desktop, hit->topLevel);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const int button = ButtonIndex(event.button.button);
            auto hit = windows_->MapPoint(event.button.windowID, {event.button.x, event.button.y});
            if (button >= 0 && hit)
                InjectMouseButton(hit->desktop, button, event.type == SDL_MOUSEBUTTONDOWN, hit->topLevel);
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            UINT vk = VirtualKeyFor(event.key.keysym.sym);
            if (vk) InjectKey(vk, event.type == SDL_KEYDOWN, true);
            break;
        }
        case SDL_TEXTINPUT: {
            // Ctrl and Alt shortcuts are keys, not text; AltGr (right Alt, mode switch) types.
            const SDL_Keymod mods = SDL_GetModState();
            if ((mods & (KMOD_CTRL | KMOD_LALT)) && !(mods & (KMOD_MODE | KMOD_RALT))) break;
            for (char ch : Utf8ToCp1252(event.text.text)) InjectChar(static_cast<unsigned char>(ch));
            break;
        }
        case SDL_WINDOWEVENT: HandleWindowEvent(event); break;
        default: break;
    }
}

void SdlBackend::HandleWindowEvent(const SDL_Event& event) {
    const SDL_WindowEvent& e = event.window;
    switch (e.event) {
        case SDL_WINDOWEVENT_EXPOSED: windows_->Redraw(e.windowID); break;
        case SDL_WINDOWEVENT_MOVED: windows_->Moved(e.windowID, {e.data1, e.data2}); break;
        case SDL_WINDOWEVENT_CLOSE: {
            // The window manager's close button does what the platform's own would have done.
            Window* top = Window::FromHandle(windows_->TopLevelOf(e.windowID));
            if (top && top->IsWindowEnabled()) top->PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        }
        case SDL_WINDOWEVENT_FOCUS_GAINED: {
            // Focus given by the window manager (a click on the frame, the keyboard) activates.
            Window* top = Window::FromHandle(windows_->TopLevelOf(e.windowID));
            WindowSystem& system = WindowSystem::Instance();
            if (top && top->IsWindowEnabled() && system.Active() != top && !(top->GetExStyle() & WS_EX_TOPMOST) &&
                NativeKindOf(top->GetStyle(), top->GetExStyle(), top->ClassName()) != NativeKind::Popup)
                system.Activate(top, WA_ACTIVE);
            break;
        }
        default: break;
    }
}

}  // namespace win
