#include "toolkit/edit/cx_custom_edit_popup_window.h"

#include "toolkit/edit/desktop_composition.h"

#include "toolkit/base/cx_controls_routines.h"
#include "toolkit/base/cx_geometry.h"
#include "toolkit/base/cx_lf_painter.h"
#include "toolkit/base/look_and_feel_painter_lookup.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/frame_controls.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"

#include <algorithm>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;
namespace tb = toolkit::base;

namespace {

constexpr int ShadowWidth = 3;
constexpr int BorderWidths[] = {0, 2, 2, 1};
constexpr int FrameWidths[] = {0, 1, 4, 2};
constexpr pf::TCursor SizingCursors[] = {pf::crSizeNWSE, pf::crSizeWE,  pf::crSizeNESW,
                                         pf::crSizeNS,   pf::crDefault, pf::crSizeNS,
                                         pf::crSizeNESW, pf::crSizeWE,  pf::crSizeNWSE};

bool GripOnLeft(TcxEditPopupGripCorner C) {
    return C == gcTopLeft || C == gcBottomLeft;
}
bool GripOnTop(TcxEditPopupGripCorner C) {
    return C == gcTopLeft || C == gcTopRight;
}

int SysPanelMetric() {
    return std::max(pg::GetSystemMetrics(pg::SM_CYHSCROLL), pg::GetSystemMetrics(pg::SM_CYSIZE));
}

} // namespace

// ---- view info ----

int TcxCustomEditPopupWindowViewInfo::GetBorderWidth() const {
    if (BorderStyle == epbsDefault) return 0;
    if (NativeStyle || Painter) return 2;
    return BorderWidths[BorderStyle];
}

int TcxCustomEditPopupWindowViewInfo::GetFrameWidth() {
    int W = 0;
    const bool Handled = OnCustomDrawBorder && FCustomBorderWidth >= 0;
    if (Handled) W = FCustomBorderWidth;
    if (!Handled) W = NativeStyle || Painter ? 1 : FrameWidths[BorderStyle];
    if (ClientEdge) W += GetBorderWidth();
    return W;
}

TRect TcxCustomEditPopupWindowViewInfo::GetClientExtents() {
    const int F = GetFrameWidth();
    TRect E{F, F, F, F};
    if (Shadow) {
        E.Right += ShadowWidth;
        E.Bottom += ShadowWidth;
    }
    if (HasSysPanel()) {
        const int H =
            SysPanelHeight + (NativeStyle || Painter || BorderStyle == epbsSingle ? 1 : 0);
        if (GripOnTop(GripCorner))
            E.Top += H;
        else
            E.Bottom += H;
    }
    return E;
}

void TcxCustomEditPopupWindowViewInfo::Calculate() {
    SysPanelHeight = SysPanelMetric();
    SizingRegionWidth = SysPanelMetric();
    BorderWidth = GetBorderWidth();
    FrameRect = Bounds;
    if (Shadow) {
        FrameRect.Right -= ShadowWidth;
        FrameRect.Bottom -= ShadowWidth;
    }
    const int F = GetFrameWidth();
    TRect Inside{FrameRect.Left + F, FrameRect.Top + F, FrameRect.Right - F, FrameRect.Bottom - F};
    PanelRect = {};
    ClientRect = Inside;
    if (HasSysPanel()) {
        const int H =
            SysPanelHeight + (NativeStyle || Painter || BorderStyle == epbsSingle ? 1 : 0);
        if (GripOnTop(GripCorner)) {
            PanelRect = {Inside.Left, Inside.Top, Inside.Right, Inside.Top + SysPanelHeight};
            ClientRect.Top += H;
        } else {
            PanelRect = {Inside.Left, Inside.Bottom - SysPanelHeight, Inside.Right, Inside.Bottom};
            ClientRect.Bottom -= H;
        }
    }
    InnerRect = ClientRect;
    GripRect = {};
    if (Sizeable) {
        const int S = std::max(SysPanelHeight - 2, 0);
        const int L = GripOnLeft(GripCorner) ? Inside.Left + 2 : Inside.Right - 2 - S;
        const int T = GripOnTop(GripCorner) ? Inside.Top + 2 : Inside.Bottom - 2 - S;
        GripRect = {L, T, L + S, T + S};
    }
    CloseButtonRect = {};
    if (CloseButton && HasSysPanel()) {
        const int S = std::max(SysPanelHeight - 4, 0);
        // On the side away from the grip, 3 pixels in; 2 pixels from the panel's outer edge.
        const int L = GripOnLeft(GripCorner) ? PanelRect.Right - 3 - S : PanelRect.Left + 3;
        const int T = GripOnTop(GripCorner) ? PanelRect.Top + 2 : PanelRect.Bottom - 2 - S;
        CloseButtonRect = {L, T, L + S, T + S};
    }
}

