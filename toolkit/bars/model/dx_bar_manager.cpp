#include "toolkit/bars/model/dx_bar_manager.h"

#include "toolkit/bars/model/dx_bar_design_copy.h"
#include "toolkit/bars/model/dx_bar_designer.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_backgrounds.h"
#include "toolkit/bars/model/dx_bar_customizing_services.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_painter_classes.h"
#include "toolkit/bars/model/dx_bar_popup_menu_links.h"
#include "toolkit/bars/model/dx_bar_strings.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "toolkit/base/office11.h"
#include "toolkit/base/resource_strings.h"

#include "platform/core/exception.h"
#include "platform/forms/application.h"
#include "platform/forms/controls.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/font_engine.h"
#include "platform/win/messages.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;
namespace tb = toolkit::base;

namespace {

// The theme classes the bars draw with.
constexpr tb::TdxThemeClassKinds kBarThemeClasses =
    tb::dxThemeClassKinds({tb::tcComboBox, tb::tcEdit, tb::tcProgress, tb::tcRebar, tb::tcScrollBar,
                           tb::tcSpin, tb::tcStatus, tb::tcToolBar, tb::tcWindow});

// The base painter's glyph margins; the painter unit gives each painter its own.
constexpr int kButtonHorzPadding = 7;
constexpr int kButtonVertPadding = 6;

pg::TColor NearestScreenColor(pg::COLORREF Color) {
    const pg::HDC DC = pg::CreateSurfaceDC(pg::ScreenSurface());
    const pg::COLORREF Result = pg::GetNearestColor(DC, Color);
    pg::DeleteDC(DC);
    return static_cast<pg::TColor>(Result);
}

int Clamp255(int Value) {
    return std::clamp(Value, 0, 255);
}

// The per-channel blend of button face, highlight and window with per-cent weights.
pg::TColor BlendSystemColors(int FaceWeight, int HighlightWeight, int WindowWeight) {
    const pg::COLORREF Face = pg::ColorToRGB(pg::clBtnFace);
    const pg::COLORREF Highlight = pg::ColorToRGB(pg::clHighlight);
    const pg::COLORREF Window = pg::ColorToRGB(pg::clWindow);
    auto Channel = [&](int (*Get)(pg::COLORREF)) {
        return Clamp255((Get(Face) * FaceWeight + Get(Highlight) * HighlightWeight +
                         Get(Window) * WindowWeight) /
                        100);
    };
    return NearestScreenColor(pg::RGB(Channel([](pg::COLORREF C) { return pg::GetRValue(C); }),
                                      Channel([](pg::COLORREF C) { return pg::GetGValue(C); }),
                                      Channel([](pg::COLORREF C) { return pg::GetBValue(C); })));
}

} // namespace

const pc::TComponentClass& TdxBarManager::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarManager", &pc::TComponent::ClassRef(),
        pc::ConstructorOf<TdxBarManager, pc::TComponent, pc::TComponent*>());
    return cls;
}

TdxBarManager::TdxBarManager(pc::TComponent* AOwner) : pc::TComponent(AOwner) {
    pc::TComponent* OwnerForm = AOwner;
    if (!OwnerForm) OwnerForm = pf::Application().MainForm();
    FForm = dynamic_cast<pf::TCustomForm*>(OwnerForm);
    // Nothing is made or registered before both checks pass: a manager refused here leaves
    // no trace.
    if (!FForm) throw pc::Exception(tb::cxGetResourceString(dxSBAR_MANAGEROWNERNOTFORM));
    if (GetBarManagerByControl(FForm))
        throw pc::Exception(tb::cxGetResourceString(dxSBAR_ONEMANAGERPERFORM));
    // Owned components take the owner's designing state only once inserted, after this runs.
    FDesignMode = ((ComponentState() | FForm->ComponentState()) & pc::csDesigning) != 0;
    dxBarUnit().BarManagerList().RegisterBarManager(this, FDesignMode);
    FCategories = std::make_unique<TdxBarManagerCategories>(this);
    FOwnedBackgrounds = std::make_unique<TdxBarBackgrounds>();
    FOwnedBackgrounds->OnBarChange = [this] { UpdateStyle(); };
    FBackgrounds = FOwnedBackgrounds.get();
    FOwnedPopupMenuLinks = std::make_unique<TdxBarPopupMenuLinks>(this);
    FPopupMenuLinks = FOwnedPopupMenuLinks.get();
    FFont = std::make_unique<pg::TFont>();
    FFont->OnChange = [this](pc::TObject*) { FontChanged(); };
    FHelpButtonGlyph = std::make_unique<pf::TBitmap>();
    FHelpButtonGlyph->OnChange = [] {
        dxBarCustomizingServices().UpdateCustomizingFormHelpButton();
    };
    FThemeListener = std::make_unique<tb::TdxThemeChangedNotificator>();
    FThemeListener->OnThemeChanged = [this] { UpdateStyle(); };
    for (pf::TChangeLink* Link :
         {&FImagesLink, &FLargeImagesLink, &FDisabledImagesLink, &FDisabledLargeImagesLink})
        Link->OnChange = [this] { ImageListChanged(false); };
    FHotImagesLink.OnChange = [this] { ImageListChanged(true); };
    SetMostRecentItemsPercents(95);
    CalcButtonMetrics();
    FLookAndFeel = std::make_unique<tb::TcxLookAndFeel>(this);
    FLookAndFeel->OnChanged = [this](tb::TcxLookAndFeel*, tb::TcxLookAndFeelValues) {
        if (!IsDestroying()) UpdateStyle();
    };
    UpdateStyle();
    SetUseSystemFont(true);
    CreateBrushes();
    tb::dxOffice11InitColors();
    FColorsTaken = true;
    FOwnedBars = std::make_unique<TdxBars>(this);
    FBars = FOwnedBars.get();
}

