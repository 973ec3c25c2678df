// The demo script format: every command, the errors bad lines get (with their line numbers), and
// the key names scripts use.
#include <gtest/gtest.h>

#include "host/app/DemoScript.h"
#include "host/app/KeyNames.h"
#include "platform/gdi/TextCodec.h"
#include "platform/window/WindowMessages.h"

namespace {

using namespace script;

template <typename T>
const T& As(const Command& command) {
    const T* action = std::get_if<T>(&command.action);
    EXPECT_NE(action, nullptr) << "line " << command.line;
    static const T none{};
    return action ? *action : none;
}

TEST(DemoScriptTest, ParsesEveryCommandWithItsLine) {
    const char* text =
        "# a demo\n"
        "move 10 20\n"
        "click 1 2\n"
        "rclick 3 4\n"
        "dblclick 5 6\n"
        "drag 10 300 10 200\n"
        "key Shift+Tab\n"
        "type Warm Pad 2\n"
        "\n"
        "wait 300   # let the poll see it\n"
        "screenshot shots/one.png\n"
        "set lowFreq 0x7f\n"
        "set statusFlags 0xFFFFFFFF\n"
        "cc 1 15 127 0\n"
        "automate midCutoff 0 2 74\n"
        "show 0\n"
        "press cc\n"
        "wrclick 4 5\n"
        "wdblclick 6 7\n"
        "clickid 1000\n"
        "select 1001 Warm  Pad 2\n"
        "print\n"
        "print 1002\n"
        "quit\n";
    ParseResult result = Parse(text, "demo.kvx4script");
    ASSERT_TRUE(result.Ok()) << result.errors.front();
    ASSERT_EQ(result.commands.size(), 22u);

    EXPECT_EQ(result.commands[0].line, 2);
    EXPECT_EQ(As<Move>(result.commands[0]).to, (win::Point{10, 20}));
    EXPECT_EQ(As<Click>(result.commands[1]).button, 0);
    EXPECT_FALSE(As<Click>(result.commands[1]).twice);
    EXPECT_EQ(As<Click>(result.commands[2]).button, 1);
    EXPECT_TRUE(As<Click>(result.commands[3]).twice);
    EXPECT_EQ(As<Drag>(result.commands[4]).from, (win::Point{10, 300}));
    EXPECT_EQ(As<Drag>(result.commands[4]).to, (win::Point{10, 200}));
    EXPECT_EQ(As<Key>(result.commands[5]).stroke, (KeyStroke{win::VK_TAB, true}));
    EXPECT_EQ(As<Type>(result.commands[6]).strokes.size(), 10u);
    EXPECT_EQ(result.commands[7].line, 10);
    EXPECT_EQ(As<Wait>(result.commands[7]).ms, 300u);
    EXPECT_EQ(As<Screenshot>(result.commands[8]).path, "shots/one.png");
    EXPECT_EQ(As<Set>(result.commands[9]).field, BlockField::LowFreq);
    EXPECT_EQ(As<Set>(result.commands[9]).value, 127u);
    EXPECT_EQ(As<Set>(result.commands[10]).value, 0xFFFFFFFFul);
    const ControllerChange& cc = As<ControllerChange>(result.commands[11]);
    EXPECT_EQ(cc.port, 1);
    EXPECT_EQ(cc.channel, 15);
    EXPECT_EQ(cc.controller, 127);
    EXPECT_EQ(cc.value, 0);
    EXPECT_EQ(As<Automate>(result.commands[12]).field, BlockField::MidCutoff);
    EXPECT_EQ(As<Automate>(result.commands[12]).controller, 74);
    EXPECT_FALSE(As<Show>(result.commands[13]).show);
    EXPECT_EQ(As<Press>(result.commands[14]).button, HostButton::MidiCc);
    EXPECT_EQ(As<WindowClick>(result.commands[15]).at, (win::Point{4, 5}));
    EXPECT_EQ(As<WindowClick>(result.commands[15]).button, 1);
    EXPECT_TRUE(As<WindowClick>(result.commands[16]).twice);
    EXPECT_EQ(As<ControlClick>(result.commands[17]).id, 1000);
    EXPECT_EQ(As<SelectLine>(result.commands[18]).id, 1001);
    EXPECT_EQ(As<SelectLine>(result.commands[18]).text, "Warm  Pad 2") << "the line's own spacing";
    EXPECT_EQ(As<Print>(result.commands[19]).id, 0);
    EXPECT_EQ(As<Print>(result.commands[20]).id, 1002);
    EXPECT_TRUE(std::holds_alternative<Quit>(result.commands[21].action));
}

TEST(DemoScriptTest, CommandsAndNamesIgnoreCaseAndWindowsLineEnds) {
    ParseResult result = Parse("CLICK 1 2\r\nSet LOWFREQ 5\r\nkey pagedown\r\nPress Clip\r\n", "s");
    ASSERT_TRUE(result.Ok()) << result.errors.front();
    ASSERT_EQ(result.commands.size(), 4u);
    EXPECT_EQ(As<Set>(result.commands[1]).field, BlockField::LowFreq);
    EXPECT_EQ(As<Key>(result.commands[2]).stroke.vk, win::VK_NEXT);
    EXPECT_EQ(As<Press>(result.commands[3]).button, HostButton::Clip);
}

TEST(DemoScriptTest, CommentsNeedABlankBeforeTheHash) {
    ParseResult result = Parse("  # indented comment\nscreenshot out#1.png # the shot\n", "s");
    ASSERT_TRUE(result.Ok());
    ASSERT_EQ(result.commands.size(), 1u);
    EXPECT_EQ(As<Screenshot>(result.commands[0]).path, "out#1.png");
}

TEST(DemoScriptTest, ParsesChecksHeldButtonsAndHostOperations) {
    ParseResult result = Parse(
        "print lowFreq\nprint 1031\ndump\nexpect statusFlags 0x10\nexpect-call AddAutomation(lowFreq, 1, 2, 7)\n"
        "down 5 6\nup 7 8\nseteffect none\nSetEffect SLOT\nrefresh-automation\neditor destroy\neditor create\n",
        "s");
    ASSERT_TRUE(result.Ok()) << result.errors.front();
    ASSERT_EQ(result.commands.size(), 12u);
    EXPECT_EQ(As<PrintField>(result.commands[0]).field, BlockField::LowFreq);
    EXPECT_EQ(As<Print>(result.commands[1]).id, 1031);
    As<Dump>(result.commands[2]);
    EXPECT_EQ(As<Expect>(result.commands[3]).field, BlockField::StatusFlags);
    EXPECT_EQ(As<Expect>(result.commands[3]).value, 16u);
    EXPECT_EQ(As<ExpectCall>(result.commands[4]).text, "AddAutomation(lowFreq,1,2,7)");
    EXPECT_TRUE(As<Button>(result.commands[5]).down);
    EXPECT_EQ(As<Button>(result.commands[6]).at, (win::Point{7, 8}));
    EXPECT_FALSE(As<Button>(result.commands[6]).down);
    EXPECT_FALSE(As<BindEffect>(result.commands[7]).bind);
    EXPECT_TRUE(As<BindEffect>(result.commands[8]).bind);
    As<RefreshAutomation>(result.commands[9]);
    EXPECT_FALSE(As<EditorLife>(result.commands[10]).create);
    EXPECT_TRUE(As<EditorLife>(result.commands[11]).create);

    ParseResult bad = Parse("expect lowFreq 256\nexpect gain 1\nexpect-call\nprint gain\ndump all\nup 1\n"
                            "seteffect other\neditor\nrefresh-automation now\n",
                            "b");
    ASSERT_EQ(bad.errors.size(), 9u);
    EXPECT_EQ(bad.errors[0], "b:1: lowFreq must be 0..255, got '256'");
    EXPECT_EQ(bad.errors[1], "b:2: unknown field 'gain'");
    EXPECT_EQ(bad.errors[2], "b:3: expected 'expect-call TEXT'");
    EXPECT_EQ(bad.errors[3], "b:4: expected a control id or a field name, got 'gain'");
    EXPECT_EQ(bad.errors[6], "b:7: expected 'seteffect slot|none'");
}

TEST(DemoScriptTest, ReportsEveryBadLineWithItsNumberAndKeepsTheGoodOnes) {
    const char* text =
        "click 1 2\n"            // 1 good
        "clik 1 2\n"             // 2 unknown command
        "click 1\n"              // 3 missing Y
        "wait soon\n"            // 4 not a number
        "set lowFreq 256\n"      // 5 above a byte
        "set gain 3\n"           // 6 unknown field
        "cc 4 0 7 64\n"          // 7 port out of range
        "key Hyper\n"            // 8 unknown key
        "type a\xE2\x86\x92" "b\n"  // 9 untypeable
        "show yes\n"             // 10
        "automate bypass 0 0 1\n"  // 11 not a record
        "press panic\n"          // 12
        "screenshot\n"           // 13 missing path
        "quit now\n"             // 14
        "set bypass 2\n"         // 15
        "drag 1 2 3 99999\n"     // 16 coordinate far out
        "clickid 0\n"            // 17 no control has id 0
        "select 5\n"             // 18 missing text
        "print 1 2\n";           // 19 one id at most
    ParseResult result = Parse(text, "bad.kvx4script");
    ASSERT_EQ(result.commands.size(), 1u);
    ASSERT_EQ(result.errors.size(), 18u);
    for (size_t i = 0; i < result.errors.size(); ++i)
        EXPECT_EQ(result.errors[i].rfind("bad.kvx4script:" + std::to_string(i + 2) + ": ", 0), 0u) << result.errors[i];
    EXPECT_NE(result.errors[0].find("unknown command 'clik'"), std::string::npos);
    EXPECT_NE(result.errors[1].find("click X Y"), std::string::npos);
    EXPECT_NE(result.errors[2].find("'soon'"), std::string::npos);
    EXPECT_NE(result.errors[3].find("0..255"), std::string::npos);
    EXPECT_NE(result.errors[4].find("'gain'"), std::string::npos);
    EXPECT_NE(result.errors[5].find("PORT"), std::string::npos);
    EXPECT_NE(result.errors[7].find("'\xE2\x86\x92'"), std::string::npos);
}

TEST(DemoScriptTest, EmptyOrCommentOnlyScriptHasNoCommands) {
    EXPECT_TRUE(Parse("", "s").commands.empty());
    ParseResult comments = Parse("# nothing\n\n   \n", "s");
    EXPECT_TRUE(comments.Ok());
    EXPECT_TRUE(comments.commands.empty());
}

TEST(DemoScriptTest, NegativeCoordinatesReachOutsideTheEditor) {
    ParseResult result = Parse("click -5 430\n", "s");
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(As<Click>(result.commands[0]).at, (win::Point{-5, 430}));
}

TEST(DemoScriptTest, OnlyDecimalNumbersTakeAMinus) {
    ParseResult result = Parse("move 0x-10 5\nwait 0x-0\nmove -16 0x10\n", "s");
    ASSERT_EQ(result.errors.size(), 2u);
    EXPECT_NE(result.errors[0].find("'0x-10'"), std::string::npos) << result.errors[0];
    EXPECT_NE(result.errors[1].find("'0x-0'"), std::string::npos) << result.errors[1];
    ASSERT_EQ(result.commands.size(), 1u);
    EXPECT_EQ(As<Move>(result.commands[0]).to, (win::Point{-16, 16}));
}

TEST(KeyNamesTest, NamesModifiersAndFunctionKeys) {
    EXPECT_EQ(ParseKeyStroke("Up")->vk, win::VK_UP);
    EXPECT_EQ(ParseKeyStroke("plus")->vk, win::VK_ADD);
    EXPECT_EQ(ParseKeyStroke("Minus")->vk, win::VK_SUBTRACT);
    EXPECT_EQ(ParseKeyStroke("a")->vk, static_cast<win::UINT>('A'));
    EXPECT_EQ(ParseKeyStroke("7")->vk, static_cast<win::UINT>('7'));
    EXPECT_EQ(ParseKeyStroke("F12")->vk, win::VK_F1 + 11);
    EXPECT_EQ(ParseKeyStroke("Ctrl+Alt+Delete"), (KeyStroke{win::VK_DELETE, false, true, true}));
    EXPECT_FALSE(ParseKeyStroke("F13"));
    EXPECT_FALSE(ParseKeyStroke("F0"));
    EXPECT_EQ(ParseKeyStroke("f")->vk, static_cast<win::UINT>('F'));  // the letter, not a function key
    EXPECT_FALSE(ParseKeyStroke("Shift+"));
    EXPECT_FALSE(ParseKeyStroke(""));
}

TEST(KeyNamesTest, TypingUsesShiftForCapitals) {
    auto strokes = KeyStrokesForText("aB-1");
    ASSERT_TRUE(strokes);
    ASSERT_EQ(strokes->size(), 4u);
    EXPECT_EQ((*strokes)[0], (KeyStroke{'A', false}));
    EXPECT_EQ((*strokes)[1], (KeyStroke{'B', true}));
    EXPECT_EQ((*strokes)[2].vk, win::VK_OEM_MINUS);
    // Other printable characters are typed as characters, Windows-1252 ones from UTF-8 included;
    // control characters and what the code page lacks are refused by name.
    strokes = KeyStrokesForText("a/\xC3\xA9\xE2\x82\xAC");
    ASSERT_TRUE(strokes);
    ASSERT_EQ(strokes->size(), 4u);
    EXPECT_EQ((*strokes)[1], (KeyStroke{0, false, false, false, '/'}));
    EXPECT_EQ((*strokes)[2].character, 0xE9u);
    EXPECT_EQ((*strokes)[3].character, 0x80u);  // the euro sign's place in Windows-1252
    EXPECT_EQ((*KeyStrokesForText("caf\xE9"))[3].character, 0xE9u) << "a Windows-1252 script";
    std::string bad;
    EXPECT_FALSE(KeyStrokesForText("tab\there", &bad));
    EXPECT_EQ(bad, "\t");
    EXPECT_FALSE(KeyStrokesForText("\xE2\x84\xA2\xE2\x86\x92", &bad));  // the arrow is not in it
    EXPECT_EQ(bad, "\xE2\x86\x92");
}

TEST(KeyNamesTest, EveryCharacterAboveAsciiThatWindows1252HasCanBeTyped) {
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
        if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) continue;  // unassigned
        const std::string utf8 = win::Cp1252ToUtf8(std::string(1, static_cast<char>(byte)));
        std::string bad;
        auto strokes = KeyStrokesForText("x" + utf8, &bad);
        ASSERT_TRUE(strokes) << std::hex << byte << " refused as '" << bad << "'";
        ASSERT_EQ(strokes->size(), 2u) << std::hex << byte;
        // A non-breaking space is a character of its own, not the space bar.
        EXPECT_EQ((*strokes)[1].character, byte) << std::hex << byte;
    }
}

}  // namespace
