#include "toolkit/base/look_and_feel.h"

#include "toolkit/base/look_and_feel_controller.h"
#include "toolkit/base/theme_manager.h"

#include "platform/core/filer.h"

#include <algorithm>
#include <array>

namespace toolkit::base {

using platform::core::TPersistent;

// ---------------------------------------------------------------------------------------------
// The painter lookup

namespace {

TcxLookAndFeelPainterLookup& PainterLookup() {
    static TcxLookAndFeelPainterLookup Lookup;
    return Lookup;
}

} // namespace

void cxSetLookAndFeelPainterLookup(TcxLookAndFeelPainterLookup Lookup) {
    PainterLookup() = std::move(Lookup);
}

const TcxLookAndFeelPainterLookup& cxLookAndFeelPainterLookup() {
    return PainterLookup();
}

// ---------------------------------------------------------------------------------------------
// The root

struct TLookAndFeelsUnit {
    TLookAndFeelsUnit() {
        // The links outlive the root: the controller of the links is made before it.
        cxObjectLinkController();
        Root.reset(new TcxLookAndFeel(TcxLookAndFeel::TRootTag{}));
    }
    ~TLookAndFeelsUnit() { Root.reset(); }
    TLookAndFeelsUnit(const TLookAndFeelsUnit&) = delete;
    TLookAndFeelsUnit& operator=(const TLookAndFeelsUnit&) = delete;

