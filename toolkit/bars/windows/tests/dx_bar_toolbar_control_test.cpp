#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_edit_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/base/office11.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/window_handle.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/graphics.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/text_out.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/cursors.h"
#include "platform/win/hooks.h"
#include "platform/win/input_state.h"
#include "platform/win/load_image.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// The main window's five menus.
const char* const kMenus[] = {"&File", "Settings", "Gadgets", "&Window", "&Help"};

class ToolbarControlTest : public ::testing::Test {
protected:
    ToolbarControlTest() : FRoot(std::make_unique<pc::TComponent>(nullptr)) {
        pg::SetVisualStyleScheme(pg::VisualStyleScheme::Blue);
        toolkit::base::dxOffice11RefreshColors();
        Form = &FRoot->Own<pf::TForm>();
        Form->SetBounds(0, 0, 640, 300);
        Manager = &Form->Own<TdxBarManager>();
        Manager->SetStyle(bmsOffice11);
    }
    ~ToolbarControlTest() override {
        FRoot.reset();
        testsupport::PumpUntilIdle();
    }

    TdxBarButton& Button(TdxBar& Bar, const std::string& Caption) {
        auto& B = Form->Own<TdxBarButton>();
        B.SetCaption(Caption);
        Bar.ItemLinks().Add(&B);
        return B;
    }
    TdxBar& MenuBar() {
        TdxBar& Bar = *Manager->Bars()->Add();
        Bar.SetCaption("Main Menu");
        Bar.SetIsMainMenu(true);
        Bar.SetDockingStyle(dsTop);
        for (const char* Caption : kMenus) {
            auto& Sub = Form->Own<TdxBarSubItem>();
            Sub.SetCaption(Caption);
            Bar.ItemLinks().Add(&Sub);
        }
        return Bar;
    }
    TdxBar& ToolBar(int Buttons) {
        TdxBar& Bar = *Manager->Bars()->Add();
        Bar.SetCaption("ToolBar");
        Bar.SetDockingStyle(dsTop);
        Bar.SetDockedTop(30);
        for (int I = 0; I < Buttons; ++I)
            Button(Bar, "Button " + std::to_string(I + 1));
        return Bar;
    }
    void Show(std::initializer_list<TdxBar*> Bars) {
        Form->Show();
        for (TdxBar* Bar : Bars)
            Bar->SetVisible(true);
        testsupport::PumpUntilIdle();
    }
    static TdxBarControl& Window(TdxBar& Bar) {
        auto* W = dynamic_cast<TdxBarControl*>(Bar.Control());
        EXPECT_NE(W, nullptr);
        return *W;
    }
    TdxDockControl& Top() { return *Manager->Bars()->DockControls(dsTop); }
    int RowOf(TdxBar& Bar) {
        const TdxDockCol* Col = Top().FindCol(Bar.Control());
        return Col ? Top().IndexOfRow(Col->Row) : -1;
    }
    static pg::TRect RectOf(TdxBar& Bar, int Index) {
        return Bar.ItemLinks().VisibleItems(Index)->ItemRect;
    }
    // The toolbar's client made Width wide, the items placed again.
    static void PlaceIn(TdxBar& Bar, int Width) {
        TdxBarControl& W = Window(Bar);
        const pg::TRect B = W.BoundsRect();
        W.SetBoundsRect({B.Left, B.Top, B.Left + Width + (B.Width() - W.ClientWidth()), B.Bottom});
        W.SetTruncated(false);
        W.CalcItemRects();
    }

    // Text pixels: darker than anything else the Office 2003 bars paint in their client area.
    static bool IsInk(pg::COLORREF C) {
        return pg::GetRValue(C) < 64 && pg::GetGValue(C) < 64 && pg::GetBValue(C) < 64;
    }
    // The width of Caption without its accelerator marks in the manager's font.
    int TextWidth(const std::string& Caption) const {
        return ManagerTextWidth(*Manager, RemoveAccelChars(Caption));
    }
    // How many columns Caption's pixels span when drawn alone in the manager's font, the
    // accelerator underlined, as the bars draw captions.
    int InkWidth(const std::string& Caption) const {
        pf::TBitmap B;
        B.SetSize(300, 40);
        pg::TCanvas& C = B.Canvas();
        C.Font().Assign(Manager->Font());
        C.Font().SetColor(pg::clBlack);
        C.Require(pg::TCanvas::FontValid);
        pg::SetBkMode(C.Handle(), pg::TRANSPARENT);
        pg::TRect R{0, 0, 300, 40};
        pg::DrawText(C.Handle(), Caption.data(), static_cast<int>(Caption.size()), &R,
                     pg::DT_SINGLELINE | pg::DT_VCENTER);
        int First = 300, Last = -1;
        for (int Y = 0; Y < 40; ++Y)
            for (int X = 0; X < 300; ++X)
                if (IsInk(pg::ColorToRGB(C.Pixel(X, Y)))) {
                    First = std::min(First, X);
                    Last = std::max(Last, X);
                }
        return Last - First + 1;
    }
    // The client pixel at (X, Y) of a bar window, as its surface holds it.
    static pg::COLORREF ClientPixel(TdxBarControl& W, int X, int Y) {
        const pg::TPoint Client = W.ClientToScreen({0, 0}), Origin = W.WindowToScreen({0, 0});
        const auto Surface = platform::win::WindowSurface(W.Handle());
        return pg::PixelToColor(Surface->Pixel(X + Client.X - Origin.X, Y + Client.Y - Origin.Y) &
                                0xFFFFFF);
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    TdxBarUnit Unit;
    std::unique_ptr<pc::TComponent> FRoot;
    pf::TForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
    testsupport::InputDriver Input;
};

TEST_F(ToolbarControlTest, AFormShowsItsMenuBarAndToolbarDockedOnTopAndAButtonClicks) {
    TdxBar& Tools = ToolBar(3);
    TdxBar& Menu = MenuBar();
    int Runs = 0;
    auto* Save = dynamic_cast<TdxBarButton*>(Tools.ItemLinks().Items(1)->Item());
    ASSERT_NE(Save, nullptr);
    Save->OnClick = [&](pc::TObject*) { ++Runs; };
    // The toolbar is shown first: the menu bar still takes row 0.
    Show({&Tools, &Menu});
    EXPECT_EQ(RowOf(Menu), 0);
    EXPECT_EQ(RowOf(Tools), 1);
    TdxBarControl& MenuWindow = Window(Menu);
    TdxBarControl& ToolWindow = Window(Tools);
    EXPECT_EQ(MenuWindow.Parent(), &Top());
    EXPECT_EQ(MenuWindow.Width(), Top().ClientWidth());
    EXPECT_EQ(Top().Height(), MenuWindow.Height() + ToolWindow.Height());
    EXPECT_FALSE(ToolWindow.Truncated());
    for (int I = 0; I < 5; ++I)
        EXPECT_FALSE(pg::IsRectEmpty(RectOf(Menu, I))) << kMenus[I];

    const pg::TRect R = RectOf(Tools, 1);
    const pg::TPoint Centre =
        ToolWindow.ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    Input.MoveTo(Centre);
    Input.Click(Centre);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Runs, 1);
    EXPECT_FALSE(ToolWindow.Active());

