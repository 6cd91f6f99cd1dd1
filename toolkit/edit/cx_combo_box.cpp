#include "toolkit/edit/cx_combo_box.h"

#include "toolkit/edit/cx_combo_box_view.h"

#include "platform/core/text.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

#include <algorithm>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

int VScrollWidth() {
    return pg::GetSystemMetrics(pg::SM_CXVSCROLL);
}
int HScrollHeight() {
    return pg::GetSystemMetrics(pg::SM_CYHSCROLL);
}

} // namespace

// ---- properties ----

const TcxCustomEditPropertiesClass& TcxCustomComboBoxProperties::ClassRef() {
    static const TcxCustomEditPropertiesClass Class(
        "TcxCustomComboBoxProperties", &TcxCustomDropDownEditProperties::ClassRef(),
        pc::ConstructorOf<TcxCustomComboBoxProperties, toolkit::base::TcxInterfacedPersistent,
                          pc::TPersistent*>());
    return Class;
}

TcxCustomComboBoxProperties::TcxCustomComboBoxProperties(pc::TPersistent* AOwner)
    : TcxCustomDropDownEditProperties(AOwner) {}

void TcxCustomComboBoxProperties::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxCustomComboBoxProperties*>(Source);
    if (!S) {
        TcxCustomDropDownEditProperties::Assign(Source);
        return;
    }
    WithinUpdate([&] {
        TcxCustomDropDownEditProperties::Assign(Source);
        FDropDownListStyle = S->FDropDownListStyle;
        FDropDownRows = S->FDropDownRows;
        FItemHeight = S->FItemHeight;
        FRevertable = S->FRevertable;
        OnDrawItem = S->OnDrawItem;
        OnMeasureItem = S->OnMeasureItem;
    });
}

void TcxCustomComboBoxProperties::SetDropDownListStyle(TcxEditDropDownListStyle Value) {
    if (FDropDownListStyle == Value) return;
    FDropDownListStyle = Value;
    Changed();
}

void TcxCustomComboBoxProperties::SetDropDownRows(int Value) {
    if (Value < 1 || Value == FDropDownRows) return;
    FDropDownRows = Value;
    Changed();
}

void TcxCustomComboBoxProperties::SetItemHeight(int Value) {
    if (FItemHeight == Value) return;
    FItemHeight = Value;
    Changed();
}

bool TcxCustomComboBoxProperties::IsMasked() const {
    return FDropDownListStyle == lsEditList && TcxCustomDropDownEditProperties::IsMasked();
}

TcxTextEditingStyle TcxCustomComboBoxProperties::GetEditingStyle() const {
    switch (FDropDownListStyle) {
    case lsEditFixedList:
        return tesEditList;
    case lsFixedList:
        return tesFixedList;
    default:
        return tesEdit;
    }
}

std::unique_ptr<TcxCustomTextEditLookupData>
TcxCustomComboBoxProperties::CreateLookupData(TcxCustomTextEdit& AOwner) const {
    return std::make_unique<TcxComboBoxLookupData>(AOwner);
}

std::unique_ptr<TcxCustomEditPopupWindow>
TcxCustomComboBoxProperties::CreatePopupWindow(TcxCustomDropDownEdit* AEdit) const {
    return std::make_unique<TcxComboBoxPopupWindow>(AEdit);
}

std::unique_ptr<TcxCustomEditViewData>
TcxCustomComboBoxProperties::CreateViewData(TcxCustomEditStyle& AStyle, bool AIsInplace) {
    return std::make_unique<TcxCustomComboBoxViewData>(*this, AStyle, AIsInplace);
}

std::function<std::unique_ptr<TcxCustomEditViewInfo>()>
TcxCustomComboBoxProperties::GetViewInfoClass() const {
    return [] { return std::make_unique<TcxCustomComboBoxViewInfo>(); };
}

const pc::TComponentClass& TcxCustomComboBoxProperties::GetContainerClass() const {
    return TcxComboBox::ClassRef();
}

const TcxCustomEditPropertiesClass& TcxComboBoxProperties::ClassRef() {
    static const TcxCustomEditPropertiesClass Class(
        "TcxComboBoxProperties", &TcxCustomComboBoxProperties::ClassRef(),
        pc::ConstructorOf<TcxComboBoxProperties, toolkit::base::TcxInterfacedPersistent,
                          pc::TPersistent*>());
    return Class;
}

