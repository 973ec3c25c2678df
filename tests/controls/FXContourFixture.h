#pragma once
// The contour control inside a real editor, with helpers to press and drag in its client pixels, to
// let the host change values behind its back, and to read what a repaint drew into its picture.
#include <algorithm>
#include <vector>

#include "controls/FXContour.h"
#include "platform/desktop/Desktop.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DrawTrace.h"
#include "tests/support/EditorFixture.h"

namespace contourtest {

using win::DrawOp;
using win::DrawTraceEntry;
using win::Point;
using win::Rect;

class ContourTest : public testsupport::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        contour = panel->contour;
        ASSERT_NE(contour, nullptr);
    }

    // The host writes the four value bytes; the panel's next poll hands them to the control.
    void HostSets(int low, int mid, int high, int cutoff) {
        tagEffectParams& block = Block();
        slot.SetValueFromHost(&block.lowFreq, static_cast<win::BYTE>(low));
        slot.SetValueFromHost(&block.midFreq, static_cast<win::BYTE>(mid));
        slot.SetValueFromHost(&block.highFreq, static_cast<win::BYTE>(high));
        slot.SetValueFromHost(&block.midCutoff, static_cast<win::BYTE>(cutoff));
        Advance(300);
    }

    // Repaints the given picture groups now; the drawing calls that went into the control's picture.
    std::vector<DrawTraceEntry> Repaint(int dirtyMask) {
        win::ScopedDrawTrace trace;
        contour->dirtyMask = dirtyMask;
        contour->Invalidate(win::FALSE);
        contour->UpdateWindow();
        return IntoPicture(trace.Entries());
    }

    static std::vector<DrawTraceEntry> IntoPicture(const std::vector<DrawTraceEntry>& trace) {
        std::vector<DrawTraceEntry> picture;
        for (const DrawTraceEntry& e : trace)
            if (e.destLabel == "FXContour picture") picture.push_back(e);
        return picture;
    }

    // Copies of one resource bitmap, plain or stretched.
    static std::vector<DrawTraceEntry> Art(const std::vector<DrawTraceEntry>& trace, int id) {
        std::vector<DrawTraceEntry> copies;
        for (const DrawTraceEntry& e : trace)
            if ((e.op == DrawOp::BitBlt || e.op == DrawOp::StretchBlt) && e.sourceResourceId == id) copies.push_back(e);
        return copies;
    }

    static std::vector<DrawTraceEntry> Of(const std::vector<DrawTraceEntry>& trace, DrawOp op) {
        std::vector<DrawTraceEntry> found;
        for (const DrawTraceEntry& e : trace)
            if (e.op == op) found.push_back(e);
        return found;
    }

    // Where a copy of `id` landed, by destination rectangle.
    static bool HasCopyAt(const std::vector<DrawTraceEntry>& trace, int id, const Rect& dest) {
        auto copies = Art(trace, id);
        return std::any_of(copies.begin(), copies.end(), [&](const DrawTraceEntry& e) { return e.destLogical == dest; });
    }

    Point Screen(Point client) const {
        contour->ClientToScreen(&client);
        return client;
    }
    void PressAt(Point client, int button = 0) {
        win::InjectMouseMove(Screen(client));
        win::InjectMouseButton(Screen(client), button, true);
        Pump();
    }
    void MoveTo(Point client) {
        win::InjectMouseMove(Screen(client));
        Pump();
    }
    void ReleaseAt(Point client, int button = 0) {
        win::InjectMouseMove(Screen(client));
        win::InjectMouseButton(Screen(client), button, false);
        Pump();
    }
    void ShiftTab() {
        win::InjectKey(win::VK_SHIFT, true);
        win::InjectKeyPress(win::VK_TAB);
        win::InjectKey(win::VK_SHIFT, false);
        Pump();
    }
    // The pixel of the composed desktop at a client point of the control.
    win::COLORREF ScreenPixel(Point client) const {
        Point at = Screen(client);
        return win::FromDisplay(win::Desktop::Instance().Compose().GetPixel(at.x, at.y));
    }

    CFXContour* contour = nullptr;
};

}  // namespace contourtest