void TcxCustomEditPopupWindowViewInfo::DrawBorder(TcxCanvas& Canvas, TRect R) {
    if (OnCustomDrawBorder) {
        int W = 0;
        bool Handled = false;
        OnCustomDrawBorder(nullptr, Canvas, R, W, Handled);
        FCustomBorderWidth = Handled ? W : -1;
        if (Handled) return;
    }
    if (Painter) {
        Canvas.FrameRect(R, Painter->DefaultEditorBorderColor());
        return;
    }
    // Without the desktop's themes a native-styled popup looks as a single-framed one.
    const TcxEditPopupBorderStyle Style = NativeStyle ? epbsSingle : BorderStyle;
    switch (Style) {
    case epbsSingle:
        Canvas.FrameRect(R, pg::clBtnText);
        break;
    case epbsFrame3D:
        Canvas.DrawEdge(R, false, true);
        R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
        Canvas.DrawEdge(R, false, false);
        R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
        Canvas.FrameRect(R, ClientEdge ? pg::clInactiveBorder : pg::clBtnFace);
        R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
        if (ClientEdge) {
            Canvas.DrawEdge(R, true, true);
            R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
            Canvas.DrawEdge(R, true, false);
        } else {
            Canvas.FrameRect(R, pg::clBtnFace);
        }
        break;
    case epbsFlat:
        Canvas.DrawComplexFrame(R, pg::clBtnShadow, pg::clBtnShadow);
        R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
        Canvas.FrameRect(R, pg::clBtnFace);
        break;
    case epbsDefault:
        break;
    }
}

void TcxCustomEditPopupWindowViewInfo::DrawSizeGrip(TcxCanvas& Canvas) {
    if (tb::cxRectIsEmpty(GripRect)) return;
    const int W = GripRect.Width();
    const int H = GripRect.Height();
    // The system grip points its ridges into the bottom-right corner: drawn aside, then copied
    // mirrored so that they point into the grip's corner.
    const pg::HDC Memory = pg::CreateCompatibleDC(Canvas.Handle());
    const pg::HBITMAP Bitmap = pg::CreateCompatibleBitmap(Canvas.Handle(), W, H);
    const pg::HGDIOBJ Old = pg::SelectObject(Memory, Bitmap);
    TRect R{0, 0, W, H};
    pg::DrawFrameControl(Memory, &R, pg::DFC_SCROLL, pg::DFCS_SCROLLSIZEGRIP);
    const bool MirrorX = GripOnLeft(GripCorner);
    const bool MirrorY = GripOnTop(GripCorner);
    pg::StretchBlt(Canvas.Handle(), MirrorX ? GripRect.Right - 1 : GripRect.Left,
                   MirrorY ? GripRect.Bottom - 1 : GripRect.Top, MirrorX ? -W : W, MirrorY ? -H : H,
                   Memory, 0, 0, W, H, pg::SRCCOPY);
    pg::SelectObject(Memory, Old);
    pg::DeleteObject(Bitmap);
    pg::DeleteDC(Memory);
}

