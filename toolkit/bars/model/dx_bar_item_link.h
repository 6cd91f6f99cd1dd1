#pragma once
// Item links: one bar item placed at one position of a toolbar, a menu bar, a sub-menu or a
// popup menu, and the ordered list of the links of one owner. A link carries its own group
// separator, visibility, user caption and width, and its use count for menus that show the
// recently used commands first. The list keeps, besides the links in order, which are
// available, which may be shown and which are shown now, and the order of recent use.
//
// The list knows its owner only through TdxBarItemLinksOwner, so that toolbars, sub-items and
// popup menus can own one, and a list can live without any owner at all.

#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "platform/core/component.h"
#include "platform/core/filer.h"
#include "platform/core/persistent.h"
#include "platform/forms/controls.h"
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

class TCustomdxBarControl;
class TCustomdxBarSubItem;

enum TdxBarPaintStyle : std::uint8_t { psStandard, psCaption, psCaptionInMenu, psCaptionGlyph };
enum TdxBarUserDefine : std::uint8_t { udCaption, udGlyph, udPaintStyle, udWidth };
// A set of TdxBarUserDefine, one bit per ordinal.
using TdxBarUserDefines = std::uint8_t;
constexpr TdxBarUserDefines dxUserDefineBit(TdxBarUserDefine Value) {
    return static_cast<TdxBarUserDefines>(1u << Value);
}
// The identifiers in a form stream, in their order.
inline constexpr std::array<const char*, 4> dxBarPaintStyleNames{
    "psStandard", "psCaption", "psCaptionInMenu", "psCaptionGlyph"};
inline constexpr std::array<const char*, 4> dxBarUserDefineNames{"udCaption", "udGlyph",
                                                                 "udPaintStyle", "udWidth"};

enum class TdxBarLinksOwnerKind { Bar, SubItem, PopupMenu, Other };

// What a link list needs of the one that owns it.
class TdxBarItemLinksOwner {
public:
    virtual ~TdxBarItemLinksOwner() = default;
    virtual TdxBarLinksOwnerKind LinksOwnerKind() const = 0;
    // The owner as a component (its loading and destroying state); nil when it is none.
    virtual platform::core::TComponent* LinksOwnerComponent() = 0;
    // The sub-item that owns the list, nil for other owners.
    virtual TCustomdxBarSubItem* LinksOwnerSubItem() { return nullptr; }
    // False when Item would put the owner inside itself.
    virtual bool CanContainItem(const TdxBarItem* Item) const = 0;
    // The designer hears that the owner's links changed.
    virtual void LinksDesignerModified(TdxBarManager& Manager) { Manager.DesignerModified(); }
};

class TdxBarItemLink : public platform::core::TPersistent {
public:
    static const platform::core::TClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    // Use TdxBarItemLinks::Add.
    explicit TdxBarItemLink(TdxBarItemLinks* Collection);
    // Leaves its item and the recent list (see TdxBarItemLinks::Delete).
    ~TdxBarItemLink() override;
    TdxBarItemLink(const TdxBarItemLink&) = delete;
    TdxBarItemLink& operator=(const TdxBarItemLink&) = delete;

    TdxBarItemLinks* Links() const { return FCollection; }
    TdxBarManager* BarManager() const;
    // Position in the list.
    int Index() const;

    // The effective separator: never on the first shown link; a hidden link passes its own on
    // to the next shown link.
    bool BeginGroup() const;
    bool OwnBeginGroup() const { return FBeginGroup; }
    void SetBeginGroup(bool Value);
    TdxBarItem* Item() const { return FItem; }
    // Raises Exception "You cannot create recursive subitems" (and keeps no item) when the
    // list's owner cannot contain Value; nil frees the link.
    void SetItem(TdxBarItem* Value);
    bool MostRecentlyUsed() const { return FMostRecentlyUsed; }
    void SetMostRecentlyUsed(bool Value);
    const std::string& UserCaption() const { return FUserCaption; }
    void SetUserCaption(const std::string& Value);
    TdxBarUserDefines UserDefine() const { return FUserDefine; }
    // Values whose bit goes are reset.
    void SetUserDefine(TdxBarUserDefines Value);
    platform::forms::TBitmap* UserGlyph() const { return FUserGlyph.get(); }
    void SetUserGlyph(const platform::forms::TBitmap& Value);
    TdxBarPaintStyle UserPaintStyle() const { return FUserPaintStyle; }
    void SetUserPaintStyle(TdxBarPaintStyle Value);
    int UserWidth() const { return FUserWidth; }
    // At least 20.
    void SetUserWidth(int Value);
    // While the manager loads or the list assigns, the value waits until Loaded.
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

