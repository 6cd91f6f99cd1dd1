#include "toolkit/bars/customizing/dx_bar_customizing_form_painters.h"

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_combo.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/base/office11.h"
#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/forms/forms.h"
#include "platform/gdi/drawing.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
using toolkit::base::testing_support::ClassicColors;
using toolkit::base::testing_support::TestSurface;

constexpr pg::COLORREF Red = pg::RGB(255, 0, 0);
constexpr pg::COLORREF Green = pg::RGB(0, 255, 0);
constexpr int W = 200;
constexpr int H = 22;

pg::COLORREF Rgb(pg::TColor Color) {
    return pg::ColorToRGB(Color);
}

// Items of one form drawn by the painters in the classic colours on a 200 x 22 row.
class CustomizingFormPainterTest : public ::testing::Test {
protected:
    CustomizingFormPainterTest() : FRoot(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &FRoot->Own<pf::TForm>();
        Manager = &Form->Own<TdxBarManager>();
    }
    TdxBarButton& Button(TdxBarButtonStyle Style = bsDefault, bool Glyph = false) {
        auto& B = Form->Own<TdxBarButton>();
        B.SetButtonStyle(Style);
        if (Glyph) {
            // Red, with the bottom-left pixel (the transparent colour) green.
            B.Glyph().SetSize(16, 16);
            B.Glyph().Canvas().Brush().SetColor(Red);
            B.Glyph().Canvas().FillRect({0, 0, 16, 16});
            B.Glyph().Canvas().SetPixel(0, 15, Green);
        }
        return B;
    }
    void DrawRow(const TdxBarCustomizingFormPainter& Painter, TdxBarItem& Item, bool Selected) {
        Painter.DrawCommandRow(Surface.Canvas(), {0, 0, W, H}, Selected, "Cmd", &Item);
    }

    ClassicColors Classic;
    TdxBarUnit Unit;
    std::unique_ptr<pc::TComponent> FRoot;
    pf::TForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
    TestSurface Surface{W, H};
    const TdxBarCustomizingFormPainter& Standard = TdxBarCustomizingFormStandardPainter::Instance();
};

TEST_F(CustomizingFormPainterTest, ASelectedRowWithoutAGlyphIsHighlightedAcrossTheGlyphColumn) {
    DrawRow(Standard, Button(), true);
    const pg::COLORREF Highlight = Rgb(pg::clHighlight);
    for (const int X : {0, 5, 11, 22, 23, 24, 100, W - 1})
        EXPECT_EQ(Surface.At(X, 3), Highlight) << "x " << X;
}

TEST_F(CustomizingFormPainterTest, ASelectedRowWithAGlyphKeepsTheColumnFaceColouredAndRaisesIt) {
    DrawRow(Standard, Button(bsDefault, true), true);
    // The raised inner edge: light at the top and left, shadow at the bottom and right.
    EXPECT_EQ(Surface.At(0, 10), Rgb(pg::clBtnHighlight));
    EXPECT_EQ(Surface.At(10, 0), Rgb(pg::clBtnHighlight));
    EXPECT_EQ(Surface.At(22, 10), Rgb(pg::clBtnShadow));
    EXPECT_EQ(Surface.At(10, H - 1), Rgb(pg::clBtnShadow));
    // Inside the edge the face colour around the centred 16 x 16 glyph (3..19, 3..19).
    EXPECT_EQ(Surface.At(2, 2), Rgb(pg::clBtnFace));
    EXPECT_EQ(Surface.At(11, 11), Red);
    EXPECT_EQ(Surface.At(3, 3), Red);
    EXPECT_EQ(Surface.At(20, 11), Rgb(pg::clBtnFace));
    // The caption's part is highlighted.
    EXPECT_EQ(Surface.At(100, 3), Rgb(pg::clHighlight));
}

TEST_F(CustomizingFormPainterTest, AnUnselectedRowIsFaceColouredWithItsGlyphFlat) {
    DrawRow(Standard, Button(bsDefault, true), false);
    EXPECT_EQ(Surface.At(0, 10), Rgb(pg::clBtnFace));
    EXPECT_EQ(Surface.At(22, 10), Rgb(pg::clBtnFace));
    EXPECT_EQ(Surface.At(11, 11), Red);
    EXPECT_EQ(Surface.At(100, 3), Rgb(pg::clBtnFace));
}

