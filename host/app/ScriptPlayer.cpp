#include "host/app/ScriptPlayer.h"

#include <algorithm>
#include <cstdlib>

#include "platform/window/WindowSystem.h"

namespace {

constexpr win::UINT_PTR kStepTimer = 1;
// Timers run at 10 ms at the shortest; every command takes at least one such tick.
constexpr unsigned kTickMs = 10;

void PressModifiers(const KeyStroke& stroke, bool down) {
    if (stroke.shift) win::InjectKey(win::VK_SHIFT, down);
    if (stroke.control) win::InjectKey(win::VK_CONTROL, down);
    if (stroke.alt) win::InjectKey(win::VK_MENU, down);
}

void InjectStroke(const KeyStroke& stroke) {
    PressModifiers(stroke, true);
    win::InjectKeyPress(stroke.vk);
    PressModifiers(stroke, false);
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
    } else if (std::holds_alternative<Quit>(action)) {
        Finish(true, {});
        return std::nullopt;
    }
    return kTickMs;
}

void ScriptPlayer::Finish(bool quitRequested, const std::string& error) {
    finished_ = true;
    KillTimer(kStepTimer);
    actions_.ScriptEnded(quitRequested, error);
}

std::string ScriptPlayer::Where(const script::Command& command) const {
    return sourceName_ + ":" + std::to_string(command.line) + ": ";
}
