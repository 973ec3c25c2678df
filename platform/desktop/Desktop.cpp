#include "platform/desktop/Desktop.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/PngFile.h"
#include "platform/kernel/AtomicFile.h"
#include "platform/kernel/LastError.h"
#include "platform/window/Clipboard.h"
#include "platform/window/WindowSystem.h"

namespace win {

Desktop& Desktop::Instance() {
    static Desktop* desktop = new Desktop();  // lives as long as the windows that draw on it
    return *desktop;
}

Desktop::Desktop() : frame_(std::make_shared<Bitmap>(1024, 768)), background_(GetSysColor(COLOR_DESKTOP)) {
    WindowSystem::Instance().SetScreenSize(GetSize());
}

void Desktop::SetSize(Size size) {
    frame_ = std::make_shared<Bitmap>(std::max(1, size.cx), std::max(1, size.cy));
    WindowSystem& system = WindowSystem::Instance();
    system.SetScreenSize(GetSize());
    system.NoteDamage();
}

Size Desktop::GetSize() const { return {frame_->Width(), frame_->Height()}; }

void Desktop::SetBackend(std::unique_ptr<DesktopBackend> backend) {
    backend_ = std::move(backend);
    WindowSystem& system = WindowSystem::Instance();
    if (backend_ && backend_->HasClipboard())
        SetClipboardBridge({[this](const std::string& utf8) { backend_->SetClipboardText(utf8); },
                            [this] { return backend_->GetClipboardText(); }});
    else
        SetClipboardBridge({});
    if (!backend_) {
        system.SetBeforeWaitHook(nullptr);
        system.SetWaiter(nullptr);
        return;
    }
    system.SetBeforeWaitHook([this] { PresentIfDamaged(); });
    system.SetWaiter([this](std::optional<std::uint64_t> timeout) { backend_->WaitForInput(timeout); });
}

void PaintPendingWindows() {
    WindowSystem& system = WindowSystem::Instance();
    // Bounded: a window that invalidates itself while painting is painted again next time.
    for (int i = 0; i < 10000; ++i) {
        Window* w = system.NextWindowToPaint();
        if (!w) break;
        MSG msg{w->GetSafeHwnd(), WM_PAINT, 0, 0, 0, {}};
        DispatchMessage(&msg);
    }
}

const Bitmap& Desktop::Compose() {
    PaintPendingWindows();
    Bitmap& frame = *frame_;
    ComposeArea(WindowSystem::Instance().TakeDamage({0, 0, frame.Width(), frame.Height()}));
    return frame;
}

void Desktop::ComposeArea(const Region& area) {
    Bitmap& frame = *frame_;
    const std::uint32_t fill = ToDisplay(background_);
    const std::vector<Window*> windows = WindowSystem::Instance().TopLevelsBottomToTop();
    for (const Rect& part : area.Rects()) {
        for (int y = part.top; y < part.bottom; ++y) std::fill_n(frame.Row(y) + part.left, part.Width(), fill);
        for (Window* top : windows) {
            if (!(top->GetStyle() & WS_VISIBLE) || !top->Surface()) continue;
            const Bitmap& surface = *top->Surface();
            const Rect placed = top->WindowRect();
            const Rect visible =
                part.Intersect(placed).Intersect(Rect::FromSize(placed.left, placed.top, surface.Width(), surface.Height()));
            if (visible.IsEmpty()) continue;
            const std::size_t bytes = static_cast<std::size_t>(visible.Width()) * sizeof(std::uint32_t);
            for (int y = visible.top; y < visible.bottom; ++y)
                std::memcpy(frame.Row(y) + visible.left, surface.Row(y - placed.top) + (visible.left - placed.left), bytes);
        }
    }
}

void Desktop::PresentIfDamaged() {
    PaintPendingWindows();
    Bitmap& frame = *frame_;
    Region area = WindowSystem::Instance().TakeDamage({0, 0, frame.Width(), frame.Height()});
    if (area.IsEmpty()) return;
    ComposeArea(area);
    if (backend_) backend_->Present(frame, area);
}

bool Desktop::SaveScreenshot(const std::string& pngPath, int scale, DWORD* error) {
    const Bitmap& frame = Compose();
    std::vector<std::uint8_t> png;
    if (scale <= 1) {
        png = EncodePng(frame);
    } else {
        Bitmap enlarged(frame.Width() * scale, frame.Height() * scale, Bitmap::NoFill{});
        for (int y = 0; y < enlarged.Height(); ++y) {
            const std::uint32_t* source = frame.Row(y / scale);
            std::uint32_t* row = enlarged.Row(y);
            for (int x = 0; x < enlarged.Width(); ++x) row[x] = source[x / scale];
        }
        png = EncodePng(enlarged);
    }
    const DWORD result = png.empty() ? ERROR_NOT_ENOUGH_MEMORY
                                     : WriteFileAtomically(pngPath, std::string_view(reinterpret_cast<const char*>(png.data()), png.size()));
    if (error) *error = result;
    return result == ERROR_SUCCESS;
}

}  // namespace win
