// The combo item's drop-down: where it opens, how wide and high it is, what draws it, how it
// follows the typing and how a pick ends the editing; and a drop-down window the application
// supplies.

#include "toolkit/bars/model/dx_bar_painter_classes.h"
#include "toolkit/bars/painters/dx_bar_painter.h"
#include "toolkit/bars/windows/tests/dx_bar_edit_form_fixture.h"
#include "toolkit/base/office11.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

class ComboDropDownTest : public EditFormFixture {
protected:
    // Clicks into the combo and opens its list with F4.
    void OpenWithF4() {
        Input.Click(Centre(1));
        testsupport::PumpUntilIdle();
        Input.Key(Qt::Key_F4);
        testsupport::PumpUntilIdle();
    }
    // The screen point in the middle of the list's row Index, a little in from its left.
    pg::TPoint RowPoint(int Index) {
        const pg::TRect Row = List().ItemRect(Index);
        return List().ClientToScreen({Row.Left + 10, (Row.Top + Row.Bottom) / 2});
    }
};

TEST_F(ComboDropDownTest, PickingFromTheDropDownSetsTheText) {
    Bar->ItemLinks().UseRecentItems = true;
    Show();
    TdxBarItemLink* Link = Bar->ItemLinks().VisibleItems(1);
    const int Uses = Link->UseCount;
    Input.Click(Centre(1));
    testsupport::PumpUntilIdle();
    // A press on the drop-down button opens the list.
    ClickComboButton();
    ASSERT_TRUE(ComboControl().DroppedDown());
    ASSERT_TRUE(ListShown());
    testsupport::TempFolder Folder("edit_control");
    EXPECT_TRUE(testsupport::SaveWindowPng(Form->Handle(), Folder.PathOf("combo_form.png")));
    EXPECT_TRUE(testsupport::SaveWindowPng(List().Handle(), Folder.PathOf("combo_list.png")));
    // The current entry is lit.
    EXPECT_TRUE(Lit(RowPixel(0)));
    EXPECT_EQ(RowPixel(2), pg::ColorToRGB(pg::clWindow));
    Input.Click(RowPoint(2));
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(ComboControl().DroppedDown());
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(Combo->ItemIndex(), 2);
    EXPECT_EQ(Combo->Text(), "gamma");
    // The pick ends the editing: the editor hides, the focus is back with the form, the bar has
    // left menu mode, and the link counted a use.
    EXPECT_FALSE(ComboControl().Focused());
    EXPECT_FALSE(ComboControl().Window()->Visible());
    EXPECT_EQ(pw::GetFocus(), Form->Handle());
    EXPECT_EQ(TCustomdxBarControl::ActiveBarControl(), nullptr);
    EXPECT_EQ(Link->UseCount, Uses + 1);
}

// A press on the button drops the list down while the button is still held; dragged into the
// list, the release picks the entry under it.
TEST_F(ComboDropDownTest, ADragFromTheButtonIntoTheListPicksOnRelease) {
    Show();
    Input.Click(Centre(1));
    testsupport::PumpUntilIdle();
    const pg::TRect Button = ComboControl().ButtonPart(Bar->ItemLinks().VisibleItems(1)->ItemRect);
    const pg::TPoint At = BarWindow().ClientToScreen(
        {(Button.Left + Button.Right) / 2, (Button.Top + Button.Bottom) / 2});
    Input.Press(At);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(ListShown());
    EXPECT_EQ(pw::GetCapture(), List().Handle());
    Input.MoveTo(RowPoint(1));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Lit(RowPixel(1)));
    Input.Release(RowPoint(1));
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(Combo->Text(), "beta");
}

// Below the edit part where the screen has room; near the screen's bottom, above the control
// when there is more room there.
TEST_F(ComboDropDownTest, NearTheScreensBottomTheListOpensAboveTheControl) {
    Show();
    for (int FormTop : {0, 720}) {
        Form->SetBounds(0, FormTop, 640, 300);
        testsupport::PumpUntilIdle();
        OpenWithF4();
        ASSERT_TRUE(ListShown()) << FormTop;
        const pg::TRect Item = ScreenRect(1);
        const pg::TRect L = List().BoundsRect();
        EXPECT_EQ(L.Left, Item.Left) << FormTop;
        if (FormTop == 0) {
            EXPECT_EQ(L.Top, Item.Bottom);
        } else {
            ASSERT_GT(Item.Bottom + L.Height(), 768);
            EXPECT_EQ(L.Bottom, Item.Top);
        }
        CloseMenus();
        EXPECT_FALSE(ListShown());
    }
}

