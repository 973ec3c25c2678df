#include "platform/desktop/SdlBackend.h"

#include <SDL.h>

#include <algorithm>

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

std::unique_ptr<SdlBackend> SdlBackend::Create(const std::string& title, Size desktopSize, int scale, std::string* error) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        if (error) *error = SDL_GetError();
        return nullptr;
    }
    std::unique_ptr<SdlBackend> backend(new SdlBackend());
    backend->size_ = desktopSize;
    backend->scale_ = std::max(1, scale);
    backend->window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        desktopSize.cx * backend->scale_, desktopSize.cy * backend->scale_, 0);
    if (backend->window_) backend->renderer_ = SDL_CreateRenderer(backend->window_, -1, 0);
    if (backend->renderer_) {
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
        backend->texture_ = SDL_CreateTexture(backend->renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                              desktopSize.cx, desktopSize.cy);
    }
    if (!backend->texture_) {
        if (error) *error = SDL_GetError();
        return nullptr;
    }
    SDL_StartTextInput();
    SetCursorObserver([](CursorShape shape) {
        static SDL_Cursor* arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
        static SDL_Cursor* wait = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
        SDL_SetCursor(shape == CursorShape::Wait ? wait : arrow);
    });
    return backend;
}

SdlBackend::~SdlBackend() {
    SetCursorObserver(nullptr);
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlBackend::Present(const Bitmap& frame) {
    lastFrame_ = &frame;
    int w = std::min(frame.Width(), size_.cx);
    int h = std::min(frame.Height(), size_.cy);
    SDL_Rect area{0, 0, w, h};
    SDL_UpdateTexture(texture_, &area, frame.Row(0), frame.Width() * 4);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

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
    auto toDesktop = [this](int x, int y) { return Point{x / scale_, y / scale_}; };
    switch (event.type) {
        case SDL_QUIT: PostQuitMessage(0); break;
        case SDL_MOUSEMOTION: InjectMouseMove(toDesktop(event.motion.x, event.motion.y)); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            int button = ButtonIndex(event.button.button);
            if (button >= 0)
                InjectMouseButton(toDesktop(event.button.x, event.button.y), button, event.type == SDL_MOUSEBUTTONDOWN);
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
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_EXPOSED && lastFrame_) Present(*lastFrame_);
            break;
        default: break;
    }
}

}  // namespace win