    int Data = 0;
    // Set by a menu that shows a container's entries in place of the container's own link.
    bool HiddenByContainer = false;
    platform::gdi::TRect ItemRect{};
    int UseCount = 0;
    // The control that shows the link in an open bar window; nil while none is open. The link
    // owns it: CreateControl makes one of the class registered for the item's class (none for
    // an item class without one), DestroyControl frees it.
    TdxBarItemControl* Control() const { return FControl.get(); }
    void CreateControl();
    void DestroyControl();
    // The bar window that shows the list; nil when none.
    TCustomdxBarControl* GetBarControl() const;

    std::string GetCaption() const;
    platform::forms::TBitmap* GetGlyph() const;
    TdxBarPaintStyle GetPaintStyle() const;
    int GetWidth() const;
    // Position among the links that may be shown, and among those shown now; -1 when absent.
    int GetIndex() const;
    int GetVisibleIndex() const;
    int GetRecentIndex() const;
    // The item is actually visible and the link's Visible is set.
    bool CanVisible() const;
    // The link's item is Item, or a sub-item that holds it at any depth.
    bool HasItem(const TdxBarItem* Item) const;
    // The link's accelerator: the character after the last single "&", upper-cased; 0 when
    // there is none.
    char AccelChar() const;
    // Whether Key with Shift (ssShift, ssCtrl) types the accelerator.
    bool IsAccel(std::uint16_t Key, platform::forms::TShiftState Shift) const;

    // Recent use. Counting adds one use.
    void BringToTopInRecentList(bool IncCount);
    void SendToBottomInRecentList();
    void MoveInRecentList(int Position);
    void UpdateMostRecentlyUsed();
    // A stored layout's recent position and use count, applied by the list's Loaded.
    // A stored layout's visibility, applied by the list's Loaded.
    void SetPendingVisible(bool Value) {
        FPendingVisible = Value;
        FPendingVisibleSet = true;
    }
    void SetStoredRecent(int Position, int Count) {
        FStoredRecentIndex = Position;
        FStoredUseCount = Count;
    }

    using platform::core::TPersistent::Assign;
    void Assign(const TdxBarItemLink& Source);
    // The link this one was copied from (a quick-customise bar shows copies of a toolbar's
    // links), else the link itself; a copy forgets its original when that goes.
    TdxBarItemLink* GetOriginalLink() { return FOriginalLink ? FOriginalLink : this; }
    void SetOriginalLink(TdxBarItemLink* Value);

protected:
    // In a form stream: BeginGroup, Item (by its name), MostRecentlyUsed, UserCaption,
    // UserDefine, UserGlyph, UserPaintStyle, UserWidth and Visible.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;

private:
    friend class TdxBarItemLinks;
    void Changed();
    void ApplyPendingVisible();
    // The recent order moved the link into or out of the shown ones: its toolbar window (only a
    // docked one, with DockedOnly) lays out again soon, unless the paint style is the standard
    // one.
    void PostToolbarRelayout(bool DockedOnly);

    TdxBarItemLinks* FCollection;
    TdxBarItem* FItem = nullptr;
    TdxBarWindowOwn<TdxBarItemControl> FControl;
    bool FBeginGroup = false;
    bool FMostRecentlyUsed = true;
    std::string FUserCaption;
    TdxBarUserDefines FUserDefine = 0;
    std::unique_ptr<platform::forms::TBitmap> FUserGlyph;
    TdxBarPaintStyle FUserPaintStyle = psStandard;
    int FUserWidth = 0;
    bool FVisible = true;
    bool FPendingVisible = true;
    bool FPendingVisibleSet = false;
    int FStoredRecentIndex = -1;
    int FStoredUseCount = 0;
    TdxBarItemLink* FOriginalLink = nullptr;
    std::vector<TdxBarItemLink*> FCopies;
};

class TdxBarItemLinks {
public:
    // Owner may be nil: a list of its own.
    TdxBarItemLinks(TdxBarManager* Manager, TdxBarItemLinksOwner* Owner);
    ~TdxBarItemLinks();
    TdxBarItemLinks(const TdxBarItemLinks&) = delete;
    TdxBarItemLinks& operator=(const TdxBarItemLinks&) = delete;

    TdxBarManager* BarManager() const { return FBarManager; }
    void SetBarManager(TdxBarManager* Value) { FBarManager = Value; }
    TdxBarItemLinksOwner* Owner() const { return FOwner; }
    // The bar window that shows the links; it sets and clears this itself.
    TCustomdxBarControl* BarControl() const { return FBarControl; }
    void SetBarControl(TCustomdxBarControl* Value) { FBarControl = Value; }

