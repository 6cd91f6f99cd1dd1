#pragma once
// Toolbar definitions: TdxBar is the lasting description of one toolbar or menu bar of a
// manager (caption, where it docks or floats, its row and flags, the links it shows);
// TdxBars is the manager's list of them and owns the four automatic dock sites of the form.
// A bar has a window only while it is visible: showing it makes its toolbar window and puts it
// in its dock site or floating; hiding it stores the window's place back and frees it.
//
// Setters return at once when the value does not change; while the manager loads they only
// store what Loaded applies.

#include "toolkit/bars/model/dx_bar_control_bar.h"
#include "toolkit/bars/model/dx_bar_docked_window.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "platform/core/filer.h"
#include "platform/core/persistent.h"
#include "platform/forms/graphics.h"
#include "platform/forms/shortcuts.h"
#include "platform/gdi/geometry.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {

class TdxBarDockControl;
class TdxBarMoving;
class TCustomdxBarSubItem;

enum TdxBarBorderStyle : std::uint8_t { bbsNone, bbsSingle };

class TdxBar : public platform::core::TPersistent,
               public TdxBarItemLinksOwner,
               public TdxBarControlBar {
public:
    static const platform::core::TClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    // Use TdxBars::Add.
    explicit TdxBar(TdxBars* Collection);
    // A bar of the manager that its list does not hold (the quick-customise bar's): no event,
    // designer, customizing dialog or stored layout hears of it. The caller owns it.
    static std::unique_ptr<TdxBar> CreateInternal(TdxBars* Collection);
    ~TdxBar() override;
    TdxBar(const TdxBar&) = delete;
    TdxBar& operator=(const TdxBar&) = delete;

    TdxBars* Collection() const { return FCollection; }
    TdxBarManager* BarManager() const;
    int Index() const;

    bool AllowClose() const { return FAllowClose; }
    void SetAllowClose(bool Value);
    bool AllowCustomizing = true;
    bool AllowQuickCustomizing() const { return FAllowQuickCustomizing; }
    void SetAllowQuickCustomizing(bool Value);
    bool AllowReset = true;
    // Hidden by the manager's AutoHideEmptyBars when its last link went; shown again when one
    // comes back.
    bool HiddenBecauseEmpty = false;
    TdxBarBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TdxBarBorderStyle Value);
    // A caption another bar of the manager has is ignored; an empty Name follows the caption.
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    platform::gdi::TColor Color() const { return FColor; }
    void SetColor(platform::gdi::TColor Value);
    // A placed dock site of the same manager (others are ignored); nil docks on an automatic site.
    TdxBarDockControl* DockControl() const { return FDockControl; }
    void SetDockControl(TdxBarDockControl* Value);
    TdxBarDockingStyle DockingStyle() const { return FDockingStyle; }
    void SetDockingStyle(TdxBarDockingStyle Value);
    // Both at once (SetDocking in the order the two setters need).
    void SetDocking(TdxBarDockingStyle Style, TdxDockControl* ADockControl);

    // Where the window stood when it was last hidden, docked and floating; negatives are
    // stored as 0. The designer hears of each change (DockedDockingStyle, Row and OneOnRow
    // are only stored).
    TdxBarDockControl* DockedDockControl() const { return FDockedDockControl; }
    void SetDockedDockControl(TdxBarDockControl* Value);
    TdxBarDockingStyle DockedDockingStyle = dsTop;
    int DockedLeft() const { return FDockedLeft; }
    void SetDockedLeft(int Value) { SetDockedPlace(FDockedLeft, Value); }
    int DockedTop() const { return FDockedTop; }
    void SetDockedTop(int Value) { SetDockedPlace(FDockedTop, Value); }
    // Whether a docked place was ever stored (by a docked window, loading, copying or the
    // setters); without one, DockedLeft and DockedTop are defaults, not where the bar stood.
    bool HasDockedPlace() const { return FHasDockedPlace; }
    int FloatLeft() const { return FFloatLeft; }
    void SetFloatLeft(int Value) { SetPlace(FFloatLeft, Value); }
    int FloatTop() const { return FFloatTop; }
    void SetFloatTop(int Value) { SetPlace(FFloatTop, Value); }
    int FloatClientWidth() const { return FFloatClientWidth; }
    void SetFloatClientWidth(int Value) { SetPlace(FFloatClientWidth, Value); }
    int FloatClientHeight() const { return FFloatClientHeight; }
    void SetFloatClientHeight(int Value) { SetPlace(FFloatClientHeight, Value); }
    int Row() const { return FRow; }
    void SetRow(int Value) { FRow = Value < 0 ? 0 : Value; }
    bool OneOnRow = false;
    // Left out of the user's lists of toolbars (the Customize dialog's, the toolbar list, the
    // menu-mode walk); the designer hears of a change.
    bool Hidden() const { return FHidden; }
    void SetHidden(bool Value);

    // A change made from outside the bar turns UseOwnFont on.
    platform::gdi::TFont& Font() { return *FFont; }
    bool UseOwnFont() const { return FUseOwnFont; }
    // Off takes the manager's font back.
    void SetUseOwnFont(bool Value);
    // Made from Font while UseOwnFont is on; nil otherwise.
    platform::gdi::HFONT FontHandle() const;
    // The manager's font changed: a bar without a font of its own takes it, and its window
    // draws and lays out with it.
    void ManagerFontChanged();

    // Setting it clears the flag on the manager's previous main-menu bar and turns WholeRow and
    // MultiLine on; clearing it turns both off.
    bool IsMainMenu() const { return FIsMainMenu; }
    void SetIsMainMenu(bool Value);
    TdxBarItemLinks& ItemLinks() { return *FItemLinks; }
    const TdxBarItemLinks& ItemLinks() const { return *FItemLinks; }
    void SetItemLinks(const TdxBarItemLinks& Value) { FItemLinks->Assign(Value); }
    // Cannot be cleared on the main-menu bar.
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    std::string Name;
    TdxBarDockingStyles NotDocking() const { return FNotDocking; }
    void SetNotDocking(TdxBarDockingStyles Value);
    bool RotateWhenVertical() const { return FRotateWhenVertical; }
    void SetRotateWhenVertical(bool Value);
    bool ShowMark() const { return FShowMark; }
    void SetShowMark(bool Value);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);
    bool UseRecentItems() const { return FUseRecentItems; }
    void SetUseRecentItems(bool Value);
    bool UseRestSpace() const { return FUseRestSpace; }
    void SetUseRestSpace(bool Value);
    bool Visible() const { return FVisible; }
    // A bar made visible while its dock site cannot have a window (a placed site not on any
    // parent yet) waits in the manager's pending list; ShowPending shows it once the site can,
    // and says whether it did.
    void SetVisible(bool Value);
    bool WaitsForDockSite() const;
    bool ShowPending();
    // A docked, shown bar hides and shows again to take its new row.
    bool WholeRow() const { return FWholeRow; }
    void SetWholeRow(bool Value);
    // Tiled behind the toolbar's items; any change of it repaints the window.
    platform::forms::TBitmap& BackgroundBitmap() { return *FBackgroundBitmap; }
    // The opacity of the floating window (255: opaque); a docked window is always opaque.
    std::uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(std::uint8_t Value);

    // The toolbar window; nil while hidden.
    TdxDockedBarWindow* Control() const { return FControl.get(); }
    // DockControl, else the automatic site of DockingStyle, else nil (floating).
    TdxDockControl* GetRealDockControl() const;

    bool CanClose() const;
    bool CanDock() const;
    bool IsResetAllowed() const { return FPredefined && AllowReset; }
    bool IsStatusBar() const;
    bool SizeGripVisible() const;
    // What the toolbar window adds around its client area for a docking style.
    int GetNonClientWidth(TdxBarDockingStyle Style) const;
    int GetNonClientHeight(TdxBarDockingStyle Style) const;
    bool IsShortCut(platform::forms::TShortCut ShortCut) {
        return FItemLinks->IsShortCut(ShortCut);
    }

    // Copies every property but AlphaBlendValue and BackgroundBitmap, Visible last.
    using platform::core::TPersistent::Assign;
    void Assign(const TdxBar& Source);

    // Values read while the manager loads, applied by the manager's Loaded.
    void SetLoadedVisible(bool Value) { FLoadedVisible = Value; }
    void SetLoadedDockingStyle(TdxBarDockingStyle Value) { FLoadedDockingStyle = Value; }
    void SetLoadedDockControl(TdxBarDockControl* Value) { FLoadedDockControl = Value; }
    void Loaded();
    bool Predefined() const { return FPredefined; }
    // The bar's index in its manager's design, recorded when it was loaded; -1 for a bar the
    // user made. Reset finds the bar's design by it, whatever bars went or moved since.
    int DesignIdentity() const { return FDesignIdentity; }
    void SetDesignIdentity(int Value) {
        FDesignIdentity = Value;
        FPredefined = Value >= 0;
    }
    // The bar's designed links (with UseFullReset the whole bar) back from the design
    // (dx_bar_design_copy.cpp).
    void Reset();
    // Asks first (OK/Cancel); OK resets (dx_bar_customizing_form.cpp).
    void ResetWithConfirmation();

    // Whether the window's place was stored, for the window that hides or goes.
    void SavePosition();
    // Its placed site turned to another side: the docked window follows without hiding.
    void DockSiteTurned(TdxBarDockingStyle Style) { FDockingStyle = Style; }
    // Its placed site goes: the window leaves it and the bar docks on the automatic site.
    void DockControlGoing(TdxBarDockControl* Site);
    // A drag takes the shown window to a dock site (inserted at ScreenPos, the cursor) or
    // floating (its origin at ScreenPos): the window is hidden, its place stored, and shown
    // again there.
    void MoveWindowTo(TdxBarDockingStyle Style, TdxDockControl* Site,
                      platform::gdi::TPoint ScreenPos);

    // The sub-items whose menus detach into this bar; each is told when the bar goes.
    void AddDetachingSubItem(TCustomdxBarSubItem* Item);
    void RemoveDetachingSubItem(TCustomdxBarSubItem* Item);

    TdxBarLinksOwnerKind LinksOwnerKind() const override { return TdxBarLinksOwnerKind::Bar; }
    platform::core::TComponent* LinksOwnerComponent() override;
    bool CanContainItem(const TdxBarItem*) const override { return true; }

    // What its toolbar window reads.
    std::string BarCaption() const override { return FCaption; }
    bool BarIsMainMenu() const override { return FIsMainMenu; }
    bool BarIsStatusBar() const override { return IsStatusBar(); }
    bool BarAllowCustomizing() const override { return AllowCustomizing; }
    bool BarRotateWhenVertical() const override { return FRotateWhenVertical; }

