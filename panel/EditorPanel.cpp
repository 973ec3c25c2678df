#include "panel/EditorPanel.h"

#include <cstring>
#include <string>

#include "component/CurrentComponent.h"
#include "controls/FXContour.h"
#include "controls/ResourceArt.h"
#include "controls/StereoDryMixer.h"
#include "host/lib/EffectParams.h"
#include "panel/PresetChooserDlg.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/module/Module.h"
#include "platform/shell/ShellExecute.h"
#include "platform/window/MessageBox.h"
#include "platform/window/PaintDC.h"
#include "platform/window/WindowSystem.h"
#include "resources/ResourceIds.h"

using namespace win;

CEditorPanel::CEditorPanel() = default;

CEditorPanel::~CEditorPanel() = default;

BOOL CEditorPanel::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                            const Rect& rect, Window* parent, UINT id, void* createParams) {
    if (!CFXControlWnd::CreateEx(exStyle, className, windowName, style, rect, parent, id, createParams)) return FALSE;
    ownedMixer_ = std::make_unique<CStereoDryMixer>();
    ownedContour_ = std::make_unique<CFXContour>();
    mixer = ownedMixer_.get();
    contour = ownedContour_.get();
    const DWORD controlStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    mixer->Create(nullptr, "StereoDryMixer", controlStyle, mixerRect, this, IDS_STEREO_DRY_MIXER);
    contour->Create(nullptr, "FXContour", controlStyle, contourRect, this, IDS_FX_CONTOUR);
    ownedChooser_ = std::make_unique<CPresetChooserDlg>();
    presetChooser = ownedChooser_.get();
    presetChooser->CreateModeless(this);
    presetChooser->SetWindowText(CPresetChooserDlg::kTitle);
    presetChooser->ShowWindow(SW_HIDE);
    presetChooser->panel = this;
    contour->settings = &currentPreset;
    mixer->settings = &currentPreset;
    SetFocus();
    mixer->panel = this;
    contour->panel = this;
    StartPollTimer();
    return TRUE;
}

void CEditorPanel::StartPollTimer() {
    if (!SetTimer(kPollTimer, kPollPeriod)) AfxMessageBox("ERROR: Set Timer Failed", MB_OK);
}

void CEditorPanel::FirstPaintSetUp() {
    closeRect = panel::kCloseRect;
    helpRect = panel::kHelpRect;
    loadRect = panel::kLoadRect;
    saveRect = panel::kSaveRect;
    nameRect = panel::kNameRect;
    compareARect = panel::kCompareARect;
    compareBRect = panel::kCompareBRect;
    SetNameText("Default");
    PresetSetUp();
}

void CEditorPanel::SetNameText(std::string_view text) {
    // A preset name may be longer than the field shown (263 characters against 259): cut it rather
    // than write past nameText.
    std::size_t n = std::min(text.size(), sizeof nameText - 1);
    std::memcpy(nameText, text.data(), n);
    nameText[n] = '\0';
}

void CEditorPanel::RepaintNow(const Rect& area) {
    InvalidateRect(&area, FALSE);
    UpdateWindow();
}

void CEditorPanel::RepaintTopStrip() {
    Rect strip = ClientRect();
    strip.bottom = panel::kTopStripHeight;
    RepaintNow(strip);
}

void CEditorPanel::OnPaint() {
    PaintDC dc(this);
    if (!initialised) {
        initialised = 1;
        FirstPaintSetUp();
    }
    const Rect client = ClientRect();
    DC memory;
    std::shared_ptr<Bitmap> background = LoadBitmap(IDB_PANEL_BACKGROUND);
    int backgroundHeight = 0;
    if (background) {
        backgroundHeight = background->Height();
        memory.SelectBitmap(background);
        memory.SetBkMode(TRANSPARENT);
        memory.SelectFont(controlFont);
        memory.SetTextColor(normalColour);
        Rect name = nameRect;
        memory.DrawTextA(nameText, &name, DT_LEFT | DT_TOP);
        dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    }

    namespace at = panel;
    const int fileW = at::kFileButton.cx, fileH = at::kFileButton.cy;
    const int smallW = at::kSmallButton.cx, smallH = at::kSmallButton.cy;
    CopyArt(dc, IDB_COMPARE_SWITCH, at::kCompare.x, at::kCompare.y, at::kCompareFrame.cx, at::kCompareFrame.cy, 0,
            edited == 1 ? at::kCompareFrame.cy : 0);
    CopyArt(dc, IDB_LOAD_SAVE, at::kLoad.x, at::kLoad.y, fileW, fileH, pressedButton == kLoad ? fileW : 0, 0);
    CopyArt(dc, IDB_LOAD_SAVE, at::kSave.x, at::kSave.y, fileW, fileH, pressedButton == kSave ? fileW : 0, fileH);
    CopyArt(dc, IDB_HELP_CLOSE, at::kClose.x, at::kClose.y, smallW, smallH, pressedButton == kClose ? smallW : 0,
            smallH);
    CopyArt(dc, IDB_HELP_CLOSE, at::kHelp.x, at::kHelp.y, smallW, smallH, pressedButton == kHelp ? smallW : 0, 0);
    dc.FillSolidRect({0, backgroundHeight, client.right, client.bottom}, RGB(0, 0, 0));
}

