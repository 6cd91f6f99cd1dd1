#include "toolkit/edit/cx_inner_list_box.h"

#include "toolkit/edit/cx_container.h"
#include "toolkit/edit/cx_container_view_info.h"

#include "platform/core/clock.h"
#include "platform/core/text.h"
#include "platform/gdi/geometry.h"
#include "platform/win/input_state.h"
#include "platform/win/list_box_class.h"
#include "platform/win/messages.h"

namespace toolkit::edit {

namespace pc = platform::core;
namespace pw = platform::win;

namespace {

constexpr char Backspace = 8;
constexpr char Enter = 13;
constexpr char Escape = 27;

} // namespace

TcxCustomInnerListBox::TcxCustomInnerListBox(pc::TComponent* AOwner)
    : platform::forms::TListBox(AOwner) {
    FHScrollBar = std::make_unique<toolkit::base::TcxScrollBar>(nullptr);
    FHScrollBar->SetKind(toolkit::base::sbHorizontal);
    FHScrollBar->SetVisible(false);
    FVScrollBar = std::make_unique<toolkit::base::TcxScrollBar>(nullptr);
    FVScrollBar->SetKind(toolkit::base::sbVertical);
    FVScrollBar->SetVisible(false);
    FLookAndFeel = std::make_unique<toolkit::base::TcxLookAndFeel>(nullptr);
    FLookAndFeel->OnChanged = [this](toolkit::base::TcxLookAndFeel*,
                                     toolkit::base::TcxLookAndFeelValues) { LookAndFeelChanged(); };
    FHScrollBar->LookAndFeel().SetMasterLookAndFeel(FLookAndFeel.get());
    FVScrollBar->LookAndFeel().SetMasterLookAndFeel(FLookAndFeel.get());
    SetParentColor(false);
    SetParentFont(true);
}

TcxCustomInnerListBox::~TcxCustomInnerListBox() {
    // The bars go first: they still know the look and feel they follow.
    FHScrollBar.reset();
    FVScrollBar.reset();
}

void TcxCustomInnerListBox::LookAndFeelChanged() {
    if (HandleAllocated()) Invalidate();
}

platform::gdi::TRect TcxCustomInnerListBox::GetSizeGripRect() const {
    if (!FHScrollBar->Visible() || !FVScrollBar->Visible()) return platform::gdi::TRect{};
    const platform::gdi::TRect H = FHScrollBar->BoundsRect();
    const platform::gdi::TRect V = FVScrollBar->BoundsRect();
    // Window coordinates of the list box: the bars lie in its parent.
    platform::gdi::TRect R{H.Right, V.Bottom, H.Right + V.Width(), V.Bottom + H.Height()};
    platform::gdi::OffsetRect(R, -Left(), -Top());
    return R;
}

void TcxCustomInnerListBox::SetExternalScrollBarsParameters() {
    if ((ComponentState() & pc::csDestroying) || FScrollBarsLockCount > 0 || FRedrawOff) return;
    // Where the system's scroll-bar information is offered the bars would be laid over the
    // system's here; without it the list box's own bars serve, and ours stay hidden.
    if (!IsGetScrollBarInfoAvailable()) {
        FHScrollBar->SetVisible(false);
        FVScrollBar->SetVisible(false);
    }
}

void TcxCustomInnerListBox::KeyDown(platform::forms::WORD& Key,
                                    platform::forms::TShiftState Shift) {
    if (Container) Container->KeyDown(Key, Shift);
    if (Key != 0) platform::forms::TListBox::KeyDown(Key, Shift);
}

void TcxCustomInnerListBox::KeyUp(platform::forms::WORD& Key, platform::forms::TShiftState Shift) {
    if (Key == pw::VK_TAB) Key = 0;
    if (Container && Key != 0) Container->KeyUp(Key, Shift);
    if (Key != 0) platform::forms::TListBox::KeyUp(Key, Shift);
}

void TcxCustomInnerListBox::MouseDown(platform::forms::TMouseButton Button,
                                      platform::forms::TShiftState Shift, int X, int Y) {
    platform::forms::TListBox::MouseDown(Button, Shift, X, Y);
    if (Container) Container->MouseDown(Button, Shift, X + Left(), Y + Top());
}

void TcxCustomInnerListBox::MouseMove(platform::forms::TShiftState Shift, int X, int Y) {
    platform::forms::TListBox::MouseMove(Shift, X, Y);
    if (Container) Container->MouseMove(Shift, X + Left(), Y + Top());
}

void TcxCustomInnerListBox::MouseUp(platform::forms::TMouseButton Button,
                                    platform::forms::TShiftState Shift, int X, int Y) {
    platform::forms::TListBox::MouseUp(Button, Shift, X, Y);
    if (Container) Container->MouseUp(Button, Shift, X + Left(), Y + Top());
}

void TcxCustomInnerListBox::DblClick() {
    platform::forms::TListBox::DblClick();
    if (Container) Container->DblClick();
}

void TcxCustomInnerListBox::CreateParams(platform::forms::TWinControl::TCreateParams& Params) {
    platform::forms::TListBox::CreateParams(Params);
    Params.exStyle &= ~pw::WS_EX_CLIENTEDGE;
}

void TcxCustomInnerListBox::CNDrawItem(pc::TMessage& Message) {
    const auto& Draw = *reinterpret_cast<const pw::DRAWITEMSTRUCT*>(Message.LParam);
    Message.Result = 1;
    platform::forms::TOwnerDrawState State = 0;
    if (Draw.itemState & pw::ODS_SELECTED) State |= platform::forms::odSelected;
    if (Draw.itemState & pw::ODS_FOCUS) State |= platform::forms::odFocused;
    if ((Draw.itemState & pw::ODS_DISABLED) || !EnabledWithParents())
        State |= platform::forms::odDisabled;
    auto& C = Canvas();
    C.SetHandle(Draw.hDC);
    struct Unbind {
        platform::gdi::TCanvas& C;
        ~Unbind() { C.SetHandle(platform::gdi::NullDC); }
    } Unbound{C};
    C.Refresh();
    C.Font().Assign(Font());
    C.Brush().SetColor(Color());
    if (State & platform::forms::odSelected) {
        C.Brush().SetColor(platform::gdi::clHighlight);
        C.Font().SetColor(platform::gdi::clHighlightText);
    }
    const int Index = static_cast<int>(Draw.itemID);
    if (Index < 0 || Index >= Items().Count())
        C.FillRect(Draw.rcItem);
    else
        DrawItem(Index, Draw.rcItem, State);
    if ((State & platform::forms::odFocused) && NeedsFocusRect()) C.DrawFocusRect(Draw.rcItem);
}

void TcxCustomInnerListBox::Dispatch(pc::TMessage& Message) {
    switch (Message.Msg) {
    case platform::forms::CN_DRAWITEM:
        CNDrawItem(Message);
        return;
    case pw::WM_SETREDRAW:
        FRedrawOff = Message.WParam == 0;
        platform::forms::TListBox::Dispatch(Message);
        SetExternalScrollBarsParameters();
        return;
    case pw::WM_WINDOWPOSCHANGED:
    case pw::WM_HSCROLL:
    case pw::WM_VSCROLL:
    case pw::LB_ADDSTRING:
    case pw::LB_INSERTSTRING:
    case pw::LB_DELETESTRING:
    case pw::LB_RESETCONTENT:
    case pw::LB_SETCURSEL:
    case pw::LB_SETHORIZONTALEXTENT:
    case pw::LB_SETTOPINDEX:
    case pw::LB_SETCARETINDEX:
    case pw::WM_MOUSEWHEEL:
        platform::forms::TListBox::Dispatch(Message);
        SetExternalScrollBarsParameters();
        return;
    default:
        break;
    }
    if (Message.Msg == pw::WM_GETDLGCODE) {
        platform::forms::TListBox::Dispatch(Message);
        if (Container) {
            Message.Result |= pw::DLGC_WANTCHARS;
            if (pw::GetKeyState(pw::VK_CONTROL) >= 0) Message.Result |= pw::DLGC_WANTTAB;
        }
        return;
    }
    platform::forms::TListBox::Dispatch(Message);
}

void TcxCustomInnerListBox::KeyPress(char& Key) {
    if (Container && (Key == '\t' || Key == Enter)) Key = 0;
    platform::forms::TListBox::KeyPress(Key);
    if (Key != 0 && AutoComplete) DoAutoComplete(Key);
}

// Our text is single-byte, so no character is ever the lead byte of a pair.
void TcxCustomInnerListBox::DoAutoComplete(char& Key) {
    const std::uint32_t Now = pc::GetTickCount();
    if (Now - FLastKeyTime >= AutoCompleteDelay) FSearchText.clear();
    FLastKeyTime = Now;
    if (Key == Backspace) {
        if (!FSearchText.empty()) FSearchText.pop_back();
    } else {
        FSearchText += Key;
    }
    if (FSearchText.empty()) {
        SetItemIndex(0);
        Click();
    } else {
        int Found = -1;
        if (HandleAllocated()) {
            Found = static_cast<int>(Perform(pw::LB_FINDSTRING, static_cast<pw::WPARAM>(-1),
                                             reinterpret_cast<pw::LPARAM>(FSearchText.c_str())));
        } else {
            for (int I = 0; I < Items().Count() && Found < 0; ++I) {
                const std::string& S = Items()[I];
                if (S.size() >= FSearchText.size() &&
                    pc::CompareText(std::string_view(S).substr(0, FSearchText.size()),
                                    FSearchText) == 0)
                    Found = I;
            }
        }
        if (Found >= 0) {
            if (MultiSelect && HandleAllocated()) {
                Perform(pw::LB_SELITEMRANGE, 0, pw::MAKELPARAM(0, Items().Count() - 1));
                Perform(pw::LB_SETSEL, 1, Found);
            } else if (MultiSelect) {
                for (int I = 0; I < Items().Count(); ++I)
                    SetSelected(I, I == Found);
            }
            SetItemIndex(Found);
            Click();
        }
    }
    if (Key != Backspace && Key != Enter && Key != Escape) Key = 0;
}

} // namespace toolkit::edit
