#include "toolkit/base/ux_theme.h"

#include "toolkit/base/string_conversion.h"

#include <iterator>
#include <type_traits>

namespace toolkit::base {

namespace pg = platform::gdi;

namespace {

template <auto Member> void Set(TdxUxThemeEntryPoints& Cells, void* Address) {
    using TCell = std::remove_reference_t<decltype(Cells.*Member)>;
    Cells.*Member = reinterpret_cast<TCell>(Address);
}

struct TBinding {
    const char* Name;
    void (*Bind)(TdxUxThemeEntryPoints&, void*);
};

const TBinding Bindings[] = {
    {"CloseThemeData", &Set<&TdxUxThemeEntryPoints::CloseThemeData>},
    {"DrawThemeBackground", &Set<&TdxUxThemeEntryPoints::DrawThemeBackground>},
    {"DrawThemeEdge", &Set<&TdxUxThemeEntryPoints::DrawThemeEdge>},
    {"DrawThemeIcon", &Set<&TdxUxThemeEntryPoints::DrawThemeIcon>},
    {"DrawThemeParentBackground", &Set<&TdxUxThemeEntryPoints::DrawThemeParentBackground>},
    {"DrawThemeText", &Set<&TdxUxThemeEntryPoints::DrawThemeText>},
    {"DrawThemeTextEx", &Set<&TdxUxThemeEntryPoints::DrawThemeTextEx>},
    {"EnableThemeDialogTexture", &Set<&TdxUxThemeEntryPoints::EnableThemeDialogTexture>},
    {"GetCurrentThemeName", &Set<&TdxUxThemeEntryPoints::GetCurrentThemeName>},
    {"GetThemeAppProperties", &Set<&TdxUxThemeEntryPoints::GetThemeAppProperties>},
    {"GetThemeBackgroundContentRect", &Set<&TdxUxThemeEntryPoints::GetThemeBackgroundContentRect>},
    {"GetThemeBackgroundRegion", &Set<&TdxUxThemeEntryPoints::GetThemeBackgroundRegion>},
    {"GetThemeBackgroundExtent", &Set<&TdxUxThemeEntryPoints::GetThemeBackgroundExtent>},
    {"GetThemeBool", &Set<&TdxUxThemeEntryPoints::GetThemeBool>},
    {"GetThemeColor", &Set<&TdxUxThemeEntryPoints::GetThemeColor>},
    {"GetThemeDocumentationProperty", &Set<&TdxUxThemeEntryPoints::GetThemeDocumentationProperty>},
    {"GetThemeEnumValue", &Set<&TdxUxThemeEntryPoints::GetThemeEnumValue>},
    {"GetThemeFilename", &Set<&TdxUxThemeEntryPoints::GetThemeFilename>},
    {"GetThemeFont", &Set<&TdxUxThemeEntryPoints::GetThemeFont>},
    {"GetThemeInt", &Set<&TdxUxThemeEntryPoints::GetThemeInt>},
    {"GetThemeIntList", &Set<&TdxUxThemeEntryPoints::GetThemeIntList>},
    {"GetThemeMargins", &Set<&TdxUxThemeEntryPoints::GetThemeMargins>},
    {"GetThemeMetric", &Set<&TdxUxThemeEntryPoints::GetThemeMetric>},
    {"GetThemePartSize", &Set<&TdxUxThemeEntryPoints::GetThemePartSize>},
    {"GetThemePosition", &Set<&TdxUxThemeEntryPoints::GetThemePosition>},
    {"GetThemePropertyOrigin", &Set<&TdxUxThemeEntryPoints::GetThemePropertyOrigin>},
    {"GetThemeRect", &Set<&TdxUxThemeEntryPoints::GetThemeRect>},
    {"GetThemeString", &Set<&TdxUxThemeEntryPoints::GetThemeString>},
    {"GetThemeSysBool", &Set<&TdxUxThemeEntryPoints::GetThemeSysBool>},
    {"GetThemeSysColor", &Set<&TdxUxThemeEntryPoints::GetThemeSysColor>},
    {"GetThemeSysColorBrush", &Set<&TdxUxThemeEntryPoints::GetThemeSysColorBrush>},
    {"GetThemeSysFont", &Set<&TdxUxThemeEntryPoints::GetThemeSysFont>},
    {"GetThemeSysInt", &Set<&TdxUxThemeEntryPoints::GetThemeSysInt>},
    {"GetThemeSysSize", &Set<&TdxUxThemeEntryPoints::GetThemeSysSize>},
    {"GetThemeSysString", &Set<&TdxUxThemeEntryPoints::GetThemeSysString>},
    {"GetThemeTextExtent", &Set<&TdxUxThemeEntryPoints::GetThemeTextExtent>},
    {"GetThemeTextMetrics", &Set<&TdxUxThemeEntryPoints::GetThemeTextMetrics>},
    {"GetWindowTheme", &Set<&TdxUxThemeEntryPoints::GetWindowTheme>},
    {"HitTestThemeBackground", &Set<&TdxUxThemeEntryPoints::HitTestThemeBackground>},
    {"IsAppThemed", &Set<&TdxUxThemeEntryPoints::IsAppThemed>},
    {"IsThemeActive", &Set<&TdxUxThemeEntryPoints::IsThemeActive>},
    {"IsThemePartDefined", &Set<&TdxUxThemeEntryPoints::IsThemePartDefined>},
    {"IsThemeBackgroundPartiallyTransparent",
     &Set<&TdxUxThemeEntryPoints::IsThemeBackgroundPartiallyTransparent>},
    {"IsThemeDialogTextureEnabled", &Set<&TdxUxThemeEntryPoints::IsThemeDialogTextureEnabled>},
    {"OpenThemeData", &Set<&TdxUxThemeEntryPoints::OpenThemeData>},
    {"SetThemeAppProperties", &Set<&TdxUxThemeEntryPoints::SetThemeAppProperties>},
    {"SetWindowTheme", &Set<&TdxUxThemeEntryPoints::SetWindowTheme>},
    {"BufferedPaintInit", &Set<&TdxUxThemeEntryPoints::BufferedPaintInit>},
    {"BufferedPaintUnInit", &Set<&TdxUxThemeEntryPoints::BufferedPaintUnInit>},
    {"BeginBufferedPaint", &Set<&TdxUxThemeEntryPoints::BeginBufferedPaint>},
    {"EndBufferedPaint", &Set<&TdxUxThemeEntryPoints::EndBufferedPaint>},
    {"BufferedPaintSetAlpha", &Set<&TdxUxThemeEntryPoints::BufferedPaintSetAlpha>},
};
static_assert(std::size(Bindings) == 52);

// The unit: the version test, the library and its cells, from the first use to the end of the
// process.
struct TUxThemeUnit {
    TUxThemeUnit() {
        pg::OSVERSIONINFO Info;
        if (pg::GetVersionEx(&Info))
            WinXPOrLater =
                Info.dwMajorVersion >= 6 || (Info.dwMajorVersion == 5 && Info.dwMinorVersion != 0);
        if (!WinXPOrLater) return;
        Library = pg::LoadLibrary("UxTheme.dll");
        if (Library == pg::NullModule) return;
        for (const TBinding& Binding : Bindings)
            Binding.Bind(Cells, pg::GetProcAddress(Library, Binding.Name));
    }
    ~TUxThemeUnit() {
        if (Library != pg::NullModule) pg::FreeLibrary(Library);
    }
    TUxThemeUnit(const TUxThemeUnit&) = delete;
    TUxThemeUnit& operator=(const TUxThemeUnit&) = delete;

