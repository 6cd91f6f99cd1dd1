#include "toolkit/bars/model/dx_bar.h"

#include "toolkit/bars/model/dx_bar_customizing_services.h"
#include "toolkit/bars/model/dx_bar_frame_painter.h"
#include "toolkit/bars/model/dx_bar_painter_state.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "platform/forms/application.h"
#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"

#include <algorithm>
#include <array>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

constexpr TdxBarDockingStyles kAllDockingStyles = 31;

// What the painters read of a bar that may have no window yet.
TdxBarControlState BarPaintState(const TdxBar& Bar, TdxBarDockingStyle Style) {
    TdxBarControlState State;
    State.Manager = Bar.BarManager();
    State.DockingStyle = Style;
    State.Bar.Caption = Bar.Caption();
    State.Bar.CanClose = Bar.CanClose();
    State.Bar.CanDock = Bar.CanDock();
    State.Bar.IsMainMenu = Bar.IsMainMenu();
    State.Bar.IsStatusBar = Bar.IsStatusBar();
    State.Bar.BorderStyle = Bar.BorderStyle();
    State.Bar.ShowMark = Bar.ShowMark();
    State.Bar.AllowQuickCustomizing = Bar.AllowQuickCustomizing();
    return State;
}

} // namespace

// TdxBar

const pc::TClass& TdxBar::ClassRef() {
    static const pc::TClass cls("TdxBar", &pc::TPersistent::ClassRef());
    return cls;
}

TdxBar::TdxBar(TdxBars* Collection) : FCollection(Collection) {
    TdxBarManager* Manager = BarManager();
    FBackgroundBitmap = std::make_unique<pf::TBitmap>();
    FBackgroundBitmap->OnChange = [this] { WindowRepaint(); };
    FFont = std::make_unique<pg::TFont>();
    FFont->Assign(Manager->Font());
    FFont->OnChange = [this](pc::TObject*) { FontChanged(); };
    FItemLinks = std::make_unique<TdxBarItemLinks>(Manager, this);
    FItemLinks->OnChange = [Manager] { Manager->DesignerModified(); };
}

std::unique_ptr<TdxBar> TdxBar::CreateInternal(TdxBars* Collection) {
    auto Bar = std::make_unique<TdxBar>(Collection);
    Bar->FInternal = true;
    Bar->FItemLinks->OnChange = nullptr;
    return Bar;
}

TdxBar::~TdxBar() {
    TdxBarManager* Manager = BarManager();
    if (!Manager->IsDestroying() && !FInternal) {
        Manager->DesignerModified();
        if (Manager->OnBarDelete) Manager->OnBarDelete(Manager, this);
    }
    if (!FInternal) dxBarCustomizingServices().RemoveCustomizingBar(this);
    SetVisible(false);
    Manager->RemovePendingBar(this);
    HideWindow();
    for (auto It = FDetachingSubItems.rbegin(); It != FDetachingSubItems.rend(); ++It)
        (*It)->DetachingBarGoing(this);
    FDetachingSubItems.clear();
    if (Manager->MainMenuBar() == this) Manager->SetMainMenuBar(nullptr);
    FItemLinks.reset();
}

bool TdxBar::WaitsForDockSite() const {
    if (FDockingStyle == dsNone) return false;
    const TdxDockControl* Site = GetRealDockControl();
    return Site != nullptr && dxBarWindowServices().DockSiteWaits(*Site);
}

bool TdxBar::ShowPending() {
    if (!FVisible || WaitsForDockSite()) return false;
    ShowWindow();
    return true;
}

void TdxBar::AddDetachingSubItem(TCustomdxBarSubItem* Item) {
    if (std::find(FDetachingSubItems.begin(), FDetachingSubItems.end(), Item) ==
        FDetachingSubItems.end())
        FDetachingSubItems.push_back(Item);
}

void TdxBar::RemoveDetachingSubItem(TCustomdxBarSubItem* Item) {
    std::erase(FDetachingSubItems, Item);
}

TdxBarManager* TdxBar::BarManager() const {
    return FCollection->BarManager();
}

int TdxBar::Index() const {
    return FCollection->IndexOf(this);
}

pc::TComponent* TdxBar::LinksOwnerComponent() {
    return BarManager();
}

bool TdxBar::Loading() const {
    return BarManager()->IsLoading();
}