    Input.MoveTo(Form->ClientToScreen({600, 250}));
    testsupport::PumpUntilIdle();
    testsupport::TempFolder Temp("toolbar_control_");
    const auto Path = std::filesystem::path(Temp.Path()) / "office2003_blue_form.png";
    ASSERT_TRUE(testsupport::SaveWindowPng(Form->Handle(), Path.string()));
    EXPECT_TRUE(std::filesystem::exists(Path));
    // Sampled on the toolbar's surface: its gradient is blue.
    const pg::HDC DC = platform::win::GetDC(ToolWindow.Handle());
    const pg::COLORREF Face = pg::GetPixel(DC, R.Left + 1, 1);
    platform::win::ReleaseDC(ToolWindow.Handle(), DC);
    EXPECT_GT(pg::GetBValue(Face), pg::GetRValue(Face));

    // The docked frame, which WM_NCPAINT draws (window coordinates): grip dots, dark over
    // light in 4-pixel cells, down the drag handle 5 pixels in (border 2, grip offset 3), and
    // the border line along the bottom, in the blue scheme's colours.
    const pg::COLORREF GripDark = pg::RGB(39, 65, 118), GripLight = pg::RGB(255, 255, 255);
    const pg::COLORREF BorderLine = pg::RGB(59, 97, 156);
    const auto Surface = platform::win::WindowSurface(ToolWindow.Handle());
    auto At = [&](int X, int Y) { return pg::PixelToColor(Surface->Pixel(X, Y) & 0xFFFFFF); };
    const pg::TPoint ClientOrigin = ToolWindow.ClientToScreen({0, 0});
    const pg::TPoint WindowOrigin = ToolWindow.WindowToScreen({0, 0});
    ASSERT_GT(ClientOrigin.X - WindowOrigin.X, 7) << "the drag handle lies left of the client";
    int FirstDot = -1;
    for (int Y = 0; Y < ToolWindow.Height() && FirstDot < 0; ++Y)
        if (At(5, Y) == GripDark) FirstDot = Y;
    ASSERT_GE(FirstDot, 0) << "no grip dot in the drag handle";
    EXPECT_EQ(At(6, FirstDot + 1), GripDark);
    EXPECT_EQ(At(7, FirstDot + 2), GripLight);
    EXPECT_EQ(At(5, FirstDot + 4), GripDark);
    EXPECT_EQ(At(7, FirstDot + 6), GripLight);
    EXPECT_EQ(At(10, ToolWindow.Height() - 1), BorderLine);

    // The snapshot shows the form as the screen does: the docked bars, frames included.
    const pg::HBITMAP Snapshot = platform::win::LoadImage(
        Path.string(), platform::win::IMAGE_BITMAP, 0, 0, platform::win::LR_LOADFROMFILE);
    ASSERT_NE(Snapshot, pg::NullObject);
    const pg::Surface* Picture = pg::BitmapSurface(Snapshot);
    pg::TRect FormRect;
    ASSERT_TRUE(platform::win::GetWindowRect(Form->Handle(), &FormRect));
    const pg::TPoint FormWindowOrigin = FormRect.TopLeft();
    auto Shown = [&](const TdxBarControl& W, int X, int Y) {
        const pg::TPoint P = W.WindowToScreen({X, Y});
        return pg::PixelToColor(Picture->Pixel(P.X - FormWindowOrigin.X, P.Y - FormWindowOrigin.Y) &
                                0xFFFFFF);
    };
    EXPECT_EQ(Shown(ToolWindow, 5, FirstDot), GripDark);
    EXPECT_EQ(Shown(ToolWindow, 7, FirstDot + 2), GripLight);
    EXPECT_EQ(Shown(ToolWindow, 10, ToolWindow.Height() - 1), BorderLine);
    EXPECT_EQ(Shown(ToolWindow, R.Left + 1 + (ClientOrigin.X - WindowOrigin.X),
                    1 + (ClientOrigin.Y - WindowOrigin.Y)),
              Face);
    // The menu bar's first entry, as its own surface holds it.
    const pg::TRect Entry = RectOf(Menu, 0);
    const pg::TPoint MenuClient = MenuWindow.ClientToScreen({0, 0});
    const pg::TPoint MenuWindowOrigin = MenuWindow.WindowToScreen({0, 0});
    const auto MenuSurface = platform::win::WindowSurface(MenuWindow.Handle());
    for (int X = Entry.Left; X < Entry.Right; X += 3) {
        const int WX = X + MenuClient.X - MenuWindowOrigin.X;
        const int WY = (Entry.Top + Entry.Bottom) / 2 + MenuClient.Y - MenuWindowOrigin.Y;
        ASSERT_EQ(Shown(MenuWindow, WX, WY),
                  pg::PixelToColor(MenuSurface->Pixel(WX, WY) & 0xFFFFFF))
            << "menu entry column " << X;
    }
    pg::DeleteObject(Snapshot);
}

