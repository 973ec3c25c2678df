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

using Lines = std::vector<std::string>;
constexpr const char* kDefaultName = CEditorPanel::kDefaultPatchText;

std::string Line(const char* name) { return std::string(name) + "   (USER DEFINED PATCH)  "; }

class PresetChooserTest : public testsupport::EditorFixture {
protected:
    void StoreRooms(const std::vector<const char*>& names) {
        WriteRoomCount(static_cast<int>(names.size()));
        for (size_t i = 0; i < names.size(); ++i) {
            tagUserPreset p{};
            SetPresetName(p, names[i]);
            p.effectLevel = 60 + static_cast<int>(i);
            WriteRoom(static_cast<int>(i) + 1, p);
        }
    }
    CPresetChooserDlg& Chooser() { return *panel->presetChooser; }
    ListBoxControl& List() { return *Chooser().presetList.As<ListBoxControl>(); }
    bool Open() { return Chooser().IsWindowVisible(); }
    void OpenChooser() { ClickPanel({120, 18}); }  // inside the program name field
    Lines Shown() {
        Lines lines(List().GetCount());
        for (int i = 0; i < List().GetCount(); ++i) List().GetText(i, lines[i]);
        return lines;
    }
    void ClickLine(int index) {
        Rect r;
        ASSERT_NE(List().GetItemRect(index, &r), LB_ERR);
        ClickClient(List(), {r.left + 10, r.top + 5});
    }
};

TEST_F(PresetChooserTest, ListsStoredPresetsInFileOrderAndAClickLoadsOne) {
    EXPECT_FALSE(Open());
    StoreRooms({"Hall", "Plate", "Chamber"});
    OpenChooser();
    ASSERT_TRUE(Open());
    EXPECT_EQ(Chooser().WindowRect().TopLeft(), PresetChooserPosition(Chooser().WindowRect(), panel->WindowRect()));
    EXPECT_EQ(Shown(), (Lines{Line("Hall"), Line("Plate"), Line("Chamber")}));
    EXPECT_EQ(List().GetCurSel(), 0);
    for (Window* child : Chooser().Children()) {  // the title strip takes its bitmap's size
        if (child->ClassName() == "Static") {
            EXPECT_EQ(child->WindowRect().GetSize(), (Size{285, 15}));
        }
    }
    if (const char* dir = std::getenv("KVX4_SCREENSHOT_DIR"))
        Desktop::Instance().SaveScreenshot(std::string(dir) + "/preset-chooser.png");

    ClickLine(1);
    EXPECT_FALSE(Open());
    EXPECT_TRUE(Chooser().chosen);
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_EQ(Block().programNumber, 2);
    EXPECT_STREQ(panel->nameText, "Plate");

    OpenChooser();  // filled afresh, the choice forgotten
    EXPECT_FALSE(Chooser().chosen);
    EXPECT_EQ(List().GetCount(), 3);
}

TEST_F(PresetChooserTest, ArrowKeysMoveWithoutChoosingUntilEnter) {
    StoreRooms({"Hall", "Plate", "Chamber"});
    OpenChooser();
    Press(VK_DOWN);
    Press(VK_DOWN);
    EXPECT_TRUE(Open());
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
    EXPECT_FALSE(Chooser().skipSelChange);
    EXPECT_STREQ(panel->nameText, "Chamber");
}

TEST_F(PresetChooserTest, AnUnreadableRoomIsLeftOutAndTheOthersLoadTheirOwnRoom) {
    StoreRooms({"Hall", "Plate", "Chamber"});
    ASSERT_TRUE(WritePrivateProfileStringA("Reverb Room Settings", "Room 2", "00FF", "KVX4.ini"));
    OpenChooser();
    EXPECT_EQ(Shown(), (Lines{Line("Hall"), Line("Chamber")}));
    ClickLine(1);  // room 3, not room 2
    EXPECT_STREQ(panel->nameText, "Chamber");
    EXPECT_EQ(Block().effect.value, 62);
}

TEST_F(PresetChooserTest, AnEmptyFileShowsThePlaceholderWhichLoadsNothing) {
    WriteRoomCount(0);
    OpenChooser();
    EXPECT_EQ(Shown(), (Lines{"Sorry no Presets available"}));
    Press(VK_RETURN);
    EXPECT_FALSE(Open());
    EXPECT_TRUE(clock.Sleeps().empty());

    Block().presetsAvailable = 0;  // an empty list; Enter only closes
    OpenChooser();
    EXPECT_EQ(List().GetCount(), 0);
    Press(VK_RETURN);
    EXPECT_FALSE(Open());
    EXPECT_STREQ(panel->nameText, kDefaultName);
}

TEST_F(PresetChooserTest, EscapeAndFocusLossCloseWithoutLoadingAndTheCloseBoxChooses) {
    StoreRooms({"Hall", "Plate"});
    OpenChooser();
    Press(VK_DOWN);
    Press(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_EQ(List().GetCount(), 0);

    OpenChooser();
    ClickPanel({300, 300});  // elsewhere on the panel
    EXPECT_FALSE(Open());
    EXPECT_FALSE(Chooser().chosen);
    EXPECT_STREQ(panel->nameText, kDefaultName);

    OpenChooser();
    Press(VK_DOWN);
    ClickClient(Chooser(), {100, 5});  // the title strip outside the close box
    EXPECT_TRUE(Open());
    ClickClient(Chooser(), {275, 5});
    EXPECT_FALSE(Open());
    EXPECT_TRUE(Chooser().chosen);
    EXPECT_STREQ(panel->nameText, "Plate");
}

}  // namespace
