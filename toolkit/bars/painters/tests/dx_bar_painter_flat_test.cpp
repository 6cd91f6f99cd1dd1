#include "toolkit/bars/painters/dx_bar_painter_flat.h"

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_painter_classes.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/dx_bar_painter_office11.h"
#include "toolkit/bars/painters/dx_bar_painter_standard.h"
#include "toolkit/bars/painters/tests/dx_bar_painter_fixture.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/core/message_loop.h"
#include "platform/core/window_handle.h"
#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/text_out.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pg = platform::gdi;
using testing_support::Sys;
using toolkit::base::testing_support::TestSurface;

const pg::COLORREF Blank = pg::RGB(1, 2, 3);

pg::COLORREF BrushColor(pg::HBRUSH Brush) {
    pg::LOGBRUSH LB{};
    pg::GetObject(Brush, sizeof(LB), &LB);
    return pg::ColorToRGB(LB.lbColor);
}

// Flat, with the bar's background fill painting the given brush, so that the parts a body
// leaves to the bar window show.
class TFlatWithBarFill : public TdxBarItemControlFlatPainter {
public:
    static const TFlatWithBarFill& Instance() {
        static const TFlatWithBarFill instance;
        return instance;
    }
    void FillBarBackground(const Bar&, HDC DC, const TRect& R, HBRUSH Brush) const override {
        pg::FillRect(DC, &R, Brush);
    }
};

class FlatPainterTest : public testing_support::BarPainterFixture {
protected:
    FlatPainterTest() {
        Manager->RefreshColors();
        Toolbar.Manager = Manager;
        Toolbar.DockingStyle = dsTop;
        Toolbar.BkBrush = pg::GetSysColorBrush(pg::COLOR_WINDOW);
        Menu.Manager = Manager;
        Menu.Kind = bckSubMenu;
        Menu.BkBrush = pg::GetSysColorBrush(pg::COLOR_WINDOW);
        Button.Parent = &Toolbar;
    }

    const TdxBarItemControlFlatPainter& Flat = TdxBarItemControlFlatPainter::Instance();
    TdxBarControlState Toolbar;
    TdxBarControlState Menu;
    TdxBarItemControlState Button;
};

TEST_F(FlatPainterTest, TheFlatStyleIsDrawnByThisPainter) {
    EXPECT_EQ(&dxBarPainterOfStyle(2, false), &Flat);
    EXPECT_EQ(&Flat.ClassType(), &TdxBarItemControlFlatPainterClassRef());
}

// Flat whose pressed glyph moves 2 pixels: Flat has no offset of its own, so only this shows
// its glyph body following the place DrawGlyph works out.
class TFlatPressedByTwo : public TdxBarItemControlFlatPainter {
public:
    int GetPressedGlyphOffset(const Item&, bool) const override { return 2; }
};

// The glyph lands where DrawGlyph put it: scaled to a menu cell by the reference glyph size,
// moved by the painter's pressed offset on a toolbar.
TEST_F(FlatPainterTest, TheGlyphIsDrawnWhereDrawGlyphPutsIt) {
    platform::forms::TBitmap Glyph;
    testing_support::MakeMarkedGlyph(Glyph);
    TdxBarButton& Item = Form->Own<TdxBarButton>();
    Item.SetGlyph(Glyph);
    Button.Item = &Item;
    Menu.ReferenceGlyphSize = 10;
    static const TFlatPressedByTwo PressedByTwo;
    // The mark's place unpressed: a 20 x 20 menu cell, or a toolbar cell of the manager's
    // button width in a 30-pixel row.
    const int ToolbarLeft = (Manager->ButtonWidth() - 4) / 2 + 1, ToolbarTop = 14;
    struct {
        const TdxBarItemControlPainter* Painter;
        bool InMenu, Scale, Pressed;
        int Left, Top, Size;
    } const Cases[] = {
        {&Flat, true, false, false, 9, 9, 1},
        {&Flat, true, true, false, 8, 8, 2},
        {&Flat, false, false, false, ToolbarLeft, ToolbarTop, 1},
        {&Flat, false, false, true, ToolbarLeft, ToolbarTop, 1},
        {&PressedByTwo, false, false, true, ToolbarLeft + 2, ToolbarTop + 2, 1},
    };
    for (const auto& C : Cases) {
        TestSurface S(30, 30);
        TdxBarControlState& Window = C.InMenu ? Menu : Toolbar;
        Window.Canvas = &S.Canvas();
        Window.ScaleMenuGlyphs = C.Scale;
        Button.Parent = &Window;
        TdxBarItemStates St;
        St.PaintType = C.InMenu ? ptMenu : ptHorz;
        St.Pressed = C.Pressed;
        C.Painter->DrawGlyph(Button, C.InMenu ? pg::TRect{0, 0, 20, 20} : pg::TRect{0, 0, 30, 30},
                             St);
        const testing_support::GlyphMarkSpot Spot = testing_support::FindGlyphMark(S);
        const int Case = static_cast<int>(&C - Cases);
        EXPECT_EQ(Spot.Count, C.Size * C.Size) << Case;
        EXPECT_EQ(Spot.Left, C.Left) << Case;
        EXPECT_EQ(Spot.Top, C.Top) << Case;
    }
}

