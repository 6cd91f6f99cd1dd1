#include "toolkit/bars/painters/dx_bar_painter_office11.h"

#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_painter_classes.h"
#include "toolkit/bars/painters/dx_bar_painter_xp.h"

#include "toolkit/base/office11.h"

#include "platform/core/component.h"
#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/visual_styles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;
using namespace toolkit::base;
using pg::COLORREF;
using pg::RGB;

// The blue palette's colours these tests look for.
constexpr COLORREF BarLight = RGB(221, 236, 254);
constexpr COLORREF BarBorder = RGB(59, 97, 156);
constexpr COLORREF BarCorner = RGB(123, 164, 224);
constexpr COLORREF DockStart = RGB(158, 190, 245);
constexpr COLORREF MenuFace = RGB(246, 246, 246);
constexpr COLORREF MenuBorder = RGB(0, 45, 150);
constexpr COLORREF SelectedBorder = RGB(0, 0, 128);
constexpr COLORREF HotLight = RGB(255, 244, 204);
constexpr COLORREF HotDark = RGB(255, 208, 145);
constexpr COLORREF DownLight = RGB(255, 211, 142);
constexpr COLORREF DownDark = RGB(254, 145, 78);
constexpr COLORREF Paper = RGB(1, 2, 3);

// A 32-bit bitmap in a memory context.
class Surface32 {
public:
    Surface32(int Width, int Height) {
        FBitmap = pg::CreateBitmap(Width, Height, 1, 32, nullptr);
        FDC = pg::CreateCompatibleDC(pg::NullDC);
        pg::SelectObject(FDC, FBitmap);
        pg::BitmapSurface(FBitmap)->Fill(pg::ColorToPixel(Paper));
    }
    ~Surface32() {
        pg::DeleteDC(FDC);
        pg::DeleteObject(FBitmap);
    }
    Surface32(const Surface32&) = delete;
    Surface32& operator=(const Surface32&) = delete;

    pg::HDC DC() const { return FDC; }
    COLORREF At(int X, int Y) const {
        return pg::PixelToColor(pg::BitmapSurface(FBitmap)->Pixel(X, Y) & 0xFFFFFF);
    }

private:
    pg::HBITMAP FBitmap{};
    pg::HDC FDC{};
};

// Within Tolerance on every channel: a gradient's second line lies one step from its end.
testing::AssertionResult Near(COLORREF Actual, COLORREF Expected, int Tolerance) {
    for (int Shift : {0, 8, 16}) {
        const int A = static_cast<int>((Actual >> Shift) & 0xFF);
        const int E = static_cast<int>((Expected >> Shift) & 0xFF);
        if (std::abs(A - E) > Tolerance)
            return testing::AssertionFailure() << std::hex << Actual << " is not near " << Expected;
    }
    return testing::AssertionSuccess();
}

COLORREF Rgb(pg::TColor C) {
    return pg::ColorToRGB(C);
}

class Office11BarPainter : public testing::Test {
protected:
    void SetUp() override {
        pg::SetVisualStyleScheme(pg::VisualStyleScheme::Blue);
        dxOffice11RefreshColors();
        dxOffice11InitColors();
    }
    void TearDown() override { dxOffice11ReleaseColors(); }

    const TdxBarItemControlOffice11Painter& Painter = TdxBarItemControlOffice11Painter::Instance();
};

TEST_F(Office11BarPainter, TheOffice2003StyleDrawsWithThisPainter) {
    EXPECT_EQ(&dxBarPainterOfStyle(4, false), &Painter);
    // Flat's offset and the button border: 1 + 2.
    EXPECT_EQ(Painter.GetDragGripOffset(),
              TdxBarItemControlFlatPainter::Instance().GetDragGripOffset() + 2);
    EXPECT_EQ(Painter.GetDragGripOffset(), 3);
}

