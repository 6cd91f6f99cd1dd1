#pragma once
// The lookup data of a text editor: how it searches its items (incremental search with
// auto-completion) and moves through them (first, last, next, previous, page). It keeps two
// positions: the current key, the committed item whose text the editor shows, and the active
// index, the item highlighted in a drop-down list when there is one. The editor talks to it only
// through IcxTextEditLookupData.
//
// Searches compare without letter case and take the first match in list order; they never wrap
// around. A found item lends the search text its own spelling.

#include "toolkit/base/interfaced_persistent.h"
#include "toolkit/edit/cx_variants.h"

#include "platform/gdi/geometry.h"

#include <functional>
#include <memory>
#include <string>

namespace toolkit::edit {

class TcxCustomTextEdit;
class TcxCustomInnerListBox;

enum TcxEditLookupDataGoDirection : std::uint8_t {
    egdBegin,
    egdEnd,
    egdNext,
    egdPrior,
    egdPageUp,
    egdPageDown
};

using TcxLookupDataNotifyEvent = std::function<void(platform::core::TObject* Sender)>;

class IcxTextEditLookupData {
public:
    virtual bool CanResizeList() = 0;
    // The active index goes back to the current key.
    virtual void CloseUp() = 0;
    virtual void DropDown() = 0;
    virtual void ListCreated() = 0;
    virtual void ListDestroyed() = 0;
    virtual bool IsItemText(const std::string& Text) = 0;
    virtual Variant GetCurrentKey() = 0;
    // The item's text for an integer key inside the items, else empty.
    virtual std::string GetDisplayText(const Variant& Key) = 0;
    virtual TcxLookupDataNotifyEvent GetSelectEvent() = 0;
    virtual void SetSelectEvent(TcxLookupDataNotifyEvent Value) = 0;
    virtual TcxLookupDataNotifyEvent GetCurrentChangedEvent() = 0;
    virtual void SetCurrentChangedEvent(TcxLookupDataNotifyEvent Value) = 0;
    virtual platform::gdi::TSize GetListPreferredSize() = 0;
    virtual void Go(TcxEditLookupDataGoDirection Direction, bool Circular) = 0;
    // Created on first request when the lookup data has a list; null otherwise.
    virtual TcxCustomInnerListBox* GetListBox() = 0;
    virtual bool IsEmpty() = 0;
    virtual bool IsMouseOverList(platform::gdi::TPoint ScreenPoint) = 0;
    // Incremental search from the start (or past the active index with Next): on success Text
    // takes the item's spelling of the matched prefix and Tail the item's remaining characters.
    virtual bool Locate(std::string& Text, std::string& Tail, bool Next) = 0;
    virtual void PositionList(const platform::gdi::TRect& R) = 0;
    virtual void PropertiesChanged() = 0;
    // Commits the active index.
    virtual void SelectItem() = 0;
    // Keys outside -1..count-1 are ignored.
    virtual void SetCurrentKey(const Variant& Key) = 0;
    // The owner's text was set from outside: the current key follows it.
    virtual void TextChanged() = 0;

protected:
    ~IcxTextEditLookupData() = default;
};

class TcxCustomTextEditLookupData : public toolkit::base::TcxInterfacedPersistent,
                                    public IcxTextEditLookupData {
public:
    using TListBoxFactory =
        std::function<std::unique_ptr<TcxCustomInnerListBox>(TcxCustomTextEdit& Owner)>;

    explicit TcxCustomTextEditLookupData(TcxCustomTextEdit& AOwner);
    ~TcxCustomTextEditLookupData() override;
    TcxCustomTextEditLookupData(const TcxCustomTextEditLookupData&) = delete;
    TcxCustomTextEditLookupData& operator=(const TcxCustomTextEditLookupData&) = delete;

    TcxCustomTextEdit& Edit() const { return FOwner; }
    int CurrentKey() const { return FCurrentKey; }
    int ActiveIndex() const { return FActiveIndex; }
    // Moves the list's selection with it; values outside -1..count-1 are ignored.
    void SetActiveIndex(int Value);
    // The first item equal to Text without letter case, or -1.
    int FindItemIndex(const std::string& Text);
    virtual bool Locate(std::string& Text, std::string& Tail, bool Exact, bool Next);

    // IcxTextEditLookupData
    bool CanResizeList() override { return true; }
    void CloseUp() override;
    void DropDown() override {}
    void ListCreated() override {}
    void ListDestroyed() override {}
    bool IsItemText(const std::string& Text) override { return FindItemIndex(Text) != -1; }
    Variant GetCurrentKey() override { return Variant::Integer(FCurrentKey); }
    std::string GetDisplayText(const Variant& Key) override;
    TcxLookupDataNotifyEvent GetSelectEvent() override { return FOnSelect; }
    void SetSelectEvent(TcxLookupDataNotifyEvent Value) override { FOnSelect = std::move(Value); }
    TcxLookupDataNotifyEvent GetCurrentChangedEvent() override { return FOnCurrentChanged; }
    void SetCurrentChangedEvent(TcxLookupDataNotifyEvent Value) override {
        FOnCurrentChanged = std::move(Value);
    }
    platform::gdi::TSize GetListPreferredSize() override { return {}; }
    void Go(TcxEditLookupDataGoDirection Direction, bool Circular) override;
    TcxCustomInnerListBox* GetListBox() override;
    bool IsEmpty() override { return GetItemCount() == 0; }
    bool IsMouseOverList(platform::gdi::TPoint ScreenPoint) override;
    bool Locate(std::string& Text, std::string& Tail, bool Next) override {
        return Locate(Text, Tail, false, Next);
    }
    void PositionList(const platform::gdi::TRect& R) override;
    void PropertiesChanged() override { ItemsChanged(); }
    void SelectItem() override;
    void SetCurrentKey(const Variant& Key) override;
    void TextChanged() override;

protected:
    virtual std::string GetItem(int Index);
    virtual int GetItemCount();
    // The list the drop-down shows; none for the plain text edit.
    virtual TListBoxFactory GetListBoxClass() { return {}; }
    virtual void UpdateActiveIndexFromList();
    // The list holds as many placeholder rows as there are items.
    virtual void ItemsChanged();

private:
    void SetCurrentKeyIndex(int Key);
    void ResetIfNotFound(const std::string& Text, bool Exact);
    bool IsListVisible() const;
    bool IsOwnerDestroying() const;

    int FCurrentKey = -1;
    int FActiveIndex = -1;
    std::unique_ptr<TcxCustomInnerListBox> FListBox;
    TcxCustomTextEdit& FOwner;
    TcxLookupDataNotifyEvent FOnSelect;
    TcxLookupDataNotifyEvent FOnCurrentChanged;
};

} // namespace toolkit::edit
