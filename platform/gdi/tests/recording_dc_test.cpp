#include "platform/gdi/draw_text.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "testsupport/gdi/recording_dc.h"

#include <gtest/gtest.h>

namespace platform::gdi {
namespace {

using testsupport::ClearRecordedCalls;
using testsupport::CreateRecordingDC;
using testsupport::RecordedCalls;

TEST(RecordingDC, WritesDownCallsAndStillDraws) {
    ScopedFontEngine engine(std::make_unique<FakeFontEngine>());
    HDC dc = CreateRecordingDC();
    HBITMAP bitmap = CreateBitmap(10, 10, 1, 32, nullptr);
    SelectObject(dc, bitmap);
    HPEN pen = CreatePen(PS_DOT, 1, 0x0000FF);
    SelectObject(dc, pen);
    SetTextColor(dc, 0x123456);
    Rectangle(dc, 1, 2, 5, 6);
    TRect r{0, 0, 10, 10};
    FillRect(dc, &r, HBRUSH{COLOR_BTNFACE + 1});
    DrawText(dc, "a&b", -1, &r, DT_SINGLELINE);
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    EXPECT_EQ(RecordedCalls(dc),
              (std::vector<std::string>{
                  "SelectObject(bitmap 10x10)", "SelectObject(pen 2 1 0000FF)",
                  "SetTextColor(123456)", "Rectangle(1,2,5,6)", "FillRect(0,0,10,10,brush sys 15)",
                  "DrawText(\"a&b\",0,0,10,10,000020)", "DrawEdge(0,0,10,10,5,00000F)"}));
    EXPECT_EQ(PixelToColor(BitmapSurface(bitmap)->Pixel(9, 9) & 0xFFFFFF),
              GetSysColor(COLOR_3DDKSHADOW));
    ClearRecordedCalls(dc);
    EXPECT_TRUE(RecordedCalls(dc).empty());
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteDC(dc);
    DeleteObject(pen);
    DeleteObject(bitmap);
}

TEST(RecordingDC, OrdinaryContextsRecordNothing) {
    HDC dc = CreateCompatibleDC(NullDC);
    Rectangle(dc, 0, 0, 1, 1);
    EXPECT_TRUE(RecordedCalls(dc).empty());
    DeleteDC(dc);
}

} // namespace
} // namespace platform::gdi
