#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_unit.h"

#include "platform/core/loading_bracket.h"
#include "platform/core/message_loop.h"
#include "platform/forms/application.h"
#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"
#include "platform/win/play_sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;

class BarManagerTest : public ::testing::Test {
protected:
    BarManagerTest() : FRoot(std::make_unique<pc::TComponent>(nullptr)) {}
    ~BarManagerTest() override {
        pf::Application().SetMainForm(nullptr);
        FRoot.reset();
        pc::ProcessMessages();
    }

    pf::TForm& NewForm() { return FRoot->Own<pf::TForm>(); }
    TdxBarManagerList& List() { return Unit.BarManagerList(); }

    TdxBarUnit Unit;
    std::unique_ptr<pc::TComponent> FRoot;
};

TEST_F(BarManagerTest, ANilOwnerServesTheMainForm) {
    pf::TForm& Main = NewForm();
    pf::Application().SetMainForm(&Main);
    auto Manager = std::make_unique<TdxBarManager>(nullptr);
    EXPECT_EQ(Manager->Form(), &Main);
    EXPECT_EQ(Manager->Owner(), nullptr);
    EXPECT_EQ(GetBarManagerByControl(&Main), Manager.get());
}

TEST_F(BarManagerTest, WithoutAFormTheOwnerIsRefusedAndNothingIsRegistered) {
    pf::Application().SetMainForm(nullptr);
    try {
        TdxBarManager Manager(nullptr);
        FAIL() << "no exception";
    } catch (const pc::Exception& E) {
        EXPECT_EQ(E.Message(), "TdxBarManager should have as its Owner - TForm (TCustomForm)");
    }
    pc::TComponent NotAForm(nullptr);
    EXPECT_THROW(TdxBarManager Manager(&NotAForm), pc::Exception);
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_FALSE(List().HooksInstalled());
}

TEST_F(BarManagerTest, ASecondManagerOnOneFormIsRefused) {
    pf::TForm& Form = NewForm();
    TdxBarManager& First = Form.Own<TdxBarManager>();
    const int Components = Form.ComponentCount();
    try {
        Form.Own<TdxBarManager>();
        FAIL() << "no exception";
    } catch (const pc::Exception& E) {
        EXPECT_EQ(E.Message(), "A Form should contain only a single TdxBarManager");
    }
    EXPECT_EQ(Form.ComponentCount(), Components);
    EXPECT_EQ(List().GetCount(), 1);
    EXPECT_EQ(GetBarManagerByControl(&Form), &First);
}

TEST_F(BarManagerTest, HooksComeWithTheFirstManagerAndGoWithTheLast) {
    pf::TForm& Form1 = NewForm();
    pf::TForm& Form2 = NewForm();
    EXPECT_FALSE(List().HooksInstalled());
    TdxBarManager& First = Form1.Own<TdxBarManager>();
    ASSERT_TRUE(List().HooksInstalled());
    const auto Keyboard = List().KeyboardHook();
    Form2.Own<TdxBarManager>();
    EXPECT_EQ(List().KeyboardHook(), Keyboard) << "installed once";
    Form1.FreeComponent(First);
    EXPECT_EQ(List().GetCount(), 1);
    EXPECT_TRUE(List().HooksInstalled());
    FRoot->FreeComponent(Form2);
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_FALSE(List().HooksInstalled());
}

TEST_F(BarManagerTest, TheFirstRegistrationStopsABarSound) {
    platform::win::ClearPlayedSounds();
    NewForm().Own<TdxBarManager>();
    EXPECT_EQ(platform::win::PlayedSounds(), std::vector<std::string>{""});
}

TEST_F(BarManagerTest, AManagerIsFreedOnceByItsFormAndTheListOnlyDetaches) {
    pf::TForm& Form = NewForm();
    TdxBarManager& Manager = Form.Own<TdxBarManager>();
    ASSERT_EQ(List().GetItem(0), &Manager);
    // The form frees its manager with itself; the list is left empty, and a unit that goes
    // afterwards frees nothing a second time (the sanitiser would tell).
    FRoot->FreeComponent(Form);
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_EQ(List().GetItem(0), nullptr);
}

