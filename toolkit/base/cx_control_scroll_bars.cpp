#include "toolkit/base/cx_control_scroll_bars.h"
#include "toolkit/base/cx_panning_mark.h"

#include "toolkit/base/cx_canvas.h"
#include "toolkit/base/cx_controls_unit.h"
#include "toolkit/base/cx_timer.h"
#include "toolkit/base/object_links.h"

#include "platform/forms/screen.h"
#include "platform/gdi/colors.h"
#include "platform/win/input_state.h"
#include "platform/win/panning_cursors.h"
#include "platform/win/window.h"

#include <algorithm>
#include <cstdlib>

namespace toolkit::base {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// ---- TcxControlScrollBar ----

TcxControlScrollBar::TcxControlScrollBar(pc::TComponent* AOwner) : TcxScrollBar(AOwner) {
    SetColor(pg::clBtnFace);
    TabStop = false;
    SetVisible(false);
}

void TcxControlScrollBar::ApplyData() {
    if (Data.Visible) {
        SetScrollParams(Data.Min, Data.Max, Data.Position, Data.PageSize);
        SmallChange = Data.SmallChange;
        LargeChange = Data.LargeChange;
    }
    SetEnabled(Data.Enabled);
    if (Visible() != Data.Visible) SetVisible(Data.Visible);
}

void TcxControlScrollBar::WndProc(pc::TMessage& Message) {
    auto Link = cxAddObjectLink(this);
    if (Message.Msg == pw::WM_LBUTTONDOWN) FocusParent();
    if (Link->Ref) TcxScrollBar::WndProc(Message);
}

void TcxControlScrollBar::FocusParent() {
    pf::TWinControl* P = Parent();
    if (!P) return;
    if (auto* Control = dynamic_cast<TcxControl*>(P)) {
        if (Control->FocusWhenChildIsClicked(this)) Control->SetFocus();
    } else if (P->CanFocus()) {
        P->SetFocus();
    }
}

// ---- TcxSizeGrip ----

TcxSizeGrip::TcxSizeGrip(pc::TComponent* AOwner)
    : pf::TCustomControl(AOwner), FLookAndFeel(std::make_unique<TcxLookAndFeel>(nullptr)) {
    SetColor(pg::clBtnFace);
    FLookAndFeel->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) { Invalidate(); };
}

TcxSizeGrip::~TcxSizeGrip() = default;