protected:
    // Its published properties in a form stream, in their order: the docking style and the
    // last docked style only without a placed dock site, Font only with UseOwnFont.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;

private:
    friend class TdxBars;
    bool Loading() const;
    // Docked at At (screen) when given, else where the bar was docked last.
    void ShowWindow(const platform::gdi::TPoint* At = nullptr);
    void HideWindow();
    // The window re-lays out or repaints, when there is one.
    void WindowLayoutChanged();
    void WindowRepaint();
    void DockingChanged();
    void FontChanged();
    void BuildFontHandle();
    // Whether a floating window shows now: not while its form is inactive and the manager hides
    // floating bars of inactive forms.
    bool FloatingShowsNow() const;
    void SetPlace(int& Field, int Value);
    void SetDockedPlace(int& Field, int Value);

    TdxBars* FCollection;
    bool FAllowClose = true;
    bool FAllowQuickCustomizing = true;
    TdxBarBorderStyle FBorderStyle = bbsSingle;
    std::string FCaption;
    platform::gdi::TColor FColor = platform::gdi::clDefault;
    TdxBarDockControl* FDockControl = nullptr;
    TdxBarDockingStyle FDockingStyle = dsNone;
    TdxBarDockControl* FDockedDockControl = nullptr;
    int FDockedLeft = 0;
    int FDockedTop = 0;
    bool FHasDockedPlace = false;
    int FFloatLeft = 0;
    int FFloatTop = 0;
    int FFloatClientWidth = 0;
    int FFloatClientHeight = 0;
    int FRow = 0;
    bool FHidden = false;
    std::unique_ptr<platform::gdi::TFont> FFont;
    bool FUseOwnFont = false;
    bool FInternalFontChange = false;
    std::unique_ptr<platform::gdi::TFont> FOwnFont;
    bool FIsMainMenu = false;
    std::unique_ptr<TdxBarItemLinks> FItemLinks;
    bool FMultiLine = false;
    TdxBarDockingStyles FNotDocking = 0;
    bool FRotateWhenVertical = true;
    bool FShowMark = true;
    bool FSizeGrip = true;
    bool FUseRecentItems = true;
    bool FUseRestSpace = false;
    bool FVisible = false;
    bool FWholeRow = false;
    std::unique_ptr<platform::forms::TBitmap> FBackgroundBitmap;
    std::uint8_t FAlphaBlendValue = 255;
    std::unique_ptr<TdxDockedBarWindow> FControl;
    bool FPredefined = false;
    int FDesignIdentity = -1;
    bool FLoadedVisible = false;
    TdxBarDockingStyle FLoadedDockingStyle = dsNone;
    TdxBarDockControl* FLoadedDockControl = nullptr;
    bool FChangingDocking = false;
    bool FInternal = false;
    std::vector<TCustomdxBarSubItem*> FDetachingSubItems;
};

