#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/windows/dx_bar_edit_control.h"
#include "toolkit/bars/windows/dx_bar_item_drag.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "platform/gdi/drawing.h"
#include "platform/win/cursors.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;
namespace pw = platform::win;

// A toolbar under the menu bar holding an edit item 100 wide and a button, customizing on.
class ToolbarItemSizingTest : public MenuFormFixture {
protected:
    ToolbarItemSizingTest() {
        MakeMainMenu();
        Sub(Bar->ItemLinks(), "&File");
        MakeToolbar();
        Edit = &Form->Own<TdxBarEdit>();
        Edit->SetCaption("Name");
        Tools->ItemLinks().Add(Edit);
        Button(Tools->ItemLinks(), "B1");
        ShowBars();
        Manager->Customizing(true);
        testsupport::PumpUntilIdle();
    }
    ~ToolbarItemSizingTest() override { EndCustomizing(); }

    TdxBarItemLink& EditLink() { return *Tools->ItemLinks().VisibleItems(0); }
    TdxBarControl& Window() {
        return *dynamic_cast<TdxBarControl*>(Tools->ItemLinks().BarControl());
    }
    pg::TRect EditRect() { return EditLink().ItemRect; }
    // A screen point on the edit link's row, X in the window's client coordinates.
    pg::TPoint At(int X) {
        const pg::TRect R = EditRect();
        return Window().ClientToScreen({X, (R.Top + R.Bottom) / 2});
    }
    void SelectEdit() {
        Input.Click(At((EditRect().Left + EditRect().Right) / 2));
        testsupport::PumpUntilIdle();
        ASSERT_EQ(Manager->SelectedItem(), EditLink().Control());
    }
    bool SizingCursorShown() { return pw::GetCursor() == pw::ScreenCursor(crdxBarEditSizing); }
    pg::COLORREF Pixel(int X, int Y) {
        const pg::HDC DC = pw::GetDC(Window().Handle());
        const pg::COLORREF C = pg::GetPixel(DC, X, Y);
        pw::ReleaseDC(Window().Handle(), DC);
        return C;
    }

    TdxBarEdit* Edit = nullptr;
};

TEST_F(ToolbarItemSizingTest, TheCursorOffersSizingOnlyAtTheEndsOfTheSelectedEditItem) {
    const pg::TRect R = EditRect();
    ASSERT_EQ(R.Width(), 100);
    // Not selected: no offer.
    Input.MoveTo(At(R.Right - 2));
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Window().ResizingItem());
    SelectEdit();
    struct Case {
        int x;
        bool offered;
        bool fromLeft;
    };
    for (const Case& C : {Case{R.Left, true, true}, Case{R.Left + 6, true, true},
                          Case{R.Left + 7, false, false}, Case{R.Right - 8, false, false},
                          Case{R.Right - 7, true, false}, Case{R.Right - 1, true, false}}) {
        SCOPED_TRACE(C.x - R.Left);
        Input.MoveTo(At(C.x));
        testsupport::PumpUntilIdle();
        EXPECT_EQ(Window().ResizingItem(), C.offered);
        EXPECT_EQ(SizingCursorShown(), C.offered);
        if (C.offered) {
            EXPECT_EQ(Window().ResizeFromLeft(), C.fromLeft);
        }
    }
}

TEST_F(ToolbarItemSizingTest, DraggingTheRightEndShowsTheFrameAndGivesTheLinkItsWidth) {
    SelectEdit();
    const pg::TRect R = EditRect();
    const int Y = (R.Top + R.Bottom) / 2;
    // The frame's right edge will stand at R.Left + 110 - 1, over the button.
    const pg::COLORREF Before = Pixel(R.Left + 109, Y);
    Input.MoveTo(At(R.Right - 3));
    Input.Press(At(R.Right - 3));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(pw::GetCapture(), Window().Handle());
    Input.MoveTo(At(R.Left + 110));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Window().ResizingItem());
    EXPECT_EQ(Window().NewItemWidth(), 110);
    EXPECT_EQ(Pixel(R.Left + 109, Y), Before ^ 0xFFFFFFu);
    testsupport::TempFolder Folder("toolbar_item_sizing");
    ASSERT_TRUE(
        testsupport::SaveWindowPng(Window().Handle(), Folder.Path() + "/edit_sizing_frame.png"));
    Input.Release(At(R.Left + 110));
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Window().ResizingItem());
    EXPECT_EQ(pw::GetCapture(), pw::NullHWnd);
    EXPECT_NE(EditLink().UserDefine() & dxUserDefineBit(udWidth), 0);
    EXPECT_EQ(EditLink().UserWidth(), 110);
    EXPECT_EQ(EditRect().Width(), 110);
    // Narrower than 20 is not taken.
    SelectEdit();
    const pg::TRect Wide = EditRect();
    Input.MoveTo(At(Wide.Right - 2));
    Input.Press(At(Wide.Right - 2));
    Input.MoveTo(At(Wide.Left + 5));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Window().NewItemWidth(), 20);
    Input.Release(At(Wide.Left + 5));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(EditLink().UserWidth(), 20);
}

TEST_F(ToolbarItemSizingTest, LosingTheCaptureEndsTheSizingWithoutAWidthAndErasesTheFrame) {
    SelectEdit();
    const pg::TRect R = EditRect();
    const int Y = (R.Top + R.Bottom) / 2;
    // From the left end the right edge stays: 30 to the right makes it 70 wide.
    const pg::COLORREF Before = Pixel(R.Right - 70, Y);
    Input.MoveTo(At(R.Left + 2));
    Input.Press(At(R.Left + 2));
    Input.MoveTo(At(R.Left + 30));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Window().ResizeFromLeft());
    EXPECT_EQ(Window().NewItemWidth(), 70);
    EXPECT_EQ(Pixel(R.Right - 70, Y), Before ^ 0xFFFFFFu);
    pw::ReleaseCapture();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Window().ResizingItem());
    EXPECT_EQ(EditLink().UserDefine() & dxUserDefineBit(udWidth), 0);
    EXPECT_EQ(EditRect().Width(), 100);
    pw::UpdateWindow(Window().Handle());
    EXPECT_EQ(Pixel(R.Right - 70, Y), Before);
}

} // namespace
} // namespace toolkit::bars
