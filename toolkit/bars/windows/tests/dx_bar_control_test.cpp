#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_button_control.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/base/office11.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/forms/application.h"
#include "platform/forms/forms.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;

class BarControlTest : public ::testing::Test {
protected:
    BarControlTest() : FRoot(std::make_unique<pc::TComponent>(nullptr)) {
        pg::SetVisualStyleScheme(pg::VisualStyleScheme::Blue);
        Form = &FRoot->Own<pf::TForm>();
        Form->SetBounds(0, 0, 400, 200);
        Manager = &Form->Own<TdxBarManager>();
        Manager->SetStyle(bmsOffice11);
        Bar = Manager->Bars()->Add();
        Bar->SetCaption("Tools");
        Bar->SetDockingStyle(dsTop);
        Links = &Bar->ItemLinks();
        pf::Application().OnException = [this](pc::TObject*, const std::exception_ptr&) {
            ++Exceptions;
        };
    }
    ~BarControlTest() override {
        pf::Application().OnException = nullptr;
        FRoot.reset();
        testsupport::PumpUntilIdle();
    }

    TdxBarButton& Button(const std::string& Caption) {
        auto& B = Form->Own<TdxBarButton>();
        B.SetCaption(Caption);
        B.UnclickAfterDoing = true;
        Links->Add(&B);
        return B;
    }
    void Show() {
        Form->Show();
        Bar->SetVisible(true);
        testsupport::PumpUntilIdle();
        Toolbar = dynamic_cast<TdxBarControl*>(Bar->Control());
        ASSERT_NE(Toolbar, nullptr);
    }
    TdxBarItemControl* ControlOf(int Index) { return Links->Items(Index)->Control(); }
    pg::TPoint Centre(int Index) {
        const pg::TRect R = Links->Items(Index)->ItemRect;
        return Toolbar->ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    TdxBarUnit Unit;
    std::unique_ptr<pc::TComponent> FRoot;
    pf::TForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
    TdxBar* Bar = nullptr;
    TdxBarItemLinks* Links = nullptr;
    TdxBarControl* Toolbar = nullptr;
    testsupport::InputDriver Input;
    int Exceptions = 0;
};

TEST_F(BarControlTest, EachShownLinkGetsTheControlOfItsItemsClass) {
    Button("&Open");
    auto& Sub = Form->Own<TdxBarSubItem>();
    Sub.SetCaption("&File");
    Links->Add(&Sub);
    Show();
    EXPECT_NE(dynamic_cast<TdxBarButtonControl*>(ControlOf(0)), nullptr);
    EXPECT_NE(dynamic_cast<TdxBarSubItemControl*>(ControlOf(1)), nullptr);
    EXPECT_EQ(ControlOf(0)->Parent(), Toolbar);
    Bar->SetVisible(false);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Links->Items(0)->Control(), nullptr);
    EXPECT_EQ(Links->BarControl(), nullptr);
}

TEST_F(BarControlTest, ClickingAButtonRunsItsHandlerOncePressedAndInItsClick) {
    struct Case {
        const char* Name;
        bool Throws;
    };
    for (const Case& C : {Case{"returns", false}, Case{"throws", true}}) {
        SCOPED_TRACE(C.Name);
        Bar->SetVisible(false);
        Links->Clear();
        auto& B = Button("Save");
        Show();
        auto* Control = dynamic_cast<TdxBarButtonControl*>(ControlOf(0));
        ASSERT_NE(Control, nullptr);
        int Runs = 0;
        bool InClickDuring = false, SelectedDuring = false;
        B.OnClick = [&](pc::TObject*) {
            ++Runs;
            InClickDuring = Control->InClick();
            SelectedDuring = Control->IsSelected();
            if (C.Throws) throw std::runtime_error("handler fails");
        };
        const int ExceptionsBefore = Exceptions;
        Input.Click(Centre(0));
        EXPECT_EQ(Runs, 1);
        EXPECT_TRUE(InClickDuring);
        EXPECT_TRUE(SelectedDuring);
        EXPECT_FALSE(Control->InClick());
        EXPECT_EQ(Toolbar->DownControl(), nullptr);
        EXPECT_FALSE(Toolbar->Active());
        EXPECT_EQ(platform::win::GetCapture(), platform::win::NullHWnd);
        EXPECT_EQ(Exceptions - ExceptionsBefore, C.Throws ? 1 : 0);
    }
}