TdxBarManager::~TdxBarManager() {
    // Open menus and an active bar close, customizing ends (the Customize dialog closes and the
    // forms it disabled come back), and the menu windows the manager owns go, while the manager
    // they ask is still whole; a hint waiting for one of its items is dropped.
    dxBarWindowServices().CloseActiveBarWindow(*this);
    if (FIsCustomizing) SetIsCustomizing(false);
    DestroyComponents();
    dxBarWindowServices().ManagerGoing(*this);
    FInDestructor = true;
    FOwnedBars.reset();
    FBars = nullptr;
    FLookAndFeel.reset();
    FThemeListener.reset();
    DeleteBrushes();
    if (FColorsTaken) tb::dxOffice11ReleaseColors();
    dxBarWindowServices().FreePopupMenus(*this);
    FHelpButtonGlyph.reset();
    while (!FGroups.empty()) {
        pc::TComponent* Group = FGroups.back().Component;
        FGroups.pop_back();
        FreeListed(Group);
    }
    FFont.reset();
    if (FMenuFontHandle != pg::HFONT{}) pg::DeleteObject(FMenuFontHandle);
    FDockControls.clear();
    FreeAllItems();
    dxBarUnit().BarManagerList().UnregisterBarManager(this);
    FCategories->Clear();
    FPendingBars.clear();
    FPopupMenuLinks = nullptr;
    FOwnedPopupMenuLinks.reset();
    FBackgrounds = nullptr;
    FOwnedBackgrounds.reset();
}

TdxDockedBarWindow* TdxBarManager::GetMainMenuControl() const {
    return FMainMenuBar ? FMainMenuBar->Control() : nullptr;
}

bool TdxBarManager::IsDestroying() const {
    return FInDestructor || (ComponentState() & pc::csDestroying) != 0;
}

bool TdxBarManager::IsLoading() const {
    return (ComponentState() & pc::csLoading) != 0;
}

// Options

void TdxBarManager::SetAutoDockColor(bool Value) {
    if (FAutoDockColor == Value) return;
    FAutoDockColor = Value;
    RefreshDockSites();
}

pg::TColor TdxBarManager::DockColor() const {
    return FAutoDockColor ? FForm->Color() : FDockColor;
}

void TdxBarManager::SetDockColor(pg::TColor Value) {
    if (!FAutoDockColor && FDockColor == Value) return;
    FDockColor = Value;
    if (!FAutoDockColor) RefreshDockSites();
    SetAutoDockColor(false);
}

void TdxBarManager::SetAutoHideEmptyBars(bool Value) {
    if (FAutoHideEmptyBars == Value) return;
    FAutoHideEmptyBars = Value;
    if (!Value && FBars)
        for (int I = 0; I < FBars->Count(); ++I)
            FBars->Items(I)->HiddenBecauseEmpty = false;
}

void TdxBarManager::SetButtonArrowWidth(int Value) {
    if (Value < 2 || FButtonArrowWidth == Value) return;
    FButtonArrowWidth = Value;
    LargeIconsChanged();
}

void TdxBarManager::SetLargeButtonArrowWidth(int Value) {
    if (Value < 2 || FLargeButtonArrowWidth == Value) return;
    FLargeButtonArrowWidth = Value;
    RebuildBarWindows();
}

void TdxBarManager::SetFlatCloseButton(bool Value) {
    if (FFlatCloseButton == Value) return;
    FFlatCloseButton = Value;
    RebuildMainMenuBarWindow();
}

void TdxBarManager::SetShowCloseButton(bool Value) {
    if (FShowCloseButton == Value) return;
    FShowCloseButton = Value;
    RebuildMainMenuBarWindow();
}

void TdxBarManager::SetHideFloatingBarsWhenInactive(bool Value) {
    if (FHideFloatingBarsWhenInactive == Value) return;
    FHideFloatingBarsWhenInactive = Value;
    // At once: turned off, hidden bars come back; turned on, an inactive form hides them.
    if (!IsLoading() && !IsDestroying() && FForm && FForm->HandleAllocated())
        dxBarWindowServices().UpdateFloatingBars(*this, FFormActive || !Value, !Value,
                                                 pw::NullHWnd);
}

void TdxBarManager::SetImageListBkColor(pg::TColor Value) {
    if (FImageListBkColor == Value) return;
    FImageListBkColor = Value;
    RepaintBarWindows();
}

void TdxBarManager::SetMakeDisabledImagesFaded(bool Value) {
    if (FMakeDisabledImagesFaded == Value) return;
    FMakeDisabledImagesFaded = Value;
    RebuildBarWindows();
}

void TdxBarManager::SetLargeIcons(bool Value) {
    if (FLargeIcons == Value) return;
    FLargeIcons = Value;
    LargeIconsChanged();
}

void TdxBarManager::SetUseLargeImagesForLargeIcons(bool Value) {
    if (FUseLargeImagesForLargeIcons == Value) return;
    FUseLargeImagesForLargeIcons = Value;
    LargeIconsChanged();
}

void TdxBarManager::SetMenuAnimations(TdxBarMenuAnimations Value) {
    if (FMenuAnimations == Value) return;
    FMenuAnimations = Value;
    DesignerModified();
    dxBarCustomizingServices().UpdateCustomizingFormOptions();
}

