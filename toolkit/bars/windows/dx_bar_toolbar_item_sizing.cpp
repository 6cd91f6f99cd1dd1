// Changing the width of an edit item on a toolbar while the user customizes: the cursor over
// the strip at either end of the selected edit control offers it, a press holds the mouse, the
// moving edge shows as an inverted frame, and the release gives the link its user width. The
// frame is drawn straight on the window and taken away by drawing it again, so nothing else
// needs repainting while the mouse moves.
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/windows/dx_bar_edit_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_item_drag.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/colors.h"
#include "platform/win/cursors.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"

#include <algorithm>

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

// How far in from either end of the control the sizing cursor shows.
constexpr int kSizingStrip = 7;
// The narrowest width a link takes (TdxBarItemLink::SetUserWidth).
constexpr int kMinEditWidth = 20;

// The edit control the window selects while customizing (its frame shows); nil when none.
TdxBarEditControl* SizableControl(const TdxBarControl& Window) {
    if (!Window.IsCustomizing() || Window.BarManager() == nullptr) return nullptr;
    auto* Control = dynamic_cast<TdxBarEditControl*>(Window.SelectedControl());
    if (Control == nullptr || Window.BarManager()->SelectedItem() != Control) return nullptr;
    return Control;
}

// A 2-pixel frame inverted on the window; drawn again it goes.
void InvertFrame(pg::HDC DC, const pg::TRect& F) {
    if (pg::IsRectEmpty(F)) return;
    constexpr int Thick = 2;
    pg::PatBlt(DC, F.Left, F.Top, F.Width(), Thick, pg::DSTINVERT);
    pg::PatBlt(DC, F.Left, F.Bottom - Thick, F.Width(), Thick, pg::DSTINVERT);
    pg::PatBlt(DC, F.Left, F.Top + Thick, Thick, F.Height() - 2 * Thick, pg::DSTINVERT);
    pg::PatBlt(DC, F.Right - Thick, F.Top + Thick, Thick, F.Height() - 2 * Thick, pg::DSTINVERT);
}

} // namespace

bool TdxBarControl::ItemSizingMessage(TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_SETCURSOR:
        if (pw::GetCapture() != pw::NullHWnd) return false;
        if (!ItemSizingCursor()) return false;
        Message.Result = 1;
        return true;
    case pw::WM_LBUTTONDOWN:
    case pw::WM_LBUTTONDBLCLK:
        if (!FResizingItem) return false;
        if (TdxBarEditControl* Control = SizableControl(*this)) {
            pw::SetCapture(Handle());
            MoveItemSizingFrame(GetItemRect(Control).Width() - Control->CaptionAreaWidth());
        }
        return true;
    case pw::WM_MOUSEMOVE: {
        if (!FResizingItem || pw::GetCapture() != Handle()) return false;
        TdxBarEditControl* Control = SizableControl(*this);
        if (Control == nullptr) return true;
        const TRect R = GetItemRect(Control);
        const int X = pw::LParamToPoint(Message.LParam).X;
        const int Distance = FResizeFromLeft ? R.Right - X : X - R.Left;
        const int Widest = std::max(kMinEditWidth, pg::GetSystemMetrics(pg::SM_CXSCREEN));
        MoveItemSizingFrame(
            std::clamp(Distance - Control->CaptionAreaWidth(), kMinEditWidth, Widest));
        return true;
    }
    case pw::WM_LBUTTONUP: {
        if (!FResizingItem) return false;
        TdxBarEditControl* Control = SizableControl(*this);
        TdxBarItemLink* Link = Control ? Control->ItemLink() : nullptr;
        const int Current =
            Control ? GetItemRect(Control).Width() - Control->CaptionAreaWidth() : 0;
        const int Width = FNewItemWidth;
        const bool Moved = !pg::IsRectEmpty(FItemSizingFrame);
        // Letting the capture go ends the sizing (WM_CAPTURECHANGED) and erases the frame.
        if (pw::GetCapture() == Handle())
            pw::ReleaseCapture();
        else
            EndItemSizing();
        // The link's change may build the bar's controls anew: nothing of them is used after.
        if (Link != nullptr && Moved) {
            if (Width == Current)
                Control->Repaint();
            else
                Link->SetUserWidth(Width);
            // The link only records its width: its control is measured and placed again.
            if (Width != Current && Link->Control() != nullptr) Link->Control()->LayoutChanged();
        }
        return true;
    }
    case pw::WM_CAPTURECHANGED:
        if (FResizingItem) EndItemSizing();
        return false;
    default:
        return false;
    }
}

bool TdxBarControl::ItemSizingCursor() {
    FResizingItem = false;
    TdxBarEditControl* Control = SizableControl(*this);
    if (Control == nullptr) return false;
    TPoint P;
    pw::GetCursorPos(&P);
    P = ScreenToClient(P);
    const TRect R = GetItemRect(Control);
    if (P.Y < R.Top || P.Y >= R.Bottom) return false;
    const bool Left = P.X >= R.Left && P.X < R.Left + kSizingStrip;
    const bool Right = P.X >= R.Right - kSizingStrip && P.X < R.Right;
    if (!Left && !Right) return false;
    FResizingItem = true;
    FResizeFromLeft = Left;
    pw::SetCursor(pw::ScreenCursor(crdxBarEditSizing));
    return true;
}

void TdxBarControl::MoveItemSizingFrame(int Width) {
    TdxBarEditControl* Control = SizableControl(*this);
    if (Control == nullptr || !HandleAllocated()) return;
    FNewItemWidth = Width;
    const TRect R = GetItemRect(Control);
    const int Extent = Control->CaptionAreaWidth() + Width;
    const TRect Frame = FResizeFromLeft ? TRect{R.Right - Extent, R.Top, R.Right, R.Bottom}
                                        : TRect{R.Left, R.Top, R.Left + Extent, R.Bottom};
    if (Frame == FItemSizingFrame) return;
    const pg::HDC DC = pw::GetDC(Handle());
    InvertFrame(DC, FItemSizingFrame);
    InvertFrame(DC, Frame);
    FItemSizingFrame = Frame;
    pw::ReleaseDC(Handle(), DC);
}

void TdxBarControl::EndItemSizing() {
    FResizingItem = false;
    if (!pg::IsRectEmpty(FItemSizingFrame) && HandleAllocated()) {
        const pg::HDC DC = pw::GetDC(Handle());
        InvertFrame(DC, FItemSizingFrame);
        pw::ReleaseDC(Handle(), DC);
    }
    FItemSizingFrame = {};
    Invalidate();
}

} // namespace toolkit::bars