void TdxBar::WindowLayoutChanged() {
    if (!FControl) return;
    if (BarManager()->LockUpdate())
        BarManager()->LayoutHeld();
    else
        FControl->RefreshLayout();
}

void TdxBar::WindowRepaint() {
    if (FControl) FControl->RepaintBar();
}

void TdxBar::SetAllowClose(bool Value) {
    if (FAllowClose == Value) return;
    FAllowClose = Value;
    if (FDockingStyle == dsNone) WindowLayoutChanged();
    dxBarCustomizingServices().UpdateCustomizingBar(this);
}

void TdxBar::SetAllowQuickCustomizing(bool Value) {
    if (FAllowQuickCustomizing == Value) return;
    FAllowQuickCustomizing = Value;
    if (FDockingStyle == dsNone || BarManager()->IsNotStandardStyle()) WindowLayoutChanged();
}

void TdxBar::SetBorderStyle(TdxBarBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    WindowRepaint();
}

void TdxBar::SetCaption(const std::string& Value) {
    if (FCaption == Value) return;
    for (int I = 0; I < FCollection->Count(); ++I)
        if (FCollection->Items(I)->Caption() == Value) return;
    FCaption = Value;
    if (FDockingStyle == dsNone) WindowLayoutChanged();
    if (Name.empty() && !Loading())
        Name = FCollection->FindByName(Value) ? FCollection->GetUniqueBarName(Value) : Value;
    dxBarCustomizingServices().UpdateCustomizingBar(this);
    BarManager()->DesignerModified();
}

void TdxBar::SetColor(pg::TColor Value) {
    if (FColor == Value) return;
    FColor = Value;
    WindowRepaint();
}

// What the window's place was and whether the user sees the bar in the lists: the designer
// hears of every change.
void TdxBar::SetDockedDockControl(TdxBarDockControl* Value) {
    if (Value) FHasDockedPlace = true;
    if (FDockedDockControl == Value) return;
    FDockedDockControl = Value;
    BarManager()->DesignerModified();
}

void TdxBar::SetPlace(int& Field, int Value) {
    if (Field == Value) return;
    Field = Value;
    BarManager()->DesignerModified();
}

void TdxBar::SetDockedPlace(int& Field, int Value) {
    FHasDockedPlace = true;
    SetPlace(Field, Value < 0 ? 0 : Value);
}

void TdxBar::SetHidden(bool Value) {
    if (FHidden == Value) return;
    FHidden = Value;
    BarManager()->DesignerModified();
}

void TdxBar::SetAlphaBlendValue(std::uint8_t Value) {
    if (FAlphaBlendValue == Value) return;
    FAlphaBlendValue = Value;
    if (FControl) FControl->UpdateAlphaBlend();
}

void TdxBar::FontChanged() {
    if (!FInternalFontChange) FUseOwnFont = true;
    if (FUseOwnFont) BuildFontHandle();
    if (!FControl) return;
    if (auto* Window = dynamic_cast<pf::TControl*>(FControl.get())) {
        Window->Font().Assign(*FFont);
        Window->Perform(pf::CM_FONTCHANGED, 0, 0);
    }
    WindowLayoutChanged();
}

void TdxBar::BuildFontHandle() {
    // A copy of its own, so that the handle lasts while the font is being changed again.
    FOwnFont = std::make_unique<pg::TFont>();
    FOwnFont->Assign(*FFont);
}

pg::HFONT TdxBar::FontHandle() const {
    return FOwnFont ? FOwnFont->Handle() : pg::HFONT{};
}

void TdxBar::SetUseOwnFont(bool Value) {
    if (FUseOwnFont == Value) return;
    FUseOwnFont = Value;
    if (Value) {
        BuildFontHandle();
        return;
    }
    FOwnFont.reset();
    ManagerFontChanged();
}

void TdxBar::ManagerFontChanged() {
    if (FUseOwnFont) return;
    FInternalFontChange = true;
    FFont->Assign(BarManager()->Font());
    FInternalFontChange = false;
}

