#include "toolkit/bars/windows/dx_bar_mdi.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "platform/forms/application.h"
#include "platform/forms/graphics.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/objects.h"
#include "platform/win/icons.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/system_menu.h"
#include "platform/win/window.h"

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// An MDI frame with a main menu ("&File") and one child, shown and active.
class MDIChildMenuTest : public MenuFormFixture {
protected:
    MDIChildMenuTest() : MenuFormFixture(pf::fsMDIForm) {
        pf::Application().SetMainForm(Form);
        MakeMainMenu();
        Sub(Bar->ItemLinks(), "&File");
        ShowMainMenu();
        Child = &Form->Own<pf::TForm>(pf::fsMDIChild);
        Child->SetBounds(10, 10, 200, 150);
        Child->Show();
        testsupport::PumpUntilIdle();
    }
    ~MDIChildMenuTest() override { pf::Application().SetMainForm(nullptr); }

    TdxBarItemLinks& Links() { return Bar->ItemLinks(); }
    pg::TPoint ButtonCentre(int Index) {
        const pg::TRect R = BarWindow().GetMDIButtonRect(Index);
        return BarWindow().ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    }

    pf::TForm* Child = nullptr;
};

TEST_F(MDIChildMenuTest, MaximisingPutsTheSystemMenuFirstAndTheButtonsAtTheEnd) {
    EXPECT_EQ(Links().Count(), 1);
    EXPECT_FALSE(BarWindow().HasMDIButtons());
    Child->SetWindowState(pf::wsMaximized);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Links().Count(), 2);
    auto* Entry = dynamic_cast<TSystemMenuSubItem*>(Links().Items(0)->Item());
    ASSERT_NE(Entry, nullptr);
    EXPECT_EQ(Entry->Wnd, Child->Handle());
    EXPECT_TRUE(dynamic_cast<TSystemMenuSubItemControl*>(Links().Items(0)->Control()));
    ASSERT_TRUE(BarWindow().HasMDIChildSystemMenu());
    // Three buttons at the right end (before the mark's room), the close button 2 pixels
    // apart, the File entry before them.
    const int W = BarWindow().MDIButtonWidth();
    const int End = BarWindow().ClientWidth() - (BarWindow().HasMark() ? 11 : 0);
    EXPECT_EQ(BarWindow().GetMDIButtonRect(0).Left, End - 3 * W - 2);
    EXPECT_EQ(BarWindow().GetMDIButtonRect(1).Left, End - 2 * W - 2);
    EXPECT_EQ(BarWindow().GetMDIButtonRect(2).Left, End - W);
    EXPECT_EQ(BarWindow().GetMDIButtonRect(2).Right, End);
    EXPECT_LT(Links().Items(1)->ItemRect.Right, BarWindow().GetMDIButtonRect(0).Left);
    EXPECT_TRUE(BarWindow().IsMDIButtonEnabled(0, pw::MF_GRAYED));
    const std::string Png = ::testing::TempDir() + "mdi_main_menu.png";
    EXPECT_TRUE(testsupport::SaveWindowPng(BarWindow().Handle(), Png));

    Child->SetWindowState(pf::wsNormal);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Links().Count(), 1);
    EXPECT_FALSE(BarWindow().HasMDIButtons());
    // Nothing internal is left over.
    EXPECT_EQ(Unit.InternalItemCount(), 0);
}

// The main menu bar reset from its design while a child is maximised, whole or only its links:
// the child's system-menu entry stays first.
TEST_F(MDIChildMenuTest, AResetMainMenuKeepsTheSystemMenuEntryFirst) {
    Manager->Name = "Bars";
    dynamic_cast<TdxBarSubItem*>(Links().Items(0)->Item())->Name = "File1";
    auto& Edit = Form->Own<TdxBarSubItem>();
    Edit.Name = "Edit1";
    Edit.SetCaption("&Edit");
    Manager->DesignRoutine = [](pf::TForm& Design) {
        auto& M = Design.Own<TdxBarManager>();
        M.Name = "Bars";
        TdxBar& Menu = *M.Bars()->Add();
        Menu.SetCaption("Main Menu");
        Menu.SetIsMainMenu(true);
        Menu.SetDockingStyle(dsTop);
        for (const char* Name : {"File1", "Edit1"}) {
            auto& S = Design.Own<TdxBarSubItem>();
            S.Name = Name;
            Menu.ItemLinks().Add(&S);
        }
        Menu.SetVisible(true);
    };
    Bar->SetDesignIdentity(0);
    Child->SetWindowState(pf::wsMaximized);
    testsupport::PumpUntilIdle();
    TdxBarItem* Entry = Links().Items(0)->Item();
    ASSERT_NE(dynamic_cast<TSystemMenuSubItem*>(Entry), nullptr);
    for (const bool Full : {false, true}) {
        SCOPED_TRACE(Full ? "whole bar" : "links only");
        Manager->UseFullReset = Full;
        Bar->Reset();
        testsupport::PumpUntilIdle();
        ASSERT_EQ(Links().Count(), 3);
        EXPECT_EQ(Links().Items(0)->Item(), Entry);
        EXPECT_EQ(ItemCaptions(Links()), (std::vector<std::string>{"", "&File", "&Edit"}));
    }
    // The whole bar was shown again: the entry is drawn first.
    EXPECT_TRUE(dynamic_cast<TSystemMenuSubItemControl*>(Links().Items(0)->Control()));
    // Links the program copies from another bar keep it first too.
    TdxBar& Other = *Manager->Bars()->Add();
    Sub(Other.ItemLinks(), "&Help");
    Links().Assign(Other.ItemLinks());
    EXPECT_EQ(ItemCaptions(Links()), (std::vector<std::string>{"", "&Help"}));
    // Restored, the entry goes as always.
    Child->SetWindowState(pf::wsNormal);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(ItemCaptions(Links()), (std::vector<std::string>{"&Help"}));
}

