#include "platform/win/panning_cursors.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace platform::win {

namespace {

constexpr int Size = 32;
constexpr int Mid = Size / 2;
constexpr std::uint32_t Black = 0xFF000000;
constexpr std::uint32_t White = 0xFFFFFFFF;

// A filled triangle pointing away from the middle by (dx, dy), black with a white rim.
void Arrow(std::vector<std::uint32_t>& pixels, int dx, int dy) {
    // Tip 14 px from the middle, base 6 px from it, 8 px wide at the base.
    for (int along = 6; along <= 14; ++along) {
        const int half = (14 - along) * 4 / 8;
        for (int across = -half - 1; across <= half + 1; ++across) {
            const int x = Mid + dx * along + dy * across;
            const int y = Mid + dy * along + dx * across;
            if (x < 0 || y < 0 || x >= Size || y >= Size) continue;
            const bool rim = std::abs(across) == half + 1 || along == 6;
            pixels[static_cast<std::size_t>(y) * Size + x] = rim ? White : Black;
        }
    }
}

std::vector<std::uint32_t> Draw(PanningCursor kind) {
    std::vector<std::uint32_t> pixels(Size * Size, 0);
    const bool horizontal = kind == PanningCursor::Full || kind == PanningCursor::Horizontal;
    const bool vertical = kind == PanningCursor::Full || kind == PanningCursor::Vertical;
    if (horizontal || kind == PanningCursor::Left) Arrow(pixels, -1, 0);
    if (horizontal || kind == PanningCursor::Right) Arrow(pixels, 1, 0);
    if (vertical || kind == PanningCursor::Up) Arrow(pixels, 0, -1);
    if (vertical || kind == PanningCursor::Down) Arrow(pixels, 0, 1);
    // The dot where the middle button went down.
    for (int y = Mid - 2; y <= Mid + 2; ++y)
        for (int x = Mid - 2; x <= Mid + 2; ++x)
            pixels[static_cast<std::size_t>(y) * Size + x] =
                std::abs(x - Mid) == 2 || std::abs(y - Mid) == 2 ? White : Black;
    return pixels;
}

} // namespace

HCURSOR LoadPanningCursor(PanningCursor kind) {
    static std::array<HCURSOR, 7> made{};
    HCURSOR& cursor = made[static_cast<std::size_t>(kind)];
    if (cursor == NullCursor) {
        const std::vector<std::uint32_t> pixels = Draw(kind);
        cursor = CreateCursorFromPixels(Size, Size, pixels.data(), Mid, Mid);
    }
    return cursor;
}

} // namespace platform::win
