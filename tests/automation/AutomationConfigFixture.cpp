#include "tests/automation/AutomationConfigFixture.h"

#include <cctype>
#include <memory>

#include "platform/gdi/DrawTrace.h"
#include "platform/window/Menu.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"
#include "platform/window/controls/ComboBoxMessages.h"
#include "platform/window/controls/ListBoxMessages.h"

using namespace win;

namespace automationtest {

namespace {

Point Centre(const Rect& r) { return {r.left + r.Width() / 2, r.top + r.Height() / 2}; }

std::string PaintedTexts(Window& window) {
    ScopedDrawTrace trace;
    window.RedrawWindow();
    std::string joined;
    for (const DrawTraceEntry& entry : trace.Entries())
        if (entry.op == DrawOp::TextOut) joined += entry.text + "|";
    return joined;
}

}  // namespace

void AutomationConfigTest::TearDown() {
    SetIdleHook(nullptr);
    EditorFixture::TearDown();
}

DialogRun AutomationConfigTest::Drive(const std::function<void()>& open, std::vector<Step> steps) {
    auto run = std::make_shared<DialogRun>();
    auto next = std::make_shared<size_t>(0);
    auto lastDialog = std::make_shared<HWND>(nullptr);
    SetIdleHook([run, next, lastDialog, steps] {
        if (Window* menu = TrackedPopupMenuWindow()) {
            (void)menu;
            InjectClick(Centre(TrackedPopupMenuItemRect(3)));
            return;
        }
        Window* active = Window::GetActiveWindow();
        if (!active) return;
        if (active->GetWindowText() != kCaption) {
            run->boxes.push_back(PaintedTexts(*active));
            InjectKeyPress(VK_RETURN);
            return;
        }
        if (active->GetSafeHwnd() != *lastDialog) {
            *lastDialog = active->GetSafeHwnd();
            ++run->dialogsSeen;
        }
        if (*next < steps.size()) {
            steps[(*next)++](*active);
        } else {
            run->leftOpen = true;
            InjectKeyPress(VK_ESCAPE);
        }
    });
    open();
    Pump();
    SetIdleHook(nullptr);
    return *run;
}

DialogRun AutomationConfigTest::ConfigureAt(Point panelPoint, std::vector<Step> steps) {
    return Drive([&] { ClickClient(*panel, panelPoint, 1); }, std::move(steps));
}

void AutomationConfigTest::ClickControl(Window& dialog, int id) {
    Window* control = dialog.GetDlgItem(id);
    ASSERT_NE(control, nullptr) << id;
    InjectClick(Centre(control->WindowRect()));
}

void AutomationConfigTest::ClickListLine(Window& dialog, int line) {
    Window* list = dialog.GetDlgItem(kControllerList);
    ASSERT_NE(list, nullptr);
    const int top = static_cast<int>(list->SendMessage(LB_GETTOPINDEX));
    const int visible = list->ClientRect().Height() / static_cast<int>(list->SendMessage(LB_GETITEMHEIGHT));
    if (line < top || line >= top + visible) list->SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(line));
    Rect item;
    ASSERT_NE(list->SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item)), LB_ERR);
    list->ClientToScreen(&item);
    InjectClick(Centre(item));
}

void AutomationConfigTest::ClickComboField(Window& dialog, int id) {
    Window* combo = dialog.GetDlgItem(id);
    ASSERT_NE(combo, nullptr) << id;
    const Rect r = combo->WindowRect();
    // The field's left part: the drop button is at the right end.
    InjectClick({r.left + 10, r.top + 8});
}

void AutomationConfigTest::ClickCloseBox(Window& dialog) {
    // A tool window's close box: 10 x 11 pixels, 2 in from the 3-pixel frame.
    const Rect r = dialog.WindowRect();
    InjectClick({r.right - 3 - 2 - 5, r.top + 3 + 2 + 5});
}

Step AutomationConfigTest::Key(UINT vk) {
    return [vk](Window&) { InjectKeyPress(vk); };
}

Step AutomationConfigTest::Click(int id) {
    return [id](Window& dialog) { ClickControl(dialog, id); };
}

Step AutomationConfigTest::ChooseLine(int line) {
    return [line](Window& dialog) { ClickListLine(dialog, line); };
}

Step AutomationConfigTest::ChooseComboLine(int id, int line) {
    return [id, line](Window& dialog) {
        ClickComboField(dialog, id);
        InjectKeyPress(VK_HOME);
        for (int i = 0; i < line; ++i) InjectKeyPress(VK_DOWN);
    };
}

// Letters, digits and spaces, typed on the keys as a person would.
Step AutomationConfigTest::Type(const char* text) {
    return [text](Window&) {
        for (const char* c = text; *c; ++c) InjectKeyPress(*c == ' ' ? VK_SPACE : static_cast<UINT>(std::toupper(*c)));
    };
}

Step AutomationConfigTest::Inspect(std::function<void(Window&)> look) {
    return [look](Window& dialog) {
        look(dialog);
        // The loop goes idle again at once; the next step follows.
        dialog.PostMessage(WM_NULL);
    };
}

int AutomationConfigTest::SelectedLine(Window& dialog, int id) {
    Window* control = dialog.GetDlgItem(id);
    if (!control) return -2;
    return static_cast<int>(control->SendMessage(id == kControllerList ? LB_GETCURSEL : CB_GETCURSEL));
}

std::vector<std::string> AutomationConfigTest::Lines(Window& dialog, int id) {
    std::vector<std::string> lines;
    Window* control = dialog.GetDlgItem(id);
    if (!control) return lines;
    const bool list = id == kControllerList;
    const int count = static_cast<int>(control->SendMessage(list ? LB_GETCOUNT : CB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(control->SendMessage(list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, i)), '\0');
        control->SendMessage(list ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(text.data()));
        lines.push_back(text);
    }
    return lines;
}

}  // namespace automationtest
