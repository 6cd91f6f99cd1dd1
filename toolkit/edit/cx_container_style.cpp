#include "toolkit/edit/cx_container_style.h"

#include "platform/gdi/colors.h"

#include <algorithm>
#include <cctype>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pg = platform::gdi;
using toolkit::base::TcxLookAndFeel;

namespace {

// A controller chain longer than this is taken as broken rather than followed for ever.
constexpr int MaxChainLength = 64;

TcxStyleController* DefaultController = nullptr;

const char* const StyleValueNames[] = {"BorderColor", "BorderStyle",      "Color",  "Edges",
                                       "Font",        "HotTrack",         "Shadow", "TextColor",
                                       "TextStyle",   "TransparentBorder"};

// The border a state shows for its parent's border style; the row is the state when the style
// tracks the mouse or is disabled, else the normal row.
constexpr TcxContainerBorderStyle StateBorderStyles[4][7] = {
    {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11},
    {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11},
    {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11},
    {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11},
};

bool SameText(const std::string& A, const std::string& B) {
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
               return std::toupper(static_cast<unsigned char>(X)) ==
                      std::toupper(static_cast<unsigned char>(Y));
           });
}

constexpr TcxContainerStyleValues DirectAccessStoredValues =
    cxStyleValue(svColor) | cxStyleValue(svFont) | cxStyleValue(svTextColor) |
    cxStyleValue(svTextStyle);

} // namespace

TcxStyleController* GetDefaultStyleControllerInstance() {
    return DefaultController;
}

void SetDefaultStyleControllerInstance(TcxStyleController* Controller) {
    DefaultController = Controller;
}

TcxContainerStyleClass cxContainerStyleClass() {
    return [](pc::TPersistent* Owner, TcxContainerStyleState State, TcxContainerStyle* Parent,
              bool DirectAccess) {
        return std::make_unique<TcxContainerStyle>(Owner, State, Parent, DirectAccess);
    };
}

// ---- TcxContainerStyle ----

TcxContainerStyle::TcxContainerStyle(pc::TPersistent* AOwner, TcxContainerStyleState AState,
                                     TcxContainerStyle* AParentStyle, bool ADirectAccessMode)
    : TcxInterfacedPersistent(AOwner), FDirectAccessMode(ADirectAccessMode), FState(AState) {
    if (FState != cssNormal) FParentStyle = AParentStyle;
    if (FDirectAccessMode) FAssignedValues = DirectAccessStoredValues;
    if (IsBaseStyle() && !FDirectAccessMode) {
        FOwnedFont = std::make_unique<TFont>();
        FOwnedFont->OnChange = [this](pc::TObject*) { FontChanged(); };
    }
    FVisibleFont = std::make_unique<TFont>();
    if (IsBaseStyle()) {
        FLookAndFeel = std::make_unique<TcxLookAndFeel>(this);
        FLookAndFeel->OnChanged = [this](TcxLookAndFeel*, toolkit::base::TcxLookAndFeelValues) {
            Changed();
        };
        SetStyleController(GetDefaultStyleController());
    }
}

TcxContainerStyle::~TcxContainerStyle() {
    FIsDestroying = true;
    if (IsBaseStyle() && FStyleController) FStyleController->RemoveListener(this);
}

void TcxContainerStyle::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxContainerStyle*>(Source);
    if (!S) {
        TcxInterfacedPersistent::Assign(Source);
        return;
    }
    BeginUpdate();
    if (IsBaseStyle()) {
        SetStyleController(S->StyleController());
        if (S->FLookAndFeel) FLookAndFeel->Assign(S->FLookAndFeel.get());
    }
    FBorderColor = S->FBorderColor;
    FBorderStyle = S->FBorderStyle;
    FEdges = S->FEdges;
    FHotTrack = S->FHotTrack;
    FShadow = S->FShadow;
    FTransparentBorder = S->FTransparentBorder;
    FColor = S->FColor;
    if (FDirectAccessMode) {
        FBorrowedFont = &S->Font();
        FTextColor = S->FTextColor;
    } else if (IsBaseStyle()) {
        ++FFontUpdateLock;
        FOwnedFont->Assign(S->Font());
        if (S->FDirectAccessMode) FOwnedFont->SetColor(S->FTextColor);
        --FFontUpdateLock;
    }
    FTextColor = S->GetTextColor();
    FTextStyle = S->GetTextStyle();
    FAssignedValues = S->FAssignedValues;
    Changed();
    EndUpdate();
}