TEST_F(BarManagerTest, AListThatGoesWithAManagerStillListedAssertsInADebugBuild) {
    EXPECT_DEBUG_DEATH(
        {
            TdxBarManagerList Orphans;
            Orphans.RegisterBarManager(reinterpret_cast<TdxBarManager*>(&Orphans));
        },
        "outlived");
}

TEST_F(BarManagerTest, Defaults) {
    TdxBarManager& M = NewForm().Own<TdxBarManager>();
    EXPECT_EQ(M.Style(), bmsEnhanced);
    EXPECT_EQ(M.Categories().Count(), 1);
    EXPECT_EQ(M.Categories()[0], "Default");
    EXPECT_EQ(M.ButtonArrowWidth(), 11);
    EXPECT_EQ(M.LargeButtonArrowWidth(), 13);
    EXPECT_EQ(M.MostRecentItemsPercents(), 95);
    EXPECT_EQ(M.MostRecentItemsStep(), 20);
    EXPECT_EQ(M.WaitForDockingTime(), 21);
    EXPECT_TRUE(M.UseSystemFont());
    EXPECT_TRUE(M.AutoDockColor());
    EXPECT_EQ(M.ImageListBkColor(), 0xFF00FF);
    EXPECT_EQ(M.ImageSize(), 16);
    EXPECT_EQ(M.ButtonWidth(), 23);
    EXPECT_EQ(M.ButtonHeight(), 22);
    EXPECT_EQ(M.ArrowWidth(), 11);
    EXPECT_EQ(M.PainterClass()->ClassName(), "TdxBarItemControlEnhancedPainter");
}

struct SetterCase {
    const char* Name;
    std::function<void(TdxBarManager&)> Set;
    std::function<void(TdxBarManager&)> Check;
};

class BarManagerSetterTest : public BarManagerTest,
                             public ::testing::WithParamInterface<SetterCase> {};

TEST_P(BarManagerSetterTest, FollowsItsRule) {
    TdxBarManager& M = NewForm().Own<TdxBarManager>();
    GetParam().Set(M);
    GetParam().Check(M);
}