void TdxBarManager::SetMenusShowRecentItemsFirst(bool Value) {
    if (FMenusShowRecentItemsFirst == Value) return;
    FMenusShowRecentItemsFirst = Value;
    DesignerModified();
    dxBarCustomizingServices().UpdateCustomizingFormOptions();
}

void TdxBarManager::SetShowFullMenusAfterDelay(bool Value) {
    if (FShowFullMenusAfterDelay == Value) return;
    FShowFullMenusAfterDelay = Value;
    DesignerModified();
    dxBarCustomizingServices().UpdateCustomizingFormOptions();
}

void TdxBarManager::SetShowHint(bool Value) {
    if (FShowHint == Value) return;
    FShowHint = Value;
    DesignerModified();
    dxBarCustomizingServices().UpdateCustomizingFormOptions();
}

void TdxBarManager::SetShowShortCutInHint(bool Value) {
    if (FShowShortCutInHint == Value) return;
    FShowShortCutInHint = Value;
    DesignerModified();
    dxBarCustomizingServices().UpdateCustomizingFormOptions();
}

void TdxBarManager::SetShowHelpButton(bool Value) {
    if (FShowHelpButton == Value) return;
    FShowHelpButton = Value;
    dxBarCustomizingServices().UpdateCustomizingFormHelpButton();
}

void TdxBarManager::SetSunkenBorder(bool Value) {
    if (FSunkenBorder == Value) return;
    FSunkenBorder = Value;
    BorderOfDockSitesChanged();
}

void TdxBarManager::SetMostRecentItemsPercents(int Value) {
    FMostRecentItemsPercents = static_cast<std::uint8_t>(std::clamp(Value, 0, 100));
    const int Rest = 100 - FMostRecentItemsPercents;
    FMostRecentItemsStep = Rest == 0 ? 0 : (100 + Rest - 1) / Rest;
}

void TdxBarManager::SetNotDocking(TdxBarDockingStyles Value) {
    if (FNotDocking == Value) return;
    FNotDocking = Value;
    UpdateStyle();
}

void TdxBarManager::SetStyle(TdxBarManagerStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    UpdateStyle();
}

void TdxBarManager::SetWaitForDockingTime(int Value) {
    if (Value < 0) return;
    FWaitForDockingTime = Value;
}

// Font

void TdxBarManager::SetScaled(bool Value) {
    if (FScaled == Value) return;
    FScaled = Value;
    if (FScaled && !FUseSystemFont) {
        pg::TFont System;
        dxBarGetSystemMenuFont(System);
        FInternalFontChange = true;
        FFont->SetHeight(System.Height());
        FInternalFontChange = false;
    }
}

void TdxBarManager::SetUseSystemFont(bool Value) {
    if (FUseSystemFont == Value) return;
    FUseSystemFont = Value;
    if (FUseSystemFont) UpdateSystemFont();
}

void TdxBarManager::UpdateSystemFont() {
    pg::TFont System;
    dxBarGetSystemMenuFont(System);
    FInternalFontChange = true;
    if (FUseSystemFont)
        FFont->Assign(System);
    else if (FScaled)
        FFont->SetHeight(System.Height());
    FInternalFontChange = false;
}

void TdxBarManager::FontChanged() {
    if (!FInternalFontChange) FUseSystemFont = false;
    if (FScaled) {
        pg::TFont System;
        dxBarGetSystemMenuFont(System);
        auto Handler = std::move(FFont->OnChange);
        FFont->OnChange = nullptr;
        FFont->SetHeight(System.Height());
        FFont->OnChange = std::move(Handler);
    }
    RebuildMenuFontHandle();
    FontOfWindowsChanged();
}

void TdxBarManager::RebuildMenuFontHandle() {
    if (FMenuFontHandle != pg::HFONT{}) pg::DeleteObject(FMenuFontHandle);
    if (!FScaled) {
        FMenuFontHandle = CopyFontHandle(FFont->Handle());
        return;
    }
    pg::LOGFONT Log;
    pg::GetObject(FFont->Handle(), sizeof(Log), &Log);
    pg::TFont System;
    dxBarGetSystemMenuFont(System);
    Log.lfHeight = -std::max(std::abs(System.Height()), 11);
    FMenuFontHandle = pg::CreateFontIndirect(Log);
}

// Image lists

void TdxBarManager::SetImageList(pf::TImageList*& Field, pf::TChangeLink& Link,
                                 pf::TImageList* Value) {
    if (Field == Value) return;
    if (Field) Field->UnRegisterChanges(Link);
    Field = Value;
    if (Value) {
        Value->RegisterChanges(Link);
        FreeNotification(Value);
    }
    ImageListChanged(&Field == &FHotImages);
}

void TdxBarManager::SetImages(pf::TImageList* Value) {
    SetImageList(FImages, FImagesLink, Value);
}

void TdxBarManager::SetLargeImages(pf::TImageList* Value) {
    if (FLargeImages == Value) return;
    SetImageList(FLargeImages, FLargeImagesLink, Value);
    if (FLargeIcons && FUseLargeImagesForLargeIcons) LargeIconsChanged();
}

void TdxBarManager::SetHotImages(pf::TImageList* Value) {
    SetImageList(FHotImages, FHotImagesLink, Value);
}

void TdxBarManager::SetDisabledImages(pf::TImageList* Value) {
    SetImageList(FDisabledImages, FDisabledImagesLink, Value);
}

