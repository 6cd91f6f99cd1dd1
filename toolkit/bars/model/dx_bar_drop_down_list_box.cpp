#include "toolkit/bars/model/dx_bar_drop_down_list_box.h"

#include "toolkit/bars/model/dx_bar_combo.h"
#include "toolkit/bars/model/dx_bar_frame_painter.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_window_item_control.h"
#include "toolkit/bars/model/dx_bar_window_services.h"
#include "toolkit/base/object_links.h"

#include "platform/gdi/colors.h"
#include "platform/win/input_state.h"
#include "platform/win/list_box_class.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

TdxBarDropDownListBox::TdxBarDropDownListBox(pc::TComponent* AOwner, TdxBarCustomCombo& ACombo)
    : pf::TListBox(AOwner), FCombo(ACombo) {
    visible_ = false;
    TabStop = false;
    // A press picks an entry; the focus stays in the combo's editor.
    focusOnClick_ = false;
    Style = pf::lbOwnerDrawVariable;
}

void TdxBarDropDownListBox::SetParentWindow(pc::HWND Value) {
    if (Value == FParentWindow) return;
    FParentWindow = Value;
    // A window keeps the owner it was made with; another bar window gets a new one.
    if (Value != pc::NullHWnd && HandleAllocated() && Value != FWindowMadeFor) DestroyHandle();
}

void TdxBarDropDownListBox::CaptureAtDropDown() {
    pw::SetCapture(Handle());
    FCaptured = true;
}

void TdxBarDropDownListBox::CreateParams(TCreateParams& Params) {
    pf::TListBox::CreateParams(Params);
    Params.className = "TdxBarDropDownListBox";
    Params.style = (Params.style & ~(pw::WS_CHILD | pw::WS_TABSTOP)) | pw::WS_POPUP;
    Params.exStyle =
        (Params.exStyle & ~pw::WS_EX_CLIENTEDGE) | pw::WS_EX_TOPMOST | pw::WS_EX_TOOLWINDOW;
    Params.classStyle |= pw::CS_SAVEBITS;
    Params.parent = FParentWindow;
}

void TdxBarDropDownListBox::CreateWnd() {
    pf::TListBox::CreateWnd();
    FWindowMadeFor = FParentWindow;
    if (pf::TWinControl* Bar = pf::FindControl(FParentWindow)) Font().Assign(Bar->Font());
    Font().SetColor(pg::clWindowText);
    // The list draws its current row as focused while the focus stays in the editor.
    pf::TMessage SetFocus{pw::WM_SETFOCUS, 0, 0, 0};
    DefaultHandler(SetFocus);
}

void TdxBarDropDownListBox::DrawItem(int Index, const pg::TRect& Rect, pf::TOwnerDrawState State) {
    const bool Lit = (State & pf::odSelected) != 0;
    canvas_.Brush().SetColor(Lit ? pg::clHighlight : pg::clWindow);
    canvas_.Font().SetColor(Lit ? pg::clHighlightText : Font().Color());
    // The row is filled before the combo draws it: some painters write the entry's text alone.
    canvas_.FillRect(Rect);
    FCombo.DrawItem(Index, Rect, State);
}

void TdxBarDropDownListBox::MeasureItem(int Index, int& Height) {
    FCombo.MeasureItemHeight(Index, Height);
}

void TdxBarDropDownListBox::Click() {
    pf::TListBox::Click();
    const int Index = ItemIndex();
    if (Index < 0) return;
    if (TdxBarWindowItemControl* Control = FCombo.ActiveEditorControl())
        Control->ListIndexChosen(Index);
}

void TdxBarDropDownListBox::NCPaint() {
    TdxBarManager* Manager = FCombo.BarManager();
    if (Manager == nullptr || !HandleAllocated()) return;
    const pg::HDC DC = pw::GetWindowDC(handle_);
    Manager->FramePainter().DrawDropDownListBorder(Manager, DC, {0, 0, Width(), Height()});
    pw::ReleaseDC(handle_, DC);
}

