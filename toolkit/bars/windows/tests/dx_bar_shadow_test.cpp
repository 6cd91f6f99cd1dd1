#include "toolkit/bars/windows/dx_bar_shadow.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/surface.h"
#include "platform/win/layered_windows.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

namespace toolkit::bars {

void PrintTo(const TdxBarShadowStrip& S, std::ostream* os) {
    *os << "{" << S.Bounds.Left << "," << S.Bounds.Top << "," << S.Bounds.Right << ","
        << S.Bounds.Bottom << (S.VerticalStrip ? " v" : " h") << " fades " << int(S.Fades) << "}";
}

namespace {

namespace pg = platform::gdi;
namespace pw = platform::win;
using TRect = pg::TRect;

struct ShadowCase {
    const char* name;
    TRect owner;
    TRect window;
    int size;
    std::vector<TdxBarShadowStrip> strips;
};

const ShadowCase kShadowCases[] = {
    {"a popup menu without an opening item: right strip fading in at the top, bottom strip "
     "fading at both ends",
     {},
     {100, 100, 300, 250},
     4,
     {{{104, 250, 304, 254}, false, dxsfStart | dxsfEnd}, {{300, 104, 304, 250}, true, dxsfTop}}},
    {"a menu under a narrower toolbar item: the item's right side, then the menu's",
     {100, 80, 150, 100},
     {100, 100, 300, 250},
     4,
     {{{150, 84, 154, 100}, true, dxsfTop},
      {{104, 250, 304, 254}, false, dxsfStart | dxsfEnd},
      {{300, 104, 304, 250}, true, dxsfTop}}},
    {"a menu under a wider item: a strip under the overhang, the right strip unfaded from the "
     "menu's top",
     {100, 80, 400, 100},
     {100, 100, 300, 250},
     4,
     {{{400, 84, 404, 100}, true, dxsfTop},
      {{104, 250, 304, 254}, false, dxsfStart | dxsfEnd},
      {{300, 100, 404, 104}, false, dxsfEnd},
      {{300, 100, 304, 250}, true, 0}}},
    {"a menu opened upwards: the item below, the menu above, mirrored",
     {100, 250, 150, 270},
     {100, 100, 300, 250},
     4,
     {{{300, 104, 304, 250}, true, dxsfTop},
      {{104, 270, 154, 274}, false, dxsfStart | dxsfEnd},
      {{150, 250, 304, 254}, false, dxsfEnd},
      {{150, 250, 154, 270}, true, 0}}},
    {"a sub-menu beside a menu row, the row taller than nothing below: strips right and below",
     {100, 100, 200, 120},
     {200, 96, 350, 200},
     4,
     {{{350, 100, 354, 200}, true, dxsfTop},
      {{104, 120, 200, 124}, false, dxsfStart},
      {{204, 200, 354, 204}, false, dxsfStart | dxsfEnd}}},
    {"a sub-menu opened to the left of its row that reaches below the menu",
     {350, 100, 450, 300},
     {200, 96, 350, 200},
     4,
     {{{450, 104, 454, 300}, true, dxsfTop},
      {{204, 200, 350, 204}, false, dxsfStart},
      {{354, 300, 454, 304}, false, dxsfStart | dxsfEnd}}},
    {"a window lower than S gets no faded strips",
     {},
     {100, 100, 300, 103},
     4,
     {{{104, 103, 304, 107}, false, dxsfStart | dxsfEnd}}},
    {"without layers the strips are 2 pixels thick",
     {},
     {100, 100, 300, 250},
     2,
     {{{102, 250, 302, 252}, false, dxsfStart | dxsfEnd}, {{300, 102, 302, 250}, true, dxsfTop}}},
};

class ShadowGeometryTest : public ::testing::TestWithParam<ShadowCase> {};

TEST_P(ShadowGeometryTest, StripsFollowTheOutlineOfTheItemAndTheWindow) {
    const ShadowCase& C = GetParam();
    EXPECT_EQ(dxBarShadowStrips(C.owner, C.window, C.size), C.strips) << C.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, ShadowGeometryTest, ::testing::ValuesIn(kShadowCases));

TEST(ShadowAlphaTest, FromSixtyNextToTheWindowToFifteenOutsideWithSoftenedEnds) {
    const TdxBarShadowStrip Right{{0, 0, 4, 50}, true, dxsfTop};
    EXPECT_EQ(dxBarShadowAlpha(Right, 0, 20, 4), 60);
    EXPECT_EQ(dxBarShadowAlpha(Right, 3, 20, 4), 15);
    // The top square fades in: one fifth at the end, four fifths one pixel before its edge.
    EXPECT_EQ(dxBarShadowAlpha(Right, 0, 0, 4), 12);
    EXPECT_EQ(dxBarShadowAlpha(Right, 0, 3, 4), 48);
    const TdxBarShadowStrip Bottom{{0, 0, 100, 4}, false, dxsfStart | dxsfEnd};
    EXPECT_EQ(dxBarShadowAlpha(Bottom, 50, 0, 4), 60);
    EXPECT_EQ(dxBarShadowAlpha(Bottom, 0, 0, 4), 12);
    EXPECT_EQ(dxBarShadowAlpha(Bottom, 99, 1, 4), 9);
}

// The main-menu bar of the menu fixture in the Office 2003 style: menus cast shadows.
class ShadowMenuTest : public MenuFormFixture {
protected:
    void Open(bool Composited) {
        pw::SetLayeredAlphaComposited(Composited);
        MakeMainMenu();
        Manager->SetStyle(bmsOffice11);
        File = &Sub(Bar->ItemLinks(), "&File");
        for (const char* Caption : {"&Open", "&Save", "E&xit"})
            Button(File->ItemLinks(), Caption);
        ShowMainMenu();
        Input.Click(CentreOf(Bar->ItemLinks(), 0));
        Menu = dynamic_cast<TdxBarSubMenuControl*>(BarWindow().SubMenuControl());
    }
    ~ShadowMenuTest() override { pw::SetLayeredAlphaComposited(std::nullopt); }
    TRect RectOf(pw::HWND Wnd) {
        TRect R{};
        pw::GetWindowRect(Wnd, &R);
        return R;
    }