// A form makes its bars before it has a window, as a form loads them: they show with it, each
// in the row it was given whatever its stored top, measured in their font, and work.
TEST_F(ToolbarControlTest, BarsSetUpBeforeTheFormHasAWindowShowWithItInTheirRows) {
    TdxBar& Menu = MenuBar();
    TdxBar& Tools = ToolBar(3);
    auto* File = dynamic_cast<TdxBarSubItem*>(Menu.ItemLinks().Items(0)->Item());
    ASSERT_NE(File, nullptr);
    File->ItemLinks().Add(&Form->Own<TdxBarButton>());
    Tools.SetDockedTop(0);
    Tools.SetRow(1);
    Tools.OneOnRow = true;
    for (TdxBar* Bar : {&Menu, &Tools})
        Bar->SetVisible(true);
    ASSERT_FALSE(Form->HandleAllocated());
    Form->Show();
    testsupport::PumpUntilIdle();

    EXPECT_EQ(RowOf(Menu), 0);
    EXPECT_EQ(RowOf(Tools), 1);
    TdxBarControl& MenuWindow = Window(Menu);
    TdxBarControl& ToolWindow = Window(Tools);
    for (TdxBarControl* W : {&MenuWindow, &ToolWindow})
        EXPECT_TRUE(platform::win::IsWindowVisible(W->Handle())) << W->Bar()->Caption();
    EXPECT_EQ(MenuWindow.Top(), 0);
    EXPECT_EQ(ToolWindow.Top(), MenuWindow.Height());
    EXPECT_EQ(Top().Height(), MenuWindow.Height() + ToolWindow.Height());
    std::vector<pg::TRect> Entries;
    for (int I = 0; I < 5; ++I) {
        Entries.push_back(RectOf(Menu, I));
        EXPECT_GT(Entries.back().Height(), 0) << kMenus[I];
    }
    // As tall as the entries of a menu bar shown on a form that has its window.
    Menu.SetVisible(false);
    Menu.SetVisible(true);
    testsupport::PumpUntilIdle();
    for (int I = 0; I < 5; ++I)
        EXPECT_EQ(RectOf(Menu, I), Entries[static_cast<std::size_t>(I)]) << kMenus[I];
    EXPECT_EQ(RowOf(Menu), 0);

    TdxBarControl& Shown = Window(Menu);
    const pg::TRect Entry = RectOf(Menu, 0);
    const pg::TPoint Centre =
        Shown.ClientToScreen({(Entry.Left + Entry.Right) / 2, (Entry.Top + Entry.Bottom) / 2});
    Input.MoveTo(Centre);
    Input.Click(Centre);
    testsupport::PumpUntilIdle();
    ASSERT_NE(File->ItemLinks().BarControl(), nullptr) << "File did not open";
    EXPECT_TRUE(platform::win::IsWindowVisible(File->ItemLinks().BarControl()->Handle()));
}

// Each item is measured for its caption in the manager's font and draws it in the same font:
// the caption's pixels lie inside the item's rectangle, none cut off.
// A panel whose window can be made again, as a change of its style does.
class TRemadePanel : public pf::TPanel {
public:
    using pf::TPanel::TPanel;
    void Remake() { RecreateWnd(); }
};

// The window of a placed dock site goes with its panel's and is made again: the toolbar docked
// there comes back where it was, and its button still runs.
TEST_F(ToolbarControlTest, ABarOnAPlacedSiteComesBackWhenTheSitesWindowIsMadeAgain) {
    auto& Panel = Form->Own<TRemadePanel>();
    Panel.SetParent(Form);
    Panel.SetBounds(0, 100, 500, 120);
    auto& Site = Form->Own<TdxBarDockControl>();
    Site.SetBarManager(Manager);
    Site.SetParent(&Panel);
    TdxBar& Bar = ToolBar(3);
    Bar.SetDockControl(&Site);
    int Runs = 0;
    Bar.ItemLinks().Items(0)->Item()->OnClick = [&](pc::TObject*) { ++Runs; };
    Show({&Bar});
    const pg::TRect Before = Window(Bar).BoundsRect();
    const pg::TRect Item = RectOf(Bar, 0);
    Panel.Remake();
    testsupport::PumpUntilIdle();
    ASSERT_NE(Bar.Control(), nullptr);
    TdxBarControl& W = Window(Bar);
    ASSERT_TRUE(W.HandleAllocated());
    EXPECT_TRUE(pw::IsWindowVisible(W.Handle()));
    EXPECT_EQ(pw::GetParent(W.Handle()), Site.Handle());
    EXPECT_EQ(W.DockSite(), &Site);
    EXPECT_EQ(W.BoundsRect(), Before);
    EXPECT_EQ(RectOf(Bar, 0), Item);
    Input.Click(W.ClientToScreen({(Item.Left + Item.Right) / 2, (Item.Top + Item.Bottom) / 2}));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Runs, 1);
}

