#include "platform/gdi/font_engine.h"

#include "platform/core/text.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <array>
#include <cstring>

namespace platform::gdi {

void SetFaceName(LOGFONT& font, std::string_view name) {
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, name.data(), std::min<std::size_t>(name.size(), LF_FACESIZE - 1));
}

namespace {

class FakeFace : public FontFace {
public:
    explicit FakeFace(const LOGFONT& font) {
        int height = font.lfHeight == 0 ? 13 : std::abs(font.lfHeight);
        width_ = font.lfWidth > 0 ? font.lfWidth : std::max(1, height / 2);
        metrics_.tmHeight = height;
        metrics_.tmAscent = height * 3 / 4;
        metrics_.tmDescent = height - metrics_.tmAscent;
        metrics_.tmAveCharWidth = width_;
        metrics_.tmMaxCharWidth = width_;
        metrics_.tmWeight = font.lfWeight == 0 ? FW_NORMAL : font.lfWeight;
        metrics_.tmItalic = font.lfItalic;
        metrics_.tmUnderlined = font.lfUnderline;
        metrics_.tmStruckOut = font.lfStrikeOut;
        metrics_.tmCharSet = font.lfCharSet;
    }
    const TEXTMETRIC& Metrics() const override { return metrics_; }
    int CharWidth(unsigned char) const override { return width_; }
    Region RenderGlyphs(std::string_view text, const int* advances, int x, int top) const override {
        Region glyphs;
        for (std::size_t i = 0; i < text.size(); ++i) {
            auto c = static_cast<unsigned char>(text[i]);
            int advance = advances ? advances[i] : width_;
            if (c > ' ' && advance > 1)
                glyphs = Region::Combine(
                    glyphs,
                    Region::FromRect({x, top + 1, x + advance - 1, top + metrics_.tmAscent}),
                    RGN_OR);
            x += advance;
        }
        return glyphs;
    }

private:
    TEXTMETRIC metrics_;
    int width_ = 1;
};

QString CharToQString(unsigned char c) {
    char byte = static_cast<char>(c);
    return QString::fromStdString(core::AnsiToUtf8(std::string_view(&byte, 1)));
}

class QtFace : public FontFace {
public:
    explicit QtFace(const LOGFONT& font) {
        font_.setFamily(QString::fromStdString(QtFontEngine::MapFaceName(font.lfFaceName)));
        font_.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferBitmap));
        font_.setHintingPreference(QFont::PreferFullHinting);
        font_.setWeight(font.lfWeight >= 600 ? QFont::Bold : QFont::Normal);
        font_.setItalic(font.lfItalic != 0);
        // Positive heights ask for the cell, negative ones for the character (em) height.
        int pixels = 11;
        if (font.lfHeight < 0) {
            pixels = -font.lfHeight;
        } else if (font.lfHeight > 0) {
            QFont probe = font_;
            probe.setPixelSize(100);
            QFontMetrics m(probe);
            pixels = std::max(1, font.lfHeight * 100 / std::max(1, m.ascent() + m.descent()));
        }
        font_.setPixelSize(std::max(1, pixels));
        QFontMetrics m(font_);
        metrics_.tmAscent = m.ascent();
        metrics_.tmDescent = m.descent();
        metrics_.tmHeight = m.ascent() + m.descent();
        metrics_.tmInternalLeading = std::max(0, metrics_.tmHeight - pixels);
        metrics_.tmExternalLeading = std::max(0, m.leading());
        metrics_.tmAveCharWidth = std::max(1, m.averageCharWidth());
        metrics_.tmMaxCharWidth = std::max(1, m.maxWidth());
        metrics_.tmWeight = font.lfWeight == 0 ? FW_NORMAL : font.lfWeight;
        metrics_.tmItalic = font.lfItalic;
        metrics_.tmUnderlined = font.lfUnderline;
        metrics_.tmStruckOut = font.lfStrikeOut;
        metrics_.tmCharSet = font.lfCharSet;
        for (int c = 0; c < 256; ++c)
            widths_[static_cast<std::size_t>(c)] =
                c == '\t' ? metrics_.tmAveCharWidth
                          : m.horizontalAdvance(CharToQString(static_cast<unsigned char>(c)));
    }
    const TEXTMETRIC& Metrics() const override { return metrics_; }
    int CharWidth(unsigned char c) const override { return widths_[c]; }
    Region RenderGlyphs(std::string_view text, const int* advances, int x, int top) const override {
        int total = 0;
        for (std::size_t i = 0; i < text.size(); ++i)
            total += advances ? advances[i] : CharWidth(static_cast<unsigned char>(text[i]));
        int slack = metrics_.tmMaxCharWidth;
        TRect bounds{x - slack, top, x + total + slack, top + metrics_.tmHeight};
        return Region::FromPainting(bounds, [&](QPainter& painter) {
            painter.setFont(font_);
            painter.setPen(Qt::black);
            int pen = x;
            for (std::size_t i = 0; i < text.size(); ++i) {
                auto c = static_cast<unsigned char>(text[i]);
                if (c > ' ')
                    painter.drawText(QPointF(pen, top + metrics_.tmAscent), CharToQString(c));
                pen += advances ? advances[i] : CharWidth(c);
            }
        });
    }

private:
    QFont font_;
    TEXTMETRIC metrics_;
    std::array<int, 256> widths_{};
};

std::unique_ptr<FontEngine>& EngineSlot() {
    static std::unique_ptr<FontEngine> engine = std::make_unique<QtFontEngine>();
    return engine;
}

} // namespace

std::shared_ptr<FontFace> FakeFontEngine::CreateFace(const LOGFONT& font) {
    return std::make_shared<FakeFace>(font);
}

std::shared_ptr<FontFace> QtFontEngine::CreateFace(const LOGFONT& font) {
    if (!QGuiApplication::instance()) return std::make_shared<FakeFace>(font);
    return std::make_shared<QtFace>(font);
}

std::string QtFontEngine::MapFaceName(std::string_view platformName) {
    // One table, so that every platform name lands on the same installed family everywhere.
    // The condensed face has the average widths of the platform's 8-point sans-serif faces, so
    // that texts fit the controls laid out for them.
    struct Mapping {
        const char* platform;
        const char* installed;
    };
    static constexpr Mapping table[] = {
        {"MS Sans Serif", "DejaVu Sans Condensed"}, {"Tahoma", "DejaVu Sans Condensed"},
        {"Arial", "DejaVu Sans Condensed"},         {"Small Fonts", "DejaVu Sans Condensed"},
        {"System", "DejaVu Sans Condensed"},        {"Verdana", "DejaVu Sans"},
        {"Courier New", "DejaVu Sans Mono"},        {"Courier", "DejaVu Sans Mono"},
        {"Fixedsys", "DejaVu Sans Mono"},           {"Terminal", "DejaVu Sans Mono"},
        {"Times New Roman", "DejaVu Serif"},        {"MS Serif", "DejaVu Serif"},
    };
    for (const auto& m : table)
        if (core::SameText(platformName, m.platform)) return m.installed;
    return "DejaVu Sans Condensed";
}

FontEngine& CurrentFontEngine() {
    return *EngineSlot();
}

ScopedFontEngine::ScopedFontEngine(std::unique_ptr<FontEngine> engine)
    : previous_(std::exchange(EngineSlot(), std::move(engine))) {}

ScopedFontEngine::~ScopedFontEngine() {
    EngineSlot() = std::move(previous_);
}

} // namespace platform::gdi
