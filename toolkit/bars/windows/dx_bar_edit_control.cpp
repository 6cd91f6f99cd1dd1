#include "toolkit/bars/windows/dx_bar_edit_control.h"

#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/base/object_links.h"

#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/text_out.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

#include <algorithm>
#include <vector>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

// A window whose control went while the window was still handling one of its own messages
// waits here until the next window is made or freed, when that message is long done.
std::vector<std::unique_ptr<TdxBarEditWindow>>& OrphanWindows() {
    static std::vector<std::unique_ptr<TdxBarEditWindow>> orphans;
    return orphans;
}

int& WindowCallDepth() {
    static int depth = 0;
    return depth;
}

void FreeOrphanWindows() {
    if (WindowCallDepth() == 0) OrphanWindows().clear();
}

struct WindowCall {
    WindowCall() { ++WindowCallDepth(); }
    ~WindowCall() { --WindowCallDepth(); }
    WindowCall(const WindowCall&) = delete;
    WindowCall& operator=(const WindowCall&) = delete;
};

bool EscapeHeld() {
    return pw::GetKeyState(pw::VK_ESCAPE) < 0 && pw::GetKeyState(pw::VK_CONTROL) >= 0 &&
           pw::GetKeyState(pw::VK_MENU) >= 0;
}

} // namespace

// ---- TdxBarEditWindow ----

TdxBarEditWindow::TdxBarEditWindow(TdxBarWinControl& Control)
    : pf::TEdit(nullptr), FControl(&Control) {
    SetVisible(false);
    TabStop = false;
}

void TdxBarEditWindow::Dispatch(pf::TMessage& Message) {
    WindowCall Call;
    if (FControl != nullptr) {
        if (Message.Msg == pw::WM_RBUTTONDOWN) {
            // A right press belongs to the bar window (its context menu while customizing).
            if (TCustomdxBarControl* Bar = FControl->Parent(); Bar && Bar->HandleAllocated()) {
                pg::TPoint P = pw::LParamToPoint(Message.LParam);
                pw::MapWindowPoints(Handle(), Bar->Handle(), &P, 1);
                Message.Result = pc::SendMessage(Bar->Handle(), pw::WM_RBUTTONDOWN, Message.WParam,
                                                 pw::MAKELPARAM(P.X, P.Y));
                return;
            }
        } else if (Message.Msg == pw::WM_LBUTTONUP && FControl->FReleaseToBar) {
            FControl->FReleaseToBar = false;
            pf::TEdit::Dispatch(Message);
            TCustomdxBarControl* Bar = FControl ? FControl->Parent() : nullptr;
            if (Bar && Bar->HandleAllocated()) {
                pg::TPoint P = pw::LParamToPoint(Message.LParam);
                pw::MapWindowPoints(Handle(), Bar->Handle(), &P, 1);
                pc::SendMessage(Bar->Handle(), pw::WM_LBUTTONUP, Message.WParam,
                                pw::MAKELPARAM(P.X, P.Y));
            }
            return;
        } else if (Message.Msg == pw::WM_LBUTTONDOWN) {
            FControl->FReleaseToBar = false;
        } else if (Message.Msg == pw::WM_MOUSEWHEEL) {
            if (FControl->WindowMouseWheel(pw::GET_WHEEL_DELTA_WPARAM(Message.WParam))) {
                Message.Result = 0;
                return;
            }
        }
    }
    pf::TEdit::Dispatch(Message);
    // The item hears of the window's own focus: a form's enter and exit come only when the
    // focus moves within that form, and the bar's use ends whenever the window loses it.
    if (FControl == nullptr) return;
    if (Message.Msg == pw::WM_SETFOCUS) {
        if (TdxBarWindowItem* Item = FControl->WindowItem()) Item->DoEnter();
    } else if (Message.Msg == pw::WM_KILLFOCUS) {
        if (FControl->Focused())
            FControl->WindowExit(static_cast<pc::HWND>(Message.WParam));
        else if (TdxBarWindowItem* Item = FControl->WindowItem())
            Item->DoExit();
    }
}

