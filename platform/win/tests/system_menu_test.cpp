#include "platform/win/system_menu.h"
#include "platform/win/tests/win_test_support.h"
#include "platform/win/window.h"

#include <string>
#include <vector>

namespace platform::win::test {
namespace {

using SystemMenuTest = WindowTest;

// Each item as "text" or "-" for a separator, grayed ones marked with a leading "~".
std::vector<std::string> Items(HMENU menu) {
    std::vector<std::string> result;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFO info;
        EXPECT_TRUE(GetMenuItemInfo(menu, static_cast<UINT>(i), true, &info));
        if (info.fType == MFT_SEPARATOR)
            result.push_back("-");
        else
            result.push_back(((info.fState & MFS_GRAYED) ? "~" : "") + info.dwTypeData);
    }
    return result;
}

TEST_F(SystemMenuTest, ATopLevelWindowsCommandsFollowItsStyleAndState) {
    HWND plain = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(10, 10, 100, 80));
    EXPECT_EQ(GetSystemMenu(plain, false), nullptr);
    EXPECT_EQ(GetMenuItemCount(nullptr), -1);

    HWND framed = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, gdi::Bounds(10, 10, 200, 150));
    HMENU menu = GetSystemMenu(framed, false);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Items(menu), (std::vector<std::string>{"~&Restore", "&Move", "&Size", "Mi&nimize",
                                                     "Ma&ximize", "-", "&Close\tAlt+F4"}));
    EXPECT_EQ(GetMenuDefaultItem(menu, false, 0), static_cast<UINT>(SC_CLOSE));
    EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(SC_RESTORE), MF_BYCOMMAND),
              MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(GetMenuState(menu, 0x1234, MF_BYCOMMAND), static_cast<UINT>(-1));

    // Maximised: restore comes alive, moving, sizing and maximising go grey.
    ShowWindow(framed, SW_MAXIMIZE);
    menu = GetSystemMenu(framed, false);
    EXPECT_EQ(Items(menu), (std::vector<std::string>{"&Restore", "~&Move", "~&Size", "Mi&nimize",
                                                     "~Ma&ximize", "-", "&Close\tAlt+F4"}));
    EXPECT_EQ(EnableMenuItem(menu, static_cast<UINT>(SC_CLOSE), MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(SC_CLOSE), MF_BYCOMMAND),
              MF_GRAYED | MF_DISABLED);
}

TEST_F(SystemMenuTest, AMultipleDocumentChildOffersTheNextWindowAndItsShortcuts) {
    HWND parent = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 400, 300));
    HWND child = Create(WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, gdi::Bounds(10, 10, 200, 150),
                        parent, WS_EX_MDICHILD);
    ShowWindow(child, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(child));
    // A minimised child stays on its parent, as its icon.
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_EQ(Items(GetSystemMenu(child, false)),
              (std::vector<std::string>{"&Restore\tCtrl+F5", "&Move\tCtrl+F7", "~&Size\tCtrl+F8",
                                        "~Mi&nimize", "Ma&ximize\tCtrl+F10", "-", "&Close\tCtrl+F4",
                                        "-", "Nex&t\tCtrl+F6"}));
}

// What a program adds to a window's menu, and the pictures it gives an item, stay while the
// window commands' states still follow the window; revert brings back the commands alone.
TEST_F(SystemMenuTest, AddedItemsAndCheckMarkPicturesStayUntilReverted) {
    HWND framed = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, gdi::Bounds(10, 10, 200, 150));
    HMENU menu = GetSystemMenu(framed, false);
    MENUITEMINFO always;
    always.wID = 0x0100;
    always.dwTypeData = "&Always on Top";
    always.fState = MFS_CHECKED;
    ASSERT_TRUE(InsertMenuItem(menu, static_cast<UINT>(SC_CLOSE), false, always));
    const gdi::HBITMAP On = gdi::CreateBitmap(12, 12, 1, 32, nullptr);
    const gdi::HBITMAP Off = gdi::CreateBitmap(12, 12, 1, 32, nullptr);
    EXPECT_TRUE(SetMenuItemBitmaps(menu, 0x0100, MF_BYCOMMAND, Off, On));
    EXPECT_FALSE(SetMenuItemBitmaps(menu, 0x0200, MF_BYCOMMAND, Off, On));

    ShowWindow(framed, SW_MAXIMIZE);
    menu = GetSystemMenu(framed, false);
    EXPECT_EQ(Items(menu),
              (std::vector<std::string>{"&Restore", "~&Move", "~&Size", "Mi&nimize", "~Ma&ximize",
                                        "-", "&Always on Top", "&Close\tAlt+F4"}));
    MENUITEMINFO info;
    ASSERT_TRUE(GetMenuItemInfo(menu, 0x0100, false, &info));
    EXPECT_EQ(info.hbmpChecked, On);
    EXPECT_EQ(info.hbmpUnchecked, Off);
    EXPECT_TRUE(info.fState & MFS_CHECKED);

    EXPECT_EQ(GetSystemMenu(framed, true), nullptr);
    EXPECT_EQ(GetMenuItemCount(GetSystemMenu(framed, false)), 7);
    gdi::DeleteObject(On);
    gdi::DeleteObject(Off);
}

} // namespace
} // namespace platform::win::test
