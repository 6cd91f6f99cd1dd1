// The manager's run-time changes as a user sees them on its windows: a new font is the one the
// toolbars draw their captions with, an image list assigned to shown bars puts its glyphs on
// their buttons at once (hot and disabled lists in their states), a lock holds back layout and
// painting until it ends, and at design time the designer shows the command selected.

#include "toolkit/bars/customizing/tests/dx_bar_design_fixture.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/customizing/dx_bar_sub_menu_editor.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"

#include "toolkit/base/office11.h"

#include "platform/gdi/visual_styles.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

class ManagerChangesTest : public MenuFormFixture {
protected:
    ManagerChangesTest() {
        MakeOffice11MainMenu();
        Sub(Bar->ItemLinks(), "&File");
        MakeToolbar();
        New = &Button(Tools->ItemLinks(), "New");
        Open = &Button(Tools->ItemLinks(), "Open");
    }
    void Show() {
        ShowBars();
        Input.MoveTo(Form->ClientToScreen({600, 250}));
        testsupport::PumpUntilIdle();
    }
    TdxBarControl& ToolWindow() { return *dynamic_cast<TdxBarControl*>(Tools->Control()); }
    pg::TRect RectOf(const TdxBarItem& Item) {
        for (int I = 0; I < Tools->ItemLinks().Count(); ++I)
            if (Tools->ItemLinks().Items(I)->Item() == &Item)
                return Tools->ItemLinks().Items(I)->ItemRect;
        return {};
    }
    // A pixel of a window's client area, as the screen shows it.
    static pg::COLORREF Pixel(TCustomdxBarControl& W, int X, int Y) {
        const pg::TPoint Client = W.ClientToScreen({0, 0}), Origin = W.WindowToScreen({0, 0});
        const auto Surface = pw::WindowSurface(W.Handle());
        return pg::PixelToColor(Surface->Pixel(X + Client.X - Origin.X, Y + Client.Y - Origin.Y) &
                                0xFFFFFF);
    }
    // The box of the pixels in R for which Ink holds; empty when there is none.
    static pg::TRect InkBox(TCustomdxBarControl& W, const pg::TRect& R,
                            const std::function<bool(pg::COLORREF)>& Ink) {
        pg::TRect Box{R.Right, R.Bottom, R.Left, R.Top};
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                if (Ink(Pixel(W, X, Y))) {
                    Box.Left = std::min(Box.Left, X);
                    Box.Top = std::min(Box.Top, Y);
                    Box.Right = std::max(Box.Right, X + 1);
                    Box.Bottom = std::max(Box.Bottom, Y + 1);
                }
        return Box.Right > Box.Left ? Box : pg::TRect{};
    }
    static bool Dark(pg::COLORREF C) {
        return pg::GetRValue(C) + pg::GetGValue(C) + pg::GetBValue(C) < 3 * 90;
    }
    // The height of a caption's letters on the toolbar.
    int CaptionInkHeight(const TdxBarItem& Item) {
        return InkBox(ToolWindow(), RectOf(Item), Dark).Height();
    }

    // A list on the form of images of Side pixels, one per colour: a square of the colour on
    // the transparent ground.
    pf::TImageList& List(int Side, const std::vector<pg::TColor>& Colours) {
        auto& L = Form->Own<pf::TImageList>();
        L.SetSize(Side, Side);
        for (pg::TColor Colour : Colours)
            L.Add(*Image(Side, Colour));
        return L;
    }
    static std::unique_ptr<pf::TBitmap> Image(int Side, pg::TColor Colour) {
        auto B = std::make_unique<pf::TBitmap>();
        B->SetSize(Side, Side);
        B->Canvas().Brush().SetColor(pg::clFuchsia);
        B->Canvas().FillRect({0, 0, Side, Side});
        B->Canvas().Brush().SetColor(Colour);
        B->Canvas().FillRect({2, 2, Side - 2, Side - 2});
        return B;
    }
    // How many pixels of Colour a button shows.
    int Count(const TdxBarItem& Item, pg::TColor Colour) {
        const pg::TRect R = RectOf(Item);
        int Result = 0;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                Result += Pixel(ToolWindow(), X, Y) == pg::ColorToRGB(Colour) ? 1 : 0;
        return Result;
    }