// The last entry aligned right ends where the child's buttons begin, on their line.
TEST_F(MDIChildMenuTest, AnEntryAlignedRightLeavesTheButtonsTheirRoom) {
    TdxBarSubItem& Help = Sub(Links(), "&Help");
    Help.SetAlign(iaRight);
    Child->SetWindowState(pf::wsMaximized);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(BarWindow().HasMDIButtons());
    ASSERT_EQ(Links().Items(2)->Item(), &Help);
    const pg::TRect Entry = Links().Items(2)->ItemRect;
    const pg::TRect Button = BarWindow().GetMDIButtonRect(0);
    EXPECT_EQ(Entry.Right, Button.Left);
    EXPECT_EQ(Entry.Top, Links().Items(1)->ItemRect.Top) << "on the first line still";
    EXPECT_GT(Entry.Left, Links().Items(1)->ItemRect.Right) << "aligned right, not left";
}

TEST_F(MDIChildMenuTest, TheEntryListsTheChildsCommandsAndCloseClosesIt) {
    int Closes = 0;
    Child->OnClose = [&](pc::TObject*, pf::TCloseAction& Action) {
        ++Closes;
        Action = pf::caNone;
    };
    Child->SetWindowState(pf::wsMaximized);
    testsupport::PumpUntilIdle();
    auto* Entry = dynamic_cast<TSystemMenuSubItem*>(Links().Items(0)->Item());
    ASSERT_NE(Entry, nullptr);
    Input.Click(CentreOf(Links(), 0));
    testsupport::PumpUntilIdle();
    TdxBarItemLinks& Menu = Entry->ItemLinks();
    std::vector<std::string> Captions;
    int CloseIndex = -1;
    for (int I = 0; I < Menu.Count(); ++I) {
        TdxBarItem* Item = Menu.Items(I)->Item();
        std::string Text = Item->Caption();
        if (!Item->Enabled()) Text = "~" + Text;
        if (Item->ShortCut() != 0) Text += " " + pf::ShortCutToText(Item->ShortCut());
        if (Menu.Items(I)->BeginGroup()) Text = "| " + Text;
        if (Item->Caption() == "&Close") CloseIndex = I;
        Captions.push_back(Text);
    }
    EXPECT_EQ(Captions, (std::vector<std::string>{
                            "&Restore Ctrl+F5", "~&Move Ctrl+F7", "~&Size Ctrl+F8", "Mi&nimize",
                            "~Ma&ximize Ctrl+F10", "| &Close Ctrl+F4", "| Nex&t Ctrl+F6"}));
    ASSERT_GE(CloseIndex, 0);
    ASSERT_NE(Menu.BarControl(), nullptr);
    // "Ctrl+F4" stands in the Close row's shortcut column: right-aligned to the row's right
    // edge less the row's height and 5, the arrow column beyond it left clear.
    {
        TCustomdxBarControl& Window = *Menu.BarControl();
        const pg::TRect Row = Menu.Items(CloseIndex)->ItemRect;
        const int ColumnRight = Row.Right - Row.Height() - 5;
        const auto Surface = pw::WindowSurface(Window.Handle());
        const pg::TPoint Client = Window.ClientToScreen({0, 0});
        const pg::TPoint Origin = Window.WindowToScreen({0, 0});
        auto Ink = [&](int X, int Y) {
            const pg::COLORREF C = pg::PixelToColor(
                Surface->Pixel(X + Client.X - Origin.X, Y + Client.Y - Origin.Y) & 0xFFFFFF);
            return pg::GetRValue(C) < 64 && pg::GetGValue(C) < 64 && pg::GetBValue(C) < 64;
        };
        int InColumn = 0, Beyond = 0;
        for (int Y = Row.Top; Y < Row.Bottom; ++Y) {
            for (int X = ColumnRight - 40; X < ColumnRight; ++X)
                InColumn += Ink(X, Y);
            for (int X = ColumnRight; X < Row.Right; ++X)
                Beyond += Ink(X, Y);
        }
        EXPECT_GT(InColumn, 10);
        EXPECT_EQ(Beyond, 0);
        EXPECT_TRUE(testsupport::SaveWindowPng(Window.Handle(),
                                               ::testing::TempDir() + "mdi_system_menu.png"));
    }
    Input.Click(CentreOf(Menu, CloseIndex));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Closes, 1);
}

