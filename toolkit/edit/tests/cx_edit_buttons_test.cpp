#include "toolkit/edit/cx_edit_buttons.h"

#include <gtest/gtest.h>

namespace toolkit::edit {
namespace {

using platform::forms::ssDouble;
using platform::forms::ssLeft;

TEST(EditButtons, AtMostOneButtonIsTheDefault) {
    TcxEditButtons Buttons(nullptr);
    Buttons.Add().SetDefault(true);
    Buttons.Add().SetDefault(true);
    EXPECT_FALSE(Buttons.Items(0).Default());
    EXPECT_TRUE(Buttons.Items(1).Default());
}

TEST(EditButtons, ANegativeWidthIsRefused) {
    TcxEditButtons Buttons(nullptr);
    int Changes = 0;
    Buttons.OnChange = [&](TcxEditButtons*, TcxEditButton*) { ++Changes; };
    TcxEditButton& Button = Buttons.Add();
    Changes = 0;
    Button.SetWidth(-3);
    EXPECT_EQ(Button.Width(), 0);
    EXPECT_EQ(Changes, 0);
    Button.SetWidth(14);
    Button.SetWidth(-1);
    EXPECT_EQ(Button.Width(), 14);
    EXPECT_EQ(Changes, 1);
}

TEST(EditButtons, VisibleCountSkipsHiddenButtons) {
    TcxEditButtons Buttons(nullptr);
    Buttons.Add();
    Buttons.Add().SetVisible(false);
    Buttons.Add();
    EXPECT_EQ(Buttons.VisibleCount(), 2);
}

TEST(EditButtons, AssignCopiesTheGlyphPixelsAndReportsOnce) {
    TcxEditButtons Source(nullptr);
    TcxEditButton& From = Source.Add();
    From.SetCaption("&Go");
    From.Glyph().SetSize(8, 6);
    From.SetKind(bkGlyph);
    TcxEditButtons Dest(nullptr);
    int Changes = 0;
    Dest.OnChange = [&](TcxEditButtons*, TcxEditButton* Item) {
        ++Changes;
        EXPECT_EQ(Item, nullptr);
    };
    Dest.Assign(&Source);
    EXPECT_EQ(Changes, 1);
    TcxEditButton& To = Dest.Items(0);
    EXPECT_EQ(To.VisibleCaption(), "Go");
    EXPECT_EQ(To.Kind(), bkGlyph);
    ASSERT_TRUE(To.HasGlyph());
    EXPECT_NE(&To.Glyph(), &From.Glyph());
    EXPECT_EQ(To.Glyph().Width(), 8);
    From.Glyph().SetSize(2, 2);
    EXPECT_EQ(To.Glyph().Width(), 8);
}

TcxEditButtonViewInfo ButtonAt(int Left, int Right, bool LeftAligned = false) {
    TcxEditButtonViewInfo B;
    B.Bounds = {Left, 0, Right, 20};
    B.VisibleBounds = B.Bounds;
    B.LeftAlignment = LeftAligned;
    return B;
}

TEST(EditButtonsStretch, TenPixelsOverFifteenAndTwentyGiveFiveAndFive) {
    // Right-aligned: the first button sits left of the second.
    std::vector<TcxEditButtonViewInfo> Buttons = {ButtonAt(55, 70), ButtonAt(70, 90)};
    cxStretchEditButtons(Buttons, 45, 10);
    EXPECT_EQ(Buttons[1].Bounds.Left, 65);
    EXPECT_EQ(Buttons[1].Bounds.Right, 90);
    EXPECT_EQ(Buttons[0].Bounds.Left, 45);
    EXPECT_EQ(Buttons[0].Bounds.Right, 65);
    EXPECT_EQ(Buttons[0].VisibleBounds.Left, 45);
}

TEST(EditButtonsStretch, LeftAlignedButtonsGrowToTheRight) {
    std::vector<TcxEditButtonViewInfo> Buttons = {ButtonAt(15, 35, true), ButtonAt(0, 15, true)};
    cxStretchEditButtons(Buttons, 45, 10);
    // The later button takes 10 * 15 / 35 = 4, the earlier the remaining 6.
    EXPECT_EQ(Buttons[1].Bounds.Left, 0);
    EXPECT_EQ(Buttons[1].Bounds.Right, 19);
    EXPECT_EQ(Buttons[0].Bounds.Right, 45);
    EXPECT_EQ(Buttons[0].Bounds.Left, Buttons[1].Bounds.Right);
}

TEST(EditButtonsStretch, NothingStretchableStretchesEveryButton) {
    std::vector<TcxEditButtonViewInfo> Buttons = {ButtonAt(80, 90), ButtonAt(90, 100)};
    for (auto& B : Buttons)
        B.Stretchable = false;
    cxStretchEditButtons(Buttons, 30, 10);
    EXPECT_EQ(Buttons[0].Bounds.Left, 70);
    EXPECT_EQ(Buttons[1].Bounds.Left, 85);
    cxStretchEditButtons(Buttons, 30, 0);
    EXPECT_EQ(Buttons[0].Bounds.Left, 70);
}

TEST(EditButtonsHidden, TransparencyRules) {
    struct Case {
        TcxEditButtonTransparency Transparency;
        bool Focused, Hot, Hidden;
    };
    const Case Cases[] = {
        {ebtHideInactive, false, false, true},   {ebtHideInactive, false, true, true},
        {ebtHideInactive, true, false, false},   {ebtHideUnselected, false, false, true},
        {ebtHideUnselected, false, true, false}, {ebtHideUnselected, true, false, false},
        {ebtNone, false, false, false},          {ebtAlways, false, false, false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << int(C.Transparency) << C.Focused << C.Hot);
        EXPECT_EQ(cxEditButtonsHidden(C.Transparency, C.Focused, C.Hot), C.Hidden);
    }
}

TEST(EditButtonViewInfoState, HotPressedReleasedOutsideNormal) {
    TcxEditButtonStateInput In;
    In.MouseInside = true;
    TcxEditButtonStateResult R = TcxEditButtonViewInfo::CalculateState(In);
    EXPECT_EQ(R.State, ebsSelected);
    EXPECT_TRUE(R.BecomesHotButton);

    In.PrevState = R.State;
    In.MouseButton = cxmbLeft;
    In.Shift = ssLeft;
    R = TcxEditButtonViewInfo::CalculateState(In);
    EXPECT_EQ(R.State, ebsPressed);
    EXPECT_TRUE(R.BecomesPressedButton);
    EXPECT_TRUE(R.ButtonPressed);

    // Dragged out with the button held: drawn normal.
    In.PrevState = R.State;
    In.MouseButton = cxmbNone;
    In.MouseInside = false;
    In.IsPressedButton = true;
    R = TcxEditButtonViewInfo::CalculateState(In);
    EXPECT_EQ(R.State, ebsNormal);

    // Back over it, still held: pressed again.
    In.PrevState = R.State;
    In.MouseInside = true;
    R = TcxEditButtonViewInfo::CalculateState(In);
    EXPECT_EQ(R.State, ebsPressed);

    // Released outside.
    In.PrevState = R.State;
    In.MouseInside = false;
    In.Shift = 0;
    In.IsPressedButton = false;
    R = TcxEditButtonViewInfo::CalculateState(In);
    EXPECT_EQ(R.State, ebsNormal);
    EXPECT_FALSE(R.ButtonPressed);
}

TEST(EditButtonViewInfoState, DisabledAndDoubleClick) {
    TcxEditButtonStateInput In;
    In.MouseInside = true;
    In.ButtonEnabled = false;
    EXPECT_EQ(TcxEditButtonViewInfo::CalculateState(In).State, ebsDisabled);
    In.ButtonEnabled = true;
    In.MouseButton = cxmbLeft;
    In.Shift = ssLeft | ssDouble;
    EXPECT_EQ(TcxEditButtonViewInfo::CalculateState(In).State, ebsPressed);
    // A button the view data refuses to press stays normal under the click.
    In.CanPress = false;
    EXPECT_EQ(TcxEditButtonViewInfo::CalculateState(In).State, ebsNormal);
}

TEST(EditButtonViewInfo, OnlyADrawnDifferenceNeedsAnUpdate) {
    TcxEditButtonViewInfo Old = ButtonAt(10, 30);
    TcxEditButtonViewInfo New;
    New.Assign(&Old);
    EXPECT_EQ(New.Bounds.Left, 10);
    EXPECT_TRUE(Old.GetUpdateRegion(New)->IsEmpty());
    New.State = ebsSelected;
    EXPECT_FALSE(Old.GetUpdateRegion(New)->IsEmpty());
}

TEST(EditButtonEllipsis, DotsAreOnePixelBelowTwelvePixels) {
    struct Case {
        int Width;
        bool Pressed;
        int DotSize, Left, Top;
    };
    const Case Cases[] = {
        {12, false, 2, 1, 9},
        {11, false, 1, 2, 9},
        {17, false, 2, 3, 9},
        {17, true, 2, 4, 10},
        // No room to move: the pattern stays.
        {7, true, 1, 0, 10},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Width);
        int DotSize = 0;
        const TRect Dots = cxGetEllipsisDotsRect({0, 0, C.Width, 20}, C.Pressed, DotSize);
        EXPECT_EQ(DotSize, C.DotSize);
        EXPECT_EQ(Dots.Right - Dots.Left, 3 * C.DotSize + 4);
        EXPECT_EQ(Dots.Left, C.Left);
        EXPECT_EQ(Dots.Top, C.Top);
    }
}

} // namespace
} // namespace toolkit::edit
