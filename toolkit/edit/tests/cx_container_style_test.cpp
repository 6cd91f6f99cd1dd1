#include "toolkit/edit/cx_container_style.h"

#include "platform/gdi/colors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pg = platform::gdi;

struct BorderCase {
    const char* Name;
    TcxContainerBorderStyle Normal;
    TcxContainerStyleState State;
    bool HotTrack;
    TcxContainerBorderStyle Expected;
};

class ContainerBorderStyleTest : public ::testing::TestWithParam<BorderCase> {};

TEST_P(ContainerBorderStyleTest, AStateWithNothingAssignedShowsTheTableRowOfItsState) {
    const BorderCase& Case = GetParam();
    TcxContainerStyles Styles(nullptr, cxContainerStyleClass());
    Styles.Style().SetBorderStyle(Case.Normal);
    Styles.Style().SetHotTrack(Case.HotTrack);
    EXPECT_EQ(Styles[Case.State].BorderStyle(), Case.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ContainerBorderStyleTest,
    ::testing::Values(BorderCase{"FocusedSingle", cbsSingle, cssFocused, true, cbsThick},
                      BorderCase{"FocusedFlat", cbsFlat, cssFocused, true, cbs3D},
                      BorderCase{"FocusedNone", cbsNone, cssFocused, true, cbsFlat},
                      BorderCase{"FocusedUltraFlat", cbsUltraFlat, cssFocused, true, cbsUltraFlat},
                      BorderCase{"HotSingle", cbsSingle, cssHot, true, cbsThick},
                      BorderCase{"HotNone", cbsNone, cssHot, true, cbsFlat},
                      BorderCase{"FocusedWithoutHotTrack", cbsSingle, cssFocused, false, cbsSingle},
                      BorderCase{"HotWithoutHotTrack", cbsFlat, cssHot, false, cbsFlat},
                      BorderCase{"DisabledWithoutHotTrack", cbsNone, cssDisabled, false, cbsNone}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(ContainerStyleTest, AnUnassignedValueComesFromTheControllersStyleOfTheSameState) {
    TcxStyleController Controller(nullptr);
    TcxContainerStyles Styles(nullptr, cxContainerStyleClass());
    Styles.Style().SetStyleController(&Controller);
    Controller.Styles().StyleFocused().SetBorderColor(pg::clRed);
    Controller.Style().SetTransparentBorder(false);

    EXPECT_EQ(Styles.StyleFocused().BorderColor(), pg::clRed);
    EXPECT_EQ(Styles.Style().BorderColor(), pg::clWindowFrame);
    EXPECT_TRUE(Styles.Style().IsValueAssigned(svTransparentBorder));
    EXPECT_FALSE(Styles.Style().TransparentBorder());
    EXPECT_FALSE(Styles.Style().IsValueAssigned(svShadow));

    Styles.StyleFocused().SetBorderColor(pg::clBlue);
    EXPECT_EQ(Styles.StyleFocused().BorderColor(), pg::clBlue);
}

TEST(ContainerStyleTest, AControllerWhoseChainLeadsBackToTheStyleIsRefused) {
    TcxStyleController First(nullptr);
    TcxStyleController Second(nullptr);
    Second.Style().SetStyleController(&First);
    ASSERT_EQ(Second.Style().StyleController(), &First);

    First.Style().SetStyleController(&Second);
    EXPECT_EQ(First.Style().StyleController(), nullptr);
    First.Style().SetStyleController(&First);
    EXPECT_EQ(First.Style().StyleController(), nullptr);
    EXPECT_EQ(First.Listeners().size(), 1u);
}

// Records which style lost its controller, in order.
class TRecordingStyle : public TcxContainerStyle {
public:
    TRecordingStyle(std::vector<std::string>& ALog, std::string AName)
        : TcxContainerStyle(nullptr, cssNormal, nullptr, false), Log(ALog), Name(std::move(AName)) {
    }
    void ControllerFreeNotification(TcxStyleController* Controller) override {
        Log.push_back(Name);
        TcxContainerStyle::ControllerFreeNotification(Controller);
    }
    std::vector<std::string>& Log;
    std::string Name;
};

TEST(ContainerStyleTest, AControllerGoingAwayTellsItsListenersNewestFirst) {
    std::vector<std::string> Log;
    TRecordingStyle A(Log, "first"), B(Log, "second"), C(Log, "third");
    {
        TcxStyleController Controller(nullptr);
        for (TcxContainerStyle* S : {&A, &B, &C})
            S->SetStyleController(&Controller);
        Controller.Style().SetColor(pg::clAqua);
        EXPECT_EQ(A.GetColor(), pg::clAqua);
    }
    EXPECT_EQ(Log, (std::vector<std::string>{"third", "second", "first"}));
    EXPECT_EQ(A.StyleController(), nullptr);
    EXPECT_EQ(C.StyleController(), nullptr);
}

TEST(ContainerStyleTest, AControllerChangeReachesEveryListenerInOrder) {
    TcxStyleController Controller(nullptr);
    TcxContainerStyles One(nullptr, cxContainerStyleClass()), Two(nullptr, cxContainerStyleClass());
    std::vector<int> Changes;
    One.Style().OnChanged = [&](TcxContainerStyle*) { Changes.push_back(1); };
    Two.Style().OnChanged = [&](TcxContainerStyle*) { Changes.push_back(2); };
    One.Style().SetStyleController(&Controller);
    Two.Style().SetStyleController(&Controller);
    Changes.clear();
    Controller.Style().SetBorderStyle(cbsThick);
    EXPECT_EQ(Changes, (std::vector<int>{1, 2}));
    EXPECT_EQ(One.StyleHot().BorderStyle(), cbsThick);
}

TEST(ContainerStyleTest, TheStylesOwnFontUpdateDoesNotMarkFontAssigned) {
    TcxStyleController Controller(nullptr);
    pg::TFont Big;
    Big.SetSize(20);
    Controller.Style().SetFont(&Big);
    TcxContainerStyles Styles(nullptr, cxContainerStyleClass());
    Styles.Style().SetStyleController(&Controller);
    EXPECT_EQ(Styles.Style().Font().Size(), 20);
    EXPECT_EQ(Styles.Style().AssignedValues() & cxStyleValue(svFont), 0u);
    Styles.Style().Font().SetSize(9);
    EXPECT_NE(Styles.Style().AssignedValues() & cxStyleValue(svFont), 0u);
}

TEST(ContainerStyleTest, ValueNamesAndStateIndependence) {
    TcxContainerStyles Styles(nullptr, cxContainerStyleClass());
    std::string Name = "x";
    EXPECT_FALSE(Styles.Style().GetStyleValueName(10, Name));
    EXPECT_EQ(Name, "");
    EXPECT_TRUE(Styles.Style().GetStyleValueName(9, Name));
    EXPECT_EQ(Name, "TransparentBorder");
    EXPECT_EQ(Styles.Style().GetStateIndependentValues(), 632u);
    EXPECT_EQ(Styles.Style().FindStyleValueByName("bordercolor"), svBorderColor);
    EXPECT_FALSE(Styles.Style().IsStateDependentValueName("Edges"));
    EXPECT_FALSE(Styles.Style().IsStateDependentValueName("StyleController"));
    EXPECT_TRUE(Styles.Style().IsStateDependentValueName("Color"));
    // Shared values live in the normal style.
    Styles.StyleHot().SetShadow(true);
    EXPECT_TRUE(Styles.Style().Shadow());
}

// A controller of a style class of its own, as the editors' controllers are.
class TThickStyle : public TcxContainerStyle {
public:
    using TcxContainerStyle::TcxContainerStyle;

protected:
    TcxContainerBorderStyle DefaultBorderStyle() const override { return cbsThick; }
};

class TThickStyleController : public TcxStyleController {
public:
    using TcxStyleController::TcxStyleController;

protected:
    TcxContainerStyleClass GetStyleClass() const override {
        return [](platform::core::TPersistent* Owner, TcxContainerStyleState State,
                  TcxContainerStyle* Parent, bool Direct) -> std::unique_ptr<TcxContainerStyle> {
            return std::make_unique<TThickStyle>(Owner, State, Parent, Direct);
        };
    }
};

TEST(ContainerStyleTest, AControllersStylesAreOfTheClassItsDescendantNames) {
    TThickStyleController Controller(nullptr);
    for (int State = cssNormal; State <= cssHot; ++State)
        EXPECT_NE(dynamic_cast<TThickStyle*>(&Controller.Styles()[State]), nullptr) << State;
    EXPECT_EQ(Controller.Style().BorderStyle(), cbsThick);
}

TEST(ContainerStyleTest, AControllerReportsAChangeOnceLoaded) {
    TcxStyleController Controller(nullptr);
    TcxContainerStyle Listener(nullptr, cssNormal, nullptr, false);
    Listener.SetStyleController(&Controller);
    int Changes = 0;
    Listener.OnChanged = [&](TcxContainerStyle*) { ++Changes; };
    Controller.BeginLoading();
    Controller.EndLoading();
    EXPECT_EQ(Changes, 1);
}

} // namespace
} // namespace toolkit::edit
