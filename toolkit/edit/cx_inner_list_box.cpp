#include "toolkit/edit/cx_inner_list_box.h"

#include "platform/core/clock.h"
#include "platform/core/text.h"
#include "platform/win/input_state.h"
#include "platform/win/list_box_class.h"

namespace toolkit::edit {

namespace pc = platform::core;
namespace pw = platform::win;

namespace {

constexpr char Backspace = 8;
constexpr char Enter = 13;
constexpr char Escape = 27;

} // namespace

TcxCustomInnerListBox::TcxCustomInnerListBox(pc::TComponent* AOwner)
    : platform::forms::TListBox(AOwner) {}

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
    if (Message.Msg == platform::forms::CN_DRAWITEM) {
        CNDrawItem(Message);
        return;
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