void TdxBarEditWindow::CreateParams(TCreateParams& Params) {
    pf::TEdit::CreateParams(Params);
    if (FControl && FControl->BarManager()) Params.style |= FControl->Painter().GetEditStyle();
}

void TdxBarEditWindow::KeyDown(std::uint16_t& Key, pf::TShiftState Shift) {
    if (FControl == nullptr) return;
    if (TdxBarWindowItem* Item = FControl->WindowItem()) {
        Item->KeyDown(Key, Shift);
        if (Key == 0 || FControl == nullptr) return;
    }
    if (FControl->WindowKeyDown(Key, Shift)) {
        Key = 0;
        return;
    }
    pf::TEdit::KeyDown(Key, Shift);
}

void TdxBarEditWindow::KeyPress(char& Key) {
    if (FControl == nullptr) return;
    if (TdxBarWindowItem* Item = FControl->WindowItem()) {
        Item->KeyPress(Key);
        if (Key == 0 || FControl == nullptr) return;
    }
    pf::TEdit::KeyPress(Key);
}

void TdxBarEditWindow::KeyUp(std::uint16_t& Key, pf::TShiftState Shift) {
    if (FControl == nullptr) return;
    if (TdxBarWindowItem* Item = FControl->WindowItem()) {
        Item->KeyUp(Key, Shift);
        if (Key == 0 || FControl == nullptr) return;
    }
    pf::TEdit::KeyUp(Key, Shift);
}

void TdxBarEditWindow::Change() {
    pf::TEdit::Change();
    if (FControl) FControl->WindowTextChanged();
}

bool IsBarEditKey(std::uint16_t Key) {
    switch (Key) {
    case pw::VK_RETURN:
    case pw::VK_ESCAPE:
    case pw::VK_TAB:
    case pw::VK_UP:
    case pw::VK_DOWN:
    case pw::VK_F4:
        return true;
    default:
        return false;
    }
}

bool TdxBarEditWindow::WantsKey(std::uint16_t Key) const {
    return IsBarEditKey(Key) || pf::TEdit::WantsKey(Key);
}

// ---- TdxBarWinControl ----

const TdxBarItemControlClass& TdxBarWinControl::ClassRef() {
    static const TdxBarItemControlClass cls(
        "TdxBarWinControl", &TdxBarItemControl::ClassRef(),
        pc::ConstructorOf<TdxBarWinControl, TdxBarItemControl, TdxBarItemLink*>());
    return cls;
}

TdxBarWinControl::TdxBarWinControl(TdxBarItemLink* AItemLink) : TdxBarItemControl(AItemLink) {
    FIsWindowControl = true;
}

TdxBarWinControl::~TdxBarWinControl() {
    DestroyWnd();
}

void TdxBarWinControl::CreateWnd() {
    FreeOrphanWindows();
    if (FWindow || Parent() == nullptr) return;
    FWindow = std::make_unique<TdxBarEditWindow>(*this);
    FWindow->SetParent(Parent());
    FWindow->SetBounds(0, 0, 100, 100);
}

void TdxBarWinControl::DestroyWnd() {
    if (!FWindow) return;
    SetFocused(false);
    if (!FWindow) return;
    FWindow->FControl = nullptr;
    FWindow->SetVisible(false);
    FWindow->SetParent(nullptr);
    if (WindowCallDepth() > 0)
        OrphanWindows().push_back(std::move(FWindow));
    else
        FWindow.reset();
    FreeOrphanWindows();
}

std::string TdxBarWinControl::GetText() const {
    return FWindow ? FWindow->Text() : std::string();
}

void TdxBarWinControl::SetText(const std::string& Text) {
    if (!FWindow) return;
    FWindow->SetText(Text);
}

TdxBarItemControl::TRect TdxBarWinControl::GetWindowRect() const {
    return GetEnabled() ? FBounds : TRect{};
}

void TdxBarWinControl::SetBounds(const TRect& R) {
    FBounds = R;
    if (FWindow && FWindow->Visible()) {
        const TRect W = GetWindowRect();
        if (W != FWindow->BoundsRect()) {
            FWindow->SetBoundsRect(W);
            AdjustWindowRect();
        }
    }
}

