#include "toolkit/base/look_and_feel.h"
#include "toolkit/base/look_and_feel_controller.h"
#include "toolkit/base/object_links.h"
#include "toolkit/base/theme_manager.h"

#include "platform/core/message_loop.h"
#include "platform/gdi/visual_styles.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::base {
namespace {

namespace pg = platform::gdi;

// Stand-ins for the painter classes: only their identity matters here.
char PainterTokens[6];
TcxLookAndFeelPainterClass FakePainter(int Index) {
    return reinterpret_cast<TcxLookAndFeelPainterClass>(&PainterTokens[Index]);
}
const TcxLookAndFeelPainterClass FlatPainter = FakePainter(0);
const TcxLookAndFeelPainterClass StandardPainter = FakePainter(1);
const TcxLookAndFeelPainterClass UltraFlatPainter = FakePainter(2);
const TcxLookAndFeelPainterClass Office11Painter = FakePainter(3);
const TcxLookAndFeelPainterClass NativePainter = FakePainter(4);
const TcxLookAndFeelPainterClass SkinPainter = FakePainter(5);

void UseVisualStyle(pg::VisualStyleScheme Scheme) {
    pg::SetVisualStyleScheme(Scheme);
    platform::core::SendMessage(dxThemeChangedEventReceiver()->Handle(), pg::WM_THEMECHANGED, 0, 0);
}

struct TChange {
    TcxLookAndFeel* Sender;
    TcxLookAndFeelValues Values;
};

// Records every change notice of a look-and-feel.
class TChangeRecorder {
public:
    explicit TChangeRecorder(TcxLookAndFeel& LookAndFeel) {
        LookAndFeel.OnChanged = [this](TcxLookAndFeel* Sender, TcxLookAndFeelValues Values) {
            Changes.push_back({Sender, Values});
        };
    }
    std::vector<TChange> Changes;
};

class LookAndFeel : public testing::Test {
protected:
    void SetUp() override {
        UseVisualStyle(pg::VisualStyleScheme::None);
        TcxLookAndFeelPainterLookup Lookup;
        Lookup.PainterByKind = [](TcxLookAndFeelKind Kind) { return FakePainter(Kind); };
        Lookup.NativePainter = [] { return NativePainter; };
        Lookup.PainterByName = [](const std::string& Name, TcxLookAndFeelPainterClass& Painter) {
            if (Name != "Skin") return false;
            Painter = SkinPainter;
            return true;
        };
        Lookup.AddSkinListener = [this](TcxLookAndFeel* L) { SkinListeners.push_back(L); };
        Lookup.RemoveSkinListener = [this](TcxLookAndFeel* L) { std::erase(SkinListeners, L); };
        cxSetLookAndFeelPainterLookup(std::move(Lookup));
        ASSERT_NE(RootLookAndFeel(), nullptr);
        RootLookAndFeel()->Reset();
    }
    void TearDown() override {
        RootLookAndFeel()->Reset();
        cxSetLookAndFeelPainterLookup({});
        UseVisualStyle(pg::VisualStyleScheme::Blue);
    }

