#include "toolkit/edit/editor_registrations.h"

#include "toolkit/edit/cx_check_box_properties.h"
#include "toolkit/edit/cx_check_box_view.h"
#include "toolkit/edit/cx_combo_box.h"
#include "toolkit/edit/cx_edit_repository.h"
#include "toolkit/edit/cx_filter_edit_helpers.h"
#include "toolkit/edit/cx_mask_edit_properties.h"
#include "toolkit/edit/cx_popup_edit.h"
#include "toolkit/edit/cx_spin_edit_properties.h"
#include "toolkit/edit/cx_text_edit_properties.h"
#include "toolkit/edit/editor_strings.h"

#include "platform/win/messages.h"

namespace toolkit::edit {

namespace {

int TextEditReferenceCount = 0;
int ComboBoxReferenceCount = 0;
int PopupEditReferenceCount = 0;
int SpinEditReferenceCount = 0;
int CheckBoxReferenceCount = 0;
int MaskEditReferenceCount = 0;
unsigned RedrawMisspellsMessage = 0;

} // namespace

const std::array<TcxEditorRegistration, cxEditorRegistrationCount> cxEditorRegistrations{{
    {"TcxTextEditProperties", &scxSEditRepositoryTextItem, "TcxFilterTextEditHelper"},
    {"TcxMaskEditProperties", &scxSEditRepositoryMaskItem, "TcxFilterMaskEditHelper"},
    {"TcxComboBoxProperties", &scxSEditRepositoryComboBoxItem, "TcxFilterComboBoxHelper"},
    // The popup edit filters as a text edit does: it has no helper of its own.
    {"TcxPopupEditProperties", &scxSEditRepositoryPopupItem, nullptr},
    {"TcxSpinEditProperties", &scxSEditRepositorySpinItem, "TcxFilterSpinEditHelper"},
    {"TcxCheckBoxProperties", &scxSEditRepositoryCheckBoxItem, "TcxFilterCheckBoxHelper"},
}};

const TcxEditorRegistration* cxFindEditorRegistration(const std::string& ClassName) {
    for (const TcxEditorRegistration& row : cxEditorRegistrations)
        if (ClassName == row.PropertiesClassName) return &row;
    return nullptr;
}

bool cxRegisterEditProperties(const platform::core::TClass& Class) {
    return cxRegisterEditProperties(GetRegisteredEditProperties(), Class);
}

bool cxRegisterEditProperties(toolkit::base::TcxRegisteredClasses& Registry,
                              const platform::core::TClass& Class) {
    const TcxEditorRegistration* row = cxFindEditorRegistration(Class.ClassName());
    if (row == nullptr) return false;
    Registry.Register(&Class, toolkit::base::cxGetResourceString(*row->Description));
    return true;
}

unsigned cxRedrawMisspellsMessage() {
    return RedrawMisspellsMessage;
}

void InitializeTextEditUnit() {
    if (TextEditReferenceCount++ != 0) return;
    RedrawMisspellsMessage = platform::win::RegisterWindowMessage("WM_REDRAWMISSPELLS");
    cxRegisterEditProperties(TcxTextEditProperties::ClassRef());
    FilterEditsController().Register(&TcxTextEditProperties::ClassRef(),
                                     &TcxFilterTextEditHelper::ClassRef());
}

void FinalizeTextEditUnit() {
    if (TextEditReferenceCount == 0) return;
    if (--TextEditReferenceCount == 0)
        FilterEditsController().Unregister(&TcxTextEditProperties::ClassRef(),
                                           &TcxFilterTextEditHelper::ClassRef());
}

void InitializeComboBoxUnit() {
    if (ComboBoxReferenceCount++ != 0) return;
    cxRegisterEditProperties(TcxComboBoxProperties::ClassRef());
    FilterEditsController().Register(&TcxComboBoxProperties::ClassRef(),
                                     &TcxFilterComboBoxHelper::ClassRef());
}

void FinalizeComboBoxUnit() {
    if (ComboBoxReferenceCount == 0) return;
    if (--ComboBoxReferenceCount == 0)
        FilterEditsController().Unregister(&TcxComboBoxProperties::ClassRef(),
                                           &TcxFilterComboBoxHelper::ClassRef());
}

void InitializePopupEditUnit() {
    if (PopupEditReferenceCount++ != 0) return;
    cxRegisterEditProperties(TcxPopupEditProperties::ClassRef());
}

void FinalizePopupEditUnit() {
    if (PopupEditReferenceCount == 0) return;
    --PopupEditReferenceCount;
}

void InitializeSpinEditUnit() {
    if (SpinEditReferenceCount++ != 0) return;
    cxRegisterEditProperties(TcxSpinEditProperties::ClassRef());
    FilterEditsController().Register(&TcxSpinEditProperties::ClassRef(),
                                     &TcxFilterSpinEditHelper::ClassRef());
}

void FinalizeSpinEditUnit() {
    if (SpinEditReferenceCount == 0) return;
    if (--SpinEditReferenceCount == 0)
        FilterEditsController().Unregister(&TcxSpinEditProperties::ClassRef(),
                                           &TcxFilterSpinEditHelper::ClassRef());
}

void InitializeCheckBoxUnit() {
    if (CheckBoxReferenceCount++ != 0) return;
    cxRegisterEditProperties(TcxCheckBoxProperties::ClassRef());
    FilterEditsController().Register(&TcxCheckBoxProperties::ClassRef(),
                                     &TcxFilterCheckBoxHelper::ClassRef());
    cxCreateCheckBoxMaskBitmap();
}

void FinalizeCheckBoxUnit() {
    if (CheckBoxReferenceCount == 0) return;
    if (--CheckBoxReferenceCount != 0) return;
    FilterEditsController().Unregister(&TcxCheckBoxProperties::ClassRef(),
                                       &TcxFilterCheckBoxHelper::ClassRef());
    cxFreeCheckBoxMaskBitmap();
}

void InitializeMaskEditUnit() {
    if (MaskEditReferenceCount++ != 0) return;
    cxRegisterEditProperties(TcxMaskEditProperties::ClassRef());
    FilterEditsController().Register(&TcxMaskEditProperties::ClassRef(),
                                     &TcxFilterMaskEditHelper::ClassRef());
}

void FinalizeMaskEditUnit() {
    if (MaskEditReferenceCount == 0) return;
    if (--MaskEditReferenceCount == 0)
        FilterEditsController().Unregister(&TcxMaskEditProperties::ClassRef(),
                                           &TcxFilterMaskEditHelper::ClassRef());
}

} // namespace toolkit::edit
