#pragma once
// Shows the desktop in one real window through SDL2, optionally enlarged by a whole factor, and
// feeds the window's mouse and keyboard input into the window system: keys as key presses, typed
// text (with the user's keyboard layout) as characters. Also lends the desktop's clipboard.
#include <memory>
#include <string>

#include "platform/base/Geometry.h"
#include "platform/desktop/DesktopBackend.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace win {

class SdlBackend final : public DesktopBackend {
public:
    // Null when no display can be opened.
    static std::unique_ptr<SdlBackend> Create(const std::string& title, Size desktopSize, int scale, std::string* error);
    ~SdlBackend() override;

    void Present(const Bitmap& frame) override;
    void WaitForInput(std::optional<std::uint64_t> timeoutMs) override;
    bool HasDisplay() const override { return true; }
    bool HasClipboard() const override { return true; }
    void SetClipboardText(const std::string& utf8) override;
    std::optional<std::string> GetClipboardText() override;

private:
    SdlBackend() = default;
    void Handle(const SDL_Event& event);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    Size size_;
    int scale_ = 1;
    const Bitmap* lastFrame_ = nullptr;
};

}  // namespace win