TEST_F(CustomizingFormPainterTest, ADropDownButtonShowsAThirteenPixelArrowPart) {
    struct Case {
        bool selected;
        pg::TColor textPart;   // just left of the arrow part
        pg::TColor partEdge;   // the part's left column
        pg::TColor partInside; // inside the part, away from the arrow
    };
    for (const Case& C : {Case{false, pg::clBtnFace, pg::clBtnShadow, pg::clBtnFace},
                          Case{true, pg::clHighlight, pg::clBtnHighlight, pg::clBtnFace}}) {
        SCOPED_TRACE(C.selected ? "selected" : "not selected");
        Surface.Pixels().Fill(pg::ColorToPixel(pg::RGB(1, 2, 3)));
        DrawRow(Standard, Button(bsDropDown), C.selected);
        EXPECT_EQ(Surface.At(W - 14, 3), Rgb(C.textPart));
        EXPECT_EQ(Surface.At(W - 13, 10), Rgb(C.partEdge));
        EXPECT_EQ(Surface.At(W - 4, 3), Rgb(C.partInside));
        // The arrow: a triangle from (right - 9, top + 7) pointing right, in the button text.
        const pg::COLORREF Text = Rgb(pg::clBtnText);
        EXPECT_EQ(Surface.At(W - 9, 7), Text);
        EXPECT_EQ(Surface.At(W - 9, 13), Text);
        EXPECT_EQ(Surface.At(W - 6, 10), Text);
        EXPECT_EQ(Surface.At(W - 10, 10), Rgb(C.partInside));
    }
}

TEST_F(CustomizingFormPainterTest, ASubItemGetsTheArrowWithoutAPart) {
    auto& Sub = Form->Own<TdxBarSubItem>();
    DrawRow(Standard, Sub, false);
    EXPECT_EQ(Surface.At(W - 13, 10), Rgb(pg::clBtnFace));
    EXPECT_EQ(Surface.At(W - 9, 10), Rgb(pg::clBtnText));
}

TEST_F(CustomizingFormPainterTest, AnEditRowShowsItsCaptionThenAWhiteBoxAndAComboItsButton) {
    auto& Edit = Form->Own<TdxBarEdit>();
    auto& Combo = Form->Own<TdxBarCombo>();
    for (TdxBarItem* Item : std::vector<TdxBarItem*>{&Edit, &Combo}) {
        Surface.Pixels().Fill(pg::ColorToPixel(pg::RGB(1, 2, 3)));
        Standard.DrawEditRow(Surface.Canvas(), {0, 0, W, H}, false, "Cmd", Item);
        EXPECT_EQ(Surface.At(1, 1), Rgb(pg::clBtnFace));
        EXPECT_EQ(Surface.At(W / 2, H / 2), Rgb(pg::clWindow));
        // The combo's button is face-coloured with a dark arrow; the edit's box goes on.
        const bool IsCombo = Item == &Combo;
        EXPECT_EQ(Surface.At(W - 4, 3), Rgb(IsCombo ? pg::clBtnFace : pg::clWindow));
    }
}

TEST_F(CustomizingFormPainterTest, FocusRectanglesOfTheStandardAndXPPainters) {
    auto& B = Button();
    auto& Edit = Form->Own<TdxBarEdit>();
    struct Case {
        const TdxBarCustomizingFormPainter* painter;
        TdxBarItem* item;
        int left, top; // the focus rectangle's first dotted pixel
    };
    const auto& XP = TdxBarCustomizingFormXPPainter::Instance();
    for (const Case& C :
         {Case{&Standard, &B, 2, 2}, Case{&XP, &B, 24, 0}, Case{&XP, &Edit, 0, 0}}) {
        Surface.Pixels().Fill(pg::ColorToPixel(pg::clWhite));
        C.painter->DrawFocus(Surface.Canvas(), {0, 0, W, H}, C.item);
        EXPECT_NE(Surface.At(C.left, C.top), pg::clWhite);
        if (C.left > 0) {
            EXPECT_EQ(Surface.At(C.left - 1, C.top + 2), pg::clWhite);
        }
    }
}

TEST_F(CustomizingFormPainterTest, ThePainterMatchesTheManagersStyle) {
    struct Case {
        TdxBarManagerStyle style;
        const TdxBarCustomizingFormPainter* painter;
    };
    for (const Case& C : {Case{bmsStandard, &Standard}, Case{bmsEnhanced, &Standard},
                          Case{bmsFlat, &TdxBarCustomizingFormFlatPainter::Instance()},
                          Case{bmsOffice11, &TdxBarCustomizingFormOffice11Painter::Instance()}}) {
        Manager->SetStyle(C.style);
        EXPECT_EQ(dxBarCustomizingFormPainter(*Manager), C.painter) << C.style;
    }
}

TEST_F(CustomizingFormPainterTest, TheFlatStylesTakeTheirRowColours) {
    auto& B = Button();
    const auto& Flat = TdxBarCustomizingFormFlatPainter::Instance();
    EXPECT_EQ(Flat.GetRowColor(false, &B), pg::clWindow);
    EXPECT_EQ(Flat.GetRowColor(true, &B), Manager->GetFlatSelectedColor());
    DrawRow(Flat, B, true);
    EXPECT_EQ(Surface.At(5, 10), Rgb(Manager->GetFlatSelectedColor()));
    const auto& Office11 = TdxBarCustomizingFormOffice11Painter::Instance();
    EXPECT_EQ(Office11.GetRowColor(false, &B), toolkit::base::dxOffice11MenuColor());
    EXPECT_EQ(Office11.GetRowColor(true, &B), toolkit::base::dxOffice11SelectedColor());
}

} // namespace
} // namespace toolkit::bars
