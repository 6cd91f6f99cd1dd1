// The class library's image list: a picture of several images becomes several, each drawn only
// where its mask lets it (or blended by its alpha), and the list's stream form brings the same
// images back while damaged data leaves the list as it was.

#include "platform/forms/img_list.h"

#include "platform/core/byte_file.h"
#include "platform/gdi/surface.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform::forms {
namespace {

constexpr gdi::COLORREF White = gdi::RGB(255, 255, 255);

void Fill(TBitmap& Bitmap, const gdi::TRect& R, gdi::TColor Color) {
    Bitmap.Canvas().Brush().SetColor(Color);
    Bitmap.Canvas().FillRect(R);
}

// Four quadrants, red and green above blue and yellow; the mask leaves the top-left pixel of
// each out.
struct Quadrants {
    TBitmap Image;
    TBitmap Mask;
    Quadrants() {
        Image.SetSize(32, 32);
        Fill(Image, {0, 0, 16, 16}, gdi::clRed);
        Fill(Image, {16, 0, 32, 16}, gdi::clLime);
        Fill(Image, {0, 16, 16, 32}, gdi::clBlue);
        Fill(Image, {16, 16, 32, 32}, gdi::clYellow);
        Mask.SetSize(32, 32);
        Fill(Mask, {0, 0, 32, 32}, gdi::clBlack);
        for (int Y : {0, 16})
            for (int X : {0, 16})
                Mask.Canvas().SetPixel(X, Y, gdi::clWhite);
    }
};

// Image Index drawn on white.
std::vector<gdi::COLORREF> Drawn(const TImageList& List, int Index) {
    TBitmap Target;
    Target.SetSize(List.Width(), List.Height());
    Fill(Target, {0, 0, List.Width(), List.Height()}, gdi::clWhite);
    List.Draw(Target.Canvas(), 0, 0, Index);
    std::vector<gdi::COLORREF> Pixels;
    for (int Y = 0; Y < List.Height(); ++Y)
        for (int X = 0; X < List.Width(); ++X)
            Pixels.push_back(Target.Canvas().Pixel(X, Y));
    return Pixels;
}

TEST(ImageListTest, APictureOfFourImagesAddsThemRowByRowEachUnderItsMask) {
    Quadrants Q;
    TImageList List(nullptr);
    EXPECT_EQ(List.Add(Q.Image, &Q.Mask), 0);
    ASSERT_EQ(List.Count(), 4);
    const gdi::COLORREF Colors[] = {gdi::RGB(255, 0, 0), gdi::RGB(0, 255, 0), gdi::RGB(0, 0, 255),
                                    gdi::RGB(255, 255, 0)};
    for (int Index = 0; Index < 4; ++Index) {
        const std::vector<gdi::COLORREF> Pixels = Drawn(List, Index);
        EXPECT_EQ(Pixels[0], White) << Index;
        EXPECT_EQ(Pixels[1], Colors[Index]) << Index;
        EXPECT_EQ(Pixels[255], Colors[Index]) << Index;
    }
}

TEST(ImageListTest, AnImageWithAlphaIsBlendedOverWhatLiesUnder) {
    TBitmap Image;
    Image.SetSize(16, 16);
    gdi::Surface& Pixels = *gdi::BitmapSurface(Image.Handle());
    Pixels.Fill(0x80FF0000);           // red, half covering
    Pixels.SetPixel(1, 0, 0x00FF0000); // red, not covering at all
    TImageList List(nullptr);
    List.Add(Image);
    const std::vector<gdi::COLORREF> Shown = Drawn(List, 0);
    EXPECT_EQ(Shown[0], gdi::RGB(255, 127, 127));
    EXPECT_EQ(Shown[1], White);
}

TEST(ImageListTest, ItsStreamFormBringsTheImagesBackAndDamageLeavesAListAlone) {
    Quadrants Q;
    TImageList List(nullptr);
    List.Add(Q.Image, &Q.Mask);
    core::TMemoryStream Stream;
    List.WriteList(Stream);
    const std::vector<std::uint8_t>& Bytes = Stream.Bytes();
    ASSERT_GE(Bytes.size(), 12u);
    EXPECT_EQ(std::vector<std::uint8_t>(Bytes.begin(), Bytes.begin() + 12),
              (std::vector<std::uint8_t>{'I', 'L', 0x01, 0x01, 4, 0, 16, 0, 16, 0, 0x21, 0}));

    TImageList Copy(nullptr);
    Copy.SetSize(8, 8);
    Stream.SetPosition(0);
    Copy.ReadList(Stream);
    ASSERT_EQ(Copy.Count(), 4);
    EXPECT_EQ(Copy.Width(), 16);
    for (int Index = 0; Index < 4; ++Index)
        EXPECT_EQ(Drawn(Copy, Index), Drawn(List, Index)) << Index;

    TImageList Other(nullptr);
    Other.Add(Q.Image);
    core::TMemoryStream Cut({Bytes.begin(), Bytes.end() - 1});
    EXPECT_THROW(Other.ReadList(Cut), core::EReadError);
    EXPECT_EQ(Other.Count(), 4);
    EXPECT_EQ(Drawn(Other, 0)[0], gdi::RGB(255, 0, 0));
}

} // namespace
} // namespace platform::forms