INSTANTIATE_TEST_SUITE_P(
    Setters, BarManagerSetterTest,
    ::testing::Values(
        SetterCase{"PercentsFifty", [](TdxBarManager& M) { M.SetMostRecentItemsPercents(50); },
                   [](TdxBarManager& M) {
                       EXPECT_EQ(M.MostRecentItemsPercents(), 50);
                       EXPECT_EQ(M.MostRecentItemsStep(), 2);
                   }},
        SetterCase{"PercentsZero", [](TdxBarManager& M) { M.SetMostRecentItemsPercents(0); },
                   [](TdxBarManager& M) { EXPECT_EQ(M.MostRecentItemsStep(), 1); }},
        SetterCase{"PercentsHundred", [](TdxBarManager& M) { M.SetMostRecentItemsPercents(100); },
                   [](TdxBarManager& M) { EXPECT_EQ(M.MostRecentItemsStep(), 0); }},
        SetterCase{"PercentsCapped", [](TdxBarManager& M) { M.SetMostRecentItemsPercents(250); },
                   [](TdxBarManager& M) {
                       EXPECT_EQ(M.MostRecentItemsPercents(), 100);
                       EXPECT_EQ(M.MostRecentItemsStep(), 0);
                   }},
        SetterCase{"ArrowWidthOneIgnored",
                   [](TdxBarManager& M) {
                       M.SetButtonArrowWidth(1);
                       M.SetLargeButtonArrowWidth(1);
                   },
                   [](TdxBarManager& M) {
                       EXPECT_EQ(M.ButtonArrowWidth(), 11);
                       EXPECT_EQ(M.LargeButtonArrowWidth(), 13);
                   }},
        SetterCase{"ArrowWidthTwoTaken", [](TdxBarManager& M) { M.SetButtonArrowWidth(2); },
                   [](TdxBarManager& M) {
                       EXPECT_EQ(M.ButtonArrowWidth(), 2);
                       EXPECT_EQ(M.ArrowWidth(), 3) << "made odd";
                   }},
        SetterCase{"NegativeDockingWaitIgnored",
                   [](TdxBarManager& M) { M.SetWaitForDockingTime(-1); },
                   [](TdxBarManager& M) { EXPECT_EQ(M.WaitForDockingTime(), 21); }},
        SetterCase{"ZeroDockingWaitTaken", [](TdxBarManager& M) { M.SetWaitForDockingTime(0); },
                   [](TdxBarManager& M) { EXPECT_EQ(M.WaitForDockingTime(), 0); }},
        SetterCase{"DockColorTurnsAutomaticColourOff",
                   [](TdxBarManager& M) { M.SetDockColor(pg::clRed); },
                   [](TdxBarManager& M) {
                       EXPECT_FALSE(M.AutoDockColor());
                       EXPECT_EQ(M.DockColor(), pg::clRed);
                       EXPECT_TRUE(M.IsDockColorStored());
                   }},
        SetterCase{"AutomaticDockColourIsTheForms",
                   [](TdxBarManager& M) { M.Form()->SetColor(pg::clYellow); },
                   [](TdxBarManager& M) {
                       EXPECT_EQ(M.DockColor(), pg::clYellow);
                       EXPECT_FALSE(M.IsDockColorStored());
                   }},
        SetterCase{"ProgramSetFontTurnsSystemFontOff",
                   [](TdxBarManager& M) { M.Font().SetName("Courier New"); },
                   [](TdxBarManager& M) {
                       EXPECT_FALSE(M.UseSystemFont());
                       EXPECT_EQ(M.Font().Name(), "Courier New");
                   }},
        SetterCase{"SystemFontBackOnReplacesTheFont",
                   [](TdxBarManager& M) {
                       M.Font().SetName("Courier New");
                       M.SetUseSystemFont(true);
                   },
                   [](TdxBarManager& M) {
                       pg::TFont System;
                       dxBarGetSystemMenuFont(System);
                       EXPECT_TRUE(M.UseSystemFont());
                       EXPECT_EQ(M.Font().Name(), System.Name());
                   }},
        SetterCase{"LargeIconsDoubleTheMetrics", [](TdxBarManager& M) { M.SetLargeIcons(true); },
                   [](TdxBarManager& M) {
                       EXPECT_EQ(M.ImageSize(), 32);
                       EXPECT_EQ(M.ArrowWidth(), 23);
                   }},
        SetterCase{"FlatPaintersTakeOneLessArrow",
                   [](TdxBarManager& M) { M.SetStyle(bmsOffice11); },
                   [](TdxBarManager& M) {
                       EXPECT_EQ(M.PainterClass()->ClassName(), "TdxBarItemControlOffice11Painter");
                       EXPECT_EQ(M.ArrowWidth(), 10);
                   }}),
    [](const ::testing::TestParamInfo<SetterCase>& Info) { return std::string(Info.param.Name); });

TEST_F(BarManagerTest, PainterClassByStyleAndLookAndFeel) {
    TdxBarManager& M = NewForm().Own<TdxBarManager>();
    const struct {
        TdxBarManagerStyle Style;
        toolkit::base::TcxLookAndFeelKind Kind;
        const char* Painter;
    } Cases[] = {
        {bmsStandard, toolkit::base::lfFlat, "TdxBarItemControlStandardPainter"},
        {bmsFlat, toolkit::base::lfFlat, "TdxBarItemControlFlatPainter"},
        {bmsUseLookAndFeel, toolkit::base::lfUltraFlat, "TdxBarItemControlFlatPainter"},
        {bmsUseLookAndFeel, toolkit::base::lfFlat, "TdxBarItemControlEnhancedPainter"},
        {bmsUseLookAndFeel, toolkit::base::lfStandard, "TdxBarItemControlStandardPainter"},
        {bmsUseLookAndFeel, toolkit::base::lfOffice11, "TdxBarItemControlOffice11Painter"},
    };
    for (const auto& C : Cases) {
        M.LookAndFeel().SetKind(C.Kind);
        M.SetStyle(C.Style);
        EXPECT_EQ(M.PainterClass()->ClassName(), C.Painter) << C.Style << "/" << C.Kind;
    }
    if (!M.ThemesAvailable()) {
        M.SetStyle(bmsXP);
        EXPECT_EQ(M.GetPaintStyle(), 3);
        EXPECT_EQ(M.PainterClass()->ClassName(), "TdxBarItemControlEnhancedPainter");
    }
}

