#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/base/office11.h"

#include "platform/core/clock.h"
#include "platform/forms/forms.h"
#include "platform/forms/graphics.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/monitors.h"
#include "platform/win/painting.h"
#include "platform/win/play_sound.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// A form with a main-menu bar: "&File" holds "&Open", "&Save", a cascading "&Recent" (after a
// separator) and "E&xit"; "&Window" holds "&Tile".
class MenuControlTest : public MenuFormFixture {
protected:
    MenuControlTest() {
        MakeOffice11MainMenu();
        File = &Sub(Bar->ItemLinks(), "&File");
        Open = &Button(File->ItemLinks(), "&Open");
        Button(File->ItemLinks(), "&Save");
        Recent = &Sub(File->ItemLinks(), "&Recent");
        File->ItemLinks().Items(2)->SetBeginGroup(true);
        Button(Recent->ItemLinks(), "One");
        Button(File->ItemLinks(), "E&xit");
        Window = &Sub(Bar->ItemLinks(), "&Window");
        Button(Window->ItemLinks(), "&Tile");
        ShowMainMenu();
        pw::ClearPlayedSounds();
    }

    // The open menu windows, as the manager owns them.
    std::vector<TdxBarSubMenuControl*> Menus() const {
        std::vector<TdxBarSubMenuControl*> Result;
        for (int I = 0; I < Manager->ComponentCount(); ++I)
            if (auto* M = dynamic_cast<TdxBarSubMenuControl*>(Manager->Components(I)))
                Result.push_back(M);
        return Result;
    }
    void ClickFile() {
        Input.MoveTo(CentreOf(Bar->ItemLinks(), 0));
        Input.Click(CentreOf(Bar->ItemLinks(), 0));
        testsupport::PumpUntilIdle();
    }

    TdxBarSubItem* File = nullptr;
    TdxBarSubItem* Recent = nullptr;
    TdxBarSubItem* Window = nullptr;
    TdxBarButton* Open = nullptr;
};