TcxComboBoxProperties::TcxComboBoxProperties(pc::TPersistent* AOwner)
    : TcxCustomComboBoxProperties(AOwner) {
    BeginUpdate();
    SetAutoSelect(true);
    SetHideSelection(true);
    SetImmediateDropDown(true);
    SetIncrementalSearch(true);
    SetValidateOnEnter(true);
    SetPopupSizeable(false);
    EndUpdate(false);
}

// ---- the list ----

TcxComboBoxListBox::TcxComboBoxListBox(TcxCustomComboBox& AEdit)
    : TcxCustomEditListBox(&AEdit), FEdit(AEdit) {
    Style = pf::lbOwnerDrawVariable;
}

int TcxComboBoxListBox::GetItemHeight(int Index) {
    const int Fixed = FEdit.ActiveProperties().ItemHeight();
    int Height = Fixed >= 1 ? Fixed : TcxCustomEditListBox::GetItemHeight();
    if (Index >= 0 && FEdit.HasMeasureItemHandler()) FEdit.DoMeasureItem(Index, Height);
    return Height;
}

int TcxComboBoxListBox::GetItemsHeight(int Count) {
    int Sum = 0;
    for (int I = 0; I < Count; ++I)
        Sum += GetItemHeight(I);
    return Sum;
}

void TcxComboBoxListBox::RefreshStyle() {
    SetItemHeight(GetItemHeight(-1));
    Style = FEdit.HasMeasureItemHandler() ? pf::lbOwnerDrawVariable : pf::lbOwnerDrawFixed;
}

void TcxComboBoxListBox::SetItemIndex(int Value) {
    FEdit.SetIgnoreListMouseMove(true);
    TcxCustomEditListBox::SetItemIndex(Value);
}

void TcxComboBoxListBox::CreateParams(TCreateParams& Params) {
    TcxCustomEditListBox::CreateParams(Params);
    // A drawing handler may draw across the row: a change of width repaints it whole.
    if (FEdit.HasDrawItemHandler()) Params.classStyle |= pw::CS_HREDRAW;
}

bool TcxComboBoxListBox::DoDrawItem(int Index, const pg::TRect& Rect, pf::TOwnerDrawState State) {
    if (!FEdit.HasDrawItemHandler()) return false;
    FEdit.DoDrawItem(cxCanvas(), Index, Rect, State);
    return true;
}

void TcxComboBoxListBox::MeasureItem(int Index, int& Height) {
    Height = GetItemHeight(Index);
}

void TcxComboBoxListBox::MouseMove(pf::TShiftState Shift, int X, int Y) {
    // The pointer may rest over the list as it opens: only a real move selects under it.
    if (FEdit.IgnoreListMouseMove()) {
        FEdit.SetIgnoreListMouseMove(false);
        TcxCustomInnerListBox::MouseMove(Shift, X, Y);
        return;
    }
    TcxCustomEditListBox::MouseMove(Shift, X, Y);
}

void TcxComboBoxListBox::MouseUp(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) {
    TcxCustomEditListBox::MouseUp(Button, Shift, X, Y);
    if (Button != pf::mbLeft) return;
    const int Index = ItemAtPos({X, Y}, true);
    if (Index < 0) return;
    if (HandleAllocated() && pw::GetCapture() == Handle()) pw::ReleaseCapture();
    SetItemIndex(Index);
    if (OnItemIndexChanged) OnItemIndexChanged(this);
    FEdit.PopupCloseUp(CloseReasonAccept);
}

// ---- lookup data ----

TcxComboBoxLookupData::TcxComboBoxLookupData(TcxCustomTextEdit& AOwner)
    : TcxCustomTextEditLookupData(AOwner) {}

TcxCustomTextEditLookupData::TListBoxFactory TcxComboBoxLookupData::GetListBoxClass() {
    return [this](TcxCustomTextEdit& Owner) -> std::unique_ptr<TcxCustomInnerListBox> {
        auto& Combo = static_cast<TcxCustomComboBox&>(Owner);
        auto List = std::make_unique<TcxComboBoxListBox>(Combo);
        List->LookAndFeel().SetMasterLookAndFeel(&Combo.PopupControlsLookAndFeel());
        List->OnGetItemText = [this](int Index) { return GetDisplayText(Variant::Integer(Index)); };
        List->OnGetEditingStyle = [&Combo] { return static_cast<int>(Combo.EditingStyle()); };
        List->OnItemIndexChanged = [this](pc::TObject*) { UpdateActiveIndexFromList(); };
        List->RefreshStyle();
        return List;
    };
}