class TdxBars {
public:
    // Makes the four automatic dock sites on the manager's form.
    explicit TdxBars(TdxBarManager* Manager);
    ~TdxBars();
    TdxBars(const TdxBars&) = delete;
    TdxBars& operator=(const TdxBars&) = delete;

    TdxBarManager* BarManager() const { return FBarManager; }
    TdxBar* Add();
    void Delete(int Index);
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    // nil outside the range.
    TdxBar* Items(int Index) const;
    int IndexOf(const TdxBar* Bar) const;
    // The first bar of that Name, nil when none.
    TdxBar* FindByName(const std::string& AName) const;
    // Base itself when no bar has that Name, else Base followed by 1, 2, 3, ...
    std::string GetUniqueBarName(const std::string& Base) const;

    // The automatic site of a style (nil for dsNone).
    TdxDockControl* DockControls(TdxBarDockingStyle Style) const;
    // Into ADockControl, else the automatic site of Style; dsNone does nothing.
    void InsertIntoDock(TdxDockedBarWindow* Bar, TdxBarDockingStyle Style,
                        TdxDockControl* ADockControl, platform::gdi::TPoint ScreenPos);
    void RemoveFromDock(TdxDockedBarWindow* Bar, TdxBarDockingStyle Style,
                        TdxDockControl* ADockControl);