void TcxContainerStyle::EndUpdate() {
    if (FUpdateCount == 0) return;
    --FUpdateCount;
    DoChanged();
}

void TcxContainerStyle::Changed() {
    FModified = true;
    DoChanged();
}

void TcxContainerStyle::DoChanged() {
    if (!FModified || FUpdateCount != 0) return;
    FModified = false;
    if (FIsDestroying || FDirectAccessMode) return;
    if (OnChanged) OnChanged(this);
}

void TcxContainerStyle::RestoreDefaults() {
    BeginUpdate();
    SetAssignedValues(0);
    IcxContainerStyleOwner* Container = ContainerOwner();
    if (IsBaseStyle()) {
        FLookAndFeel->Reset();
        if (Container) {
            Container->StyleOwnerSetParentColor(false);
            Container->StyleOwnerSetParentFont(true);
        } else if (!FDirectAccessMode) {
            ++FFontUpdateLock;
            FOwnedFont->Assign(TFont());
            --FFontUpdateLock;
        }
    }
    if (Container && Container->StyleOwnerUsesParentColorByDefault()) {
        TcxStyleController* Controller = BaseStyle().FStyleController;
        if (!(Controller && Controller->Style().IsValueAssigned(svColor)))
            Container->StyleOwnerSetParentColor(true);
    }
    EndUpdate();
}

bool TcxContainerStyle::HasBorder() const {
    return IsBaseStyle() || FParentStyle->HasBorder();
}

TcxContainerStyleValues TcxContainerStyle::AssignedValues() const {
    if (FDirectAccessMode) {
        const int Count = GetStyleValueCount();
        return Count >= 32 ? ~0u : (1u << Count) - 1;
    }
    return FAssignedValues;
}

void TcxContainerStyle::SetAssignedValues(TcxContainerStyleValues Value) {
    if (FAssignedValues == Value) return;
    FAssignedValues = Value;
    if (IsBaseStyle()) UpdateFont();
    Changed();
}

const TcxContainerStyle* TcxContainerStyle::FindAssigned(TcxContainerStyleValue Value) const {
    const TcxContainerStyle* S = this;
    for (int Step = 0; S && Step < MaxChainLength; ++Step) {
        if (S->IsAssignedHere(Value)) return S;
        TcxStyleController* Controller = S->BaseStyle().FStyleController;
        if (!Controller) return nullptr;
        S = &Controller->Styles()[S->FState];
    }
    return nullptr;
}

bool TcxContainerStyle::IsValueAssigned(TcxContainerStyleValue Value) const {
    if (Value < 0 || Value > svTransparentBorder) return false;
    return FindAssigned(Value) != nullptr;
}

TcxContainerStyleValues TcxContainerStyle::GetStateIndependentValues() const {
    return cxStyleValue(svEdges) | cxStyleValue(svFont) | cxStyleValue(svHotTrack) |
           cxStyleValue(svShadow) | cxStyleValue(svTransparentBorder);
}

bool TcxContainerStyle::GetStyleValueName(TcxContainerStyleValue Index, std::string& Name) const {
    if (Index >= 0 && Index <= svTransparentBorder) {
        Name = StyleValueNames[Index];
        return true;
    }
    Name.clear();
    return false;
}

