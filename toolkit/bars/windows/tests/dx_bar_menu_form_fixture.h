#pragma once
// A form on a 1024 x 768 screen with a bar manager, a main-menu bar docked on top and, where a
// test asks, a toolbar in the row below it, on the manual clock, for the tests of menus, menu mode,
// the hooks, moving bars and customising. Each test puts its own windows on the form, then calls
// MakeMainMenu (and MakeToolbar), fills the bars with Sub and Button, and calls ShowMainMenu (or
// ShowBars); the form and everything on it go with the test.

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"
#include "toolkit/base/office11.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/forms/forms.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/text_out.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/monitors.h"
#include "platform/win/painting.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <QtCore/Qt>

#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {

// The width of Text (accelerator marks and all) in the manager's font.
inline int ManagerTextWidth(TdxBarManager& Manager, const std::string& Text) {
    namespace pg = platform::gdi;
    const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    pg::SelectObject(DC, Manager.Font().Handle());
    pg::TSize Size{};
    pg::GetTextExtentPoint32(DC, Text.c_str(), static_cast<int>(Text.size()), &Size);
    pg::DeleteDC(DC);
    return Size.cx;
}

class MenuFormFixture : public ::testing::Test {
protected:
    explicit MenuFormFixture(platform::forms::TFormStyle Style = platform::forms::fsNormal)
        : FRoot(std::make_unique<platform::core::TComponent>(nullptr)) {
        platform::win::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 768}}});
        Form = &FRoot->Own<platform::forms::TForm>(Style);
        Form->SetBounds(0, 0, 640, 300);
    }
    ~MenuFormFixture() override {
        FRoot.reset();
        testsupport::PumpUntilIdle();
        platform::win::SetMonitors({});
    }

    void MakeMainMenu() {
        Manager = &Form->Own<TdxBarManager>();
        Bar = Manager->Bars()->Add();
        Bar->SetCaption("Main Menu");
        Bar->SetIsMainMenu(true);
        Bar->SetDockingStyle(dsTop);
    }
    // The main menu on the blue scheme's colours with the bars in their Office11 look, as most
    // tests that judge pixels want it.
    void MakeOffice11MainMenu() {
        platform::gdi::SetVisualStyleScheme(platform::gdi::VisualStyleScheme::Blue);
        toolkit::base::dxOffice11RefreshColors();
        MakeMainMenu();
        Manager->SetStyle(bmsOffice11);
    }
    void ShowMainMenu() {
        Form->Show();
        Bar->SetVisible(true);
        testsupport::PumpUntilIdle();
    }
    // "ToolBar", docked on top in the row under the main menu, empty.
    void MakeToolbar() {
        Tools = Manager->Bars()->Add();
        Tools->SetCaption("ToolBar");
        Tools->SetDockingStyle(dsTop);
        Tools->SetRow(1);
    }
    void ShowBars() {
        ShowMainMenu();
        Tools->SetVisible(true);
        testsupport::PumpUntilIdle();
    }
    // For a fixture's destructor, while what the customising events reach still lives.
    void EndCustomizing() {
        if (Manager && Manager->IsCustomizing()) Manager->Customizing(false);
        testsupport::PumpUntilIdle();
    }
    TdxBarSubItem& Sub(TdxBarItemLinks& Links, const std::string& Caption) {
        auto& S = Form->Own<TdxBarSubItem>();
        S.SetCaption(Caption);
        Links.Add(&S);
        return S;
    }
    TdxBarButton& Button(TdxBarItemLinks& Links, const std::string& Caption) {
        auto& B = Form->Own<TdxBarButton>();
        B.SetCaption(Caption);
        Links.Add(&B);
        return B;
    }
    // Escape twice: out of a sub-menu, then out of menu mode.
    void CloseMenus() {
        Input.Key(Qt::Key_Escape);
        Input.Key(Qt::Key_Escape);
        testsupport::PumpUntilIdle();
    }
    // The width of Text (accelerator marks and all) in the manager's font.
    int TextWidth(const std::string& Text) const { return ManagerTextWidth(*Manager, Text); }
    // A pixel of a bar window's client area as the window painted it.
    static platform::gdi::COLORREF ClientPixel(TCustomdxBarControl& W, int X, int Y) {
        namespace pg = platform::gdi;
        const pg::TPoint Client = W.ClientToScreen({0, 0}), Origin = W.WindowToScreen({0, 0});
        const auto Surface = platform::win::WindowSurface(W.Handle());
        return pg::PixelToColor(Surface->Pixel(X + Client.X - Origin.X, Y + Client.Y - Origin.Y) &
                                0xFFFFFF);
    }
    static platform::gdi::COLORREF ClientPixel(TCustomdxBarControl& W, platform::gdi::TPoint P) {
        return ClientPixel(W, P.X, P.Y);
    }
    // Near black: the ink of a caption.
    static bool IsInk(platform::gdi::COLORREF C) {
        return platform::gdi::GetRValue(C) < 64 && platform::gdi::GetGValue(C) < 64 &&
               platform::gdi::GetBValue(C) < 64;
    }
    // The menu window a sub-item shows, or null.
    static TdxBarSubMenuControl* MenuOf(TdxBarSubItem& S) {
        return dynamic_cast<TdxBarSubMenuControl*>(S.ItemLinks().BarControl());
    }
    // The captions of the links a bar or menu shows, in order.
    static std::vector<std::string> ShownCaptions(const TdxBarItemLinks& Links) {
        std::vector<std::string> Result;
        for (int I = 0; I < Links.VisibleItemCount(); ++I)
            Result.push_back(Links.VisibleItems(I)->GetCaption());
        return Result;
    }
    // The items' own captions of every link, shown or not.
    static std::vector<std::string> ItemCaptions(const TdxBarItemLinks& Links) {
        std::vector<std::string> Result;
        for (int I = 0; I < Links.Count(); ++I)
            Result.push_back(Links.Items(I)->Item()->Caption());
        return Result;
    }
    TdxBarControl& BarWindow() { return *dynamic_cast<TdxBarControl*>(Bar->Control()); }
    // The screen centre of a link's row in the window that shows it.
    static platform::gdi::TPoint CentreOf(TdxBarItemLinks& Links, int Index) {
        const platform::gdi::TRect R = Links.VisibleItems(Index)->ItemRect;
        return Links.BarControl()->ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    }

    platform::core::ManualClock Clock{1000};
    platform::core::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    platform::core::NowOverride ClockDate{Clock, platform::core::EncodeDate(2026, 3, 7) +
                                                     platform::core::EncodeTime(9, 0, 0, 0)};
    TdxBarUnit Unit;
    std::unique_ptr<platform::core::TComponent> FRoot;
    platform::forms::TForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
    TdxBar* Bar = nullptr;
    TdxBar* Tools = nullptr;
    testsupport::InputDriver Input;
};

} // namespace toolkit::bars