void TdxBar::SetIsMainMenu(bool Value) {
    if (FIsMainMenu == Value) return;
    TdxBarManager* Manager = BarManager();
    const bool Locked = Manager->LockUpdate();
    Manager->SetLockUpdate(true);
    if (Value) {
        if (TdxBar* Previous = Manager->MainMenuBar()) Previous->SetIsMainMenu(false);
        FIsMainMenu = true;
        Manager->SetMainMenuBar(this);
        SetWholeRow(true);
        SetMultiLine(true);
    } else {
        FIsMainMenu = false;
        if (Manager->MainMenuBar() == this) Manager->SetMainMenuBar(nullptr);
        SetMultiLine(false);
        SetWholeRow(false);
    }
    Manager->SetLockUpdate(Locked);
    if (Loading()) return;
    WindowLayoutChanged();
    dxBarCustomizingServices().UpdateCustomizingBar(this);
}

void TdxBar::SetMultiLine(bool Value) {
    if (FMultiLine == Value || (!Value && FIsMainMenu)) return;
    FMultiLine = Value;
    if (FDockingStyle != dsNone) WindowLayoutChanged();
}

void TdxBar::SetNotDocking(TdxBarDockingStyles Value) {
    if (FNotDocking == Value) return;
    FNotDocking = Value;
    WindowLayoutChanged();
}

void TdxBar::SetRotateWhenVertical(bool Value) {
    if (FRotateWhenVertical == Value) return;
    FRotateWhenVertical = Value;
    WindowLayoutChanged();
}

void TdxBar::SetShowMark(bool Value) {
    if (FShowMark == Value) return;
    FShowMark = Value;
    WindowLayoutChanged();
}

void TdxBar::SetSizeGrip(bool Value) {
    if (FSizeGrip == Value) return;
    FSizeGrip = Value;
    if (IsStatusBar()) WindowRepaint();
}

void TdxBar::SetUseRecentItems(bool Value) {
    if (FUseRecentItems == Value) return;
    FUseRecentItems = Value;
    FItemLinks->UseRecentItems = Value;
    WindowLayoutChanged();
}

void TdxBar::SetUseRestSpace(bool Value) {
    if (FUseRestSpace == Value) return;
    FUseRestSpace = Value;
    WindowLayoutChanged();
}

void TdxBar::SetWholeRow(bool Value) {
    if (FWholeRow == Value) return;
    FWholeRow = Value;
    // Only a fresh insertion puts the bar in a row of its own (or lets it share again).
    if (FControl && FDockingStyle != dsNone) {
        HideWindow();
        ShowWindow();
    }
}

// Docking

TdxDockControl* TdxBar::GetRealDockControl() const {
    if (FDockControl) return dxBarWindowServices().DockSiteOf(FDockControl);
    return FCollection->DockControls(FDockingStyle);
}

void TdxBar::DockingChanged() {
    FItemLinks->SetRecentItemCount(-1);
    BarManager()->DoBarDockingStyleChange(this);
}

void TdxBar::SetDockControl(TdxBarDockControl* Value) {
    TdxBarWindowServices& Windows = dxBarWindowServices();
    TdxDockControl* Site = Windows.DockSiteOf(Value);
    if (Site && Windows.DockSiteManager(*Site) != BarManager()) return;
    if (Loading()) {
        FLoadedDockControl = Value;
        return;
    }
    if (FDockControl == Value) return;
    TdxDockControl* Present = FControl ? GetRealDockControl() : nullptr;
    const bool Moves = FControl && (Site ? Site != Present
                                         : FDockingStyle != dsNone && Present &&
                                               !Windows.IsAutomaticDockSite(*Present));
    if (Moves) HideWindow();
    FDockControl = Value;
    if (Site && !FChangingDocking) {
        FChangingDocking = true;
        SetDockingStyle(Windows.DockSiteStyle(*Site));
        FChangingDocking = false;
    }
    if (Moves && FVisible) ShowWindow();
    DockingChanged();
}

void TdxBar::SetDockingStyle(TdxBarDockingStyle Value) {
    if (Loading()) {
        FLoadedDockingStyle = Value;
        return;
    }
    if (FDockingStyle == Value) return;
    const bool Moves = FControl != nullptr;
    if (Moves) HideWindow();
    FDockingStyle = Value;
    if (!FChangingDocking) {
        FChangingDocking = true;
        SetDockControl(nullptr);
        FChangingDocking = false;
    }
    if (Moves && FVisible) ShowWindow();
    DockingChanged();
}

void TdxBar::SetDocking(TdxBarDockingStyle Style, TdxDockControl* ADockControl) {
    TdxBarDockControl* Placed = dxBarWindowServices().PlacedDockSite(ADockControl);
    if (Style != FDockingStyle) {
        if (Placed && Placed != FDockControl)
            SetDockControl(Placed);
        else
            SetDockingStyle(Style);
    } else
        SetDockControl(Placed);
}

