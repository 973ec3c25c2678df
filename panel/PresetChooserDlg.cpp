#include "panel/PresetChooserDlg.h"

#include "host/lib/EffectParams.h"
#include "panel/EditorPanel.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/controls/ListBoxMessages.h"
#include "presets/RoomKeys.h"
#include "presets/UserPresetFile.h"
#include "resources/ResourceIds.h"

using namespace win;

namespace {

constexpr const char* kPresetFile = kPresetFileName;
constexpr int kWithSuffix = 1;

}  // namespace

CPresetChooserDlg::CPresetChooserDlg() : Dialog(IDD_PRESET_CHOOSER) {}

CPresetChooserDlg::~CPresetChooserDlg() = default;

void CPresetChooserDlg::DoDataExchange(DataExchange& dx) { DDX_Control(dx, IDC_PRESET_LIST, presetList); }

void CPresetChooserDlg::OnShowWindow(BOOL show, UINT status) {
    Dialog::OnShowWindow(show, status);
    if (show) Fill();
}

void CPresetChooserDlg::Fill() {
    presetList.SendMessage(LB_RESETCONTENT);
    chosen = false;
    if (!paramBlock || paramBlock->presetsAvailable == 0) return;
    CUserPresetFile().FillRoomList(presetList.Get(), kPresetFile, kWithSuffix);
    if (presetList.SendMessage(LB_GETCOUNT) == 0) {
        const LRESULT at = presetList.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kPlaceholder));
        presetList.SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(at), 0);
    }
    presetList.SendMessage(LB_SETCURSEL, 0);
}

void CPresetChooserDlg::ReportAndClose() {
    chosenIndex = static_cast<int>(presetList.SendMessage(LB_GETCURSEL));
    // The line's room number, not its position, says what to load: after an unreadable room the
    // position would name the room before the one chosen. The placeholder's 0 names no room.
    const LRESULT room = chosenIndex >= 0 ? presetList.SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(chosenIndex)) : 0;
    // Hidden before the load, so that the load's wait and any message box find the popup closed
    // and the list's loss of focus changes nothing.
    presetList.SendMessage(LB_RESETCONTENT);
    chosen = true;
    ShowWindow(SW_HIDE);
    if (room > 0 && panel) panel->LoadUserPreset(static_cast<int>(room) - 1);
}

void CPresetChooserDlg::CloseWithoutChoice() {
    presetList.SendMessage(LB_RESETCONTENT);
    ShowWindow(SW_HIDE);
}

BOOL CPresetChooserDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_PRESET_LIST) {
        switch (static_cast<int>(HIWORD(wParam))) {
            case LBN_SELCHANGE:
                if (skipSelChange) {
                    skipSelChange = false;
                } else {
                    ReportAndClose();
                }
                return TRUE;
            case LBN_DBLCLK: ReportAndClose(); return TRUE;
            case LBN_KILLFOCUS:
                if (!chosen) CloseWithoutChoice();
                return TRUE;
            default: break;
        }
    }
    return Dialog::OnCommand(wParam, lParam);
}

BOOL CPresetChooserDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && (msg->hwnd == GetSafeHwnd() || IsChild(FromHandle(msg->hwnd)))) {
        if (msg->wParam == VK_UP || msg->wParam == VK_DOWN) skipSelChange = true;
        if (msg->wParam == VK_RETURN) ReportAndClose();
    }
    return Dialog::PreTranslateMessage(msg);
}

// The close box chooses like Enter: the selected line is always the one the user sees marked, so
// closing with it is the least surprising of the two readings, and Escape remains the way out
// without a choice.
void CPresetChooserDlg::OnLButtonDown(UINT flags, Point point) {
    if (kCloseBox.Contains(point)) ReportAndClose();
    Dialog::OnLButtonDown(flags, point);
}