TcxComboBoxListBox* TcxComboBoxLookupData::List() {
    return static_cast<TcxComboBoxListBox*>(GetListBox());
}

void TcxComboBoxLookupData::GetPopupSize(int MaxHeight, int MaxWidth, pg::TSize& Size) {
    TcxComboBoxListBox* L = List();
    const int Count = GetItemCount();
    const int Rows =
        std::min(Count, static_cast<TcxCustomComboBox&>(Edit()).ActiveProperties().DropDownRows());
    Size.cy = L->GetItemsHeight(Rows);
    int Widest = 0;
    for (int I = 0; I < Count; ++I)
        Widest = std::max(Widest, L->GetItemWidth(I));
    Size.cx = Widest + 4;
    FScrollWidth = Size.cx;
    L->SetScrollWidth(Size.cx);
    if (Count > Rows || (MaxHeight >= 1 && Size.cy > MaxHeight)) Size.cx += VScrollWidth();
    if (MaxWidth > 0 && Size.cx > MaxWidth) Size.cy += HScrollHeight();
}

void TcxComboBoxLookupData::AdjustPopupSize(pg::TSize& Size, int MaxHeight, int MaxWidth) {
    TcxComboBoxListBox* L = List();
    if (!L || (Size.cx == L->Width() && Size.cy == L->Height())) return;
    const int Count = GetItemCount();
    const bool Growing = Size.cy >= L->Height();
    // The height of the first Rows rows, with the horizontal bar when the width left needs it.
    auto Candidate = [&](int Rows, bool VScroll) {
        const int Left = Size.cx - (VScroll ? VScrollWidth() : 0);
        const bool HScroll = FScrollWidth > Left || (MaxWidth > 0 && Left > MaxWidth);
        return L->GetItemsHeight(Rows) + (HScroll ? HScrollHeight() : 0);
    };
    int Rows = Count;
    int Height = Candidate(Count, false);
    for (int I = 1; I <= Count; ++I) {
        const int C = Candidate(I, I < Count);
        if (C == Size.cy && (MaxHeight <= 0 || C <= MaxHeight)) {
            Rows = I;
            Height = C;
            break;
        }
        if ((MaxHeight > 0 && C > MaxHeight) || (C > Size.cy && Growing)) {
            Rows = I - 1;
            Height = Candidate(Rows, true);
            break;
        }
        if (C > Size.cy) {
            Rows = I;
            Height = C;
            break;
        }
    }
    const bool HScroll = Height > L->GetItemsHeight(Rows);
    Size.cy = Height;
    if (Rows < Count) Size.cx = std::max(Size.cx, VScrollWidth() * (HScroll ? 2 : 1));
}

// ---- popup window ----

TSize TcxComboBoxPopupWindow::GetClientPreferredSize() {
    TSize Size{0, 0};
    if (auto* Edit = dynamic_cast<TcxCustomComboBox*>(OwnerControl()))
        Edit->GetPopupWindowClientPreferredSize(Size);
    return Size;
}

void TcxComboBoxPopupWindow::CalculateSize() {
    EditViewInfo().GripCorner = gcBottomRight;
    auto* Edit = dynamic_cast<TcxCustomComboBox*>(OwnerControl());
    if (Edit) {
        OwnerBounds = Edit->GetPopupOwnerBounds();
        OwnerParent = Edit->Parent();
    }
    CalculateViewInfo();
    const TRect E = EditViewInfo().GetClientExtents();
    const TSize Min = GetMinSize();
    const TSize Client = GetClientPreferredSize();
    const bool Resized = Sizeable && Edit && Edit->PopupSizeChanged();
    const int EditWidth = OwnerBounds.Width();
    int W = 0;
    if (Resized || (!AutoSize && PreferredWidth >= 1))
        W = PreferredWidth;
    else if (AutoSize)
        W = std::max(Client.cx + E.Left + E.Right, EditWidth);
    else
        W = EditWidth;
    int H = 0;
    if ((!Resized && PreferredHeight == 0) || (!Sizeable && AutoSize))
        H = Client.cy + E.Top + E.Bottom;
    else
        H = PreferredHeight;
    if (Sizeable) {
        W = std::max(W, MinWidth);
        H = std::max(H, MinHeight);
    }
    SetBounds(Left(), Top(), std::max(W, Min.cx), std::max(H, Min.cy));
}

