#include "toolkit/bars/windows/dx_bar_shadow.h"

#include "toolkit/bars/model/dx_bar_unit.h"

#include "toolkit/base/core_routines.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/objects.h"
#include "platform/win/layered_windows.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

#include <algorithm>
#include <utility>

namespace toolkit::bars {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

using TRect = pg::TRect;

// --- Geometry ---

std::vector<TdxBarShadowStrip> dxBarShadowStrips(TRect O, TRect W, int S) {
    const bool NoOwner = pg::IsRectEmpty(O);
    const bool Vertical = NoOwner || O.Bottom == W.Top || O.Top == W.Bottom;
    // From here on O lies above or left of W: a menu opened upwards or leftwards casts the
    // outline of the mirrored case.
    if (!NoOwner && ((Vertical && O.Top == W.Bottom) || (!Vertical && O.Left == W.Right)))
        std::swap(O, W);
    std::vector<TdxBarShadowStrip> All;
    const auto Add = [&](TRect R, bool VerticalStrip, std::uint8_t Fades) {
        All.push_back({R, VerticalStrip, Fades});
    };
    if (Vertical) {
        if (!NoOwner) Add({O.Right, O.Top + S, O.Right + S, O.Bottom}, true, dxsfTop);
        Add({W.Left + S, W.Bottom, W.Right + S, W.Bottom + S}, false, dxsfStart | dxsfEnd);
        if (!NoOwner && O.Left + S < W.Left)
            Add({O.Left + S, O.Bottom, W.Left, O.Bottom + S}, false, dxsfStart);
        if (!NoOwner && W.Right < O.Right)
            Add({W.Right, O.Bottom, O.Right + S, O.Bottom + S}, false, dxsfEnd);
        if (NoOwner || O.Right < W.Right)
            Add({W.Right, W.Top + S, W.Right + S, W.Bottom}, true, dxsfTop);
        else
            // It carries on the owner's shadow.
            Add({W.Right, W.Top, W.Right + S, W.Bottom}, true, 0);
    } else {
        Add({W.Right, W.Top + S, W.Right + S, W.Bottom}, true, dxsfTop);
        if (O.Top + S < W.Top) Add({O.Right, O.Top + S, O.Right + S, W.Top}, true, dxsfTop);
        if (O.Bottom > W.Bottom) {
            Add({O.Left + S, O.Bottom, O.Right + S, O.Bottom + S}, false, dxsfStart | dxsfEnd);
            Add({O.Right, W.Bottom, O.Right + S, O.Bottom}, true, 0);
        } else {
            Add({O.Left + S, O.Bottom, O.Right, O.Bottom + S}, false, dxsfStart);
        }
        if (W.Bottom > O.Bottom)
            Add({W.Left + S, W.Bottom, W.Right + S, W.Bottom + S}, false, dxsfStart | dxsfEnd);
        else
            Add({W.Left, W.Bottom, W.Right + S, W.Bottom + S}, false, dxsfEnd);
    }
    std::vector<TdxBarShadowStrip> Result;
    for (const TdxBarShadowStrip& Strip : All) {
        const TRect& R = Strip.Bounds;
        if (pg::IsRectEmpty(R)) continue;
        // A faded strip needs room for its fade.
        if (Strip.Fades != 0 && (R.Width() < S || R.Height() < S)) continue;
        Result.push_back(Strip);
    }
    return Result;
}

std::uint8_t dxBarShadowAlpha(const TdxBarShadowStrip& Strip, int X, int Y, int S) {
    const int Width = Strip.Bounds.Width();
    const int Height = Strip.Bounds.Height();
    int Alpha = Strip.VerticalStrip ? (Width - X) * 15 : (Height - Y) * 15;
    // Distance a from the faded end, b across: inside the S x S square the alpha is scaled.
    const auto Fade = [&](int A, int B) {
        if (A >= 0 && A < S && B >= 0 && B < S) Alpha = toolkit::base::MulDiv(Alpha, A + 1, S + 1);
    };
    if (Strip.Fades & dxsfStart) Fade(X, Y);
    if (Strip.Fades & dxsfEnd) Fade(Width - 1 - X, Y);
    if (Strip.Fades & dxsfTop) Fade(Y, X);
    return static_cast<std::uint8_t>(std::clamp(Alpha, 0, 255));
}

// --- A part ---

TdxBarShadowPart::TdxBarShadowPart(TdxBarShadow& AShadow, const TdxBarShadowStrip& AStrip)
    : TCustomControl(nullptr), FShadow(AShadow), FStrip(AStrip) {
    SetVisible(false);
    SetColor(pg::clBtnShadow);
    const TRect& R = FStrip.Bounds;
    SetBounds(R.Left, R.Top, R.Width(), R.Height());
}

TdxBarShadowPart::~TdxBarShadowPart() {
    if (HandleAllocated()) DestroyHandle();
}

bool TdxBarShadowPart::Layered() const {
    return TdxBarShadow::UsesLayers();
}

void TdxBarShadowPart::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.className = "TdxBarShadowPart";
    Params.style = pw::WS_POPUP;
    Params.exStyle = pw::WS_EX_TOOLWINDOW;
    if (Layered()) Params.exStyle |= pw::WS_EX_LAYERED;
    pf::TWinControl& Owner = FShadow.Owner();
    if (Owner.HandleAllocated()) {
        Params.parent = Owner.Handle();
        if (pw::GetWindowLong(Owner.Handle(), pw::GWL_EXSTYLE) & pw::WS_EX_TOPMOST)
            Params.exStyle |= pw::WS_EX_TOPMOST;
    }
}