void TdxBarDropDownListBox::WMMouseMove(pf::TMessage& Message) {
    const pg::TPoint P = pw::LParamToPoint(Message.LParam);
    const bool Inside = pg::PtInRect(ClientRect(), P);
    if (FCaptured && Inside) {
        // The button that dropped the list down is still held: from here on it drags in the
        // list, and its release picks.
        FCaptured = false;
        pc::SendMessage(handle_, pw::WM_LBUTTONDOWN, pw::MK_LBUTTON, Message.LParam);
        return;
    }
    if (!Inside) return;
    const int Index = ItemAtPos(P, true);
    if (Index < 0 || Index == ItemIndex()) return;
    SetItemIndex(Index);
    // Dragged with the button held, the choice is the user's, as a press is.
    if (pw::GetCapture() == handle_) Click();
}

void TdxBarDropDownListBox::WMLButtonUp(pf::TMessage& Message) {
    (void)Message;
    if (FCaptured) {
        FCaptured = false;
        if (pw::GetCapture() == handle_) pw::ReleaseCapture();
        return;
    }
    if (pw::GetCapture() == handle_) pw::ReleaseCapture();
    const int Index = ItemIndex();
    TdxBarCustomCombo& Combo = FCombo;
    auto Alive = toolkit::base::cxAddObjectLink(&Combo);
    if (TdxBarItemLink* Link = Combo.GetActiveLink()) {
        TdxBarItemLink* Origin = Link->GetOriginalLink();
        (Origin ? Origin : Link)->BringToTopInRecentList(true);
    }
    if (TdxBarManager* Manager = Combo.BarManager())
        dxBarWindowServices().CloseActiveBarWindow(*Manager);
    if (Alive->Ref != nullptr && Index >= 0) Combo.SetItemIndex(Index);
}

void TdxBarDropDownListBox::Dispatch(pf::TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_NCCALCSIZE: {
        pf::TListBox::Dispatch(Message);
        const int Border =
            FCombo.BarManager() ? FCombo.BarManager()->FramePainter().GetDropDownListBorder() : 0;
        auto* Params = reinterpret_cast<pw::NCCALCSIZE_PARAMS*>(Message.LParam);
        pg::TRect& R = Params->rgrc[0];
        R = {R.Left + Border, R.Top + Border, std::max(R.Right - Border, R.Left + Border),
             std::max(R.Bottom - Border, R.Top + Border)};
        return;
    }
    case pw::WM_NCPAINT:
        pf::TListBox::Dispatch(Message);
        NCPaint();
        return;
    case pw::WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case pw::WM_MOUSEACTIVATE:
        Message.Result = pw::MA_NOACTIVATE;
        return;
    case pw::WM_SHOWWINDOW:
        visible_ = Message.WParam != 0;
        pf::TListBox::Dispatch(Message);
        return;
    case pw::WM_LBUTTONDOWN:
    case pw::WM_LBUTTONDBLCLK: {
        // The entry under the pointer is chosen, the focus stays in the editor.
        const int Index = ItemAtPos(pw::LParamToPoint(Message.LParam), true);
        pw::SetCapture(handle_);
        if (Index >= 0 && Index != ItemIndex()) {
            SetItemIndex(Index);
            Click();
        }
        return;
    }
    case pw::WM_MOUSEMOVE:
        WMMouseMove(Message);
        return;
    case pw::WM_LBUTTONUP:
        WMLButtonUp(Message);
        return;
    case pw::WM_CAPTURECHANGED:
        FCaptured = false;
        pf::TListBox::Dispatch(Message);
        return;
    case pw::WM_NCLBUTTONDOWN:
    case pw::WM_NCLBUTTONDBLCLK:
        // The scroll bar scrolls without taking the focus from the editor.
        DefaultHandler(Message);
        return;
    case pw::WM_KEYDOWN:
        if (ItemIndex() < 0 && Items().Count() > 0) SetItemIndex(TopIndex());
        DefaultHandler(Message);
        return;
    default:
        break;
    }
    pf::TListBox::Dispatch(Message);
}

} // namespace toolkit::bars
