#include "toolkit/edit/cx_container_view_info.h"

#include "toolkit/edit/cx_edit_popup_window.h"

#include "platform/forms/controls.h"
#include "platform/gdi/region_handles.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;
using toolkit::base::cxBorder;
using toolkit::base::TcxRegion;

namespace {

constexpr int ShadowSize = 3;

bool HasEdge(TcxBorders Edges, toolkit::base::TcxBorder Edge) {
    return (Edges & cxBorder(Edge)) != 0;
}

// The four strips of Outer around Inner: left, top, right, bottom.
std::array<TRect, 4> StripsBetween(const TRect& Outer, const TRect& Inner) {
    return {TRect{Outer.Left, Outer.Top, Inner.Left, Outer.Bottom},
            TRect{Inner.Left, Outer.Top, Inner.Right, Inner.Top},
            TRect{Inner.Right, Outer.Top, Outer.Right, Outer.Bottom},
            TRect{Inner.Left, Inner.Bottom, Inner.Right, Outer.Bottom}};
}

} // namespace

int GetContainerBorderWidth(TcxContainerBorderStyle Style) {
    static constexpr int Widths[] = {0, 1, 2, 2, 2, 1, 1};
    return Style <= cbsOffice11 ? Widths[Style] : 0;
}

TRect GetControlRect(const pf::TControl& Control) {
    return {0, 0, Control.Width(), Control.Height()};
}

void TrimRectByEdges(TRect& R, int W, TcxBorders Edges) {
    if (!HasEdge(Edges, toolkit::base::bLeft)) R.Left += W;
    if (!HasEdge(Edges, toolkit::base::bTop)) R.Top += W;
    if (!HasEdge(Edges, toolkit::base::bRight)) R.Right -= W;
    if (!HasEdge(Edges, toolkit::base::bBottom)) R.Bottom -= W;
}

void DrawContainerShadow(TcxCanvas& Canvas, const TRect& R) {
    for (const TRect& Strip :
         {TRect{R.Left + ShadowSize, R.Bottom, R.Right, R.Bottom + ShadowSize},
          TRect{R.Right, R.Top + ShadowSize, R.Right + ShadowSize, R.Bottom + ShadowSize}}) {
        Canvas.FillRect(Strip, pg::clBtnShadow);
        Canvas.ExcludeClipRect(Strip);
    }
}

void FillRectBetween(TcxCanvas& Canvas, const TRect& Outer, const TRect& Inner, TColor Color) {
    if (pg::IsRectEmpty(Outer) || Outer == Inner) return;
    if (pg::IsRectEmpty(Inner)) {
        Canvas.FillRect(Outer, Color);
        return;
    }
    for (const TRect& Strip : StripsBetween(Outer, Inner))
        if (!pg::IsRectEmpty(Strip)) Canvas.FillRect(Strip, Color);
}

void InternalInvalidate(pc::HWND Wnd, const TRect& Outer, const TRect& Inner, bool Erase) {
    if (pg::IsRectEmpty(Inner)) {
        pw::InvalidateRect(Wnd, &Outer, Erase);
        return;
    }
    for (const TRect& Strip : StripsBetween(Outer, Inner))
        if (!pg::IsRectEmpty(Strip)) pw::InvalidateRect(Wnd, &Strip, Erase);
}

std::unique_ptr<TcxRegion> CreateShadowRegion(const TRect& R, bool NoRegion, const TRect& Excluded,
                                              bool Shadow) {
    if (NoRegion) return nullptr;
    auto Region = std::make_unique<TcxRegion>(R);
    if (Shadow) {
        TRect Moved = R;
        pg::OffsetRect(Moved, ShadowSize, ShadowSize);
        Region->Combine(TcxRegion(Moved), toolkit::base::rgnAdd);
    }
    if (!pg::IsRectEmpty(Excluded))
        Region->Combine(TcxRegion(Excluded), toolkit::base::rgnSubtract);
    return Region;
}

void SetWindowShadowRegion(pc::HWND Wnd, const TRect& R, bool NoRegion, const TRect& Excluded,
                           bool Shadow) {
    std::unique_ptr<TcxRegion> Region = CreateShadowRegion(R, NoRegion, Excluded, Shadow);
    TcxRegion Current;
    const bool HasCurrent = pw::GetWindowRgn(Wnd, Current.Handle()) != 0;
    const bool Same =
        Region ? HasCurrent && pg::EqualRgn(Region->Handle(), Current.Handle()) : !HasCurrent;
    if (Same) return;
    if (!Region) {
        pw::SetWindowRgn(Wnd, pg::HRGN{}, true);
        return;
    }
    // The window keeps a copy; the region made here goes with Region.
    pw::SetWindowRgn(Wnd, Region->Handle(), true);
}

pc::HWND GetFirstNonChildWindow(pc::HWND Wnd) {
    while (Wnd != pc::HWND{} &&
           (pw::GetWindowLong(Wnd, pw::GWL_STYLE) & static_cast<std::intptr_t>(pw::WS_CHILD)))
        Wnd = pw::GetParent(Wnd);
    return Wnd;
}

bool IsControlWindowVisible(pf::TWinControl& Control) {
    return Control.HandleAllocated() && pw::IsWindowVisible(Control.Handle());
}