void TdxBarShadowPart::WndProc(pf::TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_NCHITTEST:
        Message.Result = pw::HTTRANSPARENT;
        return;
    case pw::WM_MOUSEACTIVATE:
        Message.Result = pw::MA_NOACTIVATE;
        return;
    case pw::WM_ERASEBKGND:
        Message.Result = 1;
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

void TdxBarShadowPart::Paint() {
    if (Layered()) return;
    const TRect R = ClientRect();
    pg::FillRect(canvas_.Handle(), &R, pg::GetSysColorBrush(pg::COLOR_BTNSHADOW));
}

void TdxBarShadowPart::SetLayeredContent() {
    const int Width = FStrip.Bounds.Width();
    const int Height = FStrip.Bounds.Height();
    pg::BITMAPINFO Info;
    Info.bmiHeader.biWidth = Width;
    Info.bmiHeader.biHeight = -Height;
    Info.bmiHeader.biBitCount = 32;
    void* Bits = nullptr;
    const pg::HBITMAP Image = pg::CreateDIBSection(pg::NullDC, &Info, pg::DIB_RGB_COLORS, &Bits);
    if (Image == pg::HBITMAP{} || Bits == nullptr) return;
    auto* Pixels = static_cast<std::uint32_t*>(Bits);
    const int S = TdxBarShadow::Size();
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X)
            Pixels[Y * Width + X] = std::uint32_t{dxBarShadowAlpha(FStrip, X, Y, S)} << 24;
    const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    const pg::HGDIOBJ Old = pg::SelectObject(DC, Image);
    const pg::TSize Size{Width, Height};
    const pw::TPoint Source{0, 0};
    const pw::BLENDFUNCTION Blend{pw::AC_SRC_OVER, 0, 255, pw::AC_SRC_ALPHA};
    pw::UpdateLayeredWindow(Handle(), pg::NullDC, nullptr, &Size, DC, &Source, 0, &Blend,
                            pw::ULW_ALPHA);
    pg::SelectObject(DC, Old);
    pg::DeleteDC(DC);
    pg::DeleteObject(Image);
}

void TdxBarShadowPart::ShowPart() {
    if (Layered()) SetLayeredContent();
    pf::TWinControl& Owner = FShadow.Owner();
    const pw::HWND After = Owner.HandleAllocated() ? Owner.Handle() : pw::HWND_TOP;
    pw::SetWindowPos(Handle(), After, 0, 0, 0, 0,
                     pw::SWP_NOSIZE | pw::SWP_NOMOVE | pw::SWP_NOACTIVATE | pw::SWP_SHOWWINDOW);
}

void TdxBarShadowPart::HidePart() {
    if (!HandleAllocated()) return;
    pw::ShowWindow(Handle(), pw::SW_HIDE);
    DestroyHandle();
}

// --- The shadow ---

TdxBarShadow::TdxBarShadow(pf::TWinControl& AOwner) : FOwner(AOwner) {}

TdxBarShadow::~TdxBarShadow() {
    FreeParts();
}

bool TdxBarShadow::UsesLayers() {
    return pw::IsLayeredAlphaComposited() && dxBarUnit().ScreenColorDepth() > 8;
}

int TdxBarShadow::Size() {
    return UsesLayers() ? 4 : 2;
}

void TdxBarShadow::FreeParts() {
    for (auto& Part : FParts)
        if (Part) {
            Part->HidePart();
            Part.reset();
        }
}

void TdxBarShadow::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    for (auto& Part : FParts)
        if (Part) {
            if (Value)
                Part->ShowPart();
            else
                Part->HidePart();
        }
}

void TdxBarShadow::Update(const TRect& AOwnerRect, const TRect& AWindowRect) {
    FOwnerRect = AOwnerRect;
    FWindowRect = AWindowRect;
    FVertical = pg::IsRectEmpty(FOwnerRect) || FOwnerRect.Bottom == FWindowRect.Top ||
                FOwnerRect.Top == FWindowRect.Bottom;
    FreeParts();
    std::size_t I = 0;
    for (const TdxBarShadowStrip& Strip : dxBarShadowStrips(FOwnerRect, FWindowRect, Size())) {
        FParts[I] = std::make_unique<TdxBarShadowPart>(*this, Strip);
        if (FVisible) FParts[I]->ShowPart();
        ++I;
    }
}

int TdxBarShadow::PartCount() const {
    int Count = 0;
    for (const auto& Part : FParts)
        if (Part) ++Count;
    return Count;
}

TdxBarShadowPart* TdxBarShadow::Parts(int I) const {
    for (const auto& Part : FParts)
        if (Part && I-- == 0) return Part.get();
    return nullptr;
}

} // namespace toolkit::bars
