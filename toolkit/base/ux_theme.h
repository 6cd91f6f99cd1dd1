#pragma once
// The visual-style library, bound at run time by name so that the program runs where it is
// missing. Any entry point may be missing; a wrapper whose entry point is not bound returns a
// failure code (E_FAIL, a null handle or false) and leaves its outputs untouched.

#include "platform/core/window_handle.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/visual_styles.h"

#include <cstdint>
#include <string>

namespace toolkit::base {

using platform::gdi::BOOL;
using platform::gdi::COLORREF;
using platform::gdi::DWORD;
using platform::gdi::HDC;
using platform::gdi::HRESULT;
using platform::gdi::HRGN;
using platform::gdi::HTHEME;
using platform::gdi::TRect;
using platform::gdi::TSize;

inline constexpr HTHEME NullTheme{};

// Buffered painting, present on newer platform versions only.
enum class HPAINTBUFFER : std::uintptr_t {};
inline constexpr HPAINTBUFFER NullPaintBuffer{};
enum TBPBufferFormat : int {
    BPBF_COMPATIBLEBITMAP = 0,
    BPBF_DIB = 1,
    BPBF_TOPDOWNDIB = 2,
    BPBF_TOPDOWNMONODIB = 3
};
struct TBPPaintParams {
    DWORD cbSize = sizeof(TBPPaintParams);
    DWORD dwFlags = 0;
    const TRect* prcExclude = nullptr;
    const void* pBlendFunction = nullptr;
};

// Theme part sizes.
enum TThemeSize : int { TS_MIN = 0, TS_TRUE = 1, TS_DRAW = 2 };

namespace ux = platform::gdi::uxtheme;

// One cell per entry point, nullptr when the library lacks the name.
struct TdxUxThemeEntryPoints {
    decltype(&ux::CloseThemeData) CloseThemeData = nullptr;
    decltype(&ux::DrawThemeBackground) DrawThemeBackground = nullptr;
    decltype(&ux::DrawThemeEdge) DrawThemeEdge = nullptr;
    decltype(&ux::DrawThemeIcon) DrawThemeIcon = nullptr;
    decltype(&ux::DrawThemeParentBackground) DrawThemeParentBackground = nullptr;
    decltype(&ux::DrawThemeText) DrawThemeText = nullptr;
    decltype(&ux::DrawThemeTextEx) DrawThemeTextEx = nullptr;
    decltype(&ux::EnableThemeDialogTexture) EnableThemeDialogTexture = nullptr;
    decltype(&ux::GetCurrentThemeName) GetCurrentThemeName = nullptr;
    decltype(&ux::GetThemeAppProperties) GetThemeAppProperties = nullptr;
    decltype(&ux::GetThemeBackgroundContentRect) GetThemeBackgroundContentRect = nullptr;
    decltype(&ux::GetThemeBackgroundRegion) GetThemeBackgroundRegion = nullptr;
    decltype(&ux::GetThemeBackgroundExtent) GetThemeBackgroundExtent = nullptr;
    decltype(&ux::GetThemeBool) GetThemeBool = nullptr;
    decltype(&ux::GetThemeColor) GetThemeColor = nullptr;
    decltype(&ux::GetThemeDocumentationProperty) GetThemeDocumentationProperty = nullptr;
    decltype(&ux::GetThemeEnumValue) GetThemeEnumValue = nullptr;
    decltype(&ux::GetThemeFilename) GetThemeFilename = nullptr;
    decltype(&ux::GetThemeFont) GetThemeFont = nullptr;
    decltype(&ux::GetThemeInt) GetThemeInt = nullptr;
    decltype(&ux::GetThemeIntList) GetThemeIntList = nullptr;
    decltype(&ux::GetThemeMargins) GetThemeMargins = nullptr;
    decltype(&ux::GetThemeMetric) GetThemeMetric = nullptr;
    decltype(&ux::GetThemePartSize) GetThemePartSize = nullptr;
    decltype(&ux::GetThemePosition) GetThemePosition = nullptr;
    decltype(&ux::GetThemePropertyOrigin) GetThemePropertyOrigin = nullptr;
    decltype(&ux::GetThemeRect) GetThemeRect = nullptr;
    decltype(&ux::GetThemeString) GetThemeString = nullptr;
    decltype(&ux::GetThemeSysBool) GetThemeSysBool = nullptr;
    decltype(&ux::GetThemeSysColor) GetThemeSysColor = nullptr;
    decltype(&ux::GetThemeSysColorBrush) GetThemeSysColorBrush = nullptr;
    decltype(&ux::GetThemeSysFont) GetThemeSysFont = nullptr;
    decltype(&ux::GetThemeSysInt) GetThemeSysInt = nullptr;
    decltype(&ux::GetThemeSysSize) GetThemeSysSize = nullptr;
    decltype(&ux::GetThemeSysString) GetThemeSysString = nullptr;
    decltype(&ux::GetThemeTextExtent) GetThemeTextExtent = nullptr;
    decltype(&ux::GetThemeTextMetrics) GetThemeTextMetrics = nullptr;
    decltype(&ux::GetWindowTheme) GetWindowTheme = nullptr;
    decltype(&ux::HitTestThemeBackground) HitTestThemeBackground = nullptr;
    decltype(&ux::IsAppThemed) IsAppThemed = nullptr;
    decltype(&ux::IsThemeActive) IsThemeActive = nullptr;
    decltype(&ux::IsThemePartDefined) IsThemePartDefined = nullptr;
    decltype(&ux::IsThemeBackgroundPartiallyTransparent) IsThemeBackgroundPartiallyTransparent =
        nullptr;
    decltype(&ux::IsThemeDialogTextureEnabled) IsThemeDialogTextureEnabled = nullptr;
    decltype(&ux::OpenThemeData) OpenThemeData = nullptr;
    decltype(&ux::SetThemeAppProperties) SetThemeAppProperties = nullptr;
    decltype(&ux::SetWindowTheme) SetWindowTheme = nullptr;
    HRESULT (*BufferedPaintInit)() = nullptr;
    HRESULT (*BufferedPaintUnInit)() = nullptr;
    HPAINTBUFFER(*BeginBufferedPaint)
    (HDC target, const TRect* targetRect, TBPBufferFormat format, const TBPPaintParams* params,
     HDC* dc) = nullptr;
    HRESULT (*EndBufferedPaint)(HPAINTBUFFER buffer, BOOL updateTarget) = nullptr;
    HRESULT(*BufferedPaintSetAlpha)
    (HPAINTBUFFER buffer, const TRect* rect, std::uint8_t alpha) = nullptr;
};

// The cells, bound in a fixed order at the first use of the library (the unit's start-up).
TdxUxThemeEntryPoints& dxUxThemeEntryPoints();

// Major version 6 or later, or 5 with a minor version other than 0.
bool IsWinXPOrLater();
// Whether "UxTheme.dll" loaded.
bool IsThemeLibraryLoaded();

HTHEME OpenThemeData(platform::core::HWND Wnd, const wchar_t* ClassList);
HRESULT CloseThemeData(HTHEME Theme);
HRESULT DrawThemeBackground(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* Rect,
                            const TRect* ClipRect = nullptr);
HRESULT DrawThemeBackground(HTHEME Theme, HDC DC, int PartId, int StateId, TRect Rect);
HRESULT DrawThemeText(HTHEME Theme, HDC DC, int PartId, int StateId, const std::wstring& Text,
                      int CharCount, DWORD TextFlags, DWORD TextFlags2, const TRect* Rect);
HRESULT DrawThemeText(HTHEME Theme, HDC DC, int PartId, int StateId, const std::string& Text,
                      int CharCount, DWORD TextFlags, DWORD TextFlags2, const TRect* Rect);
HRESULT GetThemeBackgroundContentRect(HTHEME Theme, HDC DC, int PartId, int StateId,
                                      const TRect* Bounds, TRect* ContentRect);
HRESULT GetThemePartSize(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* Rect,
                         TThemeSize SizeKind, TSize* Size);
HRESULT GetThemePartSizeNoRect(HTHEME Theme, HDC DC, int PartId, int StateId, TThemeSize SizeKind,
                               TSize* Size);
HRESULT GetThemeBackgroundRegion(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* Rect,
                                 HRGN* Region);
HRESULT DrawThemeEdge(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* DestRect,
                      platform::gdi::UINT Edge, platform::gdi::UINT Flags, TRect* ContentRect);
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME Theme, int PartId, int StateId);
// Keeps the font selected into DC: the parent's painting may select another.
HRESULT DrawThemeParentBackground(platform::core::HWND Wnd, HDC DC, const TRect* Rect);
HRESULT GetThemeColor(HTHEME Theme, int PartId, int StateId, int PropId, COLORREF* Color);
BOOL IsThemeActive();
HRESULT GetCurrentThemeName(wchar_t* ThemeFileName, int MaxNameChars, wchar_t* ColorBuff,
                            int MaxColorChars, wchar_t* SizeBuff, int MaxSizeChars);
HPAINTBUFFER BeginBufferedPaint(HDC Target, const TRect* TargetRect, TBPBufferFormat Format,
                                const TBPPaintParams* PaintParams, HDC* DC);
HRESULT EndBufferedPaint(HPAINTBUFFER BufferedPaint, BOOL UpdateTarget);
HRESULT BufferedPaintSetAlpha(HPAINTBUFFER BufferedPaint, const TRect* Rect, std::uint8_t Alpha);

} // namespace toolkit::base
