#include "toolkit/base/cx_look_and_feel_painters.h"

#include "toolkit/base/cx_lf_kind_painters.h"
#include "toolkit/base/cx_lf_painter_native.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/frame_controls.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/visual_styles.h"

#include <array>
#include <string_view>

namespace toolkit::base {

namespace pg = platform::gdi;

namespace {

TcxLookAndFeelPaintersUnit*& CurrentUnit() {
    static TcxLookAndFeelPaintersUnit* Unit = nullptr;
    return Unit;
}

// The indicator glyphs, 11 x 11, '#' black on white.
constexpr int GlyphSize = 11;
using TGlyph = std::array<std::string_view, GlyphSize>;
constexpr TGlyph IndicatorGlyphs[] = {
    {"...........", "...#.......", "...##......", "...###.....", "...####....", "...#####...",
     "...####....", "...###.....", "...##......", "...#.......", "..........."},
    {"...........", "..###.###..", ".....#.....", ".....#.....", ".....#.....", ".....#.....",
     ".....#.....", ".....#.....", ".....#.....", "..###.###..", "..........."},
    {"...........", ".....#.....", "..#..#..#..", "...#.#.#...", "....###....", "..#######..",
     "....###....", "...#.#.#...", "..#..#..#..", ".....#.....", "..........."},
    {"...........", "...........", "...........", "...........", "....###....", "....###....",
     "....###....", "...........", "...........", "...........", "..........."},
    {"...........", "#..........", "##.........", "###........", "####...###.", "#####..###.",
     "####...###.", "###........", "##.........", "#..........", "..........."},
    {"...........", ".#########.", "..#######..", "...#####...", "....###....", "....###....",
     "....###....", "....###....", "....##.....", "....#......", "..........."},
};

std::unique_ptr<platform::forms::TImageList> MakeIndicatorImages() {
    auto Images = std::make_unique<platform::forms::TImageList>(nullptr);
    Images->SetSize(GlyphSize, GlyphSize);
    for (const TGlyph& Glyph : IndicatorGlyphs) {
        platform::forms::TBitmap Bitmap;
        Bitmap.SetSize(GlyphSize, GlyphSize);
        pg::Surface& Pixels = *pg::BitmapSurface(Bitmap.Handle());
        for (int Y = 0; Y < GlyphSize; ++Y)
            for (int X = 0; X < GlyphSize; ++X)
                Pixels.SetPixel(X, Y, pg::ColorToPixel(Glyph[Y][X] == '#' ? 0 : 0xFFFFFF));
        Images->AddMasked(Bitmap, pg::clWhite);
    }
    return Images;
}

TcxLookAndFeelPainterClass PainterByKind(TcxLookAndFeelKind Kind) {
    switch (Kind) {
    case lfFlat:
        return cxFlatLookAndFeelPainter();
    case lfStandard:
        return cxStandardLookAndFeelPainter();
    case lfUltraFlat:
        return cxUltraFlatLookAndFeelPainter();
    case lfOffice11:
        return cxOffice11LookAndFeelPainter();
    }
    return cxStandardLookAndFeelPainter();
}

} // namespace

TcxLookAndFeelPaintersUnit::TcxLookAndFeelPaintersUnit()
    : FPrevious(CurrentUnit()), FPreviousLookup(cxLookAndFeelPainterLookup()),
      FPreviousImages(cxLookAndFeelPainterImages()) {
    FExtendedStylePainters = std::make_unique<TcxExtendedStylePainters>();
    FIndicatorImages = MakeIndicatorImages();
    RebuildHalftoneBitmaps();
    FPaletteNotifier = std::make_unique<TSystemPaletteChangedNotifier>();
    const HBITMAP CheckBoxes = pg::LoadSystemBitmap(pg::OBM_CHECKBOXES);
    pg::BITMAP Info;
    if (pg::GetObject(CheckBoxes, sizeof(Info), &Info) == sizeof(Info))
        FCheckButtonSize = {Info.bmWidth / 4, Info.bmHeight / 3};
    pg::DeleteObject(CheckBoxes);
    CurrentUnit() = this;

    TcxLookAndFeelPainterLookup Lookup;
    Lookup.PainterByKind = PainterByKind;
    Lookup.NativePainter = [] { return &TcxWinXPLookAndFeelPainter::Instance(); };
    Lookup.PainterByName = [](const std::string& Name, TcxLookAndFeelPainterClass& Painter) {
        return cxLookAndFeelPaintersUnit().ExtendedStylePainters().GetPainterByName(Name, Painter);
    };
    Lookup.AddSkinListener = [](TcxLookAndFeel* LookAndFeel) {
        cxLookAndFeelPaintersUnit().ExtendedStylePainters().AddListener(LookAndFeel);
    };
    Lookup.RemoveSkinListener = [](TcxLookAndFeel* LookAndFeel) {
        cxLookAndFeelPaintersUnit().ExtendedStylePainters().RemoveListener(LookAndFeel);
    };
    cxSetLookAndFeelPainterLookup(std::move(Lookup));

    TcxLookAndFeelPainterImages Images;
    Images.IndicatorImages = FIndicatorImages.get();
    Images.CheckButtonSize = FCheckButtonSize;
    Images.RadioButtonSize = [] { return cxRadioButtonImageList().Size(); };
    Images.DrawRadioButton = [](TcxCanvas& ACanvas, int X, int Y, TcxLookAndFeelStyle AStyle,
                                TcxButtonState AState, bool AChecked, bool AFocused,
                                TColor ABrushColor, bool AIsHighlighted) {
        cxRadioButtonImageList().Draw(ACanvas, X, Y, AStyle, AState, AChecked, AFocused,
                                      ABrushColor, AIsHighlighted);
    };
    cxSetLookAndFeelPainterImages(std::move(Images));
}

TcxLookAndFeelPaintersUnit::~TcxLookAndFeelPaintersUnit() {
    cxSetLookAndFeelPainterImages(FPreviousImages);
    cxSetLookAndFeelPainterLookup(FPreviousLookup);
    CurrentUnit() = FPrevious;
    cxFreeRadioButtonImageList();
    FPaletteNotifier.reset();
    FreeHalftoneBitmaps();
    FIndicatorImages.reset();
    FExtendedStylePainters.reset();
}

void TcxLookAndFeelPaintersUnit::RebuildHalftoneBitmaps() {
    FreeHalftoneBitmaps();
    FHalftoneBitmaps[0] = cxCreateHalftoneBitmap(0);
    FHalftoneBitmaps[1] = cxCreateHalftoneBitmap(1);
}

void TcxLookAndFeelPaintersUnit::FreeHalftoneBitmaps() {
    for (HBITMAP& Bitmap : FHalftoneBitmaps) {
        if (Bitmap != HBITMAP{}) pg::DeleteObject(Bitmap);
        Bitmap = HBITMAP{};
    }
}

TcxLookAndFeelPaintersUnit* cxLookAndFeelPaintersUnitAlive() {
    return CurrentUnit();
}

HBITMAP cxCreateHalftoneBitmap(int AIndex) {
    const bool Pressed = (AIndex & 1) != 0;
    const HBITMAP Bitmap = pg::CreateBitmap(8, 8, 1, 32, nullptr);
    pg::Surface& Pixels = *pg::BitmapSurface(Bitmap);
    const pg::Pixel32 Same =
        pg::ColorToPixel(pg::ColorToRGB(Pressed ? pg::clBlack : pg::clBtnFace));
    const pg::Pixel32 Other =
        pg::ColorToPixel(pg::ColorToRGB(Pressed ? pg::cl3DDkShadow : pg::clBtnHighlight));
    for (int Y = 0; Y < 8; ++Y)
        for (int X = 0; X < 8; ++X)
            Pixels.SetPixel(X, Y, (X % 2) == (Y % 2) ? Same : Other);
    return Bitmap;
}

TcxLookAndFeelPaintersUnit& cxLookAndFeelPaintersUnit() {
    if (TcxLookAndFeelPaintersUnit* Unit = CurrentUnit()) return *Unit;
    static TcxLookAndFeelPaintersUnit ProcessUnit;
    return ProcessUnit;
}

} // namespace toolkit::base