void TcxCustomEditPopupWindowViewInfo::DrawCloseButton(TcxCanvas& Canvas) {
    if (tb::cxRectIsEmpty(CloseButtonRect)) return;
    const auto& Lookup = tb::cxLookAndFeelPainterLookup();
    const tb::TcxLookAndFeelPainterClass P =
        Painter ? Painter
                : (Lookup.PainterByKind ? Lookup.PainterByKind(LookAndFeelKind) : nullptr);
    const tb::TcxButtonState States[] = {tb::cxbsNormal, tb::cxbsNormal, tb::cxbsHot,
                                         tb::cxbsPressed};
    if (P) {
        P->DrawPanelCloseButton(Canvas, CloseButtonRect,
                                States[std::clamp(CloseButtonState, 0, 3)]);
        return;
    }
    // No painters installed: a raised face and a cross.
    Canvas.FillRect(CloseButtonRect, pg::clBtnFace);
    Canvas.DrawEdge(CloseButtonRect, CloseButtonState == 3, true);
    const TRect& B = CloseButtonRect;
    Canvas.SetBrushColor(pg::clBtnText);
    for (int I = 3; I < B.Width() - 3; ++I) {
        Canvas.FillRect({B.Left + I, B.Top + I, B.Left + I + 1, B.Top + I + 1}, pg::clBtnText);
        Canvas.FillRect({B.Right - 1 - I, B.Top + I, B.Right - I, B.Top + I + 1}, pg::clBtnText);
    }
}

void TcxCustomEditPopupWindowViewInfo::InternalPaint(TcxCanvas& Canvas) {
    if (Shadow) DrawContainerShadow(Canvas, FrameRect);
    DrawBorder(Canvas, FrameRect);
    const int F = GetFrameWidth();
    const TRect Inside{FrameRect.Left + F, FrameRect.Top + F, FrameRect.Right - F,
                       FrameRect.Bottom - F};
    if (HasSysPanel()) {
        Canvas.FillRect(PanelRect, pg::clBtnFace);
        // The separator between the panel and the client area.
        const int Y = GripOnTop(GripCorner) ? PanelRect.Bottom : PanelRect.Top - 1;
        if (ClientRect.Top != PanelRect.Bottom || GripOnTop(GripCorner) == false)
            Canvas.FillRect({Inside.Left, Y, Inside.Right, Y + 1}, pg::clBtnShadow);
        DrawCloseButton(Canvas);
    }
    if (Sizeable) DrawSizeGrip(Canvas);
    Canvas.FillRect(ClientRect, pg::clBtnFace);
}

// ---- window ----

TcxCustomEditPopupWindow::TcxCustomEditPopupWindow(TcxCustomEdit* AOwnerControl)
    : TcxCustomPopupWindow(AOwnerControl) {
    EditViewInfo().CloseButtonState = 1;
}

TcxCustomEditPopupWindow::~TcxCustomEditPopupWindow() {
    FSizeFrame.reset();
}

TcxContainerViewInfoClass TcxCustomEditPopupWindow::GetViewInfoClass() {
    return [] { return std::make_unique<TcxCustomEditPopupWindowViewInfo>(); };
}

TcxCustomEditPopupWindowViewInfo& TcxCustomEditPopupWindow::EditViewInfo() {
    return static_cast<TcxCustomEditPopupWindowViewInfo&>(ViewInfo());
}

IcxEditPopupWindowOwner* TcxCustomEditPopupWindow::Edit() const {
    return dynamic_cast<IcxEditPopupWindowOwner*>(OwnerControl());
}

void TcxCustomEditPopupWindow::CalculateViewInfo() {
    TcxCustomEditPopupWindowViewInfo& V = EditViewInfo();
    V.BorderStyle = BorderStyle;
    V.ClientEdge = ClientEdge;
    V.CloseButton = CloseButton;
    V.NativeStyle = NativeStyle;
    V.Shadow = Shadow;
    V.Sizeable = Sizeable;
    V.SysPanelStyle = SysPanelStyle;
    // The style's look-and-feel follows the editor's popup look-and-feel.
    V.LookAndFeelKind = Style().LookAndFeel().GetKind();
    V.Painter = Style().LookAndFeel().SkinPainter();
    V.Bounds = {0, 0, Width(), Height()};
    V.Calculate();
}

void TcxCustomEditPopupWindow::StyleChanged() {
    if (HandleAllocated()) Invalidate();
}

void TcxCustomEditPopupWindow::AdjustClientRect(TRect& Rect) {
    // Aligned children fill the client area inside the frame and the system panel.
    Rect = GetClientBounds();
}

TRect TcxCustomEditPopupWindow::GetClientBounds() {
    CalculateViewInfo();
    return EditViewInfo().ClientRect;
}