TcxContainerStyleValue TcxContainerStyle::FindStyleValueByName(const std::string& Name) const {
    std::string ValueName;
    for (int I = 0; I < GetStyleValueCount(); ++I)
        if (GetStyleValueName(I, ValueName) && SameText(ValueName, Name)) return I;
    return -1;
}

bool TcxContainerStyle::IsStateDependentValueName(const std::string& Name) const {
    if (SameText(Name, "LookAndFeel") || SameText(Name, "StyleController")) return false;
    const TcxContainerStyleValue Value = FindStyleValueByName(Name);
    if (Value < 0) return true;
    return (GetStateIndependentValues() & cxStyleValue(Value)) == 0;
}

IcxContainerStyleOwner* TcxContainerStyle::ContainerOwner() const {
    return dynamic_cast<IcxContainerStyleOwner*>(GetOwner());
}

void TcxContainerStyle::ValueChanged(TcxContainerStyleValue Value) {
    FAssignedValues |= cxStyleValue(Value);
    Changed();
}

// ---- values ----

TColor TcxContainerStyle::BorderColor() const {
    if (FDirectAccessMode) return pg::clDefault;
    const TcxContainerStyle* S = FindAssigned(svBorderColor);
    return S ? S->FBorderColor : DefaultBorderColor();
}

void TcxContainerStyle::SetBorderColor(TColor Value) {
    if (IsAssignedHere(svBorderColor) && FBorderColor == Value) return;
    FBorderColor = Value;
    ValueChanged(svBorderColor);
}

TcxContainerBorderStyle TcxContainerStyle::BorderStyle() const {
    if (FDirectAccessMode)
        return IsAssignedHere(svBorderStyle) ? FBorderStyle : DefaultBorderStyle();
    const TcxContainerStyle* S = FindAssigned(svBorderStyle);
    return S ? S->FBorderStyle : DefaultBorderStyle();
}

void TcxContainerStyle::SetBorderStyle(TcxContainerBorderStyle Value) {
    if (IsAssignedHere(svBorderStyle) && FBorderStyle == Value) return;
    FBorderStyle = Value;
    ValueChanged(svBorderStyle);
}

TColor TcxContainerStyle::GetColor() const {
    if (FDirectAccessMode) return FColor;
    if (IsBaseStyle())
        if (IcxContainerStyleOwner* Container = ContainerOwner();
            Container && Container->StyleOwnerParentColor()) {
            TColor ParentColor;
            if (Container->StyleOwnerParentControlColor(ParentColor)) return ParentColor;
        }
    const TcxContainerStyle* S = FindAssigned(svColor);
    return S ? S->FColor : DefaultColor();
}

TColor TcxContainerStyle::GetContainerColor() const {
    if (FDirectAccessMode) return FColor;
    if (const TcxContainerStyle* S = FindAssigned(svColor)) return S->FColor;
    if (IsBaseStyle())
        if (IcxContainerStyleOwner* Container = ContainerOwner();
            Container && !Container->StyleOwnerIsInplace() && Container->StyleOwnerParentColor()) {
            TColor ParentColor;
            if (Container->StyleOwnerParentControlColor(ParentColor)) return ParentColor;
        }
    return DefaultColor();
}

void TcxContainerStyle::SetColor(TColor Value) {
    if (IsAssignedHere(svColor) && FColor == Value) return;
    FColor = Value;
    ValueChanged(svColor);
}

TcxBorders TcxContainerStyle::Edges() const {
    if (FDirectAccessMode) return 0;
    if (!IsBaseStyle()) return FParentStyle->Edges();
    const TcxContainerStyle* S = FindAssigned(svEdges);
    return S ? S->FEdges : DefaultEdges();
}

void TcxContainerStyle::SetEdges(TcxBorders Value) {
    if (!IsBaseStyle()) return FParentStyle->SetEdges(Value);
    if (IsAssignedHere(svEdges) && FEdges == Value) return;
    FEdges = Value;
    ValueChanged(svEdges);
}

