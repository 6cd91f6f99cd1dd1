#pragma once
// The borderless, stay-on-top form the library pops up next to an owner control: it sizes itself
// around its children, opens above, below, left or right of the owner's bounds, flips to the side
// with more room when the work area is too small, keeps inside the work area across its
// direction, draws one of three frames and closes when it or the application loses activation.
// Its two dragging descendants: TcxCustomDragImage, a translucent image that never takes the
// activation or the mouse, and TcxSizeFrame, a hatched frame shaped by a window region.

#include "toolkit/base/cx_canvas.h"
#include "toolkit/base/cx_region.h"

#include "platform/forms/forms.h"

#include <memory>

namespace toolkit::base {

enum TcxPopupHorzAlign { phaLeft, phaCenter, phaRight };
enum TcxPopupVertAlign { pvaTop, pvaCenter, pvaBottom };
enum TcxPopupFrame { pfNone, pfFlat, pfSingle3D, pfDouble3D };
// psHorizontal: left or right of the owner; psVertical: above or below.
enum TcxPopupSide { psHorizontal, psVertical };

class TcxPopupWindow : public platform::forms::TForm {
public:
    // A form without owner; AOwnerControl is where it belongs on the screen, not who frees it.
    explicit TcxPopupWindow(platform::forms::TControl* AOwnerControl);
    ~TcxPopupWindow() override;

    bool AdjustableSize = true;
    TcxPopupHorzAlign AlignHorz = phaLeft;
    TcxPopupVertAlign AlignVert = pvaBottom;
    // Extra space inside the frame on every side.
    int BorderSpace = 0;
    TcxPopupFrame FrameStyle = pfNone;
    TcxPopupSide Direction = psVertical;
    platform::gdi::TColor FrameColor = platform::gdi::clWindowText;
    // In OwnerParent's client coordinates.
    platform::gdi::TRect OwnerBounds;
    platform::forms::TControl* OwnerParent = nullptr;
    platform::win::HWND PreviousActiveWindow() const { return FPreviousActiveWindow; }
    TcxCanvas& Canvas() { return *FCanvas; }

    // InitPopup, CalculateSize, CalculatePosition; then shown in front.
    virtual void Popup();
    virtual void CloseUp();

    virtual platform::gdi::TPoint CalculatePosition();
    // Sizes the form around its children, which sit inside the border widths. Their offset is
    // applied once: popping up again does not move them further.
    virtual void CalculateSize();
    virtual int GetBorderWidth(TcxBorder Side);
    virtual int GetFrameWidth(TcxBorder Side);
    virtual platform::gdi::TRect GetClientBounds();
    virtual platform::gdi::TRect GetOwnerScreenBounds();

    void Dispatch(platform::core::TMessage& Message) override;

protected:
    virtual void InitPopup();
    virtual void DrawFrame();
    virtual void VisibleChanged() {}
    void Paint() override;

private:
    std::unique_ptr<TcxCanvas> FCanvas;
    platform::win::HWND FPreviousActiveWindow{};
    // How far the children have been moved into the border.
    platform::gdi::TPoint FChildOffset{0, 0};
};

class TcxCustomDragImage : public TcxPopupWindow {
public:
    explicit TcxCustomDragImage(platform::forms::TControl* AOwnerControl);

    // Shown without taking the activation, and painted at once.
    void Show();
    void Dispatch(platform::core::TMessage& Message) override;

    // Translucency of the image (0..255); applied as the window is made.
    bool AlphaBlend = true;
    std::uint8_t AlphaBlendValue = 180;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
};

class TcxSizeFrame : public TcxCustomDragImage {
public:
    explicit TcxSizeFrame(int AFrameWidth);

    int FrameWidth() const { return FFrameWidth; }
    // The frame's window region now; empty before the first DrawSizeFrame.
    TcxRegion& FrameRegion() { return *FFrameRegion; }
    // Shows a frame of R's size at R (screen).
    void DrawSizeFrame(const platform::gdi::TRect& R);
    // The region is rebuilt from the new size each time, when both sides exceed twice the frame
    // width; a smaller frame keeps its shape.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Paint() override;

private:
    int FFrameWidth;
    std::unique_ptr<TcxRegion> FFrameRegion;
};

} // namespace toolkit::base
