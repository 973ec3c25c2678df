#include "host/app/ScriptPlayer.h"

#include <algorithm>
#include <cstdlib>

#include "host/app/SlotJson.h"
#include "platform/gdi/TextCodec.h"
#include "platform/kernel/AsciiCase.h"
#include "platform/window/WindowSystem.h"
#include "platform/window/controls/ComboBoxMessages.h"
#include "platform/window/controls/ListBoxMessages.h"

namespace {

// Scripts are UTF-8 (or Windows-1252) text, the controls hold Windows-1252, standard output is UTF-8.
std::string ToControlText(std::string_view script) {
    std::u32string codePoints;
    win::DecodeText(script, codePoints);
    return win::Utf8ToCp1252(win::EncodeUtf8(codePoints));
}

constexpr win::UINT_PTR kStepTimer = 1;
// Timers run at 10 ms at the shortest; every command takes at least one such tick.
constexpr unsigned kTickMs = 10;

void PressModifiers(const KeyStroke& stroke, bool down) {
    if (stroke.shift) win::InjectKey(win::VK_SHIFT, down);
    if (stroke.control) win::InjectKey(win::VK_CONTROL, down);
    if (stroke.alt) win::InjectKey(win::VK_MENU, down);
}

void InjectStroke(const KeyStroke& stroke) {
    if (stroke.vk == 0) {
        win::InjectChar(stroke.character);
        return;
    }
    PressModifiers(stroke, true);
    win::InjectKeyPress(stroke.vk);
    PressModifiers(stroke, false);
}

// The window a person would act on: the top-most visible one, tooltips aside.
win::Window* TopWindow() {
    for (win::Window* window : win::WindowSystem::Instance().TopLevels())
        if (window->IsWindowVisible() && window->ClassName() != "tooltips_class32") return window;
    return nullptr;
}

win::Window* FindControl(win::Window* root, int id) {
    for (win::Window* child : root->Children()) {
        if (child->GetDlgCtrlID() == id) return child;
        if (win::Window* found = FindControl(child, id)) return found;
    }
    return nullptr;
}

std::string Describe(win::Window* window) {
    const std::string title = window->GetWindowText();
    return title.empty() ? "the top-most window" : "\"" + title + "\"";
}

win::Point Middle(const win::Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A combo box's dropped list is a list box of its own class.
bool IsListBox(const win::Window* window) {
    return win::EqualsIgnoringCase(window->ClassName(), "ListBox") || win::EqualsIgnoringCase(window->ClassName(), "ComboLBox");
}
bool IsComboBox(const win::Window* window) { return win::EqualsIgnoringCase(window->ClassName(), "ComboBox"); }

// The messages that read the lines of a list box or a combo box.
struct LineMessages {
    win::UINT count, selection, length, text;
};
constexpr LineMessages kListLines{win::LB_GETCOUNT, win::LB_GETCURSEL, win::LB_GETTEXTLEN, win::LB_GETTEXT};
constexpr LineMessages kComboLines{win::CB_GETCOUNT, win::CB_GETCURSEL, win::CB_GETLBTEXTLEN, win::CB_GETLBTEXT};

std::string TextOfLine(win::Window* list, int index, const LineMessages& messages = kListLines) {
    const auto length = list->SendMessage(messages.length, static_cast<win::WPARAM>(index));
    if (length < 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    list->SendMessage(messages.text, static_cast<win::WPARAM>(index), reinterpret_cast<win::LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

// The line's rectangle in the list's client area, scrolled into view first as a person would.
win::Rect VisibleLine(win::Window* list, int index) {
    win::Rect line;
    list->SendMessage(win::LB_GETITEMRECT, static_cast<win::WPARAM>(index), reinterpret_cast<win::LPARAM>(&line));
    const win::Rect client = list->ClientRect();
    if (line.top < client.top || line.bottom > client.bottom) {
        list->SendMessage(win::LB_SETTOPINDEX, static_cast<win::WPARAM>(index));
        list->SendMessage(win::LB_GETITEMRECT, static_cast<win::WPARAM>(index), reinterpret_cast<win::LPARAM>(&line));
    }
    return line;
}

// A drag moves in steps of a few pixels, as a hand would, so controls that track the pointer see
// the way between the two ends.
void InjectDrag(win::Point from, win::Point to, int button) {
    const int distance = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    const int steps = std::clamp(distance / 6, 1, 40);
    win::InjectMouseMove(from);
    win::InjectMouseButton(from, button, true);
    for (int i = 1; i <= steps; ++i)
        win::InjectMouseMove({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    win::InjectMouseButton(to, button, false);
}

}  // namespace

ScriptPlayer::ScriptPlayer(std::vector<script::Command> commands, std::string sourceName, ScriptActions& actions)
    : commands_(std::move(commands)), sourceName_(std::move(sourceName)), actions_(actions) {}

bool ScriptPlayer::Start() {
    if (!CreateEx(0, nullptr, "Script player", win::WS_POPUP, win::Rect::FromSize(0, 0, 1, 1), nullptr, 0)) return false;
    return SetTimer(kStepTimer, kTickMs) != 0;
}

void ScriptPlayer::OnTimer(win::UINT_PTR id) {
    if (id != kStepTimer || finished_) return;
    KillTimer(kStepTimer);
    if (next_ >= commands_.size()) {
        Finish(false, {});
        return;
    }
    const script::Command& command = commands_[next_++];
    std::optional<unsigned> delay = Execute(command);
    if (delay) SetTimer(kStepTimer, std::max(*delay, kTickMs));
}

std::optional<unsigned> ScriptPlayer::Execute(const script::Command& command) {
    using namespace script;
    const Action& action = command.action;
    if (auto* move = std::get_if<Move>(&action)) {
        win::InjectMouseMove(actions_.EditorToScreen(move->to));
    } else if (auto* click = std::get_if<Click>(&action)) {
        const win::Point at = actions_.EditorToScreen(click->at);
        win::InjectClick(at, click->button);
        if (click->twice) win::InjectClick(at, click->button);
    } else if (auto* drag = std::get_if<Drag>(&action)) {
        InjectDrag(actions_.EditorToScreen(drag->from), actions_.EditorToScreen(drag->to), drag->button);
    } else if (auto* key = std::get_if<Key>(&action)) {
        InjectStroke(key->stroke);
    } else if (auto* type = std::get_if<Type>(&action)) {
        for (const KeyStroke& stroke : type->strokes) InjectStroke(stroke);
    } else if (auto* wait = std::get_if<Wait>(&action)) {
        return wait->ms;
    } else if (auto* shot = std::get_if<Screenshot>(&action)) {
        std::string error;
        if (!actions_.SaveScreenshot(shot->path, &error)) {
            Finish(true, Where(command) + error);
            return std::nullopt;
        }
    } else if (auto* set = std::get_if<Set>(&action)) {
        actions_.SetField(set->field, set->value);
    } else if (auto* cc = std::get_if<ControllerChange>(&action)) {
        actions_.ControllerChange(cc->port, cc->channel, cc->controller, cc->value);
    } else if (auto* automate = std::get_if<Automate>(&action)) {
        if (!actions_.RestoreAutomation(automate->field, automate->port, automate->channel, automate->controller)) {
            Finish(true, Where(command) + "the slot refused the registration");
            return std::nullopt;
        }
    } else if (auto* show = std::get_if<Show>(&action)) {
        actions_.ShowEditor(show->show);
    } else if (auto* press = std::get_if<Press>(&action)) {
        win::InjectClick(actions_.HostButtonOnScreen(press->button));
    } else if (auto* button = std::get_if<Button>(&action)) {
        const win::Point at = actions_.EditorToScreen(button->at);
        win::InjectMouseMove(at);
        win::InjectMouseButton(at, 0, button->down);
    } else if (std::holds_alternative<Quit>(action)) {
        Finish(true, {});
        return std::nullopt;
    } else if (std::holds_alternative<PrintField>(action) || std::holds_alternative<Dump>(action) ||
               std::holds_alternative<Expect>(action) || std::holds_alternative<ExpectCall>(action) ||
               std::holds_alternative<BindEffect>(action) || std::holds_alternative<RefreshAutomation>(action) ||
               std::holds_alternative<EditorLife>(action)) {
        if (std::string error = ExecuteOnSlot(action); !error.empty()) {
            Finish(true, Where(command) + error);
            return std::nullopt;
        }
    } else if (std::string error = ExecuteOnTopWindow(action); !error.empty()) {
        Finish(true, Where(command) + error);
        return std::nullopt;
    }
    return kTickMs;
}

std::string ScriptPlayer::ExecuteOnTopWindow(const script::Action& action) {
    using namespace script;
    win::Window* top = TopWindow();
    if (!top) return "no window is open";
    if (auto* click = std::get_if<WindowClick>(&action)) {
        win::Point at = click->at;
        top->ClientToScreen(&at);
        win::InjectClick(at, click->button);
        if (click->twice) win::InjectClick(at, click->button);
        return {};
    }
    const int id = std::holds_alternative<ControlClick>(action) ? std::get<ControlClick>(action).id
                   : std::holds_alternative<SelectLine>(action) ? std::get<SelectLine>(action).id
                                                                : std::get<Print>(action).id;
    if (auto* print = std::get_if<Print>(&action); print && print->id == 0) {
        actions_.Print(win::Cp1252ToUtf8(top->GetWindowText()));
        return {};
    }
    win::Window* control = FindControl(top, id);
    if (!control) return Describe(top) + " has no control " + std::to_string(id);
    if (std::holds_alternative<Print>(action)) {
        const bool list = IsListBox(control), combo = IsComboBox(control);
        if (!list) actions_.Print(win::Cp1252ToUtf8(control->GetWindowText()));
        if (!list && !combo) return {};
        const LineMessages& messages = list ? kListLines : kComboLines;
        const auto count = control->SendMessage(messages.count);
        const auto selected = control->SendMessage(messages.selection);
        for (win::LRESULT i = 0; i < count; ++i)
            actions_.Print((i == selected ? "> " : "  ") +
                           win::Cp1252ToUtf8(TextOfLine(control, static_cast<int>(i), messages)));
        return {};
    }
    if (!control->IsWindowVisible() || !control->IsWindowEnabled())
        return "control " + std::to_string(id) + " of " + Describe(top) + " is hidden or disabled";
    if (std::holds_alternative<ControlClick>(action)) {
        win::InjectClick(Middle(control->WindowRect()));
        return {};
    }
    const std::string& asWritten = std::get<SelectLine>(action).text;
    const std::string text = ToControlText(asWritten);
    win::Window* combo = IsComboBox(control) ? control : nullptr;
    if (combo) {
        // Its list drops as a popup of its own, on top of everything: the line is clicked there.
        combo->SendMessage(win::CB_SHOWDROPDOWN, win::TRUE);
        control = TopWindow();
        if (!control || !IsListBox(control))
            return "combo box " + std::to_string(id) + " of " + Describe(top) + " did not drop its list";
    } else if (!IsListBox(control)) {
        return "control " + std::to_string(id) + " of " + Describe(top) + " is not a list box or a combo box";
    }
    const auto index = control->SendMessage(win::LB_FINDSTRINGEXACT, static_cast<win::WPARAM>(-1),
                                            reinterpret_cast<win::LPARAM>(text.c_str()));
    if (index == win::LB_ERR) {
        if (combo) combo->SendMessage(win::CB_SHOWDROPDOWN, win::FALSE);
        return "list " + std::to_string(id) + " of " + Describe(top) + " has no line \"" + asWritten + "\"";
    }
    win::Point at = Middle(VisibleLine(control, static_cast<int>(index)));
    control->ClientToScreen(&at);
    win::InjectClick(at);
    return {};
}

std::string ScriptPlayer::ExecuteOnSlot(const script::Action& action) {
    using namespace script;
    const CEffectsPlugin& slot = actions_.Slot();
    if (auto* print = std::get_if<PrintField>(&action)) {
        std::optional<unsigned long> value = FieldValue(slot, print->field);
        actions_.Print(std::string(FieldName(print->field)) + " = " + (value ? std::to_string(*value) : "none"));
    } else if (std::holds_alternative<Dump>(action)) {
        actions_.Print(SlotToJson(slot));
    } else if (auto* expect = std::get_if<Expect>(&action)) {
        std::optional<unsigned long> value = FieldValue(slot, expect->field);
        if (value != expect->value)
            return std::string("expected ") + FieldName(expect->field) + " = " + std::to_string(expect->value) +
                   ", found " + (value ? std::to_string(*value) : "no parameter block");
    } else if (auto* expectCall = std::get_if<ExpectCall>(&action)) {
        const std::vector<HostCall>& calls = slot.CallLog().Calls();
        for (size_t i = callsChecked_; i < calls.size(); ++i)
            if (calls[i].ToString() == expectCall->text) {
                callsChecked_ = i + 1;
                return {};
            }
        std::string made;
        for (size_t i = callsChecked_; i < calls.size(); ++i) made += (made.empty() ? "" : ", ") + calls[i].ToString();
        return "expected the call " + expectCall->text + ", but the editor made " +
               (made.empty() ? std::string("no call") : made) + " since the last expect-call";
    } else if (auto* bind = std::get_if<BindEffect>(&action)) {
        return actions_.BindEffect(bind->bind);
    } else if (std::holds_alternative<RefreshAutomation>(action)) {
        return actions_.RefreshEffectAutomation();
    } else if (auto* life = std::get_if<EditorLife>(&action)) {
        return actions_.SetEditorAlive(life->create);
    }
    return {};
}

void ScriptPlayer::Finish(bool quitRequested, const std::string& error) {
    finished_ = true;
    KillTimer(kStepTimer);
    actions_.ScriptEnded(quitRequested, error);
}

std::string ScriptPlayer::Where(const script::Command& command) const {
    return sourceName_ + ":" + std::to_string(command.line) + ": ";
}