TFont& TcxContainerStyle::Font() const {
    if (FDirectAccessMode) return FBorrowedFont ? *FBorrowedFont : *FVisibleFont;
    if (!IsBaseStyle()) return FParentStyle->Font();
    return *FOwnedFont;
}

void TcxContainerStyle::SetFont(TFont* Value) {
    if (FDirectAccessMode) {
        FBorrowedFont = Value;
        return;
    }
    if (!IsBaseStyle()) return FParentStyle->SetFont(Value);
    if (!Value) return;
    // The font's own change notice would mark Font assigned and report once more.
    ++FFontUpdateLock;
    FOwnedFont->Assign(*Value);
    --FFontUpdateLock;
    ValueChanged(svFont);
}

void TcxContainerStyle::FontChanged() {
    if (FFontUpdateLock > 0) return;
    FAssignedValues |= cxStyleValue(svFont);
    Changed();
}

void TcxContainerStyle::UpdateFont() {
    if (FDirectAccessMode || !IsBaseStyle() || IsAssignedHere(svFont)) return;
    ++FFontUpdateLock;
    if (const TcxContainerStyle* S = FindAssigned(svFont))
        FOwnedFont->Assign(S->Font());
    else if (IcxContainerStyleOwner* Container = ContainerOwner();
             !(Container && Container->StyleOwnerParentFont()))
        FOwnedFont->Assign(TFont());
    --FFontUpdateLock;
}

bool TcxContainerStyle::HotTrack() const {
    if (FDirectAccessMode) return IsAssignedHere(svHotTrack) ? FHotTrack : DefaultHotTrack();
    if (!IsBaseStyle()) return FParentStyle->HotTrack();
    const TcxContainerStyle* S = FindAssigned(svHotTrack);
    return S ? S->FHotTrack : DefaultHotTrack();
}

void TcxContainerStyle::SetHotTrack(bool Value) {
    if (!IsBaseStyle()) return FParentStyle->SetHotTrack(Value);
    if (IsAssignedHere(svHotTrack) && FHotTrack == Value) return;
    FHotTrack = Value;
    ValueChanged(svHotTrack);
}

bool TcxContainerStyle::Shadow() const {
    if (FDirectAccessMode) return false;
    if (!IsBaseStyle()) return FParentStyle->Shadow();
    const TcxContainerStyle* S = FindAssigned(svShadow);
    return S ? S->FShadow : DefaultShadow();
}

void TcxContainerStyle::SetShadow(bool Value) {
    if (!IsBaseStyle()) return FParentStyle->SetShadow(Value);
    if (IsAssignedHere(svShadow) && FShadow == Value) return;
    FShadow = Value;
    ValueChanged(svShadow);
}

TColor TcxContainerStyle::GetTextColor() const {
    if (FDirectAccessMode) return FTextColor;
    const TcxContainerStyle* S = FindAssigned(svTextColor);
    return S ? S->FTextColor : DefaultTextColor();
}

void TcxContainerStyle::SetTextColor(TColor Value) {
    if (IsAssignedHere(svTextColor) && GetTextColor() == Value) return;
    FTextColor = Value;
    ValueChanged(svTextColor);
}

TFontStyles TcxContainerStyle::GetTextStyle() const {
    if (FDirectAccessMode) return Font().Style();
    const TcxContainerStyle* S = FindAssigned(svTextStyle);
    return S ? S->FTextStyle : DefaultTextStyle();
}

void TcxContainerStyle::SetTextStyle(TFontStyles Value) {
    if (IsAssignedHere(svTextStyle) && GetTextStyle() == Value) return;
    FTextStyle = Value;
    ValueChanged(svTextStyle);
}

bool TcxContainerStyle::TransparentBorder() const {
    if (FDirectAccessMode) return true;
    if (!IsBaseStyle()) return FParentStyle->TransparentBorder();
    const TcxContainerStyle* S = FindAssigned(svTransparentBorder);
    return S ? S->FTransparentBorder : DefaultTransparentBorder();
}