void TdxBarWinControl::SetFocused(bool Value) {
    if (Value == FFocused || !FWindow) return;
    if (Value) {
        if (Parent() == nullptr || !GetEnabled()) return;
        FFocused = true;
        FCancelled = false;
        FPrevFocus = pw::GetFocus();
        if (FPrevFocus == pc::NullHWnd || !pw::IsWindowVisible(FPrevFocus)) {
            pf::TCustomForm* Form = BarManager() ? BarManager()->Form() : nullptr;
            FPrevFocus = Form && Form->HandleAllocated() ? Form->Handle() : pc::NullHWnd;
        }
        if (!Active()) ControlActivate(true);
        FWindow->SetBoundsRect(GetWindowRect());
        FWindow->SetVisible(true);
        AdjustWindowRect();
        FSettingText = true;
        if (TdxBarWindowItem* Item = WindowItem()) SetText(Item->Text());
        FSettingText = false;
        FWindow->SetFocus();
        Repaint();
        return;
    }
    FFocused = false;
    const bool Store = !FCancelled && !EscapeHeld();
    FCancelled = false;
    const std::string Typed = GetText();
    auto Self = toolkit::base::cxAddObjectLink(this);
    const bool HadFocus = FWindow->Focused();
    FWindow->SetVisible(false);
    if (HadFocus) {
        pc::HWND Target = FPrevFocus;
        if (Target == pc::NullHWnd || !pw::IsWindowVisible(Target)) {
            pf::TCustomForm* Form = BarManager() ? BarManager()->Form() : nullptr;
            Target = Form && Form->HandleAllocated() ? Form->Handle() : pc::NullHWnd;
            if (Target != pc::NullHWnd && !pw::IsWindowVisible(Target))
                Target = pw::GetWindow(Target, pw::GW_HWNDNEXT);
        }
        if (Target != pc::NullHWnd) pw::SetFocus(Target);
    }
    FPrevFocus = pc::NullHWnd;
    if (Self->Ref == nullptr) return;
    if (Store)
        if (TdxBarWindowItem* Item = WindowItem()) Item->SetText(Typed);
    if (Self->Ref) Repaint();
}

void TdxBarWinControl::CommitText() {
    if (TdxBarWindowItem* Item = WindowItem()) Item->SetText(GetText());
}

void TdxBarWinControl::CancelEditing() {
    FCancelled = true;
    SetFocused(false);
}

bool TdxBarWinControl::WindowKeyDown(std::uint16_t& Key, pf::TShiftState) {
    TCustomdxBarControl* Bar = Parent();
    if (Bar == nullptr) return false;
    switch (Key) {
    case pw::VK_RETURN: {
        auto Self = toolkit::base::cxAddObjectLink(this);
        RemoveWaitingChars();
        CommitText();
        if (Self->Ref == nullptr) return true;
        if (TdxBarItemLink* Link = ItemLink()) Link->BringToTopInRecentList(true);
        FCancelled = true; // stored already
        Bar->SetSelectedControl(nullptr);
        if (Self->Ref && FFocused) SetFocused(false);
        if (dxBarUnit().BarControlExists(Bar)) Bar->HideAll();
        return true;
    }
    case pw::VK_ESCAPE: {
        // The bar's selection lets the control go (the editing ends, a drop-down closes, nothing
        // is stored), then takes it back without opening it.
        auto Self = toolkit::base::cxAddObjectLink(this);
        FCancelled = true;
        RemoveWaitingChars();
        Bar->SetSelectedControl(nullptr);
        if (Self->Ref && FFocused) CancelEditing();
        if (Self->Ref && dxBarUnit().BarControlExists(Bar) && Bar->HasItemControl(this))
            Bar->SetSelectedControl(this);
        return true;
    }
    case pw::VK_TAB: {
        auto Self = toolkit::base::cxAddObjectLink(this);
        RemoveWaitingChars();
        CommitText();
        if (Self->Ref == nullptr) return true;
        FCancelled = true;
        SetFocused(false);
        pc::SendMessage(Bar->Handle(), pw::WM_KEYDOWN, Key, 0);
        return true;
    }
    default:
        return false;
    }
}