bool TcxComboBoxPopupWindow::CanResize(int& NewWidth, int& NewHeight) {
    if (!TcxCustomEditPopupWindow::CanResize(NewWidth, NewHeight)) return false;
    auto* Edit = dynamic_cast<TcxCustomComboBox*>(OwnerControl());
    if (!Edit || !Edit->ILookupData().CanResizeList()) return true;
    const TRect E = EditViewInfo().GetClientExtents();
    TSize Client{NewWidth - E.Left - E.Right, NewHeight - E.Top - E.Bottom};
    Edit->ComboLookupData().AdjustPopupSize(Client, GetMaxClientSize().cy, 0);
    NewWidth = Client.cx + E.Left + E.Right;
    NewHeight = std::max(Client.cy + E.Top + E.Bottom, GetMinSize().cy);
    return true;
}

void TcxComboBoxPopupWindow::Resize() {
    TcxCustomEditPopupWindow::Resize();
    if (auto* Edit = dynamic_cast<TcxCustomComboBox*>(OwnerControl()))
        if (!IsLayoutLocked) Edit->ILookupData().PositionList(GetClientBounds());
}

// ---- editor ----

const pc::TComponentClass& TcxCustomComboBox::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxCustomComboBox", &TcxCustomDropDownEdit::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxCustomComboBox>(AOwner); });
    return Class;
}

TcxCustomComboBox::TcxCustomComboBox(pc::TComponent* AOwner, bool AIsInplace,
                                     const TcxCustomEditPropertiesClass* APropertiesClass)
    : TcxCustomDropDownEdit(AOwner, AIsInplace,
                            APropertiesClass ? APropertiesClass
                                             : &TcxCustomComboBoxProperties::ClassRef()) {
    // Mouse clicks raise no click events.
    SetControlStyle(ControlStyle() & ~pf::csClickEvents);
}

TcxCustomComboBoxProperties& TcxCustomComboBox::Properties() const {
    return static_cast<TcxCustomComboBoxProperties&>(TcxCustomDropDownEdit::Properties());
}

TcxCustomComboBoxProperties& TcxCustomComboBox::ActiveProperties() const {
    return static_cast<TcxCustomComboBoxProperties&>(TcxCustomDropDownEdit::ActiveProperties());
}

TcxComboBoxLookupData& TcxCustomComboBox::ComboLookupData() {
    return static_cast<TcxComboBoxLookupData&>(LookupData());
}

bool TcxCustomComboBox::IsInnerEditShown() {
    return !(EditingStyle() == tesFixedList && HasDrawItemHandler());
}

bool TcxCustomComboBox::HasMeasureItemHandler() const {
    return Properties().OnMeasureItem || (RepositoryItem() && ActiveProperties().OnMeasureItem);
}

bool TcxCustomComboBox::HasDrawItemHandler() const {
    return Properties().OnDrawItem || (RepositoryItem() && ActiveProperties().OnDrawItem);
}

void TcxCustomComboBox::DoMeasureItem(int Index, int& Height) {
    if (Properties().OnMeasureItem) Properties().OnMeasureItem(this, Index, Height);
    if (RepositoryItem() && &ActiveProperties() != &Properties() &&
        ActiveProperties().OnMeasureItem)
        ActiveProperties().OnMeasureItem(this, Index, Height);
}

void TcxCustomComboBox::DoDrawItem(toolkit::base::TcxCanvas& Canvas, int Index, const TRect& Rect,
                                   pf::TOwnerDrawState State) {
    if (Properties().OnDrawItem) Properties().OnDrawItem(this, Canvas, Index, Rect, State);
    if (RepositoryItem() && &ActiveProperties() != &Properties() && ActiveProperties().OnDrawItem)
        ActiveProperties().OnDrawItem(this, Canvas, Index, Rect, State);
}

bool TcxCustomComboBox::CanDropDown() {
    return !ILookupData().IsEmpty();
}

void TcxCustomComboBox::GetPopupWindowClientPreferredSize(pg::TSize& Size) {
    TcxCustomEditPopupWindow* W = PopupWindow();
    if (!W) return;
    const TcxCustomComboBoxProperties& P = ActiveProperties();
    const TSize Max = W->GetMaxClientSize();
    int MaxWidth = Max.cx;
    if (!P.PopupSizeable() && !P.PopupAutoSize()) {
        const TRect E = W->EditViewInfo().GetClientExtents();
        const int Wanted = (P.PopupWidth() >= 1 ? P.PopupWidth() : Width()) - E.Left - E.Right;
        MaxWidth = std::min(Max.cx, Wanted);
    }
    ComboLookupData().GetPopupSize(Max.cy, MaxWidth, Size);
}

