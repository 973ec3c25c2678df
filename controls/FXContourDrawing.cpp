// The contour control's picture: the off-screen buffer, made once, and the paint procedure that
// redraws the dirty picture groups into it and copies it to the screen in one block.
#include <memory>

#include "controls/FXContour.h"
#include "controls/FXContourLayout.h"
#include "controls/ResourceArt.h"
#include "host/lib/EffectsPlugin.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/module/Module.h"
#include "platform/window/PaintDC.h"
#include "resources/ResourceIds.h"

using namespace win;
using namespace contour;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kDotColour = RGB(255, 255, 255);

void FillBlack(DC& dc, const Rect& rect) {
    if (!rect.IsEmpty()) dc.FillRect(rect, Brush::Solid(kBlack));
}

}  // namespace

void CFXContour::MakeBackBuffer() {
    savedBitmap = nullptr;
    trackHeight = kTrackHeight;
    dragMode = kIdle;
    clientRect = ClientRect();
    if (Surface()) {
        MakePicture(clientRect, "FXContour picture");
        // The labels need it, and the dotted lines must leave their gaps alone.
        backDC->SetBkMode(TRANSPARENT);
    }
    selection = kSelectNone;
    dirtyMask = kEverything;
    bypassOn = effectSlot && effectSlot->GetBypassMode();
    bypassButton = kBypassButtonRect;
    backReady = true;
}

void CFXContour::OnPaint() { PaintContour(); }

void CFXContour::PaintContour() {
    if (!GetSafeHwnd()) return;
    if (!backReady) MakeBackBuffer();
    PaintDC screen(this);
    if (!backDC) return;
    DC& dc = *backDC;

    if (dirtyMask & kBackground) {
        CopyArt(dc, IDB_PANEL_BACKGROUND, 0, 0, clientRect.Width(), clientRect.Height(), kBackgroundOrigin.x,
                kBackgroundOrigin.y);
        FillBlack(dc, kGraph);
        KeepLabelBackdrop(dc);
    }
    for (int bit : {kLowBand, kMidBand, kHighBand})
        if (dirtyMask & bit) DrawBand(dc, BandOf(bit));
    if (dirtyMask & kEverything) DrawMarker(dc);
    cutoffWidth = CutoffWidth(cutoffValue);
    DrawBoundaryLines(dc);
    if (dirtyMask & kBypassButton) DrawBypassButton(dc);

    CopyPictureTo(screen);
    dirtyMask = kNothingPending;
}

void CFXContour::DrawBand(DC& dc, const Band& band) {
    const int x0 = band.x0;
    const int value = DrawnValue(*band.value);
    CopyArt(dc, IDB_SLIDER_TRACK, {x0, kGraphTop});

    const int travel = HandleTravel(value, trackHeight);
    band.handle->rect = HandleRect(x0, travel);
    band.handle->ref = trackHeight - travel;
    const int fill = FillHeight(value);
    if (band.dirtyBit != kHighBand) cutoffWidth = CutoffWidth(cutoffValue);
    int regionLeft = kMidHighBoundary, regionRight = kGraph.right;
    if (band.dirtyBit == kLowBand) {
        regionLeft = kGraph.left;
        regionRight = kMidHighBoundary - cutoffWidth;
    } else if (band.dirtyBit == kMidBand) {
        regionLeft = kMidHighBoundary - cutoffWidth;
        regionRight = kMidHighBoundary;
    }
    FillBlack(dc, {regionLeft, kGraphTop, regionRight, kGraphFoot - fill});

    if (value > 0) {
        // Bottom-aligned at y = 209; for a fill above 87 the source starts above the bitmap, whose
        // missing rows leave the track showing.
        CopyArt(dc, IDB_LEVEL_BAR, x0, kGraphFoot - fill, 8, fill + 20, 0, 87 - fill);
        if (regionRight > regionLeft) {
            if (std::shared_ptr<Bitmap> texture = LoadBitmap(IDB_BAND_TEXTURE)) {
                DC scratch;
                scratch.SelectBitmap(texture);
                dc.StretchBlt(regionLeft, kGraphFoot - fill, regionRight - regionLeft, fill, &scratch, 0, 0, 77, 63,
                              SRCCOPY);
            }
        }
    }

    const bool selected = selection == band.selectionBit;
    RestoreLabelBackdrop(dc, x0);
    dc.SetTextColor(selected ? highlightColour : normalColour);
    std::shared_ptr<Font> previousFont = dc.SelectFont(controlFont);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOutA(x0, kLabelY, band.label);
    dc.SelectFont(previousFont);

    CopyArt(dc, selected ? IDB_SLIDER_HANDLE_SELECTED : IDB_SLIDER_HANDLE, {x0, kGraphFoot - travel});
}

void CFXContour::KeepLabelBackdrop(DC& dc) {
    labelBackdrop_ = std::make_shared<Bitmap>(kLabelStrip.Width(), kLabelStrip.Height());
    DC strip;
    strip.SelectBitmap(labelBackdrop_);
    strip.BitBlt(0, 0, kLabelStrip.Width(), kLabelStrip.Height(), &dc, kLabelStrip.left, kLabelStrip.top, SRCCOPY);
}

void CFXContour::RestoreLabelBackdrop(DC& dc, int x0) {
    if (!labelBackdrop_) return;
    DC strip;
    strip.SelectBitmap(labelBackdrop_);
    dc.BitBlt(x0, kLabelStrip.top, kLabelCellWidth, kLabelStrip.Height(), &strip, x0 - kLabelStrip.left, 0, SRCCOPY);
}

void CFXContour::DrawMarker(DC& dc) {
    cutoffWidth = CutoffWidth(cutoffValue);
    cutoffHandle = CutoffMarkerRect(cutoffWidth);
    CopyArt(dc, selection == kSelectCutoff ? IDB_CUTOFF_MARKER_SELECTED : IDB_CUTOFF_MARKER,
            {cutoffHandle.left, kMarkerTop});
}

void CFXContour::DrawBoundaryLines(DC& dc) {
    Pen previous = dc.SelectPen(Pen(PS_DOT, 1, kDotColour));
    dc.MoveTo(kMidHighBoundary, kGraphFoot);
    dc.LineTo(kMidHighBoundary, kGraphTop);
    const int cutoffX = kMidHighBoundary - cutoffWidth;
    dc.MoveTo(cutoffX, kCutoffLineTop);
    dc.LineTo(cutoffX, kGraphTop);
    dc.SelectPen(previous);
}

void CFXContour::DrawBypassButton(DC& dc) {
    CopyArt(dc, IDB_BYPASS_BUTTON, bypassButton.left, bypassButton.top, 16, 16, 0, bypassOn ? 0 : 16);
}
