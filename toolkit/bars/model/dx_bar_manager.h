#pragma once
// The bar manager: the non-visual component a form holds to get menus and toolbars. There is at
// most one per form and its owner is that form. It lists the form's bar items (components of
// the form that it also frees), their categories and groups, and chooses the item-control
// painter class for its paint style. It joins the process-wide manager list (and with the
// first manager the thread hooks come) when it is made, and leaves it when it goes.
//
// Setters return at once when the value does not change; while the manager loads they only
// store, and Loaded applies.

#include "toolkit/bars/model/dx_bar_categories.h"

#include "toolkit/base/look_and_feel.h"
#include "toolkit/base/theme_manager.h"

#include "platform/core/class_reference.h"
#include "platform/core/component.h"
#include "platform/core/string_list.h"
#include "platform/forms/forms.h"
#include "platform/forms/img_list.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/objects.h"

#include <array>
#include <concepts>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {

// The families the manager holds come with units of their own.
class TdxBar;
class TdxBars;
class TdxBarItem;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarGroup;
class TdxBarPopupMenu;
class TdxBarPopupMenuLinks;
class TdxBarBackgrounds;
class TdxBarControl;
class TCustomdxBarControl;
class TdxDockControl;
class TdxBarItemControl;
class TdxBarManager;
class TdxBarItemControlPainter;
class TdxBarFramePainter;
class TdxBarDockControl;
class TdxDockedBarWindow;

enum TdxBarManagerStyle : std::uint8_t {
    bmsStandard,
    bmsEnhanced,
    bmsFlat,
    bmsXP,
    bmsOffice11,
    bmsUseLookAndFeel
};
enum TdxBarMenuAnimations : std::uint8_t { maNone, maRandom, maUnfold, maSlide, maFade };
enum TdxBarDockingStyle : std::uint8_t { dsNone, dsLeft, dsTop, dsRight, dsBottom };
// A set of docking styles, one bit per ordinal.
using TdxBarDockingStyles = std::uint8_t;
constexpr TdxBarDockingStyles dxDockingStyleBit(TdxBarDockingStyle Style) {
    return static_cast<TdxBarDockingStyles>(1u << Style);
}
enum TdxBarItemVisible : std::uint8_t { ivNever, ivInCustomizing, ivAlways };

// The identifiers of the enumerations in a form stream, in their order.
inline constexpr std::array<const char*, 6> dxBarManagerStyleNames{
    "bmsStandard", "bmsEnhanced", "bmsFlat", "bmsXP", "bmsOffice11", "bmsUseLookAndFeel"};
inline constexpr std::array<const char*, 5> dxBarMenuAnimationsNames{
    "maNone", "maRandom", "maUnfold", "maSlide", "maFade"};
inline constexpr std::array<const char*, 5> dxBarDockingStyleNames{"dsNone", "dsLeft", "dsTop",
                                                                   "dsRight", "dsBottom"};
inline constexpr std::array<const char*, 3> dxBarItemVisibleNames{"ivNever", "ivInCustomizing",
                                                                  "ivAlways"};

// The item-control painters are classes whose operations are class-level; the manager hands
// out the class of its paint style (dx_bar_painter_classes.h).
using TdxBarItemControlPainterClass = const platform::core::TClass*;

using TdxBarEvent = std::function<void(TdxBarManager* Sender, TdxBar* ABar)>;
using TdxBarVisibleChangeEvent = std::function<void(TdxBarManager* Sender, TdxBar* ABar)>;
using TdxBarItemLinkEvent = std::function<void(TdxBarManager* Sender, TdxBarItemLink* AItemLink)>;
using TdxBarCanDockingEvent = std::function<void(TdxBar* Sender, TdxBarDockingStyle Style,
                                                 TdxDockControl* DockControl, bool& CanDocking)>;
using TdxBarMenuMergeEvent =
    std::function<void(TdxBarManager* Sender, TdxBarManager* ChildBarManager, bool AddItems)>;
using TdxBarShowPopupEvent =
    std::function<void(TdxBarManager* Sender, TdxBarItemLinks* PopupItemLinks)>;
