#include "toolkit/base/cx_popup_window.h"

#include "toolkit/base/cx_controls_routines.h"

#include "platform/forms/screen.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/region_handles.h"
#include "platform/win/window.h"

#include <algorithm>
#include <array>

namespace toolkit::base {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;
using pg::TPoint;

// ---- TcxPopupWindow ----

TcxPopupWindow::TcxPopupWindow(pf::TControl*) : TForm(nullptr, pf::fsStayOnTop) {
    SetBorderStyle(pf::bsNone);
    FCanvas = std::make_unique<TcxCanvas>(&canvas_);
}

TcxPopupWindow::~TcxPopupWindow() = default;

void TcxPopupWindow::Popup() {
    InitPopup();
    CalculateSize();
    const TPoint P = CalculatePosition();
    SetBounds(P.X, P.Y, Width(), Height());
    TForm::Show();
    BringToFront();
}

void TcxPopupWindow::CloseUp() {
    Hide();
}

void TcxPopupWindow::InitPopup() {
    if (OwnerParent) Font().Assign(OwnerParent->Font());
}

int TcxPopupWindow::GetFrameWidth(TcxBorder) {
    switch (FrameStyle) {
    case pfFlat:
    case pfSingle3D:
        return 1;
    case pfDouble3D:
        return 2;
    default:
        return 0;
    }
}

int TcxPopupWindow::GetBorderWidth(TcxBorder Side) {
    return GetFrameWidth(Side) + BorderSpace;
}

TRect TcxPopupWindow::GetClientBounds() {
    TRect R = ClientRect();
    R.Left += GetBorderWidth(bLeft);
    R.Top += GetBorderWidth(bTop);
    R.Right -= GetBorderWidth(bRight);
    R.Bottom -= GetBorderWidth(bBottom);
    return R;
}

TRect TcxPopupWindow::GetOwnerScreenBounds() {
    if (!OwnerParent) return OwnerBounds;
    const TPoint TopLeft = OwnerParent->ClientToScreen({OwnerBounds.Left, OwnerBounds.Top});
    const TPoint BottomRight = OwnerParent->ClientToScreen({OwnerBounds.Right, OwnerBounds.Bottom});
    return {TopLeft.X, TopLeft.Y, BottomRight.X, BottomRight.Y};
}

void TcxPopupWindow::CalculateSize() {
    if (!AdjustableSize) return;
    const TPoint Offset{GetBorderWidth(bLeft), GetBorderWidth(bTop)};
    int MaxRight = 0;
    int MaxBottom = 0;
    for (int I = 0; I < ControlCount(); ++I) {
        pf::TControl* Child = Controls(I);
        // Measured where the child stands without the border, so a second popup neither moves it
        // again nor grows the form.
        const TRect R = Child->BoundsRect();
        MaxRight = std::max(MaxRight, R.Right - FChildOffset.X);
        MaxBottom = std::max(MaxBottom, R.Bottom - FChildOffset.Y);
        Child->SetBounds(R.Left - FChildOffset.X + Offset.X, R.Top - FChildOffset.Y + Offset.Y,
                         R.Width(), R.Height());
    }
    FChildOffset = Offset;
    if (MaxRight != 0 || ControlCount() > 0) {
        SetBounds(Left(), Top(), GetBorderWidth(bLeft) + MaxRight + GetBorderWidth(bRight),
                  GetBorderWidth(bTop) + MaxBottom + GetBorderWidth(bBottom));
    }
}

TPoint TcxPopupWindow::CalculatePosition() {
    const TRect O = GetOwnerScreenBounds();
    const int W = Width();
    const int H = Height();
    TPoint P{Left(), Top()};
    TPoint Reference = P;
    if (AlignHorz == phaCenter) P.X = Reference.X = (O.Left + O.Right - W) / 2;
    if (AlignVert == pvaCenter) P.Y = Reference.Y = (O.Top + O.Bottom - H) / 2;
    TcxPopupHorzAlign Horz = AlignHorz;
    TcxPopupVertAlign Vert = AlignVert;
    auto PlaceHorz = [&] {
        if (Horz == phaLeft) {
            P.X = Direction == psVertical ? O.Left : O.Left - W;
            Reference.X = O.Left;
        } else if (Horz == phaRight) {
            P.X = Direction == psVertical ? O.Right - W : O.Right;
            Reference.X = O.Right;
        }
    };
    auto PlaceVert = [&] {
        if (Vert == pvaTop) {
            P.Y = Direction == psVertical ? O.Top - H : O.Top;
            Reference.Y = O.Top;
        } else if (Vert == pvaBottom) {
            P.Y = Direction == psVertical ? O.Bottom : O.Bottom - H;
            Reference.Y = O.Bottom;
        }
    };
    PlaceHorz();
    PlaceVert();
    const TRect Work = cxGetWorkAreaFromPoint(Reference);
    if (Direction == psVertical) {
        const int Above = O.Top - Work.Top;
        const int Below = Work.Bottom - O.Bottom;
        if (Vert == pvaTop && P.Y < Work.Top && Above <= Below)
            Vert = pvaBottom;
        else if (Vert == pvaBottom && P.Y + H > Work.Bottom && Above > Below)
            Vert = pvaTop;
        PlaceVert();
    } else {
        const int LeftRoom = O.Left - Work.Left;
        const int RightRoom = Work.Right - O.Right;
        if (Horz == phaLeft && P.X < Work.Left && LeftRoom <= RightRoom)
            Horz = phaRight;
        else if (Horz == phaRight && P.X + W > Work.Right && LeftRoom > RightRoom)
            Horz = phaLeft;
        PlaceHorz();
    }
    if (Direction == psVertical || AlignHorz == phaCenter) {
        if (P.X + W > Work.Right) P.X = Work.Right - W;
        if (P.X < Work.Left) P.X = Work.Left;
    }
    if (Direction == psHorizontal || AlignVert == pvaCenter) {
        if (P.Y + H > Work.Bottom) P.Y = Work.Bottom - H;
        if (P.Y < Work.Top) P.Y = Work.Top;
    }
    return P;
}

void TcxPopupWindow::DrawFrame() {
    TRect R{0, 0, Width(), Height()};
    switch (FrameStyle) {
    case pfFlat:
        FCanvas->FrameRect(R, FrameColor, 1, cxBordersAll);
        break;
    case pfSingle3D:
        FCanvas->DrawEdge(R, false, false, cxBordersAll);
        break;
    case pfDouble3D:
        FCanvas->DrawEdge(R, false, true, cxBordersAll);
        R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
        FCanvas->DrawEdge(R, false, false, cxBordersAll);
        break;
    default:
        break;
    }
}

void TcxPopupWindow::Paint() {
    TForm::Paint();
    DrawFrame();
}

void TcxPopupWindow::Dispatch(pc::TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_ACTIVATE:
        TForm::Dispatch(Message);
        if ((Message.WParam & 0xFFFF) != pw::WA_INACTIVE) {
            // The window that opened the popup keeps an active-looking caption meanwhile.
            FPreviousActiveWindow = static_cast<pw::HWND>(Message.LParam);
            if (FPreviousActiveWindow != pw::NullHWnd && pc::IsWindow(FPreviousActiveWindow))
                pc::SendMessage(FPreviousActiveWindow, pw::WM_NCACTIVATE, 1, 0);
        } else {
            CloseUp();
        }
        return;
    case pw::WM_ACTIVATEAPP:
        TForm::Dispatch(Message);
        if (Message.WParam == 0) {
            if (FPreviousActiveWindow != pw::NullHWnd && pc::IsWindow(FPreviousActiveWindow))
                pc::SendMessage(FPreviousActiveWindow, pw::WM_NCACTIVATE, 0, 0);
            CloseUp();
        }
        return;
    case pf::CM_VISIBLECHANGED:
        TForm::Dispatch(Message);
        VisibleChanged();
        return;
    default:
        break;
    }
    TForm::Dispatch(Message);
}

