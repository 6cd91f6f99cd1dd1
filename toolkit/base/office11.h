#pragma once
// The Office 2003 look: a palette of 79 colours with the brushes, bitmaps and fill routines
// that the Office11 painters share. With one of the three known colour schemes of the visual
// style the palette comes from that scheme's table; otherwise every colour derives from the
// system colours, so that classic and high-contrast desktops get a matching look. Entries are
// numbered 1 to 79.

#include "platform/gdi/colors.h"
#include "platform/gdi/geometry.h"
#include "platform/gdi/objects.h"

namespace toolkit::base {

using platform::gdi::COLORREF;
using platform::gdi::HBITMAP;
using platform::gdi::HBRUSH;
using platform::gdi::HDC;
using platform::gdi::TColor;
using platform::gdi::TRect;

enum TdxOffice11Scheme : int { schNone = 0, schBlue = 1, schOlive = 2, schSilver = 3 };

inline constexpr int dxOffice11PaletteSize = 79;
inline constexpr TColor dxOffice11ExpandButtonColor1 = platform::gdi::RGB(158, 174, 191);
inline constexpr TColor dxOffice11ExpandButtonColor2 = platform::gdi::RGB(46, 70, 95);

// The scheme of the current visual style; asked each time the palette is computed.
TdxOffice11Scheme dxOffice11GetScheme();
// Visual styles are available and the scheme is a known one.
bool dxOffice11IsVisualStyleScheme();

// An entry of the palette as last computed (a plain colour value).
TColor dxOffice11Palette(int Entry);
// 41 blue, 125 olive, 40 silver, 75 without a scheme.
int dxOffice11GradientPercent();
// The brush of entry 16, 19, 20, 21, 22, 32, 39, 41, 42, 47, 48, 49 or 50 while the colours are
// held (dxOffice11InitColors); a null handle otherwise.
HBRUSH dxOffice11Brush(int Entry);
// Held with the colours: the recoloured sub-menu expand image, and the expand buttons.
HBITMAP dxOffice11SubMenuExpandBitmap();
HBITMAP dxOffice11ExpandButtonBitmap(bool Plus);

// The first user computes the palette and makes the brushes and bitmaps; the last release frees
// the brushes and bitmaps.
void dxOffice11InitColors();
void dxOffice11ReleaseColors();
// The users holding the colours now.
int dxOffice11ColorUserCount();
// After a change of the system colours or the visual style: a new palette, and new brushes and
// bitmaps while there are users.
void dxOffice11RefreshColors();

// The button face is black; white; black with text that is not white.
bool IsHighContrastBlack();
bool IsHighContrastWhite();
bool IsHighContrastBlackColoredText();

// Channel by channel A * P% + B * (100 - P)%, limited to 255, as the screen shows it.
TColor dxOffice11MixColors(TColor A, TColor B, int P);
// Channel by channel button face * P1% + highlight * P2% + window * P3% (weights may be
// negative), clamped to 0..255; the highlight colour itself on a black or white button face.
TColor dxOffice11BlendSystemColors(int P1, int P2, int P3);
// The button face lifted a lot toward white (Strong) or a little.
TColor dxOffice11LightBtnFaceColor(bool Strong);

// With a temporary solid brush; clNone draws nothing.
void FillRectByColor(HDC DC, const TRect& R, TColor Color);
void FrameRectByColor(HDC DC, const TRect& R, TColor Color);
// A linear gradient from Color1 to Color2, left to right (Horizontal) or top to bottom, in at
// most 256 stripes.
void FillGradientRect(HDC DC, const TRect& R, TColor Color1, TColor Color2, bool Horizontal);
// Color1 to a middle colour over the first half, and on to Color2 over the second, one line
// at a time; the middle colour lies dxOffice11GradientPercent / 200 of the way.
void FillTwoStageGradientRect(HDC DC, const TRect& R, TColor Color1, TColor Color2,
                              bool Horizontal);
// The colour FillGradientRect gives at Pos.
TColor GetGradientColorAtPos(const TRect& R, int Pos, TColor Color1, TColor Color2,
                             bool Horizontal);

void dxOffice11FrameSelectedRect(HDC DC, const TRect& R);
// Embossed dots in 4-pixel cells along the rectangle; null brushes mean those of entries 20
// (light) and 19 (dark).
void dxOffice11DrawGripDots(HDC DC, const TRect& R, bool Vertical,
                            HBRUSH LightBrush = platform::gdi::NullObject,
                            HBRUSH DarkBrush = platform::gdi::NullObject);
// A triangle of dots in the bottom right corner; clNone or clDefault means the default brushes.
void dxOffice11DrawSizeGrip(HDC DC, const TRect& R, TColor LightColor = platform::gdi::clNone,
                            TColor DarkColor = platform::gdi::clNone);
// An arrow sized to the rectangle, at least 3.
void dxOffice11DrawArrowInRect(HDC DC, const TRect& R, bool Down, bool WhiteInHighContrast,
                               bool Enabled);
// A filled arrow, down or right, centred in the rectangle.
void dxOffice11DrawArrow(HDC DC, const TRect& R, bool Down, int Size, bool WhiteInHighContrast,
                         bool Enabled);

// The palette under the names the painters use.
inline TColor dxOffice11DockGradientStart() {
    return dxOffice11Palette(1);
}
inline TColor dxOffice11DockGradientEnd() {
    return dxOffice11Palette(2);
}
inline TColor dxOffice11BarGradientLight() {
    return dxOffice11Palette(3);
}
inline TColor dxOffice11BarGradientDark() {
    return dxOffice11Palette(4);
}
// Index 0 normal, 1 hot, 2 pressed.
inline TColor dxOffice11MarkLightColors(int Index) {
    return dxOffice11Palette(5 + Index);
}
inline TColor dxOffice11MarkDarkColors(int Index) {
    return dxOffice11Palette(8 + Index);
}
inline TColor dxOffice11BarBorderColor() {
    return dxOffice11Palette(11);
}
inline TColor dxOffice11BarCornerColor() {
    return dxOffice11Palette(12);
}
inline TColor dxOffice11MarkMidColors(int Index) {
    return dxOffice11Palette(13 + Index);
}
inline TColor dxOffice11MarkShadeColors(int Index) {
    return dxOffice11Palette(16 + Index);
}
inline TColor dxOffice11GripDarkColor() {
    return dxOffice11Palette(19);
}
inline TColor dxOffice11GripLightColor() {
    return dxOffice11Palette(20);
}
inline TColor dxOffice11SeparatorColor() {
    return dxOffice11Palette(21);
}
inline TColor dxOffice11SeparatorLightColor() {
    return dxOffice11Palette(22);
}
inline TColor dxOffice11MarkGlyphColor() {
    return dxOffice11Palette(23);
}
inline TColor dxOffice11MarkGlyphShadowColor() {
    return dxOffice11Palette(24);
}
inline TColor dxOffice11FloatingBarColor() {
    return dxOffice11Palette(25);
}
inline TColor dxOffice11FloatingBarInnerColor() {
    return dxOffice11Palette(26);
}
inline TColor dxOffice11CaptionTextColor() {
    return dxOffice11Palette(29);
}
inline TColor dxOffice11MarkArrowHotColor() {
    return dxOffice11Palette(30);
}
inline TColor dxOffice11MarkArrowPressedColor() {
    return dxOffice11Palette(31);
}
inline TColor dxOffice11MenuColor() {
    return dxOffice11Palette(32);
}
inline TColor dxOffice11NonRecentBandLight() {
    return dxOffice11Palette(37);
}
inline TColor dxOffice11NonRecentBandDark() {
    return dxOffice11Palette(38);
}
inline TColor dxOffice11MenuBorderColor() {
    return dxOffice11Palette(39);
}
inline TColor dxOffice11SelectedColor() {
    return dxOffice11Palette(41);
}
inline TColor dxOffice11SelectedBorderColor() {
    return dxOffice11Palette(42);
}
inline TColor dxOffice11HotGradientLight() {
    return dxOffice11Palette(43);
}
inline TColor dxOffice11HotGradientDark() {
    return dxOffice11Palette(44);
}
inline TColor dxOffice11DownGradientLight() {
    return dxOffice11Palette(45);
}
inline TColor dxOffice11DownGradientDark() {
    return dxOffice11Palette(46);
}
inline TColor dxOffice11ControlFillColor() {
    return dxOffice11Palette(47);
}
inline TColor dxOffice11PressedColor() {
    return dxOffice11Palette(48);
}
inline TColor dxOffice11CheckedSelectedColor() {
    return dxOffice11Palette(49);
}
inline TColor dxOffice11DetachStripColor() {
    return dxOffice11Palette(50);
}
inline TColor dxOffice11TextColor() {
    return dxOffice11Palette(52);
}
inline TColor dxOffice11DisabledTextColor() {
    return dxOffice11Palette(53);
}

inline HBRUSH dxOffice11MarkShadeBrush() {
    return dxOffice11Brush(16);
}
inline HBRUSH dxOffice11GripDarkBrush() {
    return dxOffice11Brush(19);
}
inline HBRUSH dxOffice11GripLightBrush() {
    return dxOffice11Brush(20);
}
inline HBRUSH dxOffice11SeparatorBrush() {
    return dxOffice11Brush(21);
}
inline HBRUSH dxOffice11SeparatorLightBrush() {
    return dxOffice11Brush(22);
}
inline HBRUSH dxOffice11MenuBrush() {
    return dxOffice11Brush(32);
}
inline HBRUSH dxOffice11MenuBorderBrush() {
    return dxOffice11Brush(39);
}
inline HBRUSH dxOffice11SelectedBrush() {
    return dxOffice11Brush(41);
}
inline HBRUSH dxOffice11SelectedBorderBrush() {
    return dxOffice11Brush(42);
}
inline HBRUSH dxOffice11ControlFillBrush() {
    return dxOffice11Brush(47);
}
inline HBRUSH dxOffice11PressedBrush() {
    return dxOffice11Brush(48);
}
inline HBRUSH dxOffice11CheckedSelectedBrush() {
    return dxOffice11Brush(49);
}
inline HBRUSH dxOffice11DetachStripBrush() {
    return dxOffice11Brush(50);
}

} // namespace toolkit::base