    TdxBarButton* New = nullptr;
    TdxBarButton* Open = nullptr;
};

constexpr pg::TColor kRed = 0x0000FF, kLime = 0x00FF00, kBlue = 0xFF0000, kYellow = 0x00FFFF,
                     kCyan = 0xFFFF00, kOrange = 0x0080FF;

// The toolbar draws its captions in the manager's new font, and its buttons take the width of
// the captions in it: letters half as tall again as before, not only a wider button. While
// Scaled is on, the height stays the system menu font's.
TEST_F(ManagerChangesTest, ANewFontIsTheOneTheToolbarsDrawWith) {
    Show();
    const int Ink = CaptionInkHeight(*Open), Width = RectOf(*Open).Width();
    const int BarHeight = ToolWindow().Height();
    const int SiteHeight = Manager->Bars()->DockControls(dsTop)->Height();
    const int Height = Manager->Font().Height();
    ASSERT_GT(Ink, 4);
    Manager->Font().SetHeight(Height * 2);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Manager->UseSystemFont());
    EXPECT_EQ(CaptionInkHeight(*Open), Ink);
    Manager->SetScaled(false);
    Manager->Font().SetHeight(Height * 2);
    testsupport::PumpUntilIdle();
    EXPECT_GE(CaptionInkHeight(*Open), Ink * 3 / 2);
    EXPECT_GE(RectOf(*Open).Width(), Width * 3 / 2);
    EXPECT_GT(ToolWindow().Height(), BarHeight);
    EXPECT_GT(Manager->Bars()->DockControls(dsTop)->Height(), SiteHeight);
    // Scaled again: the system menu font's height, and the first look.
    Manager->SetScaled(true);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(CaptionInkHeight(*Open), Ink);
    EXPECT_EQ(RectOf(*Open).Width(), Width);
    EXPECT_EQ(ToolWindow().Height(), BarHeight);
    EXPECT_EQ(Manager->Bars()->DockControls(dsTop)->Height(), SiteHeight);
}

// A bar with a font of its own keeps it; the others take the manager's.
TEST_F(ManagerChangesTest, ABarWithItsOwnFontKeepsIt) {
    Show();
    const int Ink = CaptionInkHeight(*Open);
    auto MenuInk = [&] {
        return InkBox(BarWindow(), Bar->ItemLinks().Items(0)->ItemRect, Dark).Height();
    };
    const int Menu = MenuInk();
    Tools->SetUseOwnFont(true);
    Manager->SetScaled(false);
    Manager->Font().SetHeight(Manager->Font().Height() * 2);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(CaptionInkHeight(*Open), Ink);
    EXPECT_GE(MenuInk(), Menu * 3 / 2);
}

// A popup menu open when the font changes measures its rows again in the new font. The bars
// keep fonts of their own: a dock site that grew with them would close the menu.
TEST_F(ManagerChangesTest, AnOpenPopupMenuTakesTheNewFont) {
    Bar->SetUseOwnFont(true);
    Tools->SetUseOwnFont(true);
    Show();
    auto& Popup = Form->Own<TdxBarPopupMenu>();
    Button(Popup.ItemLinks(), "E&xit");
    Popup.ReturnAtOnce = true;
    Popup.Popup(300, 200);
    testsupport::PumpUntilIdle();
    TdxBarSubMenuControl* Menu = Popup.GetSubMenuControl();
    ASSERT_NE(Menu, nullptr);
    const pg::TSize Size{Menu->Width(), Menu->Height()};
    Manager->SetScaled(false);
    Manager->Font().SetHeight(Manager->Font().Height() * 2);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Popup.GetSubMenuControl(), Menu);
    EXPECT_GT(Menu->Width(), Size.cx);
    EXPECT_GT(Menu->Height(), Size.cy);
}