void TcxSizeGrip::WndProc(pc::TMessage& Message) {
    if (Message.Msg == pw::WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    pf::TCustomControl::WndProc(Message);
}

void TcxSizeGrip::Paint() {
    TcxCanvas Canvas(&canvas_);
    const TcxLookAndFeelPainterClass Painter = FLookAndFeel->GetPainter();
    Canvas.FillRect(ClientRect(), Painter ? Painter->DefaultSizeGripAreaColor() : pg::clBtnFace);
}

// ---- panning arithmetic ----

TcxPanningMotion cxPanningMotion(TPoint Start, TPoint P, bool HVisible, bool VVisible,
                                 bool LeftMark, const TRect& ScreenRect) {
    const int Half = cxPanningMarkSize / 2;
    TRect Dead{Start.X - Half, Start.Y - Half, Start.X - Half + cxPanningMarkSize,
               Start.Y - Half + cxPanningMarkSize};
    if (!HVisible) {
        Dead.Left = std::min(Dead.Left, ScreenRect.Left);
        Dead.Right = std::max(Dead.Right, ScreenRect.Right);
    }
    if (!VVisible) {
        Dead.Top = std::min(Dead.Top, ScreenRect.Top);
        Dead.Bottom = std::max(Dead.Bottom, ScreenRect.Bottom);
    }
    if (pg::PtInRect(Dead, P) || !LeftMark) return {};
    const int Dx = P.X - Start.X;
    const int Dy = P.Y - Start.Y;
    TcxPanningMotion Result;
    int Distance;
    if (HVisible && (!VVisible || std::abs(Dx) > std::abs(Dy))) {
        Result.Direction = Dx >= 0 ? dirRight : dirLeft;
        Distance = std::abs(Dx);
    } else {
        Result.Direction = Dy >= 0 ? dirDown : dirUp;
        Distance = std::abs(Dy);
    }
    Result.Speed = std::clamp((Distance - Half) / 5 + 1, 1, 12);
    return Result;
}

pf::TCursor cxPanningCursor(TcxDirection Direction, bool HVisible, bool VVisible) {
    static bool Registered = false;
    if (!Registered) {
        const pw::PanningCursor Kinds[] = {
            pw::PanningCursor::Full, pw::PanningCursor::Horizontal, pw::PanningCursor::Vertical,
            pw::PanningCursor::Up,   pw::PanningCursor::Right,      pw::PanningCursor::Down,
            pw::PanningCursor::Left};
        for (int I = 0; I < 7; ++I)
            pf::Screen().SetCursors(2101 + I, pw::LoadPanningCursor(Kinds[I]));
        Registered = true;
    }
    switch (Direction) {
    case dirLeft:
        return 2107;
    case dirRight:
        return 2105;
    case dirUp:
        return 2104;
    case dirDown:
        return 2106;
    default:
        return HVisible && VVisible ? 2101 : HVisible ? 2102 : 2103;
    }
}

// ---- TcxControl: creating and laying out the bars ----

void TcxControl::CreateScrollBars() {
    if (!HasScrollBars() || FHScrollBar) return;
    auto Route = [this](TcxControlScrollBar& Bar) {
        Bar.OnScroll = [this, &Bar](pc::TObject*, TScrollCode ScrollCode, int& ScrollPos) {
            Scroll(Bar.Kind(), ScrollCode, ScrollPos);
        };
        Bar.LookAndFeel().SetMasterLookAndFeel(&GetLookAndFeel());
    };
    FHScrollBar = std::make_unique<TcxControlScrollBar>(nullptr);
    FHScrollBar->SetKind(sbHorizontal);
    Route(*FHScrollBar);
    FVScrollBar = std::make_unique<TcxControlScrollBar>(nullptr);
    FVScrollBar->SetKind(sbVertical);
    Route(*FVScrollBar);
    FSizeGrip = std::make_unique<TcxSizeGrip>(nullptr);
    FSizeGrip->SetVisible(false);
    FSizeGrip->LookAndFeel().SetMasterLookAndFeel(&GetLookAndFeel());
    cxSettingsController().AddListener(this);
}

void TcxControl::DestroyScrollBars() {
    if (!FHScrollBar) return;
    cxSettingsController().RemoveListener(this);
    FSizeGrip.reset();
    FVScrollBar.reset();
    FHScrollBar.reset();
}

void TcxControl::SetScrollBarsParent() {
    if (!FHScrollBar) return;
    FHScrollBar->SetParent(this);
    FVScrollBar->SetParent(this);
    FSizeGrip->SetParent(this);
}

bool TcxControl::GetHScrollBarVisible() {
    if (!HasScrollBars() || !FHScrollBar) return false;
    return FCalculatingScrollBarsParams ? FHScrollBar->Data.Visible : FHScrollBar->Visible();
}

bool TcxControl::GetVScrollBarVisible() {
    if (!HasScrollBars() || !FVScrollBar) return false;
    return FCalculatingScrollBarsParams ? FVScrollBar->Data.Visible : FVScrollBar->Visible();
}

int TcxControl::GetHScrollBarHeight() {
    return FHScrollBar ? FHScrollBar->Height() : 0;
}

int TcxControl::GetVScrollBarWidth() {
    return FVScrollBar ? FVScrollBar->Width() : 0;
}

int TcxControl::GetScrollBarPosition(TcxScrollBarKind Kind) {
    TcxControlScrollBar* Bar = Kind == sbHorizontal ? FHScrollBar.get() : FVScrollBar.get();
    return Bar ? Bar->Position() : 0;
}

void TcxControl::SetScrollBarsBounds() {
    if (!FHScrollBar) return;
    if (FHScrollBar->Visible()) FHScrollBar->SetBoundsRect(GetHScrollBarBounds());
    if (FVScrollBar->Visible()) FVScrollBar->SetBoundsRect(GetVScrollBarBounds());
    if (FSizeGrip->Visible()) FSizeGrip->SetBoundsRect(GetSizeGripBounds());
}

void TcxControl::UpdateInternalControlsState() {
    if (!FHScrollBar) return;
    for (pf::TControl* Control : {static_cast<pf::TControl*>(FHScrollBar.get()),
                                  static_cast<pf::TControl*>(FVScrollBar.get()),
                                  static_cast<pf::TControl*>(FSizeGrip.get())})
        if (Control->Visible()) Control->Invalidate();
}

void TcxControl::ScrollBarMetricsChanged() {
    if (!FHScrollBar) return;
    FHScrollBar->SetHeight(pg::GetSystemMetrics(pg::SM_CYHSCROLL));
    FVScrollBar->SetWidth(pg::GetSystemMetrics(pg::SM_CXVSCROLL));
    BoundsChanged();
}

// ---- TcxControl: calculating the bars ----

void TcxControl::SetScrollBarInfo(TcxScrollBarKind Kind, int Min, int Max, int Step, int Page,
                                  int Pos, bool AllowShow, bool AllowHide) {
    TcxControlScrollBar* Bar = Kind == sbHorizontal ? FHScrollBar.get() : FVScrollBar.get();
    if (!Bar) return;
    TcxScrollBarData Data = Bar->Data;
    const bool Allowed =
        AllowShow && (Kind == sbHorizontal ? ScrollBars == ssHorizontal || ScrollBars == ssBoth
                                           : ScrollBars == ssVertical || ScrollBars == ssBoth);
    Data.AllowShow = Allowed;
    Data.AllowHide = AllowHide;
    if (Allowed && Min <= Max && Max - Min + 1 > Page && Pos >= Min) {
        Data.Min = Min;
        Data.Max = Max;
        Data.Position = Pos;
        Data.PageSize = Page;
        Data.SmallChange = static_cast<std::uint16_t>(Step);
        Data.LargeChange = static_cast<std::uint16_t>(Page);
        Data.Enabled = true;
        Data.Visible = true;
    } else if (Allowed) {
        if (AllowHide) {
            Data.Visible = false;
        } else {
            // Nothing to scroll, but the bar must stay: on screen, disabled.
            Data.Enabled = false;
            Data.Visible = true;
        }
    } else {
        Data.Visible = false;
    }
    Bar->Data = Data;
}

void TcxControl::CalculateScrollBars() {
    if (FCalculatingScrollBarsParams || !FHScrollBar) return;
    FCalculatingScrollBarsParams = true;
    struct TLeave {
        bool& Flag;
        ~TLeave() { Flag = false; }
    } Leave{FCalculatingScrollBarsParams};
    FHScrollBar->Data.Visible = false;
    FVScrollBar->Data.Visible = false;
    bool HVisible, VVisible;
    do {
        HVisible = GetHScrollBarVisible();
        VVisible = GetVScrollBarVisible();
        InitScrollBarsParameters();
    } while (HVisible != GetHScrollBarVisible() || VVisible != GetVScrollBarVisible());

    const TcxScrollBarData& H = FHScrollBar->Data;
    const TcxScrollBarData& V = FVScrollBar->Data;
    if (!(H.Visible && H.Enabled && H.AllowHide && V.Visible && V.Enabled && V.AllowHide)) return;
    const int VWidth = GetVScrollBarWidth();
    const int HHeight = GetHScrollBarHeight();
    // Each bar may be there only because the other took room: then neither is needed.
    const bool HMarked = IsPixelScrollBar(sbHorizontal) && H.PageSize + VWidth >= H.Max - H.Min + 1;
    const bool VMarked = IsPixelScrollBar(sbVertical) && V.PageSize + HHeight >= V.Max - V.Min + 1;
    if (!HMarked || !VMarked) return;
    const TcxScrollBarData HOld = H, VOld = V;
    SetScrollBarInfo(sbHorizontal, HOld.Min, HOld.Max, HOld.SmallChange, HOld.PageSize + VWidth,
                     HOld.Position, HOld.AllowShow, HOld.AllowHide);
    SetScrollBarInfo(sbVertical, VOld.Min, VOld.Max, VOld.SmallChange, VOld.PageSize + HHeight,
                     VOld.Position, VOld.AllowShow, VOld.AllowHide);
}

void TcxControl::UpdateScrollBars() {
    if (!HasScrollBars() || !FHScrollBar) return;
    if (FScrollBarsLockCount > 0) {
        FScrollBarsUpdateNeeded = true;
        return;
    }
    if (!FUpdatingScrollBars) {
        FSavedHVisible = FHScrollBar->Visible();
        FSavedVVisible = FVScrollBar->Visible();
    }
    const bool WasUpdating = FUpdatingScrollBars;
    FUpdatingScrollBars = true;
    auto Link = cxAddObjectLink(this);
    const bool PrevH = FHScrollBar->Visible();
    const bool PrevV = FVScrollBar->Visible();
    if (!FLooped) {
        CalculateScrollBars();
        FLooped = WasUpdating && FHScrollBar->Data.Visible == FSavedHVisible &&
                  FVScrollBar->Data.Visible == FSavedVVisible;
        if (!FLooped) {
            FHScrollBar->ApplyData();
            FVScrollBar->ApplyData();
        } else {
            // A nested update came back to where the outermost began: a bar that would go on
            // appearing and vanishing stays, disabled.
            for (auto [Bar, Saved] : {std::pair{FHScrollBar.get(), FSavedHVisible},
                                      std::pair{FVScrollBar.get(), FSavedVVisible}})
                if (Bar->Visible() != Saved) {
                    Bar->SetEnabled(false);
                    Bar->SetVisible(true);
                }
        }
    }
    if (!Link->Ref) return;
    if (FHScrollBar->Visible() == PrevH && FVScrollBar->Visible() == PrevV) {
        FSizeGrip->SetVisible(FHScrollBar->Visible() && FVScrollBar->Visible());
        SetScrollBarsBounds();
        if (KeepScrollBarsOnTop()) BringInternalControlsToFront();
    } else {
        BoundsChanged();
    }
    if (!Link->Ref) return;
    if (!WasUpdating) FLooped = false;
    FUpdatingScrollBars = WasUpdating;
}

void TcxControl::UnlockScrollBars() {
    if (FScrollBarsLockCount == 0 || --FScrollBarsLockCount > 0) return;
    if (FScrollBarsUpdateNeeded) {
        FScrollBarsUpdateNeeded = false;
        UpdateScrollBars();
    }
}

// ---- TcxControl: panning ----

void TcxControl::StartPanning() {
    const bool H = GetHScrollBarVisible();
    const bool V = GetVScrollBarVisible();
    if ((!H && !V) || !HandleAllocated()) return;
    FPanning = true;
    pw::GetCursorPos(&FPanStart);
    FPanLast = FPanStart;
    FPanLeftMark = false;
    FPanDirection = dirNone;
    FPanSpeed = 1;
    FPanTicks = 0;
    FPanMark = std::make_unique<TcxPanningMark>(handle_, FPanStart, H, V);
    pf::Screen().SetCursor(cxPanningCursor(dirNone, H, V));
    FPanTimer = std::make_unique<TcxTimer>(nullptr);
    FPanTimer->SetInterval(cxPanningInterval);
    FPanTimer->SetOnTimer([this](pc::TObject*) { PanningTimer(); });
    FPanTimer->SetEnabled(true);
    pw::SetCapture(handle_);
}

void TcxControl::StopPanning() {
    if (!FPanning) return;
    FPanning = false;
    FPanTimer.reset();
    FPanMark.reset();
    pf::Screen().SetCursor(pf::crDefault);
    if (HandleAllocated() && pw::GetCapture() == handle_) pw::ReleaseCapture();
}

void TcxControl::PanningTimer() {
    if (!HandleAllocated() || pw::GetCapture() != handle_) {
        StopPanning();
        return;
    }
    ++FPanTicks;
    if (FPanTicks % (13 - FPanSpeed) == 0) ScrollContent(FPanDirection);
}

bool TcxControl::PanningMessage(pc::TMessage& Message) {
    if (!FPanning) return false;
    const pc::UINT Msg = Message.Msg;
    switch (Msg) {
    case pw::WM_MOUSEMOVE: {
        const TPoint P = ClientToScreen(pw::LParamToPoint(Message.LParam));
        if (P != FPanLast) {
            const int Half = cxPanningMarkSize / 2;
            const TRect Mark{FPanStart.X - Half, FPanStart.Y - Half,
                             FPanStart.X - Half + cxPanningMarkSize,
                             FPanStart.Y - Half + cxPanningMarkSize};
            if (!pg::PtInRect(Mark, P)) FPanLeftMark = true;
            const bool H = GetHScrollBarVisible();
            const bool V = GetVScrollBarVisible();
            const TRect ScreenRect{0, 0, pf::Screen().Width(), pf::Screen().Height()};
            const TcxPanningMotion Motion =
                cxPanningMotion(FPanStart, P, H, V, FPanLeftMark, ScreenRect);
            FPanDirection = Motion.Direction;
            FPanSpeed = Motion.Speed;
            pf::Screen().SetCursor(cxPanningCursor(FPanDirection, H, V));
            FPanLast = P;
        }
        return false;
    }
    case pw::WM_MBUTTONUP:
        // A click without leaving the mark keeps panning on until the next click.
        if (FPanLeftMark) {
            auto Link = cxAddObjectLink(this);
            TCustomControl::WndProc(Message);
            if (Link->Ref) StopPanning();
            return true;
        }
        return false;
    case pw::WM_KEYDOWN:
    case pw::WM_KEYUP:
        if (Message.WParam == static_cast<pc::WPARAM>(pw::VK_ESCAPE)) {
            auto Link = cxAddObjectLink(this);
            TCustomControl::WndProc(Message);
            if (Link->Ref) StopPanning();
            return true;
        }
        return false;
    case pw::WM_CAPTURECHANGED:
        // Panning lasts as long as the control holds the mouse.
        if (static_cast<pc::HWND>(static_cast<std::uintptr_t>(Message.LParam)) != handle_)
            StopPanning();
        return false;
    case pw::WM_CANCELMODE:
        StopPanning();
        return false;
    default:
        // Any other press ends panning and goes nowhere.
        if (Msg >= pw::WM_LBUTTONDOWN && Msg <= pw::WM_MBUTTONDBLCLK) {
            StopPanning();
            return true;
        }
        return false;
    }
}

} // namespace toolkit::base