void TdxBarManager::SetDisabledLargeImages(pf::TImageList* Value) {
    SetImageList(FDisabledLargeImages, FDisabledLargeImagesLink, Value);
}

// Every list serves the items through their image index, in the state or size it draws.
void TdxBarManager::ImageListChanged(bool HotImages) {
    if (IsLoading() || IsDestroying()) return;
    const bool Locked = FLockUpdate;
    SetLockUpdate(true);
    std::vector<TdxBarItem*> Items;
    for (const auto& Listed : FItems)
        if (Listed.Object->ImageIndex() >= 0) Items.push_back(Listed.Object);
    for (TdxBarItem* Item : Items) {
        if (IndexOfItem(Item) < 0) continue;
        if (!HotImages) {
            Item->GlyphChanged();
            continue;
        }
        for (int I = 0; I < Item->LinkCount(); ++I)
            if (TdxBarItemControl* Control = Item->Links(I)->Control())
                dxBarWindowServices().RepaintControl(*Control);
    }
    SetLockUpdate(Locked);
}

void TdxBarManager::CalcButtonMetrics() {
    if (!FLargeIcons)
        FImageSize = 16;
    else if (CanUseLargeImages())
        FImageSize = FLargeImages->Width();
    else
        FImageSize = 32;
    FButtonWidth = FImageSize + kButtonHorzPadding;
    FButtonHeight = FImageSize + kButtonVertPadding;
    int Arrow = FButtonArrowWidth * (FLargeIcons ? 2 : 1);
    if (Arrow % 2 == 0) ++Arrow;
    if (FPainterClass && FPainterClass->InheritsFrom(&TdxBarItemControlFlatPainterClassRef()))
        --Arrow;
    FArrowWidth = Arrow;
}

void TdxBarManager::LargeIconsChanged() {
    CalcButtonMetrics();
    DesignerModified();
    dxBarCustomizingServices().UpdateCustomizingFormOptions();
    RebuildBarWindows();
}

// Categories

TdxBarCategoryData* TdxBarManager::GetCategoryData(int Index) const {
    return FCategories->Data(Index);
}

TdxBarCategoryData& TdxBarManager::CategoryData(int Index) {
    return FCategories->EnsureData(Index);
}

TdxBarItemVisible TdxBarManager::GetCategoryItemsVisible(int Index) const {
    if (Index < 0 || Index >= FCategories->Count()) return ivNever;
    const TdxBarCategoryData* Data = GetCategoryData(Index);
    return Data ? Data->ItemsVisible : ivAlways;
}

void TdxBarManager::SetCategoryItemsVisible(int Index, TdxBarItemVisible Value) {
    if (Index < 0 || Index >= FCategories->Count()) return;
    TdxBarCategoryData& Data = CategoryData(Index);
    if (IsLoading()) {
        Data.LoadedItemsVisible = Value;
        Data.LoadedItemsVisibleSet = true;
        return;
    }
    SetCategoryItemsVisibleNow(Index, Value);
}

void TdxBarManager::SetCategoryItemsVisibleNow(int Index, TdxBarItemVisible Value) {
    TdxBarCategoryData& Data = CategoryData(Index);
    const TdxBarItemVisible Old = Data.ItemsVisible;
    const bool Changed = Old != Value;
    Data.ItemsVisible = Value;
    if (FDesignMode) {
        if (Changed) DesignerModified();
        return;
    }
    if (!Changed) return;
    std::vector<TdxBar*> EmptyBefore;
    if (FAutoHideEmptyBars && FBars)
        for (int I = 0; I < FBars->Count(); ++I)
            if (FBars->Items(I)->ItemLinks().AvailableItemCount() == 0)
                EmptyBefore.push_back(FBars->Items(I));
    // The items of the category that followed it take the new value (for ivAlways from the
    // last to the first).
    const bool Lock = FLockUpdate;
    SetLockUpdate(true);
    const int Count = GetItemCount();
    for (int N = 0; N < Count; ++N) {
        TdxBarItem* Item = GetItem(Value == ivAlways ? Count - 1 - N : N);
        if (Item && Item->Category() == Index && Item->Visible() == Old) Item->SetVisible(Value);
    }
    if (FAutoHideEmptyBars) HideOrShowEmptyBars(EmptyBefore, Value);
    SetLockUpdate(Lock);
    if (!Lock) RebuildBarWindows();
    DesignerModified();
}

void TdxBarManager::HideOrShowEmptyBars(const std::vector<TdxBar*>& EmptyBefore,
                                        TdxBarItemVisible Value) {
    if (FBars == nullptr || Value == ivInCustomizing) return;
    for (int I = 0; I < FBars->Count(); ++I) {
        TdxBar* Bar = FBars->Items(I);
        const bool Empty = Bar->ItemLinks().AvailableItemCount() == 0;
        if (Value == ivNever && Empty &&
            std::find(EmptyBefore.begin(), EmptyBefore.end(), Bar) == EmptyBefore.end() &&
            Bar->Visible()) {
            Bar->SetVisible(false);
            Bar->HiddenBecauseEmpty = true;
        } else if (Value == ivAlways && !Empty && Bar->HiddenBecauseEmpty) {
            Bar->HiddenBecauseEmpty = false;
            Bar->SetVisible(true);
        }
    }
}

bool TdxBarManager::GetCategoryVisible(int Index) const {
    if (Index < 0 || Index >= FCategories->Count()) return false;
    const TdxBarCategoryData* Data = GetCategoryData(Index);
    return Data ? Data->Visible : true;
}

