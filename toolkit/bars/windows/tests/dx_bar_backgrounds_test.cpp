// The looks a caller gives bars, as the windows show them: a toolbar's own colour and
// background bitmap and the manager's bar bitmap behind its items, a floating toolbar's alpha
// blending over what lies beneath, and the manager's sub-menu bitmap (or a popup menu's own)
// behind an open menu's rows.

#include "toolkit/bars/model/dx_bar_backgrounds.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"

#include "toolkit/base/office11.h"

#include "platform/forms/graphics.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace toolkit::bars {
namespace {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// A 7 x 5 bitmap whose every pixel differs from its neighbours (and from a system colour), so
// that a pixel tells where in the tile it lies.
void MakeTile(pf::TBitmap& Bitmap, int Blue) {
    Bitmap.SetSize(7, 5);
    for (int Y = 0; Y < 5; ++Y)
        for (int X = 0; X < 7; ++X)
            Bitmap.Canvas().SetPixel(X, Y, pg::RGB(20 + X * 30, 30 + Y * 40, Blue));
}

pg::COLORREF TilePixel(pf::TBitmap& Bitmap, pg::TPoint P) {
    const int X = ((P.X % Bitmap.Width()) + Bitmap.Width()) % Bitmap.Width();
    const int Y = ((P.Y % Bitmap.Height()) + Bitmap.Height()) % Bitmap.Height();
    return pg::ColorToRGB(Bitmap.Canvas().Pixel(X, Y));
}

const char* StyleName(TdxBarManagerStyle Style) {
    return Style == bmsStandard ? "Standard" : Style == bmsFlat ? "Flat" : "Office11";
}

class BackgroundsTest : public MenuFormFixture {
protected:
    BackgroundsTest() {
        pg::SetVisualStyleScheme(pg::VisualStyleScheme::Blue);
        toolkit::base::dxOffice11RefreshColors();
        MakeMainMenu();
        MakeToolbar();
        File = &Sub(Bar->ItemLinks(), "&File");
        Button(File->ItemLinks(), "&Open");
        Button(File->ItemLinks(), "&Save");
        Button(*Tools, "&New");
        Button(*Tools, "&Send");
        // Room right of the buttons.
        Tools->SetWholeRow(true);
    }

    TdxBarButton& Button(TdxBar& ABar, const std::string& Caption) {
        TdxBarButton& B = MenuFormFixture::Button(ABar.ItemLinks(), Caption);
        B.SetPaintStyle(psCaption);
        return B;
    }
    using MenuFormFixture::Button;
    TdxBarControl& ToolsWindow() { return *dynamic_cast<TdxBarControl*>(Tools->Control()); }
    // The mouse away from every bar, so that nothing is hot.
    void MouseAway() {
        Input.MoveTo(Form->ClientToScreen({600, 280}));
        testsupport::PumpUntilIdle();
    }

