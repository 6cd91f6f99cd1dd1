#include "toolkit/base/registered_class_list.h"

namespace toolkit::base {

using platform::core::TClass;

bool TcxRegisteredClassList::Find(const TClass* ItemClass, int& Index) const {
    if (!ItemClass) return false;
    for (int I = Count() - 1; I >= 0; --I) {
        const TClass* Registered = FItems[static_cast<std::size_t>(I)].ItemClass;
        if (ItemClass->InheritsFrom(Registered)) {
            Index = I;
            return true;
        }
        if (Registered->InheritsFrom(ItemClass)) Index = I;
    }
    return false;
}

void TcxRegisteredClassList::Register(const TClass* ItemClass, const TClass* RegisteredClass) {
    const TcxRegisteredClassListItemData Item{ItemClass, RegisteredClass};
    int Index = -1;
    if (Find(ItemClass, Index))
        FItems.insert(FItems.begin() + Index + 1, Item);
    else if (Index == -1)
        FItems.push_back(Item);
    else
        FItems.insert(FItems.begin() + Index, Item);
}

void TcxRegisteredClassList::Unregister(const TClass* ItemClass, const TClass* RegisteredClass) {
    for (int I = Count() - 1; I >= 0; --I) {
        const auto& Item = FItems[static_cast<std::size_t>(I)];
        if (Item.ItemClass == ItemClass && Item.RegisteredClass == RegisteredClass)
            FItems.erase(FItems.begin() + I);
    }
}

} // namespace toolkit::base