// A 40 x 22 toolbar button; row 1 and row 20 lie inside the frame, one gradient step from
// the ends.
TEST_F(Office11BarPainter, ButtonFacesFollowTheState) {
    struct Case {
        const char* Name;
        bool Selected, Pressed, Down, Checked;
        COLORREF Top, Bottom, Frame;
    };
    const Case Cases[] = {
        {"hot", true, false, false, false, HotLight, HotDark, SelectedBorder},
        {"pressed while hot", true, true, false, false, DownDark, DownLight, SelectedBorder},
        {"checked, not hot", false, false, true, true, DownLight, DownDark, SelectedBorder},
        {"down, not checked", false, false, true, false, DownLight, DownDark, MenuBorder},
    };
    TdxBarControlState Bar;
    for (const Case& C : Cases) {
        Surface32 S(40, 22);
        TdxBarItemControlState Item;
        Item.Parent = &Bar;
        Item.CheckStyle = C.Checked;
        Item.Checked = C.Checked;
        TdxBarItemStates States;
        States.Selected = C.Selected;
        States.Pressed = C.Pressed;
        States.Down = C.Down;
        Painter.DrawGlyphFrame(Item, S.DC(), States, {0, 0, 40, 22}, true, dxOffice11MenuBrush());
        EXPECT_TRUE(Near(S.At(20, 1), C.Top, 4)) << C.Name;
        EXPECT_TRUE(Near(S.At(20, 20), C.Bottom, 4)) << C.Name;
        EXPECT_EQ(S.At(0, 10), C.Frame) << C.Name;
        EXPECT_EQ(S.At(39, 21), C.Frame) << C.Name;
    }
}

// Text is light only where the base painter uses the highlight-text colour (selected and not
// highlighted); a hot or open item, which the callers draw highlighted, keeps the normal text
// colour on the light selection faces. Text and its shadow are one colour: no embossing.
TEST_F(Office11BarPainter, TextIsLightOnlyWhereTheBaseUsesTheHighlightTextColour) {
    struct Case {
        bool Enabled, Selected, Highlight;
        pg::TColor Base, Office11;
    };
    const Case Cases[] = {
        {true, false, false, pg::clBtnText, dxOffice11TextColor()},
        {true, true, true, pg::clBtnText, dxOffice11TextColor()},
        {true, false, true, pg::clBtnText, dxOffice11TextColor()},
        {true, true, false, pg::clHighlightText, pg::clWhite},
        {false, true, true, pg::clGrayText, dxOffice11DisabledTextColor()},
        {false, false, false, pg::clBtnShadow, dxOffice11DisabledTextColor()},
    };
    // Flat keeps the base painter's colours.
    const TdxBarItemControlPainter& Base = TdxBarItemControlFlatPainter::Instance();
    TdxBarItemControlState Item;
    for (const Case& C : Cases) {
        const std::string Name = std::string(C.Enabled ? "enabled" : "disabled") +
                                 (C.Selected ? ", selected" : "") +
                                 (C.Highlight ? ", highlighted" : "");
        pg::TColor Emboss{}, Text{};
        Base.GetTextColors(Item, C.Enabled, C.Selected, C.Highlight, Emboss, Text);
        EXPECT_EQ(Text, C.Base) << Name;
        Painter.GetTextColors(Item, C.Enabled, C.Selected, C.Highlight, Emboss, Text);
        EXPECT_EQ(Rgb(Text), Rgb(C.Office11)) << Name;
        EXPECT_EQ(Emboss, Text) << Name;
    }
}

TEST_F(Office11BarPainter, AnUnstyledButtonInAMenuGetsNoFace) {
    Surface32 S(40, 22);
    TdxBarControlState Menu;
    Menu.Kind = bckSubMenu;
    TdxBarItemControlState Item;
    Item.Parent = &Menu;
    TdxBarItemStates States;
    States.PaintType = ptMenu;
    States.Selected = true;
    States.PlainMenuSelection = true;
    Painter.DrawGlyphFrame(Item, S.DC(), States, {0, 0, 40, 22}, true, dxOffice11SelectedBrush());
    EXPECT_EQ(S.At(0, 0), RGB(255, 238, 194));
    EXPECT_EQ(S.At(20, 10), RGB(255, 238, 194));
}

