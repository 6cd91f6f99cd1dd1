#pragma once
// A bar item: one command of a bar manager, a component of the manager's form. The item is
// never drawn itself; it is shown through its links (dx_bar_item_link.h), one per place, which
// it tells of its changes. Clicking runs the click path: the manager's OnClickItem, then
// OnClick or the item's action, with any exception handed to the application's handler.
//
// An item may be bound to a standard action (platform/forms/actions.h) through its action link
// (dx_bar_item_action_link.h): the action's properties and execute routine flow into the item.
//
// An item is freed by its form or, with its category or its manager, by the manager: either
// way it leaves the other side first, so it is freed once.

#include "toolkit/bars/model/dx_bar_item_action_link.h"
#include "toolkit/bars/model/dx_bar_manager.h"

#include "platform/core/component.h"
#include "platform/forms/actions.h"
#include "platform/forms/graphics.h"
#include "platform/forms/shortcuts.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {

enum TdxBarItemAlign : std::uint8_t { iaLeft, iaCenter, iaRight, iaClient };

class TdxBarItem : public platform::core::TComponent {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    // Joins the live manager of the form that owns it or, failing that, the first manager of
    // the manager list.
    explicit TdxBarItem(platform::core::TComponent* AOwner);
    // Fires OnDestroy, frees the links and leaves the manager.
    ~TdxBarItem() override;

    // The action whose properties and execute routine the item takes; nil: none. A new action
    // gives the item all of its properties at once (only those the item still has at their
    // defaults while the action loads); later changes of the action come through the link. The
    // action going leaves the item as it was.
    platform::forms::TBasicAction* Action() const;
    void SetAction(platform::forms::TBasicAction* Value);
    TdxBarItemActionLink* ActionLink() const { return FActionLink.get(); }

    TdxBarManager* BarManager() const { return FBarManager; }
    // Moves the item to another manager's list (nil: none).
    void SetBarManager(TdxBarManager* Value);

    TdxBarItemAlign Align() const { return FAlign; }
    void SetAlign(TdxBarItemAlign Value);
    const std::string& Caption() const { return FCaption; }
    // Mirrors the caption into the short part of Hint while the hint follows it (see
    // HintMirrorsCaption).
    void SetCaption(const std::string& Value);
    // -1: none. Outside loading only 0 <= Value < category count is taken.
    int Category() const { return FCategory; }
    void SetCategory(int Value);
    // The categories' renumbering: stores without any reaction.
    void SetCategoryRaw(int Value) { FCategory = Value; }
    const std::string& Description() const { return FDescription; }
    void SetDescription(const std::string& Value);
    // True for every item with a category while the user customizes.
    bool Enabled() const;
    void SetEnabled(bool Value);
    platform::forms::TBitmap& Glyph() { return *FGlyph; }
    void SetGlyph(const platform::forms::TBitmap& Value) { FGlyph->Assign(Value); }
    int HelpContext = 0;
    // Short part, "|", long part.
    std::string Hint;
    int ImageIndex() const { return FImageIndex; }
    virtual int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    virtual void SetImageIndexByAction(int Value) { SetImageIndex(Value); }
    platform::forms::TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(platform::forms::TShortCut Value);
    bool UnclickAfterDoing = false;
    TdxBarItemVisible Visible() const { return FVisible; }
    // While the manager loads, kept until its Loaded passes it on.
    void SetVisible(TdxBarItemVisible Value);
    TdxBarItemVisible LoadedVisible() const { return FLoadedVisible; }
    // The visibility SetVisible writes to now: the loaded one while the manager loads.
    TdxBarItemVisible VisibleToCome() const;

    // Whether the short part of Hint is Caption without its first "&" and first "...".
    bool HintMirrorsCaption() const;

    // Links: filled and emptied by the links themselves.
    int LinkCount() const { return static_cast<int>(FLinks.size()); }
    // nil outside the range.
    TdxBarItemLink* Links(int Index) const;
    void AddLink(TdxBarItemLink* Link);
    void RemoveLink(TdxBarItemLink* Link);
    // The link whose control clicks the item, nil outside such a click.
    TdxBarItemLink* ClickedLink = nullptr;
    // Index in the manager's item list.
    int GetIndex() const;
    bool HasControl() const;
    // The first link whose control exists and is active (an edit being typed in, an open
    // drop-down); nil when none.
    TdxBarItemLink* GetActiveLink() const;
    // ivAlways with content (or while customizing), or ivInCustomizing while customizing.
    bool ActuallyVisible() const;