TEST_F(ToolbarControlTest, BarsShownBeforeTheirFormAppearWithIt) {
    TdxBar& Menu = MenuBar();
    TdxBar& Tools = ToolBar(3);
    Menu.SetVisible(true);
    Tools.SetVisible(true);
    Form->Show();
    testsupport::PumpUntilIdle();
    for (TdxBar* Bar : {&Menu, &Tools}) {
        EXPECT_TRUE(platform::win::IsWindowVisible(Window(*Bar).Handle())) << Bar->Caption();
        EXPECT_EQ(Window(*Bar).Parent(), &Top()) << Bar->Caption();
    }
}

TEST_F(ToolbarControlTest, CaptionsAreDrawnWholeInsideTheRectanglesMeasuredForThem) {
    TdxBar& Tools = ToolBar(3);
    TdxBar& Menu = MenuBar();
    Show({&Menu, &Tools});
    Input.MoveTo(Form->ClientToScreen({600, 250}));
    testsupport::PumpUntilIdle();
    struct Case {
        TdxBar* Bar;
        // The width the item's measuring rule gives for its caption.
        std::function<int(const std::string&)> Width;
    };
    const Case Cases[] = {
        // Main-menu entries: the caption with the 8-pixel text indent on both sides.
        {&Menu, [&](const std::string& C) { return TextWidth(C) + 2 * 8; }},
        // Toolbar buttons without an image: the caption and the font's point size.
        {&Tools,
         [&](const std::string& C) { return TextWidth(C) + std::abs(Manager->Font().Size()); }},
    };
    for (const Case& C : Cases) {
        TdxBarControl& W = Window(*C.Bar);
        const int Count = C.Bar->ItemLinks().VisibleItemCount();
        std::vector<int> First(Count, W.ClientWidth()), Last(Count, -1);
        // The mark's glyphs at the end are no caption.
        const int Items = W.ClientWidth() - (W.HasMark() ? 11 : 0);
        for (int Y = 0; Y < W.ClientHeight(); ++Y)
            for (int X = 0; X < Items; ++X) {
                if (!IsInk(ClientPixel(W, X, Y))) continue;
                int Owner = -1;
                for (int I = 0; I < Count; ++I)
                    if (pg::PtInRect(RectOf(*C.Bar, I), {X, Y})) Owner = I;
                ASSERT_GE(Owner, 0)
                    << C.Bar->Caption() << ": text outside every item at " << X << "," << Y;
                First[Owner] = std::min(First[Owner], X);
                Last[Owner] = std::max(Last[Owner], X);
            }
        for (int I = 0; I < Count; ++I) {
            const std::string Caption = C.Bar->ItemLinks().VisibleItems(I)->GetCaption();
            const pg::TRect R = RectOf(*C.Bar, I);
            EXPECT_EQ(R.Width(), C.Width(Caption)) << Caption;
            EXPECT_EQ(Last[I] - First[I] + 1, InkWidth(Caption)) << Caption;
            EXPECT_GT(First[I], R.Left) << Caption;
            EXPECT_LT(Last[I], R.Right - 1) << Caption;
        }
    }
}

// Docked on the left, the main menu writes its captions down the bar in a turned font, each
// whole inside its entry: the ink runs as far down as the caption's ink runs across when
// written level. The bar gets there docked so from the start, or on a placed site that turns.
class TurnedMenuTest : public ToolbarControlTest, public ::testing::WithParamInterface<bool> {};

TEST_P(TurnedMenuTest, AMainMenuOnTheLeftDrawsItsCaptionsTurnedAndWhole) {
    TdxBar& Menu = MenuBar();
    TdxBarDockControl* Site = nullptr;
    if (GetParam()) {
        Site = &Form->Own<TdxBarDockControl>();
        Site->SetBarManager(Manager);
        Site->SetParent(Form);
        Menu.SetDockControl(Site);
    } else {
        Menu.SetDockingStyle(dsLeft);
    }
    Form->SetBounds(0, 0, 640, 400);
    Show({&Menu});
    if (Site) Site->SetAlign(pf::alLeft);
    Input.MoveTo(Form->ClientToScreen({600, 350}));
    testsupport::PumpUntilIdle();
    TdxBarControl& W = Window(Menu);
    ASSERT_EQ(W.DockingStyle(), dsLeft);
    const int Count = Menu.ItemLinks().VisibleItemCount();
    pg::TRect Ink[5];
    for (pg::TRect& R : Ink)
        R = {W.ClientWidth(), W.ClientHeight(), -1, -1};
    // The mark's glyph at the bottom end is no caption.
    const int Items = W.ClientHeight() - (W.HasMark() ? 11 : 0);
    for (int Y = 0; Y < Items; ++Y)
        for (int X = 0; X < W.ClientWidth(); ++X) {
            if (!IsInk(ClientPixel(W, X, Y))) continue;
            int Owner = -1;
            for (int I = 0; I < Count; ++I)
                if (pg::PtInRect(RectOf(Menu, I), {X, Y})) Owner = I;
            ASSERT_GE(Owner, 0) << "text outside every entry at " << X << "," << Y;
            pg::TRect& R = Ink[Owner];
            R = {std::min(R.Left, X), std::min(R.Top, Y), std::max(R.Right, X + 1),
                 std::max(R.Bottom, Y + 1)};
        }
    for (int I = 0; I < Count; ++I) {
        const std::string Caption = Menu.ItemLinks().VisibleItems(I)->GetCaption();
        SCOPED_TRACE(Caption);
        const pg::TRect R = RectOf(Menu, I);
        EXPECT_GT(Ink[I].Height(), Ink[I].Width());
        EXPECT_EQ(Ink[I].Height(), InkWidth(Caption));
        EXPECT_GT(Ink[I].Top, R.Top);
        EXPECT_LT(Ink[I].Bottom, R.Bottom);
    }
}