// A 100 x 26 toolbar docked at the top, without its mark: the near end rounds into the dock,
// the far edge carries the shadow line and the far corner rounds too.
TEST_F(Office11BarPainter, TheToolbarsEndsAndFarEdge) {
    Surface32 S(100, 26);
    TdxBarControlState Bar;
    Bar.Bar.ShowMark = false;
    Bar.Bar.CanDock = false;
    Painter.DrawDockedBarBackground(Bar, S.DC(), {0, 0, 100, 26});
    Painter.DrawBarBorder(Bar, S.DC(), {0, 0, 100, 26});
    const COLORREF CornerOnDock = Rgb(dxOffice11MixColors(RGB(158, 190, 245), BarCorner, 50));
    EXPECT_EQ(S.At(3, 23), BarCorner);
    EXPECT_EQ(S.At(2, 23), CornerOnDock);
    EXPECT_EQ(S.At(3, 24), CornerOnDock);
    EXPECT_EQ(S.At(98, 24), BarCorner);
    EXPECT_EQ(S.At(98, 25), CornerOnDock);
    EXPECT_EQ(S.At(99, 24), CornerOnDock);
    for (int X : {2, 50, 97})
        EXPECT_EQ(S.At(X, 25), BarBorder) << X;
    // The body keeps its gradient up to the line.
    EXPECT_NE(S.At(50, 24), BarBorder);
    EXPECT_EQ(CornerOnDock, Rgb(dxOffice11MixColors(DockStart, BarCorner, 50)));
}

TEST_F(Office11BarPainter, TheBorderLineStopsBeforeTheMark) {
    Surface32 S(100, 26);
    TdxBarControlState Bar;
    Bar.Bar.CanDock = false;
    Painter.DrawBarBorder(Bar, S.DC(), {0, 0, 100, 26});
    EXPECT_EQ(S.At(86, 25), BarBorder);
    EXPECT_NE(S.At(87, 25), BarBorder);
    // The mark's first column on the body side starts with the mark mid colour.
    EXPECT_EQ(S.At(88, 1), Rgb(dxOffice11MarkMidColors(0)));
}

TEST_F(Office11BarPainter, TheTwoStageGradientsMiddleColour) {
    // 26 rows less one at each side: 24 lines, the middle colour on the 13th (row 13), 41 % / 2
    // of the way from the light to the dark colour.
    Surface32 S(30, 26);
    TdxBarControlState Bar;
    Painter.DrawDockedBarBackground(Bar, S.DC(), {0, 0, 30, 26});
    EXPECT_EQ(S.At(10, 13), RGB(202, 222, 248));
    EXPECT_EQ(S.At(10, 1), BarLight);
    EXPECT_EQ(S.At(10, 0), Paper);
}

TEST_F(Office11BarPainter, TheOpenTopLevelItemJoinsItsMenu) {
    // The menu bar and its open item at (10, 0, 50, 22); the menu hangs below, its join strip
    // along its top under the item.
    TdxBarControlState MenuBar;
    MenuBar.Bar.IsMainMenu = true;
    TdxBarControlState Menu;
    Menu.Kind = bckSubMenu;
    Menu.Position = {10, 21};
    Menu.OwnerJoinRect = {1, 0, 39, 1};
    TdxBarItemControlState Item;
    Item.Parent = &MenuBar;
    Item.OpenMenu = &Menu;
    TdxBarItemStates States;
    States.Down = true;
    States.OpensMenu = true;

    Surface32 S(60, 22);
    const pg::TRect Cell{10, 0, 50, 22};
    Painter.DrawGlyphFrame(Item, S.DC(), States, Cell, true, dxOffice11MenuBrush());
    Painter.DrawOpenMenuButtonFrame(MenuBar, S.DC(), &Menu, &Item, Cell);
    // The face is the toolbar gradient, framed in the menu border colour.
    EXPECT_TRUE(Near(S.At(30, 1), BarLight, 4));
    EXPECT_EQ(S.At(10, 10), MenuBorder);
    EXPECT_EQ(S.At(30, 0), MenuBorder);
    EXPECT_EQ(S.At(10, 21), MenuBorder);
    // Where the menu joins the bottom edge there is no frame: the bar's dark end continues.
    EXPECT_EQ(S.At(30, 21), Rgb(dxOffice11BarGradientDark()));

    // The menu: its owner join strip in the menu face, and its left edge the light band colour.
    Surface32 M(80, 60);
    Painter.DrawSubMenuBorder(Menu, M.DC(), dxOffice11MenuBrush(), {0, 0, 80, 60});
    Painter.DrawOwnerJoin(Menu, M.DC());
    EXPECT_EQ(M.At(0, 30), BarLight);
    EXPECT_EQ(M.At(79, 30), MenuFace);
    EXPECT_EQ(M.At(60, 0), MenuFace);
    EXPECT_EQ(M.At(20, 0), MenuFace);
}

