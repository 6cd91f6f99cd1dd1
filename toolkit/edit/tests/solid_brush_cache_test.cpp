#include "toolkit/edit/solid_brush_cache.h"

#include "platform/core/message_loop.h"
#include "platform/gdi/objects.h"
#include "platform/win/messages.h"

#include <gtest/gtest.h>

namespace toolkit::edit {
namespace {

namespace pg = platform::gdi;

bool Alive(pg::HBRUSH Brush) {
    return pg::GetObjectType(Brush) == pg::OBJ_BRUSH;
}

pg::COLORREF BrushColor(pg::HBRUSH Brush) {
    pg::LOGBRUSH Log{};
    pg::GetObject(Brush, sizeof Log, &Log);
    return Log.lbColor;
}

class SolidBrushCache : public testing::Test {
protected:
    void SetUp() override { InitializeSolidBrushCache(); }
    void TearDown() override { FinalizeSolidBrushCache(); }
};

TEST_F(SolidBrushCache, SystemColoursComeFromTheSystemBrushes) {
    TcxSolidBrushCache Cache(4);
    const TColor BtnFace = static_cast<TColor>(0xFF00000Fu);
    EXPECT_EQ(Cache.GetBrush(BtnFace).Handle(), pg::GetSysColorBrush(15));
    EXPECT_EQ(Cache.Count(), 0);
}

TEST_F(SolidBrushCache, AHitCountsAndReturnsTheSameBrush) {
    TcxSolidBrushCache Cache(4);
    const pg::HBRUSH First = Cache.GetBrush(0x00FF00);
    EXPECT_EQ(BrushColor(First), 0x00FF00u);
    EXPECT_EQ(Cache.UsageCount(0x00FF00), 0);
    EXPECT_EQ(Cache.GetBrush(0x00FF00).Handle(), First);
    EXPECT_EQ(Cache.UsageCount(0x00FF00), 1);
}

TEST_F(SolidBrushCache, AFullCacheEvictsTheLeastUsedAndKeepsColoursSorted) {
    TcxSolidBrushCache Cache(3);
    for (TColor Color : {30, 10, 20})
        Cache.GetBrush(Color);
    Cache.GetBrush(10);
    Cache.GetBrush(30);
    // 20 is used least (0): the new colour 25 takes its place, in order.
    Cache.GetBrush(25);
    EXPECT_EQ(Cache.CachedColors(), (std::vector<TColor>{10, 25, 30}));
    // A tie of 0 (25) against 1 (10, 30): the new colour 5 evicts 25, just used once and never
    // again.
    Cache.GetBrush(5);
    EXPECT_EQ(Cache.CachedColors(), (std::vector<TColor>{5, 10, 30}));
    // A tie among equals goes to the lowest colour.
    Cache.GetBrush(5);
    Cache.GetBrush(40);
    EXPECT_EQ(Cache.CachedColors(), (std::vector<TColor>{10, 30, 40}));
}

TEST_F(SolidBrushCache, TheProcessCacheHoldsOneHundredTwentyEight) {
    EXPECT_EQ(cxSolidBrushCache().Capacity(), 128);
    cxSolidBrushCache().Clear();
    for (TColor Color = 1; Color <= 129; ++Color)
        GetSolidBrush(Color);
    EXPECT_EQ(cxSolidBrushCache().Count(), 128);
    EXPECT_EQ(cxSolidBrushCache().UsageCount(1), -1);
    EXPECT_EQ(cxSolidBrushCache().UsageCount(129), 0);
    cxSolidBrushCache().Clear();
}

TEST_F(SolidBrushCache, ABrushACallerHoldsOutlivesEvictionAndClear) {
    TcxSolidBrushCache Cache(1);
    TcxSolidBrush Held = Cache.GetBrush(0x123456);
    const pg::HBRUSH Handle = Held;
    Cache.GetBrush(0x654321); // evicts 0x123456
    EXPECT_TRUE(Alive(Handle));
    EXPECT_EQ(BrushColor(Handle), 0x123456u);
    Cache.Clear();
    EXPECT_TRUE(Alive(Handle));
    Held = TcxSolidBrush();
    EXPECT_FALSE(Alive(Handle));
}

TEST_F(SolidBrushCache, APaletteChangeEmptiesTheCache) {
    TcxSolidBrushCache Cache(4);
    const pg::HBRUSH Before = Cache.GetBrush(0x0000FF);
    EXPECT_TRUE(Alive(Before));
    platform::core::SendMessage(toolkit::base::cxSystemPaletteChangedListenerHandle(),
                                platform::win::WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(Cache.Count(), 0);
    EXPECT_FALSE(Alive(Before));
    const pg::HBRUSH After = Cache.GetBrush(0x0000FF);
    EXPECT_TRUE(Alive(After));
    EXPECT_EQ(Cache.Count(), 1);
}

} // namespace
} // namespace toolkit::edit