void TdxBarWinControl::WindowExit(pc::HWND) {
    auto Self = toolkit::base::cxAddObjectLink(this);
    TCustomdxBarControl* Bar = Parent();
    SetFocused(false);
    if (Self->Ref && Bar && dxBarUnit().BarControlExists(Bar)) Bar->HideAll();
}

bool TdxBarWinControl::CanClick() const {
    return Parent() != nullptr && Parent()->ItemPaintType() == ptVert;
}

TdxBarItemControl::TRect TdxBarWinControl::GetScreenRect() const {
    return Parent() ? Parent()->GetItemScreenRect(this) : TRect{};
}

bool TdxBarWinControl::InHorizontalToolbar() const {
    TCustomdxBarControl* Bar = Parent();
    return Bar != nullptr && !Bar->IsSubMenuControl() && Bar->DockingStyle() != dsLeft &&
           Bar->DockingStyle() != dsRight;
}

pc::HWND TdxBarWinControl::BarWindowHandle() const {
    TCustomdxBarControl* Bar = Parent();
    return Bar && Bar->HandleAllocated() ? Bar->Handle() : pc::NullHWnd;
}

bool TdxBarWinControl::BarWindowVisible() const {
    const pc::HWND Bar = BarWindowHandle();
    return Bar != pc::NullHWnd && pw::IsWindowVisible(Bar);
}

void TdxBarWinControl::ActivateEditor() {
    auto Self = toolkit::base::cxAddObjectLink(this);
    if (auto* Toolbar = dynamic_cast<TdxBarControl*>(Parent())) Toolbar->EnterMenuMode(this);
    if (Self->Ref) Click(false);
}

void TdxBarWinControl::RemoveWaitingChars() {
    if (!FWindow || !FWindow->HandleAllocated()) return;
    pc::MSG Waiting;
    while (pc::PeekMessage(Waiting, FWindow->Handle(), pw::WM_CHAR, pw::WM_CHAR, pc::PM_REMOVE)) {
    }
}

void TdxBarWinControl::ControlInactivate(bool Immediately) {
    SetFocused(false);
    TdxBarItemControl::ControlInactivate(Immediately);
}

void TdxBarWinControl::EnabledChanged() {
    SetFocused(false);
    TdxBarItemControl::EnabledChanged();
}

void TdxBarWinControl::MouseDown(bool ByMouse) {
    SetFocused(true);
    // The window now lies under the pointer: the release of this press is the bar window's,
    // which clicks the control where it acts as a button.
    FReleaseToBar = ByMouse && CanClick();
    TdxBarItemControl::MouseDown(ByMouse);
}

// ---- TdxBarEditControl ----

const TdxBarItemControlClass& TdxBarEditControl::ClassRef() {
    static const TdxBarItemControlClass cls(
        "TdxBarEditControl", &TdxBarWinControl::ClassRef(),
        pc::ConstructorOf<TdxBarEditControl, TdxBarItemControl, TdxBarItemLink*>());
    return cls;
}

TdxBarEditControl::TdxBarEditControl(TdxBarItemLink* AItemLink) : TdxBarWinControl(AItemLink) {
    CreateWnd();
}

void TdxBarEditControl::CreateWnd() {
    TdxBarWinControl::CreateWnd();
    if (Window() == nullptr) return;
    if (TdxBarEdit* E = Edit()) {
        FSettingText = true;
        Window()->SetText(E->Text());
        FSettingText = false;
        Window()->SetMaxLength(E->MaxLength());
    }
}

void TdxBarEditControl::SetFocused(bool Value) {
    if (Value && Window())
        if (TdxBarEdit* E = Edit()) {
            Window()->SetReadOnly(E->ReadOnly);
            Window()->SetMaxLength(E->MaxLength());
        }
    TdxBarWinControl::SetFocused(Value);
}

void TdxBarEditControl::SetText(const std::string& Text) {
    if (Window() == nullptr) return;
    const bool Changed = Window()->Text() != Text;
    if (Changed) TdxBarWinControl::SetText(Text);
    Painter().SelectAllEditText(Window()->Handle(), Changed);
}

void TdxBarEditControl::AdjustWindowRect() {
    if (Window() && Window()->HandleAllocated()) Painter().SetEditMargins(Window()->Handle());
}

