#pragma once
// The seam between the desktop and whatever shows it: a real window (SDL2) or nothing at all.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/base/Geometry.h"

namespace win {

class Bitmap;

class DesktopBackend {
public:
    virtual ~DesktopBackend() = default;
    // Shows a newly composed frame; `damage` is what changed since the last one.
    virtual void Present(const Bitmap& frame, const Region& damage) = 0;
    // Waits until input arrives (handing it to the window system) or the timeout passes.
    virtual void WaitForInput(std::optional<std::uint64_t> timeoutMs) = 0;
    virtual bool HasDisplay() const = 0;

    // The desktop's clipboard, text in UTF-8. A backend without one leaves the platform's clipboard
    // in memory.
    virtual bool HasClipboard() const { return false; }
    virtual void SetClipboardText(const std::string& utf8) {}
    virtual std::optional<std::string> GetClipboardText() { return std::nullopt; }
};

}  // namespace win
