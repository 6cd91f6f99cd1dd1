// The toolbar window's floating frame (border, caption, close button), its sizing by a border
// and its keeping on a screen, the press on a drag area that starts a drag, and the double click
// that docks or floats the bar.

#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_move.h"

#include "platform/forms/forms.h"
#include "platform/gdi/drawing.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/monitors.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>

namespace toolkit::bars {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {
// The hit codes the frame remembers: the drag area and the caption's close button.
constexpr int kHitDragArea = 2;
constexpr int kHitClose = 20;
// A floating bar's top edge never goes above this.
constexpr int kHighestTop = -15;
// The tracking sizes a floating bar keeps to, however its items measure.
constexpr int kMinTrackSize = 10;
constexpr int kMaxTrackSize = 30000;

bool IsSizingBorder(int Code) {
    return Code == pw::HTLEFT || Code == pw::HTRIGHT || Code == pw::HTTOP || Code == pw::HTBOTTOM;
}
} // namespace

bool TdxBarControl::Dragging() const {
    const TdxBarMoving* Moving = FBar->Collection()->Moving();
    return Moving && &Moving->Bar() == FBar;
}

pg::TPoint TdxBarControl::GetGrabOffset(TdxBarDockingStyle Style) const {
    return Dragging() ? FBar->Collection()->Moving()->GetGrabOffset(Style) : TPoint{};
}

// --- Geometry ---

pg::TRect TdxBarControl::GetCaptionRect() const {
    const int BW = Painter().GetFloatingBorderWidth();
    const int BH = Painter().GetFloatingBorderHeight();
    return {BW, BH, Width() - BW, BH + Painter().GetSmallCaptionHeight()};
}

pg::TRect TdxBarControl::GetCloseButtonRect() const {
    const TRect Caption = GetCaptionRect();
    TRect R{Caption.Right - Painter().GetSmallCaptionHeight(), Caption.Top, Caption.Right,
            Caption.Bottom};
    const TSize Glyph = Painter().GetCloseButtonSize();
    if (R.Width() > Glyph.cx) {
        R.Left += (R.Width() - Glyph.cx) / 2;
        R.Right = R.Left + Glyph.cx;
    }
    if (R.Height() > Glyph.cy) {
        R.Top += (R.Height() - Glyph.cy) / 2;
        R.Bottom = R.Top + Glyph.cy;
    }
    return R;
}

void TdxBarControl::SetCloseButtonState(int Value) {
    if (FCloseButtonState == Value) return;
    FCloseButtonState = Value;
    if (HandleAllocated() && DockingStyle() == dsNone) FloatingNCPaint();
}

void TdxBarControl::SetFloatingShown(bool Value) {
    if (!HandleAllocated() || DockingStyle() != dsNone) return;
    pw::ShowWindow(Handle(), Value ? pw::SW_SHOWNA : pw::SW_HIDE);
}

// --- Non-client area ---

void TdxBarControl::FloatingNCCalcSize(TMessage& Message) {
    auto* Params = reinterpret_cast<pw::NCCALCSIZE_PARAMS*>(Message.LParam);
    TRect& R = Params->rgrc[0];
    const TdxBarItemControlPainter& P = Painter();
    R.Left += P.GetFloatingBorderWidth() + P.GetFloatingCaptionIndent();
    R.Right -= P.GetFloatingBorderWidth() + P.GetFloatingCaptionIndent();
    R.Top += P.GetFloatingBorderHeight() + P.GetFloatingCaptionHeight() + P.GetFloatingTopMargin();
    R.Bottom -= P.GetFloatingBorderHeight() + P.GetFloatingBottomMargin();
    R.Right = std::max(R.Right, R.Left);
    R.Bottom = std::max(R.Bottom, R.Top);
    Message.Result = 0;
}

void TdxBarControl::FloatingNCHitTest(TMessage& Message) {
    const TPoint Screen = pw::LParamToPoint(Message.LParam);
    const TPoint Origin = WindowToScreen({0, 0});
    const TPoint W{Screen.X - Origin.X, Screen.Y - Origin.Y};
    const int BW = Painter().GetFloatingBorderWidth();
    const int BH = Painter().GetFloatingBorderHeight();
    FHitTestCode = 0;
    Message.Result = pw::HTCLIENT;
    // No diagonal sizing: a corner sizes by its nearer edge, the top and bottom first.
    int Border = 0;
    if (W.Y < BH)
        Border = pw::HTTOP;
    else if (W.Y >= Height() - BH)
        Border = pw::HTBOTTOM;
    else if (W.X < BW)
        Border = pw::HTLEFT;
    else if (W.X >= Width() - BW)
        Border = pw::HTRIGHT;
    if (Border != 0) {
        FHitTestCode = Border;
        Message.Result = Border;
        return;
    }
    if (pg::PtInRect(GetCaptionRect(), W)) {
        if (HasCaptionMark() && pg::PtInRect(GetMarkWindowRect(), W)) {
            FHitTestCode = pw::HTCLIENT;
            return;
        }
        if (FBar->CanClose() && pg::PtInRect(GetCloseButtonRect(), W)) {
            FHitTestCode = kHitClose;
            if (Painter().CloseButtonHitIsSystem()) Message.Result = kHitClose;
            return;
        }
        FHitTestCode = kHitDragArea;
        return;
    }
    const TPoint Client = ScreenToClient(Screen);
    const TdxBarItemControl* Control =
        pg::PtInRect(ClientRect(), Client) ? ItemAtPos(Client) : nullptr;
    FHitTestCode =
        Control && (Control->IsSelectable() || IsCustomizing()) ? pw::HTCLIENT : kHitDragArea;
}

void TdxBarControl::FloatingNCPaint() {
    if (!HandleAllocated()) return;
    const pg::HDC DC = pw::GetWindowDC(Handle());
    TdxBarControlState State = PaintedBar();
    const TRect Window{0, 0, Width(), Height()};
    const TPoint ClientOrigin = ClientToScreen({0, 0});
    const TPoint WindowOrigin = WindowToScreen({0, 0});
    const int CX = ClientOrigin.X - WindowOrigin.X;
    const int CY = ClientOrigin.Y - WindowOrigin.Y;
    const TRect Client{CX, CY, CX + ClientWidth(), CY + ClientHeight()};
    State.WindowRect = Window;
    State.Active = BarManager() && BarManager()->FormActive();
    State.OnDrawCloseButton = [this, &State](pg::HDC ADC, const TRect&) {
        Painter().DrawCloseButton(State, ADC, GetCloseButtonRect(), FCloseButtonState);
    };
    State.OnDrawMark = [this, &State](pg::HDC ADC) {
        Painter().DrawFloatingMark(State, ADC, State.MarkWindowRect);
    };
    const pg::HBRUSH Brush = GetBkBrush();
    Painter().DrawFloatingBarBorder(State, DC, Window, Brush);
    // The ring between the client area and the caption's insets takes the bar's background.
    const TdxBarItemControlPainter& P = Painter();
    const TRect Caption = GetCaptionRect();
    const TRect Outer{Client.Left - P.GetFloatingCaptionIndent(), Caption.Bottom,
                      Client.Right + P.GetFloatingCaptionIndent(),
                      Client.Bottom + P.GetFloatingBottomMargin()};
    for (const TRect& Part : {TRect{Outer.Left, Outer.Top, Outer.Right, Client.Top},
                              TRect{Outer.Left, Client.Bottom, Outer.Right, Outer.Bottom},
                              TRect{Outer.Left, Client.Top, Client.Left, Client.Bottom},
                              TRect{Client.Right, Client.Top, Outer.Right, Client.Bottom}})
        if (!pg::IsRectEmpty(Part)) pg::FillRect(DC, &Part, Brush);
    Painter().DrawFloatingCaption(State, DC, Caption, Brush);
    pw::ReleaseDC(Handle(), DC);
}

// --- Sizing and keeping on a screen ---

pg::TRect TdxBarControl::SizingRect(int HitCode, TRect R) {
    const int NCW = FBar->GetNonClientWidth(dsNone);
    const int NCH = FBar->GetNonClientHeight(dsNone);
    TSize Size;
    if (HitCode == pw::HTLEFT || HitCode == pw::HTRIGHT) {
        // The width decides; the wrapped items give the height.
        Size = GetSizeForDockingStyle(dsNone, std::max(R.Width() - NCW, 1));
    } else {
        // The height decides: the narrowest width whose lines fit in it.
        const int Wanted = R.Height() - NCH;
        const int Full = GetSizeForDockingStyle(dsNone, -1).cx;
        int Width = 1;
        for (; Width < Full; ++Width)
            if (GetSizeForDockingStyle(dsNone, Width).cy <= Wanted) break;
        Size = GetSizeForDockingStyle(dsNone, std::min(Width, Full));
    }
    const int W = std::clamp(Size.cx + NCW, kMinTrackSize, kMaxTrackSize);
    const int H = std::clamp(Size.cy + NCH, kMinTrackSize, kMaxTrackSize);
    switch (HitCode) {
    case pw::HTLEFT:
        R = {R.Right - W, R.Top, R.Right, R.Top + H};
        break;
    case pw::HTRIGHT:
        R = {R.Left, R.Top, R.Left + W, R.Top + H};
        break;
    case pw::HTTOP:
        R = {R.Left, R.Bottom - H, R.Left + W, R.Bottom};
        break;
    default:
        R = {R.Left, R.Top, R.Left + W, R.Top + H};
        break;
    }
    if (R.Top < kHighestTop) pg::OffsetRect(R, 0, kHighestTop - R.Top);
    return R;
}

void TdxBarControl::BeginResize(int HitCode, TPoint Cursor) {
    HideAll();
    FResizeCode = HitCode;
    FResizeStart = Cursor;
    FResizeRect = BoundsRect();
    pw::SetCapture(Handle());
}

void TdxBarControl::ResizeTo(TPoint Cursor) {
    const int DX = Cursor.X - FResizeStart.X;
    const int DY = Cursor.Y - FResizeStart.Y;
    TRect R = FResizeRect;
    switch (FResizeCode) {
    case pw::HTLEFT:
        R.Left = std::min(R.Left + DX, R.Right - kMinTrackSize);
        break;
    case pw::HTRIGHT:
        R.Right = std::max(R.Right + DX, R.Left + kMinTrackSize);
        break;
    case pw::HTTOP:
        R.Top = std::min(R.Top + DY, R.Bottom - kMinTrackSize);
        break;
    default:
        R.Bottom = std::max(R.Bottom + DY, R.Top + kMinTrackSize);
        break;
    }
    R = SizingRect(FResizeCode, R);
    SetBoundsRect(R);
    CalcItemRects();
    Invalidate();
}

void TdxBarControl::KeepOnScreen(pw::WINDOWPOS& Pos) const {
    if ((Pos.flags & pw::SWP_NOMOVE) && (Pos.flags & pw::SWP_NOSIZE)) return;
    const TRect R = pg::Bounds(Pos.x, Pos.y, Pos.cx, Pos.cy);
    if (pw::MonitorFromRect(R, pw::MONITOR_DEFAULTTONULL) != pw::HMONITOR{}) return;
    TPoint Cursor{};
    pw::GetCursorPos(&Cursor);
    pw::MONITORINFO Info{};
    if (!pw::GetMonitorInfo(pw::MonitorFromPoint(Cursor, pw::MONITOR_DEFAULTTONEAREST), &Info))
        return;
    const TRect& Work = Info.rcWork;
    if (R.Right <= Work.Left) Pos.x = Work.Left;
    if (R.Bottom <= Work.Top) Pos.y = Work.Top;
    if (R.Left >= Work.Right) Pos.x = Work.Right - Pos.cx;
    if (R.Top >= Work.Bottom) Pos.y = Work.Bottom - Pos.cy;
    Pos.flags &= ~pw::SWP_NOMOVE;
}

// --- The mouse on the frame ---

void TdxBarControl::BeginClosePress() {
    HideAll();
    if (!dxBarUnit().BarControlExists(this) || !HandleAllocated()) return;
    // The press is the user's return to the form (floating bars never take the activation).
    if (TdxBarManager* Manager = BarManager(); Manager && !Manager->HideFloatingBarsWhenInactive())
        if (pf::TCustomForm* Form = Manager->Form(); Form && Form->HandleAllocated())
            pw::SetActiveWindow(Form->Handle());
    if (!dxBarUnit().BarControlExists(this)) return;
    FClosePressed = true;
    SetCloseButtonState(2);
    pw::SetCapture(Handle());
}

void TdxBarControl::ToggleDocking() {
    TdxBarManager* Manager = BarManager();
    if (Manager == nullptr || Manager->IsDesigning()) return;
    if (DockingStyle() == dsNone) {
        const TdxBarDockingStyle Style =
            FBar->DockedDockingStyle == dsNone ? dsTop : FBar->DockedDockingStyle;
        TdxDockControl* Site = FBar->DockedDockControl()
                                   ? static_cast<TdxDockControl*>(FBar->DockedDockControl())
                                   : FBar->Collection()->DockControls(Style);
        if (Site == nullptr || !Manager->CanDocking(FBar, Style, Site)) return;
        TPoint At = Site->ClientToScreen({FBar->DockedLeft(), FBar->DockedTop()});
        if (!FBar->HasDockedPlace()) {
            // Its default docked place would push it above the site's rows (the main menu
            // among them): docked for the first time it opens a row after the last one.
            int From = 0;
            int To = 0;
            Site->GetRowBand(Site->RowCount(), 0, From, To);
            At = Site->ClientToScreen(Site->Horizontal() ? TPoint{0, From} : TPoint{From, 0});
        }
        FBar->MoveWindowTo(Style, Site, At);
    } else {
        if (!Manager->CanDocking(FBar, dsNone, nullptr)) return;
        FBar->MoveWindowTo(dsNone, nullptr, {FBar->FloatLeft(), FBar->FloatTop()});
    }
}

bool TdxBarControl::FrameMouseDown(TMessage& Message) {
    if (IgnoreNextButtonUp) return false;
    // The close button closes while customizing too, and on a designed form, whose designer
    // hears of it.
    if (FHitTestCode == kHitClose && DockingStyle() == dsNone) {
        BeginClosePress();
        return true;
    }
    if (IsCustomizing()) return false;
    if (FHitTestCode != kHitDragArea || !FBar->CanDock()) return false;
    const TPoint P = pw::LParamToPoint(Message.LParam);
    if (pg::PtInRect(ClientRect(), P))
        if (const TdxBarItemControl* Control = ItemAtPos(P); Control && Control->IsSelectable())
            return false;
    HideAll();
    FBar->Collection()->MoveBar(*FBar, ClientToScreen(P));
    return true;
}

bool TdxBarControl::FrameMessage(TMessage& Message) {
    const bool Floating = DockingStyle() == dsNone;
    switch (Message.Msg) {
    case pw::WM_NCCALCSIZE:
        if (!Floating) return false;
        FloatingNCCalcSize(Message);
        return true;
    case pw::WM_NCHITTEST:
        if (Floating) {
            FloatingNCHitTest(Message);
        } else {
            WMNCHitTest(Message);
            // The drag handle lies outside the client area: it is the drag area too.
            const TPoint P = ScreenToClient(pw::LParamToPoint(Message.LParam));
            if (FHitTestCode != pw::HTBOTTOMRIGHT && pg::PtInRect(GetDragHandleRect(), P)) {
                FHitTestCode = kHitDragArea;
                Message.Result = pw::HTCLIENT;
            }
        }
        return true;
    case pw::WM_NCPAINT:
        if (!Floating) return false;
        FloatingNCPaint();
        return true;
    case pw::WM_WINDOWPOSCHANGING:
        if (Floating && Message.LParam)
            KeepOnScreen(*reinterpret_cast<pw::WINDOWPOS*>(Message.LParam));
        return false;
    case pw::WM_NCLBUTTONDOWN:
        // A painter whose close button is the system's answers its hit as the close code.
        if (Floating && Message.WParam == kHitClose && FBar->CanClose()) {
            BeginClosePress();
            return true;
        }
        if (!Floating || !IsSizingBorder(static_cast<int>(Message.WParam))) return false;
        BeginResize(static_cast<int>(Message.WParam), pw::LParamToPoint(Message.LParam));
        return true;
    case pw::WM_LBUTTONDBLCLK:
        if (FHitTestCode != kHitDragArea || IsCustomizing()) return false;
        // The window may go with the move: nothing of it is touched after.
        ToggleDocking();
        return true;
    case pw::WM_LBUTTONDOWN:
        return FrameMouseDown(Message);
    case pw::WM_MOUSEMOVE: {
        const TPoint Screen = ClientToScreen(pw::LParamToPoint(Message.LParam));
        if (FResizeCode != 0) {
            ResizeTo(Screen);
            return true;
        }
        if (FClosePressed) {
            const TPoint Origin = WindowToScreen({0, 0});
            const TPoint W{Screen.X - Origin.X, Screen.Y - Origin.Y};
            SetCloseButtonState(pg::PtInRect(GetCloseButtonRect(), W) ? 2 : 1);
            return true;
        }
        if (Floating && FBar->CanClose()) SetCloseButtonState(FHitTestCode == kHitClose ? 1 : 0);
        return false;
    }
    case pw::WM_LBUTTONUP:
        if (FResizeCode != 0) {
            FResizeCode = 0;
            pw::ReleaseCapture();
            return true;
        }
        if (FClosePressed) {
            const bool Pressed = FCloseButtonState == 2;
            FClosePressed = false;
            pw::ReleaseCapture();
            SetCloseButtonState(0);
            // Hiding frees this window: nothing of it is touched after.
            if (Pressed) {
                TdxBar* Closed = FBar;
                TdxBarManager* Manager = BarManager();
                Closed->SetVisible(false);
                if (Manager) {
                    Manager->DesignerModified();
                    Manager->DoBarClose(Closed);
                }
            }
            return true;
        }
        return false;
    case pw::WM_CAPTURECHANGED:
        if (FResizeCode != 0 || FClosePressed) {
            FResizeCode = 0;
            FClosePressed = false;
            SetCloseButtonState(0);
        }
        return false;
    case pw::WM_MOUSELEAVE:
        if (!FClosePressed) SetCloseButtonState(0);
        return false;
    default:
        return false;
    }
}

} // namespace toolkit::bars