bool TdxBarEditControl::WindowKeyDown(std::uint16_t& Key, pf::TShiftState Shift) {
    return TdxBarWinControl::WindowKeyDown(Key, Shift);
}

void TdxBarEditControl::WindowTextChanged() {
    if (FSettingText) return;
    if (TdxBarWindowItem* Item = WindowItem()) Item->CurChange();
}

// The caption area sizes the control: the window lays out anew, which makes its controls again
// (this one too), so nothing of this control is touched afterwards.
void TdxBarEditControl::CaptionChanged() {
    LayoutChanged();
}

int TdxBarEditControl::CaptionAreaWidth() const {
    TdxBarEdit* E = Edit();
    if (E == nullptr || Parent() == nullptr) return 0;
    if (!(Parent()->IsSubMenuControl() || E->ShowCaption())) return 0;
    const std::string Caption = RemoveAccelChars(GetCaption());
    pg::TSize Size{};
    TCustomdxBarControl* Bar = Parent();
    if (Bar->Canvas().HandleAllocated()) {
        const pg::HDC DC = Bar->PaintDC();
        pg::GetTextExtentPoint32(DC, Caption.c_str(), static_cast<int>(Caption.size()), &Size);
    } else {
        // Laid out outside painting: a screen context measures in the bar window's font, as
        // the painting will draw the caption.
        const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
        pg::SelectObject(DC, Bar->Font().Handle());
        pg::GetTextExtentPoint32(DC, Caption.c_str(), static_cast<int>(Caption.size()), &Size);
        pg::DeleteDC(DC);
    }
    return Painter().GetEditCaptionAreaWidth(PaintedItem(), Size.cx);
}

int TdxBarEditControl::GetDefaultHeight() const {
    const int Height = Parent() ? Parent()->HeightMetric() : 19;
    TdxBarEdit* E = Edit();
    if (E && E->ShowCaption() && Parent()) return std::max(Height, Parent()->TextSize());
    return Height;
}

int TdxBarEditControl::GetDefaultWidth() const {
    TdxBarItemLink* Link = ItemLink();
    TdxBarEdit* E = Edit();
    // The link's own width, else the edit's.
    const int Width = E == nullptr ? 100 : Link ? Link->GetWidth() : E->Width();
    return CaptionAreaWidth() + Width;
}

bool TdxBarEditControl::IsSelected() const {
    if (Parent() && Parent()->IsCustomizing()) return false;
    return TdxBarWinControl::IsSelected();
}

void TdxBarEditControl::FillPaintedItem(TdxBarItemControlState& State) const {
    TdxBarWinControl::FillPaintedItem(State);
    if (TdxBarWindowItem* Item = WindowItem()) State.Text = Item->Text();
    if (auto* C = dynamic_cast<TdxBarCustomCombo*>(Item())) {
        State.Entries.clear();
        for (int I = 0; I < C->Items().Count(); ++I)
            State.Entries.push_back(C->Items()[I]);
        State.ItemIndex = C->ItemIndex();
    }
}

TdxBarItemControl::TRect TdxBarEditControl::EditPart(const TRect& R) const {
    return R;
}

void TdxBarEditControl::Paint(const TRect& Rect, TdxBarPaintType Kind) {
    if (pg::IsRectEmpty(Rect) || Parent() == nullptr) return;
    const TdxBarItemControlState& Painted = PaintedItem();
    const pg::HDC DC = Parent()->PaintDC();
    TRect R = Rect;
    TdxBarItemStates S = PaintStates(Kind);
    // The painter places the caption and says where the edit part starts.
    if (CaptionAreaWidth() > 0) Painter().DrawEditCaption(Painted, DC, R, S);
    TRect Part = EditPart(R);
    Painter().DrawEditBorder(Painted, DC, Part, S.Selected || Focused());
    if (GetEnabled()) SetBounds(Part);
    if (!(Focused() && GetEnabled())) Painter().DrawEditContent(Painted, DC, Part);
}

// ---- TCustomdxBarComboControl ----