TEST_F(FlatPainterTest, TheToolbarSeparatorIsTheMiddlePixelOfFive) {
    const TFlatWithBarFill& Painter = TFlatWithBarFill::Instance();
    EXPECT_EQ(Painter.GetToolbarSeparatorSize(), 5);
    const pg::HBRUSH Face = pg::GetSysColorBrush(pg::COLOR_BTNFACE);
    const std::initializer_list<std::pair<char, pg::COLORREF>> Key{{'b', Sys(pg::COLOR_BTNFACE)},
                                                                   {'s', Sys(pg::COLOR_BTNSHADOW)}};
    {
        // Between two buttons of a horizontal toolbar: a vertical line.
        TestSurface Surface(5, 8, Blank);
        Painter.DrawToolbarSeparator(Toolbar, Surface.DC(), {0, 0, 5, 8}, false, Face);
        for (int Y = 0; Y < 8; ++Y)
            EXPECT_EQ(Surface.Row(Y, Key), "bbsbb") << Y;
    }
    {
        // Across a vertical toolbar: a horizontal line in the middle row.
        TestSurface Surface(8, 5, Blank);
        Painter.DrawToolbarSeparator(Toolbar, Surface.DC(), {0, 0, 8, 5}, true, Face);
        EXPECT_EQ(Surface.Row(0, Key), "bbbbbbbb");
        EXPECT_EQ(Surface.Row(1, Key), "bbbbbbbb");
        EXPECT_EQ(Surface.Row(2, Key), "ssssssss");
        EXPECT_EQ(Surface.Row(3, Key), "bbbbbbbb");
        EXPECT_EQ(Surface.Row(4, Key), "bbbbbbbb");
    }
}

TEST_F(FlatPainterTest, TheDragGripIsStripedFromItsFirstPixel) {
    // The grip is GetDragGripOffset (1) inside the frame and the corner pixels (2), three
    // pixels thick, and three pixels short of the bar's sides.
    struct Case {
        TdxBarDockingStyle Docking;
        bool AlongRows;
    };
    for (const Case C :
         {Case{dsTop, true}, Case{dsBottom, true}, Case{dsLeft, false}, Case{dsNone, false}}) {
        Toolbar.DockingStyle = C.Docking;
        TestSurface Surface(22, 22, Blank);
        Flat.DrawBarBorder(Toolbar, Surface.DC(), {0, 0, 22, 22});
        EXPECT_EQ(Surface.At(0, 0), Sys(pg::COLOR_BTNFACE));
        EXPECT_EQ(Surface.At(1, 1), Sys(pg::COLOR_BTNFACE));
        EXPECT_EQ(Surface.At(20, 20), Sys(pg::COLOR_BTNFACE));
        // Stripe k of the grip lies k pixels along from its first line at 5.
        for (int K = -1; K <= 12; ++K) {
            for (int Across = 3; Across < 6; ++Across) {
                const int X = C.AlongRows ? Across : 5 + K;
                const int Y = C.AlongRows ? 5 + K : Across;
                pg::COLORREF Expected = Blank;
                if (K >= 0 && K < 12)
                    Expected = K % 2 == 0 ? Sys(pg::COLOR_BTNSHADOW) : Sys(pg::COLOR_WINDOW);
                EXPECT_EQ(Surface.At(X, Y), Expected) << C.Docking << " stripe " << K;
            }
        }
        EXPECT_EQ(Surface.At(C.AlongRows ? 6 : 5, C.AlongRows ? 5 : 6), Blank) << C.Docking;
    }
}

