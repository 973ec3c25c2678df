#include <gtest/gtest.h>

#include "platform/module/Module.h"
#include "platform/window/Menu.h"
#include "tests/support/HeadlessDesktop.h"

using namespace win;
using testsupport::HeadlessDesktopTest;

namespace {

int anchor;

class MenuTest : public HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        MenuItemTemplate popup;
        popup.text = "Control Settings";
        popup.popup = {{"Controls Menu", 100, MF_GRAYED, false, {}},
                       {"", 0, 0, true, {}},
                       {"&Display Settings...", 101, 0, false, {}},
                       {"&Configure...", 102, 0, false, {}}};
        module.AddMenu(178, MenuTemplate{{popup}});
        owner.Create(nullptr, "", WS_POPUP | WS_VISIBLE, {0, 0, 400, 300}, nullptr, 0);
        Pump();
    }

    // Opens menu 178's popup at (x, y) and tracks it; `answer` runs once the menu is on screen.
    UINT Track(std::function<void()> answer, UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD, int x = 50, int y = 60) {
        ModuleStateScope scope(module);
        HMENU menu = LoadMenuA(178);
        EXPECT_NE(menu, nullptr);
        WhenModal(std::move(answer));
        UINT result = static_cast<UINT>(TrackPopupMenu(GetSubMenu(menu, 0), flags, x, y, 0, owner.GetSafeHwnd()));
        EXPECT_TRUE(DestroyMenu(menu));
        EXPECT_EQ(TrackedPopupMenuWindow(), nullptr);
        return result;
    }

    static void ClickItem(int index, int button = 0) {
        Rect r = TrackedPopupMenuItemRect(index);
        InjectClick({r.left + 10, r.top + r.Height() / 2}, button);
    }

    Module module{"menus", &anchor};
    Window owner;
};

TEST_F(MenuTest, ResourceMenusKeepTheirItems) {
    ModuleStateScope scope(module);
    HMENU menu = LoadMenuA(178);
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetMenuItemCount(), 4);
    EXPECT_EQ(popup->GetMenuItemID(0), 100u);
    EXPECT_EQ(popup->GetMenuItemID(1), 0u);
    EXPECT_EQ(popup->GetMenuState(100, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(popup->GetMenuState(1, MF_BYPOSITION) & MF_SEPARATOR, MF_SEPARATOR);
    EXPECT_EQ(popup->GetMenuString(102, MF_BYCOMMAND), "&Configure...");
    EXPECT_FALSE(DestroyMenu(popup)) << "a sub-menu goes with its menu";
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_EQ(LoadMenuA(999), nullptr);
}

TEST_F(MenuTest, ClickingAnItemReturnsItsCommandAndDisabledItemsCannotBeChosen) {
    EXPECT_EQ(Track([] {
                  ASSERT_NE(TrackedPopupMenuWindow(), nullptr);
                  EXPECT_TRUE(TrackedPopupMenuWindow()->IsWindowVisible());
                  ClickItem(3);
              }),
              102u);
    EXPECT_EQ(Track([] {
                  ClickItem(0);  // the disabled title: nothing
                  ClickItem(1);  // the separator: nothing
                  SetIdleHook([] { ClickItem(2, 1); });  // the right button chooses too
              }),
              101u);
}

TEST_F(MenuTest, KeysWalkTheItemsAndEscapeOrAClickOutsideDismisses) {
    EXPECT_EQ(Track([] {
                  InjectKeyPress(VK_DOWN);  // skips the title and the separator
                  InjectKeyPress(VK_DOWN);
                  InjectKeyPress(VK_RETURN);
              }),
              102u);
    EXPECT_EQ(Track([] { InjectKeyPress('D'); }), 101u);
    EXPECT_EQ(Track([] { InjectKeyPress(VK_ESCAPE); }), 0u);
    EXPECT_EQ(Track([] { InjectClick({390, 290}); }), 0u);
    // With only the left button allowed, a right-button release over an item does not choose.
    EXPECT_EQ(Track([] {
                  ClickItem(2, 1);
                  SetIdleHook([] { InjectKeyPress(VK_ESCAPE); });
              },
                    TPM_RETURNCMD),
              0u);
}

TEST_F(MenuTest, WithoutReturnCmdTheChoiceGoesToTheOwnerAsCommand) {
    class Owner : public Window {
    public:
        std::vector<WPARAM> commands;

    protected:
        BOOL OnCommand(WPARAM wParam, LPARAM) override {
            commands.push_back(wParam);
            return TRUE;
        }
    } commandOwner;
    commandOwner.Create(nullptr, "", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0);
    ModuleStateScope scope(module);
    HMENU menu = LoadMenuA(178);
    WhenModal([] { ClickItem(2); });
    EXPECT_TRUE(TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN, 10, 10, 0, commandOwner.GetSafeHwnd()));
    Pump();
    EXPECT_EQ(commandOwner.commands, (std::vector<WPARAM>{101}));
    DestroyMenu(menu);
}

TEST_F(MenuTest, TheMenuStaysOnTheDesktop) {
    Track([] {
        Rect r = TrackedPopupMenuWindow()->WindowRect();
        EXPECT_LE(r.right, 1024);
        EXPECT_LE(r.bottom, 768);
        InjectKeyPress(VK_ESCAPE);
    },
          TPM_RETURNCMD, 1020, 760);
}

}  // namespace