void TcxCustomComboBox::SetupPopupWindow() {
    TcxCustomDropDownEdit::SetupPopupWindow();
    PopupWindow()->SysPanelStyle = ActiveProperties().PopupSizeable();
}

void TcxCustomComboBox::InternalDropDown() {
    if (TcxComboBoxListBox* L = ComboLookupData().List()) L->RefreshStyle();
    TcxCustomDropDownEdit::InternalDropDown();
    if (TcxComboBoxListBox* L = ComboLookupData().List()) L->Invalidate();
}

void TcxCustomComboBox::PopupWindowShowed() {
    TcxCustomDropDownEdit::PopupWindowShowed();
    TPoint P;
    pw::GetCursorPos(&P);
    if (ILookupData().IsMouseOverList(P)) FIgnoreListMouseMove = true;
}

void TcxCustomComboBox::Activate() {
    TcxCustomDropDownEdit::Activate();
    ILookupData().TextChanged();
}

bool TcxCustomComboBox::IsPlainTextModifiable() {
    return TcxCustomDropDownEdit::IsPlainTextModifiable() &&
           ActiveProperties().DropDownListStyle() == lsEditList;
}

void TcxCustomComboBox::ChangeHandler(pc::TObject* Sender) {
    if (FChanging) {
        TcxCustomDropDownEdit::ChangeHandler(Sender);
        return;
    }
    const Variant OldKey = ILookupData().GetCurrentKey();
    FChanging = true;
    LockChangeEvents(true);
    try {
        TcxCustomDropDownEdit::ChangeHandler(Sender);
        // A free-text editor leaves its selection alone while the text still shows the item.
        const bool Skip =
            !LookupDrivenChange() && !DroppedDown() && EditingStyle() == tesEdit &&
            (!InternalFocused() || pc::AnsiSameText(Text(), ILookupData().GetDisplayText(OldKey)));
        if (!Skip && !LookupDrivenChange()) ILookupData().TextChanged();
    } catch (...) {
        LockChangeEvents(false);
        FChanging = false;
        throw;
    }
    LockChangeEvents(false);
    FChanging = false;
    if (!VarEqualsExact(OldKey, ILookupData().GetCurrentKey()) &&
        ActiveProperties().IncrementalSearch())
        DoEditValueChanged();
}

void TcxCustomComboBox::DblClick() {
    TcxCustomDropDownEdit::DblClick();
    if (!ActiveProperties().Revertable() || DroppedDown() || FDblClickGuard) return;
    const int Old = GetItemIndex();
    FDblClickGuard = true;
    LockChangeEvents(true);
    try {
        ILookupData().Go(egdNext, true);
        if (GetItemIndex() != Old && Modified() && ActiveProperties().ImmediatePost() &&
            ValidateEdit(true))
            InternalPostEditValue(false);
    } catch (...) {
        LockChangeEvents(false);
        FDblClickGuard = false;
        throw;
    }
    LockChangeEvents(false);
    FDblClickGuard = false;
}

void TcxCustomComboBox::MouseMove(pf::TShiftState Shift, int X, int Y) {
    TcxCustomDropDownEdit::MouseMove(Shift, X, Y);
    if (!DroppedDown() || !HandleAllocated() || pw::GetCapture() != Handle()) return;
    TcxCustomInnerListBox* L = ILookupData().GetListBox();
    if (!L) return;
    const TPoint Screen = ClientToScreen({X, Y});
    const TPoint InPopup = PopupWindow()->ScreenToClient(Screen);
    if (!pg::PtInRect(PopupWindow()->GetClientBounds(), InPopup) ||
        !ILookupData().IsMouseOverList(Screen))
        return;
    // The press moves into the list: the list takes it over and selects there.
    const TPoint InList = L->ScreenToClient(Screen);
    pc::SendMessage(L->Handle(), pw::WM_LBUTTONDOWN, pw::MK_LBUTTON,
                    pw::MAKELPARAM(InList.X, InList.Y));
}

const pc::TComponentClass& TcxComboBox::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxComboBox", &TcxCustomComboBox::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxComboBox>(AOwner); });
    return Class;
}

TcxComboBox::TcxComboBox(pc::TComponent* AOwner, bool AIsInplace)
    : TcxCustomComboBox(AOwner, AIsInplace, &TcxComboBoxProperties::ClassRef()) {}

TcxComboBoxProperties& TcxComboBox::Properties() const {
    return static_cast<TcxComboBoxProperties&>(TcxCustomComboBox::Properties());
}

} // namespace toolkit::edit
