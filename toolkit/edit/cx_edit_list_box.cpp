#include "toolkit/edit/cx_edit_list_box.h"

#include "platform/gdi/draw_text.h"
#include "platform/win/input_state.h"
#include "platform/win/list_box_class.h"
#include "platform/win/monitors.h"
#include "platform/win/window.h"

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

TcxCustomEditListBox::TcxCustomEditListBox(pc::TComponent* AOwner)
    : TcxCustomInnerListBox(AOwner) {}

void TcxCustomEditListBox::SetItemIndex(int Value) {
    TcxCustomInnerListBox::SetItemIndex(Value);
    ItemIndexChanged();
}

void TcxCustomEditListBox::ItemIndexChanged() {
    if (OnItemIndexChanged) OnItemIndexChanged(this);
}

void TcxCustomEditListBox::SetItemCount(int Count) {
    auto& List = Items();
    if (List.Count() == Count) return;
    List.BeginUpdate();
    try {
        while (List.Count() > Count)
            List.Delete(List.Count() - 1);
        while (List.Count() < Count)
            List.Add("");
    } catch (...) {
        List.EndUpdate();
        throw;
    }
    List.EndUpdate();
}

bool TcxCustomEditListBox::IsVisible() {
    return HandleAllocated() && pw::IsWindowVisible(Handle());
}

void TcxCustomEditListBox::SetScrollWidth(int Value) {
    if (!HandleAllocated()) return;
    Perform(pw::LB_SETHORIZONTALEXTENT, 0, 0);
    Perform(pw::LB_SETHORIZONTALEXTENT, static_cast<pw::WPARAM>(Value), 0);
}

std::string TcxCustomEditListBox::GetItemText(int Index) {
    return OnGetItemText ? OnGetItemText(Index) : std::string();
}

int TcxCustomEditListBox::GetHeight(int RowCount) {
    return GetItemHeight() * RowCount;
}

int TcxCustomEditListBox::GetItemHeight() {
    return pf::MeasureText(Font(), "Wg").cy;
}

int TcxCustomEditListBox::GetItemWidth(int Index) {
    return pf::MeasureText(Font(), GetItemText(Index)).cx;
}

bool TcxCustomEditListBox::DoDrawItem(int, const pg::TRect&, pf::TOwnerDrawState) {
    return false;
}

// The brush and font come set for the row's state: the list's colours, or the highlight ones.
void TcxCustomEditListBox::DrawItem(int Index, const pg::TRect& Rect, pf::TOwnerDrawState State) {
    if (DoDrawItem(Index, Rect, State)) return;
    auto& C = Canvas();
    C.FillRect(Rect);
    if (Index < 0 || Index >= Items().Count()) return;
    pg::TRect R = Rect;
    R.Left += 2;
    const std::string Text = GetItemText(Index);
    C.Require(pg::TCanvas::FontValid);
    pg::SetBkMode(C.Handle(), pg::TRANSPARENT);
    pg::DrawText(C.Handle(), Text.c_str(), static_cast<int>(Text.size()), &R,
                 pg::DT_SINGLELINE | pg::DT_VCENTER | pg::DT_NOPREFIX);
}

void TcxCustomEditListBox::MeasureItem(int, int& Height) {
    Height = GetItemHeight();
}

void TcxCustomEditListBox::MouseMove(pf::TShiftState Shift, int X, int Y) {
    TcxCustomInnerListBox::MouseMove(Shift, X, Y);
    if (!HotTrack || (HandleAllocated() && pw::GetCapture() == Handle())) return;
    const int Index = ItemAtPos({X, Y}, true);
    if (Index >= 0 && Index != ItemIndex()) SetItemIndex(Index);
}

void TcxCustomEditListBox::Click() {
    TcxCustomInnerListBox::Click();
    ItemIndexChanged();
}

bool TcxCustomEditListBox::NeedsFocusRect() const {
    if (!OnGetEditingStyle) return false;
    const int Style = OnGetEditingStyle();
    return Style == 2 || Style == 3;
}

// The class library gives the wheel to no one else, so the list turns it into line scrolls.
void TcxCustomEditListBox::MouseWheel(int Delta) {
    pw::UINT Lines = 3;
    pw::SystemParametersInfo(pw::SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
    const pw::WPARAM Code = Delta <= 0 ? pw::SB_LINEDOWN : pw::SB_LINEUP;
    for (pw::UINT I = 0; I < Lines; ++I)
        Perform(pw::WM_VSCROLL, Code, 0);
}

void TcxCustomEditListBox::Dispatch(pc::TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_MOUSEWHEEL:
        MouseWheel(pw::GET_WHEEL_DELTA_WPARAM(Message.WParam));
        Message.Result = 0;
        return;
    case pw::WM_SHOWWINDOW:
        TcxCustomInnerListBox::Dispatch(Message);
        if (Message.WParam != 0) {
            pc::TMessage Focus{pw::WM_SETFOCUS, 0, 0, 0};
            pf::TListBox::DefaultHandler(Focus);
        }
        return;
    default:
        TcxCustomInnerListBox::Dispatch(Message);
    }
}

} // namespace toolkit::edit
