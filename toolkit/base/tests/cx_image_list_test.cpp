#include "toolkit/base/cx_image_list.h"
#include "toolkit/base/cx_paint_image.h"
#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/core/filer.h"
#include "platform/forms/graphics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

namespace toolkit::base {
namespace {

using namespace std::string_literals;
namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
using pg::RGB;
using testing_support::ClassicColors;
using testing_support::TestSurface;

constexpr pg::COLORREF Back = RGB(1, 2, 3);

// Pixel (x, y) of a strip: its image number in red, its place in green and blue.
Pixel32 StripPixel(int X, int Y) {
    return static_cast<Pixel32>((X / 16) * 40 + 10) << 16 | static_cast<Pixel32>(X % 16) << 8 |
           static_cast<Pixel32>(Y);
}

TEST(CxImageList, StripOfFourBecomesFourImagesPixelExact) {
    TcxCustomBitmap Strip(64, 16);
    std::vector<Pixel32> Pixels;
    for (int Y = 0; Y < 16; ++Y)
        for (int X = 0; X < 64; ++X)
            Pixels.push_back(StripPixel(X, Y));
    Strip.SetPixels(Pixels);
    TcxImageList List(nullptr);
    EXPECT_EQ(List.Add(Strip), 0);
    ASSERT_EQ(List.Count(), 4);
    for (int Index = 0; Index < 4; ++Index) {
        TcxCustomBitmap Image;
        List.GetImageInfo(Index, &Image, nullptr);
        ASSERT_EQ(Image.Width(), 16);
        ASSERT_EQ(Image.Height(), 16);
        const std::vector<Pixel32> Got = Image.GetPixels();
        for (int Y = 0; Y < 16; ++Y)
            for (int X = 0; X < 16; ++X)
                ASSERT_EQ(Got[static_cast<std::size_t>(Y * 16 + X)] & 0xFFFFFF,
                          StripPixel(Index * 16 + X, Y))
                    << Index << ": " << X << "," << Y;
    }
    List.Delete(-1);
    EXPECT_EQ(List.Count(), 0);
}

TEST(CxImageList, DisabledDrawingUsesTheDisabledFilter) {
    ClassicColors Colors;
    TcxCustomBitmap White(16, 16);
    White.SetPixels(std::vector<Pixel32>(256, 0xFFFFFF));
    TcxImageList List(nullptr);
    List.Add(White);
    TestSurface S(20, 20);
    TcxCanvas C(&S.Canvas());
    List.Draw(0, C, {0, 0, 20, 20}, false, false, false);
    // Centred at (2, 2); white made grey by luminance and blended with the shadow colour.
    EXPECT_EQ(S.At(2, 2), RGB(0xC3, 0xC3, 0xC3));
    EXPECT_EQ(S.At(17, 17), RGB(0xC3, 0xC3, 0xC3));
    EXPECT_EQ(S.At(1, 1), Back);
    EXPECT_EQ(S.At(18, 18), Back);
    List.Draw(0, C, {0, 0, 20, 20});
    EXPECT_EQ(S.At(2, 2), RGB(255, 255, 255));
}

TEST(CxImageList, InfoWithoutMaskAddsByItsMaskColour) {
    TcxImageInfo Info;
    Info.Image = std::make_unique<TcxCustomBitmap>(16, 16);
    std::vector<Pixel32> Pixels(256, 0x00FF00);
    Pixels[0] = 0xFF0000; // red: the mask colour
    Info.Image->SetPixels(Pixels);
    Info.MaskColor = pg::clRed;
    TcxImageList List(nullptr);
    List.AddImageInfo(Info);
    ASSERT_EQ(List.Count(), 1);
    TestSurface S(16, 16);
    TcxCanvas C(&S.Canvas());
    List.DoDraw(0, C, 0, 0);
    EXPECT_EQ(S.At(0, 0), Back);
    EXPECT_EQ(S.At(1, 0), RGB(0, 255, 0));
}

TEST(CxPaintImage, InvalidIndexWithoutGlyphChangesNoPixel) {
    TcxImageList List(nullptr);
    TcxCustomBitmap Image(16, 16);
    List.Add(Image);
    TestSurface S(20, 20);
    for (int Index : {-1, 1, 7}) {
        cxPaintImage(S.DC(), {0, 0, 16, 16}, {0, 0, 20, 20}, nullptr, &List, Index, idmNormal);
        for (int Y = 0; Y < 20; ++Y)
            for (int X = 0; X < 20; ++X)
                ASSERT_EQ(S.At(X, Y), Back) << Index;
    }
    cxPaintImage(S.DC(), {0, 0, 16, 16}, {0, 0, 20, 20}, nullptr, nullptr, 0, idmNormal);
    EXPECT_EQ(S.At(0, 0), Back);
}

TEST(CxPaintImage, GlyphKeepsItsTransparentColourInvisibleAndOtherPixelsOpaque) {
    TcxCustomBitmap Glyph(3, 2);
    // The bottom-left pixel's colour is the glyph's transparent colour.
    Glyph.SetPixels({0x0000FF, 0x00FF00, 0x0000FF, 0x0000FF, 0xFF0000, 0x00FF00});
    TestSurface S(5, 4);
    cxPaintImage(S.DC(), {1, 1, 4, 3}, {0, 0, 5, 4}, &Glyph, nullptr, -1, idmNormal);
    EXPECT_EQ(S.At(1, 1), Back);
    EXPECT_EQ(S.At(2, 1), RGB(0, 255, 0));
    EXPECT_EQ(S.At(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(S.At(0, 0), Back);
}

TEST(CxPaintImage, SmoothResamplesAStretchedImageElseEachPixelTakesTheNearest) {
    // Black beside white, stretched over eight pixels; smooth gives the Lanczos-3 ramp (worked
    // by hand from the filter's weights: 0, 8, 32, 69, 115, 165, 214, 255 in 256ths).
    TcxCustomBitmap Glyph(2, 1);
    Glyph.SetPixels({0x000000, 0xFFFFFF});
    struct Case {
        bool Smooth;
        std::array<int, 8> Reds;
    };
    for (const Case& K : {Case{false, {0, 0, 0, 0, 255, 255, 255, 255}},
                          Case{true, {0, 8, 32, 69, 115, 165, 214, 255}}}) {
        TestSurface S(8, 1);
        cxPaintImage(S.DC(), {0, 0, 8, 1}, {0, 0, 8, 1}, &Glyph, nullptr, -1, idmNormal, K.Smooth,
                     pg::HBRUSH{}, pg::clNone, false);
        for (int X = 0; X < 8; ++X) {
            const int Red = K.Reds[static_cast<std::size_t>(X)];
            EXPECT_EQ(S.At(X, 0), RGB(Red, Red, Red)) << "smooth " << K.Smooth << " at " << X;
        }
    }
}

// ---- As a class-library image list, copied and streamed ----

// Image Index of a list drawn the way the bars draw one: through the plain list's Draw.
std::vector<pg::COLORREF> Shown(const pf::TImageList& List, int Index) {
    TestSurface S(List.Width(), List.Height());
    List.Draw(S.Canvas(), 0, 0, Index);
    std::vector<pg::COLORREF> Pixels;
    for (int Y = 0; Y < List.Height(); ++Y)
        for (int X = 0; X < List.Width(); ++X)
            Pixels.push_back(S.At(X, Y));
    return Pixels;
}

// A 16 x 16 picture: a square of Color inside a one-pixel frame of fuchsia.
void Framed(pf::TBitmap& Bitmap, pg::TColor Color) {
    Bitmap.SetSize(16, 16);
    Bitmap.Canvas().Brush().SetColor(pg::clFuchsia);
    Bitmap.Canvas().FillRect({0, 0, 16, 16});
    Bitmap.Canvas().Brush().SetColor(Color);
    Bitmap.Canvas().FillRect({1, 1, 15, 15});
}

// A mask leaving out the left half.
void LeftHalfOut(pf::TBitmap& Mask) {
    Mask.SetSize(16, 16);
    Mask.Canvas().Brush().SetColor(pg::clBlack);
    Mask.Canvas().FillRect({0, 0, 16, 16});
    Mask.Canvas().Brush().SetColor(pg::clWhite);
    Mask.Canvas().FillRect({0, 0, 8, 16});
}

// Images added through the class library's interface: one by its mask colour, one by a mask.
void FillThrough(pf::TImageList& List) {
    pf::TBitmap Red, Blue, Mask;
    Framed(Red, pg::clRed);
    Framed(Blue, pg::clBlue);
    LeftHalfOut(Mask);
    List.AddMasked(Red, pg::clFuchsia);
    List.Add(Blue, &Mask);
}

TEST(CxImageList, ACopyOfAPlainListDrawsItsImagesWithTheirMasksTransparency) {
    pf::TImageList Plain(nullptr);
    FillThrough(Plain);
    TcxImageList Copy(nullptr, 8, 8);
    Copy.Assign(&Plain);
    ASSERT_EQ(Copy.Count(), 2);
    ASSERT_EQ(Copy.Width(), 16);
    // And a copy of the copy, from its stored images.
    TcxImageList Again(nullptr);
    Again.Assign(&Copy);
    ASSERT_EQ(Again.Count(), 2);
    for (int Index = 0; Index < 2; ++Index) {
        const std::vector<pg::COLORREF> Original = Shown(Plain, Index);
        EXPECT_EQ(Shown(Copy, Index), Original) << Index;
        EXPECT_EQ(Shown(Again, Index), Original) << Index;
    }
    // What the masks leave out shows the ground.
    EXPECT_EQ(Shown(Copy, 0)[0], Back);
    EXPECT_EQ(Shown(Copy, 0)[17], RGB(255, 0, 0));
    EXPECT_EQ(Shown(Copy, 1)[7 + 16], Back);
    EXPECT_EQ(Shown(Copy, 1)[8 + 16], RGB(0, 0, 255));
}

TEST(CxImageList, ListsAreEqualWhenTheirPlatformImagesAreTheSame) {
    using Filler = std::function<void(pf::TImageList&)>;
    const Filler Nothing = [](pf::TImageList&) {};
    const Filler Both = [](pf::TImageList& L) { FillThrough(L); };
    const Filler RedOnly = [](pf::TImageList& L) {
        pf::TBitmap Red;
        Framed(Red, pg::clRed);
        L.AddMasked(Red, pg::clFuchsia);
    };
    const Filler RedTwice = [&](pf::TImageList& L) {
        RedOnly(L);
        RedOnly(L);
    };
    const Filler RedOpaque = [](pf::TImageList& L) {
        pf::TBitmap Red;
        Framed(Red, pg::clRed);
        L.Add(Red);
    };
    const Filler OnePixelOff = [](pf::TImageList& L) {
        pf::TBitmap Red;
        Framed(Red, pg::clRed);
        Red.Canvas().SetPixel(5, 5, pg::clMaroon);
        L.AddMasked(Red, pg::clFuchsia);
    };
    struct Case {
        const char* What;
        Filler A, B;
        bool Equal;
    };
    for (const Case& C : {
             Case{"both empty", Nothing, Nothing, true},
             Case{"the same images", Both, Both, true},
             Case{"one image more", RedOnly, RedTwice, false},
             Case{"another mask", RedOnly, RedOpaque, false},
             Case{"another pixel", RedOnly, OnePixelOff, false},
             Case{"other images, as many", Both, RedTwice, false},
         }) {
        TcxImageList A(nullptr);
        TcxImageList B(nullptr);
        pf::TImageList Plain(nullptr);
        C.A(A);
        C.B(B);
        C.B(Plain);
        EXPECT_EQ(cxImageListsEqual(A, B), C.Equal) << C.What;
        EXPECT_EQ(cxImageListsEqual(A, Plain), C.Equal) << C.What << " (a plain list)";
    }
}

std::size_t Find(const std::vector<std::uint8_t>& Bytes, const std::string& Text,
                 std::size_t From = 0) {
    const auto Found = std::search(Bytes.begin() + static_cast<std::ptrdiff_t>(From), Bytes.end(),
                                   Text.begin(), Text.end());
    return static_cast<std::size_t>(Found - Bytes.begin());
}

std::string Text(const std::vector<std::uint8_t>& Bytes, std::size_t From, std::size_t Count) {
    return {Bytes.begin() + static_cast<std::ptrdiff_t>(From),
            Bytes.begin() + static_cast<std::ptrdiff_t>(From + Count)};
}

TEST(CxImageList, ItsStoredImagesStreamAsACollectionAndComeBackTheSame) {
    for (const bool Compress : {false, true}) {
        TcxImageList List(nullptr);
        List.Name = "Images1";
        List.SetCompressData(Compress);
        FillThrough(List);
        pc::TMemoryStream Stream;
        Stream.WriteComponent(List);
        const std::vector<std::uint8_t>& Bytes = Stream.Bytes();

        const std::string Head = "TPF0\x0CTcxImageList\x07Images1"s +
                                 (Compress ? "\x0C"
                                             "CompressData\x09"s
                                           : ""s) +
                                 "\x0D"
                                 "FormatVersion\x02\x01"
                                 "\x0A"
                                 "DesignInfo\x02\x00"
                                 "\x09ImageInfo\x0E\x01\x0AImage.Data\x0A"s;
        EXPECT_EQ(Text(Bytes, 0, Head.size()), Head) << Compress;
        // The first item: its image's data, no mask, its mask colour (fuchsia, 32 bits); the
        // second item: image and mask; then the ends of the collection, the properties and the
        // children.
        const std::size_t MaskColor = Find(Bytes, "\x09MaskColor");
        EXPECT_EQ(Text(Bytes, MaskColor + 10, 7), std::string("\x04\xFF\x00\xFF\x00\x00\x01", 7));
        EXPECT_LT(Find(Bytes, "\x09Mask.Data\x0A", MaskColor), Bytes.size());
        EXPECT_EQ(Text(Bytes, Bytes.size() - 4, 4), std::string(4, '\0'));
        EXPECT_EQ(Find(Bytes, "XDBM") < Bytes.size(), Compress);

        TcxImageList Copy(nullptr);
        Stream.SetPosition(0);
        Stream.ReadComponent(Copy);
        EXPECT_EQ(Copy.CompressData(), Compress);
        ASSERT_EQ(Copy.Count(), 2);
        ASSERT_EQ(Copy.ImageInfo().Count(), 2);
        for (int Index = 0; Index < 2; ++Index)
            EXPECT_EQ(Shown(Copy, Index), Shown(List, Index)) << Index << " " << Compress;
    }
}

TEST(CxImageList, AFormStoredByAPlainListLoadsAndKeepsItsImages) {
    pf::TImageList Plain(nullptr);
    FillThrough(Plain);
    pc::TMemoryStream Stream;
    Stream.WriteComponent(Plain);
    ASSERT_LT(Find(Stream.Bytes(), "\x06"
                                   "Bitmap\x0A"),
              Stream.Size());
    TcxImageList List(nullptr);
    Stream.SetPosition(0);
    Stream.ReadComponent(List);
    ASSERT_EQ(List.Count(), 2);
    // The collection was rebuilt from them: a copy from it, and the list written again and read
    // into a third, draw what the plain list draws.
    TcxImageList Copy(nullptr);
    Copy.CopyImages(List);
    pc::TMemoryStream Again;
    Again.WriteComponent(List);
    EXPECT_EQ(Find(Again.Bytes(), "Bitmap"), Again.Size());
    TcxImageList Third(nullptr);
    Again.SetPosition(0);
    Again.ReadComponent(Third);
    for (int Index = 0; Index < 2; ++Index) {
        EXPECT_EQ(Shown(List, Index), Shown(Plain, Index)) << Index;
        EXPECT_EQ(Shown(Copy, Index), Shown(Plain, Index)) << Index;
        EXPECT_EQ(Shown(Third, Index), Shown(Plain, Index)) << Index;
    }
}

TEST(CxImageList, ADescendantStoresItsImagesOnlyWhereTheyDifferFromItsAncestors) {
    TcxImageList Ancestor(nullptr);
    FillThrough(Ancestor);
    struct Case {
        const char* What;
        bool AddOne;
        bool Stored;
    };
    for (const Case& C : {Case{"the same images", false, false}, Case{"one more", true, true}}) {
        TcxImageList List(nullptr);
        FillThrough(List);
        if (C.AddOne) List.Add(TcxCustomBitmap(16, 16));
        pc::TMemoryStream Stream;
        pc::TWriter Writer(Stream);
        Writer.WriteDescendent(List, &Ancestor);
        EXPECT_EQ(Find(Stream.Bytes(), "ImageInfo") < Stream.Size(), C.Stored) << C.What;
        EXPECT_EQ(Find(Stream.Bytes(), "FormatVersion"), Stream.Size()) << C.What;
    }
}

TEST(CxImageList, DeletingThroughThePlainInterfaceDeletesTheStoredImageToo) {
    TcxImageList List(nullptr);
    FillThrough(List);
    pf::TImageList& Plain = List;
    Plain.Delete(0);
    ASSERT_EQ(List.Count(), 1);
    TcxImageList Copy(nullptr);
    Copy.Assign(&List);
    ASSERT_EQ(Copy.Count(), 1);
    EXPECT_EQ(Shown(Copy, 0)[8 + 16], RGB(0, 0, 255));
    Plain.Clear();
    Copy.Assign(&List);
    EXPECT_EQ(Copy.Count(), 0);
}

} // namespace
} // namespace toolkit::base
