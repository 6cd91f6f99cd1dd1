#include "toolkit/edit/cx_check_box_properties.h"

#include "toolkit/edit/cx_check_box.h"
#include "toolkit/edit/cx_check_box_view.h"
#include "toolkit/edit/cx_variants.h"
#include "toolkit/edit/editor_strings.h"

#include "toolkit/base/resource_strings.h"

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;

namespace {

// Equal in type and value: True and the text "True" are two values to a check box.
bool SameValue(const Variant& A, const Variant& B) {
    if (A.IsNull() || B.IsNull()) return A.IsNull() && B.IsNull();
    return A.VarType() == B.VarType() && VarEqualsExact(A, B);
}

std::string DisplayText(const std::unique_ptr<std::string>& Own,
                        const toolkit::base::TResStringRec& Default) {
    return Own ? *Own : toolkit::base::cxGetResourceString(Default);
}

} // namespace

const TcxCustomEditPropertiesClass& TcxCustomCheckBoxProperties::ClassRef() {
    static const TcxCustomEditPropertiesClass Class(
        "TcxCustomCheckBoxProperties", &TcxCustomEditProperties::ClassRef(),
        pc::ConstructorOf<TcxCustomCheckBoxProperties, toolkit::base::TcxInterfacedPersistent,
                          pc::TPersistent*>());
    return Class;
}

TcxCustomCheckBoxProperties::TcxCustomCheckBoxProperties(pc::TPersistent* AOwner)
    : TcxCustomEditProperties(AOwner) {}

TcxCustomCheckBoxProperties::~TcxCustomCheckBoxProperties() {
    if (FGlyph) FGlyph->OnChange = nullptr;
}

void TcxCustomCheckBoxProperties::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxCustomCheckBoxProperties*>(Source);
    if (S == nullptr) {
        TcxCustomEditProperties::Assign(Source);
        return;
    }
    BeginUpdate();
    try {
        TcxCustomEditProperties::Assign(Source);
        SetAllowGrayed(S->FAllowGrayed);
        SetDisplayChecked(S->DisplayChecked());
        SetDisplayGrayed(S->DisplayGrayed());
        SetDisplayUnchecked(S->DisplayUnchecked());
        SetFullFocusRect(S->FFullFocusRect);
        if (S->FGlyph)
            GetGlyph().Assign(*S->FGlyph);
        else if (FGlyph)
            FGlyph->SetSize(0, 0);
        SetGlyphCount(S->FGlyphCount);
        SetMultiLine(S->FMultiLine);
        SetNullStyle(S->FNullStyle);
        SetUseAlignmentWhenInplace(S->FUseAlignmentWhenInplace);
        SetValues(S->FValueChecked, S->FValueGrayed, S->FValueUnchecked);
    } catch (...) {
        EndUpdate(false);
        throw;
    }
    EndUpdate();
}

void TcxCustomCheckBoxProperties::SetFlag(bool& Field, bool Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
}

void TcxCustomCheckBoxProperties::SetAllowGrayed(bool Value) {
    SetFlag(FAllowGrayed, Value);
}

void TcxCustomCheckBoxProperties::SetCaption(const std::string& Value) {
    FCaption = Value;
    FCaptionChanged = true;
    Changed();
}

std::string TcxCustomCheckBoxProperties::DisplayChecked() const {
    return DisplayText(FDisplayChecked, cxSEditCheckBoxChecked);
}
std::string TcxCustomCheckBoxProperties::DisplayGrayed() const {
    return DisplayText(FDisplayGrayed, cxSEditCheckBoxGrayed);
}
std::string TcxCustomCheckBoxProperties::DisplayUnchecked() const {
    return DisplayText(FDisplayUnchecked, cxSEditCheckBoxUnchecked);
}

namespace {

void SetDisplay(std::unique_ptr<std::string>& Own, const std::string& Current,
                const std::string& Value, TcxCustomEditProperties& Properties) {
    if (Value == Current) return;
    Own = std::make_unique<std::string>(Value);
    Properties.Changed();
}

} // namespace

void TcxCustomCheckBoxProperties::SetDisplayChecked(const std::string& Value) {
    SetDisplay(FDisplayChecked, DisplayChecked(), Value, *this);
}
void TcxCustomCheckBoxProperties::SetDisplayGrayed(const std::string& Value) {
    SetDisplay(FDisplayGrayed, DisplayGrayed(), Value, *this);
}
void TcxCustomCheckBoxProperties::SetDisplayUnchecked(const std::string& Value) {
    SetDisplay(FDisplayUnchecked, DisplayUnchecked(), Value, *this);
}

bool TcxCustomCheckBoxProperties::IsDisplayCheckedStored() const {
    return DisplayChecked() != toolkit::base::cxGetResourceString(cxSEditCheckBoxChecked);
}
bool TcxCustomCheckBoxProperties::IsDisplayGrayedStored() const {
    return DisplayGrayed() != toolkit::base::cxGetResourceString(cxSEditCheckBoxGrayed);
}
bool TcxCustomCheckBoxProperties::IsDisplayUncheckedStored() const {
    return DisplayUnchecked() != toolkit::base::cxGetResourceString(cxSEditCheckBoxUnchecked);
}