TEST_F(BarManagerTest, ClickItemFiresOnlyWhenAssigned) {
    TdxBarManager& M = NewForm().Own<TdxBarManager>();
    M.DoClickItem(nullptr);
    TdxBarItem* Clicked = reinterpret_cast<TdxBarItem*>(&M);
    TdxBarItem* Seen = nullptr;
    M.OnClickItem = [&](TdxBarManager* Sender, TdxBarItem* Item) {
        EXPECT_EQ(Sender, &M);
        Seen = Item;
    };
    M.DoClickItem(Clicked);
    EXPECT_EQ(Seen, Clicked);
}

TEST_F(BarManagerTest, DockingFollowsTheManagersNotDockingAndTheEvent) {
    TdxBarManager& M = NewForm().Own<TdxBarManager>();
    M.SetNotDocking(dxDockingStyleBit(dsLeft));
    EXPECT_FALSE(M.CanDocking(nullptr, dsLeft, nullptr));
    EXPECT_TRUE(M.CanDocking(nullptr, dsTop, nullptr));
    M.OnDocking = [](TdxBar*, TdxBarDockingStyle Style, TdxDockControl*, bool& Can) {
        if (Style == dsLeft) Can = true;
    };
    EXPECT_TRUE(M.CanDocking(nullptr, dsLeft, nullptr));
}

// An item as far as the manager knows it: a component of the form.
class TTestItem : public pc::TComponent {
public:
    using pc::TComponent::TComponent;
    TdxBarManager* Manager = nullptr;

protected:
    void Notification(pc::TComponent* C, pc::TOperation Operation) override {
        pc::TComponent::Notification(C, Operation);
        if (Operation == pc::opRemove && C == Manager) Manager = nullptr;
    }
};

TdxBarItem* AsItem(TTestItem& Item) {
    return reinterpret_cast<TdxBarItem*>(&Item);
}

TEST_F(BarManagerTest, AnItemFreedByItsFormLeavesTheManagersList) {
    pf::TForm& Form = NewForm();
    TdxBarManager& M = Form.Own<TdxBarManager>();
    TTestItem& Item = Form.Own<TTestItem>();
    Item.Name = "dxBarButton1";
    M.AddItemComponent(AsItem(Item), &Item);
    ASSERT_EQ(M.GetItemCount(), 1);
    EXPECT_EQ(M.GetItemByName("DXBARBUTTON1"), AsItem(Item));
    Form.FreeComponent(Item);
    EXPECT_EQ(M.GetItemCount(), 0);
}

TEST_F(BarManagerTest, AManagerThatGoesFreesItsItemsThroughTheirOwnerOnce) {
    pf::TForm& Form = NewForm();
    TdxBarManager& M = Form.Own<TdxBarManager>();
    for (int I = 0; I < 3; ++I) {
        TTestItem& Item = Form.Own<TTestItem>();
        Item.Manager = &M;
        M.AddItemComponent(AsItem(Item), &Item);
    }
    const int Before = Form.ComponentCount();
    Form.FreeComponent(M);
    EXPECT_EQ(Form.ComponentCount(), Before - 4);
}

TEST_F(BarManagerTest, AnItemMadeBeforeItsManagerHearsTheManagerGo) {
    pf::TForm& Form = NewForm();
    TTestItem& Item = Form.Own<TTestItem>();
    TdxBarManager& M = Form.Own<TdxBarManager>();
    Item.Manager = &M;
    M.AddItemComponent(AsItem(Item), &Item);
    // The form frees the manager (made last) first; the item it lists goes with it.
    FRoot->FreeComponent(Form);
    SUCCEED();
}

