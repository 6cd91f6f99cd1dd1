#pragma once
// A 32-bit bitmap in a memory context with a class-library canvas over it, for pixel checks of
// the toolkit's drawing code; and the classic system colours held for the test's duration.

#include "platform/gdi/blit.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/surface.h"

#include <initializer_list>
#include <string>
#include <utility>

namespace toolkit::base::testing_support {

namespace pg = platform::gdi;

class ClassicColors {
public:
    ClassicColors() { pg::SetSystemProfile(pg::SystemProfile::Classic); }
    ~ClassicColors() { pg::SetSystemProfile(pg::SystemProfile::XP); }
};

class TestSurface {
public:
    TestSurface(int Width, int Height, pg::COLORREF Background = pg::RGB(1, 2, 3)) {
        FBitmap = pg::CreateBitmap(Width, Height, 1, 32, nullptr);
        FDC = pg::CreateCompatibleDC(pg::NullDC);
        FOld = pg::SelectObject(FDC, FBitmap);
        Pixels().Fill(pg::ColorToPixel(Background));
        FCanvas.SetHandle(FDC);
    }
    ~TestSurface() {
        FCanvas.SetHandle(pg::NullDC);
        pg::SelectObject(FDC, FOld);
        pg::DeleteDC(FDC);
        pg::DeleteObject(FBitmap);
    }
    TestSurface(const TestSurface&) = delete;
    TestSurface& operator=(const TestSurface&) = delete;

    pg::HDC DC() const { return FDC; }
    pg::HBITMAP Bitmap() const { return FBitmap; }
    pg::TCanvas& Canvas() { return FCanvas; }
    pg::Surface& Pixels() const { return *pg::BitmapSurface(FBitmap); }
    pg::COLORREF At(int X, int Y) const {
        return pg::PixelToColor(Pixels().Pixel(X, Y) & 0xFFFFFF);
    }
    // A row as characters: the key's letter where the pixel has its colour, '.' elsewhere.
    std::string Row(int Y, std::initializer_list<std::pair<char, pg::COLORREF>> Key) const {
        std::string Out;
        for (int X = 0; X < Pixels().Width(); ++X) {
            char Ch = '.';
            for (const auto& [Letter, Color] : Key)
                if (At(X, Y) == Color) Ch = Letter;
            Out += Ch;
        }
        return Out;
    }

private:
    pg::HBITMAP FBitmap{};
    pg::HDC FDC{};
    pg::HGDIOBJ FOld{};
    pg::TCanvas FCanvas;
};

} // namespace toolkit::base::testing_support