    // The Customize dialog's All commands list and group members show the new name.
    void SetName(const std::string& NewName) override;
    // In a form stream an item with a category is written inside its manager.
    bool HasParent() const override;
    platform::core::TComponent* GetParentComponent() const override;
    // Not while loading: an item read with its form has joined the form's manager already.
    void SetParentComponent(platform::core::TComponent* Value) override;

    virtual bool CanBeClicked() const { return true; }
    virtual bool HasContent() const { return true; }
    // A toolbar window that paints without a link of this item that could show (hidden by the
    // user or by the recent-items rule) asks this, and when it answers true tells the item with
    // NotShownNotice. No item kind here asks to be told.
    virtual bool NeedsNotShownNotice() const { return false; }
    virtual void NotShownNotice(TCustomdxBarControl* BarControl) { (void)BarControl; }
    // Whether a link may take an accelerator: enabled, in the base.
    virtual bool HasAccessibleCaption(const TdxBarItemLink* Link) const;
    // The click path's entries: a shortcut or the program at Click, an item control at
    // DirectClick.
    virtual void Click();
    virtual void DirectClick();

    // Runs Handler; an exception it raises goes to the application's exception handler with
    // this item as sender, and the call returns normally. The click path and the handlers that
    // a timer or a menu opening runs go through it.
    void RunGuarded(const std::function<void()>& Handler);

    platform::core::TNotifyEvent OnClick;
    platform::core::TNotifyEvent OnDestroy;
    // Fired last by Loaded.
    platform::core::TNotifyEvent OnAfterLoaded;

protected:
    // The manager tells its items of changed image lists.
    friend class TdxBarManager;

    // OnClick, when assigned and not the action's execute routine; else (not in design mode)
    // the action, run through the link with the item as its component.
    virtual void DoClick();
    // The action's properties, each only where the item's value is still the default when
    // CheckDefaults is set.
    virtual void ActionChange(platform::core::TObject* Sender, bool CheckDefaults);
    virtual const TdxBarItemActionLinkClass& GetActionLinkClass() const;
    // Into a custom action: caption, enabled, help context, hint, image index, shortcut,
    // visibility (ivInCustomizing leaves the action's) and OnClick as its execute routine.
    void AssignTo(platform::core::TPersistent* Dest) const override;
    virtual void BarManagerChanged() {}
    virtual void CaptionChanged();
    virtual void EnabledChanged();
    virtual void GlyphChanged();
    virtual void ShortCutChanged();
    virtual void VisibleChanged();
    // The controls' windows lay out again at once: the control takes its new place.
    virtual void AlignChanged();
    // Sub-items keep their hint when their caption changes.
    virtual bool CaptionMirrorsIntoHint() const { return true; }
    // Each link's control repaints, or has its bar window re-lay out (a change of its size);
    // not the selected control of an active bar window, which the selection repaints.
    void RepaintControls();
    void UpdateBarWindows();
    bool IsLoading() const;
    void Loaded() override;
    // Action (by name), Align, Caption, Category, Description, Enabled, HelpContext, Hint and
    // Visible, in that order; what the action supplies is left to it.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;
    // For the descendants that publish them.
    void DefineGlyph(platform::core::TFiler& Filer);
    void DefineImageIndex(platform::core::TFiler& Filer);
    void DefineShortCut(platform::core::TFiler& Filer);
    // A property the action can supply is stored only while the action does not: with no
    // action link, or one that reports the property as not linked.
    bool IsStoredBeside(bool (TdxBarItemActionLink::*Linked)() const) const;
    void Notification(platform::core::TComponent* AComponent,
                      platform::core::TOperation Operation) override;

private:
    void FreeLinks();
    bool VisibleWaitsForManager() const;

    std::unique_ptr<TdxBarItemActionLink> FActionLink;
    TdxBarManager* FBarManager = nullptr;
    TdxBarItemAlign FAlign = iaLeft;
    std::string FCaption;
    int FCategory = -1;
    // While the action's caption is assigned: the hint does not follow it.
    bool FCaptionFromAction = false;
    std::string FDescription;
    bool FEnabled = true;
    std::unique_ptr<platform::forms::TBitmap> FGlyph;
    int FImageIndex = -1;
    std::vector<TdxBarItemLink*> FLinks;
    TdxBarItemVisible FLoadedVisible = ivAlways;
    platform::forms::TShortCut FShortCut = 0;
    TdxBarItemVisible FVisible = ivAlways;
};

} // namespace toolkit::bars
