#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "panel/PresetChooserDlg.h"
#include "platform/desktop/Desktop.h"
#include "platform/kernel/PrivateProfile.h"
#include "platform/window/controls/ListBoxControl.h"
#include "tests/support/EditorFixture.h"

using namespace win;

namespace {

constexpr const char* kSuffix = "   (USER DEFINED PATCH)  ";
constexpr const char* kDefaultName = CEditorPanel::kDefaultPatchText;

class PresetChooserTest : public testsupport::EditorFixture {
protected:
    void StoreRooms(const std::vector<const char*>& names) {
        WriteRoomCount(static_cast<int>(names.size()));
        for (size_t i = 0; i < names.size(); ++i) {
            tagUserPreset p{};
            SetPresetName(p, names[i]);
            p.userDefined = 1;
            p.effectLevel = 60 + static_cast<int>(i);
            WriteRoom(static_cast<int>(i) + 1, p);
        }
    }
    CPresetChooserDlg& Chooser() { return *panel->presetChooser; }
    ListBoxControl& List() { return *Chooser().presetList.As<ListBoxControl>(); }
    bool Open() const { return panel->presetChooser->IsWindowVisible(); }
    void OpenChooser() { ClickPanel({120, 18}); }  // inside the program name field
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (int i = 0; i < List().GetCount(); ++i) {
            std::string text;
            List().GetText(i, text);
            lines.push_back(text);
        }
        return lines;
    }
    void ClickLine(int index) {
        Rect r;
        ASSERT_NE(List().GetItemRect(index, &r), LB_ERR);
        ClickClient(List(), {r.left + 10, (r.top + r.bottom) / 2});
    }
};

TEST_F(PresetChooserTest, ListsStoredPresetsInFileOrderAndAClickLoadsOne) {
    EXPECT_FALSE(Open());
    StoreRooms({"Hall", "Plate", "Chamber"});
    OpenChooser();
    ASSERT_TRUE(Open());
    EXPECT_EQ(Chooser().GetWindowText(), "Choose Reverb Preset");
    EXPECT_EQ(Chooser().WindowRect().TopLeft(),
              PresetChooserPosition(Chooser().WindowRect(), panel->WindowRect()));
    EXPECT_EQ(Lines(), (std::vector<std::string>{std::string("Hall") + kSuffix, std::string("Plate") + kSuffix,
                                                  std::string("Chamber") + kSuffix}));
    EXPECT_EQ(List().GetCurSel(), 0);
    // The title strip takes its bitmap's size.
    Window* strip = nullptr;
    for (Window* child : Chooser().Children())
        if (child->ClassName() == "Static") strip = child;
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->WindowRect().GetSize(), (Size{285, 15}));
    if (const char* dir = std::getenv("KVX4_SCREENSHOT_DIR"))
        Desktop::Instance().SaveScreenshot(std::string(dir) + "/preset-chooser.png");

    ClickLine(1);
    EXPECT_FALSE(Open());
    EXPECT_TRUE(Chooser().chosen);
    EXPECT_EQ(Chooser().chosenIndex, 1);
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_EQ(Block().programNumber, 2);
    EXPECT_STREQ(panel->nameText, "Plate");
    EXPECT_EQ(Block().effect.value, 61);

    // Reopened, it is filled afresh and the choice is forgotten.
    OpenChooser();
    EXPECT_TRUE(Open());
    EXPECT_FALSE(Chooser().chosen);
    EXPECT_EQ(List().GetCount(), 3);
}

TEST_F(PresetChooserTest, ArrowKeysMoveWithoutChoosingUntilEnter) {
    StoreRooms({"Hall", "Plate", "Chamber"});
    OpenChooser();
    Press(VK_DOWN);
    Press(VK_DOWN);
    EXPECT_TRUE(Open());
    EXPECT_EQ(List().GetCurSel(), 2);
    EXPECT_STREQ(panel->nameText, kDefaultName);
    Press(VK_RETURN);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Chooser().chosenIndex, 2);
    EXPECT_STREQ(panel->nameText, "Chamber");

    // Up on the first line moves nothing, yet the list still notifies a selection change (as
    // Wine's does), which takes the mark: the popup stays open and nothing loads.
    OpenChooser();
    Press(VK_UP);
    EXPECT_TRUE(Open());
    EXPECT_EQ(List().GetCurSel(), 0);
    EXPECT_FALSE(Chooser().skipSelChange);
    EXPECT_STREQ(panel->nameText, "Chamber");
}

TEST_F(PresetChooserTest, AnUnreadableRoomIsLeftOutAndTheOthersLoadTheirOwnRoom) {
    StoreRooms({"Hall", "Plate", "Chamber"});
    ASSERT_TRUE(WritePrivateProfileStringA("Reverb Room Settings", "Room 2", "00FF", "KVX4.ini"));
    OpenChooser();
    EXPECT_EQ(Lines(), (std::vector<std::string>{std::string("Hall") + kSuffix, std::string("Chamber") + kSuffix}));
    // The second line is room 3, not room 2.
    ClickLine(1);
    EXPECT_FALSE(Open());
    EXPECT_STREQ(panel->nameText, "Chamber");
    EXPECT_EQ(Block().programNumber, 3);
    EXPECT_EQ(Block().effect.value, 62);
}

TEST_F(PresetChooserTest, AnEmptyFileShowsThePlaceholderWhichLoadsNothing) {
    WriteRoomCount(0);
    OpenChooser();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Sorry no Presets available"}));
    EXPECT_EQ(List().GetCurSel(), 0);
    Press(VK_RETURN);
    EXPECT_FALSE(Open());
    EXPECT_STREQ(panel->nameText, kDefaultName);
    EXPECT_TRUE(clock.Sleeps().empty());

    // Without presets available the list stays empty and Enter only closes.
    Block().presetsAvailable = 0;
    OpenChooser();
    EXPECT_TRUE(Open());
    EXPECT_EQ(List().GetCount(), 0);
    Press(VK_RETURN);
    EXPECT_FALSE(Open());
}

TEST_F(PresetChooserTest, EscapeFocusLossAndTheTitleStripCloseOrChooseAsDocumented) {
    StoreRooms({"Hall", "Plate"});
    OpenChooser();
    Press(VK_DOWN);
    Press(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_FALSE(Chooser().chosen);
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_STREQ(panel->nameText, kDefaultName);

    OpenChooser();
    ClickPanel({300, 300});  // elsewhere on the panel
    EXPECT_FALSE(Open());
    EXPECT_FALSE(Chooser().chosen);
    EXPECT_STREQ(panel->nameText, kDefaultName);

    // The title strip does nothing outside its close box; the close box chooses like Enter.
    OpenChooser();
    Press(VK_DOWN);
    ClickClient(Chooser(), {100, 5});
    EXPECT_TRUE(Open());
    ClickClient(Chooser(), {275, 5});
    EXPECT_FALSE(Open());
    EXPECT_TRUE(Chooser().chosen);
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_STREQ(panel->nameText, "Plate");
}

}  // namespace