void TdxBarManager::SetCategoryVisible(int Index, bool Value) {
    if (Index < 0 || Index >= FCategories->Count() || GetCategoryVisible(Index) == Value) return;
    CategoryData(Index).Visible = Value;
    DesignerModified();
}

// Items and groups

TdxBarItem* TdxBarManager::GetItem(int Index) const {
    if (Index < 0 || Index >= GetItemCount()) return nullptr;
    return FItems[static_cast<std::size_t>(Index)].Object;
}

pc::TComponent* TdxBarManager::GetItemComponent(int Index) const {
    if (Index < 0 || Index >= GetItemCount()) return nullptr;
    return FItems[static_cast<std::size_t>(Index)].Component;
}

int TdxBarManager::IndexOfItem(const TdxBarItem* Item) const {
    for (std::size_t I = 0; I < FItems.size(); ++I)
        if (FItems[I].Object == Item) return static_cast<int>(I);
    return -1;
}

void TdxBarManager::AddItemComponent(TdxBarItem* Item, pc::TComponent* Component) {
    if (IndexOfItem(Item) >= 0) return;
    FItems.push_back({Item, Component});
    // Whichever goes first, the other hears of it: the list drops an item that goes, and the
    // item drops its manager when the manager goes.
    FreeNotification(Component);
}

void TdxBarManager::RemoveItem(TdxBarItem* Item) {
    const int Index = IndexOfItem(Item);
    if (Index < 0) return;
    FItems.erase(FItems.begin() + Index);
}

void TdxBarManager::MoveItem(int CurIndex, int NewIndex) {
    if (CurIndex < 0 || CurIndex >= GetItemCount() || NewIndex < 0 || NewIndex >= GetItemCount())
        return;
    auto Moved = FItems[static_cast<std::size_t>(CurIndex)];
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, Moved);
    DesignerModified();
}

void TdxBarManager::ExchangeItems(int Index1, int Index2) {
    if (Index1 < 0 || Index1 >= GetItemCount() || Index2 < 0 || Index2 >= GetItemCount()) return;
    std::swap(FItems[static_cast<std::size_t>(Index1)], FItems[static_cast<std::size_t>(Index2)]);
    DesignerModified();
}

void TdxBarManager::FreeListed(pc::TComponent* Component) {
    if (pc::TComponent* Owner = Component->Owner())
        Owner->FreeComponent(*Component);
    else
        dxBarUnit().FreeInternalItem(Component);
}

void TdxBarManager::FreeItem(TdxBarItem* Item) {
    const int Index = IndexOfItem(Item);
    if (Index < 0) return;
    pc::TComponent* Component = FItems[static_cast<std::size_t>(Index)].Component;
    FItems.erase(FItems.begin() + Index);
    RemoveFreeNotification(Component);
    FreeListed(Component);
}

void TdxBarManager::FreeAllItems() {
    while (!FItems.empty()) {
        pc::TComponent* Item = FItems.back().Component;
        FItems.pop_back();
        RemoveFreeNotification(Item);
        FreeListed(Item);
    }
}

TdxBarItem* TdxBarManager::GetItemByName(const std::string& AName) const {
    for (const auto& Item : FItems) {
        const std::string& Name = Item.Component->Name;
        if (Name.size() == AName.size() &&
            std::equal(Name.begin(), Name.end(), AName.begin(), [](char A, char B) {
                return std::toupper(static_cast<unsigned char>(A)) ==
                       std::toupper(static_cast<unsigned char>(B));
            }))
            return Item.Object;
    }
    return nullptr;
}

std::vector<TdxBarItem*> TdxBarManager::GetItemsByCategory(int Category) const {
    std::vector<TdxBarItem*> Result;
    for (const auto& Item : FItems)
        if (Item.Object->Category() == Category) Result.push_back(Item.Object);
    return Result;
}

TdxBar* TdxBarManager::BarByCaption(const std::string& ACaption) const {
    for (int I = 0; FBars && I < FBars->Count(); ++I)
        if (FBars->Items(I)->Caption() == ACaption) return FBars->Items(I);
    return nullptr;
}

TdxBar* TdxBarManager::BarByName(const std::string& AName) const {
    return FBars ? FBars->FindByName(AName) : nullptr;
}

void TdxBarManager::GetChildrenOf(pc::TComponent* Root,
                                  const std::function<void(pc::TComponent*)>& Proc) const {
    for (const auto& Item : FItems)
        if (Item.Component->Owner() == Root && Item.Object->Category() >= 0) Proc(Item.Component);
    for (const auto& Group : FGroups)
        if (Group.Component->Owner() == Root) Proc(Group.Component);
}

void TdxBarManager::GetChildren(const std::function<void(pc::TComponent*)>& Proc,
                                pc::TComponent* Root) const {
    GetChildrenOf(Root, Proc);
}

void TdxBarManager::SetName(const std::string& NewName) {
    const std::string OldName = Name;
    if (FDesignMode && NewName != OldName && FForm) {
        auto StartsWithOld = [&OldName](const std::string& ItemName) {
            return ItemName.size() > OldName.size() &&
                   std::equal(OldName.begin(), OldName.end(), ItemName.begin(), [](char A, char B) {
                       return std::toupper(static_cast<unsigned char>(A)) ==
                              std::toupper(static_cast<unsigned char>(B));
                   });
        };
        for (int I = 0; I < FForm->ComponentCount(); ++I)
            if (pc::TComponent* Item = FForm->Components(I);
                dynamic_cast<TdxBarItem*>(Item) && StartsWithOld(Item->Name))
                Item->SetName(NewName + Item->Name.substr(OldName.size()));
    }
    pc::TComponent::SetName(NewName);
}

