#pragma once
// The desktop without a display: frames are counted, input comes only from tests and scripts.
#include "platform/desktop/DesktopBackend.h"

namespace win {

class HeadlessBackend final : public DesktopBackend {
public:
    void Present(const Bitmap&, const Region&) override { ++framesPresented_; }
    void WaitForInput(std::optional<std::uint64_t> timeoutMs) override;
    bool HasDisplay() const override { return false; }
    int FramesPresented() const { return framesPresented_; }

private:
    int framesPresented_ = 0;
};

}  // namespace win