// Showing and hiding

void TdxBar::SetVisible(bool Value) {
    TdxBarManager* Manager = BarManager();
    if (Value && Manager->IsDestroying()) return;
    // Shown or hidden by the program or the user, the bar no longer waits for its items.
    HiddenBecauseEmpty = false;
    if (FVisible == Value) {
        if (!Value) Manager->RemoveHiddenBar(this);
        return;
    }
    if (Loading()) {
        FLoadedVisible = Value;
        return;
    }
    FVisible = Value;
    dxBarCustomizingServices().UpdateCustomizingBar(this);
    if (Value) {
        // Docked on a site that cannot have a window yet (placed on nothing so far), the bar
        // waits: the form shows it when its own window comes.
        if (WaitsForDockSite())
            Manager->AddPendingBar(this);
        else
            ShowWindow();
        Manager->RemoveHiddenBar(this);
    } else {
        Manager->RemovePendingBar(this);
        HideWindow();
    }
    if (!Manager->IsDestroying() && Manager->OnBarVisibleChange)
        Manager->OnBarVisibleChange(Manager, this);
}

void TdxBar::ShowWindow(const pg::TPoint* At) {
    if (FControl || !FCollection->CreateBarControl) return;
    FControl = FCollection->CreateBarControl(*this);
    if (!FControl) return;
    TdxDockControl* Site = GetRealDockControl();
    if (FDockingStyle == dsNone || !Site) {
        FControl->SetDockSite(nullptr, dsNone);
        FControl->PlaceFloating({FFloatLeft, FFloatTop});
        if (FloatingShowsNow()) FControl->ShowNoActivate();
        return;
    }
    FControl->SetDockSite(Site, FDockingStyle);
    TdxBarWindowServices& Windows = dxBarWindowServices();
    Windows.InsertBar(*Site, *FControl,
                      At ? *At : Windows.DockSiteClientToScreen(*Site, {FDockedLeft, FDockedTop}));
    FControl->ShowNoActivate();
}

void TdxBar::DockControlGoing(TdxBarDockControl* Site) {
    if (FDockedDockControl == Site) SetDockedDockControl(nullptr);
    if (FLoadedDockControl == Site) FLoadedDockControl = nullptr;
    if (FDockControl != Site) return;
    HideWindow();
    FDockControl = nullptr;
    TdxBarManager* Manager = BarManager();
    pf::TCustomForm* Form = Manager->Form();
    if (FVisible && !Manager->IsDestroying() && !(Form && Form->Destroying())) ShowWindow();
}

void TdxBar::MoveWindowTo(TdxBarDockingStyle Style, TdxDockControl* Site, pg::TPoint ScreenPos) {
    HideWindow();
    FDockingStyle = Site ? Style : dsNone;
    FDockControl = dxBarWindowServices().PlacedDockSite(Site);
    if (FDockingStyle == dsNone) {
        SetFloatLeft(ScreenPos.X);
        SetFloatTop(ScreenPos.Y);
    }
    if (FVisible) ShowWindow(&ScreenPos);
    DockingChanged();
}

bool TdxBar::FloatingShowsNow() const {
    TdxBarManager* Manager = BarManager();
    pf::TCustomForm* Form = Manager->Form();
    if (!Form || !Form->Showing()) return false;
    if (!Manager->HideFloatingBarsWhenInactive() || Manager->IsCustomizing()) return true;
    const pw::HWND Active = pw::GetActiveWindow();
    if (Form->HandleAllocated() && Active == Form->Handle()) return true;
    if (Form->FormStyle() != pf::fsMDIChild) return false;
    pf::TCustomForm* MainForm = pf::Application().MainForm();
    return MainForm && MainForm->HandleAllocated() && Active == MainForm->Handle() &&
           MainForm->ActiveMDIChild() == Form;
}

void TdxBar::HideWindow() {
    if (!FControl) return;
    SavePosition();
    TdxBarWindowServices& Windows = dxBarWindowServices();
    auto RemoveFrom = [&](TdxDockControl* Site) {
        int Row = 0;
        bool OneOnRow = false;
        if (Site && Windows.FindBar(*Site, *FControl, Row, OneOnRow))
            Windows.RemoveBar(*Site, *FControl);
    };
    for (int S = dsLeft; S <= dsBottom; ++S)
        RemoveFrom(FCollection->DockControls(static_cast<TdxBarDockingStyle>(S)));
    if (FDockControl) RemoveFrom(Windows.DockSiteOf(FDockControl));
    FControl.reset();
}

