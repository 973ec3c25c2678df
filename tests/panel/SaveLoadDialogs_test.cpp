// The Save and Load buttons as a user works them: typing and clicking in the dialogs, answering
// their questions, and what the file, the parameter block and the compare switch show afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

#include "component/ComponentModule.h"
#include "platform/desktop/Desktop.h"
#include "platform/module/Module.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowSystem.h"
#include "platform/window/controls/ListBoxControl.h"
#include "platform/window/controls/ListBoxMessages.h"
#include "presets/UserPresetFile.h"
#include "resources/ResourceIds.h"
#include "tests/support/EditorFixture.h"

using namespace win;

namespace {

using Step = std::function<void(Window& active)>;

class SaveLoadTest : public testsupport::EditorFixture {
protected:
    void TearDown() override {
        SetIdleHook(nullptr);
        EditorFixture::TearDown();
    }

    // Clicks the button, then runs the steps one per idle turn on the active window; the last one
    // must close the dialog.
    void Run(const Rect& button, std::vector<Step> steps) {
        auto queue = std::make_shared<std::deque<Step>>(steps.begin(), steps.end());
        SetIdleHook([queue] {
            if (queue->empty()) return;
            Step step = std::move(queue->front());
            queue->pop_front();
            if (Window* active = Window::GetActiveWindow()) step(*active);
        });
        ClickPanel({button.left + 10, button.top + 8});
        SetIdleHook(nullptr);
        EXPECT_TRUE(queue->empty()) << "the dialog closed before its last step";
    }
    void Save(std::vector<Step> steps) { Run(panel->saveRect, std::move(steps)); }
    void Load(std::vector<Step> steps) { Run(panel->loadRect, std::move(steps)); }

    static Step Type(std::string text) {
        return [text](Window& dialog) {
            dialog.GetDlgItem(IDC_SAVE_NAME)->SetFocus();
            for (char c : text) InjectChar(static_cast<unsigned char>(c));
        };
    }
    static Step Key(UINT vk) {
        return [vk](Window&) { InjectKeyPress(vk); };
    }
    static void Press(Window& window, int id) {
        Window* button = window.GetDlgItem(id);
        ASSERT_NE(button, nullptr) << "no button " << id << " in \"" << window.GetWindowText() << "\"";
        InjectClick(button->WindowRect().TopLeft() + Point{8, 6});
    }
    static Step Click(int id) {
        return [id](Window& window) { Press(window, id); };
    }
    // Clicks (or double-clicks) the line with this text, after noting all lines in `lines`.
    static Step ClickLine(int listId, std::string text, bool twice = false, std::vector<std::string>* lines = nullptr) {
        return [=](Window& dialog) {
            auto* list = dynamic_cast<ListBoxControl*>(dialog.GetDlgItem(listId));
            ASSERT_NE(list, nullptr);
            for (int i = 0; lines && i < list->GetCount(); ++i) list->GetText(i, lines->emplace_back());
            Rect r;
            ASSERT_NE(list->GetItemRect(list->FindStringExact(-1, text), &r), LB_ERR) << text;
            list->ClientToScreen(&r);
            for (int i = twice ? 2 : 1; i > 0; --i) InjectClick({r.left + 4, r.top + 2});
        };
    }
    // Notes the message box's text and presses its button `id`.
    Step Answer(int id) {
        return [this, id](Window& box) {
            std::string text;
            for (const std::string& run : testsupport::PaintedTexts(box)) text += run + "|";
            boxes.push_back(text);
            Press(box, id);
        };
    }
    bool Shown(const std::string& message) const {
        return std::any_of(boxes.begin(), boxes.end(), [&](auto& b) { return b.find(message) != std::string::npos; });
    }

    tagUserPreset Room(int room) {
        tagUserPreset p{};
        CUserPresetFile().LoadRoom(room, "KVX4.ini", &p);
        return p;
    }
    int Rooms() { return CUserPresetFile().GetNumRooms("KVX4.ini"); }
    static tagUserPreset Named(const char* name) {
        tagUserPreset p{};
        SetPresetName(p, name);
        p.userDefined = 1;
        p.effectLevel = 7;
        return p;
    }

