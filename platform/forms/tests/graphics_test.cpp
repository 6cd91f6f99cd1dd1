// A bitmap as a stream of its own: written and read back pixel for pixel, a 24-bit bitmap file
// read as well, an empty bitmap written as nothing, and a file that is no bitmap refused.

#include "platform/forms/graphics.h"

#include "platform/core/byte_file.h"
#include "platform/core/streams.h"
#include "platform/gdi/drawing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace platform::forms {
namespace {

void Put(TBitmap& Bitmap, int X, int Y, gdi::COLORREF Color) {
    gdi::SetPixelV(Bitmap.Canvas().Handle(), X, Y, Color);
}

gdi::COLORREF At(TBitmap& Bitmap, int X, int Y) {
    return gdi::GetPixel(Bitmap.Canvas().Handle(), X, Y);
}

TEST(BitmapStreamTest, ABitmapComesBackPixelForPixel) {
    TBitmap Bitmap;
    Bitmap.SetSize(3, 2);
    Put(Bitmap, 0, 0, 0x0000FF);
    Put(Bitmap, 2, 0, 0x00FF00);
    Put(Bitmap, 1, 1, 0xFF0000);
    core::TMemoryStream Stream;
    Bitmap.SaveToStream(Stream);
    EXPECT_EQ(Stream.Bytes()[0], 'B');
    EXPECT_EQ(Stream.Bytes()[1], 'M');

    TBitmap Copy;
    int Changes = 0;
    Copy.OnChange = [&] { ++Changes; };
    Stream.SetPosition(0);
    Copy.LoadFromStream(Stream);
    EXPECT_EQ(Changes, 1);
    ASSERT_EQ(Copy.Width(), 3);
    ASSERT_EQ(Copy.Height(), 2);
    for (int Y = 0; Y < 2; ++Y)
        for (int X = 0; X < 3; ++X)
            EXPECT_EQ(At(Copy, X, Y), At(Bitmap, X, Y)) << X << "," << Y;
}

TEST(BitmapStreamTest, A24BitFileIsReadBottomUp) {
    // Two by two: the bottom row first, each row padded to four bytes, blue-green-red.
    std::vector<std::uint8_t> File = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0,  0,
                                      2,   0,   0,  0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0,  0, 16, 0,
                                      0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0,  0};
    const std::vector<std::uint8_t> Rows = {255, 0, 0,   0,   255, 0,   0, 0,  // bottom
                                            0,   0, 255, 255, 255, 255, 0, 0}; // top
    File.insert(File.end(), Rows.begin(), Rows.end());
    core::TMemoryStream Stream(File);
    TBitmap Bitmap;
    Bitmap.LoadFromStream(Stream);
    ASSERT_EQ(Bitmap.Width(), 2);
    ASSERT_EQ(Bitmap.Height(), 2);
    EXPECT_EQ(At(Bitmap, 0, 0), gdi::COLORREF{0x0000FF});
    EXPECT_EQ(At(Bitmap, 1, 0), gdi::COLORREF{0xFFFFFF});
    EXPECT_EQ(At(Bitmap, 0, 1), gdi::COLORREF{0xFF0000});
    EXPECT_EQ(At(Bitmap, 1, 1), gdi::COLORREF{0x00FF00});
}

TEST(BitmapStreamTest, EmptyIsNothingAndDamageIsRefused) {
    TBitmap Empty;
    core::TMemoryStream Nothing;
    Empty.SaveToStream(Nothing);
    EXPECT_EQ(Nothing.Size(), 0u);
    TBitmap Bitmap;
    Bitmap.SetSize(4, 4);
    Bitmap.LoadFromStream(Nothing);
    EXPECT_TRUE(Bitmap.Empty());

    TBitmap Source;
    Source.SetSize(4, 4);
    core::TMemoryStream Whole;
    Source.SaveToStream(Whole);
    struct Case {
        const char* What;
        std::size_t Offset;
        std::uint8_t Byte;
    };
    for (const Case& C : {Case{"another signature", 0, 'X'}, Case{"8 bits per pixel", 28, 8},
                          Case{"compressed", 30, 1}, Case{"no width", 18, 0}}) {
        std::vector<std::uint8_t> Bad = Whole.Bytes();
        Bad[C.Offset] = C.Byte;
        if (C.Offset == 18) Bad[19] = Bad[20] = Bad[21] = 0;
        core::TMemoryStream Stream(Bad);
        TBitmap Copy;
        EXPECT_THROW(Copy.LoadFromStream(Stream), core::EReadError) << C.What;
    }
    // Rows missing at the end.
    std::vector<std::uint8_t> Cut = Whole.Bytes();
    Cut.resize(Cut.size() - 1);
    core::TMemoryStream Short(Cut);
    TBitmap Copy;
    EXPECT_THROW(Copy.LoadFromStream(Short), core::EReadError);
}

} // namespace
} // namespace platform::forms