TEST_F(MenuControlTest, ClickingFileThenOpenRunsTheCommandOnceWithTheMenuClosed) {
    int Runs = 0;
    std::size_t MenusInside = 99;
    Open->OnClick = [&](pc::TObject*) {
        ++Runs;
        MenusInside = Menus().size();
    };
    ClickFile();
    TdxBarSubMenuControl* Menu = MenuOf(*File);
    ASSERT_NE(Menu, nullptr);
    EXPECT_TRUE(pw::IsWindowVisible(Menu->Handle()));
    // Opened below its entry.
    const pg::TRect Entry = BarWindow().GetItemScreenRect(Bar->ItemLinks().Items(0)->Control());
    EXPECT_EQ(Menu->Left(), Entry.Left);
    EXPECT_EQ(Menu->Top(), Entry.Bottom);

    Input.MoveTo(CentreOf(File->ItemLinks(), 0));
    Input.Click(CentreOf(File->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Runs, 1);
    EXPECT_EQ(MenusInside, 0u);
    EXPECT_TRUE(Menus().empty());
    EXPECT_EQ(pw::PlayedSounds(), (std::vector<std::string>{"MenuPopup", "MenuCommand"}));
    EXPECT_FALSE(BarWindow().Active());
}

TEST_F(MenuControlTest, PressingFileDraggingToOpenAndReleasingRunsTheCommandOnce) {
    int Runs = 0;
    std::size_t MenusInside = 99;
    Open->OnClick = [&](pc::TObject*) {
        ++Runs;
        MenusInside = Menus().size();
    };
    Input.MoveTo(CentreOf(Bar->ItemLinks(), 0));
    Input.Press(CentreOf(Bar->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    ASSERT_NE(MenuOf(*File), nullptr) << "the menu opens on the press";
    Input.MoveTo(CentreOf(File->ItemLinks(), 0));
    Input.Release(CentreOf(File->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Runs, 1);
    EXPECT_EQ(MenusInside, 0u);
    EXPECT_TRUE(Menus().empty());
    EXPECT_EQ(pw::PlayedSounds(), (std::vector<std::string>{"MenuPopup", "MenuCommand"}));
}

// The form goes with a menu open: its sub-item's links go before the manager that owns the menu
// window, and neither may leave the other pointing at freed memory (the sanitizer watches).
TEST_F(MenuControlTest, FreeingTheFormWithAMenuOpenFreesEverythingOnce) {
    ClickFile();
    TdxBarSubMenuControl* Menu = MenuOf(*File);
    ASSERT_NE(Menu, nullptr);
    Form->FreeComponent(*File);
    EXPECT_FALSE(pw::IsWindowVisible(Menu->Handle())) << "a menu whose links went hides";
    FRoot.reset();
    Bar = nullptr;
    testsupport::PumpUntilIdle();
}

TEST_F(MenuControlTest, HoveringTheBarOnlyHighlightsUntilAClickThenMovesTheOpenMenu) {
    Input.MoveTo(CentreOf(Bar->ItemLinks(), 1));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Menus().empty());
    ClickFile();
    ASSERT_NE(MenuOf(*File), nullptr);
    EXPECT_TRUE(BarWindow().Active());
    EXPECT_TRUE(BarWindow().MenusOpen);
    Input.MoveTo(CentreOf(Bar->ItemLinks(), 1));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(MenuOf(*File), nullptr);
    EXPECT_TRUE(BarWindow().Active());
    EXPECT_TRUE(BarWindow().MenusOpen);
    EXPECT_EQ(BarWindow().SelectedControl(), Bar->ItemLinks().Items(1)->Control());
    ASSERT_NE(MenuOf(*Window), nullptr);
    EXPECT_EQ(Menus().size(), 1u);
}

TEST_F(MenuControlTest, ANestedMenuOpensAfter400MsOfHoverAndLeavingFirstCancelsIt) {
    ClickFile();
    ASSERT_NE(MenuOf(*File), nullptr);
    Input.MoveTo(CentreOf(File->ItemLinks(), 2));
    testsupport::PumpUntilIdle();
    Clock.Advance(399);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(MenuOf(*Recent), nullptr);
    Clock.Advance(1);
    testsupport::PumpUntilIdle();
    TdxBarSubMenuControl* Nested = MenuOf(*Recent);
    ASSERT_NE(Nested, nullptr);
    EXPECT_EQ(Nested->ParentBarControl(), MenuOf(*File));
    EXPECT_EQ(MenuOf(*File)->SubMenuControl(), Nested);
    // Beside its entry, on the right.
    const pg::TRect Entry = MenuOf(*File)->GetItemScreenRect(File->ItemLinks().Items(2)->Control());
    EXPECT_EQ(Nested->Left(), Entry.Right);

    // Away to Open and back before the delay: the close was immediate and no open waits.
    Input.MoveTo(CentreOf(File->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    Clock.Advance(400);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(MenuOf(*Recent), nullptr);
    Input.MoveTo(CentreOf(File->ItemLinks(), 2));
    testsupport::PumpUntilIdle();
    Clock.Advance(200);
    testsupport::PumpUntilIdle();
    Input.MoveTo(CentreOf(File->ItemLinks(), 3));
    testsupport::PumpUntilIdle();
    Clock.Advance(1000);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(MenuOf(*Recent), nullptr);
    EXPECT_EQ(Menus().size(), 1u);
}

TEST_F(MenuControlTest, EscapeClosesOnlyTheMenuAndKeepsItsEntrySelected) {
    ClickFile();
    TdxBarSubMenuControl* Menu = MenuOf(*File);
    ASSERT_NE(Menu, nullptr);
    pc::SendMessage(Menu->Handle(), pw::WM_KEYDOWN, pw::VK_ESCAPE, 0);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Menus().empty());
    EXPECT_EQ(BarWindow().SelectedControl(), Bar->ItemLinks().Items(0)->Control());
}

// The work area is set small; the menu of "&Recent" opens at a corner with an owner of the
// given size.
struct PlacementCase {
    const char* Name;
    pg::TRect Work;
    pg::TPoint At;
    int OwnerWidth, OwnerHeight;
    bool FlipsHorz, FlipsVert;
};

TEST_F(MenuControlTest, PlacementFlipsToTheSideWithMoreRoomAndStaysInTheWorkArea) {
    const PlacementCase Cases[] = {
        {"right edge, more room left", {0, 0, 400, 700}, {350, 100}, 120, 0, true, false},
        {"right edge, no owner", {0, 0, 400, 700}, {350, 100}, 0, 0, false, false},
        {"bottom, more room above", {0, 0, 800, 300}, {100, 280}, 0, 20, false, true},
        {"bottom, more room below", {0, 0, 800, 300}, {100, 60}, 0, 20, false, false},
        {"middle", {0, 0, 800, 700}, {100, 100}, 120, 0, false, false},
    };
    for (const PlacementCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        pw::SetMonitors({{C.Work, C.Work}});
        auto Owned = std::make_unique<TdxBarSubMenuControl>(Manager);
        TdxBarSubMenuControl& Menu = *Owned;
        Manager->InsertComponent(std::move(Owned));
        Menu.SetItemLinks(&File->ItemLinks());
        Menu.OwnerWidth = C.OwnerWidth;
        Menu.OwnerHeight = C.OwnerHeight;
        Menu.SetBounds(C.At.X, C.At.Y, 0, 0);
        Menu.Show();
        testsupport::PumpUntilIdle();
        const pg::TSize Size = Menu.MeasureSize();
        ASSERT_LT(Size.cy, 200);
        if (C.FlipsHorz) {
            EXPECT_EQ(Menu.Left(), C.At.X - C.OwnerWidth - Size.cx);
        } else {
            EXPECT_EQ(Menu.Left(), std::min(C.At.X, C.Work.Right - Size.cx));
        }
        if (C.FlipsVert) {
            EXPECT_EQ(Menu.Top(), C.At.Y - C.OwnerHeight - Size.cy);
        } else {
            EXPECT_EQ(Menu.Top(), C.At.Y);
        }
        EXPECT_LE(Menu.Left() + Menu.Width(), C.Work.Right);
        EXPECT_LE(Menu.Top() + Menu.Height(), C.Work.Bottom);
        EXPECT_GE(Menu.Left(), C.Work.Left);
        Menu.HideAndFree();
        testsupport::PumpUntilIdle();
        EXPECT_TRUE(Menus().empty());
    }
}

// A menu that would start above the work area moves down into it whole; only one that flipped
// upward over its owner keeps its bottom there and loses the rows above the work area.
TEST_F(MenuControlTest, AMenuAboveTheWorkAreaLosesHeightOnlyWhenItFlipped) {
    const auto Open = [this](pg::TPoint At, int OwnerHeight) -> TdxBarSubMenuControl& {
        auto Owned = std::make_unique<TdxBarSubMenuControl>(Manager);
        TdxBarSubMenuControl& Menu = *Owned;
        Manager->InsertComponent(std::move(Owned));
        Menu.SetItemLinks(&File->ItemLinks());
        Menu.OwnerHeight = OwnerHeight;
        Menu.SetBounds(At.X, At.Y, 0, 0);
        Menu.Show();
        testsupport::PumpUntilIdle();
        return Menu;
    };
    {
        pw::SetMonitors({{{0, 100, 800, 700}, {0, 100, 800, 700}}});
        TdxBarSubMenuControl& Menu = Open({100, 90}, 0);
        const int Height = Menu.MeasureSize().cy;
        EXPECT_EQ(Menu.Top(), 100);
        EXPECT_EQ(Menu.Height(), Height);
        Menu.HideAndFree();
        testsupport::PumpUntilIdle();
    }
    {
        // Too little room below the owner: the menu flips above it and pokes 10 pixels out of
        // the top of the work area.
        const int Height = [&] {
            pw::SetMonitors({{{0, 0, 800, 700}, {0, 0, 800, 700}}});
            TdxBarSubMenuControl& Probe = Open({100, 100}, 0);
            const int H = Probe.MeasureSize().cy;
            Probe.HideAndFree();
            testsupport::PumpUntilIdle();
            return H;
        }();
        const pg::TRect Work{0, 400 - 20 - Height + 10, 800, 410};
        pw::SetMonitors({{Work, Work}});
        TdxBarSubMenuControl& Menu = Open({100, 400}, 20);
        EXPECT_EQ(Menu.Top(), Work.Top);
        EXPECT_EQ(Menu.Top() + Menu.Height(), 400 - 20);
        EXPECT_EQ(Menu.Height(), Height - 10);
        Menu.HideAndFree();
        testsupport::PumpUntilIdle();
    }
    EXPECT_TRUE(Menus().empty());
}

TEST_F(MenuControlTest, ASubMenuNearTheRightEdgeOpensOnItsOwnersLeft) {
    pw::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 460, 768}}});
    Form->SetBounds(300, 0, 160, 300);
    testsupport::PumpUntilIdle();
    ClickFile();
    TdxBarSubMenuControl* FileMenu = MenuOf(*File);
    ASSERT_NE(FileMenu, nullptr);
    Input.MoveTo(CentreOf(File->ItemLinks(), 2));
    Clock.Advance(400);
    testsupport::PumpUntilIdle();
    TdxBarSubMenuControl* Nested = MenuOf(*Recent);
    ASSERT_NE(Nested, nullptr);
    EXPECT_LE(Nested->Left() + Nested->Width(), FileMenu->Left() + FileMenu->Width());
    const pg::TRect Entry = FileMenu->GetItemScreenRect(File->ItemLinks().Items(2)->Control());
    EXPECT_EQ(Nested->Left() + Nested->Width(), Entry.Left);
}