    TdxBarSubItem* File = nullptr;
};

// What the client area right of the toolbar's last button and a point inside its first
// (unhovered) button show: the bar's colour, the bar's bitmap tiled from the window's
// top-left corner, or the manager's bar bitmap tiled on across the dock site.
TEST_F(BackgroundsTest, AToolbarShowsItsColourOrBitmapBehindItsItems) {
    pf::TBitmap Own, Shared;
    MakeTile(Own, 200);
    MakeTile(Shared, 90);
    const pg::TColor Colour = pg::RGB(40, 160, 90);
    struct Case {
        const char* Look;
        std::function<void()> Give;
        std::function<pg::COLORREF(pg::TPoint)> Expected;
    };
    const Case Cases[] = {
        {"colour", [&] { Tools->SetColor(Colour); },
         [&](pg::TPoint) { return pg::RGB(40, 160, 90); }},
        {"own bitmap", [&] { Tools->BackgroundBitmap().Assign(Own); },
         [&](pg::TPoint P) {
             const pg::TPoint Client = ToolsWindow().ClientToScreen({0, 0});
             const pg::TPoint Origin = ToolsWindow().WindowToScreen({0, 0});
             return TilePixel(Own, {P.X + Client.X - Origin.X, P.Y + Client.Y - Origin.Y});
         }},
        {"manager's bitmap", [&] { Manager->Backgrounds()->SetBar(Shared); },
         [&](pg::TPoint P) {
             TdxDockControl& Site = *ToolsWindow().DockSite();
             return TilePixel(Shared, Site.ScreenToClient(ToolsWindow().ClientToScreen(P)));
         }},
    };
    for (const TdxBarManagerStyle Style : {bmsStandard, bmsFlat, bmsOffice11}) {
        for (const Case& C : Cases) {
            Manager->SetStyle(Style);
            ShowBars();
            C.Give();
            MouseAway();
            TdxBarControl& W = ToolsWindow();
            const pg::TRect Last = Tools->ItemLinks().Items(1)->ItemRect;
            const pg::TRect First = Tools->ItemLinks().Items(0)->ItemRect;
            const pg::TPoint Points[] = {{Last.Right + 4, (Last.Top + Last.Bottom) / 2},
                                         {Last.Right + 9, Last.Top + 1},
                                         {First.Left + 1, First.Top + 1}};
            for (const pg::TPoint P : Points)
                EXPECT_EQ(ClientPixel(W, P), C.Expected(P))
                    << StyleName(Style) << ", " << C.Look << " at " << P.X << "," << P.Y;
            Tools->SetColor(pg::clDefault);
            Tools->BackgroundBitmap().SetSize(0, 0);
            Manager->Backgrounds()->SetBar(pf::TBitmap{});
            Tools->SetVisible(false);
        }
    }
}

// A floating toolbar lets what lies beneath show through by its AlphaBlendValue; a docked one,
// and one at 255, is opaque.
TEST_F(BackgroundsTest, AFloatingToolbarIsBlendedByItsAlphaValue) {
    Form->SetColor(pg::RGB(250, 250, 250));
    Tools->SetDockingStyle(dsNone);
    Tools->SetFloatLeft(Form->ClientToScreen({200, 150}).X);
    Tools->SetFloatTop(Form->ClientToScreen({200, 150}).Y);
    Tools->SetColor(pg::RGB(0, 0, 200));
    ShowBars();
    struct Case {
        TdxBarDockingStyle Docking;
        std::uint8_t Alpha;
        bool Blended;
    };
    for (const Case C : {Case{dsNone, 128, true}, Case{dsNone, 255, false}, Case{dsTop, 128, false},
                         Case{dsNone, 60, true}}) {
        Tools->SetDockingStyle(C.Docking);
        Tools->SetAlphaBlendValue(C.Alpha);
        MouseAway();
        TdxBarControl& W = ToolsWindow();
        ASSERT_TRUE(pw::IsWindowVisible(W.Handle()));
        const pg::TRect First = Tools->ItemLinks().Items(0)->ItemRect;
        const pg::TPoint At{First.Left + 1, First.Top + 1};
        const pg::COLORREF Own = ClientPixel(W, At);
        ASSERT_EQ(Own, pg::RGB(0, 0, 200));
        const pg::COLORREF Seen = testsupport::ScreenPixel(W.ClientToScreen(At));
        if (!C.Blended) {
            EXPECT_EQ(Seen, Own) << int(C.Docking) << " " << int(C.Alpha);
            continue;
        }
        // The bar's blue over the form's near-white.
        const double A = C.Alpha / 255.0;
        EXPECT_NEAR(pg::GetRValue(Seen), 250 * (1 - A), 1) << int(C.Alpha);
        EXPECT_NEAR(pg::GetGValue(Seen), 250 * (1 - A), 1) << int(C.Alpha);
        EXPECT_NEAR(pg::GetBValue(Seen), 200 * A + 250 * (1 - A), 1) << int(C.Alpha);
    }
}

// The rows of an open menu and the room below them show the manager's sub-menu bitmap, tiled
// from the menu's client corner; a popup menu's own bitmap comes before it.
TEST_F(BackgroundsTest, AnOpenMenuShowsTheSubMenuBitmapBehindItsRows) {
    pf::TBitmap Shared, Own;
    MakeTile(Shared, 60);
    MakeTile(Own, 230);
    Manager->Backgrounds()->SetSubMenu(Shared);
    auto& Popup = Form->Own<TdxBarPopupMenu>();
    Popup.ReturnAtOnce = true;
    Button(Popup.ItemLinks(), "&Copy");
    Button(Popup.ItemLinks(), "&Paste");
    struct Case {
        const char* Menu;
        bool OwnBitmap;
    };
    for (const TdxBarManagerStyle Style : {bmsStandard, bmsFlat}) {
        Manager->SetStyle(Style);
        ShowMainMenu();
        for (const Case C : {Case{"File", false}, Case{"popup", false}, Case{"popup", true}}) {
            TdxBarItemLinks* Links = nullptr;
            if (std::string(C.Menu) == "File") {
                Input.MoveTo(CentreOf(Bar->ItemLinks(), 0));
                Input.Click(CentreOf(Bar->ItemLinks(), 0));
                Links = &File->ItemLinks();
            } else {
                if (C.OwnBitmap)
                    Popup.BackgroundBitmap().Assign(Own);
                else
                    Popup.BackgroundBitmap().SetSize(0, 0);
                Popup.Popup(Form->ClientToScreen({300, 120}).X, Form->ClientToScreen({300, 120}).Y);
                Links = &Popup.ItemLinks();
            }
            MouseAway();
            auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(Links->BarControl());
            ASSERT_NE(Menu, nullptr) << C.Menu;
            pf::TBitmap& Expected = C.OwnBitmap ? Own : Shared;
            const pg::TRect Row = Links->Items(1)->ItemRect;
            const pg::TPoint Points[] = {{Row.Right - 2, Row.Top + 1},
                                         {Row.Right - 3, (Row.Top + Row.Bottom) / 2},
                                         {Row.Left + 1, Row.Bottom - 2}};
            for (const pg::TPoint P : Points)
                EXPECT_EQ(ClientPixel(*Menu, P), TilePixel(Expected, P))
                    << StyleName(Style) << ", " << C.Menu << (C.OwnBitmap ? " (own)" : "") << " at "
                    << P.X << "," << P.Y;
            // A click outside closes it.
            Input.Click(Form->ClientToScreen({20, 200}));
            testsupport::PumpUntilIdle();
            ASSERT_EQ(Links->BarControl(), nullptr);
        }
    }
}

} // namespace
} // namespace toolkit::bars
