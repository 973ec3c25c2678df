#include "platform/window/DataExchange.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/window/ControlMessages.h"

namespace win {
namespace {

std::string ControlText(Window& control) {
    const auto length = control.SendMessage(WM_GETTEXTLENGTH);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const auto copied = control.SendMessage(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
}

// An edit reports EN_CHANGE for every WM_SETTEXT, also of the text it holds: only a real change is
// written, or a change handler that writes its members back would call itself for ever.
void WriteText(Window& control, const std::string& text) {
    if (ControlText(control) != text) control.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

Window* DataExchange::PrepareControl(int id) {
    Window* control = dialog.GetDlgItem(id);
    if (!control) {
        // A DoDataExchange naming a control its template lacks is a programming error.
        std::fprintf(stderr, "kvx4platform: data exchange names control %d, which dialog \"%s\" does not have\n", id,
                     dialog.GetWindowText().c_str());
        Fail();
        return nullptr;
    }
    lastControl_ = control->GetSafeHwnd();
    return control;
}

Window* DataExchange::FailedControl() const { return failed_ ? Window::FromHandle(lastControl_) : nullptr; }

void DDX_Control(DataExchange& dx, int id, ControlRef& control) {
    if (dx.Failed() || control) return;
    if (Window* window = dx.PrepareControl(id)) control.Attach(window);
}

void DDX_Text(DataExchange& dx, int id, std::string& value) {
    if (dx.Failed()) return;
    Window* control = dx.PrepareControl(id);
    if (!control) return;
    if (dx.saveAndValidate) value = ControlText(*control);
    else WriteText(*control, value);
}

void DDX_Text(DataExchange& dx, int id, char* buffer, int size) {
    if (dx.Failed()) return;
    Window* control = dx.PrepareControl(id);
    if (!control) return;
    if (!buffer || size <= 0) {
        std::fprintf(stderr, "kvx4platform: data exchange with control %d has no room for its text\n", id);
        dx.Fail();
        return;
    }
    const size_t room = static_cast<size_t>(size) - 1;
    if (!dx.saveAndValidate) {
        // The buffer may hold no terminator: it is read no further than its size.
        WriteText(*control, std::string(buffer, strnlen(buffer, static_cast<size_t>(size))));
        if (room > 0) control->SendMessage(EM_LIMITTEXT, room);
        return;
    }
    const std::string text = ControlText(*control);
    const size_t kept = std::min(text.size(), room);
    std::memcpy(buffer, text.data(), kept);
    buffer[kept] = '\0';
    if (kept < text.size())
        std::fprintf(stderr, "kvx4platform: the text of control %d (%zu characters) was cut to the %zu its member holds\n",
                     id, text.size(), room);
}

void DDX_LBString(DataExchange& dx, int id, std::string& value) {
    if (dx.Failed()) return;
    Window* control = dx.PrepareControl(id);
    if (!control) return;
    if (!dx.saveAndValidate) {
        // An empty string begins every line, yet LB_SELECTSTRING finds nothing for it: either way no
        // line matches, and then none is selected.
        if (value.empty() ||
            control->SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.c_str())) == LB_ERR)
            control->SendMessage(LB_SETCURSEL, static_cast<WPARAM>(-1));
        return;
    }
    value.clear();
    const LRESULT index = control->SendMessage(LB_GETCURSEL);
    if (index < 0) return;
    const LRESULT length = control->SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length <= 0) return;
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = control->SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    if (copied > 0) value.assign(buffer.data(), static_cast<size_t>(std::min(copied, length)));
}

}  // namespace win
