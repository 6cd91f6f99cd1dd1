#pragma once
// The platform's image library (msimg32), bound by name once per run: its alpha blend and
// gradient fill. Each entry point is null where the library or the function is missing, and the
// callers then draw with their own code.

#include "platform/gdi/device_context.h"

#include <cstdint>

namespace toolkit::base {

struct TBlendFunction {
    std::uint8_t BlendOp;
    std::uint8_t BlendFlags;
    std::uint8_t SourceConstantAlpha;
    std::uint8_t AlphaFormat;
};
inline constexpr std::uint8_t AC_SRC_OVER = 0;
inline constexpr std::uint8_t AC_SRC_ALPHA = 1;

struct TTriVertex {
    std::int32_t x;
    std::int32_t y;
    std::uint16_t Red;
    std::uint16_t Green;
    std::uint16_t Blue;
    std::uint16_t Alpha;
};
struct TGradientRect {
    std::uint32_t UpperLeft;
    std::uint32_t LowerRight;
};
inline constexpr std::uint32_t GRADIENT_FILL_RECT_H = 0;
inline constexpr std::uint32_t GRADIENT_FILL_RECT_V = 1;

using TAlphaBlend = platform::gdi::BOOL (*)(platform::gdi::HDC, int, int, int, int,
                                            platform::gdi::HDC, int, int, int, int, TBlendFunction);
using TGradientFill = platform::gdi::BOOL (*)(platform::gdi::HDC, TTriVertex*, std::uint32_t, void*,
                                              std::uint32_t, std::uint32_t);

struct TMsImgLibrary {
    TAlphaBlend AlphaBlend = nullptr;
    TGradientFill GradientFill = nullptr;
};

// Loaded on first use and freed at the end of the run.
const TMsImgLibrary& MsImgLibrary();

} // namespace toolkit::base
