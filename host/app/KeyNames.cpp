#include "host/app/KeyNames.h"

#include <array>
#include <charconv>

#include "platform/gdi/TextCodec.h"
#include "platform/kernel/AsciiCase.h"
#include "platform/window/WindowMessages.h"

namespace {

struct NamedKey {
    const char* name;
    win::UINT vk;
};

// Plus and Minus are the keypad keys the editor's controls step with.
constexpr std::array<NamedKey, 22> kNamedKeys{{
    {"Up", win::VK_UP},         {"Down", win::VK_DOWN},      {"Left", win::VK_LEFT},
    {"Right", win::VK_RIGHT},   {"PageUp", win::VK_PRIOR},   {"PageDown", win::VK_NEXT},
    {"Home", win::VK_HOME},     {"End", win::VK_END},        {"Tab", win::VK_TAB},
    {"Enter", win::VK_RETURN},  {"Return", win::VK_RETURN},  {"Escape", win::VK_ESCAPE},
    {"Esc", win::VK_ESCAPE},    {"Space", win::VK_SPACE},    {"Backspace", win::VK_BACK},
    {"Delete", win::VK_DELETE}, {"Insert", win::VK_INSERT},  {"Plus", win::VK_ADD},
    {"Minus", win::VK_SUBTRACT}, {"Multiply", win::VK_MULTIPLY}, {"Divide", win::VK_DIVIDE},
    {"Decimal", win::VK_DECIMAL},
}};

bool ConsumePrefix(std::string_view& text, std::string_view prefix) {
    if (text.size() <= prefix.size() || !win::EqualsIgnoringCase(text.substr(0, prefix.size()), prefix)) return false;
    text.remove_prefix(prefix.size());
    return true;
}

std::optional<win::UINT> BaseKey(std::string_view name) {
    if (name.size() == 1) {
        char c = name[0];
        if (c >= 'a' && c <= 'z') return static_cast<win::UINT>(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<win::UINT>(c);
    }
    for (const NamedKey& key : kNamedKeys)
        if (win::EqualsIgnoringCase(name, key.name)) return key.vk;
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
        int number = 0;
        auto [end, error] = std::from_chars(name.data() + 1, name.data() + name.size(), number);
        if (error == std::errc() && end == name.data() + name.size() && number >= 1 && number <= 12)
            return win::VK_F1 + static_cast<win::UINT>(number - 1);
    }
    return std::nullopt;
}

}  // namespace

std::optional<KeyStroke> ParseKeyStroke(std::string_view name) {
    KeyStroke stroke;
    for (bool more = true; more;) {
        more = false;
        if (ConsumePrefix(name, "Shift+")) stroke.shift = more = true;
        else if (ConsumePrefix(name, "Ctrl+")) stroke.control = more = true;
        else if (ConsumePrefix(name, "Alt+")) stroke.alt = more = true;
    }
    std::optional<win::UINT> vk = BaseKey(name);
    if (!vk) return std::nullopt;
    stroke.vk = *vk;
    return stroke;
}

std::optional<std::vector<KeyStroke>> KeyStrokesForText(std::string_view text, std::string* bad) {
    std::u32string codePoints;
    win::DecodeText(text, codePoints);
    std::vector<KeyStroke> strokes;
    for (char32_t point : codePoints) {
        const std::u32string one(1, point);
        // NUL stands for "not in the code page": no typed text holds one.
        const std::string byte = point == 0 ? std::string(1, '\0') : win::Utf8ToCp1252(win::EncodeUtf8(one), '\0');
        const auto c = static_cast<unsigned char>(byte.size() == 1 ? byte[0] : 0);
        KeyStroke stroke;
        if (c >= 'a' && c <= 'z') stroke.vk = static_cast<win::UINT>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z') stroke = {static_cast<win::UINT>(c), true};
        else if (c >= '0' && c <= '9') stroke.vk = static_cast<win::UINT>(c);
        else if (c == ' ') stroke.vk = win::VK_SPACE;
        else if (c == '-') stroke.vk = win::VK_OEM_MINUS;
        else if (c == '.') stroke.vk = win::VK_OEM_PERIOD;
        else if (c == ',') stroke.vk = win::VK_OEM_COMMA;
        else if (c >= 0x20 && c != 0x7F) stroke.character = c;
        else {
            if (bad) *bad = win::EncodeUtf8(one);
            return std::nullopt;
        }
        strokes.push_back(stroke);
    }
    return strokes;
}

std::string KnownKeyNames() {
    std::string names;
    for (const NamedKey& key : kNamedKeys) {
        if (!names.empty()) names += ' ';
        names += key.name;
    }
    return names;
}