TEST_F(BarControlTest, APressHeldOnAButtonCapturesAndTracksTheMouse) {
    Button("Cut");
    Button("Copy");
    Show();
    Input.MoveTo(Centre(0));
    Input.Press(Centre(0));
    EXPECT_EQ(Toolbar->DownControl(), ControlOf(0));
    EXPECT_EQ(platform::win::GetCapture(), Toolbar->Handle());
    EXPECT_TRUE(Toolbar->DownInside());
    Input.MoveTo(Centre(1));
    EXPECT_FALSE(Toolbar->DownInside());
    Input.MoveTo(Centre(0));
    EXPECT_TRUE(Toolbar->DownInside());
    EXPECT_EQ(platform::win::GetCapture(), Toolbar->Handle());
    // Released outside the form: the capturing toolbar gets it, and nothing runs.
    int Runs = 0;
    Links->Items(0)->Item()->OnClick = [&](pc::TObject*) { ++Runs; };
    Input.MoveTo({600, 400});
    Input.Release({600, 400});
    EXPECT_EQ(Runs, 0);
    EXPECT_EQ(Toolbar->DownControl(), nullptr);
    EXPECT_EQ(platform::win::GetCapture(), platform::win::NullHWnd);
}

TEST_F(BarControlTest, ADisabledItemLosesItsSelectionAndIgnoresClicks) {
    auto& B = Button("Print");
    Show();
    Input.MoveTo(Centre(0));
    EXPECT_EQ(Toolbar->SelectedControl(), ControlOf(0));
    B.SetEnabled(false);
    EXPECT_EQ(Toolbar->SelectedControl(), nullptr);
    int Runs = 0;
    B.OnClick = [&](pc::TObject*) { ++Runs; };
    Input.Click(Centre(0));
    EXPECT_EQ(Runs, 0);
    EXPECT_EQ(Toolbar->DownControl(), nullptr);
}

TEST_F(BarControlTest, AWindowWithoutLinksIgnoresTheLeftButton) {
    Show();
    Input.Click(Toolbar->ClientToScreen({5, 5}));
    EXPECT_EQ(platform::win::GetCapture(), platform::win::NullHWnd);
    EXPECT_FALSE(Toolbar->Active());
}

TEST_F(BarControlTest, ACheckButtonTogglesDownOnceThenRunsItsClick) {
    auto& B = Button("Bold");
    B.SetButtonStyle(bsChecked);
    Show();
    bool DownInHandler = false;
    B.OnClick = [&](pc::TObject*) { DownInHandler = B.Down(); };
    Input.Click(Centre(0));
    EXPECT_TRUE(B.Down());
    EXPECT_TRUE(DownInHandler);
}

TEST_F(BarControlTest, ABarWithButtonsInTheOffice2003BlueScheme) {
    toolkit::base::dxOffice11RefreshColors();
    Button("New");
    Button("Open");
    Button("Save");
    Show();
    Input.MoveTo(Centre(1));
    testsupport::PumpUntilIdle();
    testsupport::TempFolder Temp("bar_control_");
    const auto Path = std::filesystem::path(Temp.Path()) / "office2003_blue_toolbar.png";
    ASSERT_TRUE(testsupport::SaveWindowPng(Toolbar->Handle(), Path.string()));
    EXPECT_TRUE(std::filesystem::exists(Path));
    // The hot button's face is orange, the others lie on the blue bar.
    const pg::HDC DC = platform::win::GetDC(Toolbar->Handle());
    const pg::TRect Hot = Links->Items(1)->ItemRect;
    const pg::COLORREF Face = pg::GetPixel(DC, (Hot.Left + Hot.Right) / 2, Hot.Top + 2);
    const pg::TRect Cold = Links->Items(0)->ItemRect;
    const pg::COLORREF Bar = pg::GetPixel(DC, (Cold.Left + Cold.Right) / 2, Cold.Top + 2);
    platform::win::ReleaseDC(Toolbar->Handle(), DC);
    EXPECT_GT(pg::GetRValue(Face), pg::GetBValue(Face));
    EXPECT_GT(pg::GetBValue(Bar), pg::GetRValue(Bar));
}

} // namespace
} // namespace toolkit::bars
