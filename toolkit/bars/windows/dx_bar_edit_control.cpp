#include "toolkit/bars/windows/dx_bar_edit_control.h"

#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"

#include "toolkit/base/object_links.h"

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
    pf::TEdit::Dispatch(Message);
    // The item hears of the window's own focus: a form's enter and exit come only when the
    // focus moves within that form, and the bar's use ends whenever the window loses it.
    if (FControl == nullptr) return;
    if (Message.Msg == pw::WM_SETFOCUS) {
        if (TdxBarWindowItem* Item = FControl->WindowItem()) Item->DoEnter();
    } else if (Message.Msg == pw::WM_KILLFOCUS) {
        if (FControl->Focused())
            FControl->WindowExit();
        else if (TdxBarWindowItem* Item = FControl->WindowItem())
            Item->DoExit();
    }
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

bool TdxBarEditWindow::WantsKey(std::uint16_t Key) const {
    switch (Key) {
    case pw::VK_RETURN:
    case pw::VK_ESCAPE:
    case pw::VK_TAB:
    case pw::VK_UP:
    case pw::VK_DOWN:
    case pw::VK_F4:
        return true;
    default:
        return pf::TEdit::WantsKey(Key);
    }
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
        if (W != FWindow->BoundsRect()) FWindow->SetBoundsRect(W);
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
        auto Self = toolkit::base::cxAddObjectLink(this);
        CancelEditing();
        return true;
    }
    case pw::VK_TAB: {
        auto Self = toolkit::base::cxAddObjectLink(this);
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

void TdxBarWinControl::WindowExit() {
    auto Self = toolkit::base::cxAddObjectLink(this);
    TCustomdxBarControl* Bar = Parent();
    SetFocused(false);
    if (Self->Ref && Bar && dxBarUnit().BarControlExists(Bar)) Bar->HideAll();
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
    if (Window()->Text() != Text) TdxBarWinControl::SetText(Text);
    Window()->SelectAll();
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
    const pg::HDC DC = Parent()->PaintDC();
    pg::GetTextExtentPoint32(DC, Caption.c_str(), static_cast<int>(Caption.size()), &Size);
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
    if (auto* C = dynamic_cast<TCustomdxBarCombo*>(Item())) {
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
    const int CaptionWidth = CaptionAreaWidth();
    if (CaptionWidth > 0) {
        TRect C{R.Left, R.Top, R.Left + CaptionWidth, R.Bottom};
        Painter().DrawEditCaption(Painted, DC, C, S);
        R.Left += CaptionWidth;
    }
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
    if (FDropDown) FDropDown->Close();
}

TdxBarItemControl::TRect TCustomdxBarComboControl::ButtonPart(const TRect& R) const {
    const int Width = Painter().GetComboButtonFrame() + (Parent() ? Parent()->WidthMetric() : 11);
    return {std::max(R.Left, R.Right - Width), R.Top, R.Right, R.Bottom};
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
    if (Value) {
        const TRect R = Parent()->GetItemRect(this);
        const TRect Edit = EditPart({R.Left + CaptionAreaWidth(), R.Top, R.Right, R.Bottom});
        const bool Horizontal =
            Parent()->DockingStyle() == dsTop || Parent()->DockingStyle() == dsBottom;
        const pg::TPoint At = Horizontal ? Parent()->ClientToScreen({Edit.Left, R.Bottom})
                                         : Parent()->ClientToScreen({R.Right, R.Top});
        if (C->OnDropDown) C->OnDropDown(C);
        if (!FDropDown) FDropDown = std::make_unique<TdxBarComboDropDown>(*this);
        FDropDown->Open(At, std::max(C->DropDownWidth, R.Right - Edit.Left));
    } else {
        if (FDropDown) FDropDown->Close();
        if (C->OnCloseUp) C->OnCloseUp(C);
    }
}

void TCustomdxBarComboControl::EntryPicked(int Index) {
    auto Self = toolkit::base::cxAddObjectLink(this);
    SetDroppedDown(false);
    if (Self->Ref == nullptr) return;
    TCustomdxBarCombo* C = Combo();
    if (C == nullptr || Index < 0 || Index >= C->Items().Count()) return;
    C->SetItemIndex(Index);
    if (Self->Ref == nullptr) return;
    FSettingText = true;
    SetText(C->Text());
    FSettingText = false;
}

bool TCustomdxBarComboControl::WindowKeyDown(std::uint16_t& Key, pf::TShiftState Shift) {
    const bool Alt = (Shift & pf::ssAlt) != 0;
    if (Key == pw::VK_F4 || (Alt && (Key == pw::VK_UP || Key == pw::VK_DOWN))) {
        SetDroppedDown(!FDroppedDown);
        return true;
    }
    if (FDroppedDown && FDropDown && FDropDown->HandleKey(Key)) return true;
    return TdxBarEditControl::WindowKeyDown(Key, Shift);
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
        if (TCustomdxBarCombo* C = Combo()) FItemIndex = C->ItemIndex();
    TCustomdxBarComboControl::SetFocused(Value);
}

void TdxBarComboControl::EntryPicked(int Index) {
    FItemIndex = Index;
    TCustomdxBarComboControl::EntryPicked(Index);
}

bool TdxBarComboControl::WindowKeyDown(std::uint16_t& Key, pf::TShiftState Shift) {
    TCustomdxBarCombo* C = Combo();
    if (C && !C->ReadOnly) {
        const bool Plain = (Shift & (pf::ssShift | pf::ssAlt | pf::ssCtrl)) == 0;
        if (Plain && !DroppedDown() && (Key == pw::VK_UP || Key == pw::VK_DOWN)) {
            const int Count = C->Items().Count();
            if (Count > 0) {
                const int Step = Key == pw::VK_UP ? -1 : 1;
                FItemIndex = std::clamp(FItemIndex + Step, 0, Count - 1);
                FSettingText = true;
                SetText(C->Items()[FItemIndex]);
                FSettingText = false;
            }
            return true;
        }
        if (!DroppedDown() && (Key == pw::VK_RETURN || Key == pw::VK_TAB) && FItemIndex >= 0 &&
            FItemIndex < C->Items().Count() && GetText() == C->Items()[FItemIndex])
            C->SetItemIndex(FItemIndex);
    }
    return TCustomdxBarComboControl::WindowKeyDown(Key, Shift);
}

// ---- TdxBarComboDropDown ----

TdxBarComboDropDown::TdxBarComboDropDown(TCustomdxBarComboControl& Control)
    : pf::TCustomControl(nullptr), FControl(Control) {
    SetVisible(false);
    SetColor(pg::clWindow);
}

int TdxBarComboDropDown::Count() const {
    TCustomdxBarCombo* C = FControl.Combo();
    return C ? C->Items().Count() : 0;
}

int TdxBarComboDropDown::RowHeight() const {
    TCustomdxBarCombo* C = FControl.Combo();
    if (C && C->ItemHeight > 0) return C->ItemHeight;
    return FControl.Parent() ? FControl.Parent()->TextSize() : 16;
}

int TdxBarComboDropDown::Rows() const {
    TCustomdxBarCombo* C = FControl.Combo();
    const int Most = C ? std::max(1, C->DropDownCount) : 8;
    return std::max(1, std::min(Count(), Most));
}

void TdxBarComboDropDown::SetHot(int Index) {
    FHot = Count() == 0 ? -1 : std::clamp(Index, 0, Count() - 1);
    if (FHot >= 0 && FHot < FTop) FTop = FHot;
    if (FHot >= FTop + Rows()) FTop = FHot - Rows() + 1;
    FTop = std::clamp(FTop, 0, std::max(0, Count() - Rows()));
    Invalidate();
}

void TdxBarComboDropDown::Open(pg::TPoint At, int Width) {
    SetBounds(At.X, At.Y, Width, Rows() * RowHeight() + 2);
    FTop = 0;
    TCustomdxBarCombo* C = FControl.Combo();
    SetHot(C ? C->ItemIndex() : -1);
    HandleNeeded();
    pw::ShowWindow(handle_, pw::SW_SHOWNA);
    visible_ = true;
    FOpen = true;
    pw::SetWindowPos(handle_, pw::HWND_TOP, 0, 0, 0, 0,
                     pw::SWP_NOMOVE | pw::SWP_NOSIZE | pw::SWP_NOACTIVATE);
    // A press in the list does not end the bar's use.
    if (TCustomdxBarControl* Bar = FControl.Parent()) Bar->OpenPopup = handle_;
    pw::SetCapture(handle_);
}

void TdxBarComboDropDown::Close() {
    if (!FOpen) return;
    FOpen = false;
    visible_ = false;
    if (TCustomdxBarControl* Bar = FControl.Parent(); Bar && Bar->OpenPopup == handle_)
        Bar->OpenPopup = pc::NullHWnd;
    if (pw::GetCapture() == handle_) pw::ReleaseCapture();
    if (handle_ != pc::NullHWnd) pw::ShowWindow(handle_, pw::SW_HIDE);
}

bool TdxBarComboDropDown::HandleKey(std::uint16_t Key) {
    switch (Key) {
    case pw::VK_UP:
        SetHot(FHot - 1);
        return true;
    case pw::VK_DOWN:
        SetHot(FHot + 1);
        return true;
    case pw::VK_RETURN:
        if (FHot >= 0)
            FControl.EntryPicked(FHot);
        else
            FControl.SetDroppedDown(false);
        return true;
    case pw::VK_ESCAPE:
        FControl.SetDroppedDown(false);
        return true;
    default:
        return false;
    }
}

void TdxBarComboDropDown::CreateParams(TCreateParams& Params) {
    pf::TCustomControl::CreateParams(Params);
    Params.style = pw::WS_POPUP | pw::WS_BORDER;
    Params.exStyle = pw::WS_EX_TOOLWINDOW | pw::WS_EX_TOPMOST | pw::WS_EX_NOACTIVATE;
    Params.parent = pc::NullHWnd;
}

void TdxBarComboDropDown::Paint() {
    const pg::TRect R = ClientRect();
    canvas_.Brush().SetColor(pg::clWindow);
    canvas_.FillRect(R);
    TCustomdxBarCombo* C = FControl.Combo();
    if (C == nullptr) return;
    const int H = RowHeight();
    for (int I = FTop; I < C->Items().Count(); ++I) {
        const pg::TRect Row{0, (I - FTop) * H, R.Right, (I - FTop + 1) * H};
        if (Row.Top >= R.Bottom) break;
        const bool Lit = I == FHot;
        canvas_.Brush().SetColor(Lit ? pg::clHighlight : pg::clWindow);
        canvas_.FillRect(Row);
        canvas_.Font().SetColor(Lit ? pg::clHighlightText : pg::clWindowText);
        pg::TRect Cell{Row.Left + 2, Row.Top, Row.Right, Row.Bottom};
        canvas_.Brush().SetStyle(pg::TBrushStyle::bsClear);
        canvas_.TextRect(Cell, Cell.Left, Cell.Top, C->Items()[I]);
        canvas_.Brush().SetStyle(pg::TBrushStyle::bsSolid);
    }
}

void TdxBarComboDropDown::Dispatch(pf::TMessage& Message) {
    const pg::TPoint P = pw::LParamToPoint(Message.LParam);
    const int H = RowHeight();
    switch (Message.Msg) {
    case pw::WM_MOUSEMOVE:
        if (pg::PtInRect(ClientRect(), P) && FTop + P.Y / H < Count()) {
            const int Index = FTop + P.Y / H;
            if (Index != FHot) SetHot(Index);
        }
        return;
    case pw::WM_LBUTTONDOWN:
    case pw::WM_LBUTTONDBLCLK:
        if (!pg::PtInRect(ClientRect(), P)) FControl.SetDroppedDown(false);
        return;
    case pw::WM_LBUTTONUP:
        if (pg::PtInRect(ClientRect(), P)) {
            const int Index = FTop + P.Y / H;
            if (Index < Count()) FControl.EntryPicked(Index);
        }
        return;
    case pw::WM_MOUSEWHEEL:
        FTop = std::clamp(FTop - pw::GET_WHEEL_DELTA_WPARAM(Message.WParam) / pw::WHEEL_DELTA, 0,
                          std::max(0, Count() - Rows()));
        Invalidate();
        return;
    case pw::WM_CAPTURECHANGED:
        if (FOpen) FControl.SetDroppedDown(false);
        return;
    default:
        break;
    }
    pf::TCustomControl::Dispatch(Message);
}

} // namespace toolkit::bars