TEST_F(MDIChildMenuTest, TheButtonsRunTheChildsCommands) {
    struct Case {
        const char* Name;
        int Button;
        pf::TWindowState After;
        int Closes;
    };
    const Case Cases[] = {{"minimise", 0, pf::wsMinimized, 0},
                          {"restore", 1, pf::wsNormal, 0},
                          {"close", 2, pf::wsMaximized, 1}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        int Closes = 0;
        Child->OnClose = [&](pc::TObject*, pf::TCloseAction& Action) {
            ++Closes;
            Action = pf::caNone;
        };
        Child->SetWindowState(pf::wsMaximized);
        testsupport::PumpUntilIdle();
        ASSERT_TRUE(BarWindow().HasMDIButtons());
        // A press that leaves the button before the release does nothing.
        Input.Press(ButtonCentre(C.Button));
        EXPECT_EQ(BarWindow().PressedMDIButton(), C.Button);
        Input.MoveTo(BarWindow().ClientToScreen({2, 2}));
        Input.Release(BarWindow().ClientToScreen({2, 2}));
        EXPECT_EQ(Child->WindowState(), pf::wsMaximized);
        Input.Click(ButtonCentre(C.Button));
        testsupport::PumpUntilIdle();
        EXPECT_EQ(Child->WindowState(), C.After);
        EXPECT_EQ(Closes, C.Closes);
        Child->SetWindowState(pf::wsNormal);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(Links().Count(), 1);
    }
}

// A cancel-mode message while a button is held ends the press: the release over the button
// then runs nothing.
TEST_F(MDIChildMenuTest, CancelModeEndsAButtonPress) {
    int Closes = 0;
    Child->OnClose = [&](pc::TObject*, pf::TCloseAction& Action) {
        ++Closes;
        Action = pf::caNone;
    };
    Child->SetWindowState(pf::wsMaximized);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(BarWindow().HasMDIButtons());
    Input.Press(ButtonCentre(2));
    ASSERT_EQ(BarWindow().PressedMDIButton(), 2);
    ASSERT_EQ(pw::GetCapture(), BarWindow().Handle());
    pc::SendMessage(BarWindow().Handle(), pw::WM_CANCELMODE, 0, 0);
    EXPECT_EQ(BarWindow().PressedMDIButton(), -1);
    EXPECT_EQ(pw::GetCapture(), pw::NullHWnd);
    Input.Release(ButtonCentre(2));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Closes, 0);
    EXPECT_EQ(Child->WindowState(), pf::wsMaximized);
}

// The child's buttons take their room in the bar's size: at the end of the one line, at the
// end of a wrapped bar's last line while they fit there, else in a line of their own.
TEST_F(MDIChildMenuTest, TheButtonsCountInTheBarsSize) {
    Child->SetWindowState(pf::wsMaximized);
    testsupport::PumpUntilIdle();
    TdxBarControl& W = BarWindow();
    ASSERT_TRUE(W.HasMDIButtons());
    const int Buttons = W.GetMDIButtonsLength();
    // The mark keeps its room at the end of the bar.
    const int ItemsEnd =
        Links().Items(Links().Count() - 1)->ItemRect.Right + (W.HasMark() ? 11 : 0);
    const int Row = W.GetSizeForDockingStyle(dsTop, -1).cy;
    EXPECT_EQ(W.GetSizeForDockingStyle(dsTop, -1).cx, ItemsEnd + Buttons);

    Bar->SetMultiLine(true);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(W.GetSizeForDockingStyle(dsTop, ItemsEnd + Buttons).cy, Row);
    EXPECT_EQ(W.GetSizeForDockingStyle(dsTop, ItemsEnd + Buttons - 1).cy,
              Row + W.MDIButtonHeight());
    // Laid out so narrow, the buttons stand below the items.
    const int Wider = W.ClientWidth() - (ItemsEnd + Buttons / 2);
    Form->SetBounds(Form->Left(), Form->Top(), Form->Width() - Wider, Form->Height());
    testsupport::PumpUntilIdle();
    ASSERT_EQ(W.ClientWidth(), ItemsEnd + Buttons / 2);
    EXPECT_EQ(W.ClientHeight(), Row + W.MDIButtonHeight());
    for (int I = 0; I < 3; ++I) {
        const pg::TRect R = W.GetMDIButtonRect(I);
        EXPECT_GE(R.Top, Links().Items(0)->ItemRect.Bottom) << I;
        EXPECT_LE(R.Bottom, W.ClientHeight()) << I;
    }
}