    std::vector<std::string> boxes;
};

constexpr const char* kOverwrite = "Are you Sure you want to overwrite the selected Effect?";

TEST_F(SaveLoadTest, SaveAppendsAndOverwritesByTypedNameIgnoringCase) {
    ASSERT_EQ(Rooms(), 0);
    panel->MarkModified();
    Save({Type("Alpha"), Key(VK_RETURN), Answer(IDOK)});
    ASSERT_EQ(Rooms(), 1);
    EXPECT_EQ(PresetName(Room(1)), "Alpha");
    EXPECT_TRUE(Shown("has been Saved"));
    // The saved preset is the new reference and B is lit.
    EXPECT_EQ(panel->edited, 0);
    EXPECT_EQ(panel->nameMode, 1);
    EXPECT_EQ(std::memcmp(&panel->presetB, &panel->currentPreset, sizeof(tagUserPreset)), 0);
    EXPECT_EQ(std::memcmp(&panel->presetA, &panel->currentPreset, sizeof(tagUserPreset)), 0);

    // No leaves the dialog open with the typed name and the file as they were.
    const tagUserPreset before = Room(1);
    std::string nameAfterNo;
    boxes.clear();
    Save({Type("alpha"), Key(VK_RETURN), Answer(IDNO),
          [&](Window& dialog) { nameAfterNo = dialog.GetDlgItem(IDC_SAVE_NAME)->GetWindowText(); },
          Click(IDCANCEL)});
    EXPECT_TRUE(Shown(kOverwrite));
    EXPECT_EQ(nameAfterNo, "alpha");
    EXPECT_EQ(Rooms(), 1);
    const tagUserPreset after = Room(1);
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);

    // Yes overwrites the room, which takes the typed case.
    Block().effect.value = 55;
    Advance(300);
    boxes.clear();
    Save({Type("ALPHA"), Key(VK_RETURN), Answer(IDYES), Answer(IDOK)});
    EXPECT_TRUE(Shown(kOverwrite));
    EXPECT_TRUE(Shown("User Settings file Updated"));
    EXPECT_EQ(Rooms(), 1);
    EXPECT_EQ(PresetName(Room(1)), "ALPHA");
    EXPECT_EQ(Room(1).effectLevel, 55);
}

TEST_F(SaveLoadTest, SelectionOverwritesQuietlyButATypedNameWinsOverIt) {
    WriteRoom(1, Named("Bravo"));
    WriteRoom(2, Named("Alpha"));
    WriteRoomCount(2);

    Save({Key(VK_RETURN), Answer(IDOK), Click(IDCANCEL)});
    EXPECT_EQ(boxes, std::vector<std::string>{"Please Make a Selection first|"});

    boxes.clear();
    Save({ClickLine(IDC_SAVE_LIST, "Alpha"), Click(IDOK), Answer(IDYES)});
    EXPECT_EQ(boxes.size(), 1u) << "only the question, no \"Updated\" message";
    EXPECT_EQ(Room(2).effectLevel, panel->currentPreset.effectLevel);
    EXPECT_EQ(Room(1).effectLevel, 7);

    // Selecting a line and then typing: the selection goes and the typed name is saved.
    int selectionAfterTyping = 0;
    Save({ClickLine(IDC_SAVE_LIST, "Bravo"), Type("Charlie"),
          [&](Window& dialog) {
              selectionAfterTyping = dynamic_cast<ListBoxControl*>(dialog.GetDlgItem(IDC_SAVE_LIST))->GetCurSel();
          },
          Key(VK_RETURN), Answer(IDOK)});
    EXPECT_EQ(selectionAfterTyping, -1);
    EXPECT_EQ(Rooms(), 3);
    EXPECT_EQ(PresetName(Room(3)), "Charlie");
    EXPECT_EQ(Room(1).effectLevel, 7);
}