const TdxBarItemControlClass& TCustomdxBarComboControl::ClassRef() {
    static const TdxBarItemControlClass cls(
        "TCustomdxBarComboControl", &TdxBarEditControl::ClassRef(),
        pc::ConstructorOf<TCustomdxBarComboControl, TdxBarItemControl, TdxBarItemLink*>());
    return cls;
}

TCustomdxBarComboControl::TCustomdxBarComboControl(TdxBarItemLink* AItemLink)
    : TdxBarEditControl(AItemLink) {}

TCustomdxBarComboControl::~TCustomdxBarComboControl() {
    SetDroppedDown(false);
}

int TCustomdxBarComboControl::GetDropDownButtonWidth() const {
    return Painter().GetComboButtonFrame() + (Parent() ? Parent()->WidthMetric() : 11);
}

TdxBarItemControl::TRect TCustomdxBarComboControl::ButtonPart(const TRect& R) const {
    return {std::max(R.Left, R.Right - GetDropDownButtonWidth()), R.Top, R.Right, R.Bottom};
}

TdxBarItemControl::TRect TCustomdxBarComboControl::EditPart(const TRect& R) const {
    return {R.Left, R.Top, ButtonPart(R).Left, R.Bottom};
}

void TCustomdxBarComboControl::Paint(const TRect& Rect, TdxBarPaintType Kind) {
    TdxBarEditControl::Paint(Rect, Kind);
    if (pg::IsRectEmpty(Rect) || Parent() == nullptr) return;
    TRect Button = ButtonPart(Rect);
    const pg::HDC DC = Parent()->PaintDC();
    Painter().DrawComboButton(PaintedItem(), DC, FDroppedDown, Button, PaintStates(Kind));
}

void TCustomdxBarComboControl::SetDroppedDown(bool Value) {
    TCustomdxBarCombo* C = Combo();
    if (C == nullptr || C->ReadOnly || Value == FDroppedDown || Parent() == nullptr) return;
    FDroppedDown = Value;
    Repaint();
    TCustomdxBarControl* Bar = Parent();
    if (!Value) {
        // The presses in the window no longer belong to the bar.
        Bar->OpenPopup = pc::NullHWnd;
        C->CloseUp();
        return;
    }
    // Under the edit part in a horizontal toolbar, beside the control elsewhere.
    const TRect R = Bar->GetItemRect(this);
    const pg::TPoint At = InHorizontalToolbar()
                              ? Bar->ClientToScreen({R.Left + CaptionAreaWidth(), R.Bottom})
                              : Bar->ClientToScreen({R.Right, R.Top});
    auto Self = toolkit::base::cxAddObjectLink(this);
    auto ComboAlive = toolkit::base::cxAddObjectLink(C);
    C->DropDown(At.X, At.Y);
    // A press in the window does not end the bar's use.
    if (Self->Ref && ComboAlive->Ref && FDroppedDown && dxBarUnit().BarControlExists(Bar))
        Bar->OpenPopup = C->GetDropDownWindow();
}

bool TCustomdxBarComboControl::WindowKeyDown(std::uint16_t& Key, pf::TShiftState Shift) {
    const bool Alt = (Shift & pf::ssAlt) != 0;
    if (Key == pw::VK_F4 || (Alt && (Key == pw::VK_UP || Key == pw::VK_DOWN))) {
        SetDroppedDown(!FDroppedDown);
        return true;
    }
    if (FDroppedDown)
        if (TCustomdxBarCombo* C = Combo(); C && C->CheckKeyForDropDownWindow(Key, Shift)) {
            if (const pc::HWND Window = C->GetDropDownWindow(); Window != pc::NullHWnd)
                pc::SendMessage(Window, pw::WM_KEYDOWN, Key, 0);
            return true;
        }
    return TdxBarEditControl::WindowKeyDown(Key, Shift);
}

// The focus going to the bar window or to the combo's own drop-down leaves the editing on.
void TCustomdxBarComboControl::WindowExit(pc::HWND NewFocus) {
    TCustomdxBarCombo* C = Combo();
    const pc::HWND DropDown = FDroppedDown && C ? C->GetDropDownWindow() : pc::NullHWnd;
    if (NewFocus != pc::NullHWnd && (NewFocus == BarWindowHandle() || NewFocus == DropDown ||
                                     (DropDown != pc::NullHWnd && pw::IsChild(DropDown, NewFocus))))
        return;
    RemoveWaitingChars();
    TdxBarEditControl::WindowExit(NewFocus);
}

