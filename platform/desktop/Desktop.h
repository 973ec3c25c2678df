#pragma once
// The one desktop of the process: composes the surfaces of the top-level windows in z-order into
// one framebuffer and hands it to its backend. Without a backend it is headless.
#include <memory>
#include <string>

#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"
#include "platform/desktop/DesktopBackend.h"

namespace win {

class Bitmap;

class Desktop {
public:
    static Desktop& Instance();

    void SetSize(Size size);
    Size GetSize() const;
    Rect WorkArea() const { return {0, 0, GetSize().cx, GetSize().cy}; }
    void SetBackground(COLORREF color) { background_ = color; }

    // Installs the backend and hooks it into the message loop (presenting before each wait).
    void SetBackend(std::unique_ptr<DesktopBackend> backend);
    DesktopBackend* Backend() const { return backend_.get(); }

    // Paints every window that waits for a paint, then composes what changed since the last frame.
    const Bitmap& Compose();
    // Composes and presents when anything changed since the last frame.
    void PresentIfDamaged();
    // Each desktop pixel becomes a square of `scale` pixels in the file, which is replaced
    // atomically; on failure *error (when given) says why, as a Windows error.
    bool SaveScreenshot(const std::string& pngPath, int scale = 1, DWORD* error = nullptr);
    const Bitmap& Frame() const { return *frame_; }

private:
    Desktop();
    void ComposeArea(const Region& area);
    std::shared_ptr<Bitmap> frame_;
    std::unique_ptr<DesktopBackend> backend_;
    COLORREF background_;
};

// Paints every window with a pending update area right away (what a loop would do before idling).
void PaintPendingWindows();

}  // namespace win