void TcxCustomCheckBoxProperties::SetFullFocusRect(bool Value) {
    SetFlag(FFullFocusRect, Value);
}

pf::TBitmap& TcxCustomCheckBoxProperties::GetGlyph() {
    if (!FGlyph) {
        FGlyph = std::make_unique<pf::TBitmap>();
        FGlyph->OnChange = [this] { Changed(); };
    }
    return *FGlyph;
}

void TcxCustomCheckBoxProperties::SetGlyphCount(int Value) {
    if (FGlyphCount == Value) return;
    FGlyphCount = Value;
    Changed();
}

void TcxCustomCheckBoxProperties::SetMultiLine(bool Value) {
    SetFlag(FMultiLine, Value);
}

void TcxCustomCheckBoxProperties::SetNullStyle(TcxCheckBoxNullValueShowingStyle Value) {
    if (FNullStyle == Value) return;
    FNullStyle = Value;
    Changed();
}

void TcxCustomCheckBoxProperties::SetUseAlignmentWhenInplace(bool Value) {
    SetFlag(FUseAlignmentWhenInplace, Value);
}

bool TcxCustomCheckBoxProperties::SetValues(const Variant& AChecked, const Variant& AGrayed,
                                            const Variant& AUnchecked) {
    if (AChecked.IsNull() || AUnchecked.IsNull()) return false;
    if (SameValue(AChecked, AGrayed) || SameValue(AChecked, AUnchecked) ||
        SameValue(AGrayed, AUnchecked))
        return false;
    if (SameValue(AChecked, FValueChecked) && SameValue(AGrayed, FValueGrayed) &&
        SameValue(AUnchecked, FValueUnchecked))
        return true;
    FValueChecked = AChecked;
    FValueGrayed = AGrayed;
    FValueUnchecked = AUnchecked;
    Changed();
    return true;
}

TcxCheckBoxState TcxCustomCheckBoxProperties::GetState(const Variant& AEditValue) const {
    if (SameValue(AEditValue, FValueChecked)) return cbsChecked;
    if (SameValue(AEditValue, FValueUnchecked)) return cbsUnchecked;
    return cbsGrayed;
}

Variant TcxCustomCheckBoxProperties::GetEditValue(TcxCheckBoxState AState) const {
    switch (AState) {
    case cbsUnchecked:
        return FValueUnchecked;
    case cbsChecked:
        return FValueChecked;
    default:
        return FValueGrayed;
    }
}

bool TcxCustomCheckBoxProperties::IsGlyphValid() const {
    return FGlyphCount >= 1 && FGlyph && !FGlyph->Empty();
}

bool TcxCustomCheckBoxProperties::CompareDisplayValues(const Variant& AEditValue1,
                                                       const Variant& AEditValue2) {
    return GetState(AEditValue1) == GetState(AEditValue2);
}

std::unique_ptr<TcxCustomEditViewData>
TcxCustomCheckBoxProperties::CreateViewData(TcxCustomEditStyle& AStyle, bool AIsInplace) {
    return std::make_unique<TcxCustomCheckBoxViewData>(*this, AStyle, AIsInplace);
}

std::function<std::unique_ptr<TcxCustomEditViewInfo>()>
TcxCustomCheckBoxProperties::GetViewInfoClass() const {
    return [] { return std::make_unique<TcxCustomCheckBoxViewInfo>(); };
}

const pc::TComponentClass& TcxCustomCheckBoxProperties::GetContainerClass() const {
    return TcxCheckBox::ClassRef();
}

std::string TcxCustomCheckBoxProperties::GetDisplayText(const Variant& AEditValue,
                                                        bool /*AFullText*/) {
    switch (GetState(AEditValue)) {
    case cbsChecked:
        return DisplayChecked();
    case cbsUnchecked:
        return DisplayUnchecked();
    default:
        return DisplayGrayed();
    }
}

unsigned TcxCustomCheckBoxProperties::GetSpecialFeatures() const {
    return TcxCustomEditProperties::GetSpecialFeatures() | cxCheckBoxSpecialFeature;
}

bool TcxCustomCheckBoxProperties::IsEditValueValid(Variant& EditValue, bool /*AEditFocused*/) {
    return SameValue(EditValue, FValueChecked) || SameValue(EditValue, FValueGrayed) ||
           SameValue(EditValue, FValueUnchecked);
}

void TcxCustomCheckBoxProperties::PrepareDisplayValue(const Variant& AEditValue,
                                                      Variant& DisplayValue,
                                                      bool /*AEditFocused*/) {
    DisplayValue = Variant::Integer(GetState(AEditValue));
}

const TcxCustomEditPropertiesClass& TcxCheckBoxProperties::ClassRef() {
    static const TcxCustomEditPropertiesClass Class(
        "TcxCheckBoxProperties", &TcxCustomCheckBoxProperties::ClassRef(),
        pc::ConstructorOf<TcxCheckBoxProperties, toolkit::base::TcxInterfacedPersistent,
                          pc::TPersistent*>());
    return Class;
}

} // namespace toolkit::edit
