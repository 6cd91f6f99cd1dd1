#include "toolkit/bars/dx_bar_painter.h"
#include "toolkit/bars/dx_bar_painter_classes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;

TEST(BarPainterClassesTest, EachStyleChoosesItsClass) {
    struct Case {
        int Style;
        bool VisualStyles;
        const char* Class;
    };
    const Case Cases[] = {
        {0, true, "TdxBarItemControlStandardPainter"},
        {1, true, "TdxBarItemControlEnhancedPainter"},
        {2, true, "TdxBarItemControlFlatPainter"},
        {3, true, "TdxBarItemControlXPPainter"},
        {3, false, "TdxBarItemControlEnhancedPainter"},
        {4, false, "TdxBarItemControlOffice11Painter"},
        {4, true, "TdxBarItemControlOffice11Painter"},
        {5, true, "TdxBarItemControlStandardPainter"},
        {-1, true, "TdxBarItemControlStandardPainter"},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(dxBarPainterClassOfStyle(C.Style, C.VisualStyles).ClassName(), C.Class)
            << C.Style << "/" << C.VisualStyles;
}

TEST(BarPainterClassesTest, TheClassTreeIsTheFamilys) {
    EXPECT_EQ(TdxBarItemControlEnhancedPainterClassRef().ClassParent(),
              &TdxBarItemControlStandardPainterClassRef());
    EXPECT_EQ(TdxBarItemControlOffice11PainterClassRef().ClassParent(),
              &TdxBarItemControlFlatPainterClassRef());
    for (const pc::TClass* C :
         {&TdxBarItemControlStandardPainterClassRef(), &TdxBarItemControlFlatPainterClassRef(),
          &TdxBarItemControlXPPainterClassRef()})
        EXPECT_EQ(C->ClassParent(), &TdxBarItemControlPainterClassRef()) << C->ClassName();
}

// Stands for the Flat painter in these tests.
class TFlatStandIn : public TdxBarItemControlPainter {
public:
    static const TFlatStandIn& Instance() {
        static const TFlatStandIn instance;
        return instance;
    }
    const pc::TClass& ClassType() const override { return TdxBarItemControlFlatPainterClassRef(); }
    int GetToolbarSeparatorSize() const override { return 10; }
};

TEST(BarPainterClassesTest, AClassWithoutPainterIsDrawnByItsNearestRegisteredAncestor) {
    const TdxBarItemControlPainter& Base = TdxBarItemControlPainter::Instance();
    EXPECT_EQ(&dxBarPainter(TdxBarItemControlPainterClassRef()), &Base);
    {
        TdxBarPainterRegistration Flat(TFlatStandIn::Instance());
        EXPECT_EQ(&dxBarPainter(TdxBarItemControlFlatPainterClassRef()), &TFlatStandIn::Instance());
        // A class below Flat without a painter of its own draws as Flat.
        static const pc::TClass BelowFlat("TBelowFlat", &TdxBarItemControlFlatPainterClassRef());
        EXPECT_EQ(&dxBarPainter(BelowFlat), &TFlatStandIn::Instance());
        const auto All = dxBarRegisteredPainters();
        EXPECT_EQ(All.front(), &TFlatStandIn::Instance());
        EXPECT_NE(std::find(All.begin(), All.end(), &Base), All.end());
    }
    EXPECT_NE(&dxBarPainter(TdxBarItemControlFlatPainterClassRef()), &TFlatStandIn::Instance());
}

TEST(BarPainterClassesTest, AnOverrideIsSeenInsideInheritedCode) {
    // The base separator offset is (size - 2) / 2 of whatever size the class answers.
    EXPECT_EQ(TdxBarItemControlPainter::Instance().GetToolbarSeparatorOffset(), 2);
    EXPECT_EQ(TFlatStandIn::Instance().GetToolbarSeparatorOffset(), 4);
}

} // namespace
} // namespace toolkit::bars
