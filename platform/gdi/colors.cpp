#include "platform/gdi/colors.h"

#include "platform/core/text.h"
#include "platform/gdi/setting_change.h"

#include <array>
#include <cstdlib>
#include <map>

namespace platform::gdi {

namespace {

using ColorTable = std::array<COLORREF, SystemColorCount>;

constexpr ColorTable ClassicColors{
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128),
    RGB(212, 208, 200), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(255, 255, 255), RGB(212, 208, 200), RGB(212, 208, 200),
    RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255), RGB(212, 208, 200),
    RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),
    RGB(255, 255, 225), RGB(181, 181, 181), RGB(0, 0, 128),     RGB(166, 202, 240),
    RGB(192, 192, 192), RGB(49, 106, 197),  RGB(212, 208, 200)};

constexpr ColorTable XPColors{
    RGB(212, 208, 200), RGB(0, 78, 152),    RGB(0, 84, 227),    RGB(122, 150, 223),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(255, 255, 255), RGB(212, 208, 200), RGB(212, 208, 200),
    RGB(128, 128, 128), RGB(49, 106, 197),  RGB(255, 255, 255), RGB(236, 233, 216),
    RGB(172, 168, 153), RGB(172, 168, 153), RGB(0, 0, 0),       RGB(216, 228, 248),
    RGB(255, 255, 255), RGB(113, 111, 100), RGB(241, 239, 226), RGB(0, 0, 0),
    RGB(255, 255, 225), RGB(181, 181, 181), RGB(0, 0, 128),     RGB(61, 149, 255),
    RGB(157, 185, 235), RGB(49, 106, 197),  RGB(236, 233, 216)};

// The desktop starts with the look that goes with the visual-style setting (see
// visual_styles.h): classic when visual styles are off.
SystemProfile InitialProfile() {
    const char* style = std::getenv("QUINTARON_VISUAL_STYLE");
    return style && core::SameText(style, "none") ? SystemProfile::Classic : SystemProfile::XP;
}

struct SystemState {
    SystemProfile profile = InitialProfile();
    ColorTable colors = profile == SystemProfile::Classic ? ClassicColors : XPColors;
};

SystemState& State() {
    static SystemState state;
    return state;
}

const std::map<int, int>& CommonMetrics() {
    static const std::map<int, int> metrics{{SM_CXSCREEN, 1024},
                                            {SM_CYSCREEN, 768},
                                            {SM_CXVSCROLL, 16},
                                            {SM_CYHSCROLL, 16},
                                            {SM_CXBORDER, 1},
                                            {SM_CYBORDER, 1},
                                            {SM_CXDLGFRAME, 3},
                                            {SM_CYDLGFRAME, 3},
                                            {SM_CYVTHUMB, 16},
                                            {SM_CXHTHUMB, 16},
                                            {SM_CXICON, 32},
                                            {SM_CYICON, 32},
                                            {SM_CXCURSOR, 32},
                                            {SM_CYCURSOR, 32},
                                            {SM_CXFULLSCREEN, 1024},
                                            {SM_MOUSEPRESENT, 1},
                                            {SM_CYVSCROLL, 16},
                                            {SM_CXHSCROLL, 16},
                                            {SM_SWAPBUTTON, 0},
                                            {SM_CXMIN, 112},
                                            {SM_CYMIN, 27},
                                            {SM_CXFRAME, 4},
                                            {SM_CYFRAME, 4},
                                            {SM_CXMINTRACK, 112},
                                            {SM_CYMINTRACK, 27},
                                            {SM_CXDOUBLECLK, 4},
                                            {SM_CYDOUBLECLK, 4},
                                            {SM_CXICONSPACING, 75},
                                            {SM_CYICONSPACING, 75},
                                            {SM_MENUDROPALIGNMENT, 0},
                                            {SM_CXEDGE, 2},
                                            {SM_CYEDGE, 2},
                                            {SM_CXSMICON, 16},
                                            {SM_CYSMICON, 16},
                                            {SM_CXDRAG, 4},
                                            {SM_CYDRAG, 4},
                                            {SM_CXMENUCHECK, 13},
                                            {SM_CYMENUCHECK, 13},
                                            {SM_XVIRTUALSCREEN, 0},
                                            {SM_YVIRTUALSCREEN, 0},
                                            {SM_CXVIRTUALSCREEN, 1024},
                                            {SM_CYVIRTUALSCREEN, 768},
                                            {SM_CMONITORS, 1}};
    return metrics;
}

// The caption and menu sizes are what differ between the two looks.
const std::map<int, int>& ProfileMetrics(SystemProfile profile) {
    static const std::map<int, int> classic{
        {SM_CYCAPTION, 18},  {SM_CYMENU, 19},      {SM_CYFULLSCREEN, 731}, {SM_CXSIZE, 18},
        {SM_CYSIZE, 18},     {SM_CYSMCAPTION, 15}, {SM_CXSMSIZE, 12},      {SM_CYSMSIZE, 14},
        {SM_CXMENUSIZE, 18}, {SM_CYMENUSIZE, 18},  {SM_CXMINIMIZED, 160},  {SM_CYMINIMIZED, 24}};
    static const std::map<int, int> xp{
        {SM_CYCAPTION, 25},  {SM_CYMENU, 19},      {SM_CYFULLSCREEN, 724}, {SM_CXSIZE, 25},
        {SM_CYSIZE, 25},     {SM_CYSMCAPTION, 17}, {SM_CXSMSIZE, 17},      {SM_CYSMSIZE, 17},
        {SM_CXMENUSIZE, 19}, {SM_CYMENUSIZE, 19},  {SM_CXMINIMIZED, 160},  {SM_CYMINIMIZED, 31}};
    return profile == SystemProfile::Classic ? classic : xp;
}

} // namespace

COLORREF GetSysColor(int index) {
    if (index < 0 || index >= SystemColorCount) return 0;
    return State().colors[static_cast<std::size_t>(index)];
}

COLORREF ColorToRGB(TColor color) {
    auto value = static_cast<std::uint32_t>(color);
    if ((value & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(value & 0xFF));
    return value;
}

int GetSystemMetrics(int index) {
    const auto& own = ProfileMetrics(State().profile);
    if (auto it = own.find(index); it != own.end()) return it->second;
    const auto& common = CommonMetrics();
    if (auto it = common.find(index); it != common.end()) return it->second;
    return 0;
}

void SetSystemProfile(SystemProfile profile) {
    const ColorTable before = State().colors;
    State().profile = profile;
    State().colors = profile == SystemProfile::Classic ? ClassicColors : XPColors;
    if (State().colors != before) BroadcastSettingChange(WM_SYSCOLORCHANGE);
}

SystemProfile GetSystemProfile() {
    return State().profile;
}

void SetSysColors(int count, const int* indices, const COLORREF* values) {
    for (int i = 0; i < count; ++i) {
        if (indices[i] >= 0 && indices[i] < SystemColorCount)
            State().colors[static_cast<std::size_t>(indices[i])] = values[i] & 0xFFFFFF;
    }
    // The platform tells the windows whether or not a value differed.
    if (count > 0) BroadcastSettingChange(WM_SYSCOLORCHANGE);
}

} // namespace platform::gdi