// Typing in the open list's editor: a text that names an entry (in any case) lights it; a text
// that only begins entries lights none and brings the first of them to the top.
TEST_F(ComboDropDownTest, TypingLightsTheNamedEntryAndBringsAPrefixToTheTop) {
    SetEntries({"alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta", "theta", "iota",
                "kappa", "lambda", "mu"});
    Combo->SetItemIndex(0);
    Show();
    OpenWithF4();
    ASSERT_TRUE(ListShown());
    EXPECT_TRUE(Lit(RowPixel(0)));
    Type("DEL");
    EXPECT_EQ(List().TopIndex(), 3);
    for (int I = 3; I < 3 + Combo->DropDownCount; ++I)
        EXPECT_FALSE(Lit(RowPixel(I))) << I;
    Type("TA");
    EXPECT_EQ(ComboControl().Window()->Text(), "DELTA");
    EXPECT_TRUE(Lit(RowPixel(3)));
    EXPECT_FALSE(Lit(RowPixel(4)));
    // Down goes on from the entry typed.
    Input.Key(Qt::Key_Down);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Lit(RowPixel(4)));
    EXPECT_EQ(ComboControl().Window()->Text(), "epsilon");
    Input.Key(Qt::Key_Return);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Combo->ItemIndex(), 4);
}

// A painter that shows what it draws of the list: a three-pixel red frame, rows green (the
// second blue), and the current entry in the combo's editor area yellow.
class TListStandIn : public TdxBarItemControlPainter {
public:
    static const TListStandIn& Instance() {
        static const TListStandIn instance;
        return instance;
    }
    const pc::TClass& ClassType() const override {
        return TdxBarItemControlEnhancedPainterClassRef();
    }
    int GetDropDownListBorder() const override { return 3; }
    void DrawDropDownListBorder(const TdxBarManager*, HDC DC, const TRect& R) const override {
        const pg::HBRUSH Red = pg::CreateSolidBrush(0x0000FF);
        pg::FillRect(DC, &R, Red);
        pg::DeleteObject(Red);
    }
    void DrawComboListItem(const Item&, pg::TCanvas& Canvas, int Index, const TRect& R,
                           int InEditor) const override {
        Canvas.Brush().SetColor(InEditor ? 0x00FFFF : Index == 1 ? 0xFF0000 : 0x00FF00);
        Canvas.FillRect(R);
    }
};

TEST_F(ComboDropDownTest, TheListsFrameAndRowsAreThePaintersDrawing) {
    TdxBarPainterRegistration StandIn(TListStandIn::Instance());
    Show();
    // Closed, the combo's editor area shows the current entry as the painter draws it there.
    const pg::TRect Item = Bar->ItemLinks().VisibleItems(1)->ItemRect;
    EXPECT_EQ(ClientPixel(BarWindow(), Item.Left + 6, (Item.Top + Item.Bottom) / 2), 0x00FFFF);
    OpenWithF4();
    ASSERT_TRUE(ListShown());
    for (int I = 0; I < 3; ++I)
        EXPECT_EQ(ListPixel(I, I), 0x0000FF) << I;
    EXPECT_EQ(List().ClientToScreen({0, 0}).X - List().BoundsRect().Left, 3);
    EXPECT_EQ(RowPixel(0), 0x00FF00);
    EXPECT_EQ(RowPixel(1), 0xFF0000);
    EXPECT_EQ(RowPixel(2), 0x00FF00);
}

// The styles' own frames: the flat one in button shadow round a window-coloured ring, the Office
// 2003 one in the menu's border colour round the menu colour.
TEST_F(ComboDropDownTest, EachStyleFramesTheListItsOwnWay) {
    pg::SetVisualStyleScheme(pg::VisualStyleScheme::Blue);
    toolkit::base::dxOffice11RefreshColors();
    Show();
    struct Case {
        TdxBarManagerStyle Style;
        pg::TColor Outer, Inner;
    };
    const Case Cases[] = {
        {bmsFlat, pg::clBtnShadow, pg::clWindow},
        {bmsOffice11, toolkit::base::dxOffice11MenuBorderColor(),
         toolkit::base::dxOffice11MenuColor()},
    };
    for (const Case& C : Cases) {
        Manager->SetStyle(C.Style);
        testsupport::PumpUntilIdle();
        OpenWithF4();
        ASSERT_TRUE(ListShown());
        const pg::TRect L = List().BoundsRect();
        EXPECT_EQ(ListPixel(0, 0), pg::ColorToRGB(C.Outer)) << C.Style;
        EXPECT_EQ(ListPixel(L.Width() - 1, L.Height() - 1), pg::ColorToRGB(C.Outer)) << C.Style;
        EXPECT_EQ(ListPixel(1, 5), pg::ColorToRGB(C.Inner)) << C.Style;
        EXPECT_EQ(List().ClientToScreen({0, 0}).X - L.Left, 2) << C.Style;
        CloseMenus();
    }
}

