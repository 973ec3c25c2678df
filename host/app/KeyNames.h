#pragma once
// Key names as demo scripts write them ("Up", "PageDown", "Shift+Tab", "A") and the virtual keys
// they stand for, so a script presses keys through the same input path as a person.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WinTypes.h"

struct KeyStroke {
    win::UINT vk = 0;
    bool shift = false;
    bool control = false;
    bool alt = false;
    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// Names compare without regard to case; modifiers are "Shift+", "Ctrl+" and "Alt+" prefixes.
// nullopt for an unknown name.
std::optional<KeyStroke> ParseKeyStroke(std::string_view name);

// The strokes that type `text`: letters, digits, space and - . , only. nullopt (and the first
// character that cannot be typed in *bad) otherwise.
std::optional<std::vector<KeyStroke>> KeyStrokesForText(std::string_view text, char* bad = nullptr);

// The names ParseKeyStroke knows besides letters, digits and F1..F12, for the help text.
std::string KnownKeyNames();