INSTANTIATE_TEST_SUITE_P(Docked, TurnedMenuTest, ::testing::Values(false, true),
                         [](const auto& Info) { return Info.param ? "OnATurnedSite" : "Left"; });

// Over the text part of an edit or a combo the pointer is the I-beam; over the combo's button
// and over a button it is the arrow.
TEST_F(ToolbarControlTest, ThePointerIsTheIBeamOverTheTextOfAnEdit) {
    TdxBar& Tools = ToolBar(1);
    auto& Edit = Form->Own<TdxBarEdit>();
    Edit.SetCaption("Name");
    Tools.ItemLinks().Add(&Edit);
    auto& Combo = Form->Own<TdxBarCombo>();
    Combo.SetCaption("Kind");
    Combo.Items().Add("alpha");
    Tools.ItemLinks().Add(&Combo);
    Show({&Tools});
    TdxBarControl& W = Window(Tools);
    auto Centre = [&](const pg::TRect& R) {
        return W.ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    };
    auto* EditControl = dynamic_cast<TdxBarWinControl*>(Tools.ItemLinks().Items(1)->Control());
    auto* ComboControl =
        dynamic_cast<TCustomdxBarComboControl*>(Tools.ItemLinks().Items(2)->Control());
    ASSERT_NE(EditControl, nullptr);
    ASSERT_NE(ComboControl, nullptr);
    const auto IBeam = platform::win::ScreenCursor(pf::crIBeam);
    const auto Arrow = platform::win::LoadCursor(platform::win::IDC_ARROW);
    struct Case {
        const char* Name;
        pg::TPoint At;
        platform::win::HCURSOR Cursor;
    };
    const Case Cases[] = {
        {"edit", Centre(EditControl->GetWindowRect()), IBeam},
        {"button", Centre(RectOf(Tools, 0)), Arrow},
        {"combo text", Centre(ComboControl->GetWindowRect()), IBeam},
        {"combo button", Centre(ComboControl->ButtonPart(RectOf(Tools, 2))), Arrow},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Input.MoveTo(C.At);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(platform::win::GetCursor(), C.Cursor);
    }
}

// An item kind that wants to hear when a toolbar paints without its link.
class TNoticedButton : public TdxBarButton {
public:
    using TdxBarButton::TdxBarButton;
    bool NeedsNotShownNotice() const override { return true; }
    void NotShownNotice(TCustomdxBarControl* BarControl) override { Notices.push_back(BarControl); }
    std::vector<TCustomdxBarControl*> Notices;
};

TEST_F(ToolbarControlTest, AnItemThatAsksHearsWhenAToolbarPaintsWithoutItsLink) {
    TdxBar& Tools = ToolBar(1);
    auto& Hidden = Form->Own<TNoticedButton>();
    Hidden.SetCaption("Hidden");
    Tools.ItemLinks().Add(&Hidden)->SetVisible(false);
    auto& Shown = Form->Own<TNoticedButton>();
    Shown.SetCaption("Shown");
    Tools.ItemLinks().Add(&Shown);
    Show({&Tools});
    Window(Tools).Repaint();
    ASSERT_FALSE(Hidden.Notices.empty());
    EXPECT_EQ(Hidden.Notices.back(), &Window(Tools));
    EXPECT_TRUE(Shown.Notices.empty());
}

// An entry of the main menu that is neither hot nor open has no face of its own: the menu
// bar's background shows through it, as the bar paints it where no entry lies.
TEST_F(ToolbarControlTest, UnselectedMainMenuEntriesShowTheMenuBarsBackground) {
    TdxBar& Tools = ToolBar(3);
    TdxBar& Menu = MenuBar();
    Show({&Menu, &Tools});
    Input.MoveTo(Form->ClientToScreen({600, 250}));
    testsupport::PumpUntilIdle();
    TdxBarControl& W = Window(Menu);
    ASSERT_EQ(W.SelectedControl(), nullptr);
    pf::TBitmap Background;
    Background.SetSize(W.ClientWidth(), W.ClientHeight());
    W.FillBackground(Background.Canvas().Handle(), W.ClientRect());
    for (int I = 0; I < 5; ++I) {
        const pg::TRect R = RectOf(Menu, I);
        // The entry's top row, and its text indent across the whole height.
        for (int X = R.Left; X < R.Right; ++X)
            ASSERT_EQ(ClientPixel(W, X, R.Top), pg::ColorToRGB(Background.Canvas().Pixel(X, R.Top)))
                << kMenus[I] << " at " << X;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Left + 8; ++X)
                ASSERT_EQ(ClientPixel(W, X, Y), pg::ColorToRGB(Background.Canvas().Pixel(X, Y)))
                    << kMenus[I] << " at " << X << "," << Y;
    }
    // The menu bar's background is not the toolbar's gradient.
    EXPECT_NE(ClientPixel(W, RectOf(Menu, 0).Left + 2, 2), ClientPixel(Window(Tools), 2, 2));
}