bool HasHandle(pf::TWinControl* Control, pc::HWND Wnd, bool IncludeChildren) {
    if (!Control || Wnd == pc::HWND{}) return false;
    if (Control->HandleAllocated() && Control->Handle() == Wnd) return true;
    if (!IncludeChildren) return false;
    if (Control->HandleAllocated() && pw::IsChild(Control->Handle(), Wnd)) return true;
    for (int I = 0; I < Control->ControlCount(); ++I)
        if (HasHandle(dynamic_cast<pf::TWinControl*>(Control->Controls(I)), Wnd, true)) return true;
    // A popup opened by the control, or by a control of its form, is part of it while open.
    for (int I = 0; I < cxVisiblePopupWindowCount(); ++I) {
        TcxCustomPopupWindow* Popup = cxVisiblePopupWindow(I);
        pf::TWinControl* Owner = Popup->OwnerControl();
        if (Popup == Control || !Owner) continue;
        if ((Owner == Control || Owner->ParentForm() == Control) && HasHandle(Popup, Wnd, true))
            return true;
    }
    return false;
}

bool IsRelatedWindow(pf::TWinControl* Control, pc::HWND Wnd) {
    if (!Control || Wnd == pc::HWND{}) return false;
    pf::TWinControl* Form = Control->ParentForm();
    if (!Form) Form = Control;
    if (HasHandle(Form, Wnd, true)) return true;
    if (Form->Parent() || !Form->HandleAllocated()) return false;
    // A form sitting inside a foreign window belongs with the window's whole top-level tree.
    pc::HWND Top = Form->Handle();
    for (pc::HWND Up = pw::GetParent(Top); Up != pc::HWND{} && pw::IsChild(Up, Top);
         Up = pw::GetParent(Top))
        Top = Up;
    return Top == Wnd || pw::IsChild(Top, Wnd);
}

bool KillMessages(pc::HWND Wnd, pc::UINT First, pc::UINT Last, bool KillAll) {
    bool Removed = false;
    pc::MSG Msg;
    while (pc::PeekMessage(Msg, Wnd, First, Last, pc::PM_REMOVE)) {
        if (Msg.message == pw::WM_QUIT) {
            pc::PostMessage(Msg.hwnd, pw::WM_QUIT, Msg.wParam, Msg.lParam);
            break;
        }
        Removed = true;
        if (!KillAll) break;
    }
    return Removed;
}

bool InternalCompareString(const std::string& A, const std::string& B, bool CaseSensitive) {
    if (CaseSensitive) return A == B;
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
               return std::toupper(static_cast<unsigned char>(X)) ==
                      std::toupper(static_cast<unsigned char>(Y));
           });
}

bool IsGetScrollBarInfoAvailable() {
    return false;
}

// ---- TcxContainerViewInfo ----

std::unique_ptr<TcxRegion> TcxContainerViewInfo::CreateUpdateRegion(const TcxContainerViewInfo&) {
    return std::make_unique<TcxRegion>();
}

void TcxContainerViewInfo::Offset(int DX, int DY) {
    pg::OffsetRect(ClientRect, DX, DY);
    pg::OffsetRect(Bounds, DX, DY);
    pg::OffsetRect(InnerRect, DX, DY);
}

void TcxContainerViewInfo::DrawBorder(TcxCanvas& Canvas, TRect R) {
    if (Painter || BorderStyle == cbsSingle || BorderStyle == cbsThick) {
        Canvas.FrameRect(R, BorderColor, BorderWidth);
        return;
    }
    switch (BorderStyle) {
    case cbsFlat:
        Canvas.DrawEdge(R, true, true, Edges);
        pg::InflateRect(R, -1, -1);
        Canvas.FrameRect(R, pg::clBtnFace, 1);
        break;
    case cbs3D:
        Canvas.DrawEdge(R, true, true, Edges);
        pg::InflateRect(R, -1, -1);
        Canvas.DrawComplexFrame(R, pg::cl3DDkShadow, pg::cl3DLight, Edges, 1);
        break;
    default:
        break;
    }
}

void TcxContainerViewInfo::InternalPaint(TcxCanvas& Canvas) {
    if (NativeStyle) {
        // Visual styles are not offered here, so the theme's content rectangle is the bounds
        // less the frame.
        if (BorderStyle == cbsNone) {
            Canvas.FillRect(Bounds, BackgroundColor);
            return;
        }
        Canvas.FillRect(ClientRect, BackgroundColor);
        FillRectBetween(Canvas, Bounds, ClientRect, BorderColor);
        return;
    }
    TRect R = ClientRect;
    R.Left -= BorderWidth;
    R.Top -= BorderWidth;
    if (HasEdge(Edges, toolkit::base::bRight)) R.Right += BorderWidth;
    if (HasEdge(Edges, toolkit::base::bBottom)) R.Bottom += BorderWidth;
    if (Shadow) DrawContainerShadow(Canvas, R);
    // A missing side lies beyond the control, so that it is not seen.
    if (!HasEdge(Edges, toolkit::base::bRight)) R.Right += BorderWidth;
    if (!HasEdge(Edges, toolkit::base::bBottom)) R.Bottom += BorderWidth;
    DrawBorder(Canvas, R);
    Canvas.FillRect(ClientRect, BackgroundColor);
}

} // namespace toolkit::edit