// ---- TcxCustomDragImage ----

TcxCustomDragImage::TcxCustomDragImage(pf::TControl* AOwnerControl)
    : TcxPopupWindow(AOwnerControl) {
    SetBounds(0, 0, 0, 0);
}

void TcxCustomDragImage::CreateParams(TCreateParams& Params) {
    TcxPopupWindow::CreateParams(Params);
    if (AlphaBlend) Params.exStyle |= pw::WS_EX_LAYERED;
}

void TcxCustomDragImage::CreateWnd() {
    TcxPopupWindow::CreateWnd();
    // Where the desktop does not composite, the image is shown opaque.
    if (AlphaBlend) pw::SetLayeredWindowAttributes(handle_, 0, AlphaBlendValue, pw::LWA_ALPHA);
}

void TcxCustomDragImage::Show() {
    pw::ShowWindow(Handle(), pw::SW_SHOWNA);
    SetVisible(true);
    Update();
}

void TcxCustomDragImage::Dispatch(pc::TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case pw::WM_NCHITTEST:
        Message.Result = pw::HTTRANSPARENT;
        return;
    default:
        break;
    }
    TcxPopupWindow::Dispatch(Message);
}

// ---- TcxSizeFrame ----

TcxSizeFrame::TcxSizeFrame(int AFrameWidth)
    : TcxCustomDragImage(nullptr), FFrameWidth(AFrameWidth),
      FFrameRegion(TcxRegion::CreateEmpty()) {
    AlphaBlend = false;
}

