#pragma once
// The system menu of a window: the window commands (restore, move, size, minimise, maximise,
// close and, for a multiple-document child, next window) with the shortcuts the platform shows
// beside them. Choosing one sends the window WM_SYSCOMMAND with the item's identifier. The
// states follow the window's style and its minimised or maximised state as they are when the
// menu is asked for (GetSystemMenu); a window without WS_SYSMENU has none. Close is the
// default command. The menu belongs to the window and goes with it. A program may add items of
// its own (InsertMenuItem) and give an item check-mark pictures (SetMenuItemBitmaps); both stay
// while the window lives, the window commands' states still following the window.

#include "platform/gdi/objects.h"
#include "platform/win/messages.h"

#include <string>

namespace platform::win {

struct MenuData;
using HMENU = MenuData*;

// Item types and states (MENUITEMINFO).
inline constexpr UINT MFT_STRING = 0x0000;
inline constexpr UINT MFT_BITMAP = 0x0004;
inline constexpr UINT MFT_SEPARATOR = 0x0800;
inline constexpr UINT MFS_ENABLED = 0x0000;
inline constexpr UINT MFS_GRAYED = 0x0003;
inline constexpr UINT MFS_DISABLED = MFS_GRAYED;
inline constexpr UINT MFS_CHECKED = 0x0008;
inline constexpr UINT MFS_DEFAULT = 0x1000;
// Flags of GetMenuState, EnableMenuItem and GetMenuItemInfo's position argument.
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_CHECKED = 0x0008;
// The pictures the platform draws beside the window commands (MENUITEMINFO::hbmpItem).
enum : int {
    HBMMENU_NONE = 0,
    HBMMENU_POPUP_CLOSE = 8,
    HBMMENU_POPUP_RESTORE = 9,
    HBMMENU_POPUP_MAXIMIZE = 10,
    HBMMENU_POPUP_MINIMIZE = 11
};

struct MENUITEMINFO {
    UINT fType = MFT_STRING;
    UINT fState = MFS_ENABLED;
    UINT wID = 0;
    HMENU hSubMenu = nullptr;
    // The text, with the shortcut after a TAB ("&Close\tCtrl+F4").
    std::string dwTypeData;
    int hbmpItem = HBMMENU_NONE;
    // The pictures beside the item when checked and when not; null: the platform's own (a check
    // mark, or nothing). They stay the caller's.
    gdi::HBITMAP hbmpChecked{};
    gdi::HBITMAP hbmpUnchecked{};
    // What an MFT_BITMAP item shows instead of a text (the caller's).
    gdi::HBITMAP hbmpBitmap{};
};

// The window's system menu, its states brought up to date; nullptr without WS_SYSMENU.
// EnableMenuItem's changes to the window commands last until the next call. Revert puts the
// menu back to the window commands alone and answers nullptr.
HMENU GetSystemMenu(HWND wnd, BOOL revert);
// -1 for nullptr.
int GetMenuItemCount(HMENU menu);
// False past the end or for an identifier the menu lacks.
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info);
// MF_GRAYED | MF_DISABLED for a grayed item, 0 for an enabled one; -1 (as UINT) when absent.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// The default item's identifier (or position with byPosition); -1 (as UINT) when none.
UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags);
// The previous state (MF_GRAYED or MF_ENABLED); -1 (as UINT) when absent.
UINT EnableMenuItem(HMENU menu, UINT item, UINT enable);
// Info inserted before the item (by position, or by identifier), or at the end when there is no
// such item; false without a menu.
BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO& info);
// The item's check-mark pictures (flags: MF_BYCOMMAND or MF_BYPOSITION); false when absent.
BOOL SetMenuItemBitmaps(HMENU menu, UINT item, UINT flags, gdi::HBITMAP unchecked,
                        gdi::HBITMAP checked);

} // namespace platform::win
