#include "host/app/ReadoutPanel.h"

#include <algorithm>

#include "platform/gdi/Font.h"
#include "platform/time/Clock.h"
#include "platform/window/PaintDC.h"

namespace {

constexpr win::UINT_PTR kRefreshTimer = 1;
constexpr size_t kRecentCalls = 7;
// The meters take the room of three calls.
constexpr size_t kRecentCallsBesideMeters = 4;
constexpr int kMeterBarHeight = 5;

constexpr win::COLORREF kBackground = win::RGB(255, 255, 255);
constexpr win::COLORREF kText = win::RGB(24, 24, 24);
constexpr win::COLORREF kMuted = win::RGB(128, 132, 140);
constexpr win::COLORREF kRule = win::RGB(222, 224, 228);
constexpr win::COLORREF kAutomated = win::RGB(0, 84, 170);
constexpr win::COLORREF kAlert = win::RGB(206, 24, 24);
constexpr win::COLORREF kBarTrack = win::RGB(226, 229, 234);
constexpr win::COLORREF kBarFill = win::RGB(70, 118, 186);
constexpr win::COLORREF kBarOver = win::RGB(222, 140, 30);  // above the editor's 0..127

// Columns, in client pixels.
constexpr int kLabelLeft = 10;
constexpr int kBarLeft = 104;
constexpr int kBarRight = 146;
constexpr int kValueRight = 186;
constexpr int kDetailLeft = 196;
constexpr int kRowHeight = 19;

constexpr win::UINT kLine = win::DT_SINGLELINE | win::DT_VCENTER | win::DT_NOPREFIX;

std::shared_ptr<win::Font> Arial(int height, int weight) {
    return win::CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, win::ANSI_CHARSET, 0, 0, win::ANTIALIASED_QUALITY, 0x20,
                            "Arial");
}

void Text(win::DC& dc, std::string_view text, win::Rect rect, win::UINT format, win::COLORREF color) {
    dc.SetTextColor(color);
    dc.DrawTextA(text, &rect, kLine | format);
}

}  // namespace

int ReadoutPanel::OnCreate(win::CREATESTRUCTA* cs) {
    font_ = Arial(-12, win::FW_NORMAL);
    bold_ = Arial(-12, win::FW_BOLD);
    small_ = Arial(-11, win::FW_NORMAL);
    shown_ = TakeSnapshot(slot_, RecentCallCount());
    SetTimer(kRefreshTimer, kRefreshMs);
    return Window::OnCreate(cs);
}

void ReadoutPanel::OnTimer(win::UINT_PTR id) {
    if (id == kRefreshTimer) Refresh();
}

size_t ReadoutPanel::RecentCallCount() const { return engine_ ? kRecentCallsBesideMeters : kRecentCalls; }

void ReadoutPanel::SetEngine(eq::EqualiserEngine* engine) {
    engine_ = engine;
    meter_ = OutputMeter();
    meterReadMs_ = win::GetClock().NowMs();
    Invalidate(win::FALSE);
}

void ReadoutPanel::Refresh() {
    bool changed = false;
    if (engine_) {
        const std::uint64_t now = win::GetClock().NowMs();
        const OutputMeter before = meter_;
        meter_.Update(engine_->TakePeak(eq::kLeft), engine_->TakePeak(eq::kRight), engine_->ClipHeld(),
                      double(now - meterReadMs_) / 1000.0);
        meterReadMs_ = now;
        changed = !(meter_ == before);
    }
    ReadoutSnapshot now = TakeSnapshot(slot_, RecentCallCount());
    if (!(now == shown_)) {
        shown_ = std::move(now);
        changed = true;
    }
    if (changed) Invalidate(win::FALSE);
}

void ReadoutPanel::OnPaint() {
    win::PaintDC dc(this);
    const win::Rect client = ClientRect();
    dc.FillSolidRect(client, kBackground);
    dc.SetBkMode(win::TRANSPARENT);

    dc.SelectFont(bold_);
    Text(dc, "Parameter block", {kLabelLeft, 6, client.right - 10, 24}, win::DT_LEFT, kText);
    dc.SelectFont(small_);
    Text(dc, "value", {kDetailLeft - 60, 26, kValueRight, 40}, win::DT_RIGHT, kMuted);
    Text(dc, "port/ch/ctrl", {kDetailLeft, 26, client.right - 6, 40}, win::DT_LEFT, kMuted);

    int top = 42;
    std::vector<ReadoutRow> rows = BuildReadoutRows(shown_);
    for (size_t i = 0; i < rows.size(); ++i) {
        // A rule between the automatable records and the block's other fields.
        if (i > 0 && rows[i - 1].level >= 0 && rows[i].level < 0) {
            dc.FillSolidRect({kLabelLeft, top + 3, client.right - 10, top + 4}, kRule);
            top += 8;
        }
        PaintRow(dc, rows[i], top);
        top += kRowHeight;
    }
    dc.FillSolidRect({kLabelLeft, top + 5, client.right - 10, top + 6}, kRule);
    top += 10;
    if (engine_) {
        top = PaintMeters(dc, top);
        dc.FillSolidRect({kLabelLeft, top + 3, client.right - 10, top + 4}, kRule);
        top += 8;
    }
    PaintCalls(dc, top);
}

