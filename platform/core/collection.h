#pragma once
// The class library's collection: an ordered list of items of one class that the collection owns
// and creates itself (so that a form stream can add them), each naming its collection. A
// collection belongs to an object (GetOwner), usually as one of its properties, and streams as
// the list of its items' properties.

#include "platform/core/persistent.h"

#include <functional>
#include <memory>
#include <vector>

namespace platform::core {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* Collection) : FCollection(Collection) {}
    TCollection* Collection() const { return FCollection; }
    // The item's place in its collection; -1 while it is not in one.
    int Index() const;
    TPersistent* GetOwner() const override;

private:
    TCollection* FCollection;
};

class TCollection : public TPersistent {
public:
    using TItemClass = std::function<std::unique_ptr<TCollectionItem>(TCollection*)>;
    explicit TCollection(TItemClass ItemClass) : FItemClass(std::move(ItemClass)) {}
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int Index) const {
        return FItems.at(static_cast<std::size_t>(Index)).get();
    }
    // A new item of the collection's class at the end.
    TCollectionItem& Add();
    // Takes an item made for this collection (one of its class, made with other arguments).
    TCollectionItem& Insert(std::unique_ptr<TCollectionItem> Item);
    // Out of range: nothing.
    void Delete(int Index);
    void Clear();
    // From another collection: its items copied with their Assign; else the inherited refusal.
    void Assign(const TPersistent* Source) override;

private:
    TItemClass FItemClass;
    std::vector<std::unique_ptr<TCollectionItem>> FItems;
};

} // namespace platform::core
