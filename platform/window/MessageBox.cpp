#include "platform/window/MessageBox.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/gdi/GdiTypes.h"
#include "platform/module/Module.h"
#include "platform/window/Dialog.h"
#include "platform/window/PaintDC.h"
#include "platform/window/controls/ButtonControl.h"

namespace win {
namespace {

struct ButtonSpec {
    int id;
    const char* text;
};

std::vector<ButtonSpec> ButtonsFor(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
        case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
        case MB_YESNOCANCEL: return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
        case MB_YESNO: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
        case MB_RETRYCANCEL: return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
        default: return {{IDOK, "OK"}};
    }
}

constexpr int kMargin = 11;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kMaxTextWidth = 420;

class MessageBoxWindow : public Dialog {
public:
    MessageBoxWindow(const char* text, const char* caption, UINT type, Window* owner)
        : Dialog(MakeTemplate(caption, type), owner), text_(text ? text : ""), type_(type) {
        if (!owner) SetOwnerless();
    }

protected:
    static DialogTemplate MakeTemplate(const char* caption, UINT type) {
        DialogTemplate t;
        t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | (EscapeAllowed(type) ? WS_SYSMENU : 0);
        t.exStyle = WS_EX_DLGMODALFRAME;
        t.caption = caption ? caption : "Error";
        t.cx = 100;
        t.cy = 40;
        return t;
    }

    static bool EscapeAllowed(UINT type) {
        UINT kind = type & MB_TYPEMASK;
        return kind == MB_OK || kind == MB_OKCANCEL || kind == MB_YESNOCANCEL || kind == MB_RETRYCANCEL;
    }