    bool WinXPOrLater = false;
    pg::HMODULE Library = pg::NullModule;
    TdxUxThemeEntryPoints Cells;
};

TUxThemeUnit& Unit() {
    static TUxThemeUnit TheUnit;
    return TheUnit;
}

const TdxUxThemeEntryPoints& Cells() {
    return Unit().Cells;
}

} // namespace

TdxUxThemeEntryPoints& dxUxThemeEntryPoints() {
    return Unit().Cells;
}

bool IsWinXPOrLater() {
    return Unit().WinXPOrLater;
}

bool IsThemeLibraryLoaded() {
    return Unit().Library != pg::NullModule;
}

HTHEME OpenThemeData(platform::core::HWND Wnd, const wchar_t* ClassList) {
    const auto Entry = Cells().OpenThemeData;
    return Entry ? Entry(Wnd, ClassList) : NullTheme;
}

HRESULT CloseThemeData(HTHEME Theme) {
    const auto Entry = Cells().CloseThemeData;
    return Entry ? Entry(Theme) : pg::E_FAIL;
}

HRESULT DrawThemeBackground(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* Rect,
                            const TRect* ClipRect) {
    const auto Entry = Cells().DrawThemeBackground;
    return Entry ? Entry(Theme, DC, PartId, StateId, Rect, ClipRect) : pg::E_FAIL;
}

HRESULT DrawThemeBackground(HTHEME Theme, HDC DC, int PartId, int StateId, TRect Rect) {
    return DrawThemeBackground(Theme, DC, PartId, StateId, &Rect, nullptr);
}

HRESULT DrawThemeText(HTHEME Theme, HDC DC, int PartId, int StateId, const std::wstring& Text,
                      int CharCount, DWORD TextFlags, DWORD TextFlags2, const TRect* Rect) {
    const auto Entry = Cells().DrawThemeText;
    return Entry ? Entry(Theme, DC, PartId, StateId, Text.c_str(), CharCount, TextFlags, TextFlags2,
                         Rect)
                 : pg::E_FAIL;
}

HRESULT DrawThemeText(HTHEME Theme, HDC DC, int PartId, int StateId, const std::string& Text,
                      int CharCount, DWORD TextFlags, DWORD TextFlags2, const TRect* Rect) {
    const std::wstring Wide =
        dxMultiByteToWideString(Text.c_str(), static_cast<int>(Text.size()), CP_ACP);
    return DrawThemeText(Theme, DC, PartId, StateId, Wide, CharCount, TextFlags, TextFlags2, Rect);
}

HRESULT GetThemeBackgroundContentRect(HTHEME Theme, HDC DC, int PartId, int StateId,
                                      const TRect* Bounds, TRect* ContentRect) {
    const auto Entry = Cells().GetThemeBackgroundContentRect;
    return Entry ? Entry(Theme, DC, PartId, StateId, Bounds, ContentRect) : pg::E_FAIL;
}

HRESULT GetThemePartSize(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* Rect,
                         TThemeSize SizeKind, TSize* Size) {
    const auto Entry = Cells().GetThemePartSize;
    return Entry ? Entry(Theme, DC, PartId, StateId, Rect, SizeKind, Size) : pg::E_FAIL;
}

HRESULT GetThemePartSizeNoRect(HTHEME Theme, HDC DC, int PartId, int StateId, TThemeSize SizeKind,
                               TSize* Size) {
    return GetThemePartSize(Theme, DC, PartId, StateId, nullptr, SizeKind, Size);
}

HRESULT GetThemeBackgroundRegion(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* Rect,
                                 HRGN* Region) {
    const auto Entry = Cells().GetThemeBackgroundRegion;
    return Entry ? Entry(Theme, DC, PartId, StateId, Rect, Region) : pg::E_FAIL;
}

HRESULT DrawThemeEdge(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* DestRect,
                      pg::UINT Edge, pg::UINT Flags, TRect* ContentRect) {
    const auto Entry = Cells().DrawThemeEdge;
    return Entry ? Entry(Theme, DC, PartId, StateId, DestRect, Edge, Flags, ContentRect)
                 : pg::E_FAIL;
}

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME Theme, int PartId, int StateId) {
    const auto Entry = Cells().IsThemeBackgroundPartiallyTransparent;
    return Entry ? Entry(Theme, PartId, StateId) : 0;
}

