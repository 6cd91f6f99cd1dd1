#include "platform/gdi/visual_styles.h"

#include "platform/core/text.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/setting_change.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>

namespace platform::gdi {

namespace {

enum : std::uintptr_t { UxThemeModule = 0x7100, MsImgModule = 0x7200 };

struct StyleState {
    std::optional<VisualStyleScheme> scheme;
    ParentBackgroundPainter parentPainter;
};

StyleState& Styles() {
    static StyleState state;
    return state;
}

VisualStyleScheme SchemeFromSetting() {
    const char* value = std::getenv("QUINTARON_VISUAL_STYLE");
    if (!value) return VisualStyleScheme::Blue;
    if (core::SameText(value, "none")) return VisualStyleScheme::None;
    if (core::SameText(value, "olive")) return VisualStyleScheme::Olive;
    if (core::SameText(value, "silver")) return VisualStyleScheme::Silver;
    return VisualStyleScheme::Blue;
}

HRESULT CopyWide(const wchar_t* text, wchar_t* buffer, int maxChars) {
    if (!buffer) return S_OK;
    if (maxChars <= 0) return E_FAIL;
    int length = static_cast<int>(std::wcslen(text));
    if (length >= maxChars) return E_FAIL;
    std::wmemcpy(buffer, text, static_cast<std::size_t>(length) + 1);
    return S_OK;
}

void ApplyScheme(VisualStyleScheme scheme) {
    Styles().scheme = scheme;
    SetSystemProfile(scheme == VisualStyleScheme::None ? SystemProfile::Classic
                                                       : SystemProfile::XP);
}

} // namespace

VisualStyleScheme GetVisualStyleScheme() {
    auto& state = Styles();
    // The first reading changes nothing: the colours started on the setting's profile (colors.h)
    // and may since have been set on purpose. Putting them back here would broadcast a change
    // into listeners that are themselves asking for the scheme.
    if (!state.scheme) state.scheme = SchemeFromSetting();
    return *state.scheme;
}

void SetVisualStyleScheme(VisualStyleScheme scheme) {
    const VisualStyleScheme before = GetVisualStyleScheme();
    ApplyScheme(scheme);
    if (scheme != before) BroadcastSettingChange(WM_THEMECHANGED);
}

void SetParentBackgroundPainter(ParentBackgroundPainter painter) {
    Styles().parentPainter = std::move(painter);
}

HMODULE LoadLibrary(std::string_view name) {
    if (core::SameText(name, "UxTheme.dll") || core::SameText(name, "UxTheme"))
        return HMODULE{UxThemeModule};
    if (core::SameText(name, "msimg32.dll") || core::SameText(name, "msimg32"))
        return HMODULE{MsImgModule};
    return NullModule;
}

BOOL FreeLibrary(HMODULE module) {
    return module == HMODULE{UxThemeModule} || module == HMODULE{MsImgModule};
}

void* GetProcAddress(HMODULE module, std::string_view name) {
    if (module != HMODULE{UxThemeModule}) return nullptr;
    using namespace uxtheme;
    static const std::map<std::string, void*, std::less<>> entries{
        {"CloseThemeData", reinterpret_cast<void*>(&CloseThemeData)},
        {"DrawThemeBackground", reinterpret_cast<void*>(&DrawThemeBackground)},
        {"DrawThemeEdge", reinterpret_cast<void*>(&DrawThemeEdge)},
        {"DrawThemeIcon", reinterpret_cast<void*>(&DrawThemeIcon)},
        {"DrawThemeParentBackground", reinterpret_cast<void*>(&DrawThemeParentBackground)},
        {"DrawThemeText", reinterpret_cast<void*>(&DrawThemeText)},
        {"DrawThemeTextEx", reinterpret_cast<void*>(&DrawThemeTextEx)},
        {"EnableThemeDialogTexture", reinterpret_cast<void*>(&EnableThemeDialogTexture)},
        {"GetCurrentThemeName", reinterpret_cast<void*>(&GetCurrentThemeName)},
        {"GetThemeAppProperties", reinterpret_cast<void*>(&GetThemeAppProperties)},
        {"GetThemeBackgroundContentRect", reinterpret_cast<void*>(&GetThemeBackgroundContentRect)},
        {"GetThemeBackgroundRegion", reinterpret_cast<void*>(&GetThemeBackgroundRegion)},
        {"GetThemeBackgroundExtent", reinterpret_cast<void*>(&GetThemeBackgroundExtent)},
        {"GetThemeBool", reinterpret_cast<void*>(&GetThemeBool)},
        {"GetThemeColor", reinterpret_cast<void*>(&GetThemeColor)},
        {"GetThemeDocumentationProperty", reinterpret_cast<void*>(&GetThemeDocumentationProperty)},
        {"GetThemeEnumValue", reinterpret_cast<void*>(&GetThemeEnumValue)},
        {"GetThemeFilename", reinterpret_cast<void*>(&GetThemeFilename)},
        {"GetThemeFont", reinterpret_cast<void*>(&GetThemeFont)},
        {"GetThemeInt", reinterpret_cast<void*>(&GetThemeInt)},
        {"GetThemeIntList", reinterpret_cast<void*>(&GetThemeIntList)},
        {"GetThemeMargins", reinterpret_cast<void*>(&GetThemeMargins)},
        {"GetThemeMetric", reinterpret_cast<void*>(&GetThemeMetric)},
        {"GetThemePartSize", reinterpret_cast<void*>(&GetThemePartSize)},
        {"GetThemePosition", reinterpret_cast<void*>(&GetThemePosition)},
        {"GetThemePropertyOrigin", reinterpret_cast<void*>(&GetThemePropertyOrigin)},
        {"GetThemeRect", reinterpret_cast<void*>(&GetThemeRect)},
        {"GetThemeString", reinterpret_cast<void*>(&GetThemeString)},
        {"GetThemeSysBool", reinterpret_cast<void*>(&GetThemeSysBool)},
        {"GetThemeSysColor", reinterpret_cast<void*>(&GetThemeSysColor)},
        {"GetThemeSysColorBrush", reinterpret_cast<void*>(&GetThemeSysColorBrush)},
        {"GetThemeSysFont", reinterpret_cast<void*>(&GetThemeSysFont)},
        {"GetThemeSysInt", reinterpret_cast<void*>(&GetThemeSysInt)},
        {"GetThemeSysSize", reinterpret_cast<void*>(&GetThemeSysSize)},
        {"GetThemeSysString", reinterpret_cast<void*>(&GetThemeSysString)},
        {"GetThemeTextExtent", reinterpret_cast<void*>(&GetThemeTextExtent)},
        {"GetThemeTextMetrics", reinterpret_cast<void*>(&GetThemeTextMetrics)},
        {"GetWindowTheme", reinterpret_cast<void*>(&GetWindowTheme)},
        {"HitTestThemeBackground", reinterpret_cast<void*>(&HitTestThemeBackground)},
        {"IsAppThemed", reinterpret_cast<void*>(&IsAppThemed)},
        {"IsThemeActive", reinterpret_cast<void*>(&IsThemeActive)},
        {"IsThemePartDefined", reinterpret_cast<void*>(&IsThemePartDefined)},
        {"IsThemeBackgroundPartiallyTransparent",
         reinterpret_cast<void*>(&IsThemeBackgroundPartiallyTransparent)},
        {"IsThemeDialogTextureEnabled", reinterpret_cast<void*>(&IsThemeDialogTextureEnabled)},
        {"OpenThemeData", reinterpret_cast<void*>(&OpenThemeData)},
        {"SetThemeAppProperties", reinterpret_cast<void*>(&SetThemeAppProperties)},
        {"SetWindowTheme", reinterpret_cast<void*>(&SetWindowTheme)},
    };
    auto it = entries.find(name);
    return it == entries.end() ? nullptr : it->second;
}

BOOL GetVersionEx(OSVERSIONINFO* info) {
    if (!info) return 0;
    info->dwMajorVersion = 5;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 2600;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::strcpy(info->szCSDVersion, "Service Pack 2");
    return 1;
}

namespace uxtheme {

HTHEME OpenThemeData(core::HWND, const wchar_t*) {
    return HTHEME{};
}
HRESULT CloseThemeData(HTHEME) {
    return E_FAIL;
}
HRESULT DrawThemeBackground(HTHEME, HDC, int, int, const TRect*, const TRect*) {
    return E_FAIL;
}
HRESULT DrawThemeEdge(HTHEME, HDC, int, int, const TRect*, UINT, UINT, TRect*) {
    return E_FAIL;
}
HRESULT DrawThemeIcon(HTHEME, HDC, int, int, const TRect*, std::uintptr_t, int) {
    return E_FAIL;
}
HRESULT DrawThemeParentBackground(core::HWND wnd, HDC dc, const TRect* rect) {
    auto& painter = Styles().parentPainter;
    return painter && painter(wnd, dc, rect) ? S_OK : E_FAIL;
}
HRESULT DrawThemeText(HTHEME, HDC, int, int, const wchar_t*, int, DWORD, DWORD, const TRect*) {
    return E_FAIL;
}
HRESULT DrawThemeTextEx(HTHEME, HDC, int, int, const wchar_t*, int, DWORD, TRect*, const void*) {
    return E_FAIL;
}
HRESULT EnableThemeDialogTexture(core::HWND, DWORD) {
    return E_FAIL;
}
HRESULT GetCurrentThemeName(wchar_t* fileName, int maxFileChars, wchar_t* colorName,
                            int maxColorChars, wchar_t* sizeName, int maxSizeChars) {
    VisualStyleScheme scheme = GetVisualStyleScheme();
    if (scheme == VisualStyleScheme::None) return E_FAIL;
    const wchar_t* color = scheme == VisualStyleScheme::Olive    ? L"HomeStead"
                           : scheme == VisualStyleScheme::Silver ? L"Metallic"
                                                                 : L"NormalColor";
    if (CopyWide(L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", fileName, maxFileChars) ||
        CopyWide(color, colorName, maxColorChars) ||
        CopyWide(L"NormalSize", sizeName, maxSizeChars))
        return E_FAIL;
    return S_OK;
}
DWORD GetThemeAppProperties() {
    return 0;
}
HRESULT GetThemeBackgroundContentRect(HTHEME, HDC, int, int, const TRect*, TRect*) {
    return E_FAIL;
}
HRESULT GetThemeBackgroundRegion(HTHEME, HDC, int, int, const TRect*, HRGN*) {
    return E_FAIL;
}
HRESULT GetThemeBackgroundExtent(HTHEME, HDC, int, int, const TRect*, TRect*) {
    return E_FAIL;
}
HRESULT GetThemeBool(HTHEME, int, int, int, BOOL*) {
    return E_FAIL;
}
HRESULT GetThemeColor(HTHEME, int, int, int, COLORREF*) {
    return E_FAIL;
}
HRESULT GetThemeDocumentationProperty(const wchar_t*, const wchar_t*, wchar_t*, int) {
    return E_FAIL;
}
HRESULT GetThemeEnumValue(HTHEME, int, int, int, int*) {
    return E_FAIL;
}
HRESULT GetThemeFilename(HTHEME, int, int, int, wchar_t*, int) {
    return E_FAIL;
}
HRESULT GetThemeFont(HTHEME, HDC, int, int, int, void*) {
    return E_FAIL;
}
HRESULT GetThemeInt(HTHEME, int, int, int, int*) {
    return E_FAIL;
}
HRESULT GetThemeIntList(HTHEME, int, int, int, void*) {
    return E_FAIL;
}
HRESULT GetThemeMargins(HTHEME, HDC, int, int, int, const TRect*, void*) {
    return E_FAIL;
}
HRESULT GetThemeMetric(HTHEME, HDC, int, int, int, int*) {
    return E_FAIL;
}
HRESULT GetThemePartSize(HTHEME, HDC, int, int, const TRect*, int, TSize*) {
    return E_FAIL;
}
HRESULT GetThemePosition(HTHEME, int, int, int, TPoint*) {
    return E_FAIL;
}
HRESULT GetThemePropertyOrigin(HTHEME, int, int, int, int*) {
    return E_FAIL;
}
HRESULT GetThemeRect(HTHEME, int, int, int, TRect*) {
    return E_FAIL;
}
HRESULT GetThemeString(HTHEME, int, int, int, wchar_t*, int) {
    return E_FAIL;
}
BOOL GetThemeSysBool(HTHEME, int) {
    return 0;
}
COLORREF GetThemeSysColor(HTHEME, int colorId) {
    return GetSysColor(colorId);
}
HBRUSH GetThemeSysColorBrush(HTHEME, int colorId) {
    return GetSysColorBrush(colorId);
}
HRESULT GetThemeSysFont(HTHEME, int, void*) {
    return E_FAIL;
}
HRESULT GetThemeSysInt(HTHEME, int, int*) {
    return E_FAIL;
}
int GetThemeSysSize(HTHEME, int sizeId) {
    return GetSystemMetrics(sizeId);
}
HRESULT GetThemeSysString(HTHEME, int, wchar_t*, int) {
    return E_FAIL;
}
HRESULT GetThemeTextExtent(HTHEME, HDC, int, int, const wchar_t*, int, DWORD, const TRect*,
                           TRect*) {
    return E_FAIL;
}
HRESULT GetThemeTextMetrics(HTHEME, HDC, int, int, TEXTMETRIC*) {
    return E_FAIL;
}
HTHEME GetWindowTheme(core::HWND) {
    return HTHEME{};
}
HRESULT HitTestThemeBackground(HTHEME, HDC, int, int, DWORD, const TRect*, HRGN, TPoint,
                               std::uint16_t*) {
    return E_FAIL;
}
BOOL IsAppThemed() {
    return GetVisualStyleScheme() != VisualStyleScheme::None;
}
BOOL IsThemeActive() {
    return GetVisualStyleScheme() != VisualStyleScheme::None;
}
BOOL IsThemePartDefined(HTHEME, int, int) {
    return 0;
}
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME, int, int) {
    return 0;
}
BOOL IsThemeDialogTextureEnabled(core::HWND) {
    return 0;
}
void SetThemeAppProperties(DWORD) {}
HRESULT SetWindowTheme(core::HWND, const wchar_t*, const wchar_t*) {
    return E_FAIL;
}

} // namespace uxtheme

} // namespace platform::gdi
