// The model without the floors above it: a bar shown makes no window and every change of its
// items goes nowhere; with windows installed, the model makes, places and frees them there.

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;

// A toolbar window that only remembers where it was put.
class TRecordedWindow : public TdxDockedBarWindow {
public:
    TRecordedWindow(TdxBar& ABar, std::vector<std::string>& Log) : FBar(ABar), FLog(Log) {}
    ~TRecordedWindow() override { FLog.push_back("window freed"); }

    TdxBar* Bar() const override { return &FBar; }
    pg::TSize GetMinSize(TdxBarDockingStyle) override { return {}; }
    pg::TSize GetFullSize(TdxBarDockingStyle) override { return {}; }
    pg::TSize GetSizeForLength(TdxBarDockingStyle, int) override { return {}; }
    pg::TRect BoundsRect() const override { return {}; }
    void SetBoundsRect(const pg::TRect&) override {}
    void SetDockSite(TdxDockControl*, TdxBarDockingStyle Style) override {
        FLog.push_back("docking style " + std::to_string(Style));
    }
    void PlaceFloating(pg::TPoint Pos) override {
        FLog.push_back("floating at " + std::to_string(Pos.X) + "," + std::to_string(Pos.Y));
    }
    pg::TSize ClientSize() const override { return {}; }
    void ShowNoActivate() override { FLog.push_back("shown"); }
    void SetTruncated(bool) override {}
    bool Truncated() const override { return false; }
    void CalcItemRects() override {}
    void RefreshLayout() override {}
    void RepaintBar() override {}

private:
    TdxBar& FBar;
    std::vector<std::string>& FLog;
};

// Windows that make recorded toolbar windows and no dock sites.
class TRecordingWindows : public TdxBarWindowServices {
public:
    std::unique_ptr<TdxDockedBarWindow> CreateBarWindow(TdxBar& Bar) override {
        Log.push_back("window for " + Bar.Caption());
        return std::make_unique<TRecordedWindow>(Bar, Log);
    }
    std::vector<std::string> Log;
};

class BarWindowServicesTest : public ::testing::Test {
protected:
    BarWindowServicesTest() : FRoot(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &FRoot->Own<pf::TForm>();
        Form->Show();
        Manager = &Form->Own<TdxBarManager>();
        // A floating bar shows whether or not the form is active.
        Manager->SetHideFloatingBarsWhenInactive(false);
    }
    ~BarWindowServicesTest() override {
        FRoot.reset();
        pc::ProcessMessages();
    }

    TdxBar& FloatingBar(const std::string& Caption) {
        TdxBar& Bar = *Manager->Bars()->Add();
        Bar.SetCaption(Caption);
        Bar.SetDockingStyle(dsNone);
        Bar.SetFloatLeft(30);
        Bar.SetFloatTop(40);
        return Bar;
    }

    TdxBarUnit Unit;
    std::unique_ptr<pc::TComponent> FRoot;
    pf::TForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
};

TEST_F(BarWindowServicesTest, WithoutWindowsABarShownHasNoWindowAndItsItemsChangeForNothing) {
    ASSERT_EQ(Manager->Bars()->DockControls(dsTop), nullptr);
    TdxBar& Bar = FloatingBar("Tools");
    auto& Button = Form->Own<TdxBarButton>();
    Bar.ItemLinks().Add(&Button);
    Bar.SetVisible(true);
    EXPECT_TRUE(Bar.Visible());
    EXPECT_EQ(Bar.Control(), nullptr);
    Button.SetCaption("Open");
    Button.SetDown(true);
    Manager->SetStyle(bmsFlat);
    EXPECT_EQ(Bar.ItemLinks().Items(0)->Control(), nullptr);
    Bar.SetVisible(false);
}

TEST_F(BarWindowServicesTest, TheModelMakesPlacesAndFreesABarsWindowThroughTheInstalledWindows) {
    TRecordingWindows Windows;
    TdxBarWindowServices* Previous = SetdxBarWindowServices(&Windows);
    {
        // The manager's bars were made before: this bar's window is asked of the windows
        // installed now.
        TdxBar& Bar = FloatingBar("Tools");
        Bar.SetVisible(true);
        EXPECT_NE(Bar.Control(), nullptr);
        Bar.SetVisible(false);
        EXPECT_EQ(Bar.Control(), nullptr);
    }
    SetdxBarWindowServices(Previous);
    EXPECT_EQ(Windows.Log,
              (std::vector<std::string>{"window for Tools", "docking style 0", "floating at 30,40",
                                        "shown", "window freed"}));
}

} // namespace
} // namespace toolkit::bars
