#pragma once
// The clipboard for text, which is all the platform's controls exchange through it. The window
// layer keeps it in memory; when the desktop's backend has a clipboard of its own (the SDL
// window), the desktop connects it here, so text cut in the editor can be pasted elsewhere and the
// other way round. Text here is in the code page of CF_TEXT, Windows-1252; the desktop's side is
// UTF-8, converted on the way.
//
// Windows: CF_TEXT data ends at its first NUL (learn.microsoft.com "Standard Clipboard Formats"),
// so text put here stops there too.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace win {

constexpr UINT CF_TEXT = 1;

// Replaces the clipboard's contents with `text`.
void SetClipboardText(std::string_view text);
// The text on the clipboard, or nothing when it holds no text.
std::optional<std::string> GetClipboardText();
BOOL IsClipboardFormatAvailable(UINT format);
BOOL EmptyClipboard();

// The desktop's own clipboard, in UTF-8. `put` replaces its text; `take` reads it (nothing when it
// holds no text). Installed by the desktop for a backend that has one; empty functions restore the
// in-memory clipboard.
struct ClipboardBridge {
    std::function<void(const std::string& utf8)> put;
    std::function<std::optional<std::string>()> take;
};
void SetClipboardBridge(ClipboardBridge bridge);

}  // namespace win