int ReadoutPanel::PaintMeters(win::DC& dc, int top) {
    const int right = ClientRect().right - 6;
    dc.SelectFont(bold_);
    Text(dc, "Engine output", {kLabelLeft, top, right, top + 18}, win::DT_LEFT, kText);
    if (meter_.ClipHeld()) {
        const int mark = top + 5;
        dc.FillSolidRect({kDetailLeft, mark, kDetailLeft + 8, mark + 8}, kAlert);
        Text(dc, "clip held", {kDetailLeft + 12, top, right, top + 18}, win::DT_LEFT, kAlert);
    }
    top += 20;
    dc.SelectFont(font_);
    const char* sides[2] = {"output L", "output R"};
    for (int side = 0; side < 2; ++side) {
        const double db = meter_.LevelDb(side);
        const int barTop = top + kRowHeight / 2 - 3;
        const int width = kDetailLeft - 10 - kBarLeft;
        const double share = (db - OutputMeter::kFloorDb) / -OutputMeter::kFloorDb;
        const int filled = std::clamp(int(share * width), 0, width);
        Text(dc, sides[side], {kLabelLeft, top, kBarLeft - 4, top + kRowHeight}, win::DT_LEFT, kText);
        dc.FillSolidRect({kBarLeft, barTop, kBarLeft + width, barTop + kMeterBarHeight}, kBarTrack);
        dc.FillSolidRect({kBarLeft, barTop, kBarLeft + filled, barTop + kMeterBarHeight}, db > 0 ? kAlert : kBarFill);
        Text(dc, OutputMeter::FormatDb(db), {kDetailLeft, top, right, top + kRowHeight}, win::DT_LEFT,
             db > 0 ? kAlert : kMuted);
        top += kRowHeight;
    }
    return top;
}

void ReadoutPanel::PaintRow(win::DC& dc, const ReadoutRow& row, int top) {
    const int bottom = top + kRowHeight;
    const int right = ClientRect().right - 6;
    dc.SelectFont(font_);
    Text(dc, row.label, {kLabelLeft, top, kBarLeft - 4, bottom}, win::DT_LEFT, kText);
    if (row.level >= 0) {
        const int barTop = top + kRowHeight / 2 - 3;
        const int width = kBarRight - kBarLeft;
        const int filled = std::min(width, row.level * width / 127);
        dc.FillSolidRect({kBarLeft, barTop, kBarRight, barTop + 6}, kBarTrack);
        dc.FillSolidRect({kBarLeft, barTop, kBarLeft + filled, barTop + 6}, row.level > 127 ? kBarOver : kBarFill);
    }
    Text(dc, row.value, {kBarLeft, top, kValueRight, bottom}, win::DT_RIGHT, kText);
    if (row.alert) {
        const int mark = top + kRowHeight / 2 - 4;
        dc.FillSolidRect({kDetailLeft, mark, kDetailLeft + 8, mark + 8}, kAlert);
        dc.SelectFont(bold_);
        Text(dc, row.detail, {kDetailLeft + 12, top, right, bottom}, win::DT_LEFT, kAlert);
        return;
    }
    Text(dc, row.detail, {kDetailLeft, top, right, bottom}, win::DT_LEFT | win::DT_END_ELLIPSIS,
         row.automated ? kAutomated : kMuted);
}

void ReadoutPanel::PaintCalls(win::DC& dc, int top) {
    const int right = ClientRect().right - 6;
    dc.SelectFont(bold_);
    Text(dc, "Editor calls on the slot", {kLabelLeft, top, right, top + 18}, win::DT_LEFT, kText);
    dc.SelectFont(small_);
    Text(dc, std::to_string(shown_.callCount), {kLabelLeft, top, ClientRect().right - 10, top + 18}, win::DT_RIGHT,
         kMuted);
    top += 20;
    if (shown_.recentCalls.empty()) {
        Text(dc, "none yet", {kLabelLeft, top, right, top + 15}, win::DT_LEFT, kMuted);
        return;
    }
    for (const std::string& call : shown_.recentCalls) {
        Text(dc, call, {kLabelLeft, top, right, top + 15}, win::DT_LEFT | win::DT_END_ELLIPSIS, kText);
        top += 15;
    }
}
