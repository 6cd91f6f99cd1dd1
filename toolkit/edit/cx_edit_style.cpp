#include "toolkit/edit/cx_edit_style.h"

#include "toolkit/edit/cx_container.h"

#include <array>

namespace toolkit::edit {

namespace pc = platform::core;

namespace {

constexpr std::array<const char*, 6> EditStyleValueNames = {
    "ButtonStyle",     "ButtonTransparency", "PopupBorderStyle",
    "GradientButtons", "Gradient",           "GradientDirection"};

bool IsShared(TcxContainerStyleValue Value) {
    return (cxEditStateIndependentValues & cxStyleValue(Value)) != 0;
}

std::unique_ptr<TcxEditStyleController>& DefaultEditController() {
    static std::unique_ptr<TcxEditStyleController> Controller;
    return Controller;
}

} // namespace

TcxContainerStyleClass cxEditStyleClass() {
    return [](pc::TPersistent* Owner, TcxContainerStyleState State, TcxContainerStyle* Parent,
              bool DirectAccess) -> std::unique_ptr<TcxContainerStyle> {
        return std::make_unique<TcxEditStyle>(Owner, State, Parent, DirectAccess);
    };
}

// ---- TcxCustomEditStyle ----

TcxCustomEditStyle::TcxCustomEditStyle(pc::TPersistent* AOwner, TcxContainerStyleState AState,
                                       TcxContainerStyle* AParentStyle, bool ADirectAccessMode)
    : TcxContainerStyle(AOwner, AState, AParentStyle, ADirectAccessMode) {
    // The container's constructor could only take the container's default controller.
    if (IsBaseStyle() && !ADirectAccessMode) SetStyleController(nullptr);
}

TcxStyleController* TcxCustomEditStyle::GetDefaultStyleController() const {
    if (DirectAccessMode()) return nullptr;
    if (IcxContainerStyleOwner* Owner = ContainerOwner(); Owner && Owner->StyleOwnerIsInplace())
        return nullptr;
    return GetDefaultEditStyleController();
}

void TcxCustomEditStyle::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxCustomEditStyle*>(Source);
    if (!S) {
        TcxContainerStyle::Assign(Source);
        return;
    }
    BeginUpdate();
    FButtonStyle = S->FButtonStyle;
    FButtonTransparency = S->FButtonTransparency;
    FPopupBorderStyle = S->FPopupBorderStyle;
    FGradientButtons = S->FGradientButtons;
    FGradient = S->FGradient;
    FGradientDirection = S->FGradientDirection;
    FPopupOption = S->FPopupOption;
    TcxContainerStyle::Assign(Source);
    Changed();
    EndUpdate();
}

const TcxCustomEditStyle* TcxCustomEditStyle::Source(TcxContainerStyleValue Value) const {
    const TcxContainerStyle& From = IsShared(Value) ? Shared() : *this;
    if (DirectAccessMode())
        return (From.AssignedValues() & cxStyleValue(Value))
                   ? static_cast<const TcxCustomEditStyle*>(&From)
                   : nullptr;
    // FindAssigned is protected in the container style; reach it through the shared style.
    return dynamic_cast<const TcxCustomEditStyle*>(
        static_cast<const TcxCustomEditStyle&>(From).FindAssigned(Value));
}

TcxCustomEditStyle& TcxCustomEditStyle::Shared() {
    return static_cast<TcxCustomEditStyle&>(BaseStyle());
}

const TcxCustomEditStyle& TcxCustomEditStyle::Shared() const {
    return static_cast<const TcxCustomEditStyle&>(BaseStyle());
}

bool TcxCustomEditStyle::IsValueAssigned(TcxContainerStyleValue Value) const {
    if (Value < svButtonStyle) return TcxContainerStyle::IsValueAssigned(Value);
    if (Value > svGradientDirection) return false;
    return FindAssigned(Value) != nullptr;
}

bool TcxCustomEditStyle::GetStyleValueName(TcxContainerStyleValue Index, std::string& Name) const {
    if (Index >= svButtonStyle && Index <= svGradientDirection) {
        Name = EditStyleValueNames[static_cast<std::size_t>(Index - svButtonStyle)];
        return true;
    }
    return TcxContainerStyle::GetStyleValueName(Index, Name);
}

bool TcxCustomEditStyle::IsValueStored(TcxContainerStyleValue Value) const {
    if (!IsAssignedHere(Value)) return false;
    auto* Editor = dynamic_cast<TcxContainer*>(GetOwner());
    std::string Name;
    if (!Editor || !GetStyleValueName(Value, Name)) return true;
    return Editor->IsStylePropertyPublished(Name, false);
}

TcxEditButtonStyle TcxCustomEditStyle::ButtonStyle() const {
    if (const TcxCustomEditStyle* S = Source(svButtonStyle)) return S->FButtonStyle;
    if (!IsBaseStyle()) return Shared().ButtonStyle();
    return btsDefault;
}

void TcxCustomEditStyle::SetButtonStyle(TcxEditButtonStyle Value) {
    if (IsAssignedHere(svButtonStyle) && FButtonStyle == Value) return;
    FButtonStyle = Value;
    ValueChanged(svButtonStyle);
}

TcxEditButtonTransparency TcxCustomEditStyle::ButtonTransparency() const {
    const TcxCustomEditStyle* S = Source(svButtonTransparency);
    return S ? S->FButtonTransparency : ebtNone;
}

