#include "toolkit/base/cx_drag_and_drop.h"

#include "toolkit/base/cx_control.h"

#include "platform/core/message_loop.h"
#include "platform/forms/screen.h"
#include "platform/gdi/colors.h"
#include "platform/win/input_state.h"
#include "platform/win/modal_loop.h"
#include "platform/win/window.h"

#include <cstdlib>

namespace toolkit::base {

namespace pf = platform::forms;
namespace pw = platform::win;
using platform::gdi::TPoint;

TcxDragAndDropObject::TcxDragAndDropObject(TcxControl& AControl)
    : FControl(AControl), FCanvas(AControl.Canvas()) {}

void TcxDragAndDropObject::SetDirty(bool Value) {
    if (FDirty == Value) return;
    FDirty = Value;
    DirtyChanged();
}

void TcxDragAndDropObject::Init() {
    TPoint P;
    pw::GetCursorPos(&P);
    CurMousePos = PrevMousePos = FControl.ScreenToClient(P);
    BeginDragAndDrop();
}

void TcxDragAndDropObject::DoDragAndDrop(const TPoint& P, bool& Accepted) {
    PrevMousePos = CurMousePos;
    CurMousePos = P;
    DragAndDrop(P, Accepted);
}

void TcxDragAndDropObject::DoEndDragAndDrop(bool Accepted) {
    BeforeEndDragAndDrop(Accepted);
    EndDragAndDrop(Accepted);
}

pf::TCursor TcxDragAndDropObject::GetDragAndDropCursor(bool Accepted) {
    return Accepted ? pf::crDrag : pf::crNoDrop;
}

void TcxDragAndDropObject::DragAndDrop(const TPoint&, bool& Accepted) {
    SetDirty(false);
    pf::Screen().SetCursor(GetDragAndDropCursor(Accepted));
}

void TcxDragAndDropObject::BeforeEndDragAndDrop(bool) {
    SetDirty(true);
}

TcxDragDetect cxDragDetect(pw::HWND Wnd) {
    TPoint Origin;
    pw::GetCursorPos(&Origin);
    const int Threshold = platform::gdi::GetSystemMetrics(platform::gdi::SM_CXDRAG);
    const TRect Area{Origin.X - Threshold, Origin.Y - Threshold, Origin.X + Threshold,
                     Origin.Y + Threshold};
    TcxDragDetect Result = ddCancel;
    pw::SetCapture(Wnd);
    pw::ModalLoop Loop(Wnd);
    // The messages that end the loop are dispatched before it ends, as the user gave them.
    auto DispatchAndQuit = [&](pw::MSG& Msg) {
        platform::core::DispatchMessage(Msg);
        Loop.Quit();
        return false;
    };
    Loop.OnMessage = [&](pw::MSG& Msg) {
        switch (Msg.message) {
        case pw::WM_LBUTTONUP:
        case pw::WM_RBUTTONUP:
        case pw::WM_MBUTTONUP:
            Result = ddNone;
            return DispatchAndQuit(Msg);
        case pw::WM_KEYDOWN:
        case pw::WM_KEYUP:
            if (Msg.wParam == static_cast<pw::WPARAM>(pw::VK_ESCAPE)) return DispatchAndQuit(Msg);
            return true;
        case pw::WM_MOUSEMOVE:
            if (Msg.hwnd == Wnd) {
                TPoint P = pw::LParamToPoint(Msg.lParam);
                pw::ClientToScreen(Wnd, &P);
                if (!platform::gdi::PtInRect(Area, P)) {
                    Result = ddDrag;
                    return DispatchAndQuit(Msg);
                }
            }
            return true;
        default:
            return true;
        }
    };
    Loop.Run();
    if (pw::GetCapture() == Wnd) pw::ReleaseCapture();
    return Result;
}

bool cxIsPointInDragDetectArea(const TPoint& Origin, int X, int Y) {
    const int Threshold = platform::gdi::GetSystemMetrics(platform::gdi::SM_CXDRAG);
    return std::abs(X - Origin.X) < Threshold && std::abs(Y - Origin.Y) < Threshold;
}

} // namespace toolkit::base
