#include "toolkit/bars/windows/dx_bar_item_drag.h"

#include "toolkit/bars/painters/dx_bar_drawing.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"
#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/forms/screen.h"
#include "platform/gdi/drawing.h"
#include "platform/win/cursors.h"
#include "platform/win/painting.h"
#include "testsupport/temp_folder.h"

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;
using toolkit::base::testing_support::TestSurface;

constexpr pg::COLORREF White = 0xFFFFFF;

// The pixels of a 20 x 20 surface as rows of '#' (inverted) and '.'.
std::vector<std::string> Rows(const TestSurface& S) {
    std::vector<std::string> Result;
    for (int Y = 0; Y < 20; ++Y) {
        std::string Row;
        for (int X = 0; X < 20; ++X)
            Row += S.At(X, Y) == White ? '.' : '#';
        Result.push_back(Row);
    }
    return Result;
}

TEST(BarInsertMarkTest, TheMarkIsAStemWithSixPixelCapsAndGoesWhenDrawnAgain) {
    struct Case {
        bool horizontal;
        pg::TRect rect;
        int stemFrom, stemTo; // along the stem, exclusive end
    };
    // Horizontal: a gap 6 wide centred on x = 8 from y = 2 to 18; vertical: the same turned.
    for (const Case& C : {Case{true, {5, 2, 11, 18}, 4, 16}, Case{false, {2, 5, 18, 11}, 4, 16}}) {
        SCOPED_TRACE(C.horizontal ? "horizontal" : "vertical");
        TestSurface S(20, 20, White);
        DrawDragInsertMark(S.DC(), C.rect, C.horizontal);
        std::vector<std::string> Expected(20, std::string(20, '.'));
        auto Set = [&](int Along, int Across) {
            // Along the stem, across it: rows and columns swap for a vertical bar.
            if (C.horizontal)
                Expected[Along][Across] = '#';
            else
                Expected[Across][Along] = '#';
        };
        for (const int Cap : {2, 3, 16, 17})
            for (int Across = 5; Across < 11; ++Across)
                Set(Cap, Across);
        for (int Along = C.stemFrom; Along < C.stemTo; ++Along) {
            Set(Along, 7);
            Set(Along, 8);
        }
        EXPECT_EQ(Rows(S), Expected);
        DrawDragInsertMark(S.DC(), C.rect, C.horizontal);
        EXPECT_EQ(Rows(S), std::vector<std::string>(20, std::string(20, '.')));
    }
}

// A toolbar of four buttons in row 1 under the menu bar, customizing on.
class ItemDragTest : public MenuFormFixture {
protected:
    ItemDragTest() {
        MakeMainMenu();
        Sub(Bar->ItemLinks(), "&File");
        MakeToolbar();
        for (const char* Caption : {"B1", "B2", "B3", "B4"})
            Button(Tools->ItemLinks(), Caption);
        ShowBars();
        Manager->Customizing(true);
        testsupport::PumpUntilIdle();
    }
    ~ItemDragTest() override {
        if (Ctrl) Input.KeyUp(Qt::Key_Control);
    }

    TdxBarItemLinks& Links() { return Tools->ItemLinks(); }
    pw::HWND ToolbarWnd() { return Links().BarControl()->Handle(); }
    // The screen point a fraction of the way across a link.
    pg::TPoint Across(int Index, int Percent) {
        const pg::TRect R = Links().VisibleItems(Index)->ItemRect;
        return Links().BarControl()->ClientToScreen(
            {R.Left + (R.Right - R.Left) * Percent / 100, (R.Top + R.Bottom) / 2});
    }
    // Starts dragging link From and moves to To, the button still down.
    void DragTo(int From, pg::TPoint To) {
        const pg::TPoint Start = CentreOf(Links(), From);
        Input.Press(Start);
        Input.MoveTo({Start.X + 6, Start.Y});
        Input.MoveTo(To);
        testsupport::PumpUntilIdle();
    }
    void HoldCtrl() {
        Input.KeyDown(Qt::Key_Control);
        Ctrl = true;
        testsupport::PumpUntilIdle();
    }
    void Cancel() {
        Input.Key(Qt::Key_Escape);
        Input.Release(Across(0, 50));
        testsupport::PumpUntilIdle();
    }
    // The toolbar's pixels on the stem of a mark before link Index (a column two pixels wide
    // centred on its left edge, leaving the caps out).
    std::vector<pg::COLORREF> StemBefore(int Index) {
        const pg::TRect R = Links().VisibleItems(Index)->ItemRect;
        const pg::HDC DC = pw::GetDC(ToolbarWnd());
        std::vector<pg::COLORREF> Result;
        for (int Y = R.Top + 3; Y < R.Bottom - 3; ++Y)
            for (const int X : {R.Left - 1, R.Left})
                Result.push_back(pg::GetPixel(DC, X, Y) & 0xFFFFFF);
        pw::ReleaseDC(ToolbarWnd(), DC);
        return Result;
    }
    static std::vector<pg::COLORREF> Inverted(std::vector<pg::COLORREF> Pixels) {
        for (pg::COLORREF& P : Pixels)
            P = ~P & 0xFFFFFF;
        return Pixels;
    }