TdxBarGroup* TdxBarManager::GetGroup(int Index) const {
    if (Index < 0 || Index >= GetGroupCount()) return nullptr;
    return FGroups[static_cast<std::size_t>(Index)].Object;
}

void TdxBarManager::RegisterGroupComponent(TdxBarGroup* Group, pc::TComponent* Component) {
    for (const auto& G : FGroups)
        if (G.Object == Group) return;
    FGroups.push_back({Group, Component});
    FreeNotification(Component);
}

void TdxBarManager::UnregisterGroup(TdxBarGroup* Group) {
    std::erase_if(FGroups, [&](const auto& G) { return G.Object == Group; });
}

int TdxBarManager::IndexOfGroup(const TdxBarGroup* Group) const {
    for (std::size_t I = 0; I < FGroups.size(); ++I)
        if (FGroups[I].Object == Group) return static_cast<int>(I);
    return -1;
}

void TdxBarManager::MoveGroup(int CurIndex, int NewIndex) {
    if (CurIndex < 0 || CurIndex >= GetGroupCount() || NewIndex < 0 || NewIndex >= GetGroupCount())
        return;
    auto Moved = FGroups[static_cast<std::size_t>(CurIndex)];
    FGroups.erase(FGroups.begin() + CurIndex);
    FGroups.insert(FGroups.begin() + NewIndex, Moved);
}

// Dock sites, popup menus and bars

TdxDockControl* TdxBarManager::GetDockControl(int Index) const {
    if (Index < 0 || Index >= GetDockControlCount()) return nullptr;
    return FDockControls[static_cast<std::size_t>(Index)];
}

void TdxBarManager::AddDockControl(TdxDockControl* DockControl) {
    FDockControls.push_back(DockControl);
}

void TdxBarManager::RemoveDockControl(TdxDockControl* DockControl) {
    // The bars docked there lose it and hide (toolbar unit).
    std::erase(FDockControls, DockControl);
}

TdxBarPopupMenu* TdxBarManager::GetPopupMenu(int Index) const {
    if (Index < 0 || Index >= GetPopupMenuCount()) return nullptr;
    return FPopupMenus[static_cast<std::size_t>(Index)];
}

void TdxBarManager::AddPopupMenu(TdxBarPopupMenu* PopupMenu) {
    if (std::find(FPopupMenus.begin(), FPopupMenus.end(), PopupMenu) == FPopupMenus.end())
        FPopupMenus.push_back(PopupMenu);
}

void TdxBarManager::RemovePopupMenu(TdxBarPopupMenu* PopupMenu) {
    std::erase(FPopupMenus, PopupMenu);
}

TdxBar* TdxBarManager::GetPendingBar(int Index) const {
    if (Index < 0 || Index >= GetPendingBarCount()) return nullptr;
    return FPendingBars[static_cast<std::size_t>(Index)];
}

void TdxBarManager::AddPendingBar(TdxBar* Bar) {
    if (std::find(FPendingBars.begin(), FPendingBars.end(), Bar) == FPendingBars.end())
        FPendingBars.push_back(Bar);
}

void TdxBarManager::RemovePendingBar(TdxBar* Bar) {
    std::erase(FPendingBars, Bar);
}

void TdxBarManager::BeginHiddenBars() {
    FHiddenBarsActive = true;
}

void TdxBarManager::AddHiddenBar(TdxBar* Bar) {
    if (!FHiddenBarsActive) return;
    if (std::find(FHiddenBars.begin(), FHiddenBars.end(), Bar) == FHiddenBars.end())
        FHiddenBars.push_back(Bar);
}

void TdxBarManager::RemoveHiddenBar(TdxBar* Bar) {
    std::erase(FHiddenBars, Bar);
}

void TdxBarManager::EndHiddenBars() {
    FHiddenBars.clear();
    FHiddenBarsActive = false;
}

void TdxBarManager::ShowHiddenBars(TdxBarDockControl* DockControl) {
    TdxBarWindowServices& Windows = dxBarWindowServices();
    // A bar shown leaves the list: walk a copy.
    const std::vector<TdxBar*> Hidden = FHiddenBars;
    for (auto It = Hidden.rbegin(); It != Hidden.rend(); ++It) {
        TdxBar* Bar = *It;
        if (std::find(FHiddenBars.begin(), FHiddenBars.end(), Bar) == FHiddenBars.end()) continue;
        bool Shows = false;
        if (DockControl) {
            Shows = Bar->DockingStyle() != dsNone && Bar->DockControl() == DockControl;
        } else {
            const TdxDockControl* Site =
                Bar->DockingStyle() == dsNone ? nullptr : Bar->GetRealDockControl();
            Shows = Site == nullptr || Windows.DockSiteShowing(*Site);
        }
        if (Shows) Bar->SetVisible(true);
    }
}

// State

// Style

int TdxBarManager::GetPaintStyle() const {
    if (FStyle != bmsUseLookAndFeel) return FStyle;
    if (FLookAndFeel->GetNativeStyle() && FThemeAvailable) return 3;
    switch (FLookAndFeel->GetKind()) {
    case tb::lfFlat:
        return 1;
    case tb::lfStandard:
        return 0;
    case tb::lfUltraFlat:
        return 2;
    case tb::lfOffice11:
        return 4;
    }
    return 0;
}