    std::vector<TcxLookAndFeel*> SkinListeners;
};

TEST_F(LookAndFeel, AnUnassignedLookAndFeelFollowsItsControllerWithOneNotice) {
    TcxLookAndFeel Control(nullptr);
    TChangeRecorder Recorder(Control);
    EXPECT_EQ(Control.GetKind(), lfUltraFlat);
    EXPECT_EQ(Control.GetPainter(), UltraFlatPainter);
    {
        TcxLookAndFeelController Controller(nullptr);
        Controller.SetKind(lfOffice11);
        ASSERT_EQ(Recorder.Changes.size(), 1u);
        EXPECT_EQ(Recorder.Changes[0].Sender, &Control);
        EXPECT_EQ(Recorder.Changes[0].Values, lfvKind);
        EXPECT_EQ(Control.GetKind(), lfOffice11);
        EXPECT_EQ(Control.GetPainter(), Office11Painter);
        EXPECT_EQ(Control.AssignedValues(), 0);
        // Setting the value it has already changes nothing.
        Controller.SetKind(lfOffice11);
        EXPECT_EQ(Recorder.Changes.size(), 1u);
    }
    // The last controller gone: the application's defaults again.
    ASSERT_EQ(Recorder.Changes.size(), 2u);
    EXPECT_EQ(Control.GetKind(), lfUltraFlat);
    EXPECT_EQ(Control.GetPainter(), UltraFlatPainter);
}

TEST_F(LookAndFeel, TheRootKeepsItsValuesUntilTheLastControllerGoes) {
    auto First = std::make_unique<TcxLookAndFeelController>(nullptr);
    TcxLookAndFeelController Second(nullptr);
    First->SetKind(lfFlat);
    First.reset();
    EXPECT_EQ(Second.Kind(), lfFlat);
    // A controller listens to the root only.
    TcxLookAndFeel Control(nullptr);
    Control.AddChangeListener(&Second);
    Control.RemoveChangeListener(&Second);
    EXPECT_EQ(Second.Kind(), lfFlat);
}

TEST_F(LookAndFeel, SettingItsOwnInheritedValueAssignsWithoutNotice) {
    TcxLookAndFeelController Controller(nullptr);
    Controller.SetKind(lfFlat);
    TcxLookAndFeel Control(nullptr);
    TChangeRecorder Recorder(Control);
    Control.SetKind(lfFlat);
    EXPECT_TRUE(Recorder.Changes.empty());
    EXPECT_EQ(Control.AssignedValues(), lfvKind);
    // The controller no longer reaches the assigned value.
    Controller.SetKind(lfStandard);
    EXPECT_TRUE(Recorder.Changes.empty());
    EXPECT_EQ(Control.GetKind(), lfFlat);
    // Reset gives it back to the controller, with one notice.
    Control.Reset();
    ASSERT_EQ(Recorder.Changes.size(), 1u);
    EXPECT_EQ(Recorder.Changes[0].Values, lfvKind);
    EXPECT_EQ(Control.GetKind(), lfStandard);
}

TEST_F(LookAndFeel, FreeingTheMasterFallsBackToTheRoot) {
    auto Master = std::make_unique<TcxLookAndFeel>(nullptr);
    Master->SetKind(lfOffice11);
    TcxLookAndFeel Follower(nullptr);
    TChangeRecorder Recorder(Follower);
    Follower.SetMasterLookAndFeel(Master.get());
    ASSERT_EQ(Recorder.Changes.size(), 1u);
    EXPECT_EQ(Follower.GetKind(), lfOffice11);
    Master->SetNativeStyle(true);
    EXPECT_EQ(Recorder.Changes.size(), 2u);
    EXPECT_TRUE(Follower.GetNativeStyle());

    Master.reset();
    EXPECT_EQ(Follower.MasterLookAndFeel(), nullptr);
    ASSERT_EQ(Recorder.Changes.size(), 3u);
    EXPECT_EQ(Recorder.Changes[2].Values, lfvKind | lfvNativeStyle);
    EXPECT_EQ(Follower.GetKind(), lfUltraFlat);
    EXPECT_FALSE(Follower.GetNativeStyle());
    // It hears the root now.
    TcxLookAndFeelController Controller(nullptr);
    Controller.SetKind(lfStandard);
    EXPECT_EQ(Follower.GetKind(), lfStandard);
    EXPECT_EQ(Recorder.Changes.size(), 4u);
}

TEST_F(LookAndFeel, AMasterIsFollowedAlongTheChainButNeverInACircle) {
    TcxLookAndFeel Top(nullptr);
    TcxLookAndFeel Middle(nullptr);
    TcxLookAndFeel Bottom(nullptr);
    Middle.SetMasterLookAndFeel(&Top);
    Bottom.SetMasterLookAndFeel(&Middle);
    TChangeRecorder Recorder(Top);
    Top.SetMasterLookAndFeel(&Bottom);
    Top.SetMasterLookAndFeel(&Top);
    EXPECT_EQ(Top.MasterLookAndFeel(), nullptr);
    EXPECT_TRUE(Recorder.Changes.empty());
    Top.SetKind(lfFlat);
    EXPECT_EQ(Bottom.GetKind(), lfFlat);
    // The root follows nobody.
    RootLookAndFeel()->SetMasterLookAndFeel(&Top);
    EXPECT_EQ(RootLookAndFeel()->MasterLookAndFeel(), nullptr);
}

// A listener that does what the test asks of it when a change comes.
class TTestListener : public platform::core::TObject, public IcxLookAndFeelNotificationListener {
public:
    TTestListener(std::vector<std::string>& Log, std::string Name)
        : FLog(Log), FName(std::move(Name)) {}
    ~TTestListener() override { cxClearObjectLinks(this); }

    TObject* GetListenerObject() override { return this; }
    void MasterLookAndFeelChanged(TcxLookAndFeel* /*Sender*/, TcxLookAndFeelValues) override {
        FLog.push_back(FName);
        if (OnChange) OnChange();
    }
    void MasterLookAndFeelDestroying(TcxLookAndFeel* /*Sender*/) override {
        FLog.push_back(FName + " destroying");
    }