void TcxSizeFrame::Paint() {
    // Alternating black and white pixels, as the platform's two-colour pattern brush draws.
    static const std::array<std::uint32_t, 4> Pixels{0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000};
    const pg::HBITMAP Bitmap = pg::CreateBitmap(2, 2, 1, 32, Pixels.data());
    const pg::HBRUSH Brush = pg::CreatePatternBrush(Bitmap);
    const TRect R = ClientRect();
    pg::FillRect(canvas_.Handle(), &R, Brush);
    pg::DeleteObject(Brush);
    pg::DeleteObject(Bitmap);
}

void TcxSizeFrame::DrawSizeFrame(const TRect& R) {
    FFrameRegion->Combine(TcxRegion::CreateRect({0, 0, R.Width(), R.Height()}), rgnSet);
    SetBounds(R.Left, R.Top, R.Width(), R.Height());
}

void TcxSizeFrame::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TcxCustomDragImage::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!HandleAllocated() || AWidth <= 2 * FFrameWidth || AHeight <= 2 * FFrameWidth) return;
    // From the current size each time: a frame cut from the last frame would only thin out.
    FFrameRegion->Combine(TcxRegion::CreateRect({0, 0, AWidth, AHeight}), rgnSet);
    TcxRegion Inner;
    Inner.Combine(*FFrameRegion, rgnSet);
    const std::array<TPoint, 4> Offsets{
        {{FFrameWidth, 0}, {0, FFrameWidth}, {-FFrameWidth, 0}, {0, -FFrameWidth}}};
    for (const TPoint& D : Offsets) {
        auto Shifted = TcxRegion::CreateEmpty();
        Shifted->Combine(Inner, rgnSet);
        Shifted->Offset(D.X, D.Y);
        Inner.Combine(std::move(Shifted), rgnIntersect);
    }
    FFrameRegion->Combine(Inner, rgnSubtract);
    auto Current = TcxRegion::CreateEmpty();
    const bool HasRegion = pw::GetWindowRgn(handle_, Current->Handle()) != 0;
    if (HasRegion && FFrameRegion->IsEqual(Current.get())) return;
    // The window owns the copy from here on.
    const pg::HRGN Copy = pg::CreateRectRgn(0, 0, 0, 0);
    pg::CombineRgn(Copy, FFrameRegion->Handle(), pg::HRGN{}, pg::RGN_COPY);
    pw::SetWindowRgn(handle_, Copy, 1);
}

} // namespace toolkit::base