HRESULT DrawThemeParentBackground(platform::core::HWND Wnd, HDC DC, const TRect* Rect) {
    const auto Entry = Cells().DrawThemeParentBackground;
    if (!Entry) return pg::E_FAIL;
    const pg::HGDIOBJ Font = pg::GetCurrentObject(DC, pg::OBJ_FONT);
    const HRESULT Result = Entry(Wnd, DC, Rect);
    if (Font != pg::NullObject) pg::SelectObject(DC, Font);
    return Result;
}

HRESULT GetThemeColor(HTHEME Theme, int PartId, int StateId, int PropId, COLORREF* Color) {
    const auto Entry = Cells().GetThemeColor;
    return Entry ? Entry(Theme, PartId, StateId, PropId, Color) : pg::E_FAIL;
}

BOOL IsThemeActive() {
    const auto Entry = Cells().IsThemeActive;
    return Entry ? Entry() : 0;
}

HRESULT GetCurrentThemeName(wchar_t* ThemeFileName, int MaxNameChars, wchar_t* ColorBuff,
                            int MaxColorChars, wchar_t* SizeBuff, int MaxSizeChars) {
    const auto Entry = Cells().GetCurrentThemeName;
    return Entry ? Entry(ThemeFileName, MaxNameChars, ColorBuff, MaxColorChars, SizeBuff,
                         MaxSizeChars)
                 : pg::E_FAIL;
}

HPAINTBUFFER BeginBufferedPaint(HDC Target, const TRect* TargetRect, TBPBufferFormat Format,
                                const TBPPaintParams* PaintParams, HDC* DC) {
    const auto Entry = Cells().BeginBufferedPaint;
    return Entry ? Entry(Target, TargetRect, Format, PaintParams, DC) : NullPaintBuffer;
}

HRESULT EndBufferedPaint(HPAINTBUFFER BufferedPaint, BOOL UpdateTarget) {
    const auto Entry = Cells().EndBufferedPaint;
    return Entry ? Entry(BufferedPaint, UpdateTarget) : pg::E_FAIL;
}

HRESULT BufferedPaintSetAlpha(HPAINTBUFFER BufferedPaint, const TRect* Rect, std::uint8_t Alpha) {
    const auto Entry = Cells().BufferedPaintSetAlpha;
    return Entry ? Entry(BufferedPaint, Rect, Alpha) : pg::E_FAIL;
}

} // namespace toolkit::base