// While customizing, the selected entry of a menu that opens a menu of its own wears two
// inverted outlines, which show on whatever face the entry has; a command keeps the plain frame.
TEST_F(MenuControlTest, WhileCustomizingASelectedCascadingEntryIsFramedInverted) {
    Manager->Customizing(true);
    testsupport::PumpUntilIdle();
    Bar->ItemLinks().Items(0)->Control()->ControlActivate(true);
    testsupport::PumpUntilIdle();
    TdxBarSubMenuControl* Menu = MenuOf(*File);
    ASSERT_NE(Menu, nullptr);
    TdxBarItemControl* RecentControl = File->ItemLinks().VisibleItems(2)->Control();
    auto Select = [&](TdxBarItemControl* Control) {
        Menu->SetSelectedControl(Control);
        Menu->Repaint();
        testsupport::PumpUntilIdle();
        ASSERT_EQ(Manager->SelectedItem(), Control);
    };
    Select(RecentControl);
    // The inner ring, two pixels inside the entry's edge, inverts the selected face, which goes
    // on inside it: across the entry's right end and down from its top.
    const pg::TRect R = Menu->GetItemRect(RecentControl);
    const int Y = (R.Top + R.Bottom) / 2, X = R.Left + (R.Right - R.Left) * 3 / 4;
    EXPECT_EQ(ClientPixel(*Menu, R.Right - 3, Y), ~ClientPixel(*Menu, R.Right - 4, Y) & 0xFFFFFF);
    EXPECT_EQ(ClientPixel(*Menu, X, R.Top + 2), ~ClientPixel(*Menu, X, R.Top + 3) & 0xFFFFFF);
    // The outer ring is no frame in the text colour either.
    const pg::COLORREF Text = pg::GetSysColor(pg::COLOR_WINDOWTEXT);
    EXPECT_NE(ClientPixel(*Menu, R.Right - 1, Y), Text);
    EXPECT_NE(ClientPixel(*Menu, X, R.Top), Text);
    // A command selected instead has the plain frame, and the entry none.
    Select(File->ItemLinks().VisibleItems(0)->Control());
    const pg::TRect O = Menu->GetItemRect(File->ItemLinks().VisibleItems(0)->Control());
    EXPECT_EQ(ClientPixel(*Menu, O.Right - 1, (O.Top + O.Bottom) / 2), Text);
    EXPECT_NE(ClientPixel(*Menu, R.Right - 3, Y), ~ClientPixel(*Menu, R.Right - 4, Y) & 0xFFFFFF);
    EndCustomizing();
}

