#pragma once
// Container items: sub-items whose entries a menu splices in at the container's own place
// instead of opening a menu of their own. The list item turns its strings into a run of
// numbered buttons (a recent-files list, a window list); the container item splices in copies
// of its own links. A menu that shows the entries adds them with AddEntries when it builds its
// links and takes them out with RemoveEntries when it closes; MarkSubMenuClosed then lets the
// next showing free the entry buttons that nothing links any more.

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"

#include "platform/forms/strings.h"

#include <string>
#include <vector>

namespace toolkit::bars {

class TCustomdxBarContainerItem : public TCustomdxBarSubItem {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TCustomdxBarContainerItem(platform::core::TComponent* AOwner)
        : TCustomdxBarSubItem(AOwner) {}
    // Frees the entries of a closed menu first.
    ~TCustomdxBarContainerItem() override;

    // Puts the entries into Target at Index, for the link ContainerLink; GetData fires
    // OnGetData first. The base only releases and fires.
    virtual void AddEntries(TdxBarItemLinks& Target, int Index, TdxBarItemLink* ContainerLink,
                            bool GetData);
    // Takes the entries out of Target at Index again.
    virtual void RemoveEntries(TdxBarItemLinks& Target, int Index);
    virtual void ReleaseEntries();
    // Menus hide the container's link and show the entries in its place.
    virtual bool ExpandsInPlace() const { return true; }
    virtual void ItemsChanged();
    void MarkSubMenuClosed() { FReleased = true; }
    bool Released() const { return FReleased; }
    bool Filling() const { return FFilling; }
    bool HasContent() const override { return static_cast<bool>(OnGetData); }

    // Fired before the entries are added; it may fill the entries.
    platform::core::TNotifyEvent OnGetData;

private:
    bool FFilling = false;
    bool FReleased = false;
};

class TdxBarListItem : public TCustomdxBarContainerItem {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarListItem(platform::core::TComponent* AOwner);
    ~TdxBarListItem() override;

    // "-" is a separator: the next entry begins a group.
    platform::forms::TStrings& Items() { return FItems; }
    void SetItems(const platform::core::TStringList& Value) { FItems.Assign(Value); }
    // The checked entry, counting separators; -1: none.
    int ItemIndex = -1;
    bool ShowCheck = false;
    bool ShowNumbers = true;
    // The checked entry's place among the real entries; -1 when ItemIndex lies outside. Set:
    // the n-th real entry, or Items.Count when there is none such.
    int DataIndex() const;
    void SetDataIndex(int Value);

    // The entry buttons of the last showing, kept while any of them is linked.
    int EntryButtonCount() const { return static_cast<int>(FButtons.size()); }
    TdxBarButton* EntryButtons(int Index) const;

    bool HasContent() const override;
    void AddEntries(TdxBarItemLinks& Target, int Index, TdxBarItemLink* ContainerLink,
                    bool GetData) override;
    void RemoveEntries(TdxBarItemLinks& Target, int Index) override;
    void ReleaseEntries() override;
    // Nothing while one of its links has an active control (an entry is being run).
    void DirectClick() override;

protected:
    // After the sub-item's: ItemIndex, Items, ShowCheck, ShowNumbers.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;
    virtual void GetDisplayText(const std::string& Text, std::string& DisplayText) const {
        DisplayText = Text;
    }
    // The entry buttons belong to the form, which may free them first.
    void Notification(platform::core::TComponent* AComponent,
                      platform::core::TOperation Operation) override;

private:
    void EntryClick(platform::core::TObject* Sender);
    void FreeButtons();

    platform::forms::TStrings FItems;
    std::vector<TdxBarButton*> FButtons;
    // The entry (counting separators) each button stands for.
    std::vector<int> FButtonEntries;
};

class TdxBarContainerItem : public TCustomdxBarContainerItem {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarContainerItem(platform::core::TComponent* AOwner)
        : TCustomdxBarContainerItem(AOwner) {}

    // True without links, or while no link has an item yet, or when some link's item is
    // actually visible.
    bool HasVisibleLinks() const;
    bool HasContent() const override;
    void AddEntries(TdxBarItemLinks& Target, int Index, TdxBarItemLink* ContainerLink,
                    bool GetData) override;
    void RemoveEntries(TdxBarItemLinks& Target, int Index) override;

protected:
    // After the sub-item's: ItemLinks.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;
};

// The caption prefix of the K-th real entry of a numbered list (from 0): "&1 " to "&9 ", then
// "&A ", "&B " and on.
std::string dxBarListEntryNumber(int K);

} // namespace toolkit::bars
