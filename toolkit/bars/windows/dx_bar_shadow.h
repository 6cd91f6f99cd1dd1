#pragma once
// The drop shadow of a bar window: up to five thin pop-up windows to the right of and below the
// window, and, when a menu hangs from the item that opened it, around the item too, so that the
// two cast one outline. Where the screen composites per-pixel alpha the strips are translucent
// gradients S = 4 pixels thick, fading in at their ends; elsewhere (and on displays of 8 bits
// or less) they are solid strips of button shadow, S = 2. The mouse passes through them.
//
// The bar window owns its shadow, updates it whenever it moves or changes size and shows it
// while it casts one (TCustomdxBarControl); the parts live from one Update to the next.

#include "platform/forms/controls.h"
#include "platform/gdi/geometry.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace toolkit::bars {

class TdxBarShadow;

// The ends of a strip that fade in over an S x S square.
enum : std::uint8_t { dxsfStart = 1, dxsfEnd = 2, dxsfTop = 4 };

struct TdxBarShadowStrip {
    platform::gdi::TRect Bounds;
    // Down the right side (true) or along the bottom (false).
    bool VerticalStrip = false;
    std::uint8_t Fades = 0;
    bool operator==(const TdxBarShadowStrip&) const = default;
};

// The strips, in the order the parts are made, for an owner rectangle (empty for none) and a
// window rectangle (screen), S thick; strips too small to show are left out.
std::vector<TdxBarShadowStrip> dxBarShadowStrips(platform::gdi::TRect OwnerRect,
                                                 platform::gdi::TRect WindowRect, int S);
// The alpha of a strip's pixel: 15 per pixel of distance from the outer edge, faded ends
// scaled by (a + 1) / (S + 1) at distance a from the end.
std::uint8_t dxBarShadowAlpha(const TdxBarShadowStrip& Strip, int X, int Y, int S);

class TdxBarShadowPart : public platform::forms::TCustomControl {
public:
    TdxBarShadowPart(TdxBarShadow& AShadow, const TdxBarShadowStrip& AStrip);
    ~TdxBarShadowPart() override;

    const TdxBarShadowStrip& Strip() const { return FStrip; }
    bool VerticalStrip() const { return FStrip.VerticalStrip; }
    std::uint8_t Fades() const { return FStrip.Fades; }
    // Shows the strip below its bar window without activating it; hiding also lets the window
    // handle go.
    void ShowPart();
    void HidePart();

    void WndProc(platform::forms::TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;

private:
    bool Layered() const;
    // The strip's alpha image as the layered window's content.
    void SetLayeredContent();

    TdxBarShadow& FShadow;
    TdxBarShadowStrip FStrip;
};

class TdxBarShadow {
public:
    explicit TdxBarShadow(platform::forms::TWinControl& AOwner);
    ~TdxBarShadow();
    TdxBarShadow(const TdxBarShadow&) = delete;
    TdxBarShadow& operator=(const TdxBarShadow&) = delete;

    // 4 where per-pixel alpha is composited on a display of more than 8 bits, else 2.
    static int Size();
    // Whether the parts are translucent layered windows.
    static bool UsesLayers();

    platform::forms::TWinControl& Owner() const { return FOwner; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // Stores the owner item's rectangle (empty for none) and the window's (screen), and makes
    // the parts anew.
    void Update(const platform::gdi::TRect& AOwnerRect, const platform::gdi::TRect& AWindowRect);
    // The owner rectangle is empty or touches the window at its top or bottom.
    bool Vertical() const { return FVertical; }
    platform::gdi::TRect OwnerRect() const { return FOwnerRect; }
    platform::gdi::TRect WindowRect() const { return FWindowRect; }
    int PartCount() const;
    // The I-th part that exists, in the order they were made.
    TdxBarShadowPart* Parts(int I) const;

private:
    void FreeParts();

    bool FVertical = true;
    platform::forms::TWinControl& FOwner;
    std::array<std::unique_ptr<TdxBarShadowPart>, 5> FParts;
    bool FVisible = false;
    platform::gdi::TRect FOwnerRect{};
    platform::gdi::TRect FWindowRect{};
};

} // namespace toolkit::bars