void CEditorPanel::OnLButtonDown(UINT flags, Point point) {
    if (edited == 0 && compareARect.Contains(point)) {
        CompareToA();
    } else if (edited == 1 && compareBRect.Contains(point)) {
        CompareToB();
    } else if (saveRect.Contains(point)) {
        SetCapture();
        pressedButton = kSave;
        RepaintNow(saveRect);
    } else if (loadRect.Contains(point)) {
        SetCapture();
        pressedButton = kLoad;
        RepaintNow(loadRect);
    } else if (nameRect.Contains(point)) {
        if (presetChooser) {
            if (paramBlock) presetChooser->paramBlock = paramBlock;
            ShowPresetChooser();
        }
    } else if (closeRect.Contains(point)) {
        SetCapture();
        pressedButton = kClose;
        RepaintNow({closeRect.left - 10, closeRect.top, closeRect.right, closeRect.bottom});
    } else if (helpRect.Contains(point)) {
        SetCapture();
        pressedButton = kHelp;
        RepaintNow({helpRect.left - 10, helpRect.top, helpRect.right, helpRect.bottom});
    } else {
        pressPoint = point;
        pressedButton = kWindowDrag;
        SetCapture();
    }
    CFXControlWnd::OnLButtonDown(flags, point);
}

void CEditorPanel::OnMouseMove(UINT flags, Point point) {
    if (GetCapture() == this && pressedButton == kWindowDrag) DragWindow(pressPoint.x, pressPoint.y, point.x, point.y);
    CFXControlWnd::OnMouseMove(flags, point);
}

void CEditorPanel::OnLButtonUp(UINT flags, Point point) {
    if (!GetCapture()) {
        CFXControlWnd::OnLButtonUp(flags, point);
        return;
    }
    HWND self = GetSafeHwnd();
    ReleaseCapture();
    switch (pressedButton) {
        case kClose:
            if (closeRect.Contains(point)) {
                KillTimer(kPollTimer);
                RequestEditorClose();
            }
            break;
        case kHelp:
            if (helpRect.Contains(point)) OpenHelp();
            break;
        case kSave:
            if (saveRect.Contains(point)) SavePresetToFile();
            break;
        case kLoad:
            if (loadRect.Contains(point)) LoadPresetFromFile();
            break;
        default: break;
    }
    if (!IsWindow(self)) return;  // the host may close the editor on the close request
    if (pressedButton != kNone) {
        pressedButton = kNone;
        RepaintTopStrip();
    }
    CFXControlWnd::OnLButtonUp(flags, point);
}

void CEditorPanel::OpenHelp() {
    char path[kHelpFilePathSize];
    if (!CurrentHelpFilePath(path)) return;
    // The working directory is the path without its last nine characters: the separator and the
    // eight-character file name.
    std::string directory(path);
    directory = directory.size() > 9 ? directory.substr(0, directory.size() - 9) : std::string();
    ShellExecuteA(GetSafeHwnd(), "open", path, nullptr, directory.empty() ? nullptr : directory.c_str(), SW_SHOWNORMAL);
}

void CEditorPanel::DragWindow(int startX, int startY, int currentX, int currentY) {
    Window* host = GetParent() ? GetParent()->GetParent() : nullptr;
    if (!host || !IsWindow(host->GetSafeHwnd())) return;
    Rect r = host->WindowRect();
    Rect moved = r.Offset(currentX - startX, currentY - startY);
    // The move is given in screen coordinates; a host window that is itself a child moves within its
    // parent, so the same displacement is expressed in that parent's client coordinates.
    if (Window* hostParent = host->GetParent()) hostParent->ScreenToClient(&moved);
    host->MoveWindow(moved.left, moved.top, r.Width(), r.Height(), TRUE);
}

Point PresetChooserPosition(const Rect& popup, const Rect& panel) {
    int x = panel.left + 275 - 250;
    if (x + popup.Width() > panel.right) x = panel.right - popup.Width() - 10;
    int y = panel.top + 26;
    if (y + popup.Height() > panel.bottom) y = panel.bottom - popup.Height() - 14;
    return {x, y};
}

void CEditorPanel::ShowPresetChooser() {
    if (!presetChooser || !presetChooser->GetSafeHwnd()) return;
    const Point at = PresetChooserPosition(presetChooser->WindowRect(), WindowRect());
    presetChooser->SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    presetChooser->ShowWindow(SW_SHOW);
}

void CEditorPanel::FocusMixer() {
    if (mixer) mixer->TakeKeyboard();
}

void CEditorPanel::FocusContour(bool cutoffHandle) {
    if (contour) contour->TakeKeyboard(cutoffHandle);
}

void CEditorPanel::AutomationChanged() {
    MarkModified();
    Invalidate(FALSE);
}

void CEditorPanel::OnTimer(UINT_PTR id) {
    KillTimer(kPollTimer);
    HWND self = GetSafeHwnd();
    PollParameters();
    if (++tickCount >= 3) {
        tickCount = 0;
        ReferenceCapture();
        // Without a block only the light itself can say it needs putting out.
        const bool clip = paramBlock && (paramBlock->statusFlags & STATUS_CLIP);
        if (mixer && (clip || mixer->clipLit)) {
            mixer->InvalidateRect(nullptr, FALSE);
            mixer->UpdateWindow();
        }
    }
    if (IsWindow(self)) StartPollTimer();
    CFXControlWnd::OnTimer(id);
}

void CEditorPanel::ApplyPollToControls(const PollChanges& changes) {
    if (contour) {
        contour->dirtyMask = changes.contourDirtyMask;
        if (changes.contourReload) contour->LoadFromRecord(&currentPreset);
    }
    if (mixer && changes.mixerDirtyMask) {
        mixer->dirtyMask = changes.mixerDirtyMask;
        mixer->Refresh();
    }
}
