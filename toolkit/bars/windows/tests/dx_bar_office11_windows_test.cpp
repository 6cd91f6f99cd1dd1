// The Office 2003 look as the real windows paint it: the menus' glyph band running unbroken
// through rows and group separators, the separator line inside its strip and past the band,
// glyphs on the face the painter drew (the toolbar's gradient, the band), and the orange
// gradient of a hot toolbar button, light at the top. The pictures stay with
// QUINTARON_KEEP_TEST_FILES.

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/painters/dx_bar_painter.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "toolkit/base/office11.h"

#include "platform/forms/graphics.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace toolkit::bars {
namespace {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;
namespace tb = toolkit::base;

// A 16 x 16 glyph: a black square on the transparent colour (its bottom-left pixel).
void MakeGlyph(pf::TBitmap& Glyph) {
    Glyph.SetSize(16, 16);
    pg::TCanvas& C = Glyph.Canvas();
    for (int Y = 0; Y < 16; ++Y)
        for (int X = 0; X < 16; ++X)
            C.SetPixel(X, Y, X >= 5 && X < 11 && Y >= 5 && Y < 11 ? pg::clBlack : pg::clFuchsia);
}

int Distance(pg::COLORREF A, pg::TColor B) {
    const pg::COLORREF C = pg::ColorToRGB(B);
    return std::abs(pg::GetRValue(A) - pg::GetRValue(C)) +
           std::abs(pg::GetGValue(A) - pg::GetGValue(C)) +
           std::abs(pg::GetBValue(A) - pg::GetBValue(C));
}

class Office11WindowsTest : public MenuFormFixture {
protected:
    Office11WindowsTest() {
        MakeOffice11MainMenu();
        MakeGlyph(Glyph);
    }

    void Keep(TCustomdxBarControl& W, const std::string& Name) {
        testsupport::TempFolder Temp("office2003_windows_");
        ASSERT_TRUE(testsupport::SaveWindowPng(W.Handle(), Temp.PathOf(Name)));
    }