void TdxBar::SavePosition() {
    if (!FControl) return;
    const pg::TRect Bounds = FControl->BoundsRect();
    TdxDockControl* Site = GetRealDockControl();
    int SiteRow = 0;
    bool AloneOnRow = false;
    const bool Docked =
        Site && dxBarWindowServices().FindBar(*Site, *FControl, SiteRow, AloneOnRow);
    if (FDockingStyle != dsNone && Docked) {
        DockedDockingStyle = FDockingStyle;
        SetDockedDockControl(FDockControl);
        SetRow(SiteRow);
        OneOnRow = AloneOnRow;
        SetDockedLeft(Bounds.Left);
        SetDockedTop(Bounds.Top);
    } else {
        SetFloatLeft(Bounds.Left);
        SetFloatTop(Bounds.Top);
        const pg::TSize Client = FControl->ClientSize();
        SetFloatClientWidth(Client.cx);
        SetFloatClientHeight(Client.cy);
    }
}

void TdxBar::Loaded() {
    SetDesignIdentity(Index());
    FItemLinks->Loaded(true);
    SetDockControl(FLoadedDockControl);
    if (!FLoadedDockControl) SetDockingStyle(FLoadedDockingStyle);
    SetVisible(FLoadedVisible);
}

// Answers

bool TdxBar::CanClose() const {
    return FAllowClose && !FIsMainMenu;
}

bool TdxBar::CanDock() const {
    return FNotDocking != kAllDockingStyles && BarManager()->NotDocking() != kAllDockingStyles;
}

bool TdxBar::IsStatusBar() const {
    return FBorderStyle == bbsNone && FDockingStyle == dsBottom && FWholeRow;
}

bool TdxBar::SizeGripVisible() const {
    if (!IsStatusBar() || !FSizeGrip) return false;
    pf::TCustomForm* Form = BarManager()->Form();
    if (Form && Form->HandleAllocated() ? pw::IsZoomed(Form->Handle()) != 0
                                        : Form && Form->WindowState() == pf::wsMaximized)
        return false;
    // The grip is only useful in the corner of the window: the bar lies at the bottom of its
    // site, the site at the bottom of its parent, and so on up to the top or an MDI child.
    TdxDockControl* Site = GetRealDockControl();
    if (!FControl || !Site) return true;
    return dxBarWindowServices().BarWindowInFormCorner(*Site, *FControl);
}

int TdxBar::GetNonClientWidth(TdxBarDockingStyle Style) const {
    const TdxBarFramePainter& Painter = BarManager()->FramePainter();
    if (Style == dsNone)
        return 2 * Painter.GetFloatingBorderWidth() + 2 * Painter.GetFloatingCaptionIndent();
    if (FBorderStyle == bbsSingle) {
        const pg::TRect M = Painter.GetDockedBarBorderRect(BarPaintState(*this, Style));
        int Result = M.Left + M.Right;
        if (Style == dsTop || Style == dsBottom)
            Result += CanDock() ? Painter.GetDragGripAreaSize() : Painter.FixedGripSize();
        return Result;
    }
    return SizeGripVisible() ? Painter.GetSizeGripSize(BarPaintState(*this, Style)).cx : 0;
}

int TdxBar::GetNonClientHeight(TdxBarDockingStyle Style) const {
    const TdxBarFramePainter& Painter = BarManager()->FramePainter();
    if (Style == dsNone)
        return 2 * Painter.GetFloatingBorderHeight() + Painter.GetFloatingCaptionHeight() +
               Painter.GetFloatingTopMargin() + Painter.GetFloatingBottomMargin();
    if (FBorderStyle == bbsSingle) {
        const pg::TRect M = Painter.GetDockedBarBorderRect(BarPaintState(*this, Style));
        int Result = M.Top + M.Bottom;
        if (Style == dsLeft || Style == dsRight)
            Result += CanDock() ? Painter.GetDragGripAreaSize() : Painter.FixedGripSize();
        return Result;
    }
    return IsStatusBar() ? Painter.GetSizeGripIndent(BarPaintState(*this, Style)) : 0;
}

