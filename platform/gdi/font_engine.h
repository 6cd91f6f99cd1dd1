#pragma once
// Where glyphs come from. A font engine turns a logical font into a face: metrics, advance
// widths and glyph coverage. The real engine uses the installed fonts through Qt; the fake one
// has fixed metrics and draws every glyph as a block, so that layout tests do not depend on the
// fonts of the machine. One engine serves the process; tests swap it with ScopedFontEngine.

#include "platform/gdi/region.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform::gdi {

inline constexpr int LF_FACESIZE = 32;

struct LOGFONT {
    int lfHeight = 0;
    int lfWidth = 0;
    int lfEscapement = 0;
    int lfOrientation = 0;
    int lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};
void SetFaceName(LOGFONT& font, std::string_view name);

enum : int { FW_DONTCARE = 0, FW_NORMAL = 400, FW_BOLD = 700 };
enum : int { ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, OEM_CHARSET = 255 };

struct TEXTMETRIC {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = 0;
    int tmOverhang = 0;
    int tmDigitizedAspectX = 96;
    int tmDigitizedAspectY = 96;
    std::uint8_t tmFirstChar = 0x20;
    std::uint8_t tmLastChar = 0xFF;
    std::uint8_t tmDefaultChar = 0x1F;
    std::uint8_t tmBreakChar = 0x20;
    std::uint8_t tmItalic = 0;
    std::uint8_t tmUnderlined = 0;
    std::uint8_t tmStruckOut = 0;
    std::uint8_t tmPitchAndFamily = 0;
    std::uint8_t tmCharSet = 0;
};

class FontFace {
public:
    virtual ~FontFace() = default;
    virtual const TEXTMETRIC& Metrics() const = 0;
    // Advance of one Windows-1252 character.
    virtual int CharWidth(unsigned char c) const = 0;
    // Coverage of the glyphs of text drawn with the cell's top-left at (x, top), each character
    // placed at x plus the sum of the advances before it.
    virtual Region RenderGlyphs(std::string_view text, const int* advances, int x,
                                int top) const = 0;
};

class FontEngine {
public:
    virtual ~FontEngine() = default;
    virtual std::shared_ptr<FontFace> CreateFace(const LOGFONT& font) = 0;
};

// Fixed metrics: a cell of |lfHeight| pixels (13 when 0), ascent three quarters of it, every
// character lfWidth wide (half the height when 0, the tab too), no leading. A glyph is a block
// one pixel narrower than its advance from the cell's second row to the baseline; blanks draw
// nothing.
class FakeFontEngine : public FontEngine {
public:
    std::shared_ptr<FontFace> CreateFace(const LOGFONT& font) override;
};

// The installed fonts through Qt (Debian's fonts-dejavu-core), without antialiasing. A
// QGuiApplication must exist before the first face is made; without one, faces fall back to the
// fake metrics.
class QtFontEngine : public FontEngine {
public:
    std::shared_ptr<FontFace> CreateFace(const LOGFONT& font) override;
    // The installed family that stands in for a platform font name.
    static std::string MapFaceName(std::string_view platformName);
};

FontEngine& CurrentFontEngine();

// Installs an engine for its lifetime; fonts made meanwhile keep their faces.
class ScopedFontEngine {
public:
    explicit ScopedFontEngine(std::unique_ptr<FontEngine> engine);
    ~ScopedFontEngine();
    ScopedFontEngine(const ScopedFontEngine&) = delete;
    ScopedFontEngine& operator=(const ScopedFontEngine&) = delete;

private:
    std::unique_ptr<FontEngine> previous_;
};

} // namespace platform::gdi
