#pragma once
// The platform's LISTBOX window class: a column of items driven entirely by LB_* messages. Items
// keep a text (LBS_HASSTRINGS, or any list that is not owner-drawn) and an item data value; a
// single-selection list has one current item, a multiple-selection list (LBS_MULTIPLESEL: a
// click toggles; LBS_EXTENDEDSEL: Shift and Ctrl extend) a selected flag per item and a caret.
// Owner-drawn lists ask their parent WM_MEASUREITEM (once for fixed heights, per item for
// variable heights) and WM_DRAWITEM. LBS_NOTIFY sends LBN_SELCHANGE (changes by the user only)
// and LBN_DBLCLK to the parent through WM_COMMAND. WS_VSCROLL shows a vertical scroll bar in the
// non-client area while the items overflow the window. UI thread only.

#include "platform/gdi/objects.h"
#include "platform/win/messages.h"

#include <cstdint>

namespace platform::win {

// Registers the class under its name; later calls do nothing.
void RegisterListBoxClass();
inline constexpr const char* WC_LISTBOX = "LISTBOX";

// Styles.
inline constexpr DWORD LBS_NOTIFY = 0x0001;
inline constexpr DWORD LBS_SORT = 0x0002;
inline constexpr DWORD LBS_NOREDRAW = 0x0004;
inline constexpr DWORD LBS_MULTIPLESEL = 0x0008;
inline constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
inline constexpr DWORD LBS_OWNERDRAWVARIABLE = 0x0020;
inline constexpr DWORD LBS_HASSTRINGS = 0x0040;
inline constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
inline constexpr DWORD LBS_EXTENDEDSEL = 0x0800;
inline constexpr DWORD LBS_DISABLENOSCROLL = 0x1000;
inline constexpr DWORD LBS_NOSEL = 0x4000;
inline constexpr DWORD LBS_STANDARD = LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER;

// Messages.
inline constexpr UINT LB_ADDSTRING = 0x0180;
inline constexpr UINT LB_INSERTSTRING = 0x0181;
inline constexpr UINT LB_DELETESTRING = 0x0182;
inline constexpr UINT LB_RESETCONTENT = 0x0184;
inline constexpr UINT LB_SETSEL = 0x0185;
inline constexpr UINT LB_SETCURSEL = 0x0186;
inline constexpr UINT LB_GETSEL = 0x0187;
inline constexpr UINT LB_GETCURSEL = 0x0188;
inline constexpr UINT LB_GETTEXT = 0x0189;
inline constexpr UINT LB_GETTEXTLEN = 0x018A;
inline constexpr UINT LB_GETCOUNT = 0x018B;
inline constexpr UINT LB_SELECTSTRING = 0x018C;
inline constexpr UINT LB_GETTOPINDEX = 0x018E;
inline constexpr UINT LB_FINDSTRING = 0x018F;
inline constexpr UINT LB_GETSELCOUNT = 0x0190;
inline constexpr UINT LB_GETSELITEMS = 0x0191;
inline constexpr UINT LB_GETHORIZONTALEXTENT = 0x0193;
inline constexpr UINT LB_SETHORIZONTALEXTENT = 0x0194;
inline constexpr UINT LB_SETTOPINDEX = 0x0197;
inline constexpr UINT LB_GETITEMRECT = 0x0198;
inline constexpr UINT LB_GETITEMDATA = 0x0199;
inline constexpr UINT LB_SETITEMDATA = 0x019A;
inline constexpr UINT LB_SELITEMRANGE = 0x019B;
inline constexpr UINT LB_SETANCHORINDEX = 0x019C;
inline constexpr UINT LB_GETANCHORINDEX = 0x019D;
inline constexpr UINT LB_SETCARETINDEX = 0x019E;
inline constexpr UINT LB_GETCARETINDEX = 0x019F;
inline constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
inline constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
inline constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;
inline constexpr UINT LB_ITEMFROMPOINT = 0x01A9;
inline constexpr LRESULT LB_OKAY = 0;
inline constexpr LRESULT LB_ERR = -1;

// Notifications, the high word of WM_COMMAND's wParam (the low word is the control's id, lParam
// its window).
inline constexpr int LBN_SELCHANGE = 1;
inline constexpr int LBN_DBLCLK = 2;
inline constexpr int LBN_SELCANCEL = 3;
inline constexpr int LBN_SETFOCUS = 4;
inline constexpr int LBN_KILLFOCUS = 5;

// Owner drawing: WM_MEASUREITEM and WM_DRAWITEM carry these records in lParam and the control's
// id in wParam.
inline constexpr UINT ODT_LISTBOX = 2;
inline constexpr UINT ODA_DRAWENTIRE = 0x0001;
inline constexpr UINT ODA_SELECT = 0x0002;
inline constexpr UINT ODA_FOCUS = 0x0004;
inline constexpr UINT ODS_SELECTED = 0x0001;
inline constexpr UINT ODS_DISABLED = 0x0004;
inline constexpr UINT ODS_FOCUS = 0x0010;

struct MEASUREITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    std::uintptr_t itemData = 0;
};

struct DRAWITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 0;
    UINT itemState = 0;
    HWND hwndItem{};
    gdi::HDC hDC{};
    TRect rcItem;
    std::uintptr_t itemData = 0;
};

} // namespace platform::win