TEST_F(FlatPainterTest, ABarThatCannotDockHasNoGrip) {
    Toolbar.Bar.CanDock = false;
    TestSurface Surface(22, 22, Blank);
    Flat.DrawBarBorder(Toolbar, Surface.DC(), {0, 0, 22, 22});
    EXPECT_EQ(Surface.At(0, 0), Sys(pg::COLOR_BTNFACE));
    for (int Y = 2; Y < 20; ++Y)
        for (int X = 2; X < 20; ++X)
            ASSERT_EQ(Surface.At(X, Y), Blank) << X << "," << Y;
}

TEST_F(FlatPainterTest, ASplitButtonsArrowPartHasNoFrameWhileItsMenuIsOpen) {
    // The arrow part 10..21 starts one pixel left, on the button part's right frame line.
    const pg::TRect Part{10, 0, 21, 22};
    const pg::COLORREF Highlight = Sys(pg::COLOR_HIGHLIGHT);
    {
        TdxBarItemStates S;
        S.Selected = true;
        TestSurface Surface(24, 22, Blank);
        Flat.DrawDropDownButton(Button, Surface.DC(), Part, S, false);
        EXPECT_EQ(Surface.At(9, 0), Highlight);
        EXPECT_EQ(Surface.At(9, 21), Highlight);
        EXPECT_EQ(Surface.At(20, 11), Highlight);
        // A selected part's face is the hot face its combo colours give, painted outright.
        EXPECT_EQ(Surface.At(10, 11), BrushColor(Manager->FlatBrush(4)));
        // The arrow (9..21 wide: size 3) is button text, centred.
        EXPECT_EQ(Surface.At(14, 10), Sys(pg::COLOR_BTNTEXT));
    }
    {
        // Open: neither frame nor face; only the arrow, still button text.
        TdxBarItemStates S;
        S.Selected = true;
        S.DroppedDown = true;
        TestSurface Surface(24, 22, Blank);
        Flat.DrawDropDownButton(Button, Surface.DC(), Part, S, false);
        const pg::COLORREF Arrow = Sys(pg::COLOR_BTNTEXT);
        for (int Y = 0; Y < 22; ++Y)
            for (int X = 9; X < 21; ++X)
                if (Surface.At(X, Y) != Arrow) {
                    ASSERT_EQ(Surface.At(X, Y), Blank) << X << "," << Y;
                }
        EXPECT_EQ(Surface.At(14, 10), Arrow);
        for (int X = 9; X < 21; ++X) {
            EXPECT_EQ(Surface.At(X, 0), Blank) << X;
            EXPECT_EQ(Surface.At(X, 21), Blank) << X;
        }
        for (int Y = 0; Y < 22; ++Y) {
            EXPECT_EQ(Surface.At(9, Y), Blank) << Y;
            EXPECT_EQ(Surface.At(20, Y), Blank) << Y;
        }
    }
    {
        // In a menu the open menu's arrow part keeps its frame: button shadow when not hot.
        TdxBarItemControlState InMenu;
        InMenu.Parent = &Menu;
        TdxBarItemStates S;
        S.PaintType = ptMenu;
        S.DroppedDown = true;
        TestSurface Surface(24, 22, Blank);
        Flat.DrawDropDownButton(InMenu, Surface.DC(), Part, S, true);
        EXPECT_EQ(Surface.At(9, 0), Blank);
        EXPECT_EQ(Surface.At(10, 0), Sys(pg::COLOR_BTNSHADOW));
        EXPECT_EQ(Surface.At(20, 21), Sys(pg::COLOR_BTNSHADOW));
    }
}