    std::function<void()> OnChange;

private:
    std::vector<std::string>& FLog;
    std::string FName;
};

TEST_F(LookAndFeel, AListenerLeavingDuringTheWalkDoesNotSkipTheNext) {
    std::vector<std::string> Log;
    TcxLookAndFeel Master(nullptr);
    TTestListener A(Log, "A");
    TTestListener B(Log, "B");
    auto C = std::make_unique<TTestListener>(Log, "C");
    TTestListener D(Log, "D");
    for (IcxLookAndFeelNotificationListener* L :
         std::initializer_list<IcxLookAndFeelNotificationListener*>{&A, &B, C.get(), &D, &A})
        Master.AddChangeListener(L);
    A.OnChange = [&] { Master.RemoveChangeListener(&A); };
    // B frees C, which never told the master: C is skipped, D still hears.
    B.OnChange = [&] { C.reset(); };
    Master.SetKind(lfFlat);
    EXPECT_EQ(Log, (std::vector<std::string>{"A", "B", "D"}));

    Log.clear();
    Master.SetKind(lfStandard);
    EXPECT_EQ(Log, (std::vector<std::string>{"B", "D"}));
}

TEST_F(LookAndFeel, ListenersHearTheMasterDie) {
    std::vector<std::string> Log;
    TTestListener A(Log, "A");
    {
        TcxLookAndFeel Master(nullptr);
        Master.AddChangeListener(&A);
    }
    EXPECT_EQ(Log, (std::vector<std::string>{"A destroying"}));
}

struct TPainterCase {
    TcxLookAndFeelKind Kind;
    bool NativeStyle;
    pg::VisualStyleScheme Style;
    std::string SkinName;
    int Painter; // index of the fake painter
};

TEST_F(LookAndFeel, ThePainterFollowsKindNativeStyleAndSkin) {
    const TPainterCase Cases[] = {
        {lfFlat, false, pg::VisualStyleScheme::Blue, "", 0},
        {lfStandard, false, pg::VisualStyleScheme::Blue, "", 1},
        {lfUltraFlat, false, pg::VisualStyleScheme::Blue, "", 2},
        {lfOffice11, false, pg::VisualStyleScheme::Blue, "", 3},
        {lfFlat, true, pg::VisualStyleScheme::Blue, "", 4},
        // Without visual styles the native style keeps the kind's painter.
        {lfStandard, true, pg::VisualStyleScheme::None, "", 1},
        {lfOffice11, false, pg::VisualStyleScheme::None, "Skin", 5},
        {lfOffice11, false, pg::VisualStyleScheme::None, "Unknown", 3},
        // The native style wins over a skin.
        {lfOffice11, true, pg::VisualStyleScheme::Blue, "Skin", 4},
    };
    for (const TPainterCase& Case : Cases) {
        SCOPED_TRACE(testing::Message() << Case.Kind << " native " << Case.NativeStyle << " skin '"
                                        << Case.SkinName << "'");
        UseVisualStyle(Case.Style);
        TcxLookAndFeel Control(nullptr);
        Control.SetKind(Case.Kind);
        Control.SetSkinName(Case.SkinName);
        Control.SetNativeStyle(Case.NativeStyle);
        EXPECT_EQ(Control.GetPainter(), FakePainter(Case.Painter));
        const bool Skinned = Case.Painter == 5;
        EXPECT_EQ(SkinListeners, Skinned ? std::vector<TcxLookAndFeel*>{&Control}
                                         : std::vector<TcxLookAndFeel*>{});
        if (Skinned) {
            Control.SetSkinName("");
            EXPECT_TRUE(SkinListeners.empty());
        }
    }
}

TEST_F(LookAndFeel, APainterIsPickedWhenThePaintersComeLate) {
    cxSetLookAndFeelPainterLookup({});
    TcxLookAndFeel Control(nullptr);
    EXPECT_EQ(Control.GetPainter(), nullptr);
    TcxLookAndFeelPainterLookup Lookup;
    Lookup.PainterByKind = [](TcxLookAndFeelKind Kind) { return FakePainter(Kind); };
    cxSetLookAndFeelPainterLookup(std::move(Lookup));
    EXPECT_EQ(Control.GetPainter(), UltraFlatPainter);
}

TEST_F(LookAndFeel, AssignCopiesTheAssignedValuesAndTheMaster) {
    TcxLookAndFeel Master(nullptr);
    Master.SetKind(lfStandard);
    TcxLookAndFeel Source(nullptr);
    Source.SetMasterLookAndFeel(&Master);
    Source.SetNativeStyle(true);
    TcxLookAndFeel Copy(nullptr);
    TChangeRecorder Recorder(Copy);
    Copy.Assign(&Source);
    EXPECT_EQ(Copy.MasterLookAndFeel(), &Master);
    EXPECT_EQ(Copy.AssignedValues(), lfvNativeStyle);
    ASSERT_EQ(Recorder.Changes.size(), 1u);
    EXPECT_EQ(Recorder.Changes[0].Values, lfvKind | lfvNativeStyle);
    Master.SetKind(lfFlat);
    EXPECT_EQ(Copy.GetKind(), lfFlat);
}

// A look-and-feel that answers with another object's kind, as a popup does with its owner's.
class TBorrowedLookAndFeel : public TcxLookAndFeel {
public:
    using TcxLookAndFeel::TcxLookAndFeel;
    TcxLookAndFeelKind GetKind() const override { return lfOffice11; }
    void Touch() { Changed(lfvKind); }
};

TEST_F(LookAndFeel, AnOverriddenValueIsWhatThePainterAndTheFollowersRead) {
    TBorrowedLookAndFeel Popup(nullptr);
    Popup.Touch();
    EXPECT_EQ(Popup.GetPainter(), Office11Painter);
    TcxLookAndFeel Follower(nullptr);
    Follower.SetMasterLookAndFeel(&Popup);
    EXPECT_EQ(Follower.GetKind(), lfOffice11);
}

} // namespace
} // namespace toolkit::base
