#pragma once
// A single-line edit field, 115 x 14 dialog units as in the save dialog, on a top-level window that
// logs the edit's notifications; helpers type and press keys through the real input path.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/window/controls/EditControl.h"
#include "tests/support/HeadlessDesktop.h"

namespace testsupport {

// The parent: logs each notification code and whether the edit had painted when it came.
class NotifyLog : public win::Window {
public:
    std::vector<win::UINT> codes;
    std::vector<bool> editPainted;
    win::Window* edit = nullptr;

    void Clear() {
        codes.clear();
        editPainted.clear();
    }

protected:
    win::BOOL OnCommand(win::WPARAM wParam, win::LPARAM lParam) override {
        if (reinterpret_cast<win::HWND>(lParam) == edit->GetSafeHwnd() && win::LOWORD(wParam) == edit->GetDlgCtrlID()) {
            codes.push_back(win::HIWORD(wParam));
            editPainted.push_back(edit->UpdateRegion().IsEmpty());
        }
        return win::TRUE;
    }
    long BackgroundColor() const override { return static_cast<long>(win::GetSysColor(win::COLOR_BTNFACE)); }
};

class EditTest : public HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        owner.Create(nullptr, "", win::WS_POPUP | win::WS_VISIBLE, {0, 0, 320, 120}, nullptr, 0);
        MakeEdit(win::ES_AUTOHSCROLL);
    }
    void MakeEdit(win::DWORD styles, int width = 172) {
        edit = std::make_unique<win::EditControl>();
        owner.edit = edit.get();
        edit->CreateEx(win::WS_EX_CLIENTEDGE, "Edit", "", win::WS_CHILD | win::WS_VISIBLE | styles,
                       {10, 10, 10 + width, 33}, &owner, 1002);
        edit->SetFocus();
        Pump();
        owner.Clear();
    }
    void Type(std::string_view text) {
        for (char c : text) win::InjectChar(static_cast<unsigned char>(c));
        Pump();
    }
    void PressWith(win::UINT modifier, win::UINT vk) {
        win::InjectKey(modifier, true);
        win::InjectKeyPress(vk);
        win::InjectKey(modifier, false);
        Pump();
    }
    void SetText(const char* text) {
        edit->SetWindowText(text);
        owner.Clear();
    }
    std::string Text() const { return edit->GetWindowText(); }
    std::pair<win::DWORD, win::DWORD> Sel() {
        win::DWORD start = 0, end = 0;
        edit->SendMessage(win::EM_GETSEL, reinterpret_cast<win::WPARAM>(&start), reinterpret_cast<win::LPARAM>(&end));
        return {start, end};
    }
    void Select(int start, int end) { edit->SendMessage(win::EM_SETSEL, static_cast<win::WPARAM>(start), end); }
    // The client x of the boundary before character `index`, which must be inside the text.
    int XOf(std::size_t index) { return win::GET_X_LPARAM(edit->SendMessage(win::EM_POSFROMCHAR, index)); }
    win::Point ScreenPointAt(int clientX) {
        win::Point p{clientX, 8};
        edit->ClientToScreen(&p);
        return p;
    }

    NotifyLog owner;
    std::unique_ptr<win::EditControl> edit;
};

using Range = std::pair<win::DWORD, win::DWORD>;

}  // namespace testsupport