using TdxBarClickItemEvent = std::function<void(TdxBarManager* Sender, TdxBarItem* ClickedItem)>;

// Per-category data, made on first use.
struct TdxBarCategoryData {
    TdxBarItemVisible ItemsVisible = ivAlways;
    // ItemsVisible as read while loading, applied by Loaded.
    TdxBarItemVisible LoadedItemsVisible = ivAlways;
    bool LoadedItemsVisibleSet = false;
    bool Visible = true;
};

class TdxBarManager : public platform::core::TComponent {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    // Serves AOwner, or the application's main form when AOwner is nil. Raises Exception with
    // "TdxBarManager should have as its Owner - TForm (TCustomForm)" when that is no form, and
    // with "A Form should contain only a single TdxBarManager" when the form has a manager
    // already; a manager that failed so is destroyed without touching anything.
    explicit TdxBarManager(platform::core::TComponent* AOwner);
    ~TdxBarManager() override;

    // The form the manager serves.
    platform::forms::TCustomForm* Form() const { return FForm; }

    // Plain options: read by the units that act on them.
    bool AllowCallFromAnotherForm = false;
    bool AllowReset = true;
    bool AlwaysMerge = false;
    bool AlwaysSaveText = false;
    bool CanCustomize = true;
    int HelpContext = 0;
    std::string IniFileName;
    std::string RegistryPath;
    bool ShowHintForDisabledItems = true;
    bool StoreInIniFile = false;
    bool StoreInRegistry = false;
    bool StretchGlyphs = true;
    bool UseF10ForMenu = true;
    bool UseFullReset = false;