// After its click a button shows the plain toolbar face again: the gradient runs on through
// its edges and over the client's first and last rows, as over the buttons never clicked.
TEST_F(ToolbarControlTest, AClickedButtonReturnsToThePlainToolbarFace) {
    TdxBar& Tools = ToolBar(3);
    Show({&Tools});
    TdxBarControl& W = Window(Tools);
    const pg::TRect Clicked = RectOf(Tools, 1);
    const pg::TPoint Centre =
        W.ClientToScreen({(Clicked.Left + Clicked.Right) / 2, (Clicked.Top + Clicked.Bottom) / 2});
    Input.MoveTo(Centre);
    Input.Click(Centre);
    Input.MoveTo(Form->ClientToScreen({600, 250}));
    testsupport::PumpUntilIdle();
    ASSERT_EQ(W.SelectedControl(), nullptr);
    const int Left = RectOf(Tools, 0).Left, Right = RectOf(Tools, 2).Right;
    for (const int Y : {0, 1, W.ClientHeight() - 2, W.ClientHeight() - 1})
        for (int X = Left; X < Right; ++X)
            ASSERT_EQ(ClientPixel(W, X, Y), ClientPixel(W, Left, Y)) << X << "," << Y;
    for (int I = 0; I < 3; ++I) {
        const pg::TRect R = RectOf(Tools, I);
        for (int Y = 0; Y < W.ClientHeight(); ++Y) {
            EXPECT_EQ(ClientPixel(W, R.Left, Y), ClientPixel(W, R.Left + 2, Y)) << I << "," << Y;
            EXPECT_EQ(ClientPixel(W, R.Right - 1, Y), ClientPixel(W, R.Left + 2, Y))
                << I << "," << Y;
        }
    }
    // The client's top row is the gradient's, next to the row under it.
    const pg::COLORREF Top = ClientPixel(W, Left, 0), Below = ClientPixel(W, Left, 1);
    EXPECT_LE(std::abs(pg::GetBValue(Top) - pg::GetBValue(Below)), 8);
}

TEST_F(ToolbarControlTest, ItemPlacementForAGivenLength) {
    TdxBar& Tools = ToolBar(4);
    Tools.ItemLinks().Items(2)->SetBeginGroup(true);
    Show({&Tools});
    TdxBarControl& W = Window(Tools);
    PlaceIn(Tools, 600);
    const int Sep = W.GetSeparatorSize();
    const int Mark = W.HasMark() ? 11 : 0;
    std::vector<int> Widths;
    for (int I = 0; I < 4; ++I)
        Widths.push_back(RectOf(Tools, I).Width());
    const int Full = Widths[0] + Widths[1] + Sep + Widths[2] + Widths[3];

    struct Case {
        const char* Name;
        int Client;
        int Shown;
        bool Truncated;
    };
    const Case Cases[] = {
        {"all fit", Full + Mark, 4, false},
        {"last one short by a pixel", Full + Mark - 1, 3, true},
        {"the group does not fit", Widths[0] + Widths[1] + Sep + Mark, 2, true},
        {"only the first", Widths[0] + Mark, 1, true},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        PlaceIn(Tools, C.Client);
        EXPECT_EQ(W.Truncated(), C.Truncated);
        int Shown = 0;
        for (int I = 0; I < 4; ++I)
            if (!pg::IsRectEmpty(RectOf(Tools, I))) {
                ++Shown;
                EXPECT_LE(RectOf(Tools, I).Right, C.Client - Mark);
            }
        EXPECT_EQ(Shown, C.Shown);
        EXPECT_EQ(RectOf(Tools, 0).Left, 0);
        if (C.Shown > 2) {
            EXPECT_EQ(RectOf(Tools, 2).Left, RectOf(Tools, 1).Right + Sep);
        }
    }
}

TEST_F(ToolbarControlTest, OnlyTheLastItemAlignsRightAndEndsTheLine) {
    TdxBar& Tools = ToolBar(3);
    Show({&Tools});
    TdxBarControl& W = Window(Tools);
    struct Case {
        const char* Name;
        int Aligned;
    };
    for (const Case& C : {Case{"last", 2}, Case{"not last", 1}}) {
        SCOPED_TRACE(C.Name);
        for (int I = 0; I < 3; ++I)
            Tools.ItemLinks().Items(I)->Item()->SetAlign(I == C.Aligned ? iaRight : iaLeft);
        W.RefreshLayout();
        PlaceIn(Tools, 500);
        const int Limit = W.ClientWidth() - (W.HasMark() ? 11 : 0);
        if (C.Aligned == 2) {
            EXPECT_EQ(RectOf(Tools, 2).Right, Limit);
        } else {
            EXPECT_EQ(RectOf(Tools, 1).Left, RectOf(Tools, 0).Right);
            EXPECT_EQ(RectOf(Tools, 2).Left, RectOf(Tools, 1).Right);
        }
        EXPECT_FALSE(W.Truncated());
    }
}

// "&Help" aligned right from code moves to the bar's right end at once: its caption is drawn
// there and no longer where it stood.
TEST_F(ToolbarControlTest, AnAlignmentSetFromCodeMovesTheEntryAtOnce) {
    TdxBar& Menu = MenuBar();
    Show({&Menu});
    TdxBarControl& W = Window(Menu);
    const pg::TRect Before = RectOf(Menu, 4);
    auto InkIn = [&](const pg::TRect& R) {
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                if (IsInk(ClientPixel(W, X, Y))) return true;
        return false;
    };
    ASSERT_TRUE(InkIn(Before));
    Menu.ItemLinks().Items(4)->Item()->SetAlign(iaRight);
    testsupport::PumpUntilIdle();
    const pg::TRect After = RectOf(Menu, 4);
    EXPECT_EQ(After.Right, W.ClientWidth() - (W.HasMark() ? 11 : 0));
    ASSERT_GT(After.Left, Before.Right);
    EXPECT_TRUE(InkIn(After));
    EXPECT_FALSE(InkIn(Before));
}

