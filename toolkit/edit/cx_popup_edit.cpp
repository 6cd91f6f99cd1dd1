#include "toolkit/edit/cx_popup_edit.h"

#include "toolkit/edit/editor_strings.h"

#include "toolkit/base/free_notificator.h"
#include "toolkit/base/resource_strings.h"

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;

// ---- properties ----

const TcxCustomEditPropertiesClass& TcxCustomPopupEditProperties::ClassRef() {
    static const TcxCustomEditPropertiesClass Class(
        "TcxCustomPopupEditProperties", &TcxCustomDropDownEditProperties::ClassRef(),
        pc::ConstructorOf<TcxCustomPopupEditProperties, toolkit::base::TcxInterfacedPersistent,
                          pc::TPersistent*>());
    return Class;
}

TcxCustomPopupEditProperties::TcxCustomPopupEditProperties(pc::TPersistent* AOwner)
    : TcxCustomDropDownEditProperties(AOwner) {
    FPopupAutoSize = true;
    FPopupMinHeight = 100;
    FPopupMinWidth = 100;
    FPopupHeight = 200;
    FPopupWidth = 250;
    FPopupSizeable = true;
}

TcxCustomPopupEditProperties::~TcxCustomPopupEditProperties() {
    toolkit::base::cxRemoveFreeNotification(&FreeNotificator(), FPopupControl);
}

void TcxCustomPopupEditProperties::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxCustomPopupEditProperties*>(Source);
    WithinUpdate([&] {
        TcxCustomDropDownEditProperties::Assign(Source);
        if (S) SetPopupControl(S->FPopupControl);
    });
}

std::unique_ptr<TcxCustomEditPopupWindow>
TcxCustomPopupEditProperties::CreatePopupWindow(TcxCustomDropDownEdit* AEdit) const {
    return std::make_unique<TcxPopupEditPopupWindow>(AEdit);
}

const pc::TComponentClass& TcxCustomPopupEditProperties::GetContainerClass() const {
    return TcxPopupEdit::ClassRef();
}

void TcxCustomPopupEditProperties::SetPopupControl(pf::TControl* Value) {
    if (FPopupControl == Value) return;
    toolkit::base::cxRemoveFreeNotification(&FreeNotificator(), FPopupControl);
    FPopupControl = Value;
    toolkit::base::cxAddFreeNotification(&FreeNotificator(), FPopupControl);
    Changed();
}

void TcxCustomPopupEditProperties::FreeNotification(pc::TComponent* AComponent) {
    TcxCustomDropDownEditProperties::FreeNotification(AComponent);
    if (AComponent == FPopupControl) {
        FPopupControl = nullptr;
        Changed();
    }
}

const TcxCustomEditPropertiesClass& TcxPopupEditProperties::ClassRef() {
    static const TcxCustomEditPropertiesClass Class(
        "TcxPopupEditProperties", &TcxCustomPopupEditProperties::ClassRef(),
        pc::ConstructorOf<TcxPopupEditProperties, toolkit::base::TcxInterfacedPersistent,
                          pc::TPersistent*>());
    return Class;
}

TcxPopupEditProperties::TcxPopupEditProperties(pc::TPersistent* AOwner)
    : TcxCustomPopupEditProperties(AOwner) {
    FImmediateDropDown = true;
    FImmediatePopup = true;
}

// ---- popup window ----

void TcxPopupEditPopupWindowViewInfo::DrawBorder(TcxCanvas& Canvas, TRect R) {
    if (BorderStyle != epbsFlat || NativeStyle || Painter || OnCustomDrawBorder) {
        TcxCustomEditPopupWindowViewInfo::DrawBorder(Canvas, R);
        return;
    }
    Canvas.DrawComplexFrame(R, pg::clInactiveBorder, pg::clInactiveBorder);
    R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    Canvas.DrawComplexFrame(R, pg::clBtnFace, pg::clBtnFace);
}

TcxPopupEditPopupWindow::TcxPopupEditPopupWindow(TcxCustomEdit* AOwnerControl)
    : TcxCustomEditPopupWindow(AOwnerControl) {
    // The base made its own view info before this class's could be asked for.
    RecreateViewInfo();
}

TcxContainerViewInfoClass TcxPopupEditPopupWindow::GetViewInfoClass() {
    return [] { return std::make_unique<TcxPopupEditPopupWindowViewInfo>(); };
}

TSize TcxPopupEditPopupWindow::GetClientPreferredSize() {
    TSize Size{0, 0};
    if (auto* Edit = dynamic_cast<TcxCustomPopupEdit*>(OwnerControl()))
        Edit->GetPopupWindowClientPreferredSize(Size);
    return Size;
}

// ---- editor ----