void TcxContainerStyle::SetTransparentBorder(bool Value) {
    if (!IsBaseStyle()) return FParentStyle->SetTransparentBorder(Value);
    if (IsAssignedHere(svTransparentBorder) && FTransparentBorder == Value) return;
    FTransparentBorder = Value;
    ValueChanged(svTransparentBorder);
}

TFont& TcxContainerStyle::GetVisibleFont() {
    FVisibleFont->Assign(Font());
    FVisibleFont->SetColor(GetTextColor());
    FVisibleFont->SetStyle(GetTextStyle());
    return *FVisibleFont;
}

TcxLookAndFeel& TcxContainerStyle::LookAndFeel() const {
    return IsBaseStyle() ? *FLookAndFeel : FParentStyle->LookAndFeel();
}

void TcxContainerStyle::SetLookAndFeel(const TcxLookAndFeel& Value) {
    LookAndFeel().Assign(&Value);
}

// ---- defaults ----

TColor TcxContainerStyle::DefaultBorderColor() const {
    if (FState == cssDisabled) return pg::clBtnShadow;
    if (IsBaseStyle()) return pg::clWindowFrame;
    return FParentStyle->BorderColor();
}

TcxContainerBorderStyle TcxContainerStyle::DefaultBorderStyle() const {
    if (IsBaseStyle()) {
        switch (LookAndFeel().GetKind()) {
        case toolkit::base::lfFlat:
            return cbsFlat;
        case toolkit::base::lfStandard:
            return cbs3D;
        case toolkit::base::lfOffice11:
            return cbsOffice11;
        default:
            return cbsUltraFlat;
        }
    }
    const int Row = HotTrack() || FState == cssDisabled ? FState : cssNormal;
    return StateBorderStyles[Row][FParentStyle->BorderStyle()];
}

TColor TcxContainerStyle::DefaultColor() const {
    IcxContainerStyleOwner* Container =
        dynamic_cast<IcxContainerStyleOwner*>(BaseStyle().GetOwner());
    const bool UsesParentColor = !Container || Container->StyleOwnerUsesParentColorByDefault();
    if (IsBaseStyle()) return UsesParentColor ? pg::clBtnFace : pg::clWindow;
    if (FState == cssDisabled && !UsesParentColor) return pg::clBtnFace;
    return FParentStyle->GetColor();
}

TColor TcxContainerStyle::DefaultTextColor() const {
    if (FState == cssDisabled) return pg::clBtnShadow;
    if (IsBaseStyle()) return Font().Color();
    return FParentStyle->GetTextColor();
}

TFontStyles TcxContainerStyle::DefaultTextStyle() const {
    if (IsBaseStyle()) return Font().Style();
    return FParentStyle->GetTextStyle();
}

// ---- the controller ----

TcxStyleController* TcxContainerStyle::GetDefaultStyleController() const {
    return GetDefaultStyleControllerInstance();
}

TcxStyleController* TcxContainerStyle::StyleController() const {
    if (!IsBaseStyle()) return FParentStyle->StyleController();
    return FStyleController == GetDefaultStyleController() ? nullptr : FStyleController;
}

void TcxContainerStyle::SetStyleController(TcxStyleController* Value) {
    if (!IsBaseStyle()) return FParentStyle->SetStyleController(Value);
    TcxStyleController* Default = GetDefaultStyleController();
    if (Default && GetOwner() == Default) return;
    if (!Value) Value = Default;
    // A controller whose chain comes back to this style would make every lookup endless.
    int Step = 0;
    for (TcxStyleController* C = Value; C && Step < MaxChainLength; ++Step) {
        if (&C->Style() == this) return;
        C = C->Style().FStyleController;
    }
    if (Step == MaxChainLength || Value == FStyleController) return;
    if (FStyleController) FStyleController->RemoveListener(this);
    FStyleController = Value;
    if (FStyleController) {
        FStyleController->AddListener(this);
        ControllerChangedNotification(FStyleController);
    }
}

