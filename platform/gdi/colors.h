#pragma once
// Colour values as the platform keeps them: 00BBGGRR (red in the low byte), and the class
// library's TColor, which adds the system colours (FF000000H plus the colour index) and two
// markers. The system colours and metrics come from one fixed table with two profiles; changing
// the profile is what a change of the desktop's colours is here.

#include <cstdint>

namespace platform::gdi {

using COLORREF = std::uint32_t;
using TColor = std::int32_t;

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(COLORREF c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// System colour indices.
enum : int {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
    COLOR_3DFACE = COLOR_BTNFACE,
    COLOR_3DSHADOW = COLOR_BTNSHADOW,
    COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT,
    COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT,
    COLOR_BTNHILIGHT = COLOR_BTNHIGHLIGHT,
};
inline constexpr int SystemColorCount = 31;

// The class library's colour names.
inline constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor SystemColor(int index) {
    return static_cast<TColor>(0xFF000000u | index);
}

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
inline constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
inline constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
inline constexpr TColor clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION);
inline constexpr TColor clMenu = SystemColor(COLOR_MENU);
inline constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
inline constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
inline constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);
inline constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
inline constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
inline constexpr TColor clActiveBorder = SystemColor(COLOR_ACTIVEBORDER);
inline constexpr TColor clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER);
inline constexpr TColor clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE);
inline constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
inline constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
inline constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
inline constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
inline constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
inline constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
inline constexpr TColor clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT);
inline constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
inline constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
inline constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
inline constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
inline constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
inline constexpr TColor clHotLight = SystemColor(COLOR_HOTLIGHT);
inline constexpr TColor clGradientActiveCaption = SystemColor(COLOR_GRADIENTACTIVECAPTION);
inline constexpr TColor clGradientInactiveCaption = SystemColor(COLOR_GRADIENTINACTIVECAPTION);
inline constexpr TColor clMenuHighlight = SystemColor(COLOR_MENUHILIGHT);
inline constexpr TColor clMenuBar = SystemColor(COLOR_MENUBAR);

// Current value of a system colour; 0 for an index outside the table.
COLORREF GetSysColor(int index);
// A system colour as a platform colour value; other colours pass unchanged (markers included).
COLORREF ColorToRGB(TColor color);

// System metrics indices (the ones the windows and painters ask for).
enum : int {
    SM_CXSCREEN = 0,
    SM_CYSCREEN = 1,
    SM_CXVSCROLL = 2,
    SM_CYHSCROLL = 3,
    SM_CYCAPTION = 4,
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
    SM_CXDLGFRAME = 7,
    SM_CYDLGFRAME = 8,
    SM_CYVTHUMB = 9,
    SM_CXHTHUMB = 10,
    SM_CXICON = 11,
    SM_CYICON = 12,
    SM_CXCURSOR = 13,
    SM_CYCURSOR = 14,
    SM_CYMENU = 15,
    SM_CXFULLSCREEN = 16,
    SM_CYFULLSCREEN = 17,
    SM_MOUSEPRESENT = 19,
    SM_CYVSCROLL = 20,
    SM_CXHSCROLL = 21,
    SM_SWAPBUTTON = 23,
    SM_CXMIN = 28,
    SM_CYMIN = 29,
    SM_CXSIZE = 30,
    SM_CYSIZE = 31,
    SM_CXFRAME = 32,
    SM_CYFRAME = 33,
    SM_CXMINTRACK = 34,
    SM_CYMINTRACK = 35,
    SM_CXDOUBLECLK = 36,
    SM_CYDOUBLECLK = 37,
    SM_CXICONSPACING = 38,
    SM_CYICONSPACING = 39,
    SM_MENUDROPALIGNMENT = 40,
    SM_CXEDGE = 45,
    SM_CYEDGE = 46,
    SM_CXSMICON = 49,
    SM_CYSMICON = 50,
    SM_CYSMCAPTION = 51,
    SM_CXSMSIZE = 52,
    SM_CYSMSIZE = 53,
    SM_CXMENUSIZE = 54,
    SM_CYMENUSIZE = 55,
    // A minimised child window: a caption bar in a fixed frame.
    SM_CXMINIMIZED = 57,
    SM_CYMINIMIZED = 58,
    SM_CXDRAG = 68,
    SM_CYDRAG = 69,
    SM_CXMENUCHECK = 71,
    SM_CYMENUCHECK = 72,
    SM_XVIRTUALSCREEN = 76,
    SM_YVIRTUALSCREEN = 77,
    SM_CXVIRTUALSCREEN = 78,
    SM_CYVIRTUALSCREEN = 79,
    SM_CMONITORS = 80,
};
inline constexpr int SM_CXFIXEDFRAME = SM_CXDLGFRAME;
inline constexpr int SM_CYFIXEDFRAME = SM_CYDLGFRAME;
inline constexpr int SM_CXSIZEFRAME = SM_CXFRAME;
inline constexpr int SM_CYSIZEFRAME = SM_CYFRAME;

// 0 for an index the table does not know.
int GetSystemMetrics(int index);

// The two looks of the desktop: the classic grey one and the XP-like one that goes with an
// active visual style (the default).
enum class SystemProfile { Classic, XP };
void SetSystemProfile(SystemProfile profile);
SystemProfile GetSystemProfile();
// Replaces single colours, as the platform's SetSysColors does; the profile's values come back
// with the next SetSystemProfile.
void SetSysColors(int count, const int* indices, const COLORREF* values);

} // namespace platform::gdi
