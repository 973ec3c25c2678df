#pragma once
// The seam between the desktop and whatever shows it: a real window (SDL2) or nothing at all.
#include <cstdint>
#include <optional>

namespace win {

class Bitmap;

class DesktopBackend {
public:
    virtual ~DesktopBackend() = default;
    // Shows a newly composed frame.
    virtual void Present(const Bitmap& frame) = 0;
    // Waits until input arrives (handing it to the window system) or the timeout passes.
    virtual void WaitForInput(std::optional<std::uint64_t> timeoutMs) = 0;
    virtual bool HasDisplay() const = 0;
};

}  // namespace win