void TCustomdxBarComboControl::ControlInactivate(bool Immediately) {
    SetDroppedDown(false);
    TdxBarEditControl::ControlInactivate(Immediately);
}

void TCustomdxBarComboControl::EnabledChanged() {
    SetDroppedDown(false);
    TdxBarEditControl::EnabledChanged();
}

void TCustomdxBarComboControl::MouseDown(bool ByMouse) {
    const bool WasDropped = FDroppedDown;
    auto Self = toolkit::base::cxAddObjectLink(this);
    TdxBarEditControl::MouseDown(ByMouse);
    if (Self->Ref == nullptr || !ByMouse || Parent() == nullptr) return;
    const TRect R = Parent()->GetItemRect(this);
    pg::TPoint Cursor{};
    pw::GetCursorPos(&Cursor);
    const pg::TPoint P = Parent()->ScreenToClient(Cursor);
    if (pg::PtInRect(ButtonPart(R), P)) SetDroppedDown(!WasDropped);
}

// ---- TdxBarComboControl ----

const TdxBarItemControlClass& TdxBarComboControl::ClassRef() {
    static const TdxBarItemControlClass cls(
        "TdxBarComboControl", &TCustomdxBarComboControl::ClassRef(),
        pc::ConstructorOf<TdxBarComboControl, TdxBarItemControl, TdxBarItemLink*>());
    return cls;
}

void TdxBarComboControl::SetFocused(bool Value) {
    if (Value)
        if (TdxBarCustomCombo* C = CustomCombo()) FItemIndex = C->ItemIndex();
    TCustomdxBarComboControl::SetFocused(Value);
}

void TdxBarComboControl::ListIndexChosen(int Index) {
    TdxBarCustomCombo* C = CustomCombo();
    if (C == nullptr || Index < 0 || Index >= C->Items().Count()) return;
    FItemIndex = Index;
    SetText(C->Items()[Index]);
}

// Within the list: past either end the index stays; an index outside it shows the item's text.
void TdxBarComboControl::Step(int Direction) {
    TdxBarCustomCombo* C = CustomCombo();
    if (C == nullptr) return;
    const int Count = C->Items().Count();
    if (Direction < 0 && FItemIndex > 0) --FItemIndex;
    if (Direction > 0 && FItemIndex < Count - 1) ++FItemIndex;
    SetText(FItemIndex >= 0 && FItemIndex < Count ? C->Items()[FItemIndex] : C->Text());
}

bool TdxBarComboControl::WindowKeyDown(std::uint16_t& Key, pf::TShiftState Shift) {
    TdxBarCustomCombo* C = CustomCombo();
    if (C && !C->ReadOnly) {
        const bool Plain = (Shift & (pf::ssShift | pf::ssAlt | pf::ssCtrl)) == 0;
        if (Plain && !DroppedDown() && (Key == pw::VK_UP || Key == pw::VK_DOWN)) {
            Step(Key == pw::VK_UP ? -1 : 1);
            return true;
        }
        if ((Key == pw::VK_RETURN || Key == pw::VK_TAB) && FItemIndex >= 0 &&
            FItemIndex < C->Items().Count() && GetText() == C->Items()[FItemIndex])
            C->SetItemIndex(FItemIndex);
    }
    return TCustomdxBarComboControl::WindowKeyDown(Key, Shift);
}

bool TdxBarComboControl::WindowMouseWheel(int Delta) {
    TdxBarCustomCombo* C = CustomCombo();
    if (C == nullptr || C->ReadOnly || Delta == 0) return false;
    if (!DroppedDown()) {
        Step(Delta > 0 ? -1 : 1);
        return true;
    }
    if (const pc::HWND Window = C->GetDropDownWindow(); Window != pc::NullHWnd)
        pc::SendMessage(Window, pw::WM_VSCROLL, Delta > 0 ? pw::SB_LINEUP : pw::SB_LINEDOWN, 0);
    return true;
}

} // namespace toolkit::bars