TEST_F(ToolbarControlTest, NarrowingTheFormWrapsTheMenuBarAndAGroupWrapsWhole) {
    TdxBar& Menu = MenuBar();
    Show({&Menu});
    TdxBarControl& W = Window(Menu);
    const int OneLine = W.Height();
    int Entries = 0;
    for (int I = 0; I < 5; ++I)
        Entries += RectOf(Menu, I).Width();
    const int Frame = W.Width() - W.ClientWidth();
    const int Mark = W.HasMark() ? 11 : 0;

    // All but the last entry fit: "&Help" opens a second line.
    Form->SetClientWidth(Entries - RectOf(Menu, 4).Width() / 2 + Frame + Mark);
    testsupport::PumpUntilIdle();
    EXPECT_GT(W.Height(), OneLine);
    EXPECT_EQ(Top().Height(), W.Height());
    auto* Help = Menu.ItemLinks().Items(4)->Control();
    EXPECT_TRUE(Help->LineStart);
    EXPECT_EQ(RectOf(Menu, 4).Left, 0);
    EXPECT_GT(RectOf(Menu, 4).Top, RectOf(Menu, 0).Top);
    EXPECT_FALSE(Menu.ItemLinks().Items(3)->Control()->LineStart);

    // "&Window" begins a group: it goes to the second line with "&Help".
    Menu.ItemLinks().Items(3)->SetBeginGroup(true);
    testsupport::PumpUntilIdle();
    W.RefreshLayout();
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Menu.ItemLinks().Items(3)->Control()->LineStart);
    EXPECT_FALSE(Menu.ItemLinks().Items(4)->Control()->LineStart);
    EXPECT_EQ(RectOf(Menu, 3).Left, 0);
    EXPECT_EQ(RectOf(Menu, 4).Left, RectOf(Menu, 3).Right);
    EXPECT_EQ(RectOf(Menu, 4).Top, RectOf(Menu, 3).Top);

    // Wide again: one line.
    Form->SetClientWidth(640);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(W.Height(), OneLine);
}

// --- Hot tracking, keys and focus ---

// A bar without items is a button thick: across a vertical bar a button's width, across a
// horizontal one its height.
TEST_F(ToolbarControlTest, AnEmptyBarIsAButtonThick) {
    TdxBar& Empty = ToolBar(0);
    Show({&Empty});
    ASSERT_NE(Manager->ButtonWidth(), Manager->ButtonHeight());
    const struct {
        TdxBarDockingStyle Style;
        int Width, Height;
    } Cases[] = {{dsLeft, Manager->ButtonWidth(), 0}, {dsTop, 0, Manager->ButtonHeight()}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Style);
        Empty.SetDockingStyle(C.Style);
        testsupport::PumpUntilIdle();
        TdxBarControl& W = Window(Empty);
        if (C.Width != 0) {
            EXPECT_EQ(W.ClientWidth(), C.Width);
        }
        if (C.Height != 0) {
            EXPECT_EQ(W.ClientHeight(), C.Height);
        }
    }
}

// A bar's window is born with an active frame: it tells itself so once it has its handle.
TEST_F(ToolbarControlTest, ANewBarWindowIsToldItsFrameIsActive) {
    std::vector<std::pair<platform::win::HWND, platform::win::WPARAM>> Seen;
    platform::win::HHOOK Hook{};
    Hook = platform::win::SetWindowsHookEx(
        platform::win::WH_CALLWNDPROC,
        [&](int Code, platform::win::WPARAM W, platform::win::LPARAM L) {
            const auto& Info = *reinterpret_cast<const platform::win::CWPSTRUCT*>(L);
            if (Code >= 0 && Info.message == platform::win::WM_NCACTIVATE)
                Seen.emplace_back(Info.hwnd, Info.wParam);
            return platform::win::CallNextHookEx(Hook, Code, W, L);
        });
    TdxBar& Tools = ToolBar(2);
    Show({&Tools});
    platform::win::UnhookWindowsHookEx(Hook);
    const auto Mine = std::make_pair(Window(Tools).Handle(), platform::win::WPARAM{1});
    EXPECT_NE(std::find(Seen.begin(), Seen.end(), Mine), Seen.end());
}

// The window's text is the bar's caption, docked or floating, whenever the caption changes.
TEST_F(ToolbarControlTest, TheWindowTextFollowsTheCaption) {
    TdxBar& Tools = ToolBar(2);
    Show({&Tools});
    for (const TdxBarDockingStyle Style : {dsTop, dsNone}) {
        SCOPED_TRACE(Style);
        Tools.SetDockingStyle(Style);
        testsupport::PumpUntilIdle();
        const std::string Caption = Style == dsNone ? "Floating tools" : "Docked tools";
        Tools.SetCaption(Caption);
        EXPECT_EQ(platform::win::GetWindowText(Window(Tools).Handle()), Caption);
    }
}

class ToolbarInputTest : public ToolbarControlTest {
protected:
    void SetUp() override {
        Bar = &ToolBar(3);
        Show({Bar});
    }
    TdxBarControl& W() { return Window(*Bar); }
    TdxBarItemControl* ControlOf(int Index) {
        return Bar->ItemLinks().VisibleItems(Index)->Control();
    }
    pg::TPoint Centre(int Index) {
        const pg::TRect R = RectOf(*Bar, Index);
        return W().ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    }
    // The hot face is orange in the Office 2003 blue scheme; the bar itself is blue.
    bool LooksHot(int Index) {
        testsupport::PumpUntilIdle();
        const pg::TRect R = RectOf(*Bar, Index);
        const pg::HDC DC = platform::win::GetDC(W().Handle());
        const pg::COLORREF C = pg::GetPixel(DC, (R.Left + R.Right) / 2, R.Top + 2);
        platform::win::ReleaseDC(W().Handle(), DC);
        return pg::GetRValue(C) > pg::GetBValue(C);
    }
    void Key(int VirtualKey) {
        platform::core::SendMessage(W().Handle(), platform::win::WM_KEYDOWN,
                                    static_cast<platform::win::WPARAM>(VirtualKey), 0);
    }

