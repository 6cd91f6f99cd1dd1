#include "platform/gdi/canvas.h"

#include "platform/gdi/tests/gdi_test_support.h"

namespace platform::gdi {
namespace {

using testing::Canvas32;

class CanvasTest : public ::testing::Test {
protected:
    CanvasTest() : engine_(std::make_unique<FakeFontEngine>()) { canvas_.SetHandle(surface_.DC()); }
    ~CanvasTest() override { canvas_.SetHandle(NullDC); }

    ScopedFontEngine engine_;
    Canvas32 surface_{8, 8};
    TCanvas canvas_;
};

TEST_F(CanvasTest, ShapesUseThePenAndBrush) {
    canvas_.Brush().SetColor(clRed);
    canvas_.Pen().SetColor(clBlue);
    canvas_.Rectangle(0, 0, 4, 3);
    EXPECT_EQ(surface_.Picture(0xFF0000).substr(0, 14), "####....|#..#.");
    EXPECT_EQ(surface_.At(1, 1), 0x0000FFu);
    canvas_.Brush().SetColor(clBtnFace);
    canvas_.FillRect({4, 4, 6, 6});
    EXPECT_EQ(surface_.At(5, 5), GetSysColor(COLOR_BTNFACE));
}

TEST_F(CanvasTest, RequireSelectsTheObjectsAndColoursForDirectDrawing) {
    canvas_.Brush().SetColor(clRed);
    canvas_.Brush().SetStyle(TBrushStyle::bsClear);
    canvas_.Font().SetColor(clBlue);
    canvas_.Require(TCanvas::BrushValid | TCanvas::FontValid);
    EXPECT_EQ(GetTextColor(surface_.DC()), 0xFF0000u);
    EXPECT_EQ(GetBkColor(surface_.DC()), 0x0000FFu);
    EXPECT_EQ(GetBkMode(surface_.DC()), TRANSPARENT);
    EXPECT_EQ(GetCurrentObject(surface_.DC(), OBJ_BRUSH), canvas_.Brush().Handle());
}

TEST_F(CanvasTest, PenModeXorAndPenPosition) {
    canvas_.Pen().SetColor(clWhite);
    canvas_.Pen().SetMode(TPenMode::pmXor);
    canvas_.MoveTo(0, 0);
    canvas_.LineTo(3, 0);
    EXPECT_EQ(canvas_.PenPos(), (TPoint{3, 0}));
    EXPECT_EQ(surface_.Picture(0).substr(0, 8), "###.....");
}

TEST_F(CanvasTest, ClearBrushDrawsTransparentTextAndTheFontColourIsTheTextColour) {
    canvas_.Font().SetHeight(-8);
    canvas_.Font().SetColor(clRed);
    canvas_.Brush().SetColor(clBlue);
    canvas_.TextOut(0, 0, "a");
    EXPECT_EQ(surface_.At(0, 0), 0xFF0000u); // opaque cell in the brush colour
    EXPECT_EQ(surface_.At(0, 1), 0x0000FFu);
    EXPECT_EQ(canvas_.PenPos(), (TPoint{4, 0}));
    surface_.Surf().Fill(0xFFFFFF);
    canvas_.Brush().SetStyle(TBrushStyle::bsClear);
    canvas_.TextOut(0, 0, "a");
    EXPECT_EQ(surface_.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(canvas_.TextExtent("abc"), (TSize{12, 8}));
}

TEST_F(CanvasTest, TextRectClipsAndFills) {
    canvas_.Font().SetHeight(-8);
    canvas_.Brush().SetColor(clLime);
    canvas_.TextRect({0, 0, 2, 8}, 0, 0, "ab");
    EXPECT_EQ(surface_.At(0, 0), 0x00FF00u);
    EXPECT_EQ(surface_.At(1, 1), 0u);
    EXPECT_EQ(surface_.At(2, 1), 0xFFFFFFu);
}

TEST_F(CanvasTest, HandlesAreKeptUntilAPropertyChanges) {
    HPEN first = canvas_.Pen().Handle();
    EXPECT_EQ(canvas_.Pen().Handle(), first);
    canvas_.Pen().SetColor(clBlack); // unchanged value
    EXPECT_EQ(canvas_.Pen().Handle(), first);
    canvas_.Pen().SetColor(clGray);
    EXPECT_NE(canvas_.Pen().Handle(), first);
    EXPECT_EQ(GetObjectType(first), 0);
}

TEST_F(CanvasTest, ChangeEventsSurroundEveryDrawingOperation) {
    std::string log;
    canvas_.OnChanging = [&](core::TObject*) { log += "<"; };
    canvas_.OnChange = [&](core::TObject*) { log += ">"; };
    canvas_.FillRect({0, 0, 1, 1});
    canvas_.MoveTo(1, 1);
    canvas_.LineTo(2, 2);
    EXPECT_EQ(log, "<><>");
    int fontChanges = 0;
    canvas_.Font().OnChange = [&](core::TObject*) { ++fontChanges; };
    canvas_.Font().SetStyle(fsBold);
    EXPECT_EQ(fontChanges, 1);
}

TEST_F(CanvasTest, CopyRectUsesTheCopyMode) {
    Canvas32 other(2, 1);
    TCanvas source;
    source.SetHandle(other.DC());
    other.Surf().Fill(0);
    canvas_.CopyRect({0, 0, 2, 1}, source, {0, 0, 2, 1});
    EXPECT_EQ(surface_.At(1, 0), 0u);
    canvas_.SetCopyMode(DSTINVERT);
    canvas_.CopyRect({0, 0, 1, 1}, source, {0, 0, 1, 1});
    EXPECT_EQ(surface_.At(0, 0), 0xFFFFFFu);
    source.SetHandle(NullDC);
}

TEST(Font, SizeAndHeightConvertAtTheScreensResolution) {
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(7);
    EXPECT_EQ(font.Height(), -9);
    TFont copy;
    copy.Assign(font);
    EXPECT_EQ(copy.Height(), -9);
}

// A canvas whose font takes a turned handle writes downwards, and so does a copy of that font
// whose size changed since: the turn belongs to the font, not to the one handle.
TEST_F(CanvasTest, AFontThatTookATurnedHandleKeepsTheTurnInCopiesAndAfterChanges) {
    auto InkBounds = [this] {
        TRect Ink{8, 8, 0, 0};
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if (surface_.At(x, y) == 0)
                    Ink = {std::min(Ink.Left, x), std::min(Ink.Top, y), std::max(Ink.Right, x + 1),
                           std::max(Ink.Bottom, y + 1)};
        return Ink;
    };
    canvas_.Font().SetHeight(-4);
    canvas_.Font().SetColor(clBlack);
    canvas_.Brush().SetStyle(TBrushStyle::bsClear);
    LOGFONT lf;
    GetObject(canvas_.Font().Handle(), sizeof lf, &lf);
    lf.lfEscapement = lf.lfOrientation = -900;
    canvas_.Font().SetHandle(CreateFontIndirect(lf));
    canvas_.TextOut(6, 0, "ab");
    // Cells 4 high, glyphs one pixel wide and two high: down the columns left of x = 6.
    EXPECT_EQ(InkBounds(), (TRect{3, 0, 5, 3}));

    TFont copy;
    copy.Assign(canvas_.Font());
    copy.SetHeight(-6);
    surface_.Surf().Fill(0xFFFFFF);
    canvas_.SetFont(copy);
    canvas_.TextOut(7, 0, "a");
    EXPECT_EQ(InkBounds(), (TRect{3, 0, 6, 2}));
}

TEST(Brush, AColourMakesAClearBrushSolid) {
    TBrush brush;
    brush.SetStyle(TBrushStyle::bsClear);
    brush.SetColor(clRed);
    EXPECT_EQ(brush.Style(), TBrushStyle::bsSolid);
}

} // namespace
} // namespace platform::gdi