void TcxCustomEditStyle::SetButtonTransparency(TcxEditButtonTransparency Value) {
    TcxCustomEditStyle& S = Shared();
    if (S.IsAssignedHere(svButtonTransparency) && S.FButtonTransparency == Value) return;
    S.FButtonTransparency = Value;
    S.ValueChanged(svButtonTransparency);
}

bool TcxCustomEditStyle::PopupCloseButton() const {
    return static_cast<const TcxCustomEditStyle&>(BaseStyle()).FPopupOption;
}

void TcxCustomEditStyle::SetPopupCloseButton(bool Value) {
    auto& Root = static_cast<TcxCustomEditStyle&>(BaseStyle());
    if (Root.FPopupOption == Value) return;
    Root.FPopupOption = Value;
    Root.Changed();
}

TcxEditPopupBorderStyle TcxCustomEditStyle::PopupBorderStyle() const {
    const TcxCustomEditStyle* S = Source(svPopupBorderStyle);
    return S ? S->FPopupBorderStyle : epbsDefault;
}

void TcxCustomEditStyle::SetPopupBorderStyle(TcxEditPopupBorderStyle Value) {
    TcxCustomEditStyle& S = Shared();
    if (S.IsAssignedHere(svPopupBorderStyle) && S.FPopupBorderStyle == Value) return;
    S.FPopupBorderStyle = Value;
    S.ValueChanged(svPopupBorderStyle);
}

bool TcxCustomEditStyle::GradientButtons() const {
    const TcxCustomEditStyle* S = Source(svGradientButtons);
    return S ? S->FGradientButtons : false;
}

void TcxCustomEditStyle::SetGradientButtons(bool Value) {
    TcxCustomEditStyle& S = Shared();
    if (S.IsAssignedHere(svGradientButtons) && S.FGradientButtons == Value) return;
    S.FGradientButtons = Value;
    S.ValueChanged(svGradientButtons);
}

bool TcxCustomEditStyle::Gradient() const {
    const TcxCustomEditStyle* S = Source(svGradient);
    return S ? S->FGradient : false;
}

void TcxCustomEditStyle::SetGradient(bool Value) {
    TcxCustomEditStyle& S = Shared();
    if (S.IsAssignedHere(svGradient) && S.FGradient == Value) return;
    S.FGradient = Value;
    S.ValueChanged(svGradient);
}

TcxEditGradientDirection TcxCustomEditStyle::GradientDirection() const {
    const TcxCustomEditStyle* S = Source(svGradientDirection);
    return S ? S->FGradientDirection : toolkit::base::dirDown;
}

void TcxCustomEditStyle::SetGradientDirection(TcxEditGradientDirection Value) {
    TcxCustomEditStyle& S = Shared();
    if (S.IsAssignedHere(svGradientDirection) && S.FGradientDirection == Value) return;
    S.FGradientDirection = Value;
    S.ValueChanged(svGradientDirection);
}

// ---- TcxEditStyleController ----

TcxEditStyleController::TcxEditStyleController(pc::TComponent* AOwner)
    : TcxStyleController(AOwner) {}

TcxCustomEditStyle& TcxEditStyleController::StyleOf(TcxContainerStyleState State) const {
    return static_cast<TcxCustomEditStyle&>(Styles()[State]);
}

TcxEditStyleController* GetDefaultEditStyleController() {
    return DefaultEditController().get();
}

void cxCreateDefaultEditStyleController() {
    if (!DefaultEditController())
        DefaultEditController() = std::make_unique<TcxEditStyleController>(nullptr);
}

void cxFreeDefaultEditStyleController() {
    DefaultEditController().reset();
}

// ---- default tables ----

TcxEditButtonStyle cxGetDefaultButtonStyle(bool AInplace, TcxEditBorderStyle ABorderStyle,
                                           bool AHotTrack, TcxLookAndFeelKind AKind) {
    static constexpr std::array<TcxEditButtonStyle, 4> ByKind = {btsFlat, bts3D, btsUltraFlat,
                                                                 btsOffice11};
    static constexpr std::array<TcxEditButtonStyle, 7> ByBorder = {
        btsSimple, btsHotFlat, bts3D, btsFlat, bts3D, btsUltraFlat, btsOffice11};
    if (AInplace || (ABorderStyle == ebsNone && !AHotTrack))
        return ByKind.at(static_cast<std::size_t>(AKind));
    return ByBorder.at(static_cast<std::size_t>(ABorderStyle));
}

TcxEditPopupBorderStyle cxGetPopupBorderStyleByKind(TcxLookAndFeelKind AKind) {
    static constexpr std::array<TcxEditPopupBorderStyle, 4> ByKind = {epbsFlat, epbsFrame3D,
                                                                      epbsSingle, epbsSingle};
    return ByKind.at(static_cast<std::size_t>(AKind));
}

TcxEditPopupBorderStyle cxGetPopupBorderStyleByBorder(TcxEditBorderStyle ABorderStyle) {
    static constexpr std::array<TcxEditPopupBorderStyle, 7> ByBorder = {
        epbsFlat, epbsSingle, epbsSingle, epbsFlat, epbsSingle, epbsSingle, epbsSingle};
    return ByBorder.at(static_cast<std::size_t>(ABorderStyle));
}

} // namespace toolkit::edit