    // Rows lie idle while locked: nothing is laid out.
    bool LockUpdate = false;
    // Set while the manager loads its bars: their docking changes fire nothing.
    bool SuppressDockingStyleChange = false;
    // Set while the manager makes the windows of its bars.
    bool CreatingBarWindows = false;
    // The width of the band on each side of a row where a bar docks.
    static constexpr int DockingZone = 23;

    // Drags a shown bar that may dock, with the cursor at Cursor (screen): the session runs
    // on the input as it comes (dx_bar_move.h) until the button goes up or Esc.
    void MoveBar(TdxBar& Bar, platform::gdi::TPoint Cursor);
    // The drag under way; nil when none.
    TdxBarMoving* Moving() const { return FMoving.get(); }
    void EndMove();

    // Makes a bar's toolbar window (a TdxBarControl unless replaced); bars stay windowless
    // while it is unset.
    std::function<std::unique_ptr<TdxDockedBarWindow>(TdxBar& Bar)> CreateBarControl;

private:
    TdxBarManager* FBarManager;
    std::vector<std::unique_ptr<TdxBar>> FItems;
    std::array<TdxBarWindowOwn<TdxDockControl>, 4> FDockControls;
    TdxBarWindowOwn<TdxBarMoving> FMoving;
};

} // namespace toolkit::bars
