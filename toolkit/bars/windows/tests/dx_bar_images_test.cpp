// A toolkit image list serves the bar manager as its Images like any image list: the toolbar's
// buttons show its glyphs, with what the glyphs' masks leave out in the bar's own colour.

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/base/cx_image_list.h"

#include "platform/forms/graphics.h"
#include "platform/gdi/surface.h"
#include "platform/win/painting.h"

#include <gtest/gtest.h>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;
namespace pw = platform::win;

class BarImagesTest : public MenuFormFixture {
protected:
    // A square of Color inside a one-pixel frame that the list takes as transparent.
    void AddGlyph(pg::TColor Color) {
        platform::forms::TBitmap Glyph;
        Glyph.SetSize(16, 16);
        Glyph.Canvas().Brush().SetColor(pg::clFuchsia);
        Glyph.Canvas().FillRect({0, 0, 16, 16});
        Glyph.Canvas().Brush().SetColor(Color);
        Glyph.Canvas().FillRect({1, 1, 15, 15});
        Images.AddMasked(Glyph, pg::clFuchsia);
    }
    // A client pixel of the toolbar's window as the screen shows it.
    pg::COLORREF At(pg::TPoint Client) {
        TCustomdxBarControl& W = *dynamic_cast<TdxBarControl*>(Tools->Control());
        const pg::TPoint C = W.ClientToScreen({0, 0}), Origin = W.WindowToScreen({0, 0});
        return pg::PixelToColor(pw::WindowSurface(W.Handle())
                                    ->Pixel(Client.X + C.X - Origin.X, Client.Y + C.Y - Origin.Y) &
                                0xFFFFFF);
    }

    toolkit::base::TcxImageList& Images = Form->Own<toolkit::base::TcxImageList>();
};

TEST_F(BarImagesTest, TheToolbarsButtonsShowTheGlyphsOfAToolkitImageList) {
    AddGlyph(pg::clRed);
    AddGlyph(pg::clBlue);
    MakeMainMenu();
    MakeToolbar();
    Manager->SetImages(&Images);
    Button(Tools->ItemLinks(), "Red").SetImageIndex(0);
    Button(Tools->ItemLinks(), "Blue").SetImageIndex(1);
    ShowBars();

    const pg::COLORREF Expected[] = {pg::RGB(255, 0, 0), pg::RGB(0, 0, 255)};
    for (int Index = 0; Index < 2; ++Index) {
        const pg::TRect R = Tools->ItemLinks().VisibleItems(Index)->ItemRect;
        const pg::TPoint Centre{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
        EXPECT_EQ(At(Centre), Expected[Index]) << Index;
        // The glyph is 14 pixels of colour in a transparent frame: nowhere on the button is
        // the frame's colour, and its colour ends within the glyph's 16 pixels.
        int Coloured = 0;
        for (int X = R.Left; X < R.Right; ++X) {
            const pg::COLORREF C = At({X, Centre.Y});
            EXPECT_NE(C, pg::RGB(255, 0, 255)) << Index << " at " << X;
            Coloured += C == Expected[Index];
        }
        EXPECT_EQ(Coloured, 14) << Index;
    }
}

} // namespace
} // namespace toolkit::bars