void TdxBar::Assign(const TdxBar& Source) {
    SetAllowClose(Source.FAllowClose);
    AllowCustomizing = Source.AllowCustomizing;
    SetAllowQuickCustomizing(Source.FAllowQuickCustomizing);
    AllowReset = Source.AllowReset;
    SetBorderStyle(Source.FBorderStyle);
    SetCaption(Source.FCaption);
    SetDockedDockControl(Source.FDockedDockControl);
    DockedDockingStyle = Source.DockedDockingStyle;
    SetDockedLeft(Source.FDockedLeft);
    SetDockedTop(Source.FDockedTop);
    FHasDockedPlace = Source.FHasDockedPlace;
    SetFloatLeft(Source.FFloatLeft);
    SetFloatTop(Source.FFloatTop);
    SetFloatClientWidth(Source.FFloatClientWidth);
    SetFloatClientHeight(Source.FFloatClientHeight);
    SetHidden(Source.FHidden);
    SetIsMainMenu(Source.FIsMainMenu);
    FItemLinks->Assign(*Source.FItemLinks);
    SetNotDocking(Source.FNotDocking);
    OneOnRow = Source.OneOnRow;
    SetRotateWhenVertical(Source.FRotateWhenVertical);
    SetRow(Source.FRow);
    SetShowMark(Source.FShowMark);
    SetSizeGrip(Source.FSizeGrip);
    SetWholeRow(Source.FWholeRow);
    SetDocking(Source.FDockingStyle, dxBarWindowServices().DockSiteOf(Source.FDockControl));
    SetUseRecentItems(Source.FUseRecentItems);
    SetUseRestSpace(Source.FUseRestSpace);
    SetColor(Source.FColor);
    FFont->Assign(*Source.FFont);
    SetUseOwnFont(Source.FUseOwnFont);
    SetVisible(Source.FVisible);
}

// Form streams

namespace {
constexpr std::array<const char*, 2> kBorderStyleNames{"bbsNone", "bbsSingle"};
} // namespace