TEST_F(FlatPainterTest, TheGlyphCellFaceFollowsTheStateWords) {
    struct Case {
        bool Selected, Pressed, Down, OpensMenu, Plain;
        TdxBarPaintType Kind;
        pg::HBRUSH Expected;
        const char* Name;
    };
    const pg::HBRUSH Light = Manager->FlatBrush(1);
    const pg::HBRUSH DownBrush = Manager->FlatBrush(2);
    const pg::HBRUSH DownSelected = Manager->FlatBrush(3);
    const pg::HBRUSH SelectedBrush = Manager->FlatBrush(4);
    const Case Cases[] = {
        {false, false, false, false, false, ptHorz, Toolbar.BkBrush, "plain on a toolbar"},
        {false, false, false, false, false, ptMenu, Light, "plain in a menu"},
        {false, false, false, false, true, ptMenu, Toolbar.BkBrush, "plain menu selection"},
        {false, false, true, false, false, ptHorz, DownBrush, "down"},
        {true, false, false, false, false, ptHorz, SelectedBrush, "hot"},
        {true, true, false, false, false, ptHorz, DownSelected, "hot and pressed"},
        {true, false, true, false, false, ptHorz, DownSelected, "hot and down"},
        {true, false, true, true, false, ptHorz, Light, "its menu open"},
    };
    for (const Case& C : Cases) {
        TdxBarItemStates S;
        S.Selected = C.Selected;
        S.Pressed = C.Pressed;
        S.Down = C.Down;
        S.OpensMenu = C.OpensMenu;
        S.PlainMenuSelection = C.Plain;
        S.PaintType = C.Kind;
        EXPECT_EQ(Flat.GetGlyphCellBrush(Button, S), C.Expected) << C.Name;
    }
    // The manager's flat brushes are its blends of the system colours.
    EXPECT_EQ(BrushColor(SelectedBrush), pg::ColorToRGB(Manager->GetFlatSelectedColor()));
    EXPECT_EQ(BrushColor(Light), pg::ColorToRGB(Manager->GetLightFaceColor()));
}

TEST_F(FlatPainterTest, TheDetachStripHasA33PixelGripTurningDarkWhileHot) {
    for (const bool Hot : {false, true}) {
        Menu.DetachSelected = Hot;
        TestSurface Surface(41, 7, Blank);
        Flat.FillDetachCaption(Menu, Surface.DC(), {0, 0, 41, 7});
        const pg::COLORREF Stripe = Sys(Hot ? pg::COLOR_BTNTEXT : pg::COLOR_BTNSHADOW);
        const pg::COLORREF Face = BrushColor(Hot ? Manager->FlatBrush(4) : Manager->FlatBrush(1));
        const std::string Grip = std::string(4, 'f') + std::string(33, 's') + std::string(4, 'f');
        const std::string Plain(41, 'f');
        const std::initializer_list<std::pair<char, pg::COLORREF>> Key{{'f', Face}, {'s', Stripe}};
        // Hot: a highlight frame, the face one pixel inside; stripes on every second row.
        if (Hot) {
            EXPECT_EQ(Surface.At(0, 0), Sys(pg::COLOR_HIGHLIGHT));
            EXPECT_EQ(Surface.Row(2, Key).substr(1, 39), Grip.substr(1, 39));
            EXPECT_EQ(Surface.Row(3, Key).substr(1, 39), Plain.substr(1, 39));
            EXPECT_EQ(Surface.Row(4, Key).substr(1, 39), Grip.substr(1, 39));
        } else {
            EXPECT_EQ(Surface.Row(0, Key), Plain);
            EXPECT_EQ(Surface.Row(1, Key), Grip);
            EXPECT_EQ(Surface.Row(2, Key), Plain);
            EXPECT_EQ(Surface.Row(3, Key), Grip);
            EXPECT_EQ(Surface.Row(5, Key), Grip);
            EXPECT_EQ(Surface.Row(6, Key), Plain);
        }
    }
}

TEST_F(FlatPainterTest, TheSelectionFrameTurnsHighlightTextOnABlackDesktop) {
    {
        TestSurface Surface(6, 6, Blank);
        Flat.FrameSelectedRect(Surface.DC(), {0, 0, 6, 6});
        EXPECT_EQ(Surface.At(0, 5), Sys(pg::COLOR_HIGHLIGHT));
        EXPECT_EQ(Surface.At(1, 1), Blank);
    }
    const int Index = pg::COLOR_BTNFACE;
    const pg::COLORREF Black = pg::RGB(0, 0, 0);
    pg::SetSysColors(1, &Index, &Black);
    TestSurface Surface(6, 6, Blank);
    Flat.FrameSelectedRect(Surface.DC(), {0, 0, 6, 6});
    EXPECT_EQ(Surface.At(0, 5), Sys(pg::COLOR_HIGHLIGHTTEXT));
    EXPECT_NE(Sys(pg::COLOR_HIGHLIGHTTEXT), Sys(pg::COLOR_HIGHLIGHT));
}