// Buttons that showed captions for want of images show the glyphs of a list as soon as it is
// assigned, and an image added to an assigned list shows as soon as it is there.
TEST_F(ManagerChangesTest, AnImageListAssignedPutsItsGlyphsOnTheShownButtons) {
    New->SetImageIndex(0);
    Open->SetImageIndex(1);
    Show();
    ASSERT_EQ(Count(*New, kRed), 0);
    const int CaptionWidth = RectOf(*Open).Width();
    pf::TImageList& Images = List(16, {kRed});
    Manager->SetImages(&Images);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Count(*New, kRed), 12 * 12);
    EXPECT_EQ(RectOf(*New).Width(), Manager->ButtonWidth());
    EXPECT_EQ(Count(*Open, kLime), 0);
    EXPECT_EQ(RectOf(*Open).Width(), CaptionWidth);
    Images.Add(*Image(16, kLime));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Count(*Open, kLime), 12 * 12);
    EXPECT_EQ(RectOf(*Open).Width(), Manager->ButtonWidth());
    // The list goes: so do its glyphs.
    Form->FreeComponent(Images);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Count(*New, kRed), 0);
    EXPECT_EQ(RectOf(*Open).Width(), CaptionWidth);
}

// Each of the other lists, assigned while a button is in the state it serves, shows there at
// once: the hot list under the mouse, the disabled lists on a disabled button (as they are,
// not greyed), the large list with large icons; out of that state the button shows its
// images again.
enum TButtonState { bsHot, bsDisabled, bsLarge, bsDisabledLarge };

struct StateListCase {
    const char* Name;
    TButtonState State;
    void (TdxBarManager::*Assign)(pf::TImageList*);
    int Side;
    pg::TColor Colour;
};

class ManagerStateListTest : public ManagerChangesTest,
                             public ::testing::WithParamInterface<StateListCase> {
protected:
    void Enter(TButtonState State) {
        if (State == bsHot) Input.MoveTo(CentreOf(Tools->ItemLinks(), 0));
        if (State == bsLarge || State == bsDisabledLarge) {
            if (State == bsDisabledLarge) Manager->SetLargeImages(&List(32, {kCyan}));
            Manager->SetUseLargeImagesForLargeIcons(true);
            Manager->SetLargeIcons(true);
        }
        if (State == bsDisabled || State == bsDisabledLarge) New->SetEnabled(false);
    }
    void Leave(TButtonState State) {
        if (State == bsHot) Input.MoveTo(Form->ClientToScreen({600, 250}));
        if (State == bsLarge) Manager->SetLargeIcons(false);
        if (State == bsDisabled || State == bsDisabledLarge) New->SetEnabled(true);
    }
};

TEST_P(ManagerStateListTest, ShowsAtOnceInItsState) {
    const StateListCase& Case = GetParam();
    New->SetImageIndex(0);
    Manager->SetImages(&List(16, {kRed}));
    Show();
    Enter(Case.State);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Count(*New, Case.Colour), 0);
    (Manager->*Case.Assign)(&List(Case.Side, {Case.Colour}));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Count(*New, Case.Colour), (Case.Side - 4) * (Case.Side - 4));
    Leave(Case.State);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Count(*New, Case.Colour), 0);
    EXPECT_GT(Count(*New, Case.State == bsDisabledLarge ? kCyan : kRed), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ManagerStateListTest,
    ::testing::Values(
        StateListCase{"HotUnderTheMouse", bsHot, &TdxBarManager::SetHotImages, 16, kBlue},
        StateListCase{"DisabledOnADisabledButton", bsDisabled, &TdxBarManager::SetDisabledImages,
                      16, kYellow},
        StateListCase{"LargeWithLargeIcons", bsLarge, &TdxBarManager::SetLargeImages, 32, kCyan},
        StateListCase{"DisabledLargeOnADisabledButton", bsDisabledLarge,
                      &TdxBarManager::SetDisabledLargeImages, 32, kOrange}),
    [](const ::testing::TestParamInfo<StateListCase>& Info) { return Info.param.Name; });

// What a user sees of the toolbar row: the places of the toolbar, its dock site and its
// buttons, and every pixel of the toolbar's client area.
struct TLook {
    pg::TRect Bar, Site;
    std::vector<pg::TRect> Items;
    std::vector<pg::COLORREF> Pixels;
    friend bool operator==(const TLook&, const TLook&) = default;
    friend void PrintTo(const TLook& L, std::ostream* Out) {
        *Out << "bar " << L.Bar.Left << "," << L.Bar.Top << " " << L.Bar.Width() << "x"
             << L.Bar.Height() << ", site height " << L.Site.Height() << ", items";
        for (const pg::TRect& R : L.Items)
            *Out << " " << R.Left << "-" << R.Right;
        std::size_t Hash = 0;
        for (pg::COLORREF P : L.Pixels)
            Hash = Hash * 31 + P;
        *Out << ", pixels #" << Hash;
    }
};