    std::unique_ptr<TcxLookAndFeel> Root;
};

namespace {

TcxLookAndFeel* TheRoot = nullptr;

} // namespace

TcxLookAndFeel* RootLookAndFeel() {
    static TLookAndFeelsUnit Unit;
    return TheRoot;
}

// ---------------------------------------------------------------------------------------------
// TcxLookAndFeel

const TcxInterfacedPersistentClass& TcxLookAndFeel::ClassRef() {
    static const TcxInterfacedPersistentClass Class(
        "TcxLookAndFeel", &TcxInterfacedPersistent::ClassRef(),
        platform::core::ConstructorOf<TcxLookAndFeel, TcxInterfacedPersistent, TPersistent*>());
    return Class;
}

TcxLookAndFeel::TcxLookAndFeel(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {
    FData = FAssignedData;
    CreatePaletteNotifier();
    if (TcxLookAndFeel* Root = RootLookAndFeel()) {
        Root->AddChangeListener(this);
        RefreshData();
    }
    ChoosePainter();
}

TcxLookAndFeel::TcxLookAndFeel(TRootTag) : TcxInterfacedPersistent(nullptr), FIsRoot(true) {
    TheRoot = this;
    FData = FAssignedData;
    CreatePaletteNotifier();
    ChoosePainter();
}

void TcxLookAndFeel::CreatePaletteNotifier() {
    FPaletteNotifier = std::make_unique<TcxSystemPaletteChangedNotifier>(false);
    FPaletteNotifier->OnSystemPaletteChanged = [this] { SystemPaletteChanged(); };
}

TcxLookAndFeel::~TcxLookAndFeel() {
    if (const auto& Remove = cxLookAndFeelPainterLookup().RemoveSkinListener) Remove(this);
    FPaletteNotifier.reset();
    FIsDestroying = true;
    std::vector<IcxLookAndFeelNotificationListener*> Snapshot;
    for (const TListener& Entry : FListeners)
        if (Entry.Link->Ref) Snapshot.push_back(Entry.Listener);
    for (IcxLookAndFeelNotificationListener* Listener : Snapshot)
        if (IsListening(Listener)) Listener->MasterLookAndFeelDestroying(this);
    FListeners.clear();
    if (TcxLookAndFeel* Notifying = NotifyingLookAndFeel()) Notifying->RemoveChangeListener(this);
    FMaster.reset();
    if (FIsRoot) TheRoot = nullptr;
    cxClearObjectLinks(this);
}

void TcxLookAndFeel::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TcxLookAndFeel*>(Source);
    if (!Other) {
        TcxInterfacedPersistent::Assign(Source);
        return;
    }
    const TcxLookAndFeelData Before = FData;
    // Moved without a change of its own: the one change below tells what moved.
    if (CanFollow(Other->MasterLookAndFeel())) AttachMaster(Other->MasterLookAndFeel());
    FAssignedData = Other->FAssignedData;
    FAssignedValues = Other->FAssignedValues;
    Changed(MovedValues(Before));
}

void TcxLookAndFeel::SetAssignedValues(TcxLookAndFeelValues Value) {
    Value &= cxAllLookAndFeelValues;
    if (Value == FAssignedValues) return;
    const TcxLookAndFeelData Before = FData;
    FAssignedValues = Value;
    Changed(MovedValues(Before));
}

void TcxLookAndFeel::SetKind(TcxLookAndFeelKind Value) {
    FAssignedValues |= lfvKind;
    FAssignedData.Kind = Value;
    if (GetDefaultKind() != FData.Kind) Changed(lfvKind);
}

void TcxLookAndFeel::SetNativeStyle(bool Value) {
    FAssignedValues |= lfvNativeStyle;
    FAssignedData.NativeStyle = Value;
    if (GetDefaultNativeStyle() != FData.NativeStyle) Changed(lfvNativeStyle);
}

void TcxLookAndFeel::SetSkinName(const std::string& Value) {
    FAssignedValues |= lfvSkinName;
    FAssignedData.SkinName = Value;
    if (GetDefaultSkinName() != FData.SkinName) Changed(lfvSkinName);
}

TcxLookAndFeel* TcxLookAndFeel::MasterLookAndFeel() const {
    return FMaster ? static_cast<TcxLookAndFeel*>(FMaster->Ref) : nullptr;
}

void TcxLookAndFeel::SetMasterLookAndFeel(TcxLookAndFeel* Value) {
    if (!CanFollow(Value)) return;
    const TcxLookAndFeelData Before = FData;
    AttachMaster(Value);
    Changed(MovedValues(Before));
}

bool TcxLookAndFeel::CanFollow(const TcxLookAndFeel* Value) const {
    if (FIsRoot || Value == MasterLookAndFeel()) return false;
    for (const TcxLookAndFeel* Up = Value; Up; Up = Up->MasterLookAndFeel())
        if (Up == this) return false;
    return true;
}

void TcxLookAndFeel::AttachMaster(TcxLookAndFeel* Value) {
    if (TcxLookAndFeel* Notifying = NotifyingLookAndFeel()) Notifying->RemoveChangeListener(this);
    FMaster = cxAddObjectLink(Value);
    if (TcxLookAndFeel* Notifying = NotifyingLookAndFeel()) Notifying->AddChangeListener(this);
}

TcxLookAndFeel* TcxLookAndFeel::NotifyingLookAndFeel() const {
    if (FIsRoot) return nullptr;
    if (TcxLookAndFeel* Master = MasterLookAndFeel()) return Master;
    return RootLookAndFeel();
}

TcxLookAndFeelPainterClass TcxLookAndFeel::GetPainter() {
    if (!FPainter) ChoosePainter();
    return FSkinPainter ? FSkinPainter : FPainter;
}

void TcxLookAndFeel::AddChangeListener(IcxLookAndFeelNotificationListener* Listener) {
    if (!Listener || IsListening(Listener)) return;
    const bool IsController =
        dynamic_cast<TcxLookAndFeelController*>(Listener->GetListenerObject()) != nullptr;
    if (IsController && !FIsRoot) return;
    auto Link = cxAddObjectLink(Listener->GetListenerObject());
    if (!Link) return;
    // Entries of listeners that died unannounced go now.
    std::erase_if(FListeners, [](const TListener& Entry) { return !Entry.Link->Ref; });
    FListeners.push_back({Listener, std::move(Link)});
    if (IsController) ++FControllerCount;
}

void TcxLookAndFeel::RemoveChangeListener(IcxLookAndFeelNotificationListener* Listener) {
    const auto It = std::find_if(FListeners.begin(), FListeners.end(), [&](const TListener& E) {
        return E.Listener == Listener && E.Link->Ref;
    });
    if (It == FListeners.end()) return;
    const bool IsController = dynamic_cast<TcxLookAndFeelController*>(It->Link->Ref) != nullptr;
    FListeners.erase(It);
    // Without a controller on any form the application falls back to the defaults.
    if (IsController && --FControllerCount == 0 && !FIsDestroying) SetAssignedValues(0);
}

bool TcxLookAndFeel::IsListening(const IcxLookAndFeelNotificationListener* Listener) const {
    return std::any_of(FListeners.begin(), FListeners.end(),
                       [&](const TListener& E) { return E.Listener == Listener && E.Link->Ref; });
}

void TcxLookAndFeel::MasterLookAndFeelChanged(TcxLookAndFeel* /*Sender*/,
                                              TcxLookAndFeelValues ChangedValues) {
    Changed(ChangedValues & ~FAssignedValues);
}

void TcxLookAndFeel::MasterLookAndFeelDestroying(TcxLookAndFeel* /*Sender*/) {
    SetMasterLookAndFeel(nullptr);
}

TcxLookAndFeelKind TcxLookAndFeel::GetDefaultKind() const {
    if (FAssignedValues & lfvKind) return FAssignedData.Kind;
    if (TcxLookAndFeel* Master = MasterLookAndFeel()) return Master->GetKind();
    if (TcxLookAndFeel* Root = FIsRoot ? nullptr : RootLookAndFeel()) return Root->GetKind();
    return lfUltraFlat;
}

bool TcxLookAndFeel::GetDefaultNativeStyle() const {
    if (FAssignedValues & lfvNativeStyle) return FAssignedData.NativeStyle;
    if (TcxLookAndFeel* Master = MasterLookAndFeel()) return Master->GetNativeStyle();
    if (TcxLookAndFeel* Root = FIsRoot ? nullptr : RootLookAndFeel()) return Root->GetNativeStyle();
    return false;
}

std::string TcxLookAndFeel::GetDefaultSkinName() const {
    if (FAssignedValues & lfvSkinName) return FAssignedData.SkinName;
    if (TcxLookAndFeel* Master = MasterLookAndFeel()) return Master->GetSkinName();
    if (TcxLookAndFeel* Root = FIsRoot ? nullptr : RootLookAndFeel()) return Root->GetSkinName();
    return {};
}

TcxLookAndFeelPainterClass TcxLookAndFeel::GetSkinPainter() const {
    TcxLookAndFeelPainterClass Painter = nullptr;
    return FindSkinPainter(GetSkinName(), Painter) ? Painter : nullptr;
}

bool TcxLookAndFeel::FindSkinPainter(const std::string& Name,
                                     TcxLookAndFeelPainterClass& Painter) const {
    const auto& ByName = cxLookAndFeelPainterLookup().PainterByName;
    return !Name.empty() && ByName && ByName(Name, Painter) && Painter;
}

void TcxLookAndFeel::SystemPaletteChanged() {
    Changed(lfvNativeStyle);
}

TcxLookAndFeelData TcxLookAndFeel::DefaultData() const {
    return {GetDefaultKind(), GetDefaultNativeStyle(), GetDefaultSkinName()};
}

TcxLookAndFeelValues TcxLookAndFeel::MovedValues(const TcxLookAndFeelData& Before) const {
    const TcxLookAndFeelData After = DefaultData();
    TcxLookAndFeelValues Result = 0;
    if (After.Kind != Before.Kind) Result |= lfvKind;
    if (After.NativeStyle != Before.NativeStyle) Result |= lfvNativeStyle;
    if (After.SkinName != Before.SkinName) Result |= lfvSkinName;
    return Result;
}

void TcxLookAndFeel::RefreshData() {
    FData = DefaultData();
    FSkinPainter = GetNativeStyle() ? nullptr : GetSkinPainter();
}

void TcxLookAndFeel::ChoosePainter() {
    const auto& Lookup = cxLookAndFeelPainterLookup();
    if (GetNativeStyle() && AreVisualStylesAvailable() && Lookup.NativePainter)
        FPainter = Lookup.NativePainter();
    else if (FSkinPainter)
        FPainter = FSkinPainter;
    else
        FPainter = Lookup.PainterByKind ? Lookup.PainterByKind(GetKind()) : nullptr;
}

void TcxLookAndFeel::Changed(TcxLookAndFeelValues ChangedValues) {
    if (!ChangedValues || FIsDestroying) return;
    RefreshData();
    ChoosePainter();
    const auto& Lookup = cxLookAndFeelPainterLookup();
    if (FSkinPainter) {
        if (Lookup.AddSkinListener) Lookup.AddSkinListener(this);
    } else if (Lookup.RemoveSkinListener) {
        Lookup.RemoveSkinListener(this);
    }
    // A listener may leave, or free others: each is called only while it is still listed.
    std::vector<IcxLookAndFeelNotificationListener*> Snapshot;
    for (const TListener& Entry : FListeners)
        if (Entry.Link->Ref) Snapshot.push_back(Entry.Listener);
    for (IcxLookAndFeelNotificationListener* Listener : Snapshot)
        if (IsListening(Listener)) Listener->MasterLookAndFeelChanged(this, ChangedValues);
    if (OnChanged) OnChanged(this, ChangedValues);
}

void TcxLookAndFeel::DefinePublishedProperties(platform::core::TFiler& Filer) {
    TcxInterfacedPersistent::DefinePublishedProperties(Filer);
    static constexpr std::array<const char*, 4> KindNames{"lfFlat", "lfStandard", "lfUltraFlat",
                                                          "lfOffice11"};
    Filer.DefineEnum(
        "Kind", FAssignedData.Kind, KindNames,
        [this](int Value) { SetKind(static_cast<TcxLookAndFeelKind>(Value)); },
        (FAssignedValues & lfvKind) != 0);
    Filer.DefineBoolean(
        "NativeStyle", FAssignedData.NativeStyle, [this](bool Value) { SetNativeStyle(Value); },
        (FAssignedValues & lfvNativeStyle) != 0);
    Filer.DefineString(
        "SkinName", FAssignedData.SkinName,
        [this](const std::string& Value) { SetSkinName(Value); },
        (FAssignedValues & lfvSkinName) != 0);
}

} // namespace toolkit::base
