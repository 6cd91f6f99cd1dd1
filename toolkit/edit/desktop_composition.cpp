#include "toolkit/edit/desktop_composition.h"

#include "toolkit/base/ux_theme.h"

#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <memory>
#include <utility>

namespace toolkit::edit {

namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

template <auto Cell> void Set(TdxDwmEntryPoints& Cells, void* Address) {
    Cells.*Cell = reinterpret_cast<std::remove_reference_t<decltype(Cells.*Cell)>>(Address);
}

struct TBinding {
    const char* Name;
    void (*Bind)(TdxDwmEntryPoints&, void*);
};

const TBinding Bindings[] = {
    {"DwmDefWindowProc", &Set<&TdxDwmEntryPoints::DwmDefWindowProc>},
    {"DwmEnableBlurBehindWindow", &Set<&TdxDwmEntryPoints::DwmEnableBlurBehindWindow>},
    {"DwmEnableComposition", &Set<&TdxDwmEntryPoints::DwmEnableComposition>},
    {"DwmEnableMMCSS", &Set<&TdxDwmEntryPoints::DwmEnableMMCSS>},
    {"DwmExtendFrameIntoClientArea", &Set<&TdxDwmEntryPoints::DwmExtendFrameIntoClientArea>},
    {"DwmGetColorizationColor", &Set<&TdxDwmEntryPoints::DwmGetColorizationColor>},
    {"DwmGetWindowAttribute", &Set<&TdxDwmEntryPoints::DwmGetWindowAttribute>},
    {"DwmIsCompositionEnabled", &Set<&TdxDwmEntryPoints::DwmIsCompositionEnabled>},
    {"DwmSetWindowAttribute", &Set<&TdxDwmEntryPoints::DwmSetWindowAttribute>},
};

int UnitReferences = 0;
std::unique_ptr<TdxDesktopWindowManagerBinding> ProcessBinding;

// Into a buffer when the visual-style library gives one, else straight into DC.
void PaintThroughBuffer(HDC DC, const TRect& Rect, HWND Wnd, bool Erase) {
    HDC PaintDC{};
    const base::HPAINTBUFFER Buffer =
        base::BeginBufferedPaint(DC, &Rect, base::BPBF_TOPDOWNDIB, nullptr, &PaintDC);
    if (Buffer == base::NullPaintBuffer) PaintDC = DC;
    const auto DCParam = static_cast<platform::core::WPARAM>(PaintDC);
    if (Erase)
        platform::core::SendMessage(Wnd, pw::WM_ERASEBKGND, DCParam,
                                    static_cast<platform::core::LPARAM>(DCParam));
    platform::core::SendMessage(Wnd, pw::WM_PRINTCLIENT, DCParam, pw::PRF_CLIENT);
    if (Buffer == base::NullPaintBuffer) return;
    base::BufferedPaintSetAlpha(Buffer, &Rect, 255);
    base::EndBufferedPaint(Buffer, 1);
}

} // namespace

TdxDwmLibraryCalls dxPlatformDwmLibraryCalls() {
    return {[] {
                pg::OSVERSIONINFO Info;
                return pg::GetVersionEx(&Info) ? Info.dwMajorVersion : DWORD{0};
            },
            [](std::string_view Name) { return pg::LoadLibrary(Name); },
            [](HMODULE Module, std::string_view Name) { return pg::GetProcAddress(Module, Name); },
            [](HMODULE Module) { return pg::FreeLibrary(Module); }};
}

TdxDesktopWindowManagerBinding::TdxDesktopWindowManagerBinding(TdxDwmLibraryCalls Calls)
    : FCalls(std::move(Calls)) {
    if (FCalls.MajorVersion() < 6) return;
    FLibrary = FCalls.LoadLibrary("dwmapi.dll");
    if (FLibrary == pg::NullModule) return;
    for (const TBinding& Binding : Bindings)
        Binding.Bind(FEntryPoints, FCalls.GetProcAddress(FLibrary, Binding.Name));
    FLoaded = true;
}

TdxDesktopWindowManagerBinding::~TdxDesktopWindowManagerBinding() {
    if (FLibrary != pg::NullModule) FCalls.FreeLibrary(FLibrary);
}

bool TdxDesktopWindowManagerBinding::CompositionEnabled() const {
    if (!FLoaded || !FEntryPoints.DwmIsCompositionEnabled) return false;
    BOOL Enabled = 0;
    FEntryPoints.DwmIsCompositionEnabled(&Enabled);
    return Enabled != 0;
}

void InitDesktopWindowManagerBinding() {
    if (UnitReferences++ == 0)
        ProcessBinding =
            std::make_unique<TdxDesktopWindowManagerBinding>(dxPlatformDwmLibraryCalls());
}

void FreeDesktopWindowManagerBinding() {
    if (UnitReferences == 0) return;
    if (--UnitReferences == 0) ProcessBinding.reset();
}

bool IsDwmLoaded() {
    return ProcessBinding && ProcessBinding->Loaded();
}

bool IsCompositionEnabled() {
    return ProcessBinding && ProcessBinding->CompositionEnabled();
}

bool AreVisualStylesMustBeUsed(bool NativeStyle, base::TdxThemeClassKind Kind) {
    return NativeStyle && base::OpenTheme(Kind) != base::NullTheme;
}

void PaintWindowBuffered(HWND Wnd) {
    pw::PAINTSTRUCT Paint;
    const HDC DC = pw::BeginPaint(Wnd, &Paint);
    PaintBuffered(DC, Paint.rcPaint, Wnd);
    pw::EndPaint(Wnd, &Paint);
}

void RepaintWindowBuffered(HWND Wnd) {
    const HDC DC = pw::GetDC(Wnd);
    TRect Rect;
    pw::GetClientRect(Wnd, &Rect);
    PaintBuffered(DC, Rect, Wnd);
    pw::ReleaseDC(Wnd, DC);
}

void PaintBuffered(HDC DC, const TRect& Rect, HWND Wnd) {
    PaintThroughBuffer(DC, Rect, Wnd, true);
}

void PaintInnerControlBuffered(HWND InnerControl) {
    const HDC DC = pw::GetDC(InnerControl);
    TRect Rect;
    pw::GetClientRect(InnerControl, &Rect);
    PaintThroughBuffer(DC, Rect, InnerControl, false);
    pw::ReleaseDC(InnerControl, DC);
}

} // namespace toolkit::edit