class ManagerLockTest : public ManagerChangesTest {
protected:
    TLook Look() {
        TLook L;
        TdxBarControl& W = ToolWindow();
        L.Bar = W.BoundsRect();
        L.Site = Manager->Bars()->DockControls(dsTop)->BoundsRect();
        for (int I = 0; I < Tools->ItemLinks().Count(); ++I)
            L.Items.push_back(Tools->ItemLinks().Items(I)->ItemRect);
        for (int Y = 0; Y < W.ClientHeight(); ++Y)
            for (int X = 0; X < W.ClientWidth(); ++X)
                L.Pixels.push_back(Pixel(W, X, Y));
        return L;
    }
    // A caption, an enabled state and the font change: layouts and repaints.
    void Change(bool Forth) {
        Open->SetCaption(Forth ? "Open a file" : "Open");
        New->SetEnabled(!Forth);
        Manager->Font().SetHeight(Forth ? FHeight * 2 : FHeight);
    }
    int FHeight = 0;
};

// Changes made while the manager is locked do not show until it is unlocked; then the bars are
// laid out and painted as if the changes had been made unlocked.
TEST_F(ManagerLockTest, UnlockingShowsWhatChangedMeanwhileAsUnlockedChangesWould) {
    Show();
    Manager->SetScaled(false);
    FHeight = Manager->Font().Height();
    const TLook Before = Look();
    Manager->SetLockUpdate(true);
    Change(true);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Look(), Before);
    Manager->SetLockUpdate(false);
    testsupport::PumpUntilIdle();
    const TLook Unlocked = Look();
    EXPECT_NE(Unlocked.Bar, Before.Bar);

    Change(false);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Look(), Before);
    Change(true);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Unlocked, Look());
}

// At design time the designer's inspector shows the command selected on a bar or in the menu
// the sub-menu editor shows.
class ManagerDesignSelectionTest : public DesignFormFixture {
protected:
    ManagerDesignSelectionTest() {
        Open = &Item<TdxBarButton>("btnOpen", "&Open", 1);
        Copy = &Item<TdxBarButton>("btnCopy", "&Copy", 2);
        Menu = &Item<TdxBarSubItem>("subRecent", "&Recent", 1);
        Menu->ItemLinks().Add(Open);
        Menu->ItemLinks().Add(Copy);
        Tools = Manager->Bars()->Add();
        Tools->SetCaption("Tools");
        Tools->SetDockingStyle(dsTop);
        Tools->ItemLinks().Add(Open);
        Tools->ItemLinks().Add(Copy);
        Form->Show();
        Tools->SetVisible(true);
        testsupport::PumpUntilIdle();
    }
    static pg::TPoint Centre(TdxBarItemLinks& Links, int Index) {
        const pg::TRect R = Links.VisibleItems(Index)->ItemRect;
        return Links.BarControl()->ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    }

    TdxBarButton* Open = nullptr;
    TdxBarButton* Copy = nullptr;
    TdxBarSubItem* Menu = nullptr;
    TdxBar* Tools = nullptr;
};

TEST_F(ManagerDesignSelectionTest, TheDesignerShowsTheCommandSelectedOnABarOrInAMenu) {
    Input.Click(Centre(Tools->ItemLinks(), 1));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Designer.Selected, Copy);
    ShowSubMenuEditor(&Menu->ItemLinks());
    testsupport::PumpUntilIdle();
    TdxBarSubMenuEditor* Editor = GetSubMenuEditor();
    ASSERT_NE(Editor, nullptr);
    pw::SetForegroundWindow(Editor->Handle());
    testsupport::PumpUntilIdle();
    ASSERT_NE(Editor->SubMenuControl(), nullptr);
    Input.Click(Centre(Menu->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Designer.Selected, Open);
}

} // namespace
} // namespace toolkit::bars