// The mouse leaving the bar upward from the hot close button leaves no button lit.
TEST_F(MDIChildMenuTest, LeavingTheBarFromTheCloseButtonClearsItsHotLook) {
    // The flat look draws a hot button apart from a normal one.
    Manager->SetStyle(bmsFlat);
    Child->SetWindowState(pf::wsMaximized);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(BarWindow().HasMDIButtons());
    const pg::TRect R = BarWindow().GetMDIButtonRect(2);
    auto Face = [&] {
        std::vector<pg::COLORREF> Pixels;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                Pixels.push_back(ClientPixel(BarWindow(), X, Y));
        return Pixels;
    };
    const std::vector<pg::COLORREF> Normal = Face();
    Input.MoveTo(ButtonCentre(2));
    testsupport::PumpUntilIdle();
    ASSERT_EQ(BarWindow().HotMDIButton(), 2);
    ASSERT_NE(Face(), Normal);
    pg::TRect Frame;
    ASSERT_TRUE(pw::GetWindowRect(BarWindow().Handle(), &Frame));
    Input.MoveTo({ButtonCentre(2).X, Frame.Top - 3});
    testsupport::PumpUntilIdle();
    EXPECT_EQ(BarWindow().HotMDIButton(), -1);
    EXPECT_EQ(Face(), Normal);
}

// The entry draws the child's own small icon over the bar: its transparent part shows the bar.
TEST_F(MDIChildMenuTest, TheEntryShowsTheChildsIconOverTheBar) {
    // 32 pixels square, red, its left quarter transparent.
    pf::TBitmap Color, Mask;
    Color.SetSize(32, 32);
    Color.Canvas().Brush().SetColor(pg::clRed);
    Color.Canvas().FillRect({0, 0, 32, 32});
    Mask.SetSize(32, 32);
    Mask.Canvas().Brush().SetColor(pg::clBlack);
    Mask.Canvas().FillRect({0, 0, 32, 32});
    Mask.Canvas().Brush().SetColor(pg::clWhite);
    Mask.Canvas().FillRect({0, 0, 8, 32});
    pw::ICONINFO Info;
    Info.hbmColor = Color.Handle();
    Info.hbmMask = Mask.Handle();
    Child->Icon().SetHandle(pw::CreateIconIndirect(&Info));
    Child->SetWindowState(pf::wsMaximized);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(dynamic_cast<TSystemMenuSubItem*>(Links().Items(0)->Item()));
    const pg::TRect R = Links().Items(0)->ItemRect;
    const int Left = R.Left + (R.Width() - 16) / 2, Top = R.Top + (R.Height() - 16) / 2;
    // The bar's own background, between the last entry and the child's buttons.
    const pg::COLORREF Ground =
        ClientPixel(BarWindow(), Links().Items(1)->ItemRect.Right + 4, Top + 8);
    ASSERT_NE(Ground, pg::RGB(255, 0, 0));
    EXPECT_EQ(ClientPixel(BarWindow(), Left + 10, Top + 8), pg::RGB(255, 0, 0));
    EXPECT_EQ(ClientPixel(BarWindow(), Left + 15, Top + 15), pg::RGB(255, 0, 0));
    EXPECT_EQ(ClientPixel(BarWindow(), Left, Top + 8), Ground);
    EXPECT_EQ(ClientPixel(BarWindow(), Left + 1, Top), Ground);
}

// A double click on the entry runs the child's default system command, Close, with the menus
// closed.
TEST_F(MDIChildMenuTest, ADoubleClickOnTheEntryClosesTheChild) {
    int Closes = 0;
    Child->OnClose = [&](pc::TObject*, pf::TCloseAction& Action) {
        ++Closes;
        Action = pf::caNone;
    };
    Child->SetWindowState(pf::wsMaximized);
    testsupport::PumpUntilIdle();
    auto* Entry = dynamic_cast<TSystemMenuSubItem*>(Links().Items(0)->Item());
    ASSERT_NE(Entry, nullptr);
    Input.MoveTo(CentreOf(Links(), 0));
    Input.Click(CentreOf(Links(), 0));
    Input.Click(CentreOf(Links(), 0));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Closes, 1);
    EXPECT_EQ(Entry->ItemLinks().BarControl(), nullptr);
    EXPECT_FALSE(Manager->IsInMenuMode());
}