    TdxBar* Bar = nullptr;
    testsupport::InputDriver Input;
};

TEST_F(ToolbarInputTest, LeavingTheBarForTheFormTakesTheHotFaceAway) {
    Input.MoveTo(Centre(1));
    EXPECT_EQ(W().SelectedControl(), ControlOf(1));
    EXPECT_TRUE(W().IsMouseTracked());
    EXPECT_TRUE(LooksHot(1));
    Input.MoveTo(Form->ClientToScreen({300, 200}));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(W().SelectedControl(), nullptr);
    EXPECT_FALSE(W().IsMouseTracked());
    EXPECT_FALSE(LooksHot(1));
    // Coming back makes it hot again.
    Input.MoveTo(Centre(1));
    EXPECT_EQ(W().SelectedControl(), ControlOf(1));
    EXPECT_TRUE(LooksHot(1));
}

// While the user works in another window, the bars of the form do not light up under the
// passing mouse; back in the form, they do.
TEST_F(ToolbarInputTest, NoHotTrackingWhileTheFormIsInactive) {
    auto& Other = FRoot->Own<pf::TForm>();
    Other.SetBounds(400, 400, 200, 100);
    Other.Show();
    Input.ActivateWindow(Other.Handle());
    testsupport::PumpUntilIdle();
    ASSERT_EQ(platform::win::GetActiveWindow(), Other.Handle());
    Input.MoveTo(Centre(1));
    EXPECT_EQ(W().SelectedControl(), nullptr);
    EXPECT_FALSE(LooksHot(1));
    Input.ActivateWindow(Form->Handle());
    testsupport::PumpUntilIdle();
    Input.MoveTo({Centre(1).X + 1, Centre(1).Y});
    EXPECT_EQ(W().SelectedControl(), ControlOf(1));
    EXPECT_TRUE(LooksHot(1));
}

TEST_F(ToolbarInputTest, MovingOntoTheDragHandleEndsTheHotTracking) {
    Input.MoveTo(Centre(0));
    ASSERT_EQ(W().SelectedControl(), ControlOf(0));
    // The handle lies in the frame, left of the client area.
    const pg::TPoint Grip = W().WindowToScreen({3, W().Height() / 2});
    Input.MoveTo(Grip);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(W().SelectedControl(), nullptr);
    EXPECT_FALSE(W().IsMouseTracked());
    EXPECT_FALSE(LooksHot(0));
}

TEST_F(ToolbarInputTest, AButtonHeldDownKeepsItsFaceWhenTheMouseLeaves) {
    Input.MoveTo(Centre(0));
    Input.Press(Centre(0));
    ASSERT_EQ(W().DownControl(), ControlOf(0));
    Input.MoveTo(Form->ClientToScreen({300, 200}));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(W().SelectedControl(), ControlOf(0));
    Input.Release(Form->ClientToScreen({300, 200}));
    EXPECT_FALSE(W().Active());
}

TEST_F(ToolbarInputTest, KeysMoveTheSelectionAlongTheBar) {
    struct Step {
        int Key;
        int Selected;
    };
    const Step Steps[] = {
        {platform::win::VK_RIGHT, 0}, {platform::win::VK_RIGHT, 1}, {platform::win::VK_END, 2},
        {platform::win::VK_RIGHT, 0}, {platform::win::VK_LEFT, 2},  {platform::win::VK_HOME, 0},
        {platform::win::VK_TAB, 1},   {platform::win::VK_LEFT, 0},
    };
    for (const Step& S : Steps) {
        SCOPED_TRACE(S.Key);
        Key(S.Key);
        EXPECT_EQ(W().SelectedControl(), ControlOf(S.Selected));
    }
}

TEST_F(ToolbarInputTest, AVerticalBarMovesWithUpAndDown) {
    W().SetDockingStyle(dsLeft);
    Key(platform::win::VK_DOWN);
    EXPECT_EQ(W().SelectedControl(), ControlOf(0));
    Key(platform::win::VK_DOWN);
    EXPECT_EQ(W().SelectedControl(), ControlOf(1));
    Key(platform::win::VK_UP);
    EXPECT_EQ(W().SelectedControl(), ControlOf(0));
    // Left and Right cross the bar: nothing to move to.
    Key(platform::win::VK_RIGHT);
    EXPECT_EQ(W().SelectedControl(), ControlOf(0));
    W().SetDockingStyle(dsTop);
}

TEST_F(ToolbarInputTest, TheFocusGoesBackToTheForm) {
    platform::win::SetFocus(W().Handle());
    EXPECT_EQ(platform::win::GetFocus(), Form->Handle());
}

TEST_F(ToolbarInputTest, LosingTheFocusToNoWindowClosesTheBarsUse) {
    Input.MoveTo(Centre(0));
    Input.Press(Centre(0));
    ASSERT_TRUE(W().Active());
    platform::core::SendMessage(W().Handle(), platform::win::WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(W().Active());
    EXPECT_EQ(W().SelectedControl(), nullptr);
    Input.Release(Centre(0));
}

} // namespace
} // namespace toolkit::bars