TEST_F(BarManagerTest, UniqueItemNamesSkipTakenNumbersWithoutRegardToCase) {
    pf::TForm& Form = NewForm();
    TdxBarManager& M = Form.Own<TdxBarManager>();
    for (const char* Name : {"dxBarButton1", "DXBARBUTTON2"}) {
        TTestItem& Item = Form.Own<TTestItem>();
        Item.Name = Name;
        M.AddItemComponent(AsItem(Item), &Item);
    }
    static const pc::TClass ButtonClass("TdxBarButton", &pc::TComponent::ClassRef());
    EXPECT_EQ(GetUniqueItemName(&M, ButtonClass), "dxBarButton3");
}

TEST_F(BarManagerTest, ACategoryValueSetWhileLoadingIsAppliedByLoaded) {
    pf::TForm& Form = NewForm();
    TdxBarManager* M = nullptr;
    {
        pc::TLoadingBracket Loading;
        M = &Form.Own<TdxBarManager>();
        EXPECT_TRUE(M->IsLoading());
        EXPECT_EQ(M->Categories().Count(), 0) << "no \"Default\" while loading";
        M->Categories().Add("File");
        M->SetCategoryItemsVisible(0, ivInCustomizing);
        EXPECT_EQ(M->GetCategoryItemsVisible(0), ivAlways);
    }
    EXPECT_FALSE(M->IsLoading());
    EXPECT_EQ(M->GetCategoryItemsVisible(0), ivInCustomizing);
}

TEST_F(BarManagerTest, CategoryDataDefaultsAndRange) {
    TdxBarManager& M = NewForm().Own<TdxBarManager>();
    EXPECT_EQ(M.GetCategoryItemsVisible(5), ivNever);
    EXPECT_FALSE(M.GetCategoryVisible(5));
    EXPECT_TRUE(M.GetCategoryVisible(0));
    EXPECT_EQ(M.GetCategoryData(0), nullptr);
    M.SetCategoryVisible(0, false);
    EXPECT_FALSE(M.GetCategoryVisible(0));
    M.SetCategoryItemsVisible(0, ivNever);
    EXPECT_EQ(M.GetCategoryItemsVisible(0), ivNever);
}

} // namespace
} // namespace toolkit::bars

namespace toolkit::bars {
namespace {

TEST_F(BarManagerTest, PainterColoursFollowTheSystemColours) {
    TdxBarManager& M = NewForm().Own<TdxBarManager>();
    const pg::COLORREF Shadow = pg::ColorToRGB(pg::clBtnShadow);
    const pg::COLORREF Face = pg::ColorToRGB(pg::clBtnFace);
    const pg::COLORREF Highlight = pg::ColorToRGB(pg::clHighlight);
    const pg::COLORREF Window = pg::ColorToRGB(pg::clWindow);
    auto Blend = [&](int F, int H, int W) {
        auto Channel = [&](int (*Get)(pg::COLORREF)) {
            return std::clamp((Get(Face) * F + Get(Highlight) * H + Get(Window) * W) / 100, 0, 255);
        };
        return static_cast<pg::TColor>(
            pg::RGB(Channel([](pg::COLORREF C) { return pg::GetRValue(C); }),
                    Channel([](pg::COLORREF C) { return pg::GetGValue(C); }),
                    Channel([](pg::COLORREF C) { return pg::GetBValue(C); })));
    };
    EXPECT_EQ(M.GetDarkShadowColor(),
              static_cast<pg::TColor>(pg::RGB(pg::GetRValue(Shadow) * 8 / 10,
                                              pg::GetGValue(Shadow) * 8 / 10,
                                              pg::GetBValue(Shadow) * 8 / 10)));
    const int R = pg::GetRValue(Face);
    EXPECT_EQ(pg::GetRValue(static_cast<pg::COLORREF>(M.GetLightFaceColor())),
              R + (255 - R) * 16 / 100);
    EXPECT_EQ(M.GetFlatBlendColor1(), Blend(11, 9, 73));
    EXPECT_EQ(M.GetFlatBlendColor2(), Blend(14, 44, 40));
    EXPECT_EQ(M.GetFlatSelectedColor(), Blend(-2, 30, 72));
    for (int I = 0; I < 5; ++I)
        EXPECT_NE(M.FlatBrush(I), pg::HBRUSH{});
}

} // namespace
} // namespace toolkit::bars