TEST_F(MDIChildMenuTest, ClosingTheMaximisedChildTakesItsEntryAway) {
    Child->OnClose = [](pc::TObject*, pf::TCloseAction& Action) { Action = pf::caFree; };
    Child->SetWindowState(pf::wsMaximized);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Links().Count(), 2);
    Input.Click(ButtonCentre(2));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Form->MDIChildCount(), 0);
    EXPECT_EQ(Links().Count(), 1);
    EXPECT_FALSE(BarWindow().HasMDIButtons());
    EXPECT_EQ(Unit.InternalItemCount(), 0);
}

// While customizing, the maximised child's system-menu entry is not the user's: a press on it
// selects nothing, and "&File" dragged onto it does not go before it.
TEST_F(MDIChildMenuTest, WhileCustomizingTheSystemMenuEntryTakesNoPressAndNoDrop) {
    Child->SetWindowState(pf::wsMaximized);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Links().Count(), 2);
    TdxBarItem* System = Links().Items(0)->Item();
    Manager->Customizing(true);
    testsupport::PumpUntilIdle();
    const pg::TRect R = Links().Items(0)->ItemRect;
    const pg::TPoint Icon = BarWindow().ClientToScreen({R.Left + 2, (R.Top + R.Bottom) / 2});
    Input.Click(Icon);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Manager->SelectedItem(), nullptr);
    EXPECT_EQ(BarWindow().SelectedControl(), nullptr);

    const pg::TPoint From = CentreOf(Links(), 1);
    Input.Press(From);
    Input.MoveTo({From.X + 8, From.Y});
    Input.MoveTo(Icon);
    Input.Release(Icon);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Links().Count(), 2);
    EXPECT_EQ(Links().Items(0)->Item(), System);
    EndCustomizing();
}

// The system-menu entries draw the window commands' pictures in their glyph column; the
// commands without one leave it empty.
TEST_F(MDIChildMenuTest, TheSystemMenuEntriesShowTheCommandsPictures) {
    // Items of the program's own: check marks of its pictures, and a bitmap item.
    // 12 pixels square on a white ground, a black square of Inner pixels in the middle.
    auto Picture = [](int Inner) {
        const pg::HBITMAP Bitmap = pg::CreateBitmap(12, 12, 1, 32, nullptr);
        const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
        const pg::HGDIOBJ Old = pg::SelectObject(DC, Bitmap);
        const pg::TRect Ground{0, 0, 12, 12};
        pg::FillRect(DC, &Ground, pg::GetStockObject(pg::WHITE_BRUSH));
        const pg::TRect Mark{6 - Inner / 2, 6 - Inner / 2, 6 + Inner / 2, 6 + Inner / 2};
        pg::FillRect(DC, &Mark, pg::GetStockObject(pg::BLACK_BRUSH));
        pg::SelectObject(DC, Old);
        pg::DeleteDC(DC);
        return Bitmap;
    };
    const pg::HBITMAP Dark = Picture(8), Light = Picture(0);
    const pw::HMENU System = pw::GetSystemMenu(Child->Handle(), false);
    const auto Add = [&](pw::UINT Id, const char* Text, pw::UINT State) {
        pw::MENUITEMINFO Info;
        Info.wID = Id;
        Info.dwTypeData = Text;
        Info.fState = State;
        ASSERT_TRUE(pw::InsertMenuItem(System, pw::SC_CLOSE, false, Info));
        ASSERT_TRUE(pw::SetMenuItemBitmaps(System, Id, pw::MF_BYCOMMAND, Light, Dark));
    };
    Add(0x0100, "&Pinned", pw::MFS_CHECKED);
    Add(0x0110, "&Loose", pw::MFS_ENABLED);
    pw::MENUITEMINFO Drawn;
    Drawn.fType = pw::MFT_BITMAP;
    Drawn.wID = 0x0120;
    Drawn.hbmpBitmap = Dark;
    ASSERT_TRUE(pw::InsertMenuItem(System, pw::SC_CLOSE, false, Drawn));

    Child->SetWindowState(pf::wsMaximized);
    testsupport::PumpUntilIdle();
    Input.Click(CentreOf(Links(), 0));
    testsupport::PumpUntilIdle();
    auto* Entry = dynamic_cast<TSystemMenuSubItem*>(Links().Items(0)->Item());
    ASSERT_NE(Entry, nullptr);
    TdxBarItemLinks& Menu = Entry->ItemLinks();
    ASSERT_NE(Menu.BarControl(), nullptr);
    TCustomdxBarControl& Window = *Menu.BarControl();
    const auto Surface = pw::WindowSurface(Window.Handle());
    const pg::TPoint Client = Window.ClientToScreen({0, 0});
    const pg::TPoint Origin = Window.WindowToScreen({0, 0});
    // Dark pixels in the square at the row's left end.
    auto GlyphInk = [&](const std::string& Caption) {
        for (int I = 0; I < Menu.Count(); ++I) {
            if (Menu.Items(I)->Item()->Caption() != Caption) continue;
            const pg::TRect Row = Menu.Items(I)->ItemRect;
            int Ink = 0;
            for (int Y = Row.Top; Y < Row.Bottom; ++Y)
                for (int X = Row.Left; X < Row.Left + Row.Height(); ++X) {
                    const pg::COLORREF C = pg::PixelToColor(
                        Surface->Pixel(X + Client.X - Origin.X, Y + Client.Y - Origin.Y) &
                        0xFFFFFF);
                    Ink += pg::GetRValue(C) < 64 && pg::GetGValue(C) < 64 && pg::GetBValue(C) < 64;
                }
            return Ink;
        }
        ADD_FAILURE() << "no entry " << Caption;
        return 0;
    };
    EXPECT_GT(GlyphInk("&Restore"), 10);
    EXPECT_GT(GlyphInk("Mi&nimize"), 5);
    EXPECT_GT(GlyphInk("&Close"), 10);
    EXPECT_EQ(GlyphInk("&Move"), 0);
    EXPECT_EQ(GlyphInk("Nex&t"), 0);
    // A checked item shows its checked picture, an unchecked one its other; a bitmap item its
    // bitmap.
    EXPECT_GE(GlyphInk("&Pinned"), 60);
    EXPECT_EQ(GlyphInk("&Loose"), 0);
    EXPECT_GE(GlyphInk(""), 60);
    EXPECT_TRUE(testsupport::SaveWindowPng(Window.Handle(),
                                           ::testing::TempDir() + "mdi_system_menu_glyphs.png"));
    CloseMenus();
    pg::DeleteObject(Dark);
    pg::DeleteObject(Light);
}

