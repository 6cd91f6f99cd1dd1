// A menu's side strip and a popup menu's own font, as the open menu shows them: BarSize widens
// the menu by a strip at its left, which the owner's OnPaintBar paints (a popup menu's or a
// sub-item's) and right of which the rows stand; a popup menu with a font of its own measures
// and draws its rows in it.

#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/windows/dx_bar_popup_menu.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/objects.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// The rows and columns of a row's rectangle that hold caption ink.
struct TInk {
    int Top = 0x7FFF, Bottom = -1, Left = 0x7FFF, Right = -1;
    int Height() const { return Bottom < Top ? 0 : Bottom - Top + 1; }
};
const pg::COLORREF kStrip = pg::RGB(200, 40, 40);

class MenuSideStripTest : public MenuFormFixture {
protected:
    MenuSideStripTest() {
        MakeMainMenu();
        Manager->SetStyle(bmsStandard);
        File = &Sub(Bar->ItemLinks(), "&File");
        Button(File->ItemLinks(), "&Open");
        Button(File->ItemLinks(), "&Save");
        Popup = &Form->Own<TdxBarPopupMenu>();
        Popup->ReturnAtOnce = true;
        Button(Popup->ItemLinks(), "&Copy");
        Button(Popup->ItemLinks(), "&Paste");
        ShowMainMenu();
    }

    // Opens a menu: "File" from the main menu, or the popup menu at a point.
    TdxBarSubMenuControl* Open(const std::string& Which) {
        if (Which == "File") {
            Input.MoveTo(CentreOf(Bar->ItemLinks(), 0));
            Input.Click(CentreOf(Bar->ItemLinks(), 0));
        } else {
            const pg::TPoint At = Form->ClientToScreen({200, 100});
            Popup->Popup(At.X, At.Y);
        }
        testsupport::PumpUntilIdle();
        TdxBarItemLinks& Links = Which == "File" ? File->ItemLinks() : Popup->ItemLinks();
        return dynamic_cast<TdxBarSubMenuControl*>(Links.BarControl());
    }
    void CloseMenus() {
        Input.Click(Form->ClientToScreen({20, 200}));
        testsupport::PumpUntilIdle();
    }

    // The rows and columns of R that hold caption ink.
    static TInk InkOf(TCustomdxBarControl& W, const pg::TRect& R) {
        TInk Ink;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                if (IsInk(ClientPixel(W, X, Y))) {
                    Ink.Top = std::min(Ink.Top, Y);
                    Ink.Bottom = std::max(Ink.Bottom, Y);
                    Ink.Left = std::min(Ink.Left, X);
                    Ink.Right = std::max(Ink.Right, X);
                }
        return Ink;
    }

    TdxBarSubItem* File = nullptr;
    TdxBarPopupMenu* Popup = nullptr;
};

