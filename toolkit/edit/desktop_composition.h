#pragma once
// The desktop window manager's library, bound at run time by name (it is absent on platform
// versions before 6, and our platform is 5.1, so composition counts as off), and the buffered
// repaint that containers use so that their painting survives composition.
//
// Buffered painting goes through the visual-style library's entry points (toolkit/base/ux_theme.h).
// Where BeginBufferedPaint gives no buffer, the window paints straight into the target device
// context instead, so the result on the screen is the same, only not flicker-free. The platform
// keeps no system caret, so there is none to hide while the buffer is copied.

#include "toolkit/base/theme_manager.h"

#include "platform/core/window_handle.h"
#include "platform/gdi/visual_styles.h"

#include <functional>
#include <string_view>

namespace toolkit::edit {

using platform::core::HWND;
using platform::gdi::BOOL;
using platform::gdi::DWORD;
using platform::gdi::HDC;
using platform::gdi::HMODULE;
using platform::gdi::HRESULT;
using platform::gdi::TRect;

// One cell per entry point of "dwmapi.dll", nullptr when the library lacks the name.
using TdxDwmDefWindowProc = BOOL(HWND, platform::core::UINT, platform::core::WPARAM,
                                 platform::core::LPARAM, platform::core::LRESULT*);
using TdxDwmSetWindowAttribute = HRESULT(HWND, DWORD Attribute, const void* Value, DWORD Size);
struct TdxDwmEntryPoints {
    TdxDwmDefWindowProc* DwmDefWindowProc = nullptr;
    HRESULT (*DwmEnableBlurBehindWindow)(HWND, const void* BlurBehind) = nullptr;
    HRESULT (*DwmEnableComposition)(platform::core::UINT Action) = nullptr;
    HRESULT (*DwmEnableMMCSS)(BOOL Enable) = nullptr;
    HRESULT (*DwmExtendFrameIntoClientArea)(HWND, const void* Margins) = nullptr;
    HRESULT (*DwmGetColorizationColor)(DWORD* Colorization, BOOL* OpaqueBlend) = nullptr;
    HRESULT (*DwmGetWindowAttribute)(HWND, DWORD Attribute, void* Value, DWORD Size) = nullptr;
    HRESULT (*DwmIsCompositionEnabled)(BOOL* Enabled) = nullptr;
    TdxDwmSetWindowAttribute* DwmSetWindowAttribute = nullptr;
};

// The platform calls the binding makes; the process binding uses the platform's own.
struct TdxDwmLibraryCalls {
    std::function<DWORD()> MajorVersion;
    std::function<HMODULE(std::string_view)> LoadLibrary;
    std::function<void*(HMODULE, std::string_view)> GetProcAddress;
    std::function<BOOL(HMODULE)> FreeLibrary;
};
TdxDwmLibraryCalls dxPlatformDwmLibraryCalls();

// Loads the library on a platform of major version 6 or later and binds the nine entry points;
// frees the library when it goes.
class TdxDesktopWindowManagerBinding {
public:
    explicit TdxDesktopWindowManagerBinding(TdxDwmLibraryCalls Calls);
    ~TdxDesktopWindowManagerBinding();
    TdxDesktopWindowManagerBinding(const TdxDesktopWindowManagerBinding&) = delete;
    TdxDesktopWindowManagerBinding& operator=(const TdxDesktopWindowManagerBinding&) = delete;

    bool Loaded() const { return FLoaded; }
    // False unless the library is loaded and DwmIsCompositionEnabled reports a non-zero BOOL.
    bool CompositionEnabled() const;
    const TdxDwmEntryPoints& EntryPoints() const { return FEntryPoints; }

private:
    TdxDwmLibraryCalls FCalls;
    HMODULE FLibrary = platform::gdi::NullModule;
    bool FLoaded = false;
    TdxDwmEntryPoints FEntryPoints;
};

// The unit's start and end, counted: the first start binds the process binding, the matching
// last end frees it. Outside them the library counts as not loaded.
void InitDesktopWindowManagerBinding();
void FreeDesktopWindowManagerBinding();
bool IsDwmLoaded();
bool IsCompositionEnabled();

// Native painting is requested and the theme class opens.
bool AreVisualStylesMustBeUsed(bool NativeStyle, toolkit::base::TdxThemeClassKind Kind);

// WM_PAINT handling: BeginPaint, PaintBuffered over the paint rectangle, EndPaint.
void PaintWindowBuffered(HWND Wnd);
// GetDC, PaintBuffered over the client rectangle, ReleaseDC.
void RepaintWindowBuffered(HWND Wnd);
// The window erases (WM_ERASEBKGND) and prints its client area (WM_PRINTCLIENT, PRF_CLIENT) into
// a top-down DIB buffer over Rect, made opaque, then copied to DC.
void PaintBuffered(HDC DC, const TRect& Rect, HWND Wnd);
// The same for a container's inner control over its client rectangle, without the erase.
void PaintInnerControlBuffered(HWND InnerControl);

} // namespace toolkit::edit
