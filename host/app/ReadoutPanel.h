#pragma once
// The live readout beside the editor: every field of the effect slot's parameter block with its
// automation registration, and the latest calls the editor made on the slot. It re-reads the slot
// on a 100 ms timer and when the host calls Refresh (automation changes, host buttons), and
// repaints only when something changed. With an engine attached it also shows the output level
// meters and the clip hold. The slot belongs to the host session and outlives it; an attached
// engine must stay until it is detached (SetEngine(nullptr)).
#include <memory>

#include "host/app/OutputMeter.h"
#include "host/app/ReadoutText.h"
#include "host/lib/EqualiserEngine.h"
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
    void SetEngine(eq::EqualiserEngine* engine);
    const OutputMeter& Meter() const { return meter_; }

protected:
    int OnCreate(win::CREATESTRUCTA* cs) override;
    void OnTimer(win::UINT_PTR id) override;
    void OnPaint() override;

private:
    void PaintRow(win::DC& dc, const ReadoutRow& row, int top);
    void PaintCalls(win::DC& dc, int top);
    int PaintMeters(win::DC& dc, int top);
    size_t RecentCallCount() const;

    CEffectsPlugin& slot_;
    ReadoutSnapshot shown_;
    eq::EqualiserEngine* engine_ = nullptr;
    OutputMeter meter_;
    std::uint64_t meterReadMs_ = 0;
    std::shared_ptr<win::Font> font_;
    std::shared_ptr<win::Font> bold_;
    std::shared_ptr<win::Font> small_;
};
