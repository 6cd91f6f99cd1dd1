#include "toolkit/base/cx_bitmap.h"
#include "toolkit/base/cx_bitmap_codec.h"
#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/core/exception.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace toolkit::base {
namespace {

namespace pg = platform::gdi;
using testing_support::ClassicColors;

Pixel32 FilterOne(Pixel32 P, TcxBitmapFilter Filter, Pixel32 TransparentBkColor = 0x01020304,
                  TColor TransparentColor = pg::clNone) {
    TcxBitmap B(1, 1);
    B.SetPixels({P});
    B.TransparentBkColor = TransparentBkColor;
    if (TransparentColor != pg::clNone) B.AddTransparentColor(TransparentColor);
    B.ApplyFilter(Filter);
    return B.GetPixels()[0];
}

TEST(CxBitmapFilters, EachFilterOnOnePixel) {
    ClassicColors Colors;
    struct Case {
        const char* Name;
        TcxBitmapFilter Filter;
        Pixel32 In, Out;
    };
    const Case Cases[] = {
        {"dingy translucent", bfDingy, 0x80402010, 0x6432190D},
        {"dingy opaque", bfDingy, 0xFF0080FF, 0xFF4DA6FF},
        {"disabled", bfDisabled, 0xFFFFFFFF, 0xFFC3C3C3},
        {"grey average", bfGrayAverage, 0x12306090, 0x12606060},
        {"opaque", bfOpaque, 0x00112233, 0xFF112233},
        {"mask of a visible pixel", bfMask, 0x00112233, 0x00000000},
        {"mask of a transparent pixel", bfMask, 0x01020304, 0xFFFFFFFF},
        {"fade grey", bfFadeGray, 0x40FF0000, 0x404C4C4C},
        {"disabled grey, red", bfDisabledGray, 0x00FF0000, 0x00131313},
        {"disabled grey, green", bfDisabledGray, 0x0000FF00, 0x00B6B6B6},
        {"opaque non-transparent, alpha 0", bfOpaqueNonTransparent, 0x00112233, 0xFF112233},
        {"opaque non-transparent, alpha 5", bfOpaqueNonTransparent, 0x05112233, 0x05112233},
        {"fill", bfFill, 0x00112233, 0x01020304},
        {"clear alpha", bfClearAlpha, 0xFF112233, 0x00112233},
        {"transparent background left alone", bfGrayAverage, 0x01020304, 0x01020304},
        {"opaque reaches transparent pixels", bfOpaque, 0x01020304, 0xFF020304},
    };
    for (const Case& K : Cases)
        EXPECT_EQ(FilterOne(K.In, K.Filter), K.Out) << K.Name;
    EXPECT_EQ(FilterOne(0xFF112233, bfFadeGray, 0, pg::RGB(0x11, 0x22, 0x33)), 0xFF112233u)
        << "a transparent colour is left alone whatever its alpha";
}

TEST(CxBitmap, ClearWithTransparentAlphaZeroFillsBlackElseTheColour) {
    TcxBitmap Black(2, 1, 0x00FFFFFF);
    EXPECT_EQ(Black.GetPixels(), (std::vector<Pixel32>{0, 0}));
    TcxBitmap Filled(2, 1, 0x80FFFFFF);
    EXPECT_EQ(Filled.GetPixels(), (std::vector<Pixel32>{0x80FFFFFF, 0x80FFFFFF}));
    EXPECT_TRUE(Filled.HasAlpha());
    EXPECT_FALSE(Black.HasAlpha());
}

TEST(CxBitmap, AllRotationsAndFlipsOfAThreeByTwoImage) {
    struct Case {
        TcxBitmapRotation Mode;
        bool Flip;
        int W, H;
        std::vector<Pixel32> Out;
    };
    const Case Cases[] = {
        {brNone, false, 3, 2, {1, 2, 3, 4, 5, 6}}, {brNone, true, 3, 2, {4, 5, 6, 1, 2, 3}},
        {bra90, false, 2, 3, {3, 6, 2, 5, 1, 4}},  {bra90, true, 2, 3, {1, 4, 2, 5, 3, 6}},
        {brs90, false, 2, 3, {4, 1, 5, 2, 6, 3}},  {brs90, true, 2, 3, {6, 3, 5, 2, 4, 1}},
        {bra180, false, 3, 2, {6, 5, 4, 3, 2, 1}}, {bra180, true, 3, 2, {3, 2, 1, 6, 5, 4}},
    };
    for (const Case& K : Cases) {
        TcxBitmap B(3, 2);
        B.SetPixels({1, 2, 3, 4, 5, 6});
        B.Rotate(K.Mode, K.Flip);
        EXPECT_EQ(B.Width(), K.W) << K.Mode << K.Flip;
        EXPECT_EQ(B.Height(), K.H) << K.Mode << K.Flip;
        EXPECT_EQ(B.GetPixels(), K.Out) << K.Mode << K.Flip;
    }
}

TEST(CxBitmap, ChangesAreHeldBackWhileLocked) {
    TcxCustomBitmap B(2, 2);
    int Changes = 0;
    B.OnChange = [&] { ++Changes; };
    B.BeginUpdate();
    B.SetSize(3, 3);
    B.SetSize(4, 4);
    EXPECT_EQ(Changes, 0);
    B.EndUpdate(false);
    EXPECT_EQ(Changes, 1);
    B.BeginUpdate();
    B.EndUpdate(false);
    EXPECT_EQ(Changes, 1);
}

std::vector<std::uint8_t> Bytes(const std::string& S) {
    return {S.begin(), S.end()};
}

TEST(CxBitmapCodec, WorkedExamples) {
    const std::vector<std::uint8_t> Equal(300, 7);
    EXPECT_EQ(cxRLECompress(Equal), (std::vector<std::uint8_t>{125, 7, 125, 7, 50, 7}));
    EXPECT_EQ(cxRLECompress(Bytes("ABCDD")),
              (std::vector<std::uint8_t>{0x83, 'A', 'B', 'C', 0x02, 'D'}));
    EXPECT_EQ(cxRLECompress(Bytes("A")), (std::vector<std::uint8_t>{0x81, 'A'}));
    EXPECT_EQ(cxRLECompress(Bytes("AAB")), (std::vector<std::uint8_t>{0x02, 'A', 0x81, 'B'}));
    std::vector<std::uint8_t> Distinct(130);
    for (std::size_t I = 0; I < Distinct.size(); ++I)
        Distinct[I] = static_cast<std::uint8_t>(I);
    const auto Packed = cxRLECompress(Distinct);
    ASSERT_EQ(Packed.size(), 132u);
    EXPECT_EQ(Packed[0], 0x80 | 125);
    EXPECT_EQ(Packed[126], 0x80 | 5);
}

TEST(CxBitmapCodec, RoundTrip) {
    std::mt19937 Random(18);
    for (int Round = 0; Round < 50; ++Round) {
        std::vector<std::uint8_t> Data(Random() % 600);
        for (auto& B : Data)
            B = static_cast<std::uint8_t>(Random() % 3 == 0 ? 0 : Random() % 4);
        const auto Decoded = cxRLEDecompress(cxRLECompress(Data), Data.size());
        ASSERT_TRUE(Decoded);
        EXPECT_EQ(*Decoded, Data);
    }
}

TEST(CxBitmapCodec, TruncatedOrOverlongDataIsRefused) {
    EXPECT_FALSE(cxRLEDecompress(std::vector<std::uint8_t>{0x85, 'A', 'B'}, 100));
    EXPECT_FALSE(cxRLEDecompress(std::vector<std::uint8_t>{0x05}, 100));
    EXPECT_FALSE(cxRLEDecompress(std::vector<std::uint8_t>{125, 7}, 124));
    EXPECT_TRUE(cxRLEDecompress(std::vector<std::uint8_t>{125, 7}, 125));
    auto Stream = cxWriteCompressedStream(Bytes("hello"));
    EXPECT_TRUE(cxReadCompressedStream(Stream, 100));
    Stream.pop_back();
    EXPECT_FALSE(cxReadCompressedStream(Stream, 100)) << "fewer bytes than the header says";
}

TEST(CxBitmapStream, CompressedAndPlainFormsLoadBack) {
    for (bool Compress : {false, true}) {
        TcxCustomBitmap Source(5, 3, pf32bit);
        std::vector<Pixel32> Pixels;
        for (Pixel32 I = 0; I < 15; ++I)
            Pixels.push_back(0x80000000 | I * 0x010203);
        Source.SetPixels(Pixels);
        Source.CompressData = Compress;
        std::vector<std::uint8_t> Stream;
        Source.WriteData(Stream);
        EXPECT_EQ(cxIsCompressedStream(Stream), Compress);
        Stream.push_back(0xEE); // whatever follows in the stream is not read
        TcxCustomBitmap Loaded;
        EXPECT_EQ(Loaded.ReadData(Stream), Stream.size() - 1);
        EXPECT_EQ(Loaded.Width(), 5);
        EXPECT_EQ(Loaded.PixelFormat(), pf32bit);
        EXPECT_EQ(Loaded.GetPixels(), Pixels) << Compress;
    }
}

TEST(CxBitmapStream, DamagedStreamsAreLoadErrors) {
    TcxCustomBitmap Source(4, 4);
    Source.CompressData = true;
    std::vector<std::uint8_t> Stream;
    Source.WriteData(Stream);
    for (std::size_t Cut : {std::size_t{3}, std::size_t{12}, Stream.size() - 1}) {
        TcxCustomBitmap Loaded;
        const std::span<const std::uint8_t> Part(Stream.data(), Cut);
        EXPECT_THROW(Loaded.ReadData(Part), platform::core::Exception) << Cut;
    }
    std::vector<std::uint8_t> Huge = {0xFF, 0xFF, 0xFF, 0x7F, 'B', 'M'};
    TcxCustomBitmap Loaded;
    EXPECT_THROW(Loaded.ReadData(Huge), platform::core::Exception);
}

} // namespace
} // namespace toolkit::base