TEST_F(FlatPainterTest, ANotSelectedComboButtonKeepsItsHighlightEdges) {
    Toolbar.ComboButtonWidth = 11;
    TdxBarItemStates S;
    TestSurface Surface(40, 20, Blank);
    Flat.DrawComboButton(Button, Surface.DC(), false, {0, 0, 40, 20}, S);
    const pg::COLORREF Edge = Sys(pg::COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(Surface.At(28, 10), Edge) << "the column between text and button";
    EXPECT_EQ(Surface.At(29, 0), Edge);
    EXPECT_EQ(Surface.At(39, 19), Edge);
    // K shrunk to (30, 1, 39, 19): the bar's background face round a 5-pixel button-text arrow
    // whose top row is 9 and whose tip is (34, 11).
    EXPECT_EQ(Surface.At(31, 5), Sys(pg::COLOR_WINDOW)) << "the face, the bar's background";
    EXPECT_EQ(Surface.At(34, 10), Sys(pg::COLOR_BTNTEXT)) << "the arrow";
    EXPECT_EQ(Surface.At(32, 9), Sys(pg::COLOR_BTNTEXT));
    EXPECT_EQ(Surface.At(34, 12), Sys(pg::COLOR_WINDOW)) << "below the tip";
    EXPECT_EQ(Surface.At(27, 10), Blank);

    S.Selected = true;
    TestSurface Hot(40, 20, Blank);
    Flat.DrawComboButton(Button, Hot.DC(), false, {0, 1, 40, 19}, S);
    EXPECT_EQ(Hot.At(28, 10), Sys(pg::COLOR_HIGHLIGHT)) << "one pixel outside the button";
    EXPECT_EQ(Hot.At(29, 10), BrushColor(Manager->FlatBrush(4)));
}

TEST_F(FlatPainterTest, MetricsOfTheFlatLook) {
    EXPECT_EQ(Flat.GetToolbarSeparatorOffset(), 2);
    EXPECT_EQ(Flat.GetDragGripAreaSize(), 6);
    EXPECT_EQ(Flat.GetButtonArrowWidth(*Manager), Manager->ButtonArrowWidth() - 1);
    EXPECT_EQ(Flat.GetDetachCaptionAreaSize(Menu), 6);
    struct ArrowCase {
        int Height, Size;
    };
    for (const ArrowCase C :
         {ArrowCase{19, 6}, ArrowCase{20, 8}, ArrowCase{14, 4}, ArrowCase{12, 4}, ArrowCase{10, 3}})
        EXPECT_EQ(Flat.GetSubMenuArrowSize(C.Height), C.Size) << C.Height;
    // Docked marks are 11 pixels deep at the far end.
    Toolbar.ClientRect = {0, 0, 200, 26};
    EXPECT_EQ(Flat.CalcMarkRect(Toolbar), (pg::TRect{189, 0, 200, 26}));
    Toolbar.DockingStyle = dsRight;
    Toolbar.ClientRect = {0, 0, 26, 200};
    EXPECT_EQ(Flat.CalcMarkRect(Toolbar), (pg::TRect{0, 189, 26, 200}));
}

TEST_F(FlatPainterTest, AnEditCaptionEndsFivePixelsBeforeItsEditPart) {
    const TFlatWithBarFill& Painter = TFlatWithBarFill::Instance();
    auto& Item = FRoot->Own<TdxBarButton>();
    Item.SetCaption("&Name");
    Button.Item = &Item;
    TestSurface Surface(80, 20, Blank);
    pg::TSize Text{};
    pg::GetTextExtentPoint32(Surface.DC(), "Name", 4, &Text);
    pg::TRect R{0, 0, 80, 20};
    Painter.DrawEditCaption(Button, Surface.DC(), R, TdxBarItemStates{});
    const int Edit = Text.cx + 11;
    EXPECT_EQ(R, (pg::TRect{Edit, 0, 80, 20})) << "the edit part starts after the caption area";
    const pg::COLORREF Face = Sys(pg::COLOR_WINDOW);
    int LastInk = -1;
    for (int X = 0; X < Edit; ++X)
        for (int Y = 0; Y < 20; ++Y)
            if (Surface.At(X, Y) != Face) LastInk = std::max(LastInk, X);
    EXPECT_LT(LastInk, Edit - 5) << "five face pixels before the edit part";
    EXPECT_GE(LastInk, Edit - 5 - 3) << "right-aligned";
    EXPECT_EQ(Surface.At(Edit, 10), Blank);
}

TEST_F(FlatPainterTest, TheUpperSpinHalfOverlapsTheLowerAndAPressedHalfKeepsItsArrow) {
    // A pair 11 x 20: the halves split at 10; the upper one reaches row 10 as well.
    const pg::TRect Pair{0, 0, 11, 20};
    {
        TestSurface Upper(11, 20, Blank), Lower(11, 20, Blank);
        Flat.DrawSpinButton(Button, Upper.DC(), Pair, 1, TdxBarItemStates{}, 5);
        Flat.DrawSpinButton(Button, Lower.DC(), Pair, 2, TdxBarItemStates{}, 5);
        EXPECT_EQ(Upper.At(0, 10), Sys(pg::COLOR_WINDOW)) << "the upper half's bottom frame";
        EXPECT_EQ(Upper.At(0, 11), Blank);
        EXPECT_EQ(Lower.At(0, 10), Sys(pg::COLOR_WINDOW)) << "the lower half's top frame";
        EXPECT_EQ(Lower.At(0, 9), Blank);
    }
    auto ArrowPixels = [&](bool Pressed) {
        TdxBarItemStates S;
        S.Selected = true;
        S.Pressed = Pressed;
        TestSurface Surface(11, 20, Blank);
        Flat.DrawSpinButton(Button, Surface.DC(), Pair, 1, S, 5);
        std::string Shape;
        for (int Y = 0; Y < 11; ++Y)
            for (int X = 0; X < 11; ++X)
                Shape += Surface.At(X, Y) == Sys(pg::COLOR_BTNTEXT) ? '#' : '.';
        return Shape;
    };
    const std::string Hot = ArrowPixels(false);
    EXPECT_NE(Hot.find('#'), std::string::npos);
    EXPECT_EQ(ArrowPixels(true), Hot);
}

TEST_F(FlatPainterTest, AChildWindowButtonsFaceFollowsTheMouse) {
    struct Case {
        int State;
        int Brush; // a flat brush of the manager, or -1: the bar's background
        const char* Name;
    };
    const Case Cases[] = {{0, -1, "normal"},
                          {1, 4, "under the mouse"},
                          {3, 3, "pressed under the mouse"},
                          {2, 2, "pressed, the mouse moved off"}};
    const TFlatWithBarFill& Painter = TFlatWithBarFill::Instance();
    Toolbar.Bar.IsMainMenu = true;
    for (const Case& C : Cases) {
        TestSurface Surface(18, 16, Blank);
        Painter.DrawMDIButton(Toolbar, 2, Surface.DC(), {0, 0, 18, 16}, C.State);
        const pg::COLORREF Face =
            C.Brush < 0 ? Sys(pg::COLOR_WINDOW) : BrushColor(Manager->FlatBrush(C.Brush));
        EXPECT_EQ(Surface.At(1, 1), Face) << C.Name;
        EXPECT_EQ(Surface.At(0, 0), C.State == 0 ? Face : Sys(pg::COLOR_HIGHLIGHT)) << C.Name;
        int Symbol = 0;
        for (int Y = 1; Y < 15; ++Y)
            for (int X = 1; X < 17; ++X)
                Symbol += Surface.At(X, Y) == Sys(pg::COLOR_BTNTEXT);
        EXPECT_GT(Symbol, 0) << C.Name << ": the close symbol lies on the face";
    }
}

TEST_F(FlatPainterTest, AMenuGroupLineStartsAfterTheGlyphColumnAndIndent) {
    TdxBarItemControlState Entry;
    Entry.Parent = &Menu;
    Entry.GlyphColumnWidth = 24;
    TestSurface Surface(100, 30, Blank);
    // The strip the window gives: one row above the row that begins the group.
    Flat.DrawSubMenuSeparator(Menu, Surface.DC(), {0, 9, 100, 10}, Entry);
    const std::initializer_list<std::pair<char, pg::COLORREF>> Key{
        {'l', BrushColor(Manager->FlatBrush(1))},
        {'w', Sys(pg::COLOR_WINDOW)},
        {'s', Sys(pg::COLOR_BTNSHADOW)},
        {'.', Blank}};
    // The glyph column falls back to the flat menu face, the rest to the menu's brush.
    EXPECT_EQ(Surface.Row(9, Key),
              std::string(24, 'l') + std::string(8, 'w') + std::string(68, 's'));
    EXPECT_EQ(Surface.Row(8, Key), std::string(100, '.'));
    EXPECT_EQ(Surface.Row(10, Key), std::string(100, '.'));
}

TEST_F(FlatPainterTest, AMenuRowIsFramedAndFilledWhenSelected) {
    TdxBarItemControlState Entry;
    Entry.Parent = &Menu;
    const pg::TRect Row{0, 0, 60, 20};
    {
        TestSurface Surface(60, 20, Blank);
        Flat.DrawMenuButton(Entry, Surface.DC(), Row, TdxBarItemStates{});
        EXPECT_EQ(Surface.At(0, 0), Sys(pg::COLOR_WINDOW)) << "the ring is the menu's face";
        EXPECT_EQ(Surface.At(59, 19), Sys(pg::COLOR_WINDOW));
        EXPECT_EQ(Surface.At(40, 10), Sys(pg::COLOR_WINDOW));
    }
    TdxBarItemStates S;
    S.Selected = true;
    S.PaintType = ptMenu;
    TestSurface Surface(60, 20, Blank);
    Flat.DrawMenuButton(Entry, Surface.DC(), Row, S);
    EXPECT_EQ(Surface.At(0, 0), Sys(pg::COLOR_HIGHLIGHT));
    EXPECT_EQ(Surface.At(59, 10), Sys(pg::COLOR_HIGHLIGHT));
    // After the 18-pixel glyph square: the gap and the rest in the flat selected face.
    EXPECT_EQ(Surface.At(19, 10), BrushColor(Manager->FlatBrush(4)));
    EXPECT_EQ(Surface.At(40, 10), BrushColor(Manager->FlatBrush(4)));
}

TEST_F(FlatPainterTest, MenuWindowSizes) {
    struct Case {
        pg::TSize In;
        int BarSize;
        bool Detachable;
        pg::TSize Out;
    };
    const int Glyph = Manager->ImageSize();
    const Case Cases[] = {{{0, 0}, 0, false, {100, Glyph + 3}},
                          {{50, 40}, 0, false, {54, 43}},
                          {{50, 40}, 20, true, {74, 43 + 6}}};
    for (const Case& C : Cases) {
        Menu.BarSize = C.BarSize;
        Menu.Detachable = C.Detachable;
        pg::TSize Size = C.In;
        Flat.CalcSubMenuSize(Menu, Size);
        EXPECT_EQ(Size.cx, C.Out.cx) << C.In.cx;
        EXPECT_EQ(Size.cy, C.Out.cy) << C.In.cy;
    }
}

TEST_F(FlatPainterTest, TheMarkGlyphsAreTheEnhancedOnes) {
    // The Enhanced customise arrow above the bottom, and its bold chevrons while links are cut
    // off: Flat draws exactly what the Enhanced painter draws.
    Toolbar.ClientRect = {0, 0, 40, 26};
    Toolbar.LinksCutOff = true;
    const pg::TRect Mark{29, 0, 40, 26};
    TestSurface Own(40, 26, Blank);
    TestSurface Enhanced(40, 26, Blank);
    Flat.DrawMarkGlyphs(Toolbar, Own.DC(), Mark);
    dxBarPainter(TdxBarItemControlEnhancedPainterClassRef())
        .DrawMarkGlyphs(Toolbar, Enhanced.DC(), Mark);
    const std::pair<char, pg::COLORREF> T{'T', Sys(pg::COLOR_BTNTEXT)};
    EXPECT_EQ(Own.Row(19, {T}).substr(29), "...TTTTT...");
    EXPECT_EQ(Own.Row(21, {T}).substr(29), ".....T.....");
    int Inked = 0;
    for (int Y = 0; Y < 26; ++Y)
        for (int X = 0; X < 40; ++X) {
            EXPECT_EQ(Own.At(X, Y), Enhanced.At(X, Y)) << X << ", " << Y;
            Inked += Own.At(X, Y) != Blank;
        }
    EXPECT_GT(Inked, 9) << "the chevrons as well as the arrow";
}

TEST_F(FlatPainterTest, AnOpenMenusJoinStripIsTakenFromTheMenusCoordinates) {
    // The button at (10, 0, 50, 22) of the bar; its menu hangs below at (10, 21), its join strip
    // along its own top row under the button.
    Menu.Position = {10, 21};
    Menu.OwnerJoinRect = {1, 0, 39, 1};
    Button.OpenMenu = &Menu;
    const pg::TRect Cell{10, 0, 50, 22};
    TestSurface S(60, 30, Blank);
    Flat.DrawOpenMenuButtonFrame(Toolbar, S.DC(), &Menu, &Button, Cell);
    const pg::COLORREF Border = BrushColor(Manager->FlatBrush(0));
    const pg::COLORREF Light = BrushColor(Flat.GetLightBkBrush(*Manager));
    EXPECT_EQ(S.At(10, 10), Border);
    EXPECT_EQ(S.At(30, 0), Border);
    EXPECT_EQ(S.At(10, 21), Border);
    EXPECT_EQ(S.At(30, 21), Light) << "the frame leaves the strip to the light face";
    EXPECT_EQ(S.At(11, 21), Light);
    EXPECT_EQ(S.At(48, 21), Light);
    EXPECT_EQ(S.At(49, 21), Border);
    EXPECT_EQ(S.At(30, 10), Blank);
}

TEST_F(FlatPainterTest, ADisabledCheckMarkLiesOnePixelLowerInTheShadowColour) {
    Button.CheckStyle = Button.Checked = true;
    struct Case {
        bool Enabled;
        pg::COLORREF Ink;
        int FirstRow;
    };
    // A 16-pixel cell puts the mark at (3, 4): its stroke starts at column 4, row 6, two rows
    // thick.
    const Case Cases[] = {{true, pg::RGB(0, 0, 0), 6}, {false, Sys(pg::COLOR_BTNSHADOW), 7}};
    for (const Case& C : Cases) {
        TdxBarItemStates S;
        S.Enabled = C.Enabled;
        TestSurface Surface(16, 16, Blank);
        Flat.DrawCheckCell(Button, Surface.DC(), {0, 0, 16, 16}, S,
                           pg::GetSysColorBrush(pg::COLOR_WINDOW), false);
        EXPECT_EQ(Surface.At(4, C.FirstRow - 1), Sys(pg::COLOR_WINDOW)) << C.Enabled;
        EXPECT_EQ(Surface.At(4, C.FirstRow), C.Ink) << C.Enabled;
        EXPECT_EQ(Surface.At(4, C.FirstRow + 1), C.Ink) << C.Enabled;
        EXPECT_EQ(Surface.At(4, C.FirstRow + 2), Sys(pg::COLOR_WINDOW)) << C.Enabled;
    }
}

TEST_F(FlatPainterTest, TheMenuRowHeightGrowsByOneAndIsHandedBack) {
    TestSurface Surface(4, 4);
    struct Case {
        const TdxBarItemControlPainter* Painter;
        int Height, ArrowAreaWidth;
    };
    // From 23: the base keeps it (3 x 5 + 1); Flat and Office 2003 measure 24 (3 x 6 + 1).
    const Case Cases[] = {{&TdxBarItemControlPainter::Instance(), 23, 16},
                          {&Flat, 24, 19},
                          {&TdxBarItemControlOffice11Painter::Instance(), 24, 19}};
    for (const Case& C : Cases) {
        int Height = 23, Reference = 0, Expand = 0, Width = 0;
        C.Painter->CalcSubMenuItemSize(Menu, Surface.DC(), Height, Reference, Expand, Width);
        EXPECT_EQ(Height, C.Height) << C.Painter->ClassType().ClassName();
        EXPECT_EQ(Width, C.ArrowAreaWidth) << C.Painter->ClassType().ClassName();
    }
}

TEST_F(FlatPainterTest, SelectingAllEditTextTellsOfAChangeOnlyWhenAsked) {
    constexpr pc::UINT WM_COMMAND = 273, EM_SETSEL = 0xB1;
    std::vector<pc::TMessage> Heard;
    pc::MessageWindow Edit([&](pc::TMessage& M) { Heard.push_back(M); });
    Flat.SelectAllEditText(Edit.Handle(), false);
    ASSERT_EQ(Heard.size(), 1u);
    EXPECT_EQ(Heard[0].Msg, EM_SETSEL);
    EXPECT_EQ(Heard[0].WParam, 0u);
    EXPECT_EQ(Heard[0].LParam, -1);
    Heard.clear();
    Flat.SelectAllEditText(Edit.Handle(), true);
    ASSERT_EQ(Heard.size(), 2u);
    EXPECT_EQ(Heard[0].Msg, WM_COMMAND);
    EXPECT_EQ(Heard[0].WParam, pc::WPARAM{768} << 16);
    EXPECT_EQ(Heard[0].LParam, static_cast<pc::LPARAM>(Edit.Handle()));
    EXPECT_EQ(Heard[1].Msg, EM_SETSEL);
}

} // namespace
} // namespace toolkit::bars