// An MDI frame with a main menu ("&File") and a child with a manager and a main menu bar of its
// own ("&Edit", "&View"), shown and active.
class MDIChildMainMenuTest : public MenuFormFixture {
protected:
    MDIChildMainMenuTest() : MenuFormFixture(pf::fsMDIForm) {
        pf::Application().SetMainForm(Form);
        MakeMainMenu();
        Sub(Bar->ItemLinks(), "&File");
        ShowMainMenu();
        Child = &Form->Own<pf::TForm>(pf::fsMDIChild);
        Child->SetBounds(10, 10, 300, 200);
        ChildManager = &Child->Own<TdxBarManager>();
        ChildBar = ChildManager->Bars()->Add();
        ChildBar->SetCaption("Child Menu");
        ChildBar->SetIsMainMenu(true);
        ChildBar->SetDockingStyle(dsTop);
        for (const char* Caption : {"&Edit", "&View"}) {
            auto& Item = Child->Own<TdxBarSubItem>();
            Item.SetCaption(Caption);
            ChildBar->ItemLinks().Add(&Item);
        }
        Manager->OnMenuMerge = [this](TdxBarManager* Sender, TdxBarManager* From, bool Add) {
            Merges.push_back({Sender, From, Add});
            if (HandlerMerges && Add) Sender->MainMenuBar()->ItemLinks().Add(&HandlerEntry());
        };
    }
    ~MDIChildMainMenuTest() override { pf::Application().SetMainForm(nullptr); }

    void ShowChild(pf::TWindowState State) {
        ChildBar->SetVisible(true);
        Child->Show();
        testsupport::PumpUntilIdle();
        Child->SetWindowState(State);
        testsupport::PumpUntilIdle();
    }
    void SetState(pf::TWindowState State) {
        Child->SetWindowState(State);
        testsupport::PumpUntilIdle();
    }
    // The frame bar's captions, the system-menu entry as "[-]".
    std::vector<std::string> FrameEntries() {
        std::vector<std::string> Result;
        for (int I = 0; I < Bar->ItemLinks().Count(); ++I) {
            TdxBarItem* Item = Bar->ItemLinks().Items(I)->Item();
            Result.push_back(dynamic_cast<TSystemMenuSubItem*>(Item) ? "[-]" : Item->Caption());
        }
        return Result;
    }
    bool ChildBarShown() {
        auto* Window = dynamic_cast<TdxBarControl*>(ChildBar->Control());
        return ChildBar->Visible() && Window && pw::IsWindowVisible(Window->Handle());
    }
    // Dark pixels in a link's place in the frame's bar window.
    int InkOf(int Index) {
        TdxBarControl& Window = BarWindow();
        const pg::TRect R = Bar->ItemLinks().Items(Index)->ItemRect;
        const auto Surface = pw::WindowSurface(Window.Handle());
        const pg::TPoint Client = Window.ClientToScreen({0, 0});
        const pg::TPoint Origin = Window.WindowToScreen({0, 0});
        int Ink = 0;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X) {
                const pg::COLORREF C = pg::PixelToColor(
                    Surface->Pixel(X + Client.X - Origin.X, Y + Client.Y - Origin.Y) & 0xFFFFFF);
                Ink += pg::GetRValue(C) < 64 && pg::GetGValue(C) < 64 && pg::GetBValue(C) < 64;
            }
        return Ink;
    }
    // The handler's own entry for the child: a sub-item of the frame.
    TdxBarSubItem& HandlerEntry() {
        if (!HandlerItem) {
            HandlerItem = &Form->Own<TdxBarSubItem>();
            HandlerItem->SetCaption("&Window");
        }
        return *HandlerItem;
    }

    struct Merge {
        TdxBarManager* Frame;
        TdxBarManager* Child;
        bool AddItems;
        bool operator==(const Merge&) const = default;
    };
    pf::TForm* Child = nullptr;
    TdxBarManager* ChildManager = nullptr;
    TdxBar* ChildBar = nullptr;
    std::vector<Merge> Merges;
    bool HandlerMerges = false;
    TdxBarSubItem* HandlerItem = nullptr;
};