    pf::TBitmap Glyph;
};

// "&File" holds "&Open" (with a glyph), "&Save" and, after a group separator, "E&xit".
TEST_F(Office11WindowsTest, TheGlyphBandRunsThroughRowsGlyphCellsAndSeparators) {
    TdxBarSubItem& File = Sub(Bar->ItemLinks(), "&File");
    Button(File.ItemLinks(), "&Open").SetGlyph(Glyph);
    Button(File.ItemLinks(), "&Save");
    Button(File.ItemLinks(), "E&xit");
    File.ItemLinks().Items(2)->SetBeginGroup(true);
    ShowMainMenu();
    Input.MoveTo(CentreOf(Bar->ItemLinks(), 0));
    Input.Click(CentreOf(Bar->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(File.ItemLinks().BarControl());
    ASSERT_NE(Menu, nullptr);
    // Away from the rows: no selection.
    Input.MoveTo(Form->ClientToScreen({600, 250}));
    testsupport::PumpUntilIdle();
    Keep(*Menu, "file_menu.png");

    const pg::TRect Open = File.ItemLinks().Items(0)->ItemRect;
    const pg::TRect Save = File.ItemLinks().Items(1)->ItemRect;
    const pg::TRect Exit = File.ItemLinks().Items(2)->ItemRect;
    const pg::TRect Strip{Exit.Left, Exit.Top - Menu->GetSeparatorSize(), Exit.Right, Exit.Top};
    ASSERT_GE(Strip.Top, Save.Bottom);
    // The glyph column's last pixel: the band there in an item row and in the separator row
    // (above and below its line), and nothing of the menu's face.
    const int Edge = Open.Left + Open.Height() - 1;
    const pg::COLORREF Band = ClientPixel(*Menu, Edge, (Save.Top + Save.Bottom) / 2);
    EXPECT_GT(Distance(Band, tb::dxOffice11MenuColor()), 30) << "the band, not the menu face";
    EXPECT_EQ(ClientPixel(*Menu, Edge, Strip.Top), Band);
    EXPECT_EQ(ClientPixel(*Menu, Edge, Strip.Bottom - 1), Band);
    EXPECT_EQ(ClientPixel(*Menu, Edge, Open.Top + 1), Band);
    // The glyph sits on the band: the cell's corner beside the glyph is the band's colour there.
    EXPECT_EQ(ClientPixel(*Menu, Open.Left + 3, Open.Top + 3),
              ClientPixel(*Menu, Save.Left + 3, Save.Top + 3));
    EXPECT_EQ(ClientPixel(*Menu, Open.Left + 3, Open.Top + 3),
              ClientPixel(*Menu, Open.Left + 3, Strip.Top));
    // The separator line: one row inside the strip, from past the glyph column to the right.
    const pg::COLORREF Line = pg::ColorToRGB(tb::dxOffice11SeparatorColor());
    const int LineX = Edge + 9;
    int LineRow = -1;
    for (int Y = Save.Top; Y < Exit.Bottom; ++Y)
        if (ClientPixel(*Menu, LineX, Y) == Line) {
            EXPECT_EQ(LineRow, -1) << "one row only";
            LineRow = Y;
        }
    ASSERT_NE(LineRow, -1);
    EXPECT_GE(LineRow, Strip.Top);
    EXPECT_LT(LineRow, Strip.Bottom);
    EXPECT_NE(ClientPixel(*Menu, Edge, LineRow), Line) << "the band stays whole under the line";
    EXPECT_EQ(ClientPixel(*Menu, Exit.Right - 3, LineRow), Line);
}

// A toolbar button's glyph stands on the toolbar's own face; hot, the button takes the orange
// gradient from its light colour at the top to its dark colour at the bottom.
TEST_F(Office11WindowsTest, AToolbarButtonShowsTheBarsFaceAndHotTheOrangeGradientTopDown) {
    MakeToolbar();
    Button(Tools->ItemLinks(), "New").SetGlyph(Glyph);
    Button(Tools->ItemLinks(), "Open").SetGlyph(Glyph);
    ShowBars();
    auto& W = *dynamic_cast<TdxBarControl*>(Tools->Control());
    Input.MoveTo(Form->ClientToScreen({600, 250}));
    testsupport::PumpUntilIdle();
    const pg::TRect R = Tools->ItemLinks().Items(0)->ItemRect;
    pf::TBitmap Face;
    Face.SetSize(W.ClientWidth(), W.ClientHeight());
    W.FillBackground(Face.Canvas().Handle(), W.ClientRect());
    for (int Y = R.Top; Y < R.Bottom; ++Y)
        for (int X = R.Left; X < R.Left + 4; ++X)
            ASSERT_EQ(ClientPixel(W, X, Y), pg::ColorToRGB(Face.Canvas().Pixel(X, Y)))
                << "no tile under the glyph at " << X << "," << Y;

    Input.MoveTo(W.ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}));
    testsupport::PumpUntilIdle();
    ASSERT_EQ(W.SelectedControl(), Tools->ItemLinks().Items(0)->Control());
    Keep(W, "hot_button.png");
    const pg::COLORREF Top = ClientPixel(W, R.Left + 2, R.Top + 1);
    const pg::COLORREF Bottom = ClientPixel(W, R.Left + 2, R.Bottom - 2);
    EXPECT_NE(Top, Bottom);
    EXPECT_LT(Distance(Top, tb::dxOffice11HotGradientLight()),
              Distance(Top, tb::dxOffice11HotGradientDark()));
    EXPECT_LT(Distance(Bottom, tb::dxOffice11HotGradientDark()),
              Distance(Bottom, tb::dxOffice11HotGradientLight()));
    // The gradient runs under the glyph's transparent part too.
    EXPECT_EQ(ClientPixel(W, (R.Left + R.Right) / 2 - 7, R.Top + 4),
              ClientPixel(W, R.Left + 2, R.Top + 4));
}

} // namespace
} // namespace toolkit::bars