    bool AutoDockColor() const { return FAutoDockColor; }
    void SetAutoDockColor(bool Value);
    // The form's colour while AutoDockColor is on; setting it turns AutoDockColor off.
    platform::gdi::TColor DockColor() const;
    void SetDockColor(platform::gdi::TColor Value);
    // Stored in a form only when AutoDockColor is off.
    bool IsDockColorStored() const { return !FAutoDockColor; }
    bool AutoHideEmptyBars() const { return FAutoHideEmptyBars; }
    void SetAutoHideEmptyBars(bool Value);
    // Values below 2 are ignored.
    int ButtonArrowWidth() const { return FButtonArrowWidth; }
    void SetButtonArrowWidth(int Value);
    int LargeButtonArrowWidth() const { return FLargeButtonArrowWidth; }
    void SetLargeButtonArrowWidth(int Value);
    bool FlatCloseButton() const { return FFlatCloseButton; }
    void SetFlatCloseButton(bool Value);
    bool ShowCloseButton() const { return FShowCloseButton; }
    void SetShowCloseButton(bool Value);
    bool HideFloatingBarsWhenInactive() const { return FHideFloatingBarsWhenInactive; }
    void SetHideFloatingBarsWhenInactive(bool Value);
    platform::gdi::TColor ImageListBkColor() const { return FImageListBkColor; }
    void SetImageListBkColor(platform::gdi::TColor Value);
    bool MakeDisabledImagesFaded() const { return FMakeDisabledImagesFaded; }
    void SetMakeDisabledImagesFaded(bool Value);
    bool LargeIcons() const { return FLargeIcons; }
    void SetLargeIcons(bool Value);
    bool UseLargeImagesForLargeIcons() const { return FUseLargeImagesForLargeIcons; }
    void SetUseLargeImagesForLargeIcons(bool Value);
    TdxBarMenuAnimations MenuAnimations() const { return FMenuAnimations; }
    void SetMenuAnimations(TdxBarMenuAnimations Value);
    bool MenusShowRecentItemsFirst() const { return FMenusShowRecentItemsFirst; }
    void SetMenusShowRecentItemsFirst(bool Value);
    bool ShowFullMenusAfterDelay() const { return FShowFullMenusAfterDelay; }
    void SetShowFullMenusAfterDelay(bool Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ShowShortCutInHint() const { return FShowShortCutInHint; }
    void SetShowShortCutInHint(bool Value);
    bool ShowHelpButton() const { return FShowHelpButton; }
    void SetShowHelpButton(bool Value);
    bool SunkenBorder() const { return FSunkenBorder; }
    void SetSunkenBorder(bool Value);
    // 0 to 100; more is taken as 100. Every assignment recomputes the recent-use step.
    std::uint8_t MostRecentItemsPercents() const { return FMostRecentItemsPercents; }
    void SetMostRecentItemsPercents(int Value);
    // The use count a link gets when it becomes recent: 0 at 100 %, else the smallest n >= 1
    // with (100 - percents) * n >= 100.
    int MostRecentItemsStep() const { return FMostRecentItemsStep; }
    TdxBarDockingStyles NotDocking() const { return FNotDocking; }
    void SetNotDocking(TdxBarDockingStyles Value);
    TdxBarManagerStyle Style() const { return FStyle; }
    void SetStyle(TdxBarManagerStyle Value);
    // Negative values are ignored.
    int WaitForDockingTime() const { return FWaitForDockingTime; }
    void SetWaitForDockingTime(int Value);

    // Font of bars and menus. A change made by the program turns UseSystemFont off.
    platform::gdi::TFont& Font() { return *FFont; }
    void SetFont(const platform::gdi::TFont& Value) { FFont->Assign(Value); }
    bool Scaled() const { return FScaled; }
    void SetScaled(bool Value);
    // Turning it on makes Font the system menu font, and keeps it so on metrics changes.
    bool UseSystemFont() const { return FUseSystemFont; }
    void SetUseSystemFont(bool Value);
    // Font with the system icon-title font's height when Scaled (at least 11 pixels), else a
    // copy of Font; owned by the manager.
    platform::gdi::HFONT MenuFontHandle() const { return FMenuFontHandle; }

    platform::forms::TBitmap& HelpButtonGlyph() { return *FHelpButtonGlyph; }
    toolkit::base::TcxLookAndFeel& LookAndFeel() { return *FLookAndFeel; }

    // Glyph image lists: not owned; a list that goes is cleared from here. Assigning one, and
    // any change of the images of one assigned, refreshes the glyphs of the items with an
    // image index.
    platform::forms::TImageList* Images() const { return FImages; }
    void SetImages(platform::forms::TImageList* Value);
    platform::forms::TImageList* LargeImages() const { return FLargeImages; }
    void SetLargeImages(platform::forms::TImageList* Value);
    platform::forms::TImageList* HotImages() const { return FHotImages; }
    void SetHotImages(platform::forms::TImageList* Value);
    platform::forms::TImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(platform::forms::TImageList* Value);
    platform::forms::TImageList* DisabledLargeImages() const { return FDisabledLargeImages; }
    void SetDisabledLargeImages(platform::forms::TImageList* Value);

    // Category names, in order; per-category data below.
    TdxBarManagerCategories& Categories() { return *FCategories; }
    const TdxBarManagerCategories& Categories() const { return *FCategories; }
    // 0 outside the categories; ivAlways without data.
    TdxBarItemVisible GetCategoryItemsVisible(int Index) const;
    void SetCategoryItemsVisible(int Index, TdxBarItemVisible Value);
    // False outside the categories; true without data.
    bool GetCategoryVisible(int Index) const;
    void SetCategoryVisible(int Index, bool Value);
    // nullptr outside the categories or before first use.
    TdxBarCategoryData* GetCategoryData(int Index) const;

    // The toolbar definitions (with the four automatic dock sites), background bitmaps and
    // popup-menu links.
    TdxBars* Bars() const { return FBars; }
    // The bar with IsMainMenu; nil when none.
    TdxBar* MainMenuBar() const { return FMainMenuBar; }
    void SetMainMenuBar(TdxBar* Value) { FMainMenuBar = Value; }
    // The main menu bar's window; nil without a main menu bar or while it has no window.
    TdxDockedBarWindow* GetMainMenuControl() const;
    TdxBarBackgrounds* Backgrounds() const { return FBackgrounds; }
    TdxBarPopupMenuLinks* PopupMenuLinks() const { return FPopupMenuLinks; }

    // Items: components of the form that the manager lists and, when it goes, frees. An item
    // joins when its manager is set and leaves when it goes or moves to another manager;
    // freeing it from either side unlinks it from the other.
    int GetItemCount() const { return static_cast<int>(FItems.size()); }
    // nil outside 0..count-1.
    TdxBarItem* GetItem(int Index) const;
    // The same item as the component it is; nil outside 0..count-1.
    platform::core::TComponent* GetItemComponent(int Index) const;
    int IndexOfItem(const TdxBarItem* Item) const;
    template <class TItem>
    requires std::derived_from<TItem, platform::core::TComponent>
    void AddItem(TItem* Item) { AddItemComponent(Item, Item); }
    // The same, with the item and the component it is given apart. Listing an item links the
    // two by free notification.
    void AddItemComponent(TdxBarItem* Item, platform::core::TComponent* Component);
    void RemoveItem(TdxBarItem* Item);
    void MoveItem(int CurIndex, int NewIndex);
    void ExchangeItems(int Index1, int Index2);
    // Removes and frees every item, last first.
    void FreeAllItems();
    // Removes one item and frees it through its owner.
    void FreeItem(TdxBarItem* Item);
    // The first item whose component name matches without regard to case; nil when none.
    TdxBarItem* GetItemByName(const std::string& AName) const;
    // The items of a category, in the item list's order.
    std::vector<TdxBarItem*> GetItemsByCategory(int Category) const;
    // The first bar with exactly that Caption, or Name; nil when none.
    TdxBar* BarByCaption(const std::string& ACaption) const;
    TdxBar* BarByName(const std::string& AName) const;

    // Groups: owned by the manager (it frees those still listed when it goes).
    int GetGroupCount() const { return static_cast<int>(FGroups.size()); }
    TdxBarGroup* GetGroup(int Index) const;
    template <class TGroup>
    requires std::derived_from<TGroup, platform::core::TComponent>
    void RegisterGroup(TGroup* Group) { RegisterGroupComponent(Group, Group); }
    void RegisterGroupComponent(TdxBarGroup* Group, platform::core::TComponent* Component);
    void UnregisterGroup(TdxBarGroup* Group);
    int IndexOfGroup(const TdxBarGroup* Group) const;
    void MoveGroup(int CurIndex, int NewIndex);
    // A new group on the manager's form, named "dxBarGroup" and the first free number.
    TdxBarGroup* AddGroup();

    // Dock sites and popup menus join and leave as they are made and freed.
    int GetDockControlCount() const { return static_cast<int>(FDockControls.size()); }
    TdxDockControl* GetDockControl(int Index) const;
    void AddDockControl(TdxDockControl* DockControl);
    void RemoveDockControl(TdxDockControl* DockControl);
    // A placed dock site got its window: the bars that waited for it show.
    void DockControlCreated(TdxDockControl* DockControl);
    // A dock site's window goes while the site stays: the bars shown on a placed site wait for
    // its next window.
    void DockControlDestroyed(TdxDockControl* DockControl);
    int GetPopupMenuCount() const { return static_cast<int>(FPopupMenus.size()); }
    TdxBarPopupMenu* GetPopupMenu(int Index) const;
    void AddPopupMenu(TdxBarPopupMenu* PopupMenu);
    void RemovePopupMenu(TdxBarPopupMenu* PopupMenu);

    // Bars made visible before their dock site had a window; the count is 0 without a list.
    int GetPendingBarCount() const { return static_cast<int>(FPendingBars.size()); }
    TdxBar* GetPendingBar(int Index) const;
    void AddPendingBar(TdxBar* Bar);
    void RemovePendingBar(TdxBar* Bar);

    // Bars hidden while their dock site or the form is hidden: the list exists from
    // BeginHiddenBars to EndHiddenBars, and holds each bar once. A bar shown, or hidden again
    // by the program or the user meanwhile, leaves it.
    void BeginHiddenBars();
    void AddHiddenBar(TdxBar* Bar);
    void RemoveHiddenBar(TdxBar* Bar);
    void EndHiddenBars();
    int GetHiddenBarCount() const { return static_cast<int>(FHiddenBars.size()); }
    // Shows again, from the last listed, the bars of the list docked on DockControl; with nil,
    // the floating ones and those whose dock site shows.
    void ShowHiddenBars(TdxBarDockControl* DockControl);

    bool IsCustomizing() const { return FIsCustomizing || FDesignMode; }
    // Run-time customizing on and off (dx_bar_customizing.cpp): the bar windows rebuild their
    // item controls, then OnCustomizingChange fires. Customizing is the entry point of the
    // Customize dialog and the "&Customize..." command.
    void SetIsCustomizing(bool Value);
    void Customizing(bool Show) { SetIsCustomizing(Show); }
    // The window that holds the mouse capture while an item is dragged: the customizing form's
    // while customizing, else the application window when visible, else the manager's form.
    platform::core::HWND GetCaptureWindow() const;
    // The customizing form's window once it exists (set by the form).
    platform::core::HWND CustomizingFormHandle{};
    // One check entry per closable, not hidden bar (its Visible toggles), then "&Customize...";
    // the entries are internal items (dxBarUnit), freed once nothing links them.
    void AddToolbarsListItems(TdxBarItemLinks& Links);
    // What an entry of the toolbars list runs: Tag 1000 turns customizing on, any other is the
    // index of the bar whose Visible toggles.
    void ToolbarsPopupClick(int Tag);
    // Drags Link (or, with no link, a command: Item) while customizing, until the button
    // goes up or Esc; the drop adds, moves or deletes a link (dx_bar_item_drag.h).
    void DragItem(TdxBarItem* Item, TdxBarItemLink* Link);
    // Fires after customizing was turned on or off: the application updates its commands.
    platform::core::TNotifyEvent OnCustomizingChange;
    bool IsDesigning() const { return FDesignMode; }
    bool IsDestroying() const;
    bool IsLoading() const;
    bool IsInMenuMode() const { return FMenuModeToolbar != nullptr; }
    // The toolbar in menu mode; the toolbar records itself as it enters and leaves.
    TdxBarControl* MenuModeToolbar() const { return FMenuModeToolbar; }
    void SetMenuModeToolbar(TdxBarControl* Value) { FMenuModeToolbar = Value; }
    // Style (the stored value) is bmsFlat.
    bool IsFlatStyle() const { return FStyle == bmsFlat; }
    bool IsDragging() const { return FDragging; }
    // Set by a bar drag while it runs.
    void SetDragging(bool Value) { FDragging = Value; }
    bool FormActive() const { return FFormActive; }
    // The MDI child whose menus the main menu bar shows and whether it was maximised, as
    // UpdateMDIChildMenus last saw them; set while floating bars follow the activation
    // (dx_bar_mdi.h).
    platform::core::HWND MDIActiveChild{};
    bool MDIActiveChildMaximized = false;
    // The Visible of the merged child's main menu bar, given back when the merge ends.
    bool MDIChildMainBarVisible = true;
    bool FloatingBarsUpdating = false;
    // While locked, the dock sites and floating toolbars are not redrawn and the toolbars skip
    // their layouts; unlocking lays out what was held back and repaints them all.
    bool LockUpdate() const { return FLockUpdate; }
    void SetLockUpdate(bool Value);
    // A window skipped a layout because updates were locked.
    void LayoutHeld() { FLayoutHeld = true; }
    TdxBarItemControl* SelectedItem() const { return FSelectedItem; }
    void SetSelectedItem(TdxBarItemControl* Value);
    // A selected control, or its window, going: the reference is dropped and nothing is asked
    // of either any more.
    void ForgetSelectedItem() { FSelectedItem = nullptr; }

    // The effective style 0..4: Style itself, or for bmsUseLookAndFeel the look-and-feel's
    // (3 with the native style when themes are available).
    int GetPaintStyle() const;
    bool IsNotStandardStyle() const { return GetPaintStyle() != 0; }
    bool IsMenusShowRecentItemsFirst() const {
        return FMenusShowRecentItemsFirst && IsNotStandardStyle();
    }
    bool ThemesAvailable() const { return FThemeAvailable; }
    TdxBarItemControlPainterClass PainterClass() const { return FPainterClass; }
    // The painter that draws for PainterClass (dx_bar_painter_classes.h), and the same painter
    // as the model asks it (dx_bar_frame_painter.h).
    const TdxBarItemControlPainter& Painter() const;
    const TdxBarFramePainter& FramePainter() const;
    bool CanUseLargeImages() const {
        return FUseLargeImagesForLargeIcons && FLargeImages != nullptr;
    }
    // 16, 32 with LargeIcons, or the width of LargeImages when large images are used.
    int ImageSize() const { return FImageSize; }
    int ButtonWidth() const { return FButtonWidth; }
    int ButtonHeight() const { return FButtonHeight; }
    int ArrowWidth() const { return FArrowWidth; }
    // The style change: painter class, metrics and the bar windows' refresh.
    void UpdateStyle();
    // Font follows the system menu font (UseSystemFont), or only its height (Scaled).
    void UpdateSystemFont();
    // Rebuilds the five brushes and refreshes the Office 2003 colours; the form-message
    // reaction to a change of the system colours.
    void RefreshColors();

    // Colours for the painters, each the nearest displayable one.
    platform::gdi::TColor GetDarkShadowColor() const;
    platform::gdi::TColor GetLightFaceColor() const;
    platform::gdi::TColor GetFlatBlendColor1() const;
    platform::gdi::TColor GetFlatBlendColor2() const;
    platform::gdi::TColor GetFlatSelectedColor() const;
    // Solid brushes of those five colours, in that order; owned by the manager.
    platform::gdi::HBRUSH FlatBrush(int Index) const {
        return FBrushes.at(static_cast<std::size_t>(Index));
    }

    // Event firing (each only when assigned).
    virtual void DoClickItem(TdxBarItem* Item);
    void DoBarAfterReset(TdxBar* Bar);
    void DoBarBeforeReset(TdxBar* Bar);
    void DoBarClose(TdxBar* Bar);
    // Not while the bars are loading (TdxBars::SuppressDockingStyleChange); the designer hears
    // after the event.
    void DoBarDockingStyleChange(TdxBar* Bar);
    void DoCloseButtonClick();
    void DoHelpButtonClick();
    void DoShowCustomizingPopup(TdxBarItemLinks* Popup);
    void DoShowToolbarsPopup(TdxBarItemLinks* Popup);
    // Whether Bar may dock with Style (at DockControl, nil for an automatic site), after
    // OnDocking had its say.
    virtual bool CanDocking(TdxBar* Bar, TdxBarDockingStyle Style, TdxDockControl* DockControl);
    virtual TdxBarItemControlPainterClass GetPainterClass() const;

    // The form designer is told that something changed (nothing outside design mode;
    // dx_bar_designer.h).
    void DesignerModified();
    // An item's caption, description, glyph, shortcut, visibility or button style changed: the
    // designer hears of it.
    void ItemDesignChanged() { DesignerModified(); }
    // The reaction to messages sent to the form.
    void HandleFormMessage(platform::core::UINT Message, platform::core::WPARAM WParam,
                           platform::core::LPARAM LParam);

    // Layout storage (dx_bar_storage.cpp): a path or file that does not exist loads nothing.
    void SaveToRegistry(const std::string& ARegistryPath);
    void LoadFromRegistry(const std::string& ARegistryPath);
    // An empty file name does nothing.
    void SaveToIniFile(const std::string& AIniFileName);
    void LoadFromIniFile(const std::string& AIniFileName);
    // Builds the manager's design again on a form of its own (the form resource's stand-in,
    // dx_bar_design_copy.h); unset, nothing can be reset from the design.
    std::function<void(platform::forms::TForm& Form)> DesignRoutine;
    // Reset of the personalised-menu use data from the design.
    void ResetUsageData();
    // Asks first (Yes/No, No the default); Yes resets the usage data.
    void ResetUsageDataWithConfirmation();

    TdxBarEvent OnBarAdd;
    TdxBarEvent OnBarAfterReset;
    TdxBarEvent OnBarBeforeReset;
    TdxBarEvent OnBarClose;
    TdxBarEvent OnBarDelete;
    TdxBarEvent OnBarDockingStyleChange;
    TdxBarVisibleChangeEvent OnBarVisibleChange;
    TdxBarItemLinkEvent OnItemLinkAdd;
    TdxBarItemLinkEvent OnItemLinkChange;
    TdxBarItemLinkEvent OnItemLinkDelete;
    platform::core::TNotifyEvent OnCloseButtonClick;
    TdxBarCanDockingEvent OnDocking;
    platform::core::TNotifyEvent OnHelpButtonClick;
    platform::core::TNotifyEvent OnHideCustomizingForm;
    TdxBarMenuMergeEvent OnMenuMerge;
    platform::core::TNotifyEvent OnShowCustomizingForm;
    TdxBarShowPopupEvent OnShowCustomizingPopup;
    TdxBarShowPopupEvent OnShowToolbarsPopup;
    TdxBarClickItemEvent OnClickItem;

    // In design mode a new name renames the items of the form whose names begin with the old
    // one (compared without regard to case) to begin with the new one.
    void SetName(const std::string& NewName) override;
    // Passes to Proc every item owned by Root that has a category, then every group owned by
    // Root: what a form stream writes inside the manager.
    void GetChildrenOf(platform::core::TComponent* Root,
                       const std::function<void(platform::core::TComponent*)>& Proc) const;
    void GetChildren(const std::function<void(platform::core::TComponent*)>& Proc,
                     platform::core::TComponent* Root) const override;

protected:
    void Loaded() override;
    void Notification(platform::core::TComponent* AComponent,
                      platform::core::TOperation Operation) override;
    // Its published properties in their order (dx_bar_manager_streaming.cpp); DockColor only
    // while AutoDockColor is off.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;
    // "DockControlHeights": the sizes of the four automatic dock sites.
    void DefineProperties(platform::core::TFiler& Filer) override;

private:
    // An item or group with the component it is (the family's type is not known here).
    template <class T> struct TListed {
        T* Object;
        platform::core::TComponent* Component;
    };

    // Frees a listed component through its owner when it has one, else through the unit's
    // internal item list.
    static void FreeListed(platform::core::TComponent* Component);
    void SetImageList(platform::forms::TImageList*& Field, platform::forms::TChangeLink& Link,
                      platform::forms::TImageList* Value);
    // The manager's changes reaching its windows through the windows floor
    // (dx_bar_window_services.h): the toolbar windows of its bars and the menus it shows
    // re-measure and re-lay out, or repaint with their frames; the dock sites take their colour
    // and border again. Nothing while the manager is being destroyed.
    void RebuildBarWindows();
    void RepaintBarWindows();
    void RefreshDockSites();
    void RefreshBarWindows();
    void RebuildMainMenuBarWindow();
    // Every bar without a font of its own takes Font; the menus shown measure and lay out
    // again in it.
    void FontOfWindowsChanged();
    void BorderOfDockSitesChanged();
    // Form messages (dx_bar_form_messages.cpp): the bars that waited for the form's window.
    void ShowPendingBars();
    // With AutoHideEmptyBars: the bars left without a link to show hide, those that got one
    // back show (after a category's items changed visibility to Value).
    void HideOrShowEmptyBars(const std::vector<TdxBar*>& EmptyBefore, TdxBarItemVisible Value);
    // The hot list's images show only under the mouse, in the place of the others: the buttons
    // only repaint. Any other list's may give a button a glyph, or take it, or resize it.
    void ImageListChanged(bool HotImages);
    void CalcButtonMetrics();
    void LargeIconsChanged();
    void FontChanged();
    void RebuildMenuFontHandle();
    void CreateBrushes();
    void DeleteBrushes();
    void SetCategoryItemsVisibleNow(int Index, TdxBarItemVisible Value);
    TdxBarCategoryData& CategoryData(int Index);

    bool FDesignMode = false;
    platform::forms::TCustomForm* FForm = nullptr;

    bool FAutoDockColor = true;
    platform::gdi::TColor FDockColor = platform::gdi::clBtnFace;
    bool FAutoHideEmptyBars = false;
    int FButtonArrowWidth = 11;
    int FLargeButtonArrowWidth = 13;
    bool FFlatCloseButton = false;
    bool FShowCloseButton = false;
    bool FHideFloatingBarsWhenInactive = true;
    platform::gdi::TColor FImageListBkColor = 0xFF00FF;
    bool FMakeDisabledImagesFaded = false;
    bool FLargeIcons = false;
    bool FUseLargeImagesForLargeIcons = false;
    TdxBarMenuAnimations FMenuAnimations = maNone;
    bool FMenusShowRecentItemsFirst = true;
    bool FShowFullMenusAfterDelay = true;
    bool FShowHint = true;
    bool FShowShortCutInHint = false;
    bool FShowHelpButton = false;
    bool FSunkenBorder = false;
    std::uint8_t FMostRecentItemsPercents = 95;
    int FMostRecentItemsStep = 20;
    TdxBarDockingStyles FNotDocking = 0;
    TdxBarManagerStyle FStyle = bmsEnhanced;
    int FWaitForDockingTime = 21;
    bool FScaled = true;
    bool FUseSystemFont = false;
    bool FInternalFontChange = false;

    std::unique_ptr<platform::gdi::TFont> FFont;
    platform::gdi::HFONT FMenuFontHandle{};
    std::unique_ptr<platform::forms::TBitmap> FHelpButtonGlyph;
    std::unique_ptr<toolkit::base::TcxLookAndFeel> FLookAndFeel;
    std::unique_ptr<toolkit::base::TdxThemeChangedNotificator> FThemeListener;

    platform::forms::TImageList* FImages = nullptr;
    platform::forms::TImageList* FLargeImages = nullptr;
    platform::forms::TImageList* FHotImages = nullptr;
    platform::forms::TImageList* FDisabledImages = nullptr;
    platform::forms::TImageList* FDisabledLargeImages = nullptr;
    platform::forms::TChangeLink FImagesLink, FLargeImagesLink, FHotImagesLink, FDisabledImagesLink,
        FDisabledLargeImagesLink;

    std::unique_ptr<TdxBarManagerCategories> FCategories;
    TdxBars* FBars = nullptr;
    std::unique_ptr<TdxBars> FOwnedBars;
    TdxBar* FMainMenuBar = nullptr;
    // Set from the start of the destructor: the bars and sites go while the component is
    // not yet marked.
    bool FInDestructor = false;
    TdxBarBackgrounds* FBackgrounds = nullptr;
    TdxBarPopupMenuLinks* FPopupMenuLinks = nullptr;
    std::unique_ptr<TdxBarBackgrounds> FOwnedBackgrounds;
    std::unique_ptr<TdxBarPopupMenuLinks> FOwnedPopupMenuLinks;
    std::vector<TListed<TdxBarItem>> FItems;
    std::vector<TListed<TdxBarGroup>> FGroups;
    std::vector<TdxDockControl*> FDockControls;
    std::vector<TdxBarPopupMenu*> FPopupMenus;
    std::vector<TdxBar*> FPendingBars;
    std::vector<TdxBar*> FHiddenBars;
    bool FHiddenBarsActive = false;

    bool FIsCustomizing = false;
    bool FDragging = false;
    bool FFormActive = false;
    bool FLockUpdate = false;
    bool FLayoutHeld = false;
    // The windows whose redrawing the lock turned off.
    std::vector<platform::core::HWND> FRedrawHeld;
    bool FInStyleUpdate = false;
    TdxBarControl* FMenuModeToolbar = nullptr;
    TdxBarItemControl* FSelectedItem = nullptr;

    bool FThemeAvailable = false;
    TdxBarItemControlPainterClass FPainterClass = nullptr;
    int FImageSize = 16;
    int FButtonWidth = 0;
    int FButtonHeight = 0;
    int FArrowWidth = 0;
    std::vector<platform::gdi::HBRUSH> FBrushes;
    bool FColorsTaken = false;
};

// When the manager's CanCustomize is set, links an internal "&Customize..." entry into Links
// (disabled while the customizing form is open) that starts customizing; nil otherwise. In the
// quick-customise menu the entry is a quick-customise command (with the check column).
TdxBarItem* AddCustomizeCommandLink(TdxBarManager& Manager, TdxBarItemLinks& Links, bool BeginGroup,
                                    bool QuickCustomize = false);

} // namespace toolkit::bars