TEST_F(Office11BarPainter, TheMenuBandIsTheLightBarGradient) {
    Surface32 S(120, 22);
    TdxBarControlState Menu;
    Menu.Kind = bckSubMenu;
    Painter.DrawSubMenuBackground(Menu, S.DC(), {0, 0, 120, 22}, dxOffice11MenuBrush());
    EXPECT_EQ(S.At(0, 5), BarLight);
    EXPECT_EQ(S.At(100, 5), MenuFace);
    Menu.NonRecent = true;
    Painter.DrawSubMenuBackground(Menu, S.DC(), {0, 0, 120, 22}, dxOffice11MenuBrush());
    EXPECT_EQ(S.At(0, 5), Rgb(dxOffice11NonRecentBandLight()));
}

TEST_F(Office11BarPainter, SeparatorsAreEmbossed) {
    Surface32 S(6, 26);
    TdxBarControlState Bar;
    Painter.DrawToolbarSeparator(Bar, S.DC(), {0, 0, 6, 26}, false, dxOffice11MenuBrush());
    const int L = Painter.GetToolbarSeparatorOffset();
    EXPECT_EQ(S.At(L, 3), RGB(106, 140, 203));
    EXPECT_EQ(S.At(L, 2), Paper);
    EXPECT_EQ(S.At(L + 1, 4), RGB(241, 249, 255));
    EXPECT_EQ(S.At(L + 1, 3), Paper);
}

TEST_F(Office11BarPainter, TheFloatingBorderHasRoundedInnerCorners) {
    Surface32 S(30, 30);
    TdxBarControlState Bar;
    Bar.DockingStyle = dsNone;
    Painter.DrawFloatingBarBorder(Bar, S.DC(), {0, 0, 30, 30}, dxOffice11MenuBrush());
    EXPECT_EQ(S.At(0, 15), RGB(42, 102, 201));
    EXPECT_EQ(S.At(1, 15), RGB(42, 102, 201));
    EXPECT_EQ(S.At(2, 15), RGB(196, 219, 249));
    EXPECT_EQ(S.At(2, 2), RGB(42, 102, 201));
}

TEST_F(Office11BarPainter, AJoinStripIsTheToolbarGradientOnlyUnderAnOpenControl) {
    // The open item's own glyph frame leaves the join strip in the bar's dark end; a menu that no
    // control opened (a mark's) gets Flat's light face there instead.
    TdxBarControlState Toolbar;
    TdxBarControlState Menu;
    Menu.Kind = bckSubMenu;
    Menu.Position = {10, 21};
    Menu.OwnerJoinRect = {1, 0, 39, 1};
    TdxBarItemControlState Item;
    Item.Parent = &Toolbar;
    Item.OpenMenu = &Menu;
    TdxBarItemStates States;
    States.Down = true;
    States.OpensMenu = true;
    const pg::TRect Cell{10, 0, 50, 22};

    Surface32 Open(60, 22);
    Painter.DrawGlyphFrame(Item, Open.DC(), States, Cell, true, dxOffice11MenuBrush());
    EXPECT_EQ(Open.At(10, 21), MenuBorder);
    EXPECT_EQ(Open.At(30, 21), Rgb(dxOffice11BarGradientDark()));

    auto Root = std::make_unique<platform::core::TComponent>(nullptr);
    Toolbar.Manager = &Root->Own<platform::forms::TForm>().Own<TdxBarManager>();
    Surface32 Mark(60, 22);
    Painter.DrawEditButtonBackground(Toolbar, Mark.DC(), &Menu, Cell);
    EXPECT_EQ(Mark.At(10, 21), MenuBorder);
    EXPECT_EQ(Mark.At(30, 21), Rgb(dxOffice11ControlFillColor()));
    EXPECT_EQ(Mark.At(30, 10), Rgb(dxOffice11ControlFillColor()));
    Root.reset();
    platform::core::ProcessMessages();
}