// The application measures and draws the rows itself: the list takes the heights it gives (and
// its height from the first DropDownCount of them), and its drawing shows in the list and, for
// the current entry, in the closed combo.
TEST_F(ComboDropDownTest, OwnerDrawingAndMeasuringEventsShapeAndPaintTheRows) {
    Combo->OnMeasureItem = [](pc::TObject*, int Index, int& Height) { Height = 20 + 5 * Index; };
    Combo->OnDrawItem = [&](pc::TObject*, int Index, const pg::TRect& R, pf::TOwnerDrawState) {
        pg::TCanvas& Canvas = Combo->GetItemCanvas();
        Canvas.Brush().SetColor(Index == 0 ? 0x00FFFF : 0xFF00FF);
        Canvas.FillRect(R);
    };
    Combo->DropDownCount = 2;
    Show();
    const pg::TRect Item = Bar->ItemLinks().VisibleItems(1)->ItemRect;
    EXPECT_EQ(ClientPixel(BarWindow(), Item.Left + 6, (Item.Top + Item.Bottom) / 2), 0x00FFFF);
    OpenWithF4();
    ASSERT_TRUE(ListShown());
    EXPECT_EQ(List().ItemRect(0).Height(), 20);
    EXPECT_EQ(List().ItemRect(1).Height(), 25);
    EXPECT_EQ(List().BoundsRect().Height(), 4 + 20 + 25);
    EXPECT_EQ(RowPixel(0), 0x00FFFF);
    EXPECT_EQ(RowPixel(1), 0xFF00FF);
}

// The list is as wide as DropDownWidth when that is set; else it runs from the edit part's left
// to the button, wider when an entry needs it (its text, 2 pixels after it and 4 for the list).
TEST_F(ComboDropDownTest, TheListTakesDropDownWidthOrTheWidthItsEntriesNeed) {
    const std::string Long = "an entry far wider than the combo's edit part";
    struct Case {
        std::vector<std::string> Entries;
        int DropDownWidth;
    };
    const Case Cases[] = {{{"alpha", "beta"}, 0}, {{"alpha", Long}, 0}, {{"alpha", Long}, 250}};
    Show();
    for (const Case& C : Cases) {
        SetEntries(C.Entries);
        Combo->DropDownWidth = C.DropDownWidth;
        OpenWithF4();
        ASSERT_TRUE(ListShown());
        const pg::TRect Item = ScreenRect(1);
        int Expected = Item.Width() - ComboControl().GetDropDownButtonWidth();
        if (C.Entries[1] == Long) Expected = TextWidth(Long) + 6;
        if (C.DropDownWidth > 0) Expected = C.DropDownWidth;
        EXPECT_EQ(List().BoundsRect().Width(), Expected) << C.Entries[1] << " " << C.DropDownWidth;
        CloseMenus();
    }
}

// A window of the application's own that drops down: it hears the keys while it is open.
class TKeyWindow : public pf::TCustomControl {
public:
    TKeyWindow() : pf::TCustomControl(nullptr) {
        visible_ = false;
        SetBounds(0, 0, 120, 80);
    }
    std::vector<int> Keys;

protected:
    void CreateParams(TCreateParams& Params) override {
        pf::TCustomControl::CreateParams(Params);
        Params.style = pw::WS_POPUP;
        Params.parent = pw::NullHWnd;
    }
    void Dispatch(pf::TMessage& Message) override {
        if (Message.Msg == pw::WM_KEYDOWN) Keys.push_back(static_cast<int>(Message.WParam));
        pf::TCustomControl::Dispatch(Message);
    }
};

TEST_F(ComboDropDownTest, AnApplicationsWindowDropsDownAndHearsTheKeysItAccepts) {
    auto& Own = Form->Own<TCustomdxBarCombo>();
    Own.SetCaption("Own");
    Bar->ItemLinks().Add(&Own);
    TKeyWindow Window;
    int Drops = 0, CloseUps = 0;
    Own.OnDropDown = [&](pc::TObject*) { ++Drops; };
    Own.OnCloseUp = [&](pc::TObject*) { ++CloseUps; };
    Own.OnGetDropDownWindow = [&](pc::TObject*, pc::HWND& W) { W = Window.Handle(); };
    Own.OnCheckKeyForDropDownWindow = [](pc::TObject*, std::uint16_t Key, pf::TShiftState,
                                         bool& Accept) {
        if (Key == pw::VK_UP) Accept = false;
    };
    Show();
    Input.Click(Centre(2));
    testsupport::PumpUntilIdle();
    Input.Key(Qt::Key_F4);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Drops, 1);
    ASSERT_TRUE(pw::IsWindowVisible(Window.Handle()));
    EXPECT_TRUE(Own.GetDroppedDown());
    const pg::TRect Item = ScreenRect(2);
    EXPECT_EQ(Window.BoundsRect().Left, Item.Left);
    EXPECT_EQ(Window.BoundsRect().Top, Item.Bottom);
    EXPECT_EQ(Window.BoundsRect().Width(), 120);
    Input.Key(Qt::Key_Down);
    Input.Key(Qt::Key_Up);
    Input.Key(Qt::Key_Escape);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Window.Keys, std::vector<int>{pw::VK_DOWN});
    EXPECT_FALSE(pw::IsWindowVisible(Window.Handle()));
    EXPECT_EQ(CloseUps, 1);
}

} // namespace
} // namespace toolkit::bars
