#include <gtest/gtest.h>

#include "platform/window/Clipboard.h"
#include "tests/platform/window/EditFixture.h"

using namespace win;
using testsupport::EditTest;
using testsupport::Range;

namespace {

TEST_F(EditTest, CutCopyAndPasteWithEveryKeyAndMessage) {
    SetText("hello world");
    Select(0, 5);
    PressWith(VK_CONTROL, 'C');
    EXPECT_EQ(GetClipboardText(), "hello");
    Select(6, 11);
    PressWith(VK_CONTROL, 'X');
    EXPECT_EQ(GetClipboardText(), "world");
    Press(VK_HOME);
    PressWith(VK_CONTROL, 'V');
    EXPECT_EQ(Text(), "worldhello ");
    EXPECT_EQ(Sel(), Range(5, 5));

    Select(5, 10);
    PressWith(VK_CONTROL, VK_INSERT);
    EXPECT_EQ(GetClipboardText(), "hello");
    PressWith(VK_SHIFT, VK_DELETE);
    PressWith(VK_SHIFT, VK_INSERT);
    PressWith(VK_SHIFT, VK_INSERT);
    EXPECT_EQ(Text(), "worldhellohello ");

    Select(0, 5);
    edit->SendMessage(WM_COPY);
    edit->SendMessage(WM_CLEAR);  // deletes without touching the clipboard
    edit->SendMessage(WM_CUT);    // nothing selected: nothing happens
    EXPECT_EQ(GetClipboardText(), "world");
    edit->SendMessage(WM_PASTE);
    EXPECT_EQ(Text(), "worldhellohello ");

    // A paste stops at the first line break; an empty clipboard pastes nothing.
    SetClipboardText("ab\r\ncd");
    edit->SendMessage(WM_PASTE);
    EXPECT_EQ(Text(), "worldabhellohello ");
    EmptyClipboard();
    owner.Clear();
    PressWith(VK_CONTROL, 'V');
    EXPECT_TRUE(owner.codes.empty());
}

// The desktop's clipboard holds UTF-8; the edit's Windows-1252 bytes are converted both ways.
TEST_F(EditTest, TheDesktopsClipboardSeesUtf8) {
    std::optional<std::string> desktop;
    SetClipboardBridge({[&](const std::string& utf8) { desktop = utf8; }, [&] { return desktop; }});
    SetText("caf\xE9 \x80");
    Select(0, -1);
    PressWith(VK_CONTROL, 'C');
    EXPECT_EQ(desktop, "caf\xC3\xA9 \xE2\x82\xAC");

    desktop = "\xC3\xBC\xE2\x84\xA2\xE4\xB8\xAD";  // u-umlaut, trade mark, and a sign Windows-1252 lacks
    Press(VK_END);
    PressWith(VK_CONTROL, 'V');
    EXPECT_EQ(Text(), "caf\xE9 \x80\xFC\x99?");
    SetClipboardBridge({});
}

// A backend with its own text input (SDL) types the characters; its key presses make only the
// control characters, so each character arrives once and Ctrl+C still copies.
TEST_F(EditTest, CharactersFromTheBackendsTextInput) {
    auto pressFromBackend = [](UINT vk) {
        InjectKey(vk, true, true);
        InjectKey(vk, false, true);
    };
    pressFromBackend('A');
    InjectChar(0xE9);
    pressFromBackend(VK_SPACE);
    InjectChar(' ');
    pressFromBackend('B');
    pressFromBackend(VK_BACK);
    Pump();
    EXPECT_EQ(Text(), "\xE9");
    Select(0, -1);
    InjectKey(VK_CONTROL, true, true);
    pressFromBackend('C');
    InjectKey(VK_CONTROL, false, true);
    Pump();
    EXPECT_EQ(GetClipboardText(), "\xE9");
}

}  // namespace