TEST_F(MenuControlTest, AnEmptyMenuIs100PixelsWide) {
    auto& Empty = Sub(Bar->ItemLinks(), "&Empty");
    auto Owned = std::make_unique<TdxBarSubMenuControl>(Manager);
    TdxBarSubMenuControl& Menu = *Owned;
    Manager->InsertComponent(std::move(Owned));
    Menu.SetItemLinks(&Empty.ItemLinks());
    Menu.SetBounds(10, 10, 0, 0);
    Menu.Show();
    EXPECT_EQ(Menu.MeasureSize().cx, 100);
    EXPECT_EQ(Menu.Width(), 100);
    Menu.HideAndFree();
}

// A menu that flipped to the other side of its owner for lack of room stays there when it is
// laid out again with a longer entry: it grows away from its owner, never over it.
TEST_F(MenuControlTest, AFlippedMenuStaysOnItsSideWhenItGrows) {
    struct Case {
        const char* Name;
        pg::TRect Work;
        pg::TPoint At;
        int OwnerWidth, OwnerHeight;
    };
    const Case Cases[] = {
        {"flipped left", {0, 0, 600, 700}, {550, 100}, 120, 0},
        {"flipped up", {0, 0, 800, 300}, {100, 280}, 0, 20},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        pw::SetMonitors({{C.Work, C.Work}});
        auto Owned = std::make_unique<TdxBarSubMenuControl>(Manager);
        TdxBarSubMenuControl& Menu = *Owned;
        Manager->InsertComponent(std::move(Owned));
        Menu.SetItemLinks(&File->ItemLinks());
        Menu.OwnerWidth = C.OwnerWidth;
        Menu.OwnerHeight = C.OwnerHeight;
        Menu.SetBounds(C.At.X, C.At.Y, 0, 0);
        Menu.Show();
        testsupport::PumpUntilIdle();
        const pg::TRect Before = Menu.BoundsRect();
        TdxBarButton& Longer = Button(File->ItemLinks(), "A much longer entry than the others");
        Menu.RefreshLayout();
        testsupport::PumpUntilIdle();
        const pg::TRect After = Menu.BoundsRect();
        ASSERT_GT(After.Width(), Before.Width());
        ASSERT_GT(After.Height(), Before.Height());
        if (C.OwnerWidth != 0) {
            EXPECT_EQ(After.Right, C.At.X - C.OwnerWidth);
            EXPECT_EQ(After.Top, C.At.Y);
        } else {
            EXPECT_EQ(After.Bottom, C.At.Y - C.OwnerHeight);
            EXPECT_EQ(After.Left, C.At.X);
        }
        Menu.HideAndFree();
        testsupport::PumpUntilIdle();
        Form->FreeComponent(Longer);
    }
}

