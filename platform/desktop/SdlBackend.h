#pragma once
// Shows the desktop on a real display through SDL2, each top-level window in a native window of
// its own (NativeWindows), and feeds the native windows' mouse and keyboard input into the window
// system: keys as key presses, typed text (with the user's keyboard layout) as characters. Also
// lends the desktop's clipboard.
#include <memory>
#include <string>
#include <string_view>

#include "platform/base/Geometry.h"
#include "platform/desktop/DesktopBackend.h"
#include "platform/desktop/NativeWindows.h"
#include "platform/desktop/ScreenMapping.h"

union SDL_Event;

namespace win {

class SdlBackend final : public DesktopBackend {
public:
    // Starts SDL's video on a real display. Null, with the reason in `error`, when there is none:
    // SDL's off-screen and dummy drivers open no window anyone can see, so they count as none.
    static std::unique_ptr<SdlBackend> Create(std::string* error);
    // Whether an SDL video driver of this name shows windows on a display.
    static bool IsDisplayDriver(std::string_view driver);
    ~SdlBackend() override;

    // The first display's area left free by panels and docks, and its density (dots per inch;
    // 0 when the display does not say).
    Rect UsableArea() const;
    float Density() const;
    // Where the desktop goes on the screen; set before the first frame.
    void SetMapping(const ScreenMapping& mapping);

    void Present(const Bitmap& frame, const Region& damage) override;
    void WaitForInput(std::optional<std::uint64_t> timeoutMs) override;
    bool HasDisplay() const override { return true; }
    bool HasClipboard() const override { return true; }
    void SetClipboardText(const std::string& utf8) override;
    std::optional<std::string> GetClipboardText() override;

private:
    SdlBackend() = default;
    void Handle(const SDL_Event& event);
    void HandleWindowEvent(const SDL_Event& event);

    std::unique_ptr<NativeWindows> windows_;
};

}  // namespace win