void TdxBar::DefinePublishedProperties(pc::TFiler& Filer) {
    pc::TPersistent::DefinePublishedProperties(Filer);
    TdxBarWindowServices& Windows = dxBarWindowServices();
    auto Site = [&Windows](TdxBarDockControl* Placed) -> const pc::TComponent* {
        return Placed ? Windows.PlacedDockSiteComponent(*Placed) : nullptr;
    };
    auto Placed = [&Windows](pc::TComponent* Component) {
        return Windows.PlacedDockSiteOf(Component);
    };
    const bool Pending = Loading();
    Filer.DefineBoolean(
        "AllowClose", FAllowClose, [this](bool Value) { SetAllowClose(Value); }, !FAllowClose);
    Filer.DefineBoolean(
        "AllowCustomizing", AllowCustomizing, [this](bool Value) { AllowCustomizing = Value; },
        !AllowCustomizing);
    Filer.DefineBoolean(
        "AllowQuickCustomizing", FAllowQuickCustomizing,
        [this](bool Value) { SetAllowQuickCustomizing(Value); }, !FAllowQuickCustomizing);
    Filer.DefineBoolean(
        "AllowReset", AllowReset, [this](bool Value) { AllowReset = Value; }, !AllowReset);
    Filer.DefineEnum(
        "BorderStyle", FBorderStyle, kBorderStyleNames,
        [this](int Value) { SetBorderStyle(static_cast<TdxBarBorderStyle>(Value)); },
        FBorderStyle != bbsSingle);
    Filer.DefineString(
        "Caption", FCaption, [this](const std::string& Value) { SetCaption(Value); },
        !FCaption.empty());
    Filer.DefineInteger(
        "Color", static_cast<std::int32_t>(FColor),
        [this](std::int32_t Value) { SetColor(static_cast<pg::TColor>(Value)); },
        FColor != pg::clDefault);
    TdxBarDockControl* DockControlToCome = Pending ? FLoadedDockControl : FDockControl;
    Filer.DefineReference(
        "DockControl", Site(DockControlToCome),
        [this, Placed](pc::TComponent* Value) { SetDockControl(Placed(Value)); },
        DockControlToCome != nullptr);
    Filer.DefineReference(
        "DockedDockControl", Site(FDockedDockControl),
        [this, Placed](pc::TComponent* Value) { SetDockedDockControl(Placed(Value)); },
        FDockedDockControl != nullptr);
    Filer.DefineEnum(
        "DockedDockingStyle", DockedDockingStyle, dxBarDockingStyleNames,
        [this](int Value) { DockedDockingStyle = static_cast<TdxBarDockingStyle>(Value); },
        FDockedDockControl == nullptr);
    Filer.DefineInteger(
        "DockedLeft", FDockedLeft, [this](std::int32_t Value) { SetDockedLeft(Value); }, true);
    Filer.DefineInteger(
        "DockedTop", FDockedTop, [this](std::int32_t Value) { SetDockedTop(Value); }, true);
    Filer.DefineEnum(
        "DockingStyle", Pending ? FLoadedDockingStyle : FDockingStyle, dxBarDockingStyleNames,
        [this](int Value) { SetDockingStyle(static_cast<TdxBarDockingStyle>(Value)); },
        DockControlToCome == nullptr);
    Filer.DefineInteger(
        "FloatLeft", FFloatLeft, [this](std::int32_t Value) { SetFloatLeft(Value); }, true);
    Filer.DefineInteger(
        "FloatTop", FFloatTop, [this](std::int32_t Value) { SetFloatTop(Value); }, true);
    Filer.DefineInteger(
        "FloatClientWidth", FFloatClientWidth,
        [this](std::int32_t Value) { SetFloatClientWidth(Value); }, true);
    Filer.DefineInteger(
        "FloatClientHeight", FFloatClientHeight,
        [this](std::int32_t Value) { SetFloatClientHeight(Value); }, true);
    pf::DefineFontProperties(Filer, "Font", *FFont, FUseOwnFont);
    Filer.DefineBoolean(
        "Hidden", FHidden, [this](bool Value) { SetHidden(Value); }, FHidden);
    Filer.DefineBoolean(
        "IsMainMenu", FIsMainMenu, [this](bool Value) { SetIsMainMenu(Value); }, FIsMainMenu);
    Filer.DefineProperty(
        "ItemLinks", [this](pc::TReader& Reader) { FItemLinks->ReadLinks(Reader); },
        [this](pc::TWriter& Writer) { FItemLinks->WriteLinks(Writer); }, FItemLinks->Count() > 0);
    Filer.DefineBoolean(
        "MultiLine", FMultiLine, [this](bool Value) { SetMultiLine(Value); }, FMultiLine);
    Filer.DefineString(
        "Name", Name, [this](const std::string& Value) { Name = Value; }, !Name.empty());
    Filer.DefineSet(
        "NotDocking", FNotDocking, dxBarDockingStyleNames,
        [this](unsigned Value) { SetNotDocking(static_cast<TdxBarDockingStyles>(Value)); },
        FNotDocking != 0);
    Filer.DefineBoolean(
        "OneOnRow", OneOnRow, [this](bool Value) { OneOnRow = Value; }, true);
    Filer.DefineBoolean(
        "RotateWhenVertical", FRotateWhenVertical,
        [this](bool Value) { SetRotateWhenVertical(Value); }, !FRotateWhenVertical);
    Filer.DefineInteger(
        "Row", FRow, [this](std::int32_t Value) { SetRow(Value); }, true);
    Filer.DefineBoolean(
        "ShowMark", FShowMark, [this](bool Value) { SetShowMark(Value); }, !FShowMark);
    Filer.DefineBoolean(
        "SizeGrip", FSizeGrip, [this](bool Value) { SetSizeGrip(Value); }, !FSizeGrip);
    Filer.DefineBoolean(
        "UseOwnFont", FUseOwnFont, [this](bool Value) { SetUseOwnFont(Value); }, true);
    Filer.DefineBoolean(
        "UseRecentItems", FUseRecentItems, [this](bool Value) { SetUseRecentItems(Value); },
        !FUseRecentItems);
    Filer.DefineBoolean(
        "UseRestSpace", FUseRestSpace, [this](bool Value) { SetUseRestSpace(Value); },
        FUseRestSpace);
    Filer.DefineBoolean(
        "Visible", Pending ? FLoadedVisible : FVisible, [this](bool Value) { SetVisible(Value); },
        true);
    Filer.DefineBoolean(
        "WholeRow", FWholeRow, [this](bool Value) { SetWholeRow(Value); }, true);
    pf::DefineBitmapProperty(Filer, "BackgroundBitmap", *FBackgroundBitmap, true);
    Filer.DefineInteger(
        "AlphaBlendValue", FAlphaBlendValue,
        [this](std::int32_t Value) { SetAlphaBlendValue(static_cast<std::uint8_t>(Value)); },
        FAlphaBlendValue != 255);
}