    BOOL OnInitDialog() override {
        DC measure(nullptr);
        measure.SelectFont(std::shared_ptr<Font>(std::shared_ptr<Font>(), DefaultGuiFont()));
        Rect textRect{0, 0, kMaxTextWidth, 0};
        measure.DrawTextA(text_, &textRect, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        const bool icon = (type_ & MB_ICONMASK) != 0;
        const int textLeft = kMargin + (icon ? kIconSize + 14 : 0);
        const int contentHeight = std::max(icon ? kIconSize : 0, textRect.Height());
        const std::vector<ButtonSpec> buttons = ButtonsFor(type_);
        const int buttonsWidth = static_cast<int>(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
        const int clientWidth = std::max(textLeft + textRect.Width() + kMargin + 8, buttonsWidth + 2 * kMargin);
        const int clientHeight = kMargin + contentHeight + 14 + kButtonHeight + kMargin;
        textRect_ = Rect::FromSize(textLeft, kMargin + (contentHeight - textRect.Height()) / 2, textRect.Width() + 1,
                                   textRect.Height());
        iconRect_ = Rect::FromSize(kMargin, kMargin, kIconSize, kIconSize);

        Rect insets = NonClientInsets();
        Rect area = GetOwner() ? GetOwner()->WindowRect() : Rect{0, 0, 1024, 768};
        const int width = clientWidth + insets.left + insets.right;
        const int height = clientHeight + insets.top + insets.bottom;
        MoveWindow(area.left + (area.Width() - width) / 2, area.top + (area.Height() - height) / 2, width, height, FALSE);

        UINT defIndex = std::min<UINT>((type_ & MB_DEFMASK) >> 8, static_cast<UINT>(buttons.size()) - 1);
        int x = (clientWidth - buttonsWidth) / 2;
        for (size_t i = 0; i < buttons.size(); ++i) {
            auto* button = new ButtonControl();
            button->SetAutoDelete(true);
            DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == defIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            if (i == 0) style |= WS_GROUP;
            button->Create("Button", buttons[i].text, style,
                           Rect::FromSize(x, clientHeight - kMargin - kButtonHeight, kButtonWidth, kButtonHeight), this,
                           static_cast<UINT>(buttons[i].id));
            button->SetFont(DefaultGuiFont(), FALSE);
            if (i == defIndex) {
                SetDefaultId(buttons[i].id);
                focusFirst_ = button;
            }
            x += kButtonWidth + kButtonGap;
        }
        if (focusFirst_) focusFirst_->SetFocus();
        return FALSE;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        int id = LOWORD(wParam);
        if (id == IDCANCEL && !GetDlgItem(IDCANCEL)) {
            if ((type_ & MB_TYPEMASK) == MB_OK) EndDialog(IDOK);
            return TRUE;  // no way out but the buttons
        }
        if (GetDlgItem(id)) EndDialog(id);
        return TRUE;
    }

    void OnPaint() override {
        PaintDC dc(this);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
        Rect text = textRect_;
        dc.DrawTextA(text_, &text, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        PaintIcon(dc);
    }

    void PaintIcon(DC& dc) {
        const UINT icon = type_ & MB_ICONMASK;
        if (!icon) return;
        const int s = kIconSize;
        const double c = (s - 1) / 2.0;
        for (int y = 0; y < s; ++y)
            for (int x = 0; x < s; ++x) {
                COLORREF color;
                bool inside;
                if (icon == MB_ICONEXCLAMATION) {
                    // A yellow warning triangle with a black edge.
                    double half = (y + 1) * 0.5;
                    inside = y >= 2 && y < s - 1 && std::abs(x - c) <= half;
                    bool edge = inside && (std::abs(x - c) > half - 1.5 || y >= s - 3);
                    color = edge ? RGB(0, 0, 0) : RGB(255, 224, 0);
                } else {
                    double d = std::hypot(x - c, y - c);
                    inside = d <= c;
                    bool edge = d > c - 1.3;
                    COLORREF fill = icon == MB_ICONHAND ? RGB(220, 0, 0) : RGB(255, 255, 255);
                    color = edge ? (icon == MB_ICONHAND ? RGB(128, 0, 0) : RGB(0, 0, 160)) : fill;
                }
                if (inside) dc.SetPixel(iconRect_.left + x, iconRect_.top + y, color);
            }
        auto bar = [&](int x, int y, int w, int h, COLORREF color) {
            dc.FillSolidRect(Rect::FromSize(iconRect_.left + x, iconRect_.top + y, w, h), color);
        };
        switch (icon) {
            case MB_ICONEXCLAMATION: bar(15, 10, 3, 11, RGB(0, 0, 0)); bar(15, 24, 3, 3, RGB(0, 0, 0)); break;
            case MB_ICONASTERISK: bar(14, 7, 4, 4, RGB(0, 0, 200)); bar(14, 13, 4, 12, RGB(0, 0, 200)); break;
            case MB_ICONHAND:
                for (int i = 0; i < 14; ++i) {
                    bar(9 + i, 9 + i, 3, 2, RGB(255, 255, 255));
                    bar(9 + 13 - i, 9 + i, 3, 2, RGB(255, 255, 255));
                }
                break;
            default: {
                // A question mark drawn from bars.
                COLORREF blue = RGB(0, 0, 200);
                bar(11, 7, 10, 3, blue); bar(19, 9, 3, 6, blue); bar(15, 14, 5, 3, blue);
                bar(14, 16, 3, 5, blue); bar(10, 9, 3, 3, blue); bar(14, 23, 3, 3, blue);
                break;
            }
        }
    }

private:
    std::string text_;
    UINT type_;
    Rect textRect_;
    Rect iconRect_;
    Window* focusFirst_ = nullptr;
};

}  // namespace

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    MessageBoxWindow box(text, caption, type, Window::FromHandle(owner));
    INT_PTR result = box.DoModal();
    return result < 0 ? 0 : static_cast<int>(result);
}

int AfxMessageBox(const char* text, UINT type) {
    Module* module = CurrentModule();
    Window* owner = Window::GetActiveWindow();
    return MessageBoxA(owner ? owner->GetSafeHwnd() : nullptr, text, module ? module->Name().c_str() : "", type);
}

}  // namespace win
