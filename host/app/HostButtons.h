#pragma once
// The host program's own push buttons below the editor, named for demo scripts ("press clip").
#include <optional>
#include <span>
#include <string_view>

enum class HostButton {
    Editor,   // shows or hides the editor
    Clip,     // toggles the engine's clip bit in statusFlags
    MidiCc,   // sends a controller change to every registered record
    Presets,  // toggles presetsAvailable
};

std::span<const HostButton> AllHostButtons();
// The script name: "editor", "clip", "cc", "presets".
const char* HostButtonName(HostButton button);
std::optional<HostButton> HostButtonFromName(std::string_view name);
// The control id of the button in the host window.
int HostButtonId(HostButton button);