TEST_F(Office11BarPainter, WhatOffice2003LeavesToFlatIsFlats) {
    const TdxBarItemControlFlatPainter& Flat = TdxBarItemControlFlatPainter::Instance();
    EXPECT_EQ(Painter.GetMenuSeparatorIndent(), 8);
    EXPECT_EQ(Painter.GetToolbarSeparatorSize(), 5);
    EXPECT_EQ(Painter.GetToolbarSeparatorOffset(), 2);
    EXPECT_EQ(Painter.GetDragGripAreaSize(), 3 + Painter.GetDragGripBarSize() + 2);
    EXPECT_EQ(Painter.GetDetachCaptionHeight(), Flat.GetDetachCaptionHeight());
    EXPECT_TRUE(Painter.IsHotTrackStyle());
    EXPECT_TRUE(Painter.HasSplitDropDownButton());
    int Width = 20;
    Painter.AdjustGlyphAreaWidth(Width);
    EXPECT_EQ(Width, 22);
    // Its own answers to Flat's operations.
    EXPECT_EQ(Painter.GetSeparatorBrush(), dxOffice11SeparatorBrush());
    EXPECT_EQ(Painter.GetBorderBrush(), dxOffice11MenuBorderBrush());
}

// With our stand-in no theme class opens, so the manager's visual-styles flag stays off and the
// operations Office 2003 hands to XP while it is on stay Flat's.
TEST_F(Office11BarPainter, CheckBoxesAndSizeGripsAreFlatsWhileTheManagerDrawsNoVisualStyles) {
    auto Root = std::make_unique<platform::core::TComponent>(nullptr);
    TdxBarManager& Manager = Root->Own<platform::forms::TForm>().Own<TdxBarManager>();
    ASSERT_FALSE(Manager.ThemesAvailable());
    const TdxBarItemControlFlatPainter& Flat = TdxBarItemControlFlatPainter::Instance();
    const TdxBarItemControlXPPainter& XP = TdxBarItemControlXPPainter::Instance();
    TdxBarControlState WithManager;
    WithManager.Manager = &Manager;
    TdxBarControlState WithoutManager;
    for (TdxBarControlState* Bar : {&WithManager, &WithoutManager}) {
        TdxBarItemControlState Box;
        Box.Parent = Bar;
        // Flat's check box is framed in button shadow; XP's is filled with button face.
        Surface32 Drawn(30, 20), AsXP(30, 20);
        pg::TRect R{0, 0, 30, 20};
        Painter.DrawPushButton(Box, Drawn.DC(), R, "OK", false);
        EXPECT_EQ(Drawn.At(0, 0), pg::GetSysColor(pg::COLOR_BTNSHADOW));
        EXPECT_EQ(Drawn.At(1, 1), pg::GetSysColor(pg::COLOR_BTNFACE));
        pg::TRect X{0, 0, 30, 20};
        XP.DrawPushButton(Box, AsXP.DC(), X, "OK", false);
        EXPECT_NE(AsXP.At(0, 0), Drawn.At(0, 0));
        EXPECT_EQ(Painter.GetSizeGripSize(*Bar), Flat.GetSizeGripSize(*Bar));
        EXPECT_EQ(Painter.GetSizeGripIndent(*Bar), Flat.GetSizeGripIndent(*Bar));
    }
    Root.reset();
    platform::core::ProcessMessages();
}

} // namespace
} // namespace toolkit::bars
