#include "platform/gdi/colors.h"

#include "platform/gdi/objects.h"

#include <gtest/gtest.h>

namespace platform::gdi {
namespace {

TEST(Colors, ValuesAreBlueGreenRed) {
    EXPECT_EQ(RGB(0, 255, 255), 0x00FFFF00u); // aqua
    EXPECT_EQ(static_cast<COLORREF>(clAqua), 0x00FFFF00u);
    EXPECT_EQ(GetRValue(0x00123456), 0x56);
    EXPECT_EQ(GetBValue(0x00123456), 0x12);
}

TEST(Colors, SystemColoursFollowTheProfile) {
    SetSystemProfile(SystemProfile::Classic);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 18);
    SetSystemProfile(SystemProfile::XP);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(236, 233, 216));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(236, 233, 216));
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
    EXPECT_EQ(GetSysColor(99), 0u);
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
}

TEST(Colors, SystemColourBrushFollowsTheColour) {
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    LOGBRUSH lb;
    SetSystemProfile(SystemProfile::Classic);
    GetObject(face, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, RGB(212, 208, 200));
    int index = COLOR_BTNFACE;
    COLORREF value = 0x010203;
    SetSysColors(1, &index, &value);
    GetObject(face, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, 0x010203u);
    SetSystemProfile(SystemProfile::XP);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(236, 233, 216));
    EXPECT_FALSE(DeleteObject(face));
}

} // namespace
} // namespace platform::gdi
