#pragma once
// A list that owns its items: clearing it, or freeing it, frees every item, first to last.

#include "platform/core/object.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

namespace toolkit::base {

template <class T = platform::core::TObject> class TcxObjectList {
public:
    TcxObjectList() = default;
    ~TcxObjectList() { Clear(); }
    TcxObjectList(const TcxObjectList&) = delete;
    TcxObjectList& operator=(const TcxObjectList&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    T* Items(int Index) const { return FItems.at(static_cast<std::size_t>(Index)).get(); }

    // Index of the new item.
    int Add(std::unique_ptr<T> Item) {
        FItems.push_back(std::move(Item));
        return Count() - 1;
    }
    // 0 <= Index <= Count.
    void Insert(int Index, std::unique_ptr<T> Item) {
        if (Index < 0 || Index > Count()) throw std::out_of_range("TcxObjectList index");
        FItems.insert(FItems.begin() + Index, std::move(Item));
    }
    // -1 when the item is not listed.
    int IndexOf(const T* Item) const {
        auto Found = std::find_if(FItems.begin(), FItems.end(),
                                  [Item](const std::unique_ptr<T>& P) { return P.get() == Item; });
        return Found == FItems.end() ? -1 : static_cast<int>(Found - FItems.begin());
    }
    // Frees the item.
    void Delete(int Index) { Extract(Index).reset(); }
    // Takes the item off the list without freeing it.
    std::unique_ptr<T> Extract(int Index) {
        std::unique_ptr<T> Item = std::move(FItems.at(static_cast<std::size_t>(Index)));
        FItems.erase(FItems.begin() + Index);
        return Item;
    }
    // Frees the items from the first to the last, then empties the list.
    void Clear() {
        for (auto& Item : FItems)
            Item.reset();
        FItems.clear();
    }

private:
    std::vector<std::unique_ptr<T>> FItems;
};

} // namespace toolkit::base
