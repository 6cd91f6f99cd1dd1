#include "platform/win/system_menu.h"

#include "platform/win/window.h"

#include <map>
#include <memory>
#include <vector>

namespace platform::win {

struct MenuData {
    std::vector<MENUITEMINFO> items;
    // Made by the window's commands, and so brought up to date with it.
    std::vector<bool> command;
};

namespace {

// One menu per window that asked for it; the entries of windows that are gone are dropped
// whenever a menu is asked for, so that a handle that comes again gets a fresh menu.
std::map<HWND, std::unique_ptr<MenuData>>& Menus() {
    static std::map<HWND, std::unique_ptr<MenuData>> menus;
    return menus;
}

void DropMenusOfGoneWindows() {
    auto& menus = Menus();
    std::erase_if(menus, [](const auto& entry) { return !core::IsWindow(entry.first); });
}

MENUITEMINFO Command(UINT id, const char* text, bool enabled, int picture = HBMMENU_NONE) {
    MENUITEMINFO item;
    item.wID = id;
    item.dwTypeData = text;
    item.fState = enabled ? MFS_ENABLED : MFS_GRAYED;
    item.hbmpItem = picture;
    return item;
}

MENUITEMINFO Separator() {
    MENUITEMINFO item;
    item.fType = MFT_SEPARATOR;
    return item;
}

// The platform's commands for the window as it is now.
std::vector<MENUITEMINFO> CommandsOf(HWND wnd) {
    const auto style = static_cast<DWORD>(GetWindowLong(wnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLong(wnd, GWL_EXSTYLE));
    const bool child = (exStyle & WS_EX_MDICHILD) != 0;
    const bool minimized = IsIconic(wnd), maximized = IsZoomed(wnd);
    const bool normal = !minimized && !maximized;
    std::vector<MENUITEMINFO> items;
    items.push_back(Command(static_cast<UINT>(SC_RESTORE), child ? "&Restore\tCtrl+F5" : "&Restore",
                            !normal, HBMMENU_POPUP_RESTORE));
    items.push_back(
        Command(static_cast<UINT>(SC_MOVE), child ? "&Move\tCtrl+F7" : "&Move", !maximized));
    items.push_back(Command(static_cast<UINT>(SC_SIZE), child ? "&Size\tCtrl+F8" : "&Size",
                            normal && (style & WS_THICKFRAME) != 0));
    items.push_back(Command(static_cast<UINT>(SC_MINIMIZE), "Mi&nimize",
                            !minimized && (style & WS_MINIMIZEBOX) != 0, HBMMENU_POPUP_MINIMIZE));
    items.push_back(Command(static_cast<UINT>(SC_MAXIMIZE),
                            child ? "Ma&ximize\tCtrl+F10" : "Ma&ximize",
                            !maximized && (style & WS_MAXIMIZEBOX) != 0, HBMMENU_POPUP_MAXIMIZE));
    items.push_back(Separator());
    MENUITEMINFO close =
        Command(static_cast<UINT>(SC_CLOSE), child ? "&Close\tCtrl+F4" : "&Close\tAlt+F4", true,
                HBMMENU_POPUP_CLOSE);
    close.fState |= MFS_DEFAULT;
    items.push_back(close);
    if (child) {
        items.push_back(Separator());
        items.push_back(Command(static_cast<UINT>(SC_NEXTWINDOW), "Nex&t\tCtrl+F6", true));
    }
    return items;
}

MENUITEMINFO* Find(HMENU menu, UINT item, bool byPosition) {
    if (menu == nullptr) return nullptr;
    if (byPosition) return item < menu->items.size() ? &menu->items[item] : nullptr;
    for (MENUITEMINFO& info : menu->items)
        if (info.fType != MFT_SEPARATOR && info.wID == item) return &info;
    return nullptr;
}

constexpr UINT kAbsent = static_cast<UINT>(-1);

} // namespace

HMENU GetSystemMenu(HWND wnd, BOOL revert) {
    DropMenusOfGoneWindows();
    if (revert) {
        Menus().erase(wnd);
        return nullptr;
    }
    if (!core::IsWindow(wnd) || (GetWindowLong(wnd, GWL_STYLE) & WS_SYSMENU) == 0) return nullptr;
    auto& menu = Menus()[wnd];
    std::vector<MENUITEMINFO> commands = CommandsOf(wnd);
    if (!menu) {
        menu = std::make_unique<MenuData>();
        menu->items = std::move(commands);
        menu->command.assign(menu->items.size(), true);
        return menu.get();
    }
    // The commands a window has stay the same while it lives; only their states move with it.
    // What the program added and the pictures it gave stay as they are.
    std::size_t next = 0;
    for (std::size_t i = 0; i < menu->items.size() && next < commands.size(); ++i) {
        if (!menu->command[i]) continue;
        menu->items[i].fState = commands[next].fState;
        ++next;
    }
    return menu.get();
}

int GetMenuItemCount(HMENU menu) {
    return menu ? static_cast<int>(menu->items.size()) : -1;
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info) {
    const MENUITEMINFO* found = Find(menu, item, byPosition != 0);
    if (found == nullptr || info == nullptr) return false;
    *info = *found;
    return true;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    const MENUITEMINFO* found = Find(menu, item, (flags & MF_BYPOSITION) != 0);
    if (found == nullptr) return kAbsent;
    UINT state = (found->fState & MFS_GRAYED) != 0 ? MF_GRAYED | MF_DISABLED : MF_ENABLED;
    if (found->fState & MFS_CHECKED) state |= MFS_CHECKED;
    if (found->fType == MFT_SEPARATOR) state |= MFT_SEPARATOR;
    return state;
}

UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT) {
    if (menu == nullptr) return kAbsent;
    for (std::size_t i = 0; i < menu->items.size(); ++i)
        if (menu->items[i].fState & MFS_DEFAULT)
            return byPosition ? static_cast<UINT>(i) : menu->items[i].wID;
    return kAbsent;
}

BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO& info) {
    if (menu == nullptr) return false;
    const MENUITEMINFO* before = Find(menu, item, byPosition != 0);
    const auto at =
        before ? before - menu->items.data() : static_cast<std::ptrdiff_t>(menu->items.size());
    menu->items.insert(menu->items.begin() + at, info);
    menu->command.insert(menu->command.begin() + at, false);
    return true;
}

BOOL SetMenuItemBitmaps(HMENU menu, UINT item, UINT flags, gdi::HBITMAP unchecked,
                        gdi::HBITMAP checked) {
    MENUITEMINFO* found = Find(menu, item, (flags & MF_BYPOSITION) != 0);
    if (found == nullptr) return false;
    found->hbmpUnchecked = unchecked;
    found->hbmpChecked = checked;
    return true;
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT enable) {
    MENUITEMINFO* found = Find(menu, item, (enable & MF_BYPOSITION) != 0);
    if (found == nullptr) return kAbsent;
    const UINT previous = (found->fState & MFS_GRAYED) != 0 ? MF_GRAYED : MF_ENABLED;
    found->fState &= ~MFS_GRAYED;
    if (enable & (MF_GRAYED | MF_DISABLED)) found->fState |= MFS_GRAYED;
    return previous;
}

} // namespace platform::win