// The rows' metrics come from the painter for menus and follow the menu's font.
TEST_F(MenuControlTest, TheRowMetricsComeFromThePainterAndFollowTheFont) {
    struct Case {
        const char* Name;
        TdxBarManagerStyle Style;
        int Grown;
        int ReferenceGlyphSize;
    };
    const Case Cases[] = {{"standard", bmsStandard, 0, 19}, {"office 2003", bmsOffice11, 1, 20}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Manager->SetStyle(C.Style);
        testsupport::PumpUntilIdle();
        ClickFile();
        TdxBarSubMenuControl* Menu = MenuOf(*File);
        ASSERT_NE(Menu, nullptr);
        const auto TextHeight = [&] {
            pf::TBitmap B;
            B.Canvas().Font().Assign(Menu->Font());
            return B.Canvas().TextHeight("0");
        };
        for (const int Size : {0, 20}) {
            if (Size != 0) Menu->Font().SetSize(Size);
            EXPECT_EQ(Menu->TextSize(), TextHeight() + 6 + C.Grown) << Size;
            EXPECT_EQ(Menu->WidthMetric(), Menu->TextSize() / 4 * 3 + 1) << Size;
            EXPECT_EQ(Menu->ReferenceGlyphSize(), C.ReferenceGlyphSize);
            EXPECT_GT(Menu->ExpandButtonHeight(), 0);
        }
        CloseMenus();
    }
}

// The menu window is of its own class, which saves what it covers and takes double clicks.
TEST_F(MenuControlTest, MenusAndToolbarsAreOfTheirOwnWindowClasses) {
    ClickFile();
    TdxBarSubMenuControl* Menu = MenuOf(*File);
    ASSERT_NE(Menu, nullptr);
    const std::pair<pw::HWND, pw::UINT> Cases[] = {
        {Menu->Handle(), 0x082B},
        {BarWindow().Handle(), 0x000B},
    };
    for (const auto& [Window, Style] : Cases) {
        pw::WNDCLASS Class;
        ASSERT_TRUE(pw::GetClassInfo(pw::GetClassName(Window), &Class));
        EXPECT_EQ(Class.style, Style) << pw::GetClassName(Window);
    }
    const auto Style =
        pw::GetWindowLong(Menu->Handle(), pw::GWL_STYLE) & ~std::intptr_t{pw::WS_VISIBLE};
    EXPECT_EQ(Style & 0xFFFF0000, 0x86000000);
    CloseMenus();
}