TSize TcxCustomEditPopupWindow::GetMinSize() {
    CalculateViewInfo();
    TcxCustomEditPopupWindowViewInfo& V = EditViewInfo();
    const TRect E = V.GetClientExtents();
    TSize S{E.Left + E.Right, E.Top + E.Bottom};
    if (Sizeable && V.HasSysPanel()) {
        const int Panel = std::max(V.SysPanelHeight - 4, 0) + std::max(V.SysPanelHeight - 2, 0);
        S.cx += (CloseButton ? Panel : std::max(V.SysPanelHeight - 2, 0)) + 10;
    }
    return S;
}

void TcxCustomEditPopupWindow::CalculateSize() {
    EditViewInfo().GripCorner = gcBottomRight;
    if (IcxEditPopupWindowOwner* E = Edit()) {
        OwnerBounds = E->GetPopupOwnerBounds();
        OwnerParent = OwnerControl()->Parent();
    }
    CalculateViewInfo();
    const TRect Extents = EditViewInfo().GetClientExtents();
    const TSize Min = GetMinSize();
    const TSize Client = GetClientPreferredSize();
    int W = AutoSize ? Client.cx + Extents.Left + Extents.Right
                     : (PreferredWidth != 0 ? PreferredWidth : OwnerBounds.Width());
    if (Sizeable) W = std::max(W, MinWidth);
    W = std::max(W, Min.cx);
    int H = AutoSize ? Client.cy + Extents.Top + Extents.Bottom
                     : (PreferredHeight != 0 ? PreferredHeight : std::max(MinHeight, Min.cy));
    if (Sizeable) H = std::max(H, MinHeight);
    H = std::max(H, Min.cy);
    SetBounds(Left(), Top(), W, H);
}

TPoint TcxCustomEditPopupWindow::CalculatePosition() {
    TPoint P = TcxCustomPopupWindow::CalculatePosition();
    const TRect O = GetOwnerScreenBounds();
    const TRect Work = tb::cxGetWorkAreaFromPoint(P);
    const TRect R{P.X, P.Y, P.X + Width(), P.Y + Height()};
    const bool ExtendsLeft =
        (AlignHorz == tb::phaRight && R.Right == O.Right && R.Left > Work.Left) ||
        R.Right == O.Left || (R.Right == Work.Right && R.Left < O.Right);
    const bool Above = (AlignVert == tb::pvaBottom && Direction == tb::psHorizontal &&
                        R.Bottom == O.Bottom && R.Top > Work.Top) ||
                       R.Bottom == O.Top || (R.Bottom == Work.Bottom && R.Top < O.Bottom);
    TcxEditPopupGripCorner Corner;
    if (Above)
        Corner = ExtendsLeft ? gcTopLeft : gcTopRight;
    else
        Corner = ExtendsLeft ? gcBottomLeft : gcBottomRight;
    if (Above && Shadow) P.Y += ShadowWidth;
    if (Corner != EditViewInfo().GripCorner) {
        EditViewInfo().GripCorner = Corner;
        CalculateViewInfo();
        AlignControls();
    }
    return P;
}

TSize TcxCustomEditPopupWindow::GetMaxClientSize() {
    const TRect O = GetOwnerScreenBounds();
    const TRect Work = tb::cxGetWorkAreaFromPoint({O.Left, O.Top});
    const TRect E = EditViewInfo().GetClientExtents();
    TSize S;
    if (Direction == tb::psVertical) {
        S.cx = Work.Width();
        S.cy = std::max(Work.Bottom - O.Bottom, O.Top - Work.Top) + (Shadow ? ShadowWidth : 0);
    } else {
        S.cx = std::max(Work.Right - O.Right, O.Left - Work.Left) + 1;
        S.cy = Work.Height();
    }
    return {S.cx - E.Left - E.Right, S.cy - E.Top - E.Bottom};
}

bool TcxCustomEditPopupWindow::CanResize(int& NewWidth, int& NewHeight) {
    if (!Sizeable || IsLayoutLocked) return false;
    const TSize Min = GetMinSize();
    NewWidth = std::max({NewWidth, MinWidth, Min.cx});
    NewHeight = std::max({NewHeight, MinHeight, Min.cy});
    return true;
}