const TdxBarItemControlPainter& TdxBarManager::Painter() const {
    return dxBarPainter(FPainterClass ? *FPainterClass
                                      : TdxBarItemControlStandardPainterClassRef());
}

const TdxBarFramePainter& TdxBarManager::FramePainter() const {
    return dxBarFramePainter(FPainterClass ? *FPainterClass
                                           : TdxBarItemControlStandardPainterClassRef());
}

TdxBarItemControlPainterClass TdxBarManager::GetPainterClass() const {
    return &dxBarPainterClassOfStyle(GetPaintStyle(), FThemeAvailable);
}

void TdxBarManager::UpdateStyle() {
    if (IsDestroying()) return;
    FInStyleUpdate = true;
    FThemeAvailable = tb::AreVisualStylesAvailable(kBarThemeClasses);
    FPainterClass = GetPainterClass();
    CalcButtonMetrics();
    RebuildBarWindows();
    dxBarCustomizingServices().RefreshCustomizingForm();
    RefreshBarWindows();
    FInStyleUpdate = false;
}

// Colours

pg::TColor TdxBarManager::GetDarkShadowColor() const {
    const pg::COLORREF C = pg::ColorToRGB(pg::clBtnShadow);
    return NearestScreenColor(
        pg::RGB(pg::GetRValue(C) * 8 / 10, pg::GetGValue(C) * 8 / 10, pg::GetBValue(C) * 8 / 10));
}

pg::TColor TdxBarManager::GetLightFaceColor() const {
    const pg::COLORREF C = pg::ColorToRGB(pg::clBtnFace);
    auto Raise = [](int V) { return V + (255 - V) * 16 / 100; };
    return NearestScreenColor(
        pg::RGB(Raise(pg::GetRValue(C)), Raise(pg::GetGValue(C)), Raise(pg::GetBValue(C))));
}

pg::TColor TdxBarManager::GetFlatBlendColor1() const {
    return BlendSystemColors(11, 9, 73);
}

pg::TColor TdxBarManager::GetFlatBlendColor2() const {
    return BlendSystemColors(14, 44, 40);
}

pg::TColor TdxBarManager::GetFlatSelectedColor() const {
    return BlendSystemColors(-2, 30, 72);
}

void TdxBarManager::CreateBrushes() {
    for (pg::TColor Color : {GetDarkShadowColor(), GetLightFaceColor(), GetFlatBlendColor1(),
                             GetFlatBlendColor2(), GetFlatSelectedColor()})
        FBrushes.push_back(pg::CreateSolidBrush(static_cast<pg::COLORREF>(Color)));
}

void TdxBarManager::DeleteBrushes() {
    for (pg::HBRUSH Brush : FBrushes)
        pg::DeleteObject(Brush);
    FBrushes.clear();
}

void TdxBarManager::RefreshColors() {
    DeleteBrushes();
    CreateBrushes();
    tb::dxOffice11RefreshColors();
    RefreshBarWindows();
}

// Events

void TdxBarManager::DoClickItem(TdxBarItem* Item) {
    if (OnClickItem) OnClickItem(this, Item);
}

void TdxBarManager::DoBarAfterReset(TdxBar* Bar) {
    if (OnBarAfterReset) OnBarAfterReset(this, Bar);
}

void TdxBarManager::DoBarBeforeReset(TdxBar* Bar) {
    if (OnBarBeforeReset) OnBarBeforeReset(this, Bar);
}

void TdxBarManager::DoBarClose(TdxBar* Bar) {
    if (OnBarClose) OnBarClose(this, Bar);
}

void TdxBarManager::DoBarDockingStyleChange(TdxBar* Bar) {
    if (FBars && FBars->SuppressDockingStyleChange) return;
    if (OnBarDockingStyleChange) OnBarDockingStyleChange(this, Bar);
    DesignerModified();
}

void TdxBarManager::DoCloseButtonClick() {
    if (OnCloseButtonClick) OnCloseButtonClick(this);
}

void TdxBarManager::DoHelpButtonClick() {
    if (OnHelpButtonClick) OnHelpButtonClick(this);
}

void TdxBarManager::DoShowCustomizingPopup(TdxBarItemLinks* Popup) {
    if (OnShowCustomizingPopup) OnShowCustomizingPopup(this, Popup);
}

void TdxBarManager::DoShowToolbarsPopup(TdxBarItemLinks* Popup) {
    if (OnShowToolbarsPopup) OnShowToolbarsPopup(this, Popup);
}

bool TdxBarManager::CanDocking(TdxBar* Bar, TdxBarDockingStyle Style, TdxDockControl* DockControl) {
    // A bar's own NotDocking comes first; a placed dock site answers for itself, an automatic
    // site, or none, asks the manager's NotDocking.
    bool Result = false;
    if (Bar && (Bar->NotDocking() & dxDockingStyleBit(Style)) != 0)
        Result = false;
    else if (TdxBarDockControl* Placed = dxBarWindowServices().PlacedDockSite(DockControl))
        Result = dxBarWindowServices().PlacedDockSiteCanDock(*Placed, Bar);
    else
        Result = (FNotDocking & dxDockingStyleBit(Style)) == 0;
    if (OnDocking) OnDocking(Bar, Style, DockControl, Result);
    return Result;
}

void TdxBarManager::DesignerModified() {
    if (TdxBarDesigner* Designer = dxBarDesignerOf(*this)) Designer->Modified(*this);
}

// Component handlers

