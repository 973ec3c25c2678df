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
    // With vk 0: a character typed as an input method types it (WM_CHAR), for the characters no
    // key of the US layout gives without more ado; a Windows-1252 byte.
    win::UINT character = 0;
    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// Names compare without regard to case; modifiers are "Shift+", "Ctrl+" and "Alt+" prefixes.
// nullopt for an unknown name.
std::optional<KeyStroke> ParseKeyStroke(std::string_view name);

// The strokes that type `text`: letters, digits, space and - . , as key presses, every other
// printable character of Windows-1252 as a typed character. The text is UTF-8, or Windows-1252 when
// it is not well-formed UTF-8. nullopt (and the first character that cannot be typed, as written,
// in *bad) for control characters and characters Windows-1252 does not have.
std::optional<std::vector<KeyStroke>> KeyStrokesForText(std::string_view text, std::string* bad = nullptr);

// The names ParseKeyStroke knows besides letters, digits and F1..F12, for the help text.
std::string KnownKeyNames();
