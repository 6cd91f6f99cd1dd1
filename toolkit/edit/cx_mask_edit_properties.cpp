#include "toolkit/edit/cx_mask_edit_properties.h"

#include "toolkit/edit/cx_mask_edit.h"
#include "toolkit/edit/cx_mask_edit_modes.h"
#include "toolkit/edit/editor_strings.h"

#include "toolkit/base/resource_strings.h"

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;

bool cxIsBlankMask(const std::string& Mask) {
    for (char C : Mask)
        if (C != ' ' && C != '\0' && C != '\t' && C != '\n' && C != '\f' && C != '\r') return false;
    return true;
}

std::string cxTrimMaskBlanks(TcxMaskEditCustomMode& Mode, const std::string& Text) {
    std::string Result;
    Mode.GetMaskedText(Text, true, Result);
    while (!Result.empty() && Result.back() == ' ')
        Result.pop_back();
    return Result;
}

// ---- TcxCustomMaskEditProperties ----

const TcxCustomEditPropertiesClass& TcxCustomMaskEditProperties::ClassRef() {
    static const TcxCustomEditPropertiesClass Class(
        "TcxCustomMaskEditProperties", &TcxCustomTextEditProperties::ClassRef(),
        pc::ConstructorOf<TcxCustomMaskEditProperties, toolkit::base::TcxInterfacedPersistent,
                          pc::TPersistent*>());
    return Class;
}

TcxCustomMaskEditProperties::TcxCustomMaskEditProperties(pc::TPersistent* AOwner)
    : TcxCustomTextEditProperties(AOwner) {}

TcxCustomMaskEditProperties::~TcxCustomMaskEditProperties() = default;

void TcxCustomMaskEditProperties::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxCustomMaskEditProperties*>(Source);
    if (!S) {
        TcxCustomTextEditProperties::Assign(Source);
        return;
    }
    WithinUpdate([&] {
        TcxCustomTextEditProperties::Assign(Source);
        SetMaskKind(S->FMaskKind);
        SetEditMask(S->FEditMask);
        SetCaseInsensitive(S->FCaseInsensitive);
        SetIgnoreMaskBlank(S->FIgnoreMaskBlank);
        SetAlwaysShowBlanksAndLiterals(S->FAlwaysShowBlanksAndLiterals);
    });
}

void TcxCustomMaskEditProperties::SetAlwaysShowBlanksAndLiterals(bool Value) {
    if (FAlwaysShowBlanksAndLiterals == Value) return;
    FAlwaysShowBlanksAndLiterals = Value;
    Changed();
}

void TcxCustomMaskEditProperties::SetCaseInsensitive(bool Value) {
    // Upper and lower case leave no case to tell apart.
    FCaseInsensitive = Value || CharCase() != pf::ecNormal;
    Changed();
}