TEST_F(MenuControlTest, AnOpenFileMenuIsPaintedInTheBlueScheme) {
    ClickFile();
    TdxBarSubMenuControl* Menu = MenuOf(*File);
    ASSERT_NE(Menu, nullptr);
    testsupport::PumpUntilIdle();
    testsupport::TempFolder Temp("menu_control_");
    const auto Path = std::filesystem::path(Temp.Path()) / "office2003_blue_file_menu.png";
    ASSERT_TRUE(testsupport::SaveWindowPng(Menu->Handle(), Path.string()));
    EXPECT_TRUE(std::filesystem::exists(Path));
    const auto Surface = pw::WindowSurface(Menu->Handle());
    auto At = [&](int X, int Y) { return pg::PixelToColor(Surface->Pixel(X, Y) & 0xFFFFFF); };
    const pg::TPoint Client = Menu->ClientToScreen({0, 0}), Origin = Menu->WindowToScreen({0, 0});
    const int DX = Client.X - Origin.X, DY = Client.Y - Origin.Y;
    // Some text ink in the Open row, and a light menu face right of the captions.
    const pg::TRect Row = File->ItemLinks().Items(0)->ItemRect;
    bool Ink = false;
    for (int X = Row.Left; X < Row.Right && !Ink; ++X)
        for (int Y = Row.Top; Y < Row.Bottom && !Ink; ++Y) {
            const pg::COLORREF C = At(X + DX, Y + DY);
            Ink = pg::GetRValue(C) < 64 && pg::GetGValue(C) < 64 && pg::GetBValue(C) < 64;
        }
    EXPECT_TRUE(Ink);
    const pg::COLORREF Face = At(Row.Right - 4 + DX, (Row.Top + Row.Bottom) / 2 + DY);
    EXPECT_GT(pg::GetRValue(Face), 200);
    EXPECT_GT(pg::GetGValue(Face), 200);
    // The frame is not the face.
    EXPECT_NE(At(0, Menu->Height() / 2), Face);
}

// A command row draws its caption once, in the caption column: the glyph cell of a command
// without a glyph stays clear of text.
TEST_F(MenuControlTest, AMenuCommandShowsItsCaptionOnlyInTheCaptionColumn) {
    ClickFile();
    TdxBarSubMenuControl* Menu = MenuOf(*File);
    ASSERT_NE(Menu, nullptr);
    testsupport::PumpUntilIdle();
    const auto Surface = pw::WindowSurface(Menu->Handle());
    const pg::TPoint Client = Menu->ClientToScreen({0, 0}), Origin = Menu->WindowToScreen({0, 0});
    const int DX = Client.X - Origin.X, DY = Client.Y - Origin.Y;
    // The columns of a row's text ink (near black), in client coordinates.
    auto InkColumns = [&](const pg::TRect& Row) {
        std::vector<int> Columns;
        for (int X = Row.Left; X < Row.Right; ++X)
            for (int Y = Row.Top; Y < Row.Bottom; ++Y) {
                const pg::COLORREF C = pg::PixelToColor(Surface->Pixel(X + DX, Y + DY) & 0xFFFFFF);
                if (pg::GetRValue(C) < 64 && pg::GetGValue(C) < 64 && pg::GetBValue(C) < 64) {
                    Columns.push_back(X);
                    break;
                }
            }
        return Columns;
    };
    for (int I : {0, 1, 3}) {
        const pg::TRect Row = File->ItemLinks().Items(I)->ItemRect;
        const std::vector<int> Ink = InkColumns(Row);
        ASSERT_FALSE(Ink.empty()) << "row " << I;
        EXPECT_GT(Ink.front(), Row.Left + Row.Height()) << "row " << I;
    }
}

