#include "platform/core/collection.h"

namespace platform::core {

int TCollectionItem::Index() const {
    if (FCollection == nullptr) return -1;
    for (int I = 0; I < FCollection->Count(); ++I)
        if (FCollection->Items(I) == this) return I;
    return -1;
}

TPersistent* TCollectionItem::GetOwner() const {
    return FCollection;
}

TCollection::~TCollection() {
    Clear();
}

TCollectionItem& TCollection::Add() {
    return Insert(FItemClass(this));
}

TCollectionItem& TCollection::Insert(std::unique_ptr<TCollectionItem> Item) {
    FItems.push_back(std::move(Item));
    return *FItems.back();
}

void TCollection::Delete(int Index) {
    if (Index < 0 || Index >= Count()) return;
    FItems.erase(FItems.begin() + Index);
}

void TCollection::Clear() {
    // Items last first, as they were made.
    while (!FItems.empty())
        FItems.pop_back();
}

void TCollection::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TCollection*>(Source);
    if (Other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (Other == this) return;
    Clear();
    for (int I = 0; I < Other->Count(); ++I)
        Add().Assign(Other->Items(I));
}

} // namespace platform::core