    // A new link without item at the end.
    TdxBarItemLink* Add();
    // A new link to Item at the end (may raise as SetItem does; then no link is kept).
    TdxBarItemLink* Add(TdxBarItem* Item);
    void Delete(int Index);
    void Clear();
    void Move(int CurIndex, int NewIndex);
    int Count() const { return static_cast<int>(FItems.size()); }
    // nil outside the range.
    TdxBarItemLink* Items(int Index) const;
    int IndexOf(const TdxBarItemLink* Link) const;

    int AvailableItemCount() const { return static_cast<int>(FAvailableItems.size()); }
    TdxBarItemLink* AvailableItems(int Index) const { return At(FAvailableItems, Index); }
    int CanVisibleItemCount() const { return static_cast<int>(FCanVisibleItems.size()); }
    TdxBarItemLink* CanVisibleItems(int Index) const { return At(FCanVisibleItems, Index); }
    int VisibleItemCount() const { return static_cast<int>(FVisibleItems.size()); }
    TdxBarItemLink* VisibleItems(int Index) const { return At(FVisibleItems, Index); }
    int RecentItemListCount() const { return static_cast<int>(FRecentItems.size()); }
    TdxBarItemLink* RecentItemList(int Index) const { return At(FRecentItems, Index); }
    void RefreshVisibleLists();

    // -1: show all.
    int RecentItemCount() const { return FRecentItemCount; }
    void SetRecentItemCount(int Value);
    void RestoreRecentItemCount() { SetRecentItemCount(FPrevRecentItemCount); }
    // How many links a collapsed menu shows; -1 all.
    int GetRecentItemCount() const;
    // The owner copies its own flag here.
    bool UseRecentItems = true;
    bool UseRecentItemsEffective() const;

    // Clicks the first enabled item with ShortCut, searching sub-items and the drop-down menus
    // of buttons too; false when none. The items' actions are brought up to date first.
    bool IsShortCut(platform::forms::TShortCut ShortCut);
    // Every item of the links that has an action asks it to update (its OnUpdate), so that what
    // the links show is current.
    void UpdateActions();
    // Over the links that may be shown, from the one after Start (the first when nil) round
    // to Start: the first whose item accepts an accelerator and that Key and Shift type.
    TdxBarItemLink* FindAccel(std::uint16_t Key, platform::forms::TShiftState Shift,
                              const TdxBarItemLink* Start) const;
    // The owner holds Item, at any depth.
    bool ContainsItem(const TdxBarItem* Item) const;

    // After loading: links left without an item go; the stored layout's visibility kept
    // while loading (with ApplyVisible), use flags and recent positions.
    void Loaded(bool ApplyVisible);
    void CopyMostRecentlyUsed(const TdxBarItemLinks& Source);
    // The links as a collection of a form stream; reading replaces them. A link whose item is
    // not found stays without one until Loaded drops it.
    void WriteLinks(platform::core::TWriter& Writer) const;
    void ReadLinks(platform::core::TReader& Reader);
    void ClearItemRects();
    // The links of Source instead of these; the maximised MDI child's system-menu entry, when it
    // is first here, stays first.
    void Assign(const TdxBarItemLinks& Source);
    bool InAssign() const { return FInAssign; }
    // The system-menu entry when it is the first link, else nil; the links replaced otherwise,
    // Restore puts it back in front.
    TdxBarItem* SystemMenuItem() const;
    void RestoreSystemMenuItem(TdxBarItem* Item);

    // The owner's reaction to a change of the list.
    std::function<void()> OnChange;

private:
    friend class TdxBarItemLink;
    static TdxBarItemLink* At(const std::vector<TdxBarItemLink*>& List, int Index);
    bool OwnerLoading() const;
    bool OwnerDestroying() const;
    void Update();
    void RemoveFromRecent(TdxBarItemLink* Link);

    TdxBarManager* FBarManager;
    TdxBarItemLinksOwner* FOwner;
    TCustomdxBarControl* FBarControl = nullptr;
    std::vector<std::unique_ptr<TdxBarItemLink>> FItems;
    std::vector<TdxBarItemLink*> FAvailableItems;
    std::vector<TdxBarItemLink*> FCanVisibleItems;
    std::vector<TdxBarItemLink*> FVisibleItems;
    std::vector<TdxBarItemLink*> FRecentItems;
    int FRecentItemCount = -1;
    int FPrevRecentItemCount = -1;
    bool FInAssign = false;
    bool FDestroying = false;
};

} // namespace toolkit::bars