// A hot menu entry and the menu-bar entry whose menu is open or that is hot show their captions
// in the normal text colour: the selection colours of the scheme are light, and white text on
// them is hard to read. Each case leaves one selected row; its caption column must hold dark
// ink and nothing near white (no face of the blue scheme is). The pictures stay with
// QUINTARON_KEEP_TEST_FILES.
enum class Selection { HotMenuEntry, FileOpenedByClick, FileHeldPressed, FileHovered };
struct SelectionCase {
    const char* Name;
    Selection What;
};
void PrintTo(const SelectionCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

class SelectedCaptionTest : public MenuControlTest,
                            public ::testing::WithParamInterface<SelectionCase> {
protected:
    // The links that hold the selected row, its first.
    TdxBarItemLinks& Select(Selection What) {
        const pg::TPoint FileEntry = CentreOf(Bar->ItemLinks(), 0);
        switch (What) {
        case Selection::HotMenuEntry:
            ClickFile();
            Input.MoveTo(CentreOf(File->ItemLinks(), 0));
            break;
        case Selection::FileOpenedByClick:
            ClickFile();
            break;
        case Selection::FileHeldPressed:
            Input.MoveTo(FileEntry);
            Input.Press(FileEntry);
            break;
        case Selection::FileHovered:
            Input.MoveTo(FileEntry);
            break;
        }
        testsupport::PumpUntilIdle();
        return What == Selection::HotMenuEntry ? File->ItemLinks() : Bar->ItemLinks();
    }
};

TEST_P(SelectedCaptionTest, IsDarkOnTheLightSelectionColours) {
    TdxBarItemLinks& Links = Select(GetParam().What);
    const bool InMenu = GetParam().What == Selection::HotMenuEntry;
    TCustomdxBarControl* Window = Links.BarControl();
    ASSERT_NE(Window, nullptr);
    ASSERT_EQ(Window->SelectedControl(), Links.Items(0)->Control());
    TdxBarSubMenuControl* Menu = MenuOf(*File);
    EXPECT_EQ(Menu != nullptr, GetParam().What != Selection::FileHovered);

    testsupport::TempFolder Temp("menu_colors_");
    ASSERT_FALSE(Temp.Path().empty());
    const std::string Name = std::string("office2003_blue_") + GetParam().Name;
    ASSERT_TRUE(testsupport::SaveWindowPng(Form->Handle(), Temp.PathOf(Name + "_form.png")));
    if (Menu != nullptr) {
        ASSERT_TRUE(testsupport::SaveWindowPng(Menu->Handle(), Temp.PathOf(Name + "_menu.png")));
    }

    const auto Surface = pw::WindowSurface(Window->Handle());
    const pg::TPoint Client = Window->ClientToScreen({0, 0});
    const pg::TPoint Origin = Window->WindowToScreen({0, 0});
    // The caption column inside the row's frame: right of the glyph square in a menu.
    const pg::TRect Row = Links.Items(0)->ItemRect;
    const int Left = InMenu ? Row.Left + Row.Height() + 2 : Row.Left + 2;
    int Dark = 0, White = 0;
    for (int X = Left; X < Row.Right - 2; ++X)
        for (int Y = Row.Top + 2; Y < Row.Bottom - 2; ++Y) {
            const pg::COLORREF P = pg::PixelToColor(
                Surface->Pixel(X + Client.X - Origin.X, Y + Client.Y - Origin.Y) & 0xFFFFFF);
            const int R = pg::GetRValue(P), G = pg::GetGValue(P), B = pg::GetBValue(P);
            if (R < 64 && G < 64 && B < 64) ++Dark;
            if (R > 245 && G > 245 && B > 245) ++White;
        }
    EXPECT_GT(Dark, 10);
    EXPECT_EQ(White, 0);
    Input.Release(CentreOf(Bar->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
}

INSTANTIATE_TEST_SUITE_P(
    Office2003, SelectedCaptionTest,
    ::testing::Values(SelectionCase{"hot_menu_entry", Selection::HotMenuEntry},
                      SelectionCase{"file_opened_by_click", Selection::FileOpenedByClick},
                      SelectionCase{"file_held_pressed", Selection::FileHeldPressed},
                      SelectionCase{"file_hovered", Selection::FileHovered}),
    [](const ::testing::TestParamInfo<SelectionCase>& Info) {
        return std::string(Info.param.Name);
    });

} // namespace
} // namespace toolkit::bars
