#include "platform/win/library_cursors.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace platform::win {

namespace {

constexpr int Size = 32;
constexpr int Mid = Size / 2;
constexpr std::uint32_t Black = 0xFF000000;
constexpr std::uint32_t White = 0xFFFFFFFF;
constexpr std::uint32_t Red = 0xFFD00000;

struct Pixels {
    std::vector<std::uint32_t> argb = std::vector<std::uint32_t>(Size * Size, 0);
    void Set(int x, int y, std::uint32_t colour) {
        if (x < 0 || y < 0 || x >= Size || y >= Size) return;
        argb[static_cast<std::size_t>(y) * Size + x] = colour;
    }
    // Filled, with a one-pixel rim.
    void Box(int left, int top, int right, int bottom, std::uint32_t fill, std::uint32_t rim) {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                Set(x, y, x == left || y == top || x == right - 1 || y == bottom - 1 ? rim : fill);
    }
};

// The usual pointer: tip at (0, 0), black with a white rim, 12 x 19.
void Pointer(Pixels& p) {
    for (int y = 0; y < 17; ++y) {
        const int width = y < 12 ? y + 1 : 12 - (y - 12) * 2;
        for (int x = 0; x < width && x < 12; ++x)
            p.Set(x, y, x == 0 || x == width - 1 || y == 16 ? Black : White);
    }
    // The tail.
    for (int y = 12; y < 19; ++y)
        for (int x = 5 + (y - 12) / 2; x < 8 + (y - 12) / 2; ++x)
            p.Set(x, y, x == 5 + (y - 12) / 2 || x == 7 + (y - 12) / 2 || y == 18 ? Black : White);
}

// A plus or a cross (diagonal) in the box at (left, top), 9 x 9.
void Badge(Pixels& p, int left, int top, bool cross, std::uint32_t ink) {
    p.Box(left, top, left + 9, top + 9, White, Black);
    for (int i = 2; i <= 6; ++i) {
        if (cross) {
            p.Set(left + i, top + i, ink);
            p.Set(left + 8 - i, top + i, ink);
        } else {
            p.Set(left + i, top + 4, ink);
            p.Set(left + 4, top + i, ink);
        }
    }
}

// A two-headed arrow through the middle across a splitter bar: vertical when vertical is true.
void Splitter(Pixels& p, bool vertical) {
    auto at = [&](int along, int across, std::uint32_t c) {
        if (vertical)
            p.Set(Mid + across, Mid + along, c);
        else
            p.Set(Mid + along, Mid + across, c);
    };
    for (int along = -12; along <= 12; ++along)
        at(along, 0, Black);
    for (int across = -9; across <= 9; ++across) {
        at(-1, across, Black);
        at(1, across, Black);
    }
    for (int k = 1; k <= 4; ++k)
        for (int across = -k; across <= k; ++across) {
            at(-12 + k, across, Black);
            at(12 - k, across, Black);
        }
}

// A two-headed arrow across a single upright bar, both one pixel wide with a white rim, so that
// it shows on any field.
void EditSizer(Pixels& p) {
    auto ink = [&](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (p.argb[static_cast<std::size_t>(Mid + y + dy) * Size + Mid + x + dx] != Black)
                    p.Set(Mid + x + dx, Mid + y + dy, White);
    };
    std::vector<std::pair<int, int>> points;
    for (int x = -11; x <= 11; ++x)
        points.emplace_back(x, 0);
    for (int y = -8; y <= 8; ++y)
        points.emplace_back(0, y);
    for (int k = 1; k <= 4; ++k)
        for (int y = -k; y <= k; ++y) {
            points.emplace_back(-11 + k, y);
            points.emplace_back(11 - k, y);
        }
    for (const auto& [x, y] : points)
        ink(x, y);
    for (const auto& [x, y] : points)
        p.Set(Mid + x, Mid + y, Black);
}

std::vector<std::uint32_t> Draw(LibraryCursor kind) {
    Pixels p;
    switch (kind) {
    case LibraryCursor::DragCopy:
        Pointer(p);
        Badge(p, 12, 16, false, Black);
        break;
    case LibraryCursor::Remove:
        Pointer(p);
        Badge(p, 12, 16, true, Red);
        break;
    case LibraryCursor::Drag:
        Pointer(p);
        p.Box(12, 16, 24, 24, White, Black);
        break;
    case LibraryCursor::MultiDrag:
        Pointer(p);
        p.Box(15, 13, 27, 21, White, Black);
        p.Box(12, 16, 24, 24, White, Black);
        break;
    case LibraryCursor::VertSize:
        Splitter(p, true);
        break;
    case LibraryCursor::HorzSize:
        Splitter(p, false);
        break;
    case LibraryCursor::NoDrop:
        // A ring 10 px round with a slash from top left to bottom right.
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x) {
                const int d2 = (x - Mid) * (x - Mid) + (y - Mid) * (y - Mid);
                const bool ring = d2 >= 7 * 7 && d2 <= 10 * 10;
                const bool slash = d2 <= 10 * 10 && std::abs((x - Mid) - (y - Mid)) <= 1;
                if (ring || slash) p.Set(x, y, Black);
            }
        break;
    case LibraryCursor::ColorPicker:
        // A pipette from its tip at the bottom left up to the bulb at the top right.
        for (int i = 0; i < 20; ++i)
            for (int w = -1; w <= 1; ++w)
                p.Set(2 + i + w, Size - 3 - i, i < 2 || w != 0 ? Black : White);
        p.Box(21, 3, 29, 11, Black, Black);
        break;
    case LibraryCursor::EditSizing:
        EditSizer(p);
        break;
    }
    return p.argb;
}

} // namespace

TPoint LibraryCursorHotSpot(LibraryCursor kind) {
    switch (kind) {
    case LibraryCursor::VertSize:
    case LibraryCursor::HorzSize:
    case LibraryCursor::NoDrop:
    case LibraryCursor::EditSizing:
        return {Mid, Mid};
    case LibraryCursor::ColorPicker:
        return {2, Size - 3};
    default:
        return {0, 0};
    }
}

HCURSOR LoadLibraryCursor(LibraryCursor kind) {
    static std::array<HCURSOR, 9> made{};
    HCURSOR& cursor = made[static_cast<std::size_t>(kind)];
    if (cursor == NullCursor) {
        const std::vector<std::uint32_t> pixels = Draw(kind);
        const TPoint hot = LibraryCursorHotSpot(kind);
        cursor = CreateCursorFromPixels(Size, Size, pixels.data(), hot.X, hot.Y);
    }
    return cursor;
}

} // namespace platform::win