const pc::TComponentClass& TcxCustomPopupEdit::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxCustomPopupEdit", &TcxCustomDropDownEdit::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxCustomPopupEdit>(AOwner); });
    return Class;
}

TcxCustomPopupEdit::TcxCustomPopupEdit(pc::TComponent* AOwner, bool AIsInplace,
                                       const TcxCustomEditPropertiesClass* APropertiesClass)
    : TcxCustomDropDownEdit(AOwner, AIsInplace,
                            APropertiesClass ? APropertiesClass
                                             : &TcxCustomPopupEditProperties::ClassRef()) {}

TcxCustomPopupEdit::~TcxCustomPopupEdit() {
    if (PopupWindow() && PopupWindow()->IsVisible()) RestorePopupControl();
}

TcxCustomPopupEditProperties& TcxCustomPopupEdit::Properties() const {
    return static_cast<TcxCustomPopupEditProperties&>(TcxCustomDropDownEdit::Properties());
}

TcxCustomPopupEditProperties& TcxCustomPopupEdit::ActiveProperties() const {
    return static_cast<TcxCustomPopupEditProperties&>(TcxCustomDropDownEdit::ActiveProperties());
}

void TcxCustomPopupEdit::ClosePopupWithReason(pc::TObject*, TcxEditCloseUpReason AReason) {
    CloseUp(AReason);
}

void TcxCustomPopupEdit::GetPopupWindowClientPreferredSize(pg::TSize& Size) {
    if (pf::TControl* C = ActiveProperties().PopupControl()) Size = {C->Width(), C->Height()};
}

void TcxCustomPopupEdit::DoInitPopup() {
    pf::TControl* C = ActiveProperties().PopupControl();
    bool Circular = C && (C == PopupWindow() || C == this);
    for (pf::TWinControl* P = Parent(); C && P && !Circular; P = P->Parent())
        Circular = P == C;
    if (Circular)
        throw EcxEditError(
            toolkit::base::cxGetResourceString(cxSEditPopupCircularReferencingError));
    TcxCustomDropDownEdit::DoInitPopup();
}

pf::TWinControl* TcxCustomPopupEdit::GetPopupFocusedControl() {
    return dynamic_cast<pf::TWinControl*>(ActiveProperties().PopupControl());
}

void TcxCustomPopupEdit::PositionPopupWindowChilds(const TRect& R) {
    if (pf::TControl* C = ActiveProperties().PopupControl())
        C->SetBounds(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
}

void TcxCustomPopupEdit::SavePopupControlState() {
    pf::TControl* C = ActiveProperties().PopupControl();
    FHostedControl = C;
    FSavedAlign = C->Align();
    FSavedBounds = C->BoundsRect();
    FSavedParent = C->Parent();
    FSavedVisible = C->Visible();
    if (auto* Form = dynamic_cast<pf::TCustomForm*>(C)) {
        FSavedBorderStyle = Form->BorderStyle();
        Form->SetBorderStyle(pf::bsNone);
    }
}

void TcxCustomPopupEdit::RestorePopupControl() {
    pf::TControl* C = FHostedControl;
    FHostedControl = nullptr;
    // A control freed while hosted has left the property.
    if (!C || C != ActiveProperties().PopupControl()) return;
    C->SetVisible(false);
    C->SetParent(FSavedParent);
    C->SetAlign(FSavedAlign);
    C->SetBoundsRect(FSavedBounds);
    C->SetVisible(FSavedVisible);
    if (auto* Form = dynamic_cast<pf::TCustomForm*>(C)) Form->SetBorderStyle(FSavedBorderStyle);
}

void TcxCustomPopupEdit::InternalDropDown() {
    pf::TControl* C = ActiveProperties().PopupControl();
    SavePopupControlState();
    C->SetParent(PopupWindow());
    C->SetVisible(true);
    TcxCustomDropDownEdit::InternalDropDown();
    C->SetAlign(pf::alClient);
}

void TcxCustomPopupEdit::PopupWindowClosed() {
    RestorePopupControl();
    TcxCustomDropDownEdit::PopupWindowClosed();
}

const pc::TComponentClass& TcxPopupEdit::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxPopupEdit", &TcxCustomPopupEdit::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxPopupEdit>(AOwner); });
    return Class;
}

TcxPopupEdit::TcxPopupEdit(pc::TComponent* AOwner, bool AIsInplace)
    : TcxCustomPopupEdit(AOwner, AIsInplace, &TcxPopupEditProperties::ClassRef()) {}

TcxPopupEditProperties& TcxPopupEdit::Properties() const {
    return static_cast<TcxPopupEditProperties&>(TcxCustomPopupEdit::Properties());
}

} // namespace toolkit::edit