TEST_F(SaveLoadTest, LoadListIsAlphabeticalAndItsPlaceholderDoesNothing) {
    std::vector<std::string> lines;
    Load({ClickLine(IDC_LOAD_LIST, "No Settings Saved", true, &lines), Key(VK_RETURN), Key(VK_ESCAPE)});
    EXPECT_EQ(lines, std::vector<std::string>{"No Settings Saved"});
    EXPECT_TRUE(boxes.empty());

    WriteRoom(1, Named("Zulu"));
    WriteRoom(2, Named("alpha"));
    WriteRoom(3, Named("Mike"));
    WriteRoomCount(3);
    panel->MarkModified();
    // Another instance renames a room while the list shows it: the load fails and the dialog stays.
    lines.clear();
    Load({Key(VK_RETURN), Answer(IDOK), [this](Window&) { WriteRoom(3, Named("Oscar")); },
          ClickLine(IDC_LOAD_LIST, "Mike", true, &lines), Answer(IDOK), Click(IDCANCEL)});
    EXPECT_EQ(lines, (std::vector<std::string>{"alpha", "Mike", "Zulu"}));
    EXPECT_EQ(boxes, (std::vector<std::string>{"Please select the setting to be loaded|",
                                               "The selected room could not be found, Sorry!|"}));
    EXPECT_EQ(panel->edited, 1) << "a cancelled load leaves the compare switch alone";
}

TEST_F(SaveLoadTest, TabWalksEachDialogInTemplateOrderAndSpacePressesTheFocusedButton) {
    std::vector<int> focused;
    const Step note = [&](Window&) { focused.push_back(Window::GetFocus() ? Window::GetFocus()->GetDlgCtrlID() : 0); };
    Save({note, Key(VK_TAB), note, Key(VK_TAB), note, Key(VK_TAB), note, Key(VK_TAB), note, Key(VK_ESCAPE)});
    EXPECT_EQ(focused, (std::vector<int>{IDC_SAVE_LIST, IDC_SAVE_NAME, IDOK, IDCANCEL, IDC_SAVE_LIST}));

    WriteRoom(1, Named("Hall"));
    WriteRoomCount(1);
    focused.clear();
    // Space on the focused Cancel closes without loading, though a line is selected.
    const auto programBefore = Block().programNumber;
    Load({note, Key(VK_DOWN), Key(VK_TAB), note, Key(VK_TAB), note, Key(VK_TAB), note, Key(VK_TAB), Key(VK_TAB),
          Key(VK_SPACE)});
    EXPECT_EQ(focused, (std::vector<int>{IDC_LOAD_LIST, IDOK, IDCANCEL, IDC_LOAD_LIST}));
    EXPECT_STRNE(panel->nameText, "Hall");
    EXPECT_EQ(Block().programNumber, programBefore);
}

TEST_F(SaveLoadTest, LongTypedNamesAreCutAtTheFieldAndFoundAgainCut) {
    for (std::size_t length : {262u, 263u, 264u}) {
        SCOPED_TRACE(length);
        std::filesystem::remove(windowsDir / "KVX4.ini");
        const std::string name(length, 'n');
        Save({Type(name), Key(VK_RETURN), Answer(IDOK)});
        const tagUserPreset stored = Room(1);
        EXPECT_EQ(PresetName(stored), name.substr(0, 263));
        EXPECT_EQ(stored.name[263], '\0');
        EXPECT_EQ(stored.userDefined, 1) << "the field after the name is untouched";
        EXPECT_EQ(stored.effectLevel, panel->currentPreset.effectLevel);
        // The same long name again is the stored room, not a new one.
        boxes.clear();
        Save({Type(name), Key(VK_RETURN), Answer(IDNO), Click(IDCANCEL)});
        EXPECT_TRUE(Shown(kOverwrite));
        EXPECT_EQ(Rooms(), 1);
    }
}