void TcxCustomMaskEditProperties::SetCharCase(TEditCharCase Value) {
    BeginUpdate();
    try {
        TcxCustomTextEditProperties::SetCharCase(Value);
        if (Value != pf::ecNormal) SetCaseInsensitive(true);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::string TcxCustomMaskEditProperties::EditMask() const {
    if (FMaskKind != emkStandard || !cxIsBlankMask(FEditMask)) return FEditMask;
    if (IcxEditDefaultValuesProvider* Provider = DefaultValuesProvider())
        return Provider->DefaultEditMask();
    return {};
}

void TcxCustomMaskEditProperties::SetEditMask(const std::string& Value) {
    if (Value == EditMask()) {
        FEditMask = Value;
        return;
    }
    // Compiled first: an invalid mask raises here and is not stored.
    cxCreateMaskEditMode(FMaskKind, nullptr, &FModeSite)->SetMask(Value);
    FEditMask = Value;
    Changed();
}

void TcxCustomMaskEditProperties::SetIgnoreMaskBlank(bool Value) {
    if (FIgnoreMaskBlank == Value) return;
    FIgnoreMaskBlank = Value;
    Changed();
}

void TcxCustomMaskEditProperties::SetMaskKind(TcxEditMaskKind Value) {
    if (FMaskKind == Value) return;
    FMaskKind = Value;
    Changed();
}

bool TcxCustomMaskEditProperties::IsMasked() const {
    return !cxIsBlankMask(EditMask());
}

void TcxCustomMaskEditProperties::Changed() {
    FDisplayMode.reset();
    TcxCustomTextEditProperties::Changed();
}

unsigned TcxCustomMaskEditProperties::GetDisplayFormatOptions() const {
    return IsMasked() ? 0 : TcxCustomTextEditProperties::GetDisplayFormatOptions();
}

const pc::TComponentClass& TcxCustomMaskEditProperties::GetContainerClass() const {
    return TcxMaskEdit::ClassRef();
}

bool TcxCustomMaskEditProperties::IsEditValueValid(Variant& EditValue, bool AEditFocused) {
    return IsMasked() || TcxCustomTextEditProperties::IsEditValueValid(EditValue, AEditFocused);
}

void TcxCustomMaskEditProperties::MaxLengthChanged() {
    if (!IsMasked() || FMaxLengthSetting) {
        TcxCustomTextEditProperties::MaxLengthChanged();
        return;
    }
    // The mask decides the length. The editors hear of it once, also when the length was 0
    // already (a length taken from the default-values provider is overridden).
    FMaxLengthSetting = true;
    BeginUpdate();
    try {
        SetMaxLength(0);
        TcxCustomTextEditProperties::MaxLengthChanged();
    } catch (...) {
        EndUpdate();
        FMaxLengthSetting = false;
        throw;
    }
    EndUpdate();
    FMaxLengthSetting = false;
}

bool TcxCustomMaskEditProperties::UseLookupData() const {
    return !IsMasked() && TcxCustomTextEditProperties::UseLookupData();
}

TcxMaskEditCustomMode& TcxCustomMaskEditProperties::DisplayMode() {
    const std::string Mask = EditMask();
    if (!FDisplayMode || FDisplayMode->GetMaskKind() != FMaskKind || FDisplayMode->Mask() != Mask) {
        FDisplayMode = cxCreateMaskEditMode(FMaskKind, nullptr, &FModeSite);
        FDisplayMode->SetMask(Mask);
    }
    return *FDisplayMode;
}

void TcxCustomMaskEditProperties::PrepareDisplayValue(const Variant& AEditValue,
                                                      Variant& DisplayValue, bool AEditFocused) {
    if (!IsMasked() || (!AEditFocused && IsDisplayFormatDefined())) {
        TcxCustomTextEditProperties::PrepareDisplayValue(AEditValue, DisplayValue, AEditFocused);
        return;
    }
    const std::string Text =
        AEditValue.IsNull() || AEditValue.IsEmpty() ? std::string() : AEditValue.AsString();
    TcxMaskEditCustomMode& Mode = DisplayMode();
    std::string Shown;
    if (!AEditFocused && Mode.GetMaskKind() == emkStandard && !FAlwaysShowBlanksAndLiterals)
        Shown = cxTrimMaskBlanks(Mode, Text);
    else
        Shown = Mode.GetFormattedText(Text, false);
    DisplayValue = Variant::String(Shown);
}

void TcxCustomMaskEditProperties::ValidateDisplayValue(Variant& DisplayValue,
                                                       std::string& ErrorText, bool& Error,
                                                       IcxEditValidation* AEdit) {
    if (IsMasked() && !Error) {
        const std::string Text = DisplayValue.IsNull() || DisplayValue.IsEmpty()
                                     ? std::string()
                                     : DisplayValue.AsString();
        auto* Edit = dynamic_cast<TcxCustomMaskEdit*>(AEdit);
        TcxMaskEditCustomMode& Mode = Edit && Edit->Mode() ? *Edit->Mode() : DisplayMode();
        Error = !Mode.IsFullValidText(Text);
        if (Error) ErrorText = toolkit::base::cxGetResourceString(scxMaskEditInvalidEditValue);
    }
    TcxCustomTextEditProperties::ValidateDisplayValue(DisplayValue, ErrorText, Error, AEdit);
}

// ---- TcxMaskEditProperties ----

const TcxCustomEditPropertiesClass& TcxMaskEditProperties::ClassRef() {
    static const TcxCustomEditPropertiesClass Class(
        "TcxMaskEditProperties", &TcxCustomMaskEditProperties::ClassRef(),
        pc::ConstructorOf<TcxMaskEditProperties, toolkit::base::TcxInterfacedPersistent,
                          pc::TPersistent*>());
    return Class;
}

bool TcxMaskEditProperties::PublishesProperty(const std::string& Name) const {
    return Name == "AlwaysShowBlanksAndLiterals" || Name == "CaseInsensitive" ||
           Name == "EditMask" || Name == "IgnoreMaskBlank" || Name == "MaskKind" ||
           Name == "MaxLength" || TcxCustomMaskEditProperties::PublishesProperty(Name);
}

} // namespace toolkit::edit
