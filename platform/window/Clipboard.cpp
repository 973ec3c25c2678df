#include "platform/window/Clipboard.h"

#include "platform/gdi/TextCodec.h"

namespace win {
namespace {

struct ClipboardState {
    std::optional<std::string> text;
    ClipboardBridge bridge;
};

ClipboardState& State() {
    static ClipboardState state;
    return state;
}

bool Bridged() { return State().bridge.put && State().bridge.take; }

}  // namespace

void SetClipboardText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    if (Bridged()) State().bridge.put(Cp1252ToUtf8(text));
    else State().text = std::string(text);
}

std::optional<std::string> GetClipboardText() {
    if (!Bridged()) return State().text;
    std::optional<std::string> utf8 = State().bridge.take();
    if (!utf8) return std::nullopt;
    return Utf8ToCp1252(*utf8);
}

BOOL IsClipboardFormatAvailable(UINT format) { return format == CF_TEXT && GetClipboardText() ? TRUE : FALSE; }

BOOL EmptyClipboard() {
    if (Bridged()) State().bridge.put(std::string());
    else State().text.reset();
    return TRUE;
}

void SetClipboardBridge(ClipboardBridge bridge) { State().bridge = std::move(bridge); }

}  // namespace win
