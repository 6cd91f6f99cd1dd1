#include "toolkit/base/cx_radio_button_images.h"

#include "toolkit/base/cx_graphics.h"
#include "toolkit/base/cx_lf_kind_painters.h"
#include "toolkit/base/office11.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/surface.h"

#include <algorithm>

namespace toolkit::base {

namespace pg = platform::gdi;

namespace {

// A 32-bit bitmap selected into a memory context, for measuring and for the class map.
class TMemorySurface {
public:
    TMemorySurface(int Width, int Height, pg::COLORREF Background) {
        FBitmap = pg::CreateBitmap(std::max(Width, 1), std::max(Height, 1), 1, 32, nullptr);
        FDC = pg::CreateCompatibleDC(pg::NullDC);
        FOld = pg::SelectObject(FDC, FBitmap);
        pg::BitmapSurface(FBitmap)->Fill(pg::ColorToPixel(Background));
    }
    ~TMemorySurface() {
        pg::SelectObject(FDC, FOld);
        pg::DeleteDC(FDC);
        pg::DeleteObject(FBitmap);
    }
    TMemorySurface(const TMemorySurface&) = delete;
    TMemorySurface& operator=(const TMemorySurface&) = delete;

    HDC DC() const { return FDC; }
    pg::COLORREF At(int X, int Y) const {
        return pg::PixelToColor(pg::BitmapSurface(FBitmap)->Pixel(X, Y) & 0xFFFFFF);
    }

private:
    HBITMAP FBitmap{};
    HDC FDC{};
    pg::HGDIOBJ FOld{};
};

constexpr unsigned char pcOutside = 0, pcOuterUpperLeft = 1, pcOuterLowerRight = 2,
                        pcInnerUpperLeft = 3, pcInnerLowerRight = 4, pcInterior = 5, pcBullet = 6;

std::unique_ptr<TcxRadioButtonImageList>& TheList() {
    static std::unique_ptr<TcxRadioButtonImageList> List;
    return List;
}

bool Disabled(int AState) {
    return AState == cxbsDisabled;
}

TColor FaceColor(int AStyle, int AState) {
    using namespace platform::gdi;
    if (AStyle == 3)
        return AState == cxbsNormal ? clWindow
                                    : cxOffice11LookAndFeelPainter()->ButtonColor(
                                          static_cast<TcxButtonState>(AState));
    if (Disabled(AState)) return clBtnFace;
    if (AStyle == 2)
        return AState == cxbsHot       ? cxGetHotLightColor()
               : AState == cxbsPressed ? cxGetPressedLightColor()
                                       : clWindow;
    return AState == cxbsPressed ? clBtnFace : clWindow;
}

// The colours of classes 0 to 6 for one combination.
std::array<TColor, 7> ClassColors(int AStyle, int AState, bool AChecked, bool AFocused,
                                  bool AHighlighted) {
    using namespace platform::gdi;
    const TColor Face = FaceColor(AStyle, AState);
    std::array<TColor, 7> C{};
    C[pcOutside] = clBlack;
    C[pcInterior] = Face;
    const bool Active = AFocused || AState == cxbsHot || AState == cxbsPressed ||
                        (AHighlighted && !Disabled(AState));
    switch (AStyle) {
    case 0:
        C[1] = clBtnShadow, C[2] = clBtnHighlight, C[3] = cl3DLight, C[4] = cl3DLight;
        break;
    case 1:
        C[1] = clBtnShadow, C[2] = clBtnHighlight, C[3] = cl3DDkShadow, C[4] = cl3DLight;
        break;
    case 2:
        C[1] = C[2] = Active ? clHighlight : clBtnShadow;
        C[3] = C[4] = Face;
        break;
    default:
        C[1] = C[2] = Disabled(AState) ? dxOffice11Palette(53)
                      : Active         ? dxOffice11Palette(42)
                                       : clBtnText;
        C[3] = C[4] = Face;
        break;
    }
    if (!AChecked)
        C[pcBullet] = Face;
    else if (!Disabled(AState))
        C[pcBullet] = clWindowText;
    else
        C[pcBullet] = AStyle == 3 ? dxOffice11Palette(53) : clBtnShadow;
    return C;
}

} // namespace

int cxRadioButtonStyleIndex(TcxLookAndFeelStyle AStyle) {
    switch (AStyle) {
    case lfsFlat:
        return 0;
    case lfsUltraFlat:
        return 2;
    case lfsOffice11:
        return 3;
    case lfsStandard:
    case lfsNative:
        break;
    }
    return 1;
}

int cxRadioButtonCombinationIndex(TcxLookAndFeelStyle AStyle, TcxButtonState AState, bool AChecked,
                                  bool AFocused, bool AIsHighlighted) {
    // The default state is a normal button that happens to be the dialog's default.
    const int State = AState == cxbsDefault ? cxbsNormal : static_cast<int>(AState);
    if (State > cxbsDisabled) return -1;
    return (State - 1) + 4 * AChecked + 8 * cxRadioButtonStyleIndex(AStyle) + 32 * AIsHighlighted +
           64 * AFocused;
}

TRect cxRadioButtonBulletBounds(const std::function<bool(int X, int Y)>& IsBullet,
                                const TSize& ACellSize, const TRect& AGlyph) {
    const int W = AGlyph.Width(), H = AGlyph.Height();
    // The run of bullet pixels through Start along one line, inside [0, Limit).
    const auto Span = [](int Start, int Limit, const auto& Is, int& First, int& End) {
        if (Start < 0 || Start >= Limit || !Is(Start)) return false;
        First = Start;
        while (First > 0 && Is(First - 1))
            --First;
        End = Start + 1;
        while (End < Limit && Is(End))
            ++End;
        return true;
    };
    const int MidColumn = AGlyph.Left + W / 2 - 1, MidRow = AGlyph.Top + H / 2 - 1;
    TRect Bullet;
    const bool InCell =
        MidColumn >= 0 && MidColumn < ACellSize.cx && MidRow >= 0 && MidRow < ACellSize.cy;
    if (InCell &&
        Span(
            AGlyph.Top + H / 2 - 2, ACellSize.cy, [&](int Y) { return IsBullet(MidColumn, Y); },
            Bullet.Top, Bullet.Bottom) &&
        Span(
            AGlyph.Left + W / 2 - 2, ACellSize.cx, [&](int X) { return IsBullet(X, MidRow); },
            Bullet.Left, Bullet.Right))
        return Bullet;
    const int BW = std::max(1, (W + 1) / 3), BH = std::max(1, (H + 1) / 3);
    Bullet.Left = AGlyph.Left + (W - BW) / 2;
    Bullet.Top = AGlyph.Top + (H - BH) / 2;
    return {Bullet.Left, Bullet.Top, Bullet.Left + BW, Bullet.Top + BH};
}

TcxRadioButtonImageList::TcxRadioButtonImageList() {
    Measure();
    BuildPixelClasses();
    FImages = std::make_unique<TcxImageList>(nullptr, std::max(FWidth, 1), std::max(FHeight, 1));
    BuildImages();
}

TcxRadioButtonImageList::~TcxRadioButtonImageList() = default;

void TcxRadioButtonImageList::Measure() {
    HBITMAP CheckBoxes = pg::LoadSystemBitmap(pg::OBM_CHECKBOXES);
    pg::BITMAP Info;
    if (pg::GetObject(CheckBoxes, sizeof(Info), &Info) != sizeof(Info)) Info = {};
    pg::DeleteObject(CheckBoxes);
    const int CellWidth = Info.bmWidth / 4, CellHeight = Info.bmHeight / 3;
    if (CellWidth <= 0 || CellHeight <= 0) return;
    TRect Cell{0, 0, CellWidth, CellHeight};

    // The glyph spans from the first to the last column (row) the mask touches.
    {
        TMemorySurface Mask(CellWidth, CellHeight, pg::clBlack);
        pg::DrawFrameControl(Mask.DC(), &Cell, pg::DFC_BUTTON,
                             pg::DFCS_BUTTONRADIOMASK | pg::DFCS_FLAT);
        int Right = -1, Bottom = -1;
        FLeft = CellWidth, FTop = CellHeight;
        for (int Y = 0; Y < CellHeight; ++Y)
            for (int X = 0; X < CellWidth; ++X)
                if (Mask.At(X, Y) != 0) {
                    FLeft = std::min(FLeft, X), Right = std::max(Right, X);
                    FTop = std::min(FTop, Y), Bottom = std::max(Bottom, Y);
                }
        if (Right < 0) {
            FLeft = FTop = 0;
            return;
        }
        FWidth = Right - FLeft + 1;
        FHeight = Bottom - FTop + 1;
    }

    TMemorySurface Checked(CellWidth, CellHeight, pg::clBlack);
    pg::DrawFrameControl(Checked.DC(), &Cell, pg::DFC_BUTTON,
                         pg::DFCS_BUTTONRADIOIMAGE | pg::DFCS_CHECKED | pg::DFCS_FLAT);
    const pg::COLORREF Text = pg::ColorToRGB(pg::clWindowText);
    FBullet = cxRadioButtonBulletBounds([&](int X, int Y) { return Checked.At(X, Y) == Text; },
                                        {CellWidth, CellHeight},
                                        {FLeft, FTop, FLeft + FWidth, FTop + FHeight});
}

void TcxRadioButtonImageList::BuildPixelClasses() {
    const int W = FWidth, H = FHeight;
    FPixelClasses.assign(static_cast<std::size_t>(W) * H, pcOutside);
    FMask = std::make_unique<TcxCustomBitmap>(std::max(W, 1), std::max(H, 1), pf1bit);
    if (W == 0 || H == 0) return;
    auto Class = [&](int X, int Y) -> unsigned char& { return FPixelClasses[Y * W + X]; };
    const auto LowerRight = [&](int X, int Y) { return (H - 1) * (W - 1 - X) < (W - 1) * Y; };

    // The outer ring: the outline of the ellipse through the whole glyph.
    {
        TMemorySurface Outline(W, H, pg::clWhite);
        pg::SelectObject(Outline.DC(), pg::GetStockObject(pg::WHITE_BRUSH));
        pg::SelectObject(Outline.DC(), pg::GetStockObject(pg::BLACK_PEN));
        pg::RoundRect(Outline.DC(), 0, 0, W, H, W - 1, H - 1);
        for (int Y = 0; Y < H; ++Y)
            for (int X = 0; X < W; ++X)
                if (Outline.At(X, Y) == 0)
                    Class(X, Y) = LowerRight(X, Y) ? pcOuterLowerRight : pcOuterUpperLeft;
    }
    // The interior: each row from the middle outward to the ring.
    for (int Y = 1; Y <= H - 2; ++Y) {
        for (int X = W / 2 - 1; X >= 0 && Class(X, Y) == pcOutside; --X)
            Class(X, Y) = pcInterior;
        for (int X = W / 2; X < W && Class(X, Y) == pcOutside; ++X)
            Class(X, Y) = pcInterior;
    }
    // The inner ring: the innermost pixel before the ring on each side of every row and column,
    // and the whole of the first and last row and column.
    const auto IsRing = [&](int X, int Y) {
        return Class(X, Y) == pcOuterUpperLeft || Class(X, Y) == pcOuterLowerRight;
    };
    const int CX = W / 2, CY = H / 2;
    const auto Mark = [&](int X, int Y) {
        if (IsRing(X, Y) || Class(X, Y) == pcOutside) return;
        const int A = (H - 1) * (W - 1 - X), B = (W - 1) * Y;
        Class(X, Y) = A == B  ? (X > CX ? pcInnerLowerRight : pcInnerUpperLeft)
                      : A < B ? pcInnerLowerRight
                              : pcInnerUpperLeft;
    };
    for (int Y = 1; Y <= H - 2; ++Y) {
        const bool Edge = Y == 1 || Y == H - 2;
        int X = CX;
        for (; X >= 0 && !IsRing(X, Y); --X)
            if (Edge) Mark(X, Y);
        if (X + 1 <= CX) Mark(X + 1, Y);
        X = CX;
        for (; X < W && !IsRing(X, Y); ++X)
            if (Edge) Mark(X, Y);
        if (X - 1 >= CX) Mark(X - 1, Y);
    }
    for (int X = 1; X <= W - 2; ++X) {
        const bool Edge = X == 1 || X == W - 2;
        int Y = CY;
        for (; Y >= 0 && !IsRing(X, Y); --Y)
            if (Edge) Mark(X, Y);
        if (Y + 1 <= CY) Mark(X, Y + 1);
        Y = CY;
        for (; Y < H && !IsRing(X, Y); ++Y)
            if (Edge) Mark(X, Y);
        if (Y - 1 >= CY) Mark(X, Y - 1);
    }
    // The bullet, in glyph coordinates.
    {
        TMemorySurface Bullet(W, H, pg::clWhite);
        pg::SelectObject(Bullet.DC(), pg::GetStockObject(pg::BLACK_BRUSH));
        pg::SelectObject(Bullet.DC(), pg::GetStockObject(pg::BLACK_PEN));
        pg::Ellipse(Bullet.DC(), FBullet.Left - FLeft, FBullet.Top - FTop, FBullet.Right - FLeft,
                    FBullet.Bottom - FTop);
        for (int Y = 0; Y < H; ++Y)
            for (int X = 0; X < W; ++X)
                if (Bullet.At(X, Y) == 0) Class(X, Y) = pcBullet;
    }
    // The mask: the filled disc is opaque (black), the corners transparent (white).
    TMemorySurface Disc(W, H, pg::clWhite);
    pg::SelectObject(Disc.DC(), pg::GetStockObject(pg::BLACK_BRUSH));
    pg::SelectObject(Disc.DC(), pg::GetStockObject(pg::BLACK_PEN));
    pg::Ellipse(Disc.DC(), 0, 0, W, H);
    std::vector<Pixel32> Mask(static_cast<std::size_t>(W) * H);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            Mask[Y * W + X] = Disc.At(X, Y) == 0 ? 0 : 0xFFFFFF;
    FMask->SetPixels(Mask);
}

void TcxRadioButtonImageList::BuildImages() {
    FIndexes.clear();
    if (FWidth == 0 || FHeight == 0) return;
    FImages->BeginUpdate();
    for (int Focused = 0; Focused <= 1; ++Focused)
        for (int Highlighted = 0; Highlighted <= 1; ++Highlighted)
            for (int Style = 0; Style <= 3; ++Style)
                for (int Checked = 0; Checked <= 1; ++Checked)
                    for (int State = cxbsNormal; State <= cxbsDisabled; ++State) {
                        const auto Colors =
                            ClassColors(Style, State, Checked, Focused, Highlighted);
                        std::array<Pixel32, 7> Pixels{};
                        for (std::size_t I = 0; I < Colors.size(); ++I)
                            Pixels[I] = pg::ColorToPixel(pg::ColorToRGB(Colors[I]));
                        std::vector<Pixel32> Image(FPixelClasses.size());
                        for (std::size_t I = 0; I < Image.size(); ++I)
                            Image[I] = Pixels[FPixelClasses[I]];
                        TcxBitmap Bitmap(FWidth, FHeight);
                        Bitmap.SetPixels(Image);
                        const int Index = FImages->Add(Bitmap, FMask.get());
                        const int Combination =
                            (State - 1) + 4 * Checked + 8 * Style + 32 * Highlighted + 64 * Focused;
                        if (static_cast<int>(FIndexes.size()) <= Combination)
                            FIndexes.resize(Combination + 1, -1);
                        FIndexes[Combination] = Index;
                    }
    FImages->EndUpdate();
}

void TcxRadioButtonImageList::Rebuild() {
    FImages->Clear();
    BuildImages();
}

int TcxRadioButtonImageList::ImageIndex(int ACombination) const {
    if (ACombination < 0 || ACombination >= static_cast<int>(FIndexes.size())) return -1;
    return FIndexes[ACombination];
}

void TcxRadioButtonImageList::Draw(TcxCanvas& ACanvas, int X, int Y, TcxLookAndFeelStyle AStyle,
                                   TcxButtonState AState, bool AChecked, bool AFocused,
                                   TColor ABrushColor, bool AIsHighlighted) const {
    const int Index = ImageIndex(
        cxRadioButtonCombinationIndex(AStyle, AState, AChecked, AFocused, AIsHighlighted));
    if (Index < 0) return;
    if (ABrushColor == pg::clDefault) {
        FImages->DoDraw(Index, ACanvas, X, Y);
        return;
    }
    TcxBitmap Square(FWidth, FHeight);
    Square.cxCanvas().FillRect(Square.GetClientRect(), pg::ColorToRGB(ABrushColor));
    FImages->DoDraw(Index, Square.cxCanvas(), 0, 0);
    ACanvas.Draw(X, Y, Square.Handle());
}

TcxRadioButtonImageList& cxRadioButtonImageList() {
    if (!TheList()) TheList() = std::make_unique<TcxRadioButtonImageList>();
    return *TheList();
}

bool cxRadioButtonImageListExists() {
    return TheList() != nullptr;
}

void cxFreeRadioButtonImageList() {
    TheList().reset();
}

void TSystemPaletteChangedNotifier::DoChanged() {
    if (cxRadioButtonImageListExists()) cxRadioButtonImageList().Rebuild();
    TcxSystemPaletteChangedNotifier::DoChanged();
}

} // namespace toolkit::base