void TdxBarManager::Loaded() {
    pc::TComponent::Loaded();
    if (FLockUpdate) return;
    // Nothing the loading does to a bar's docking is a change the program hears of.
    const bool Suppressed = FBars && FBars->SuppressDockingStyleChange;
    if (FBars) FBars->SuppressDockingStyleChange = true;
    for (int I = 0; I < GetItemCount(); ++I) {
        TdxBarItem* Item = GetItem(I);
        if (auto* Sub = dynamic_cast<TCustomdxBarSubItem*>(Item)) Sub->ItemLinks().Loaded(true);
        Item->SetVisible(Item->LoadedVisible());
    }
    if (FBars)
        for (int I = 0; I < FBars->Count(); ++I)
            FBars->Items(I)->Loaded();
    if (!FDesignMode && !IsReadingDesignTimeCopy()) {
        if (StoreInRegistry) LoadFromRegistry(RegistryPath);
        if (StoreInIniFile) LoadFromIniFile(IniFileName);
    }
    if (FBars) FBars->SuppressDockingStyleChange = Suppressed;
    for (int I = 0; I < FCategories->Count(); ++I) {
        TdxBarCategoryData* Data = GetCategoryData(I);
        if (Data && Data->LoadedItemsVisibleSet) {
            Data->LoadedItemsVisibleSet = false;
            SetCategoryItemsVisibleNow(I, Data->LoadedItemsVisible);
        }
    }
    for (TdxDockControl* Site : FDockControls)
        dxBarWindowServices().UpdateDock(*Site);
}

void TdxBarManager::Notification(pc::TComponent* AComponent, pc::TOperation Operation) {
    pc::TComponent::Notification(AComponent, Operation);
    if (Operation != pc::opRemove) return;
    std::erase_if(FItems, [&](const auto& Item) { return Item.Component == AComponent; });
    std::erase_if(FGroups, [&](const auto& Group) { return Group.Component == AComponent; });
    if (FPopupMenuLinks) FPopupMenuLinks->ComponentRemoved(AComponent);
    // Through the setters: the glyphs of the list that goes leave the windows.
    if (FImages == AComponent) SetImages(nullptr);
    if (FLargeImages == AComponent) SetLargeImages(nullptr);
    if (FHotImages == AComponent) SetHotImages(nullptr);
    if (FDisabledImages == AComponent) SetDisabledImages(nullptr);
    if (FDisabledLargeImages == AComponent) SetDisabledLargeImages(nullptr);
}

// The windows

void TdxBarManager::RebuildBarWindows() {
    if (IsDestroying()) return;
    dxBarWindowServices().RebuildBarWindows(*this);
}

void TdxBarManager::RepaintBarWindows() {
    if (IsDestroying()) return;
    dxBarWindowServices().RepaintBarWindows(*this);
}

void TdxBarManager::RefreshDockSites() {
    if (IsDestroying()) return;
    dxBarWindowServices().RefreshDockSites(*this);
}

void TdxBarManager::RefreshBarWindows() {
    RefreshDockSites();
    RepaintBarWindows();
}

void TdxBarManager::RebuildMainMenuBarWindow() {
    if (FMainMenuBar == nullptr) return;
    dxBarWindowServices().RebuildMainMenuBarWindow(*this);
}

void TdxBarManager::FontOfWindowsChanged() {
    if (IsLoading() || IsDestroying() || FBars == nullptr) return;
    for (int I = 0; I < FBars->Count(); ++I)
        if (TdxBar* Bar = FBars->Items(I)) Bar->ManagerFontChanged();
    // A menu reads the manager's font as it opens; one open now takes the new one.
    dxBarWindowServices().MenusFontChanged(*this);
}

void TdxBarManager::BorderOfDockSitesChanged() {
    dxBarWindowServices().DockSitesBorderChanged(*this);
}

// While customizing, one command is selected across the manager's windows: a selection that
// moves elsewhere leaves its toolbar unselected, or closes the menu the sub-menu editor shows.
void TdxBarManager::SetSelectedItem(TdxBarItemControl* Value) {
    if (FSelectedItem == Value) return;
    TdxBarWindowServices& Windows = dxBarWindowServices();
    // The old control may go with its window; it repaints once the new one is selected.
    const std::function<void()> RepaintOld =
        FSelectedItem != nullptr ? Windows.SelectionLeaving(*this, *FSelectedItem, Value)
                                 : std::function<void()>();
    FSelectedItem = Value;
    if (RepaintOld) RepaintOld();
    if (Value != nullptr)
        if (TdxBarItemLink* Link = Windows.ControlLink(*Value))
            if (TdxBarDesigner* Designer = dxBarDesignerOf(*this))
                if (TdxBarItem* Item = Link->Item()) Designer->SelectComponent(*this, Item);
}

void TdxBarManager::SetLockUpdate(bool Value) {
    if (FLockUpdate == Value) return;
    FLockUpdate = Value;
    if (Value) {
        FLayoutHeld = false;
        if (IsDestroying()) return;
        for (pc::HWND Wnd : dxBarWindowServices().HoldRedrawing(*this))
            FRedrawHeld.push_back(Wnd);
        return;
    }
    // A window may have gone (or been hidden) meanwhile: the windows let go those still there.
    const std::vector<pc::HWND> Held = std::exchange(FRedrawHeld, {});
    const bool Relayout = std::exchange(FLayoutHeld, false);
    dxBarWindowServices().ReleaseRedrawing(*this, Held, Relayout);
}

} // namespace toolkit::bars
