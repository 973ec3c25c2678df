#include "presets/SavePresetDlg.h"

#include <cstring>

#include "platform/window/MessageBox.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/controls/EditMessages.h"
#include "platform/window/controls/ListBoxMessages.h"
#include "resources/ResourceIds.h"
#include "presets/RoomKeys.h"

using namespace win;

namespace {

// The name as the record will hold it: a name longer than the field is stored cut, so it must be
// looked for in the list cut as well, or an overlong name would add a duplicate instead of asking.
std::string StoredForm(const std::string& name) {
    tagUserPreset probe{};
    SetPresetName(probe, name.c_str());
    return std::string(PresetName(probe));
}

}  // namespace

CSaveCustomEffectsDlg::CSaveCustomEffectsDlg() : Dialog(IDD_SAVE_PRESET) {}

void CSaveCustomEffectsDlg::SetPreset(tagUserPreset* target) {
    preset = target;
    if (preset) preset->userDefined = 1;
}

void CSaveCustomEffectsDlg::DoDataExchange(DataExchange& dx) {
    DDX_Control(dx, IDC_SAVE_LIST, list);
    DDX_Text(dx, IDC_SAVE_NAME, nameText);
    DDX_LBString(dx, IDC_SAVE_LIST, selectionText);
}

BOOL CSaveCustomEffectsDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    std::strcpy(fileName, kPresetFileName);
    store.FillRoomList(list.Get(), fileName, 2);
    OnNameChanged();
    return TRUE;
}

BOOL CSaveCustomEffectsDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == static_cast<int>(IDC_SAVE_NAME) && code == EN_CHANGE) {
        OnNameChanged();
        return TRUE;
    }
    if (id == static_cast<int>(IDC_SAVE_LIST) && code == LBN_DBLCLK) {
        OnOK();
        return TRUE;
    }
    return Dialog::OnCommand(wParam, lParam);
}

void CSaveCustomEffectsDlg::OnNameChanged() {
    UpdateData(TRUE);
    // A typed name wins over the selection; the selection text goes too, so that writing it back
    // does not select the line again.
    if (!nameText.empty()) {
        list.SendMessage(LB_SETCURSEL, static_cast<WPARAM>(-1));
        selectionText.clear();
    }
    UpdateData(FALSE);
}

bool CSaveCustomEffectsDlg::ConfirmOverwrite() {
    return AfxMessageBox("Are you Sure you want to overwrite the selected Effect?", MB_YESNO | MB_ICONEXCLAMATION) ==
           IDYES;
}

void CSaveCustomEffectsDlg::OnOK() {
    UpdateData(TRUE);
    if (!nameText.empty()) {
        const std::string name = StoredForm(nameText);
        const LRESULT found = list.SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(name.c_str()));
        if (found == LB_ERR) {
            saved = store.SaveNewRoom(fileName, preset, name.c_str());
            PostMessage(WM_CLOSE);
            return;
        }
        if (!ConfirmOverwrite()) return;
        saved = store.OverwriteRoomByName(fileName, preset, name.c_str());
        if (!saved) return;
        AfxMessageBox("User Settings file Updated", MB_OK);
        PostMessage(WM_CLOSE);
        return;
    }
    if (selectionText.empty()) {
        AfxMessageBox("Please Make a Selection first", MB_OK);
        return;
    }
    if (!ConfirmOverwrite()) return;
    saved = store.OverwriteRoomByName(fileName, preset, selectionText.c_str());
    if (saved) Dialog::OnOK();
}
