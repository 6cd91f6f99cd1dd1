#pragma once
// The colour names that colour editors offer: the class library's colour identifiers, the 16
// basic colours, and the 140 named web colours, alphabetically and grouped by hue. Lookups
// ignore case. Two pairs of web names share one colour (Aqua and Cyan, Fuchsia and Magenta): a
// colour gives the first of them in alphabetical order.

#include "platform/gdi/colors.h"

#include <array>
#include <string>

namespace toolkit::edit {

inline constexpr int cxColorIdentCount = 52;
inline constexpr int cxBasicColorCount = 16;
inline constexpr int cxWebColorCount = 140;

struct TcxNamedColor {
    const char* Name;
    platform::gdi::TColor Color;
};

// clBlack to clWindowText, with their colours.
extern const std::array<TcxNamedColor, cxColorIdentCount> cxColorIdents;
// Black to Aqua, in the order of the 16-colour palette.
extern const std::array<const char*, cxBasicColorCount> cxBasicColorNames;
// AliceBlue to YellowGreen, with their colours.
extern const std::array<TcxNamedColor, cxWebColorCount> cxWebColors;
// The same names from LightPink to Black, hue by hue.
extern const std::array<const char*, cxWebColorCount> cxWebColorNamesByHue;

// The colour of a colour identifier ("clBtnFace"), false for a name that is none.
bool cxIdentToColor(const std::string& Ident, platform::gdi::TColor& Color);
// The identifier of a colour, false for a colour that has none.
bool cxColorToIdent(platform::gdi::TColor Color, std::string& Ident);
// The colour of a web colour name, basic names included ("Teal"); false for a name that is none.
bool cxWebColorNameToColor(const std::string& Name, platform::gdi::TColor& Color);
// The web name of a colour, false for a colour that has none.
bool cxColorToWebColorName(platform::gdi::TColor Color, std::string& Name);

} // namespace toolkit::edit
