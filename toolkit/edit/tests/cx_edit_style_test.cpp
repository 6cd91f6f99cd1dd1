#include "toolkit/edit/cx_edit_style.h"

#include <gtest/gtest.h>

namespace toolkit::edit {
namespace {

using toolkit::base::lfFlat;
using toolkit::base::lfOffice11;
using toolkit::base::lfStandard;
using toolkit::base::lfUltraFlat;

TEST(EditStyle, SharedValuesWrittenOnAnyStateLiveInTheNormalStyle) {
    TcxContainerStyles Styles(nullptr, cxEditStyleClass());
    auto& Hot = static_cast<TcxCustomEditStyle&>(Styles.StyleHot());
    auto& Normal = static_cast<TcxCustomEditStyle&>(Styles.Style());
    auto& Focused = static_cast<TcxCustomEditStyle&>(Styles.StyleFocused());
    Hot.SetGradient(true);
    Hot.SetButtonTransparency(ebtHideUnselected);
    EXPECT_TRUE(Normal.IsValueAssigned(svGradient));
    EXPECT_FALSE(Hot.AssignedValues() & cxStyleValue(svGradient));
    EXPECT_TRUE(Focused.Gradient());
    EXPECT_EQ(Focused.ButtonTransparency(), ebtHideUnselected);
}

TEST(EditStyle, AnUnassignedButtonStyleReadsTheNormalStyles) {
    TcxContainerStyles Styles(nullptr, cxEditStyleClass());
    auto& Normal = static_cast<TcxCustomEditStyle&>(Styles.Style());
    auto& Focused = static_cast<TcxCustomEditStyle&>(Styles.StyleFocused());
    EXPECT_EQ(Focused.ButtonStyle(), btsDefault);
    Normal.SetButtonStyle(btsHotFlat);
    EXPECT_EQ(Focused.ButtonStyle(), btsHotFlat);
    Focused.SetButtonStyle(bts3D);
    EXPECT_EQ(Focused.ButtonStyle(), bts3D);
    EXPECT_EQ(Normal.ButtonStyle(), btsHotFlat);
}

TEST(EditStyle, AControllersValueServesUnlessTheStyleAssignsItsOwn) {
    TcxEditStyleController Controller(nullptr);
    Controller.Style().SetPopupBorderStyle(epbsFrame3D);
    Controller.StyleFocused().SetButtonStyle(btsOffice11);
    TcxContainerStyles A(nullptr, cxEditStyleClass());
    TcxContainerStyles B(nullptr, cxEditStyleClass());
    A.Style().SetStyleController(&Controller);
    B.Style().SetStyleController(&Controller);
    auto& BNormal = static_cast<TcxCustomEditStyle&>(B.Style());
    BNormal.SetPopupBorderStyle(epbsFlat);
    EXPECT_EQ(static_cast<TcxCustomEditStyle&>(A.Style()).PopupBorderStyle(), epbsFrame3D);
    EXPECT_EQ(BNormal.PopupBorderStyle(), epbsFlat);
    EXPECT_EQ(static_cast<TcxCustomEditStyle&>(A.StyleFocused()).ButtonStyle(), btsOffice11);
}

TEST(EditStyle, ValueNamesAndCounts) {
    TcxEditStyle Style(nullptr, cssNormal, nullptr, false);
    EXPECT_EQ(Style.GetStyleValueCount(), 16);
    EXPECT_EQ(Style.FindStyleValueByName("gradientdirection"), svGradientDirection);
    EXPECT_EQ(Style.FindStyleValueByName("BorderStyle"), svBorderStyle);
    EXPECT_FALSE(Style.IsStateDependentValueName("PopupBorderStyle"));
    EXPECT_TRUE(Style.IsStateDependentValueName("ButtonStyle"));
    Style.SetGradientDirection(toolkit::base::dirLeft);
    EXPECT_TRUE(Style.IsValueStored(svGradientDirection));
    EXPECT_FALSE(Style.IsValueStored(svGradient));
}

TEST(EditStyle, AssignCopiesTheEditValues) {
    TcxEditStyle Source(nullptr, cssNormal, nullptr, false);
    Source.SetButtonStyle(btsSimple);
    Source.SetGradientButtons(true);
    Source.SetPopupOption(false);
    TcxEditStyle Dest(nullptr, cssNormal, nullptr, false);
    int Changes = 0;
    Dest.OnChanged = [&](TcxContainerStyle*) { ++Changes; };
    Dest.Assign(&Source);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Dest.ButtonStyle(), btsSimple);
    EXPECT_TRUE(Dest.GradientButtons());
    EXPECT_FALSE(Dest.PopupOption());
}

TEST(EditStyleDefaults, ButtonStyleTable) {
    struct Case {
        bool Inplace;
        TcxEditBorderStyle Border;
        bool HotTrack;
        TcxLookAndFeelKind Kind;
        TcxEditButtonStyle Expected;
    };
    const Case Cases[] = {
        {true, ebsSingle, true, lfFlat, btsFlat},
        {true, ebsSingle, true, lfStandard, bts3D},
        {false, ebsNone, false, lfUltraFlat, btsUltraFlat},
        {false, ebsNone, false, lfOffice11, btsOffice11},
        {false, ebsNone, true, lfFlat, btsSimple},
        {false, ebsSingle, false, lfFlat, btsHotFlat},
        {false, ebsThick, false, lfFlat, bts3D},
        {false, ebsFlat, false, lfStandard, btsFlat},
        {false, ebs3D, false, lfFlat, bts3D},
        {false, ebsUltraFlat, false, lfFlat, btsUltraFlat},
        {false, ebsOffice11, false, lfFlat, btsOffice11},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Inplace << int(C.Border) << C.HotTrack << C.Kind);
        EXPECT_EQ(cxGetDefaultButtonStyle(C.Inplace, C.Border, C.HotTrack, C.Kind), C.Expected);
    }
}

TEST(EditStyleDefaults, PopupBorderTables) {
    const TcxEditPopupBorderStyle ByKind[] = {epbsFlat, epbsFrame3D, epbsSingle, epbsSingle};
    for (int K = lfFlat; K <= lfOffice11; ++K)
        EXPECT_EQ(cxGetPopupBorderStyleByKind(static_cast<TcxLookAndFeelKind>(K)), ByKind[K]);
    const TcxEditPopupBorderStyle ByBorder[] = {epbsFlat,   epbsSingle, epbsSingle, epbsFlat,
                                                epbsSingle, epbsSingle, epbsSingle};
    for (int B = ebsNone; B <= ebsOffice11; ++B)
        EXPECT_EQ(cxGetPopupBorderStyleByBorder(static_cast<TcxEditBorderStyle>(B)), ByBorder[B]);
}

TEST(EditStyleController, TheDefaultControllerServesStylesWithoutTheirOwn) {
    cxCreateDefaultEditStyleController();
    TcxEditStyleController& Default = *GetDefaultEditStyleController();
    Default.Style().SetButtonTransparency(ebtAlways);
    {
        TcxEditStyle Style(nullptr, cssNormal, nullptr, false);
        EXPECT_EQ(Style.StyleController(), nullptr);
        EXPECT_EQ(Style.ButtonTransparency(), ebtAlways);
        TcxEditStyle Direct(nullptr, cssNormal, nullptr, true);
        EXPECT_EQ(Direct.ButtonTransparency(), ebtNone);
    }
    cxFreeDefaultEditStyleController();
    EXPECT_EQ(GetDefaultEditStyleController(), nullptr);
}

} // namespace
} // namespace toolkit::edit