TEST_F(SaveLoadTest, ThreeSavedPresetsLoadBackByteForByte) {
    struct Saved {
        std::string name;
        tagUserPreset record;
        tagEffectParams block;
    };
    std::vector<Saved> saved;
    for (const char* name : {"Warm", "bright", "Cut"}) {
        const BYTE i = static_cast<BYTE>(saved.size());
        for (tagMAREG* r : {&Block().effect, &Block().lowFreq, &Block().midFreq, &Block().highFreq, &Block().midCutoff})
            r->value = static_cast<BYTE>(r->value + 10 + i);
        Block().optionFlags = i == 1 ? 0x20 : 0x40;
        Block().programNumber = i + 2;
        Advance(300);
        Save({Type(name), Key(VK_RETURN), Answer(IDOK)});
        saved.push_back({name, panel->currentPreset, Block()});
    }
    ASSERT_EQ(Rooms(), 3);
    for (const Saved& s : saved) {
        SCOPED_TRACE(s.name);
        const tagUserPreset stored = Room(static_cast<int>(&s - saved.data()) + 1);
        EXPECT_EQ(std::memcmp(&stored, &s.record, sizeof stored), 0);
        Block().programNumber = 99;
        panel->MarkModified();
        clock.ClearSleeps();
        Load({ClickLine(IDC_LOAD_LIST, s.name, true)});
        EXPECT_EQ(std::memcmp(&panel->currentPreset, &s.record, sizeof s.record), 0);
        EXPECT_EQ(std::memcmp(&Block(), &s.block, sizeof s.block), 0);
        EXPECT_EQ(clock.Sleeps(), std::vector<DWORD>{500});
        EXPECT_EQ(panel->edited, 0);
        EXPECT_EQ(std::memcmp(&panel->presetB, &s.record, sizeof s.record), 0);
        EXPECT_EQ(std::string(panel->nameText), s.name);
    }
}

TEST_F(SaveLoadTest, DialogsThatCannotBeShownAreReportedAndChangeNothing) {
    DialogTemplate broken;
    broken.style = WS_POPUP | WS_CAPTION;
    broken.items.push_back({"NoSuchControlClass", "", 1, WS_CHILD | WS_VISIBLE, 0, 0, 0, 10, 10});
    ComponentModule().AddDialog(IDD_SAVE_PRESET, broken);
    ComponentModule().AddDialog(IDD_LOAD_PRESET, broken);
    panel->MarkModified();
    const tagUserPreset b = panel->presetB;
    Save({Answer(IDOK)});
    Load({Answer(IDOK)});
    RegisterDialogTemplates(ComponentModule());
    EXPECT_EQ(boxes, (std::vector<std::string>{"Sorry Could Not Display Save Dialog!|",
                                               "Sorry Could Not Display Load Dialog!|"}));
    EXPECT_EQ(panel->edited, 1);
    EXPECT_EQ(std::memcmp(&b, &panel->presetB, sizeof b), 0);
    EXPECT_EQ(Rooms(), 0);
}

TEST_F(SaveLoadTest, FailedWritesLeaveTheReferenceAlone) {
    WriteRoom(1, Named("Alpha"));
    WriteRoomCount(1);
    panel->MarkModified();
    const tagUserPreset b = panel->presetB;
    // The file turns unreadable while the dialog is open: the overwrite fails silently and the
    // dialog stays; an append fails with its message and closes the dialog.
    auto unreadable = [this](Window&) {
        std::filesystem::remove(windowsDir / "KVX4.ini");
        std::filesystem::create_directory(windowsDir / "KVX4.ini");
    };
    Save({unreadable, Type("alpha"), Key(VK_RETURN), Answer(IDYES), Click(IDCANCEL)});
    EXPECT_EQ(boxes, std::vector<std::string>{std::string(kOverwrite) + "|"});
    Save({Type("Beta"), Key(VK_RETURN), Answer(IDOK)});
    EXPECT_TRUE(Shown("Cannot write to User Settings file"));
    EXPECT_EQ(panel->edited, 1);
    EXPECT_EQ(std::memcmp(&b, &panel->presetB, sizeof b), 0);
}

TEST_F(SaveLoadTest, DialogsLookRight) {
    WriteRoom(1, Named("Cathedral"));
    WriteRoom(2, Named("Bright room"));
    WriteRoomCount(2);
    const auto dir = std::filesystem::temp_directory_path();
    auto shoot = [](std::filesystem::path path) {
        return [path](Window&) {
            PaintPendingWindows();
            Desktop::Instance().SaveScreenshot(path.string());
        };
    };
    Save({Type("New patch"), shoot(dir / "kvx4-dialog-save.png"), Key(VK_ESCAPE)});
    Load({ClickLine(IDC_LOAD_LIST, "Cathedral"), shoot(dir / "kvx4-dialog-load.png"), Key(VK_ESCAPE)});
    EXPECT_TRUE(std::filesystem::exists(dir / "kvx4-dialog-save.png"));
    EXPECT_TRUE(std::filesystem::exists(dir / "kvx4-dialog-load.png"));
}

}  // namespace