bool TcxCustomEditPopupWindow::GetSizingDirection(TPoint P, int& DX, int& DY) {
    DX = DY = 0;
    if (!Sizeable || P.X < 0 || P.Y < 0 || P.X >= Width() || P.Y >= Height()) return false;
    const TcxCustomEditPopupWindowViewInfo& V = EditViewInfo();
    const TcxEditPopupGripCorner C = V.GripCorner;
    if (pg::PtInRect(V.GripRect, P)) {
        DX = GripOnLeft(C) ? -1 : 1;
        DY = GripOnTop(C) ? -1 : 1;
        return true;
    }
    if (pg::PtInRect(V.ClientRect, P)) return false;
    const int W = V.SizingRegionWidth;
    if (GripOnLeft(C) ? P.X < W : P.X >= V.FrameRect.Right - W) DX = GripOnLeft(C) ? -1 : 1;
    if (GripOnTop(C) ? P.Y < W : P.Y >= V.FrameRect.Bottom - W) DY = GripOnTop(C) ? -1 : 1;
    return DX != 0 || DY != 0;
}

void TcxCustomEditPopupWindow::SetCloseButtonState(int Value) {
    if (EditViewInfo().CloseButtonState == Value) return;
    EditViewInfo().CloseButtonState = Value;
    Invalidate();
}

void TcxCustomEditPopupWindow::MouseDown(pf::TMouseButton Button, TShiftState Shift, int X, int Y) {
    TcxCustomPopupWindow::MouseDown(Button, Shift, X, Y);
    if (Button != pf::mbLeft) return;
    if (pg::PtInRect(EditViewInfo().CloseButtonRect, {X, Y})) {
        SetCloseButtonState(3);
        return;
    }
    int DX = 0, DY = 0;
    if (!GetSizingDirection({X, Y}, DX, DY)) return;
    FDX = DX;
    FDY = DY;
    const TPoint Screen = ClientToScreen({X, Y});
    const TRect B = BoundsRect();
    FCapturePointOffset = {Screen.X - (DX < 0 ? B.Left : B.Right),
                           Screen.Y - (DY < 0 ? B.Top : B.Bottom)};
    FSizingRect = B;
    FSizingState = true;
    pw::SetCapture(Handle());
    SetCursor(SizingCursors[3 * DX + DY + 4]);
    FSizeFrame = std::make_unique<tb::TcxSizeFrame>(std::max(EditViewInfo().GetBorderWidth(), 2));
    FSizeFrame->DrawSizeFrame(B);
}

void TcxCustomEditPopupWindow::MouseMove(TShiftState Shift, int X, int Y) {
    TcxCustomPopupWindow::MouseMove(Shift, X, Y);
    if (!FSizingState) {
        const bool OnClose = pg::PtInRect(EditViewInfo().CloseButtonRect, {X, Y});
        const int State = EditViewInfo().CloseButtonState;
        if (!OnClose && State != 1)
            SetCloseButtonState(1);
        else if (OnClose && State == 1 && !(Shift & pf::ssLeft))
            SetCloseButtonState(2);
        int DX = 0, DY = 0;
        GetSizingDirection({X, Y}, DX, DY);
        SetCursor(SizingCursors[3 * DX + DY + 4]);
        return;
    }
    const TPoint Screen = ClientToScreen({X, Y});
    const TRect B = BoundsRect();
    TRect R = FSizingRect;
    int W = B.Width();
    int H = B.Height();
    if (FDX > 0) W = Screen.X - FCapturePointOffset.X - B.Left;
    if (FDX < 0) W = B.Right - (Screen.X - FCapturePointOffset.X);
    if (FDY > 0) H = Screen.Y - FCapturePointOffset.Y - B.Top;
    if (FDY < 0) H = B.Bottom - (Screen.Y - FCapturePointOffset.Y);
    if (!CanResize(W, H)) return;
    // The corner away from the grip stays.
    R = FDX < 0 ? TRect{B.Right - W, 0, B.Right, 0} : TRect{B.Left, 0, B.Left + W, 0};
    if (FDY < 0) {
        R.Top = B.Bottom - H;
        R.Bottom = B.Bottom;
    } else {
        R.Top = B.Top;
        R.Bottom = B.Top + H;
    }
    // At least one pixel stays over the editor.
    const TRect O = GetOwnerScreenBounds();
    if (R.Right <= O.Left) R.Right = O.Left + 1;
    if (R.Left >= O.Right) R.Left = O.Right - 1;
    const TRect Work = tb::cxGetWorkAreaFromPoint(Screen);
    R = {std::max(R.Left, Work.Left), std::max(R.Top, Work.Top), std::min(R.Right, Work.Right),
         std::min(R.Bottom, Work.Bottom)};
    if (R == FSizingRect) return;
    FSizingRect = R;
    if (IcxEditPopupWindowOwner* E = Edit()) E->PopupWindowSized();
    if (FSizeFrame) FSizeFrame->DrawSizeFrame(R);
}

