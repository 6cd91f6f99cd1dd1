// The class library's pictures as a program keeps them: a bitmap written to a stream reads back
// pixel for pixel, a 24-bit file is read as well, an empty bitmap is written as nothing and a
// stream that holds no bitmap is refused; a form's icon is what its window
// carries, what the desktop shows and what a minimised child draws on its caption.

#include "platform/forms/graphics.h"

#include "platform/core/byte_file.h"
#include "platform/core/streams.h"
#include "platform/forms/tests/forms_test_support.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/win/host_widget.h"
#include "platform/win/icons.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <QIcon>
#include <QImage>
#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

namespace platform::forms::test {
namespace {

using namespace win;

std::vector<gdi::COLORREF> Pixels(TBitmap& bitmap) {
    std::vector<gdi::COLORREF> result;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            result.push_back(gdi::GetPixel(bitmap.Canvas().Handle(), x, y));
    return result;
}

// Three by five pixels, no two alike: rows of odd widths pad their ends in the file.
void Paint(TBitmap& bitmap) {
    bitmap.SetSize(3, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            gdi::SetPixelV(bitmap.Canvas().Handle(), x, y, gdi::RGB(80 * x, 50 * y, 7 + x * y));
}

TEST(BitmapStreamTest, ABitmapWrittenToAStreamReadsBackPixelForPixel) {
    TBitmap source;
    Paint(source);
    core::TMemoryStream stream;
    stream.WriteBuffer("ab", 2);
    source.SaveToStream(stream);
    // A 24-bit picture: headers, then five rows of 3 pixels padded to 12 bytes.
    EXPECT_EQ(stream.Size(), 2u + 54u + 5u * 12u);
    stream.SetPosition(2);
    TBitmap copy;
    int changes = 0;
    copy.OnChange = [&] { ++changes; };
    copy.LoadFromStream(stream);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.Width(), 3);
    EXPECT_EQ(copy.Height(), 5);
    EXPECT_EQ(Pixels(copy), Pixels(source));
    EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(BitmapStreamTest, AStreamThatHoldsNoBitmapIsRefusedAndTheBitmapKept) {
    TBitmap source;
    Paint(source);
    core::TMemoryStream good;
    source.SaveToStream(good);
    const std::vector<std::uint8_t> bytes = good.Bytes();
    const auto put32 = [](std::vector<std::uint8_t> b, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        return b;
    };
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<std::uint8_t> notBm = bytes;
    notBm[0] = 'X';
    std::vector<std::uint8_t> eightBits = bytes;
    eightBits[28] = 8;
    const Case cases[] = {
        {"header cut short", std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 30)},
        {"pixels cut short", std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 1)},
        {"no BM", notBm},
        {"8 bits a pixel", eightBits},
        {"compressed", put32(bytes, 30, 1)},
        {"no width", put32(bytes, 18, 0)},
        {"huge", put32(put32(bytes, 18, 0x10000), 22, 0x10000)},
        {"pixels beyond the end", put32(bytes, 10, 0x7FFFFFF0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap target;
        Paint(target);
        core::TMemoryStream stream(c.bytes);
        EXPECT_THROW(target.LoadFromStream(stream), core::Exception);
        EXPECT_EQ(target.Width(), 3);
        EXPECT_EQ(Pixels(target), Pixels(source));
    }
}

gdi::COLORREF At(TBitmap& Bitmap, int X, int Y) {
    return gdi::GetPixel(Bitmap.Canvas().Handle(), X, Y);
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

// A form's icon: 32 pixels square, red, its left quarter transparent by the mask.
class FormIconTest : public FormsTest {
protected:
    static HICON RedIcon() {
        TBitmap color, mask;
        color.SetSize(32, 32);
        color.Canvas().Brush().SetColor(gdi::clRed);
        color.Canvas().FillRect({0, 0, 32, 32});
        mask.SetSize(32, 32);
        mask.Canvas().Brush().SetColor(gdi::clBlack);
        mask.Canvas().FillRect({0, 0, 32, 32});
        mask.Canvas().Brush().SetColor(gdi::clWhite);
        mask.Canvas().FillRect({0, 0, 8, 32});
        ICONINFO info;
        info.hbmColor = color.Handle();
        info.hbmMask = mask.Handle();
        return CreateIconIndirect(&info);
    }
};

// The window carries the form's icon and the desktop shows it; without one, the platform's
// picture of a program stands for it.
TEST_F(FormIconTest, TheWindowCarriesTheFormsIconAndTheDesktopShowsIt) {
    TForm& form = MakeForm();
    form.SetBounds(100, 100, 200, 150);
    form.Show();
    Pump();
    EXPECT_EQ(static_cast<HICON>(core::SendMessage(form.Handle(), WM_GETICON, ICON_BIG, 0)),
              LoadIcon(IDI_APPLICATION));
    const HICON red = RedIcon();
    form.Icon().SetHandle(red);
    EXPECT_EQ(static_cast<HICON>(core::SendMessage(form.Handle(), WM_GETICON, ICON_BIG, 0)), red);
    EXPECT_EQ(static_cast<HICON>(core::SendMessage(form.Handle(), WM_GETICON, ICON_SMALL2, 0)),
              red);
    EXPECT_EQ(core::SendMessage(form.Handle(), WM_GETICON, ICON_SMALL, 0), 0);
    QWidget* host = HostWidgetOf(form.Handle());
    ASSERT_NE(host, nullptr);
    const QImage shown = host->windowIcon().pixmap(32, 32).toImage();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixelColor(20, 16), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(2, 16).alpha(), 0);
}

// A minimised child draws its icon at the left of its caption, the caption showing through the
// icon's transparent part.
TEST_F(FormIconTest, AMinimisedChildDrawsItsIconOnItsCaption) {
    TForm& main = MakeForm<TForm>(fsMDIForm);
    Application().SetMainForm(&main);
    main.SetBounds(0, 0, 800, 600);
    main.Show();
    TForm& child = Owner().Own<TForm>(fsMDIChild);
    child.SetBounds(20, 20, 300, 200);
    child.AfterConstruction();
    child.Icon().SetHandle(RedIcon());
    child.SetWindowState(wsMinimized);
    Pump();
    ASSERT_TRUE(IsIconic(child.Handle()));
    const auto surface = WindowSurface(child.Handle());
    ASSERT_NE(surface, nullptr);
    const int frame = gdi::GetSystemMetrics(gdi::SM_CXDLGFRAME);
    TRect window;
    GetWindowRect(child.Handle(), &window);
    const int barHeight = window.Height() - 2 * frame;
    const int size = std::min(gdi::GetSystemMetrics(gdi::SM_CXSMICON), barHeight);
    const int left = frame + 2, top = frame + (barHeight - size) / 2;
    const auto at = [&](int x, int y) {
        return gdi::PixelToColor(surface->Pixel(x, y) & 0xFFFFFF);
    };
    EXPECT_EQ(at(left + size / 2 + 2, top + size / 2), gdi::RGB(255, 0, 0));
    EXPECT_EQ(at(left, top + size / 2), at(left - 1, top + size / 2))
        << "the caption shows through";
    Application().SetMainForm(nullptr);
}

} // namespace
} // namespace platform::forms::test
