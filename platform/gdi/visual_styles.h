#pragma once
// Our stand-in of the visual-style library ("UxTheme.dll") and of the platform's run-time
// binding by name. The library reports itself loaded and, unless the scheme is None, active,
// with the Luna colour scheme the setting names; but no theme class ever opens, so painters draw
// their own non-theme fallbacks while colour-scheme look-ups follow the scheme. Every entry
// point is bound to a stub that fails, except that GetCurrentThemeName answers and
// DrawThemeParentBackground has the parent painted. "msimg32.dll" loads without GradientFill
// and AlphaBlend; the desktop-composition library does not load. The platform is version 5.1.

#include "platform/core/window_handle.h"
#include "platform/gdi/device_context.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace platform::gdi {

using HRESULT = std::int32_t;
using DWORD = std::uint32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr core::UINT WM_THEMECHANGED = 0x031A;

enum class HTHEME : std::uintptr_t {};
enum class HMODULE : std::uintptr_t {};
inline constexpr HMODULE NullModule{};

// The setting: the environment variable QUINTARON_VISUAL_STYLE ("blue", "olive", "silver" or
// "none"), read at the first question; blue when unset. That reading is no change: it neither
// touches the system colours (they start on the setting's profile) nor broadcasts. Choosing None
// also puts the system colours on the classic profile, any scheme on the XP one. A change is
// broadcast as WM_THEMECHANGED (setting_change.h), after WM_SYSCOLORCHANGE when the colours
// changed with it.
enum class VisualStyleScheme { None, Blue, Olive, Silver };
VisualStyleScheme GetVisualStyleScheme();
void SetVisualStyleScheme(VisualStyleScheme scheme);

// Paints a window's parent under the window into dc; installed by the window system.
using ParentBackgroundPainter = std::function<bool(core::HWND wnd, HDC dc, const TRect* rect)>;
void SetParentBackgroundPainter(ParentBackgroundPainter painter);

// Run-time binding: known modules load (case-insensitive names), and GetProcAddress gives the
// stub of a bound name or nullptr.
HMODULE LoadLibrary(std::string_view name);
BOOL FreeLibrary(HMODULE module);
void* GetProcAddress(HMODULE module, std::string_view name);

struct OSVERSIONINFO {
    DWORD dwOSVersionInfoSize = sizeof(OSVERSIONINFO);
    DWORD dwMajorVersion = 0;
    DWORD dwMinorVersion = 0;
    DWORD dwBuildNumber = 0;
    DWORD dwPlatformId = 0;
    char szCSDVersion[128] = {};
};
inline constexpr DWORD VER_PLATFORM_WIN32_NT = 2;
BOOL GetVersionEx(OSVERSIONINFO* info);

// The entry points of the visual-style library, as GetProcAddress hands them out.
namespace uxtheme {
HTHEME OpenThemeData(core::HWND wnd, const wchar_t* classList);
HRESULT CloseThemeData(HTHEME theme);
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const TRect* rect,
                            const TRect* clip);
HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const TRect* rect, UINT edge,
                      UINT flags, TRect* content);
HRESULT DrawThemeIcon(HTHEME theme, HDC dc, int part, int state, const TRect* rect,
                      std::uintptr_t imageList, int index);
HRESULT DrawThemeParentBackground(core::HWND wnd, HDC dc, const TRect* rect);
HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, const wchar_t* text, int count,
                      DWORD flags, DWORD flags2, const TRect* rect);
HRESULT DrawThemeTextEx(HTHEME theme, HDC dc, int part, int state, const wchar_t* text, int count,
                        DWORD flags, TRect* rect, const void* options);
HRESULT EnableThemeDialogTexture(core::HWND wnd, DWORD flags);
HRESULT GetCurrentThemeName(wchar_t* fileName, int maxFileChars, wchar_t* colorName,
                            int maxColorChars, wchar_t* sizeName, int maxSizeChars);
DWORD GetThemeAppProperties();
HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state,
                                      const TRect* bounds, TRect* content);
HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const TRect* rect,
                                 HRGN* region);
HRESULT GetThemeBackgroundExtent(HTHEME theme, HDC dc, int part, int state, const TRect* content,
                                 TRect* extent);
HRESULT GetThemeBool(HTHEME theme, int part, int state, int property, BOOL* value);
HRESULT GetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* color);
HRESULT GetThemeDocumentationProperty(const wchar_t* themeName, const wchar_t* property,
                                      wchar_t* value, int maxChars);
HRESULT GetThemeEnumValue(HTHEME theme, int part, int state, int property, int* value);
HRESULT GetThemeFilename(HTHEME theme, int part, int state, int property, wchar_t* name,
                         int maxChars);
HRESULT GetThemeFont(HTHEME theme, HDC dc, int part, int state, int property, void* font);
HRESULT GetThemeInt(HTHEME theme, int part, int state, int property, int* value);
HRESULT GetThemeIntList(HTHEME theme, int part, int state, int property, void* list);
HRESULT GetThemeMargins(HTHEME theme, HDC dc, int part, int state, int property, const TRect* rect,
                        void* margins);
HRESULT GetThemeMetric(HTHEME theme, HDC dc, int part, int state, int property, int* value);
HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const TRect* rect, int sizeKind,
                         TSize* size);
HRESULT GetThemePosition(HTHEME theme, int part, int state, int property, TPoint* point);
HRESULT GetThemePropertyOrigin(HTHEME theme, int part, int state, int property, int* origin);
HRESULT GetThemeRect(HTHEME theme, int part, int state, int property, TRect* rect);
HRESULT GetThemeString(HTHEME theme, int part, int state, int property, wchar_t* buffer,
                       int maxChars);
BOOL GetThemeSysBool(HTHEME theme, int boolId);
COLORREF GetThemeSysColor(HTHEME theme, int colorId);
HBRUSH GetThemeSysColorBrush(HTHEME theme, int colorId);
HRESULT GetThemeSysFont(HTHEME theme, int fontId, void* font);
HRESULT GetThemeSysInt(HTHEME theme, int intId, int* value);
int GetThemeSysSize(HTHEME theme, int sizeId);
HRESULT GetThemeSysString(HTHEME theme, int stringId, wchar_t* buffer, int maxChars);
HRESULT GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, const wchar_t* text,
                           int count, DWORD flags, const TRect* bounds, TRect* extent);
HRESULT GetThemeTextMetrics(HTHEME theme, HDC dc, int part, int state, TEXTMETRIC* metrics);
HTHEME GetWindowTheme(core::HWND wnd);
HRESULT HitTestThemeBackground(HTHEME theme, HDC dc, int part, int state, DWORD options,
                               const TRect* rect, HRGN region, TPoint point,
                               std::uint16_t* hitCode);
BOOL IsAppThemed();
BOOL IsThemeActive();
BOOL IsThemePartDefined(HTHEME theme, int part, int state);
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);
BOOL IsThemeDialogTextureEnabled(core::HWND wnd);
void SetThemeAppProperties(DWORD flags);
HRESULT SetWindowTheme(core::HWND wnd, const wchar_t* appName, const wchar_t* idList);
} // namespace uxtheme

} // namespace platform::gdi
