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
    FHScrollBar->OnScroll = [this](pc::TObject*, toolkit::base::TScrollCode Code, int& Pos) {
        HScrollBarScroll(Code, Pos);
    };
    FVScrollBar = std::make_unique<toolkit::base::TcxScrollBar>(nullptr);
    FVScrollBar->SetKind(toolkit::base::sbVertical);
    FVScrollBar->SetVisible(false);
    FVScrollBar->OnScroll = [this](pc::TObject*, toolkit::base::TScrollCode Code, int& Pos) {
        VScrollBarScroll(Code, Pos);
    };
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

// The scroll codes share their numbers with the window's SB_ codes.
void TcxCustomInnerListBox::HScrollBarScroll(toolkit::base::TScrollCode ScrollCode,
                                             int& ScrollPos) {
    if (!HandleAllocated()) return;
    pc::TMessage Message{pw::WM_HSCROLL, pw::MAKEWPARAM(ScrollCode, ScrollPos),
                         static_cast<pw::LPARAM>(
                             FHScrollBar->HandleAllocated() ? FHScrollBar->Handle() : pc::HWND{}),
                         0};
    platform::forms::TListBox::DefaultHandler(Message);
    // The list box class scrolls no columns: its horizontal position stays at the start.
    ScrollPos = 0;
}

void TcxCustomInnerListBox::VScrollBarScroll(toolkit::base::TScrollCode ScrollCode,
                                             int& ScrollPos) {
    switch (ScrollCode) {
    case toolkit::base::scLineUp:
    case toolkit::base::scLineDown:
        SetTopIndex(ScrollPos);
        return;
    case toolkit::base::scPosition:
    case toolkit::base::scTrack:
        SetTopIndex(ScrollPos);
        break;
    default:
        if (HandleAllocated()) {
            pc::TMessage Message{pw::WM_VSCROLL, pw::MAKEWPARAM(ScrollCode, ScrollPos), 0, 0};
            platform::forms::TListBox::DefaultHandler(Message);
        }
        break;
    }
    // The list box's vertical position is its top item.
    ScrollPos = TopIndex();
}

void TcxCustomInnerListBox::SetExternalScrollBarsParameters() {
    if ((ComponentState() & pc::csDestroying) || FScrollBarsLockCount > 0 || FRedrawOff) return;
    // Where the system's scroll-bar information is offered the bars would be laid over the
    // system's here; without it the list box's own bars serve, and ours stay hidden.
    if (!IsGetScrollBarInfoAvailable()) {
        FHScrollBar->SetVisible(false);
        FVScrollBar->SetVisible(false);
    }
    if (Container) {
        const platform::gdi::TRect Grip = GetSizeGripRect();
        Container->SetSizeGripBounds(Grip, !platform::gdi::IsRectEmpty(Grip));
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
    if (!Container) return;
    // The press belongs to the list box: the container must not take the focus for it.
    Container->FInnerControlMouseDown = true;
    struct Lower {
        TcxContainer* C;
        ~Lower() { C->FInnerControlMouseDown = false; }
    } Lowered{Container};
    Container->MouseDown(Button, Shift, X + Left(), Y + Top());
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

void TcxCustomInnerListBox::Click() {
    platform::forms::TListBox::Click();
    if (!Container) return;
    Container->Click();
    FVScrollBar->SetPosition(TopIndex());
}

bool TcxCustomInnerListBox::DragOver(pc::TObject* Source, int X, int Y,
                                     platform::forms::TDragState State) {
    if (!Container) return platform::forms::TListBox::DragOver(Source, X, Y, State);
    return Container->DragOver(Source, X + Left(), Y + Top(), State);
}

void TcxCustomInnerListBox::DoEndDrag(pc::TObject* Target, int X, int Y) {
    platform::forms::TListBox::DoEndDrag(Target, X, Y);
    if (Container) Container->DoEndDrag(Target, X + Left(), Y + Top());
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

void TcxCustomInnerListBox::WndProc(pc::TMessage& Message) {
    if (Container && Container->HandleInnerControlShortCut(Message)) return;
    // The platform starts an automatic drag here, before the message is dispatched.
    if ((Message.Msg == pw::WM_LBUTTONDOWN) && Container &&
        DragMode() == platform::forms::dmAutomatic && !Container->IsDesigning()) {
        WMLButtonDown(Message);
        return;
    }
    platform::forms::TListBox::WndProc(Message);
    // The container shows itself focused while its list is.
    if (Container && !Container->IsDestroyingOrLocked() &&
        (Message.Msg == pw::WM_KILLFOCUS ||
         (Message.Msg == pw::WM_SETFOCUS && !(ComponentState() & pc::csDestroying) &&
          !(Container->HandleAllocated() &&
            static_cast<pc::HWND>(Message.WParam) == Container->Handle()))))
        Container->FocusChanged();
}

void TcxCustomInnerListBox::DefaultHandler(pc::TMessage& Message) {
    if (Container && Container->ProcessInnerControlMessage(Message)) return;
    platform::forms::TListBox::DefaultHandler(Message);
}

void TcxCustomInnerListBox::WMLButtonDown(pc::TMessage& Message) {
    const platform::forms::TShiftState Shift = platform::forms::KeysToShiftState(Message.WParam);
    SetDragMode(platform::forms::dmManual);
    struct Restore {
        TcxCustomInnerListBox* L;
        ~Restore() { L->SetDragMode(platform::forms::dmAutomatic); }
    } Restored{this};
    const int Index = ItemAtPos(pw::LParamToPoint(Message.LParam), true);
    const bool ExtendsSelection =
        (Shift & platform::forms::ssShift) && !(Shift & platform::forms::ssCtrl);
    if (MultiSelect && Index >= 0 && Selected(Index) && !ExtendsSelection) {
        Container->BeginDrag(false);
        return;
    }
    platform::forms::TListBox::WndProc(Message);
    if (!(MultiSelect && (Shift & (platform::forms::ssCtrl | platform::forms::ssShift))))
        Container->BeginDrag(false);
}

void TcxCustomInnerListBox::WMMouseWheel(pc::TMessage& Message) {
    if (Container &&
        Container->DoMouseWheel(platform::forms::KeysToShiftState(Message.WParam & 0xFFFF),
                                pw::GET_WHEEL_DELTA_WPARAM(Message.WParam),
                                pw::LParamToPoint(Message.LParam))) {
        Message.Result = 1;
        return;
    }
    platform::forms::TListBox::Dispatch(Message);
}

void TcxCustomInnerListBox::Dispatch(pc::TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_MOUSEWHEEL:
        WMMouseWheel(Message);
        SetExternalScrollBarsParameters();
        return;
    case platform::forms::CM_MOUSELEAVE:
        platform::forms::TListBox::Dispatch(Message);
        if (Container) Container->ShortRefreshContainer(true);
        return;
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
