#pragma once
// The live readout beside the editor: every field of the effect slot's parameter block with its
// automation registration, and the latest calls the editor made on the slot. It re-reads the slot
// on a 100 ms timer and when the host calls Refresh (automation changes, host buttons), and
// repaints only when something changed. The slot belongs to the host session and outlives it.
#include <memory>

#include "host/app/ReadoutText.h"
#include "platform/window/Window.h"

namespace win {
class DC;
class Font;
}  // namespace win

class ReadoutPanel : public win::Window {
public:
    static constexpr win::Size kSize{284, 408};  // with its sunken edge
    static constexpr unsigned kRefreshMs = 100;

    explicit ReadoutPanel(CEffectsPlugin& slot) : slot_(slot) {}

    void Refresh();
    const ReadoutSnapshot& Shown() const { return shown_; }

protected:
    int OnCreate(win::CREATESTRUCTA* cs) override;
    void OnTimer(win::UINT_PTR id) override;
    void OnPaint() override;

private:
    void PaintRow(win::DC& dc, const ReadoutRow& row, int top);
    void PaintCalls(win::DC& dc, int top);

    CEffectsPlugin& slot_;
    ReadoutSnapshot shown_;
    std::shared_ptr<win::Font> font_;
    std::shared_ptr<win::Font> bold_;
    std::shared_ptr<win::Font> small_;
};