// TdxBars

TdxBars::TdxBars(TdxBarManager* Manager) : FBarManager(Manager) {
    CreateBarControl = [](TdxBar& Bar) { return dxBarWindowServices().CreateBarWindow(Bar); };
    for (int S = dsLeft; S <= dsBottom; ++S)
        FDockControls[static_cast<std::size_t>(S - 1)] =
            dxBarWindowServices().CreateDockSite(*Manager, static_cast<TdxBarDockingStyle>(S));
}

TdxBars::~TdxBars() {
    FMoving.reset();
    Clear();
    for (auto& Site : FDockControls)
        Site.reset();
}

TdxBar* TdxBars::Add() {
    FItems.push_back(std::make_unique<TdxBar>(this));
    TdxBar* Bar = FItems.back().get();
    if (!FBarManager->IsLoading()) {
        if (FBarManager->OnBarAdd) FBarManager->OnBarAdd(FBarManager, Bar);
        FBarManager->DesignerModified();
    }
    return Bar;
}

void TdxBars::Delete(int Index) {
    if (Index < 0 || Index >= Count()) return;
    // The bar still counts among the bars while it goes (its window stores its place).
    std::unique_ptr<TdxBar> Going = std::move(FItems[static_cast<std::size_t>(Index)]);
    Going.reset();
    FItems.erase(FItems.begin() + Index);
}

void TdxBars::Clear() {
    while (!FItems.empty())
        Delete(Count() - 1);
}

TdxBar* TdxBars::Items(int Index) const {
    if (Index < 0 || Index >= Count()) return nullptr;
    return FItems[static_cast<std::size_t>(Index)].get();
}

int TdxBars::IndexOf(const TdxBar* Bar) const {
    for (std::size_t I = 0; I < FItems.size(); ++I)
        if (FItems[I].get() == Bar) return static_cast<int>(I);
    return -1;
}

TdxBar* TdxBars::FindByName(const std::string& AName) const {
    for (const auto& Bar : FItems)
        if (Bar && Bar->Name == AName) return Bar.get();
    return nullptr;
}

std::string TdxBars::GetUniqueBarName(const std::string& Base) const {
    if (!FindByName(Base)) return Base;
    for (int N = 1;; ++N) {
        std::string Candidate = Base + std::to_string(N);
        if (!FindByName(Candidate)) return Candidate;
    }
}

TdxDockControl* TdxBars::DockControls(TdxBarDockingStyle Style) const {
    if (Style < dsLeft || Style > dsBottom) return nullptr;
    return FDockControls[static_cast<std::size_t>(Style - 1)].get();
}

void TdxBars::MoveBar(TdxBar& Bar, pg::TPoint Cursor) {
    if (FMoving || !Bar.CanDock() || !Bar.Control()) return;
    FMoving = dxBarWindowServices().CreateBarMove(Bar, Cursor, [this] { EndMove(); });
    if (FMoving) dxBarWindowServices().StartBarMove(*FMoving);
}

void TdxBars::EndMove() {
    // The session may be ending from inside its own hook: it goes last.
    TdxBarWindowOwn<TdxBarMoving> Going = std::move(FMoving);
}

void TdxBars::InsertIntoDock(TdxDockedBarWindow* Bar, TdxBarDockingStyle Style,
                             TdxDockControl* ADockControl, pg::TPoint ScreenPos) {
    if (Style == dsNone) return;
    TdxDockControl* Site = ADockControl ? ADockControl : DockControls(Style);
    if (Site && Bar) dxBarWindowServices().InsertBar(*Site, *Bar, ScreenPos);
}

void TdxBars::RemoveFromDock(TdxDockedBarWindow* Bar, TdxBarDockingStyle Style,
                             TdxDockControl* ADockControl) {
    if (Style == dsNone) return;
    TdxDockControl* Site = ADockControl ? ADockControl : DockControls(Style);
    if (Site && Bar) dxBarWindowServices().RemoveBar(*Site, *Bar);
}

} // namespace toolkit::bars
