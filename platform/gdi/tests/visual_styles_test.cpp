#include "platform/gdi/visual_styles.h"

#include <gtest/gtest.h>

#include <string>

namespace platform::gdi {
namespace {

TEST(VisualStyles, EveryThemeNameIsBoundButNoClassOpens) {
    HMODULE uxtheme = LoadLibrary("uxtheme.DLL");
    ASSERT_NE(uxtheme, NullModule);
    for (const char* name : {"CloseThemeData",
                             "DrawThemeBackground",
                             "DrawThemeEdge",
                             "DrawThemeIcon",
                             "DrawThemeParentBackground",
                             "DrawThemeText",
                             "DrawThemeTextEx",
                             "EnableThemeDialogTexture",
                             "GetCurrentThemeName",
                             "GetThemeAppProperties",
                             "GetThemeBackgroundContentRect",
                             "GetThemeBackgroundRegion",
                             "GetThemeBackgroundExtent",
                             "GetThemeBool",
                             "GetThemeColor",
                             "GetThemeDocumentationProperty",
                             "GetThemeEnumValue",
                             "GetThemeFilename",
                             "GetThemeFont",
                             "GetThemeInt",
                             "GetThemeIntList",
                             "GetThemeMargins",
                             "GetThemeMetric",
                             "GetThemePartSize",
                             "GetThemePosition",
                             "GetThemePropertyOrigin",
                             "GetThemeRect",
                             "GetThemeString",
                             "GetThemeSysBool",
                             "GetThemeSysColor",
                             "GetThemeSysColorBrush",
                             "GetThemeSysFont",
                             "GetThemeSysInt",
                             "GetThemeSysSize",
                             "GetThemeSysString",
                             "GetThemeTextExtent",
                             "GetThemeTextMetrics",
                             "GetWindowTheme",
                             "HitTestThemeBackground",
                             "IsAppThemed",
                             "IsThemeActive",
                             "IsThemePartDefined",
                             "IsThemeBackgroundPartiallyTransparent",
                             "IsThemeDialogTextureEnabled",
                             "OpenThemeData",
                             "SetThemeAppProperties",
                             "SetWindowTheme"})
        EXPECT_NE(GetProcAddress(uxtheme, name), nullptr) << name;
    for (const char* name : {"BufferedPaintInit", "BufferedPaintUnInit", "BeginBufferedPaint",
                             "EndBufferedPaint", "BufferedPaintSetAlpha"})
        EXPECT_EQ(GetProcAddress(uxtheme, name), nullptr) << name;
    EXPECT_EQ(uxtheme::OpenThemeData(core::NullHWnd, L"Button"), HTHEME{});
    EXPECT_NE(uxtheme::GetThemeColor(HTHEME{}, 1, 1, 1, nullptr), S_OK);
    EXPECT_TRUE(FreeLibrary(uxtheme));
}

TEST(VisualStyles, SchemeNamesTheLunaColourAndNoneTurnsThemesOff) {
    wchar_t file[1024], color[1024], size[1024];
    SetVisualStyleScheme(VisualStyleScheme::Olive);
    EXPECT_TRUE(uxtheme::IsThemeActive());
    ASSERT_EQ(uxtheme::GetCurrentThemeName(file, 1024, color, 1024, size, 1024), S_OK);
    EXPECT_EQ(std::wstring(color), L"HomeStead");
    EXPECT_TRUE(std::wstring(file).ends_with(L"\\Luna.msstyles"));
    SetVisualStyleScheme(VisualStyleScheme::None);
    EXPECT_FALSE(uxtheme::IsThemeActive());
    EXPECT_NE(uxtheme::GetCurrentThemeName(file, 1024, color, 1024, size, 1024), S_OK);
    EXPECT_EQ(GetSystemProfile(), SystemProfile::Classic);
    SetVisualStyleScheme(VisualStyleScheme::Blue);
    uxtheme::GetCurrentThemeName(file, 1024, color, 1024, size, 1024);
    EXPECT_EQ(std::wstring(color), L"NormalColor");
    EXPECT_EQ(GetSystemProfile(), SystemProfile::XP);
}

TEST(VisualStyles, ParentBackgroundGoesToTheWindowSystemsPainter) {
    EXPECT_NE(uxtheme::DrawThemeParentBackground(core::NullHWnd, NullDC, nullptr), S_OK);
    int calls = 0;
    SetParentBackgroundPainter([&](core::HWND, HDC, const TRect*) { return ++calls, true; });
    EXPECT_EQ(uxtheme::DrawThemeParentBackground(core::NullHWnd, NullDC, nullptr), S_OK);
    EXPECT_EQ(calls, 1);
    SetParentBackgroundPainter(nullptr);
}

TEST(VisualStyles, BlendingAndCompositionStayUnbound) {
    HMODULE msimg = LoadLibrary("msimg32.dll");
    ASSERT_NE(msimg, NullModule);
    EXPECT_EQ(GetProcAddress(msimg, "AlphaBlend"), nullptr);
    EXPECT_EQ(GetProcAddress(msimg, "GradientFill"), nullptr);
    EXPECT_EQ(LoadLibrary("dwmapi.dll"), NullModule);
}

// The version the platform gives is a contract: the library above binds the visual-style entry
// points from 5.1 on, and below version 6 takes a colour scheme only from the Luna style file.
TEST(VisualStyles, PlatformIsVersionFiveOneServicePackTwo) {
    OSVERSIONINFO info;
    ASSERT_TRUE(GetVersionEx(&info));
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwBuildNumber, 2600u);
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_STREQ(info.szCSDVersion, "Service Pack 2");
    EXPECT_FALSE(GetVersionEx(nullptr));
}

} // namespace
} // namespace platform::gdi
