#include "presets/LoadPresetDlg.h"

#include <cstring>

#include "platform/window/MessageBox.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/controls/ListBoxMessages.h"
#include "resources/ResourceIds.h"
#include "presets/RoomKeys.h"

using namespace win;

CLoadCustomSettingsDlg::CLoadCustomSettingsDlg() : Dialog(IDD_LOAD_PRESET) { std::strcpy(fileName, kPresetFileName); }

void CLoadCustomSettingsDlg::DoDataExchange(DataExchange& dx) {
    DDX_Control(dx, IDC_LOAD_LIST, list);
    DDX_LBString(dx, IDC_LOAD_LIST, selectionText);
}

BOOL CLoadCustomSettingsDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    store.FillRoomList(list.Get(), fileName, 2);
    if (list.SendMessage(LB_GETCOUNT) == 0)
        list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kNothingSaved));
    return TRUE;
}

BOOL CLoadCustomSettingsDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == static_cast<int>(IDC_LOAD_LIST) && HIWORD(wParam) == LBN_DBLCLK) {
        OnOK();
        return TRUE;
    }
    return Dialog::OnCommand(wParam, lParam);
}

void CLoadCustomSettingsDlg::OnOK() {
    UpdateData(TRUE);
    // A preset stored under this name is listed like the placeholder and cannot be told from it.
    if (selectionText == kNothingSaved) return;
    if (selectionText.empty()) {
        AfxMessageBox("Please select the setting to be loaded", MB_OK);
        return;
    }
    if (store.LoadRoomByName(fileName, preset, selectionText.c_str())) {
        loaded = 1;
        PostMessage(WM_CLOSE);
        return;
    }
    AfxMessageBox("The selected room could not be found, Sorry!", MB_OK);
    loaded = 0;
}