    TdxBarSubItem* File = nullptr;
    TdxBarSubMenuControl* Menu = nullptr;
};

TEST_F(ShadowMenuTest, AnOpenMenuCastsTranslucentStripsAroundItselfAndItsItem) {
    Open(true);
    ASSERT_NE(Menu, nullptr);
    const TRect Item = BarWindow().GetItemScreenRect(Bar->ItemLinks().VisibleItems(0)->Control());
    const TRect W = RectOf(Menu->Handle());
    ASSERT_EQ(Item.Bottom, W.Top);
    TdxBarShadow& Shadow = Menu->Shadow();
    EXPECT_TRUE(Shadow.Visible());
    EXPECT_EQ(Shadow.OwnerRect(), Item);
    EXPECT_EQ(Shadow.WindowRect(), W);
    const auto Strips = dxBarShadowStrips(Item, W, 4);
    ASSERT_EQ(Shadow.PartCount(), static_cast<int>(Strips.size()));
    // The parts lie just below the menu in the z-order.
    std::vector<pw::HWND> Below;
    for (pw::HWND Next = pw::GetWindow(Menu->Handle(), pw::GW_HWNDNEXT);
         Next != pw::NullHWnd && Below.size() < Strips.size();
         Next = pw::GetWindow(Next, pw::GW_HWNDNEXT))
        Below.push_back(Next);
    for (int I = 0; I < Shadow.PartCount(); ++I) {
        const pw::HWND Part = Shadow.Parts(I)->Handle();
        EXPECT_TRUE(pw::IsWindowVisible(Part));
        EXPECT_EQ(RectOf(Part), Strips[static_cast<std::size_t>(I)].Bounds);
        EXPECT_NE(std::find(Below.begin(), Below.end(), Part), Below.end());
        // The mouse goes through it.
        const TRect R = RectOf(Part);
        EXPECT_NE(pw::WindowFromPoint({R.Left + 1, R.Top + 1}), Part);
    }
    // The right strip of the menu: 60 next to it, 15 at the outer edge.
    TdxBarShadowPart* Right = Shadow.Parts(Shadow.PartCount() - 1);
    ASSERT_TRUE(Right->VerticalStrip());
    auto Picture = pw::LayeredPicture(Right->Handle());
    ASSERT_NE(Picture, nullptr);
    EXPECT_EQ(Picture->Pixel(0, 20) >> 24, 60u);
    EXPECT_EQ(Picture->Pixel(3, 20) >> 24, 15u);
    EXPECT_EQ(Picture->Pixel(0, 20) & 0xFFFFFF, 0u);

    // Closing the menu takes its shadow along.
    std::vector<pw::HWND> Parts;
    for (int I = 0; I < Shadow.PartCount(); ++I)
        Parts.push_back(Shadow.Parts(I)->Handle());
    Input.Key(Qt::Key_Escape);
    Input.Key(Qt::Key_Escape);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(BarWindow().SubMenuControl(), nullptr);
    for (pw::HWND Part : Parts)
        EXPECT_FALSE(pw::IsWindowVisible(Part));
}

TEST_F(ShadowMenuTest, WithoutCompositingTheStripsAreSolidAndTwoPixelsThick) {
    Open(false);
    ASSERT_NE(Menu, nullptr);
    TdxBarShadow& Shadow = Menu->Shadow();
    ASSERT_GT(Shadow.PartCount(), 0);
    TdxBarShadowPart* Right = Shadow.Parts(Shadow.PartCount() - 1);
    const TRect R = RectOf(Right->Handle());
    EXPECT_EQ(R.Width(), 2);
    EXPECT_EQ(pw::LayeredPicture(Right->Handle()), nullptr);
    testsupport::PumpUntilIdle();
    auto Surface = pw::WindowSurface(Right->Handle());
    EXPECT_EQ(Surface->Pixel(1, R.Height() / 2) & 0xFFFFFF,
              pg::ColorToPixel(pg::GetSysColor(pg::COLOR_BTNSHADOW)) & 0xFFFFFF);
}

TEST_F(ShadowMenuTest, DockedToolbarsCastNone) {
    Open(true);
    EXPECT_FALSE(BarWindow().IsShadowVisible());
    EXPECT_EQ(BarWindow().Shadow().Visible(), false);
}

} // namespace
} // namespace toolkit::bars