    // What the toolbar window shows now, row by row, its size first.
    std::vector<pg::COLORREF> Picture() {
        const auto Surface = pw::WindowSurface(ToolbarWnd());
        std::vector<pg::COLORREF> Result{static_cast<pg::COLORREF>(Surface->Width()),
                                         static_cast<pg::COLORREF>(Surface->Height())};
        for (int Y = 0; Y < Surface->Height(); ++Y)
            for (int X = 0; X < Surface->Width(); ++X)
                Result.push_back(Surface->Pixel(X, Y) & 0xFFFFFF);
        return Result;
    }
    // What the toolbar shows once it is laid out and painted from scratch.
    std::vector<pg::COLORREF> FreshPicture() {
        Links().BarControl()->RefreshLayout();
        pw::RedrawWindow(ToolbarWnd(), nullptr, pg::NullObject,
                         pw::RDW_FRAME | pw::RDW_INVALIDATE | pw::RDW_UPDATENOW);
        testsupport::PumpUntilIdle();
        return Picture();
    }

    bool Ctrl = false;
};

TEST_F(ItemDragTest, TheCursorTellsWhatADropWouldDo) {
    struct Case {
        const char* name;
        bool ctrl;
        bool overToolbar;
        int cursor;
    };
    const Case Cases[] = {
        {"over a bar", false, true, crdxBarDrag},
        {"over a bar with Ctrl", true, true, crdxBarDragCopy},
        {"over nothing", false, false, crdxBarDragNoDrop},
        {"over nothing with Ctrl", true, false, crdxBarDragNoDrop},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.name);
        DragTo(0, C.overToolbar ? Across(2, 80) : Form->ClientToScreen({300, 250}));
        if (C.ctrl) HoldCtrl();
        ASSERT_NE(TdxBarItemDragging::Current(), nullptr);
        EXPECT_EQ(pf::Screen().Cursor(), C.cursor);
        EXPECT_EQ(pw::GetCursor(), pf::Screen().Cursors(C.cursor));
        EXPECT_NE(pw::GetCursor(), pw::NullCursor);
        Cancel();
        if (C.ctrl) {
            Input.KeyUp(Qt::Key_Control);
            Ctrl = false;
            testsupport::PumpUntilIdle();
        }
        EXPECT_EQ(TdxBarItemDragging::Current(), nullptr);
        EXPECT_EQ(pf::Screen().Cursor(), pf::crDefault);
    }
}

TEST_F(ItemDragTest, CtrlPressedDuringTheDragTurnsTheCursorToCopyAndBack) {
    DragTo(0, Across(2, 80));
    EXPECT_EQ(pf::Screen().Cursor(), crdxBarDrag);
    HoldCtrl();
    EXPECT_EQ(pf::Screen().Cursor(), crdxBarDragCopy);
    Input.KeyUp(Qt::Key_Control);
    Ctrl = false;
    testsupport::PumpUntilIdle();
    EXPECT_EQ(pf::Screen().Cursor(), crdxBarDrag);
    Cancel();
}

TEST_F(ItemDragTest, AMarkStandsWhereTheItemWouldGoAndLeavesWithTheDrag) {
    const std::vector<pg::COLORREF> Plain = StemBefore(3);
    DragTo(0, Across(2, 80));
    testsupport::TempFolder Folder("item_drag");
    EXPECT_TRUE(testsupport::SaveWindowPng(ToolbarWnd(), Folder.PathOf("insert_mark.png")));
    EXPECT_EQ(StemBefore(3), Inverted(Plain));
    // Moving on takes the mark along.
    const std::vector<pg::COLORREF> PlainAt2 = StemBefore(2);
    Input.MoveTo(Across(1, 80));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(StemBefore(3), Plain);
    EXPECT_EQ(StemBefore(2), Inverted(PlainAt2));
    Cancel();
    EXPECT_EQ(StemBefore(2), PlainAt2);
}

TEST_F(ItemDragTest, NoMarkWhereADropWouldChangeNothing) {
    struct Case {
        const char* name;
        int percent; // across the dragged link itself, B2
        int gap;     // the link the gap lies before
        bool ctrl;
        bool marked;
    };
    const Case Cases[] = {
        {"its own place, left half", 20, 1, false, false},
        {"its own place, right half", 80, 2, false, false},
        {"its own place with Ctrl: a copy", 80, 2, true, true},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.name);
        // The dragged link wears its selection frame: the plain pixels are taken during the
        // drag, with the mark at the end of the bar.
        DragTo(1, Across(3, 80));
        const std::vector<pg::COLORREF> Plain = StemBefore(C.gap);
        Input.MoveTo(Across(1, C.percent));
        testsupport::PumpUntilIdle();
        if (C.ctrl) HoldCtrl();
        EXPECT_EQ(StemBefore(C.gap), C.marked ? Inverted(Plain) : Plain);
        Cancel();
        if (C.ctrl) {
            Input.KeyUp(Qt::Key_Control);
            Ctrl = false;
            testsupport::PumpUntilIdle();
        }
    }
}

// A link dropped over nothing goes, and the toolbar shows its links closed up at once: what it
// draws then is what it draws when laid out and painted from scratch.
TEST_F(ItemDragTest, ALinkDraggedOffLeavesNoGap) {
    const pg::TRect B2 = Links().VisibleItems(1)->ItemRect;
    const pg::TPoint Nowhere = Form->ClientToScreen({300, 250});
    DragTo(1, Nowhere);
    Input.Release(Nowhere);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(ItemCaptions(Links()), (std::vector<std::string>{"B1", "B3", "B4"}));
    EXPECT_EQ(Links().VisibleItems(1)->ItemRect.Left, B2.Left);
    const std::vector<pg::COLORREF> Shown = Picture();
    EXPECT_EQ(Shown, FreshPicture());
}

} // namespace
} // namespace toolkit::bars