// For the popup menu and for a sub-item's menu alike: the owner's OnPaintBar paints the strip
// it is given (BarSize wide, inside the border, the window's height), the menu is wider by
// BarSize and its rows begin BarSize further right.
TEST_F(MenuSideStripTest, TheOwnerPaintsTheStripAndTheRowsStandRightOfIt) {
    struct TCall {
        pc::TObject* Sender;
        pg::TRect R;
    };
    std::vector<TCall> Calls;
    auto Paint = [&](pc::TObject* Sender, pf::TCanvas& Canvas, const pg::TRect& R) {
        Calls.push_back({Sender, R});
        const pg::HBRUSH Brush = pg::CreateSolidBrush(kStrip);
        pg::FillRect(Canvas.Handle(), &R, Brush);
        pg::DeleteObject(Brush);
    };
    Popup->OnPaintBar = Paint;
    File->OnPaintBar = Paint;
    for (const std::string Which : {"popup", "File"}) {
        TdxBarItemLinks& Links = Which == "File" ? File->ItemLinks() : Popup->ItemLinks();
        TdxBarSubMenuControl* Plain = Open(Which);
        ASSERT_NE(Plain, nullptr) << Which;
        const int PlainWidth = Plain->Width();
        const int PlainLeft = Links.Items(0)->ItemRect.Left;
        CloseMenus();
        EXPECT_TRUE(Calls.empty()) << Which << ": no strip, nothing to paint";

        Popup->SetBarSize(24);
        File->SetBarSize(24);
        TdxBarSubMenuControl* Menu = Open(Which);
        ASSERT_NE(Menu, nullptr) << Which;
        EXPECT_EQ(Menu->Width(), PlainWidth + 24) << Which;
        EXPECT_EQ(Links.Items(0)->ItemRect.Left, PlainLeft + 24) << Which;
        EXPECT_EQ(Links.Items(1)->ItemRect.Left, PlainLeft + 24) << Which;
        ASSERT_FALSE(Calls.empty()) << Which;
        const TCall Last = Calls.back();
        EXPECT_EQ(Last.Sender, Which == "File" ? static_cast<pc::TObject*>(File)
                                               : static_cast<pc::TObject*>(Popup));
        const pg::TRect Client = Menu->ClientRect();
        EXPECT_EQ(Last.R, (pg::TRect{1, 1, 25, Client.Bottom - 1})) << Which;
        EXPECT_LT(Last.R.Right, Links.Items(0)->ItemRect.Left);
        for (const pg::TPoint P : {pg::TPoint{1, 1}, pg::TPoint{24, Client.Bottom - 2},
                                   pg::TPoint{12, Client.Bottom / 2}})
            EXPECT_EQ(ClientPixel(*Menu, P.X, P.Y), kStrip) << Which << " " << P.X << "," << P.Y;
        // The rows' captions stand clear of it.
        EXPECT_GT(InkOf(*Menu, Links.Items(0)->ItemRect).Left, Last.R.Right) << Which;
        CloseMenus();
        Popup->SetBarSize(0);
        File->SetBarSize(0);
        Calls.clear();
    }
}

// A popup menu whose font is changed uses it: its captions' ink is taller than in the manager's
// font and still whole in the wider menu; turning UseOwnFont off takes the manager's back.
TEST_F(MenuSideStripTest, APopupMenuDrawsItsRowsInItsOwnFont) {
    Button(Popup->ItemLinks(), "Paste &Special Contents");
    auto Caption = [&] {
        TdxBarSubMenuControl* Menu = Open("popup");
        EXPECT_NE(Menu, nullptr);
        if (Menu == nullptr) return std::pair<TInk, pg::TRect>{};
        const pg::TRect Row = Popup->ItemLinks().Items(2)->ItemRect;
        const TInk Ink = InkOf(*Menu, Row);
        CloseMenus();
        return std::pair{Ink, Row};
    };
    const auto [Plain, PlainRow] = Caption();
    ASSERT_GT(Plain.Height(), 0);

    EXPECT_FALSE(Popup->UseOwnFont());
    Popup->Font().SetSize(Manager->Font().Size() * 2);
    EXPECT_TRUE(Popup->UseOwnFont());
    const auto [Large, LargeRow] = Caption();
    EXPECT_GE(Large.Height(), Plain.Height() * 3 / 2);
    EXPECT_GT(LargeRow.Height(), PlainRow.Height());
    EXPECT_GT(LargeRow.Width(), PlainRow.Width());
    EXPECT_GE(Large.Top, LargeRow.Top);
    EXPECT_LT(Large.Bottom, LargeRow.Bottom);
    EXPECT_GE(Large.Right - Large.Left, (Plain.Right - Plain.Left) * 3 / 2);
    EXPECT_LT(Large.Right, LargeRow.Right - LargeRow.Height())
        << "the caption is measured in the font it is drawn in";

    Popup->SetUseOwnFont(false);
    const auto [Back, BackRow] = Caption();
    EXPECT_EQ(Back.Height(), Plain.Height());
    EXPECT_EQ(BackRow, PlainRow);
}

} // namespace
} // namespace toolkit::bars
