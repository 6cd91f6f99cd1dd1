#include "toolkit/base/office11.h"

#include "toolkit/base/core_routines.h"
#include "toolkit/base/cx_graphics.h"
#include "toolkit/base/msimg_library.h"
#include "toolkit/base/theme_manager.h"
#include "toolkit/base/ux_theme.h"

#include "platform/core/no_destructor.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/visual_styles.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <map>
#include <string>
#include <vector>

namespace toolkit::base {

namespace pg = platform::gdi;
using pg::GetBValue;
using pg::GetGValue;
using pg::GetRValue;
using pg::RGB;

namespace {

// ---- Colour arithmetic ----

COLORREF Resolve(TColor Color) {
    return pg::ColorToRGB(Color) & 0xFFFFFF;
}

TColor Nearest(TColor Color) {
    return cxGetNearestColor(Color);
}

int Clamp8(int V) {
    return std::clamp(V, 0, 255);
}

TColor Sys(TColor Color) {
    return static_cast<TColor>(Resolve(Color));
}

// ---- The palette ----

// One operand of a rule: a palette entry, or a colour (system colours resolved when read).
struct TOperand {
    int Entry = 0;
    TColor Color = 0;
};
constexpr TOperand E(int Entry) {
    return {Entry, 0};
}
constexpr TOperand C(TColor Color) {
    return {0, Color};
}

enum class TRuleKind { Value, Copy, Mix, Blend, NearestBlend, Nearest, LightStrong, LightSlight };
struct TRule {
    TRuleKind Kind;
    TOperand A{};
    TOperand B{};
    int P1 = 0, P2 = 0, P3 = 0;
};

TRule Value(TColor Color) {
    return {TRuleKind::Value, C(Color)};
}
TRule Copy(int Entry) {
    return {TRuleKind::Copy, E(Entry)};
}
TRule Mix(TOperand A, TOperand B, int P) {
    return {TRuleKind::Mix, A, B, P};
}
TRule Blend(int P1, int P2, int P3) {
    return {TRuleKind::Blend, {}, {}, P1, P2, P3};
}
TRule NearestBlend(int P1, int P2, int P3) {
    return {TRuleKind::NearestBlend, {}, {}, P1, P2, P3};
}
TRule NearestOf(TColor Color) {
    return {TRuleKind::Nearest, C(Color)};
}

using pg::clBtnFace;
using pg::clBtnHighlight;
using pg::clBtnShadow;
using pg::clBtnText;
using pg::clGrayText;
using pg::clHighlight;
using pg::clHighlightText;
using pg::clWindow;
constexpr TColor Black = 0x000000;
constexpr TColor White = 0xFFFFFF;

// The fixed values of the three schemes (blue, olive, silver), as platform colour values.
struct TSchemeValue {
    int Entry;
    std::array<COLORREF, 3> Values;
};
const TSchemeValue SchemeValues[] = {
    {1, {0xF5BE9E, 0xA7D9D9, 0xE5D7D7}},  {2, {0xF9DAC3, 0xE4F0F2, 0xF7F3F3}},
    {3, {0xFEECDD, 0xDEF7F4, 0xFAF4F3}},  {4, {0xE2A981, 0x91C6B7, 0xB59799}},
    {5, {0xF1A675, 0x8CC2B0, 0xC8B2B3}},  {6, {0xD3F8FF, 0xD3F8FF, 0xD3F8FF}},
    {7, {0x5295FE, 0x5295FE, 0x5295FE}},  {8, {0x913500, 0x6B7760, 0x927476}},
    {9, {0x76C1FF, 0x76C1FF, 0x76C1FF}},  {10, {0x98DDFF, 0x98DDFF, 0x98DDFF}},
    {11, {0x9C613B, 0x588060, 0x947C7C}}, {12, {0xE0A47B, 0x8FC4B5, 0xB09193}},
    {19, {0x764127, 0x335E51, 0x755454}}, {20, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
    {21, {0xCB8C6A, 0x588060, 0x8F6D6E}}, {22, {0xFFF9F1, 0xDEF7F4, 0xFFFFFF}},
    {25, {0xC9662A, 0x5E8674, 0x99797A}}, {26, {0xF9DBC4, 0xADDEE1, 0xE4DADB}},
    {32, {0xF6F6F6, 0xEEF4F4, 0xFFFAFD}}, {39, {0x962D00, 0x5E8D75, 0x947C7C}},
    {41, {0xC2EEFF, 0xC2EEFF, 0xC2EEFF}}, {42, {0x800000, 0x385D3F, 0x6F4B4B}},
    {43, {0xCCF4FF, 0xCCF4FF, 0xCCF4FF}}, {44, {0x91D0FF, 0x91D0FF, 0x91D0FF}},
    {45, {0x8ED3FF, 0x8ED3FF, 0x8ED3FF}}, {46, {0x4E91FE, 0x4E91FE, 0x4E91FE}},
    {47, {0xFCE1CB, 0xB6E3D8, 0xE7D3D6}}, {48, {0x6FC0FF, 0x6FC0FF, 0x6FC0FF}},
    {49, {0x3E80FE, 0x3E80FE, 0x3E80FE}}, {50, {0xF0C7A9, 0x9FD4C5, 0xD3C0C0}},
    {52, {0x000000, 0x000000, 0x000000}}, {53, {0x8D8D8D, 0x8D8D8D, 0x8D8D8D}},
    {59, {0xFBDABE, 0x91BAAF, 0xEBE5E5}}, {60, {0x94E6FB, 0x94E6FB, 0x94E6FB}},
    {61, {0x962D00, 0x588060, 0x947C7C}}, {62, {0xFADAC4, 0xE4F1F2, 0xF7F3F3}},
    {64, {0xB96837, 0x548973, 0x916F70}}, {66, {0x962D00, 0x5E8D75, 0x947C7C}},
    {67, {0xFBE5D3, 0xDBF5F2, 0xF8F1F0}}, {68, {0xE4AE88, 0x97C9BC, 0xBA9EA0}},
    {69, {0xDCFFFF, 0xDCFFFF, 0xDCFFFF}}, {70, {0x5BC0F7, 0x5BC0F7, 0x5BC0F7}},
    {71, {0x94E6FB, 0x94E6FB, 0x94E6FB}}, {72, {0x1595EE, 0x1595EE, 0x1595EE}},
    {73, {0x087FE8, 0x087FE8, 0x087FE8}}, {74, {0x7CDAF7, 0x7CDAF7, 0x7CDAF7}},
    {75, {0xD68759, 0x82C0AF, 0xBFA7A8}}, {76, {0x933803, 0x447A63, 0x916F70}},
    {77, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
};
static_assert(std::size(SchemeValues) == 49);

// Entries that derive from other entries alike whether a scheme or the system colours fill the
// palette.
std::map<int, TRule> SharedRules() {
    return {
        {16, Mix(E(8), E(12), 50)},
        {17, Mix(E(9), E(12), 50)},
        {18, Mix(E(10), E(12), 50)},
        {27, Copy(3)},
        {28, Copy(25)},
        {33, Copy(3)},
        {34, Copy(4)},
        {35, Copy(3)},
        {36, Copy(4)},
        {37, Mix(E(35), C(Black), 92)},
        {38, Mix(E(36), C(Black), 92)},
        {40, Copy(32)},
        {51, Copy(41)},
        {54, Copy(39)},
        {55, Copy(1)},
        {56, Copy(16)},
        {57, Copy(29)},
        {58, Copy(39)},
    };
}

// With the shared entries, the entries that a scheme does not give from its table.
std::map<int, TRule> SchemeRules() {
    std::map<int, TRule> Rules = SharedRules();
    Rules.insert({
        {13, Mix(E(5), E(3), 90)},
        {14, Mix(E(6), E(3), 90)},
        {15, Mix(E(7), E(3), 90)},
        {23, Value(Black)},
        {24, Value(White)},
        {29, Value(White)},
        {30, Value(Black)},
        {31, Value(Black)},
        {63, Value(0xC9EDFD)},
        {65, Copy(12)},
        {78, Copy(75)},
        {79, Copy(76)},
    });
    return Rules;
}

// With the shared entries, every entry from the system colours.
std::map<int, TRule> SystemRules() {
    std::map<int, TRule> Rules = SharedRules();
    Rules.insert({
        {1, Value(clBtnFace)},
        {2, Mix(C(clBtnFace), C(clWindow), 20)},
        {3, Mix(C(clBtnFace), C(clWindow), 22)},
        {4, Mix(C(clBtnFace), C(clWindow), 96)},
        {5, Mix(C(clBtnShadow), C(clWindow), 74)},
        {6, NearestBlend(-15, 29, 86)},
        {7, NearestBlend(42, 11, 47)},
        {8, Value(clBtnShadow)},
        {9, Copy(6)},
        {10, Copy(7)},
        {11, Mix(C(clBtnFace), C(clWindow), 85)},
        {12, Value(clBtnFace)},
        {13, Mix(E(8), C(clWindow), 50)},
        {14, Mix(E(9), C(clWindow), 50)},
        {15, Mix(E(10), C(clWindow), 50)},
        {19, Mix(C(clBtnShadow), C(clWindow), 76)},
        {20, Value(clWindow)},
        {21, Mix(C(clBtnShadow), C(clWindow), 70)},
        {22, Value(White)},
        {23, Value(clBtnText)},
        {24, Value(clWindow)},
        {25, Value(clBtnShadow)},
        {26, Copy(4)},
        {29, Value(clBtnHighlight)},
        {30, Value(clBtnText)},
        {31, Value(clBtnText)},
        {32, Value(clWindow)},
        {39, Value(clBtnShadow)},
        {41, NearestBlend(-2, 30, 72)},
        {42, Value(clHighlight)},
        {43, Copy(41)},
        {44, Copy(41)},
        {45, Copy(49)},
        {46, Copy(49)},
        {47, Copy(4)},
        {48, Blend(41, 11, 48)},
        {49, NearestBlend(14, 44, 40)},
        {50, Copy(47)},
        {52, Value(clBtnText)},
        {53, Value(clGrayText)},
        {59, Value(clBtnFace)},
        {60, Copy(48)},
        {61, Copy(39)},
        {62, Copy(1)},
        {63, Value(clBtnFace)},
        {64, Value(clBtnShadow)},
        {65, Value(clBtnShadow)},
        {66, NearestOf(clBtnShadow)},
        {67, {TRuleKind::LightStrong}},
        {68, {TRuleKind::LightSlight}},
        {69, Copy(43)},
        {70, Copy(44)},
        {71, Copy(48)},
        {72, Copy(71)},
        {73, Copy(49)},
        {74, Copy(73)},
        {75, Copy(66)},
        {76, Copy(66)},
        {77, Value(clHighlightText)},
        {78, NearestOf(clBtnFace)},
        {79, Copy(66)},
    });
    return Rules;
}

// Evaluates the rules, each entry after the entries it reads.
class TPaletteBuilder {
public:
    explicit TPaletteBuilder(std::map<int, TRule> Rules) : FRules(std::move(Rules)) {}

    void Set(int Entry, TColor Color) {
        FValues[Entry] = Color;
        FDone[Entry] = true;
    }
    TColor Get(int Entry) {
        if (!FDone[Entry]) {
            FValues[Entry] = Evaluate(FRules.at(Entry));
            FDone[Entry] = true;
        }
        return FValues[Entry];
    }

private:
    TColor Read(const TOperand& Operand) {
        return Operand.Entry ? Get(Operand.Entry) : Sys(Operand.Color);
    }
    TColor Evaluate(const TRule& Rule) {
        switch (Rule.Kind) {
        case TRuleKind::Value:
            return Sys(Rule.A.Color);
        case TRuleKind::Copy:
            return Get(Rule.A.Entry);
        case TRuleKind::Mix:
            return dxOffice11MixColors(Read(Rule.A), Read(Rule.B), Rule.P1);
        case TRuleKind::Blend:
            return dxOffice11BlendSystemColors(Rule.P1, Rule.P2, Rule.P3);
        case TRuleKind::NearestBlend:
            return Nearest(dxOffice11BlendSystemColors(Rule.P1, Rule.P2, Rule.P3));
        case TRuleKind::Nearest:
            return Nearest(Rule.A.Color);
        case TRuleKind::LightStrong:
            return dxOffice11LightBtnFaceColor(true);
        case TRuleKind::LightSlight:
            return dxOffice11LightBtnFaceColor(false);
        }
        return 0;
    }

    std::map<int, TRule> FRules;
    std::array<TColor, dxOffice11PaletteSize + 1> FValues{};
    std::array<bool, dxOffice11PaletteSize + 1> FDone{};
};

// ---- Process-wide state: palette, brushes, bitmaps ----

constexpr std::array<int, 13> BrushEntries{19, 20, 21, 22, 39, 32, 42, 47, 48, 49, 50, 41, 16};

struct TOffice11State {
    std::array<TColor, dxOffice11PaletteSize + 1> Palette{};
    int GradientPercent = 75;
    int UserCount = 0;
    std::map<int, pg::GdiHandle> Brushes;
    pg::GdiHandle SubMenuExpand;
    pg::GdiHandle ExpandMinus;
    pg::GdiHandle ExpandPlus;
};

// A palette notifier that lives until the process ends releases its colours during static
// destruction.
TOffice11State& State() {
    static platform::core::NoDestructor<TOffice11State> TheState;
    return *TheState;
}

void CalculatePalette() {
    auto& S = State();
    const TdxOffice11Scheme Scheme = dxOffice11GetScheme();
    if (Scheme != schNone) {
        TPaletteBuilder Builder(SchemeRules());
        for (const TSchemeValue& V : SchemeValues)
            Builder.Set(V.Entry, static_cast<TColor>(V.Values[Scheme - 1]));
        for (int I = 1; I <= dxOffice11PaletteSize; ++I)
            S.Palette[I] = Builder.Get(I);
        S.GradientPercent = Scheme == schBlue ? 41 : Scheme == schOlive ? 125 : 40;
    } else {
        TPaletteBuilder Builder(SystemRules());
        for (int I = 1; I <= dxOffice11PaletteSize; ++I)
            S.Palette[I] = Builder.Get(I);
        S.GradientPercent = 75;
    }
}

// ---- The bitmaps, drawn here ----

constexpr pg::Pixel32 Px(COLORREF Color) {
    return pg::ColorToPixel(Color);
}

// The caller takes the handle over at once.
HBITMAP NewBitmap(int Width, int Height) {
    return pg::CreateBitmap(Width, Height, 1, 32, nullptr);
}

// A shaded disc with a black double chevron, on a magenta background; only the red channel
// of the shading matters, since the shading is recoloured to the palette.
HBITMAP DrawSubMenuExpand() {
    constexpr int Size = 16;
    const HBITMAP Bitmap = NewBitmap(Size, Size);
    pg::Surface& S = *pg::BitmapSurface(Bitmap);
    S.Fill(Px(RGB(255, 0, 255)));
    for (int Y = 0; Y < Size; ++Y)
        for (int X = 0; X < Size; ++X) {
            const int DX = 2 * X - 15, DY = 2 * Y - 15;
            if (DX * DX + DY * DY > 14 * 14) continue;
            const int Level = 250 - Y * 6;
            S.SetPixel(X, Y, Px(RGB(Level, Level, Level)));
        }
    for (int Chevron = 0; Chevron < 2; ++Chevron) {
        const int Top = 5 + Chevron * 3;
        for (int Step = 0; Step < 3; ++Step) {
            S.SetPixel(5 + Step, Top + Step, Px(0));
            S.SetPixel(10 - Step, Top + Step, Px(0));
        }
    }
    return Bitmap;
}

// A 9 x 9 box, light inside, with a minus or a plus.
HBITMAP DrawExpandButton(bool Plus) {
    constexpr int Size = 9;
    const HBITMAP Bitmap = NewBitmap(Size, Size);
    pg::Surface& S = *pg::BitmapSurface(Bitmap);
    for (int Y = 0; Y < Size; ++Y)
        for (int X = 0; X < Size; ++X) {
            const bool Border = X == 0 || Y == 0 || X == Size - 1 || Y == Size - 1;
            const int Level = 255 - Y * 4;
            S.SetPixel(X, Y,
                       Px(Border ? static_cast<COLORREF>(dxOffice11ExpandButtonColor1)
                                 : RGB(Level, Level, Level)));
        }
    for (int I = 2; I <= 6; ++I) {
        S.SetPixel(I, 4, Px(static_cast<COLORREF>(dxOffice11ExpandButtonColor2)));
        if (Plus) S.SetPixel(4, I, Px(static_cast<COLORREF>(dxOffice11ExpandButtonColor2)));
    }
    return Bitmap;
}

// Every pixel that is neither the background (the top-left pixel) nor black takes a mix of
// entries 3 and 4 by where its red value lies between the smallest and the largest.
void RecolourSubMenuExpand(HBITMAP Bitmap) {
    pg::Surface& S = *pg::BitmapSurface(Bitmap);
    const pg::Pixel32 Background = S.Pixel(0, 0) & 0xFFFFFF;
    auto Counts = [&](pg::Pixel32 P) { return P != Background && P != 0; };
    int MinRed = 255, MaxRed = 1;
    for (int Y = 0; Y < S.Height(); ++Y)
        for (int X = 0; X < S.Width(); ++X) {
            const pg::Pixel32 P = S.Pixel(X, Y) & 0xFFFFFF;
            if (!Counts(P)) continue;
            const int Red = GetRValue(pg::PixelToColor(P));
            MinRed = std::min(MinRed, Red);
            MaxRed = std::max(MaxRed, Red);
        }
    const TColor Light = dxOffice11Palette(3);
    TColor Dark = dxOffice11Palette(4);
    if (Light == Dark) Dark = Light == Black ? White : Black;
    for (int Y = 0; Y < S.Height(); ++Y)
        for (int X = 0; X < S.Width(); ++X) {
            const pg::Pixel32 P = S.Pixel(X, Y) & 0xFFFFFF;
            if (!Counts(P)) continue;
            const int Red = GetRValue(pg::PixelToColor(P));
            // An image of one shade has no range to spread over: it takes the light colour.
            const int Weight = MaxRed > MinRed ? MulDiv(Red - MinRed, 100, MaxRed - MinRed) : 100;
            S.SetPixel(X, Y, Px(Resolve(dxOffice11MixColors(Light, Dark, Weight))));
        }
}

void CreateBrushesAndBitmaps() {
    auto& S = State();
    for (int Entry : BrushEntries)
        S.Brushes[Entry].Reset(pg::CreateSolidBrush(Resolve(S.Palette[Entry])));
    S.SubMenuExpand.Reset(DrawSubMenuExpand());
    RecolourSubMenuExpand(static_cast<HBITMAP>(S.SubMenuExpand.Get()));
    S.ExpandMinus.Reset(DrawExpandButton(false));
    S.ExpandPlus.Reset(DrawExpandButton(true));
}

void FreeBrushesAndBitmaps() {
    auto& S = State();
    S.Brushes.clear();
    S.SubMenuExpand.Reset();
    S.ExpandMinus.Reset();
    S.ExpandPlus.Reset();
}

std::wstring UpperWide(std::wstring Text) {
    std::transform(Text.begin(), Text.end(), Text.begin(),
                   [](wchar_t Ch) { return static_cast<wchar_t>(std::towupper(Ch)); });
    return Text;
}

int WindowsMajorVersion() {
    pg::OSVERSIONINFO Info;
    return pg::GetVersionEx(&Info) ? static_cast<int>(Info.dwMajorVersion) : 0;
}

struct TChannels {
    int R, G, B;
};
TChannels Channels(TColor Color) {
    const COLORREF C = Resolve(Color);
    return {GetRValue(C), GetGValue(C), GetBValue(C)};
}
TColor FromChannels(int R, int G, int B) {
    return static_cast<TColor>(RGB(Clamp8(R), Clamp8(G), Clamp8(B)));
}

// Color1 + MulDiv(Index, Color2 - Color1, Count) channel by channel.
TColor Step(const TChannels& C1, const TChannels& C2, int Index, int Count) {
    return FromChannels(C1.R + MulDiv(Index, C2.R - C1.R, Count),
                        C1.G + MulDiv(Index, C2.G - C1.G, Count),
                        C1.B + MulDiv(Index, C2.B - C1.B, Count));
}

void FillLine(HDC DC, const TRect& R, int From, int To, bool Horizontal, TColor Color) {
    const TRect Line =
        Horizontal ? TRect{From, R.Top, To, R.Bottom} : TRect{R.Left, From, R.Right, To};
    FillRectByColor(DC, Line, Color);
}

} // namespace

TdxOffice11Scheme dxOffice11GetScheme() {
    if (!AreVisualStylesAvailable()) return schNone;
    std::array<wchar_t, 1024> FileName{}, ColorName{}, SizeName{};
    if (GetCurrentThemeName(FileName.data(), 1024, ColorName.data(), 1024, SizeName.data(), 1024) !=
        pg::S_OK)
        return schNone;
    std::wstring File(FileName.data());
    const auto Slash = File.find_last_of(L"\\/:");
    if (Slash != std::wstring::npos) File.erase(0, Slash + 1);
    if (UpperWide(File) != L"LUNA.MSSTYLES" && WindowsMajorVersion() <= 5) return schNone;
    const std::wstring Color = UpperWide(ColorName.data());
    if (Color == L"NORMALCOLOR") return schBlue;
    if (Color == L"HOMESTEAD") return schOlive;
    if (Color == L"METALLIC") return schSilver;
    return schNone;
}

bool dxOffice11IsVisualStyleScheme() {
    return AreVisualStylesAvailable() && dxOffice11GetScheme() != schNone;
}

TColor dxOffice11Palette(int Entry) {
    return State().Palette.at(static_cast<std::size_t>(Entry));
}

int dxOffice11GradientPercent() {
    return State().GradientPercent;
}

HBRUSH dxOffice11Brush(int Entry) {
    auto& Brushes = State().Brushes;
    const auto Found = Brushes.find(Entry);
    return Found == Brushes.end() ? pg::NullObject : static_cast<HBRUSH>(Found->second.Get());
}

HBITMAP dxOffice11SubMenuExpandBitmap() {
    return static_cast<HBITMAP>(State().SubMenuExpand.Get());
}

HBITMAP dxOffice11ExpandButtonBitmap(bool Plus) {
    return static_cast<HBITMAP>((Plus ? State().ExpandPlus : State().ExpandMinus).Get());
}

void dxOffice11InitColors() {
    auto& S = State();
    if (S.UserCount == 0) {
        CalculatePalette();
        CreateBrushesAndBitmaps();
    }
    ++S.UserCount;
}

void dxOffice11ReleaseColors() {
    auto& S = State();
    if (S.UserCount == 0) return;
    if (--S.UserCount == 0) FreeBrushesAndBitmaps();
}

int dxOffice11ColorUserCount() {
    return State().UserCount;
}

void dxOffice11RefreshColors() {
    CalculatePalette();
    if (State().UserCount > 0) {
        FreeBrushesAndBitmaps();
        CreateBrushesAndBitmaps();
    }
}

bool IsHighContrastBlack() {
    return Resolve(clBtnFace) == 0;
}

bool IsHighContrastWhite() {
    return Resolve(clBtnFace) == 0xFFFFFF;
}

bool IsHighContrastBlackColoredText() {
    return IsHighContrastBlack() && Resolve(clBtnText) != 0xFFFFFF;
}

TColor dxOffice11MixColors(TColor A, TColor B, int P) {
    const TChannels CA = Channels(A), CB = Channels(B);
    auto Mix = [P](int X, int Y) {
        return std::min(MulDiv(X, P, 100) + MulDiv(Y, 100 - P, 100), 255);
    };
    return Nearest(FromChannels(Mix(CA.R, CB.R), Mix(CA.G, CB.G), Mix(CA.B, CB.B)));
}

TColor dxOffice11BlendSystemColors(int P1, int P2, int P3) {
    if (IsHighContrastBlack() || IsHighContrastWhite()) return Sys(clHighlight);
    const TChannels Face = Channels(clBtnFace), High = Channels(clHighlight),
                    Win = Channels(clWindow);
    auto Blend = [&](int F, int H, int W) {
        return Clamp8(MulDiv(F, P1, 100) + MulDiv(H, P2, 100) + MulDiv(W, P3, 100));
    };
    return FromChannels(Blend(Face.R, High.R, Win.R), Blend(Face.G, High.G, Win.G),
                        Blend(Face.B, High.B, Win.B));
}

TColor dxOffice11LightBtnFaceColor(bool Strong) {
    const TChannels Face = Channels(clBtnFace);
    auto Light = [Strong](int V) { return Strong ? 128 + V * 127 / 255 : V + 4 - V * 4 / 255; };
    return Nearest(FromChannels(Light(Face.R), Light(Face.G), Light(Face.B)));
}

void FillRectByColor(HDC DC, const TRect& R, TColor Color) {
    if (Color == pg::clNone) return;
    pg::GdiHandle Brush(pg::CreateSolidBrush(Resolve(Color)));
    pg::FillRect(DC, &R, static_cast<HBRUSH>(Brush.Get()));
}

void FrameRectByColor(HDC DC, const TRect& R, TColor Color) {
    if (Color == pg::clNone) return;
    pg::GdiHandle Brush(pg::CreateSolidBrush(Resolve(Color)));
    pg::FrameRect(DC, &R, static_cast<HBRUSH>(Brush.Get()));
}

void FillGradientRect(HDC DC, const TRect& R, TColor Color1, TColor Color2, bool Horizontal) {
    const COLORREF C1 = Resolve(Color1), C2 = Resolve(Color2);
    if (C1 == C2) {
        FillRectByColor(DC, R, static_cast<TColor>(C1));
        return;
    }
    if (const TGradientFill GradientFill = MsImgLibrary().GradientFill) {
        TTriVertex Vertices[2] = {{R.Left, R.Top, static_cast<std::uint16_t>(GetRValue(C1) << 8),
                                   static_cast<std::uint16_t>(GetGValue(C1) << 8),
                                   static_cast<std::uint16_t>(GetBValue(C1) << 8), 0},
                                  {R.Right, R.Bottom,
                                   static_cast<std::uint16_t>(GetRValue(C2) << 8),
                                   static_cast<std::uint16_t>(GetGValue(C2) << 8),
                                   static_cast<std::uint16_t>(GetBValue(C2) << 8), 0}};
        TGradientRect Rect{0, 1};
        GradientFill(DC, Vertices, 2, &Rect, 1,
                     Horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
        return;
    }
    const int Start = Horizontal ? R.Left : R.Top;
    const int End = Horizontal ? R.Right : R.Bottom;
    const int Extent = End - Start;
    if (Extent <= 0) return;
    // One pixel has room for one stripe only, in the first colour (there is no step to take).
    if (Extent == 1) {
        FillRectByColor(DC, R, static_cast<TColor>(C1));
        return;
    }
    const int Steps = std::min(Extent, 256);
    const TChannels From = Channels(static_cast<TColor>(C1)),
                    To = Channels(static_cast<TColor>(C2));
    int StripeStart = Start;
    for (int I = 0; I < Steps; ++I) {
        const int StripeEnd = Start + MulDiv(I + 1, Extent, Steps);
        if (StripeEnd > StripeStart)
            FillLine(DC, R, StripeStart, StripeEnd, Horizontal, Step(From, To, I, Steps - 1));
        if (StripeEnd >= End) break;
        StripeStart = StripeEnd;
    }
}

TColor GetGradientColorAtPos(const TRect& R, int Pos, TColor Color1, TColor Color2,
                             bool Horizontal) {
    const int Start = Horizontal ? R.Left : R.Top;
    const int Extent = Horizontal ? R.Right - R.Left : R.Bottom - R.Top;
    const int Steps = std::min(Extent, 256);
    // Without two stripes there is no step: the fill is the first colour.
    if (Steps < 2) return Sys(Color1);
    const int Index = std::max(0, MulDiv(Pos - Start + 1, Steps, Extent) - 1);
    return Step(Channels(Color1), Channels(Color2), Index, Steps - 1);
}

void FillTwoStageGradientRect(HDC DC, const TRect& R, TColor Color1, TColor Color2,
                              bool Horizontal) {
    const COLORREF C1 = Resolve(Color1), C2 = Resolve(Color2);
    if (C1 == C2) {
        FillRectByColor(DC, R, static_cast<TColor>(C1));
        return;
    }
    const int Start = Horizontal ? R.Left : R.Top;
    const int End = Horizontal ? R.Right : R.Bottom;
    const int Extent = End - Start;
    if (Extent <= 0) return;
    const int Half = Extent / 2;
    const TChannels First = Channels(static_cast<TColor>(C1)),
                    Last = Channels(static_cast<TColor>(C2));
    const int Percent = dxOffice11GradientPercent();
    const TChannels Middle{First.R - MulDiv(First.R - Last.R, Percent, 200),
                           First.G - MulDiv(First.G - Last.G, Percent, 200),
                           First.B - MulDiv(First.B - Last.B, Percent, 200)};
    const TColor MiddleColor = FromChannels(Middle.R, Middle.G, Middle.B);
    // One line has no stages to spread over: it is the first colour, as every gradient fill of
    // one line is.
    if (Half == 0) {
        FillLine(DC, R, Start, End, Horizontal, static_cast<TColor>(C1));
        return;
    }
    const TChannels FirstEnd{First.R - MulDiv(First.R - Middle.R, Extent, Half),
                             First.G - MulDiv(First.G - Middle.G, Extent, Half),
                             First.B - MulDiv(First.B - Middle.B, Extent, Half)};
    const TChannels SecondStart{Last.R + MulDiv(Middle.R - Last.R, Extent, Half),
                                Last.G + MulDiv(Middle.G - Last.G, Extent, Half),
                                Last.B + MulDiv(Middle.B - Last.B, Extent, Half)};
    for (int I = 0; I < Extent; ++I) {
        TColor Color;
        if (I < Half)
            Color = Step(First, FirstEnd, I, Extent - 1);
        else if (I == Half)
            Color = MiddleColor;
        else
            Color = Step(SecondStart, Last, I, Extent - 1);
        FillLine(DC, R, Start + I, Start + I + 1, Horizontal, Color);
    }
}

void dxOffice11FrameSelectedRect(HDC DC, const TRect& R) {
    if (IsHighContrastBlack() || IsHighContrastBlackColoredText())
        FrameRectByColor(DC, R, clHighlightText);
    else
        pg::FrameRect(DC, &R, dxOffice11SelectedBorderBrush());
}

void dxOffice11DrawGripDots(HDC DC, const TRect& R, bool Vertical, HBRUSH LightBrush,
                            HBRUSH DarkBrush) {
    if (LightBrush == pg::NullObject) LightBrush = dxOffice11GripLightBrush();
    if (DarkBrush == pg::NullObject) DarkBrush = dxOffice11GripDarkBrush();
    const int Extent = Vertical ? R.Bottom - R.Top : R.Right - R.Left;
    int Shift = Extent % 4;
    if (Shift > 1) Shift /= 2;
    int X = R.Left, Y = R.Top;
    (Vertical ? Y : X) += Shift;
    // A cell is drawn only when it fits whole.
    while ((Vertical ? Y : X) + 4 <= (Vertical ? R.Bottom : R.Right)) {
        const TRect Light{X + 1, Y + 1, X + 3, Y + 3};
        const TRect Dark{X, Y, X + 2, Y + 2};
        pg::FillRect(DC, &Light, LightBrush);
        pg::FillRect(DC, &Dark, DarkBrush);
        (Vertical ? Y : X) += 4;
    }
}

void dxOffice11DrawSizeGrip(HDC DC, const TRect& R, TColor LightColor, TColor DarkColor) {
    pg::GdiHandle Light, Dark;
    // clDefault asks for the default brushes as clNone does; it is no colour to make a brush of.
    auto Given = [](TColor Color) { return Color != pg::clNone && Color != pg::clDefault; };
    if (Given(LightColor)) Light.Reset(pg::CreateSolidBrush(Resolve(LightColor)));
    if (Given(DarkColor)) Dark.Reset(pg::CreateSolidBrush(Resolve(DarkColor)));
    TRect Strip{R.Right - 12, R.Bottom - 3, R.Right, R.Bottom};
    for (int Row = 0; Row < 3; ++Row) {
        dxOffice11DrawGripDots(DC, Strip, false, static_cast<HBRUSH>(Light.Get()),
                               static_cast<HBRUSH>(Dark.Get()));
        Strip.Left += 4;
        Strip.Top -= 4;
        Strip.Bottom -= 4;
    }
}

void dxOffice11DrawArrowInRect(HDC DC, const TRect& R, bool Down, bool WhiteInHighContrast,
                               bool Enabled) {
    const int Length = Down ? R.Right - R.Left - 8 : R.Bottom - R.Top - 6;
    int Size = (Length - 1) / 2;
    if (Length % 2 != 0) ++Size;
    dxOffice11DrawArrow(DC, R, Down, std::max(Size, 3), WhiteInHighContrast, Enabled);
}

void dxOffice11DrawArrow(HDC DC, const TRect& R, bool Down, int Size, bool WhiteInHighContrast,
                         bool Enabled) {
    TColor Color = dxOffice11DisabledTextColor();
    if (Enabled)
        Color = WhiteInHighContrast && IsHighContrastWhite() ? White : dxOffice11TextColor();
    pg::TPoint Points[3];
    if (Down) {
        const int X = (R.Left + R.Right - (2 * Size - 1)) / 2;
        const int Y = (R.Top + R.Bottom - Size) / 2;
        Points[0] = {X, Y};
        Points[1] = {X + 2 * Size - 2, Y};
        Points[2] = {X + Size - 1, Y + Size - 1};
    } else {
        const int X = (R.Left + R.Right - Size) / 2;
        const int Y = (R.Top + R.Bottom - (2 * Size - 1)) / 2;
        Points[0] = {X, Y};
        Points[1] = {X, Y + 2 * Size - 2};
        Points[2] = {X + Size - 1, Y + Size - 1};
    }
    pg::GdiHandle Pen(pg::CreatePen(pg::PS_SOLID, 1, Resolve(Color)));
    pg::GdiHandle Brush(pg::CreateSolidBrush(Resolve(Color)));
    const pg::HGDIOBJ OldPen = pg::SelectObject(DC, Pen.Get());
    const pg::HGDIOBJ OldBrush = pg::SelectObject(DC, Brush.Get());
    pg::Polygon(DC, Points, 3);
    pg::SelectObject(DC, OldBrush);
    pg::SelectObject(DC, OldPen);
}

} // namespace toolkit::base