// New system colours reach the managers of the children too: the frame's manager passes the
// change on, and the child's manager makes the brushes its painters draw with again.
TEST_F(MDIChildMainMenuTest, NewSystemColoursReachTheChildsManager) {
    ShowChild(pf::wsNormal);
    const auto BrushColor = [](pg::HBRUSH Brush) {
        pg::LOGBRUSH Log;
        pg::GetObject(Brush, sizeof(Log), &Log);
        return Log.lbColor;
    };
    const int Index = pg::COLOR_BTNFACE;
    const pg::COLORREF Old = pg::GetSysColor(Index);
    const pg::COLORREF New = pg::RGB(200, 120, 40);
    pg::SetSysColors(1, &Index, &New);
    testsupport::PumpUntilIdle();
    const auto Expected = static_cast<pg::COLORREF>(ChildManager->GetLightFaceColor());
    const pg::COLORREF Frame = BrushColor(Manager->FlatBrush(1));
    const pg::COLORREF Child = BrushColor(ChildManager->FlatBrush(1));
    pg::SetSysColors(1, &Index, &Old);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Frame, Expected);
    EXPECT_EQ(Child, Expected);
    EXPECT_NE(Expected, BrushColor(ChildManager->FlatBrush(1)));
}

TEST_F(MDIChildMainMenuTest, AMaximisedChildsMenuJoinsTheFramesBarUntilItIsRestored) {
    Manager->OnMenuMerge = nullptr;
    ShowChild(pf::wsNormal);
    EXPECT_EQ(FrameEntries(), (std::vector<std::string>{"&File"}));
    EXPECT_TRUE(ChildBarShown());
    const pg::TRect ChildBounds = Child->BoundsRect();

    SetState(pf::wsMaximized);
    ASSERT_EQ(FrameEntries(), (std::vector<std::string>{"[-]", "&File", "&Edit", "&View"}));
    EXPECT_EQ(Bar->ItemLinks().Items(2)->Item()->BarManager(), ChildManager);
    EXPECT_FALSE(ChildBarShown());
    // The merged entries are drawn in the frame's bar, after "&File".
    EXPECT_GT(Bar->ItemLinks().Items(2)->ItemRect.Left, Bar->ItemLinks().Items(1)->ItemRect.Left);
    EXPECT_GT(InkOf(2), 10);
    EXPECT_GT(InkOf(3), 10);
    EXPECT_TRUE(
        testsupport::SaveWindowPng(Form->Handle(), ::testing::TempDir() + "mdi_merged.png"));
    // A click on a merged entry opens the child's menu.
    auto& Edit = *dynamic_cast<TdxBarSubItem*>(ChildBar->ItemLinks().Items(0)->Item());
    auto& Cut = Child->Own<TdxBarButton>();
    Cut.SetCaption("Cu&t");
    Edit.ItemLinks().Add(&Cut);
    Input.Click(CentreOf(Bar->ItemLinks(), 2));
    testsupport::PumpUntilIdle();
    ASSERT_NE(Edit.ItemLinks().BarControl(), nullptr);
    Input.Key(Qt::Key_Escape);
    Input.Key(Qt::Key_Escape);
    testsupport::PumpUntilIdle();

    SetState(pf::wsNormal);
    EXPECT_EQ(FrameEntries(), (std::vector<std::string>{"&File"}));
    EXPECT_TRUE(ChildBarShown());
    EXPECT_EQ(Child->BoundsRect().Left, ChildBounds.Left);
    EXPECT_EQ(Child->BoundsRect().Top, ChildBounds.Top);
    EXPECT_EQ(Child->BoundsRect().Width(), ChildBounds.Width());
    EXPECT_EQ(Child->BoundsRect().Height(), ChildBounds.Height());
}