void TcxContainerStyle::ControllerChangedNotification(TcxStyleController*) {
    UpdateFont();
    Changed();
}

void TcxContainerStyle::ControllerFreeNotification(TcxStyleController* Controller) {
    if (!Controller || Controller != FStyleController) return;
    if (Controller == GetDefaultStyleController()) {
        // Null would take the dying default again.
        Controller->RemoveListener(this);
        FStyleController = nullptr;
        return;
    }
    SetStyleController(nullptr);
}

// ---- TcxContainerStyles ----

TcxContainerStyles::TcxContainerStyles(pc::TPersistent* AOwner,
                                       const TcxContainerStyleClass& StyleClass) {
    for (int State = cssNormal; State <= cssHot; ++State)
        FStyles[State] = StyleClass(AOwner, static_cast<TcxContainerStyleState>(State),
                                    State == cssNormal ? nullptr : FStyles[cssNormal].get(), false);
}

TcxContainerStyles::~TcxContainerStyles() {
    for (int State = cssHot; State >= cssNormal; --State)
        FStyles[State].reset();
}

void TcxContainerStyles::SetOnChanged(const std::function<void(TcxContainerStyle*)>& Value) {
    for (auto& Style : FStyles)
        Style->OnChanged = Value;
}

// ---- TcxStyleController ----

TcxStyleController::TcxStyleController(pc::TComponent* AOwner)
    : TcxStyleController(AOwner, cxContainerStyleClass()) {}

TcxStyleController::TcxStyleController(pc::TComponent* AOwner,
                                       const TcxContainerStyleClass& StyleClass)
    : pc::TComponent(AOwner) {
    FStyles = std::make_unique<TcxContainerStyles>(this, StyleClass);
    FStyles->SetOnChanged([this](TcxContainerStyle*) { Changed(); });
}

TcxStyleController::~TcxStyleController() {
    FIsDestroying = true;
    const std::vector<TcxContainerStyle*> Listeners = FListeners;
    for (auto It = Listeners.rbegin(); It != Listeners.rend(); ++It)
        if (std::find(FListeners.begin(), FListeners.end(), *It) != FListeners.end())
            (*It)->ControllerFreeNotification(this);
    FStyles.reset();
}

void TcxStyleController::AddListener(TcxContainerStyle* Style) {
    if (!Style || std::find(FListeners.begin(), FListeners.end(), Style) != FListeners.end())
        return;
    FListeners.push_back(Style);
    Style->LookAndFeel().SetMasterLookAndFeel(&this->Style().LookAndFeel());
}

void TcxStyleController::RemoveListener(TcxContainerStyle* Style) {
    auto It = std::find(FListeners.begin(), FListeners.end(), Style);
    if (It == FListeners.end()) return;
    FListeners.erase(It);
    Style->LookAndFeel().SetMasterLookAndFeel(nullptr);
}

void TcxStyleController::Changed() {
    if (OnStyleChanged) OnStyleChanged(this);
    if (FIsDestroying) return;
    for (TcxContainerStyle* Listener : std::vector<TcxContainerStyle*>(FListeners))
        Listener->ControllerChangedNotification(this);
}

void TcxStyleController::ChangeScale(int M, int D) {
    TcxContainerStyle& Normal = Style();
    if (!(Normal.AssignedValues() & cxStyleValue(svFont))) {
        if (TcxStyleController* Source = Normal.StyleController()) Source->ChangeScale(M, D);
        return;
    }
    if (FScaledOnce || D == 0) return;
    FScaledOnce = true;
    Normal.Font().SetSize(Normal.Font().Size() * M / D);
}

} // namespace toolkit::edit
