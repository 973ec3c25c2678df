#include "host/app/HostButtons.h"

#include <array>

#include "platform/kernel/AsciiCase.h"

namespace {

constexpr std::array<HostButton, 4> kButtons{HostButton::Editor, HostButton::Clip, HostButton::MidiCc,
                                             HostButton::Presets};
constexpr std::array<const char*, 4> kNames{"editor", "clip", "cc", "presets"};
constexpr int kFirstId = 1001;

}  // namespace

std::span<const HostButton> AllHostButtons() { return kButtons; }

const char* HostButtonName(HostButton button) { return kNames[static_cast<size_t>(button)]; }

std::optional<HostButton> HostButtonFromName(std::string_view name) {
    for (HostButton button : kButtons)
        if (win::EqualsIgnoringCase(name, HostButtonName(button))) return button;
    return std::nullopt;
}

int HostButtonId(HostButton button) { return kFirstId + static_cast<int>(button); }