void TcxCustomEditPopupWindow::MouseUp(pf::TMouseButton Button, TShiftState Shift, int X, int Y) {
    TcxCustomPopupWindow::MouseUp(Button, Shift, X, Y);
    if (FSizingState) {
        pw::ReleaseCapture();
        EndSizing();
        SetBounds(FSizingRect.Left, FSizingRect.Top, FSizingRect.Width(), FSizingRect.Height());
        CalculateViewInfo();
        AlignControls();
        Invalidate();
        return;
    }
    if (EditViewInfo().CloseButtonState != 3) return;
    if (pg::PtInRect(EditViewInfo().CloseButtonRect, {X, Y})) {
        if (IcxEditPopupWindowOwner* E = Edit())
            E->PopupCloseUp(CloseReasonNone);
        else
            CloseUp();
        SetCloseButtonState(2);
    } else {
        SetCloseButtonState(1);
    }
}

void TcxCustomEditPopupWindow::EndSizing() {
    FSizingState = false;
    FSizeFrame.reset();
    SetCursor(pf::crDefault);
}

void TcxCustomEditPopupWindow::Resize() {
    TcxCustomPopupWindow::Resize();
    CalculateViewInfo();
    if (HandleAllocated())
        SetWindowShadowRegion(Handle(), EditViewInfo().FrameRect, !Shadow, TRect{}, Shadow);
}

void TcxCustomEditPopupWindow::Paint() {
    CalculateViewInfo();
    ViewInfo().Paint(Canvas());
}

void TcxCustomEditPopupWindow::CreateParams(TCreateParams& Params) {
    TcxCustomPopupWindow::CreateParams(Params);
    if (NativeStyle && IsCompositionEnabled()) Params.classStyle |= 0x20000;
}

void TcxCustomEditPopupWindow::CloseUpByModalResult() {
    IcxEditPopupWindowOwner* E = Edit();
    if (!E) {
        CloseUp();
        return;
    }
    switch (ModalResult()) {
    case pf::mrOk:
        E->PopupCloseUp(CloseReasonAccept);
        break;
    case pf::mrCancel:
        E->PopupCloseUp(CloseReasonCancel);
        break;
    default:
        E->PopupCloseUp(CloseReasonNone);
    }
}

void TcxCustomEditPopupWindow::DoClosed() {
    TcxCustomPopupWindow::DoClosed();
    IcxEditPopupWindowOwner* E = Edit();
    if (E && !E->IsPopupOwnerDestroying()) E->DoFinalizePopup();
}

void TcxCustomEditPopupWindow::VisibleChanged() {
    TcxCustomPopupWindow::VisibleChanged();
    if (!Visible() && FSizingState) EndSizing();
}

void TcxCustomEditPopupWindow::ProcessChar(char C) {
    const HWND Focus = pw::GetFocus();
    if (Focus != pw::NullHWnd)
        pc::SendMessage(Focus, pw::WM_CHAR, static_cast<unsigned char>(C), 0);
}

void TcxCustomEditPopupWindow::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_POPUPPROCESSCHAR) {
        if (Visible()) ProcessChar(static_cast<char>(Message.WParam));
        return;
    }
    if (Message.Msg == pf::CM_MOUSELEAVE && EditViewInfo().CloseButtonState == 2)
        SetCloseButtonState(1);
    TcxCustomPopupWindow::Dispatch(Message);
}

} // namespace toolkit::edit