// OnMenuMerge does the merge in place of the manager: it is told to add when the child is
// maximised and to take away when it is restored; the child's bar hides and comes back.
TEST_F(MDIChildMainMenuTest, OnMenuMergeIsToldToAddThenToRemove) {
    HandlerMerges = true;
    ShowChild(pf::wsNormal);
    EXPECT_TRUE(Merges.empty());
    SetState(pf::wsMaximized);
    EXPECT_EQ(Merges, (std::vector<Merge>{{Manager, ChildManager, true}}));
    EXPECT_EQ(FrameEntries(), (std::vector<std::string>{"[-]", "&File", "&Window"}));
    EXPECT_FALSE(ChildBarShown());
    SetState(pf::wsNormal);
    EXPECT_EQ(Merges,
              (std::vector<Merge>{{Manager, ChildManager, true}, {Manager, ChildManager, false}}));
    EXPECT_TRUE(ChildBarShown());
}

// With AlwaysMerge the child's menu is in the frame's bar whenever the child is active, whatever
// its size, and leaves when another child takes over.
TEST_F(MDIChildMainMenuTest, WithAlwaysMergeTheActiveChildsMenuIsAlwaysInTheFramesBar) {
    Manager->AlwaysMerge = true;
    Manager->OnMenuMerge = nullptr;
    ShowChild(pf::wsNormal);
    EXPECT_EQ(FrameEntries(), (std::vector<std::string>{"&File", "&Edit", "&View"}));
    EXPECT_FALSE(ChildBarShown());
    SetState(pf::wsMaximized);
    EXPECT_EQ(FrameEntries(), (std::vector<std::string>{"[-]", "&File", "&Edit", "&View"}));
    SetState(pf::wsNormal);
    EXPECT_EQ(FrameEntries(), (std::vector<std::string>{"&File", "&Edit", "&View"}));

    auto& Other = Form->Own<pf::TForm>(pf::fsMDIChild);
    Other.SetBounds(60, 60, 200, 150);
    Other.Show();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(FrameEntries(), (std::vector<std::string>{"&File"}));
    Child->Show();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(FrameEntries(), (std::vector<std::string>{"&File", "&Edit", "&View"}));
}

// A frame with a docked main menu and a toolbar floating by the program.
class FloatingBarActivationTest : public MenuFormFixture {
protected:
    FloatingBarActivationTest() {
        MakeMainMenu();
        Sub(Bar->ItemLinks(), "&File");
        ShowMainMenu();
        Floating = Manager->Bars()->Add();
        Floating->SetCaption("ToolBar");
        Button(Floating->ItemLinks(), "Open");
        Floating->SetFloatLeft(300);
        Floating->SetFloatTop(200);
        Floating->SetDockingStyle(dsNone);
        Input.ActivateWindow(Form->Handle());
        Floating->SetVisible(true);
        testsupport::PumpUntilIdle();
    }
    pw::HWND FloatingWnd() { return dynamic_cast<TdxBarControl*>(Floating->Control())->Handle(); }
    TdxBar* Floating = nullptr;
};

TEST_F(FloatingBarActivationTest, DeactivatingTheApplicationHidesFloatingBarsUntilItComesBack) {
    ASSERT_NE(Floating->Control(), nullptr);
    ASSERT_TRUE(pw::IsWindowVisible(FloatingWnd()));
    Input.DeactivateApplication();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(pw::IsWindowVisible(FloatingWnd()));
    EXPECT_TRUE(Floating->Visible());
    Input.ActivateWindow(Form->Handle());
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(pw::IsWindowVisible(FloatingWnd()));
    EXPECT_EQ(pw::GetActiveWindow(), Form->Handle());
}

TEST_F(FloatingBarActivationTest, WithoutHidingTheBarsStayAndAMinimisedFormShowsNone) {
    Manager->SetHideFloatingBarsWhenInactive(false);
    Input.DeactivateApplication();
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(pw::IsWindowVisible(FloatingWnd()));
    Manager->SetHideFloatingBarsWhenInactive(true);
    UpdateFloatingBars(*Manager, false, false, pw::NullHWnd);
    EXPECT_FALSE(pw::IsWindowVisible(FloatingWnd()));
    pw::ShowWindow(Form->Handle(), pw::SW_MINIMIZE);
    UpdateFloatingBars(*Manager, true, false, pw::NullHWnd);
    EXPECT_FALSE(pw::IsWindowVisible(FloatingWnd()));
}

} // namespace
} // namespace toolkit::bars
