#include "toolkit/base/cx_geometry.h"
#include "toolkit/base/rect.h"

#include <gtest/gtest.h>

namespace toolkit::base {
namespace {

using platform::gdi::TRect;

TEST(Geometry, MeasuresAndComparesRectangles) {
    const TRect R{10, 20, 40, 25};
    EXPECT_EQ(cxRectWidth(R), 30);
    EXPECT_EQ(cxRectHeight(R), 5);
    EXPECT_FALSE(cxRectIsEmpty(R));
    EXPECT_TRUE(cxRectIsEmpty(TRect{10, 20, 10, 25}));
    EXPECT_TRUE(cxRectIsEmpty(TRect{10, 20, 40, 19}));
    EXPECT_TRUE(cxRectIsEqual(R, TRect{10, 20, 40, 25}));
    EXPECT_FALSE(cxRectIsEqual(R, TRect{10, 20, 40, 26}));
}

TEST(Geometry, MovesSides) {
    const TRect R{10, 20, 40, 25};
    EXPECT_EQ(cxRectInflate(R, 2, 3), (TRect{8, 17, 42, 28}));
    EXPECT_EQ(cxRectInflate(R, 1, 2, 3, 4), (TRect{9, 18, 43, 29}));
    EXPECT_EQ(cxRectInflate(R, -1, -1), (TRect{11, 21, 39, 24}));
    EXPECT_EQ(cxRectOffset(R, -10, 5), (TRect{0, 25, 30, 30}));
    EXPECT_EQ(cxRectSetXPos(R, 100, 7), (TRect{100, 20, 107, 25}));
    TRect D = R;
    cxDeflateRectByMargins(D, TRect{1, 2, 3, 4});
    EXPECT_EQ(D, (TRect{11, 22, 37, 21}));
    EXPECT_EQ(cxPoint(3, -4), (platform::gdi::TPoint{3, -4}));
}

TEST(Geometry, CentresRoundingTowardZero) {
    EXPECT_EQ(cxRectCenter(TRect{0, 0, 10, 10}, {5, 5}), (TRect{2, 2, 7, 7}));
    EXPECT_EQ(cxRectCenter(TRect{0, 0, 10, 4}, {3, 6}), (TRect{3, -1, 6, 5}));
    // -5 / 2 is -2, not -3.
    EXPECT_EQ(cxRectCenter(TRect{-10, 0, 0, 1}, {5, 1}), (TRect{-7, 0, -2, 1}));
}

TEST(CxRect, FiresOnChangeOnlyForANewValue) {
    TcxRect R(nullptr);
    int Changes = 0;
    platform::core::TObject* Sender = nullptr;
    R.OnChange = [&](platform::core::TObject* S) {
        ++Changes;
        Sender = S;
    };
    R.SetLeft(0);
    EXPECT_EQ(Changes, 0);
    R.SetLeft(5);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Sender, &R);
    R.SetBottom(9);
    R.SetValue(1, 2);
    R.SetRight(8);
    EXPECT_EQ(Changes, 4);
    EXPECT_EQ(R.Rect(), (TRect{5, 2, 8, 9}));
    EXPECT_EQ(R.GetValue(2), 8);
    R.SetRect(TRect{5, 2, 8, 9});
    EXPECT_EQ(Changes, 4);
    EXPECT_THROW(R.SetValue(4, 1), std::out_of_range);
}

TEST(CxRect, AssignsFromAnotherAndRefusesStrangers) {
    platform::core::TPersistent Owner;
    TcxRect Source(nullptr);
    Source.SetRect(TRect{1, 2, 3, 4});
    TcxRect R(&Owner);
    EXPECT_EQ(R.GetOwner(), &Owner);
    int Changes = 0;
    R.OnChange = [&](platform::core::TObject*) { ++Changes; };
    R.Assign(&Source);
    EXPECT_EQ(R.Rect(), Source.Rect());
    EXPECT_EQ(Changes, 1);
    EXPECT_THROW(R.Assign(&Owner), platform::core::EConvertError);
}

TEST(CxRect, IsCreatedByClassAndKnownByName) {
    const platform::core::TClass* Found = platform::core::GetClass("TcxRect");
    ASSERT_EQ(Found, &TcxRect::ClassRef());
    platform::core::TPersistent Owner;
    std::unique_ptr<TcxRect> R = TcxRect::ClassRef().Create(&Owner);
    EXPECT_EQ(&R->ClassType(), &TcxRect::ClassRef());
    EXPECT_EQ(R->GetOwner(), &Owner);
}

} // namespace
} // namespace toolkit::base
